4   1
0  O      0.00000      0.00000      0.00000
1  C      0.64467      1.26523      0.00000
2  H      1.72527      1.12241      0.00000
3  H      0.35179      1.82224     -0.88998
4  H      0.35179      1.82224      0.88998
Methoxy: O-C 1.42 A, C-O-C 117 deg, C-H 1.09 A, one H anti to the parent atom; the O is the origin, the bond to the parent atom along -X.
