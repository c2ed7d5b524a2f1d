Kestra for Windows
7
3
4
HPLC-UV, colonna C18
Paracetamolo
%
Compresse 500 mg

3
3
9
Analisti diversi nello stesso laboratorio
 1,99.800,100.600,99.400
2,100.200,101.100,99.900
3,100.000,100.800,99.600
