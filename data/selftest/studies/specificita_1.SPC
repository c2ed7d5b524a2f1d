Kestra for Windows
6
3
3
Metodo di prova
Analita di prova

Campione di prova

5


5
 1,98.000,100.000
2,98.500,100.500
3,97.500,99.500
4,98.200,100.200
5,97.800,99.800
