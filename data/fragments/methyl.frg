3   1
0  C      0.00000      0.00000      0.00000
1  H      0.36333      1.02766      0.00000
2  H      0.36333     -0.51383      0.88998
3  H      0.36333     -0.51383     -0.88998
Methyl: C-H 1.09 A, tetrahedral; the bond to the parent atom along -X.
