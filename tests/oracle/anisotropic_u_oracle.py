"""Checks tavo's U' = R U R^T against gemmi on the operators of several space groups.

gemmi takes the other road: Uij to Cartesian through its own orthogonalisation, the operator
turned into a Cartesian rotation, and back. Run by ctest with the case program as argument;
exits 77 (skipped) when gemmi cannot be imported.
"""
import random
import subprocess
import sys

try:
    import gemmi
except ImportError:
    print("python3-gemmi is not installed: skipped")
    sys.exit(77)


def cases():
    cells = [
        ("P 1 21/c 1", (10.3, 11.7, 12.9, 90, 101.3, 90)),
        ("P 6/m m m", (7.1, 7.1, 9.4, 90, 90, 120)),
        ("R -3 m:H", (8.2, 8.2, 21.5, 90, 90, 120)),
        ("F d -3 m :1", (13.0, 13.0, 13.0, 90, 90, 90)),
        ("C 1 2/c 1", (21.1, 6.3, 15.2, 90, 117.9, 90)),
        ("P 1", (6.1, 7.9, 9.3, 77.2, 84.9, 71.6)),
    ]
    rng = random.Random(20261210)
    for name, params in cells:
        rotations = {tuple(tuple(x // gemmi.Op.DEN for x in row) for row in op.rot)
                     for op in gemmi.SpaceGroup(name).operations()}
        if name == "P 1":  # a few unimodular axis changes, as a cell transformation gives
            rotations |= {((1, 1, 0), (0, 1, 0), (0, 0, 1)), ((0, 0, 1), (1, 0, 0), (0, 1, 0)),
                          ((1, 0, 0), (0, -1, 1), (0, 0, -1))}
        for rot in sorted(rotations):
            u = [rng.uniform(0.01, 0.08) for _ in range(3)] + \
                [rng.uniform(-0.01, 0.01) for _ in range(3)]
            yield params, rot, u


def gemmi_transform(params, rot, u):
    cell = gemmi.UnitCell(*params)
    u11, u22, u33, u23, u13, u12 = u
    ucif = gemmi.SMat33d(u11, u22, u33, u12, u13, u23)
    rec = cell.reciprocal()
    n = gemmi.Mat33([[rec.a, 0, 0], [0, rec.b, 0], [0, 0, rec.c]])
    n_inv = gemmi.Mat33([[1 / rec.a, 0, 0], [0, 1 / rec.b, 0], [0, 0, 1 / rec.c]])
    to_cart = cell.orth.mat.multiply(n)
    from_cart = n_inv.multiply(cell.frac.mat)
    r_cart = cell.orth.mat.multiply(gemmi.Mat33([list(row) for row in rot])).multiply(
        cell.frac.mat)
    moved = ucif.transformed_by(to_cart).transformed_by(r_cart).transformed_by(from_cart)
    return [moved.u11, moved.u22, moved.u33, moved.u23, moved.u13, moved.u12]


def main():
    program = sys.argv[1]
    all_cases = list(cases())
    lines = []
    for params, rot, u in all_cases:
        numbers = list(params) + [x for row in rot for x in row] + u
        lines.append(" ".join(repr(float(x)) for x in numbers))
    out = subprocess.run([program], input="\n".join(lines) + "\n", capture_output=True,
                         text=True, check=True).stdout.split("\n")
    failures = 0
    for (params, rot, u), row in zip(all_cases, out):
        got = [float(x) for x in row.split()]
        want = gemmi_transform(params, rot, u)
        if len(got) != 6 or any(abs(g - w) > 1e-10 for g, w in zip(got, want)):
            failures += 1
            print(f"cell {params} R {rot} U {u}: tavo {got}, gemmi {want}")
    print(f"{len(all_cases)} cases, {failures} disagree")
    return 1 if failures or len(out) < len(all_cases) else 0


if __name__ == "__main__":
    sys.exit(main())
