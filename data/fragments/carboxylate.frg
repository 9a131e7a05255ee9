2   1
0  C      0.00000      0.00000      0.00000
1  O      0.57719      1.10876      0.00000
2  O      0.57719     -1.10876      0.00000
Carboxylate: C-O 1.25 A, O-C-O 125 deg, in the XY plane; the bond to the parent atom along -X.
