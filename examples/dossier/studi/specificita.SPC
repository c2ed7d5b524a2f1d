Kestra for Windows
6
3
3
HPLC-UV, colonna C18
Paracetamolo

Compresse 500 mg

5


5
 1,99.800,100.200
2,100.300,99.700
3,99.600,100.400
4,100.100,99.900
5,100.000,100.100
