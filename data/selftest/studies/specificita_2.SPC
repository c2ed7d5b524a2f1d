Kestra for Windows
6
3
3
Metodo di prova
Analita di prova

Campione di prova

5


5
 1,90.000,100.000
2,110.000,100.200
3,95.000,99.800
4,105.000,100.100
5,100.000,99.900
