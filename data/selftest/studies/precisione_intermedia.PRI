Kestra for Windows
7
3
4
Metodo di prova
Analita di prova
mg/l
Campione di prova

2
3
6
Analisti diversi nello stesso laboratorio
 1,10.000,11.000,15.000
2,12.000,13.000,17.000
