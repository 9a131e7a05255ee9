2   1
0  N      0.00000      0.00000      0.00000
1  O      0.57276      1.07720      0.00000
2  O      0.57276     -1.07720      0.00000
Nitro: N-O 1.22 A, O-N-O 124 deg, in the XY plane; the bond to the parent atom along -X.
