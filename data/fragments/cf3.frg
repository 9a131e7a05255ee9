3   1
0  C      0.00000      0.00000      0.00000
1  F      0.44333      1.25394      0.00000
2  F      0.44333     -0.62697      1.08594
3  F      0.44333     -0.62697     -1.08594
Trifluoromethyl: C-F 1.33 A, tetrahedral; the bond to the parent atom along -X.
