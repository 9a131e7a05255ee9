#!/usr/bin/env python3
"""Builds examples/paraben.res: ethyl 4-hydroxybenzoate with a disordered ethyl group in P2(1)/c.

The molecule is built from ideal bond lengths and angles, oriented and placed in the cell by a
seeded search that keeps intermolecular contacts sensible and forms an O-H...O=C chain, and
written in the layout of a SHELXL .res file. Run: python3 examples/make_paraben.py
"""
import math
import random
from pathlib import Path

A, B, C, BETA = 10.612, 5.904, 14.903, 107.18
random.seed(20261210)


def add(u, v): return [u[i] + v[i] for i in range(3)]
def sub(u, v): return [u[i] - v[i] for i in range(3)]
def mul(u, s): return [x * s for x in u]
def dot(u, v): return sum(u[i] * v[i] for i in range(3))
def norm(u): return math.sqrt(dot(u, u))
def unit(u): return mul(u, 1 / norm(u))
def cross(u, v): return [u[1] * v[2] - u[2] * v[1], u[2] * v[0] - u[0] * v[2], u[0] * v[1] - u[1] * v[0]]


def place(a, b, c, bond, angle_deg, torsion_deg):
    """The atom d bonded to c with |cd| = bond, angle b-c-d and torsion a-b-c-d (degrees)."""
    bc = unit(sub(c, b))
    n = unit(cross(sub(b, a), bc))
    m = cross(n, bc)
    ang, tor = math.radians(angle_deg), math.radians(torsion_deg)
    d2 = [-bond * math.cos(ang), bond * math.sin(ang) * math.cos(tor), bond * math.sin(ang) * math.sin(tor)]
    return add(c, [bc[i] * d2[0] + m[i] * d2[1] + n[i] * d2[2] for i in range(3)])


def molecule(hydroxyl_torsion=180.0):
    at = {}
    for k, name in enumerate(["C1", "C2", "C3", "C4", "C5", "C6"]):
        ang = math.radians(60 * k)
        at[name] = [1.39 * math.cos(ang), 1.39 * math.sin(ang), 0.0]
    at["C7"] = [1.39 + 1.48, 0.0, 0.0]
    at["O1"] = [-1.39 - 1.36, 0.0, 0.0]
    at["O2"] = place(at["C2"], at["C1"], at["C7"], 1.21, 124.0, 0.0)
    at["O3"] = place(at["C2"], at["C1"], at["C7"], 1.34, 112.0, 180.0)
    at["C8A"] = place(at["O2"], at["C7"], at["O3"], 1.45, 116.0, 0.0)
    at["C9A"] = place(at["C7"], at["O3"], at["C8A"], 1.50, 107.5, 180.0)
    at["C8B"] = place(at["O2"], at["C7"], at["O3"], 1.45, 116.0, 14.0)
    at["C9B"] = place(at["C7"], at["O3"], at["C8B"], 1.50, 107.5, 88.0)
    h = {}
    ring = ["C1", "C2", "C3", "C4", "C5", "C6"]
    for k in (1, 2, 4, 5):
        c, p, n = at[ring[k]], at[ring[k - 1]], at[ring[(k + 1) % 6]]
        h["H" + ring[k][1:]] = add(c, mul(unit(add(sub(c, p), sub(c, n))), 0.95))
    h["H1"] = place(at["C5"], at["C4"], at["O1"], 0.84, 109.5, hydroxyl_torsion)
    for part, (c8, c9) in {"A": ("C8A", "C9A"), "B": ("C8B", "C9B")}.items():
        o3, c8p, c9p = at["O3"], at[c8], at[c9]
        u = unit(add(unit(sub(c8p, o3)), unit(sub(c8p, c9p))))
        v = unit(cross(sub(c8p, o3), sub(c8p, c9p)))
        half = math.radians(54.4)
        names = ("H8A", "H8B") if part == "A" else ("H8C", "H8D")
        h[names[0]] = add(c8p, mul(add(mul(u, math.cos(half)), mul(v, math.sin(half))), 0.99))
        h[names[1]] = add(c8p, mul(add(mul(u, math.cos(half)), mul(v, -math.sin(half))), 0.99))
        labels = ("H9A", "H9B", "H9C") if part == "A" else ("H9D", "H9E", "H9F")
        for label, tor in zip(labels, (180.0, 60.0, -60.0)):
            h[label] = place(o3, c8p, c9p, 0.98, 109.5, tor)
    return at, h


def rotation(ax, ay, az):
    def rx(t): return [[1, 0, 0], [0, math.cos(t), -math.sin(t)], [0, math.sin(t), math.cos(t)]]
    def ry(t): return [[math.cos(t), 0, math.sin(t)], [0, 1, 0], [-math.sin(t), 0, math.cos(t)]]
    def rz(t): return [[math.cos(t), -math.sin(t), 0], [math.sin(t), math.cos(t), 0], [0, 0, 1]]
    def mm(p, q): return [[sum(p[i][k] * q[k][j] for k in range(3)) for j in range(3)] for i in range(3)]
    return mm(rz(az), mm(ry(ay), rx(ax)))


def apply(m, v): return [sum(m[i][k] * v[k] for k in range(3)) for i in range(3)]


SB, CB = math.sin(math.radians(BETA)), math.cos(math.radians(BETA))


def to_frac(p):
    z = p[2] / (C * SB)
    return [(p[0] - z * C * CB) / A, p[1] / B, z]


def to_cart(f): return [f[0] * A + f[2] * C * CB, f[1] * B, f[2] * C * SB]


OPS = [lambda f: f, lambda f: [-f[0], f[1] + 0.5, 0.5 - f[2]],
       lambda f: [-f[0], -f[1], -f[2]], lambda f: [f[0], 0.5 - f[1], 0.5 + f[2]]]


def contacts(frac, names):
    """Shortest intermolecular distance of each pair of atoms over the P2(1)/c copies."""
    best = {}
    centre = mul([sum(frac[n][i] for n in names) for i in range(3)], 1 / len(names))
    for k, op in enumerate(OPS):
        for t in [(i, j, l) for i in (-1, 0, 1) for j in (-1, 0, 1) for l in (-1, 0, 1)]:
            if k == 0 and t == (0, 0, 0):
                continue
            if norm(sub(to_cart(centre), to_cart(add(op(centre), list(t))))) > 15.0:
                continue
            for n2 in names:
                g = add(op(frac[n2]), list(t))
                for n1 in names:
                    d = norm(sub(to_cart(frac[n1]), to_cart(g)))
                    if d < best.get((n1, n2), (99,))[0]:
                        best[(n1, n2)] = (d, k, t)
    return best


def score(heavy, hyd, rot, shift):
    frac = {n: add(to_frac(apply(rot, p)), shift) for n, p in {**heavy, **hyd}.items()}
    names = [n for n in frac if not n.endswith("B") and n not in ("H8C", "H8D", "H9D", "H9E", "H9F")]
    best = contacts(frac, names)
    worst = 0.0
    for (n1, n2), (d, _, _) in best.items():
        limit = 2.25 if n1.startswith("H") and n2.startswith("H") else 2.5 if (n1.startswith("H") or n2.startswith("H")) else 3.25
        if (n1, n2) in (("H1", "O2"), ("O1", "O2"), ("O2", "H1"), ("O2", "O1")):
            continue
        worst += max(0.0, limit - d) ** 2
    hb = best[("O1", "O2")][0]
    hh = best[("H1", "O2")][0]
    # Prefer the ring facing c*, so that the first picture (viewed down c*) shows the molecule
    # face-on rather than edge-on.
    ring = [apply(rot, heavy[n]) for n in ("C1", "C2", "C3")]
    normal = unit(cross(sub(ring[1], ring[0]), sub(ring[2], ring[0])))
    facing = 1 - normal[2] ** 2
    return worst + 10 * ((hb - 2.68) ** 2 + (hh - 1.86) ** 2) + 2 * facing, frac, best


def search(heavy, hyd):
    best = None
    for _ in range(1500):
        rot_angles = [random.uniform(0, 2 * math.pi) for _ in range(3)]
        shift = [random.random() for _ in range(3)]
        s, _, _ = score(heavy, hyd, rotation(*rot_angles), shift)
        if best is None or s < best[0]:
            best = (s, rot_angles, shift)
    s, angles, shift = best
    step = 0.2
    while step > 0.002:
        improved = False
        for i in range(6):
            for sign in (1, -1):
                a2, s2 = list(angles), list(shift)
                if i < 3:
                    a2[i] += sign * step
                else:
                    s2[i - 3] += sign * step * 0.2
                t, _, _ = score(heavy, hyd, rotation(*a2), s2)
                if t < s:
                    s, angles, shift, improved = t, a2, s2, True
        if not improved:
            step /= 2
    return score(heavy, hyd, rotation(*angles), shift)


def u_cif(ucart):
    """Cartesian U to the U(ij) of the crystal axes (SHELXL's convention)."""
    m = [[A, 0, C * CB], [0, B, 0], [0, 0, C * SB]]  # columns a, b, c
    det = A * B * C * SB
    inv = [[B * C * SB / det, 0, -B * C * CB / det], [0, 1 / B, 0], [0, 0, A * B / det]]
    astar = [1 / (A * SB), 1 / B, 1 / (C * SB)]
    t = [[sum(inv[i][k] * ucart[k][l] * inv[j][l] for k in range(3) for l in range(3)) for j in range(3)] for i in range(3)]
    _ = m
    return [[t[i][j] / (astar[i] * astar[j]) for j in range(3)] for i in range(3)]


def random_u(base, spread):
    r = rotation(*[random.uniform(0, 2 * math.pi) for _ in range(3)])
    d = [base * (1 - spread), base, base * (1 + spread * 1.5)]
    return [[sum(r[i][k] * d[k] * r[j][k] for k in range(3)) for j in range(3)] for i in range(3)]


def main():
    results = []
    for torsion in (180.0, 0.0):
        heavy, hyd = molecule(torsion)
        results.append(search(heavy, hyd))
    s, frac, best = min(results, key=lambda r: r[0])
    sfac = {"C": 1, "H": 2, "O": 3}
    order = ["O1", "O2", "O3", "C1", "C2", "C3", "C4", "C5", "C6", "C7", "C8A", "C9A", "C8B", "C9B"]
    riding = {"O1": ("147", ["H1"], -1.5), "C2": ("43", ["H2"], -1.2), "C3": ("43", ["H3"], -1.2),
              "C5": ("43", ["H5"], -1.2), "C6": ("43", ["H6"], -1.2),
              "C8A": ("23", ["H8A", "H8B"], -1.2), "C9A": ("137", ["H9A", "H9B", "H9C"], -1.5),
              "C8B": ("23", ["H8C", "H8D"], -1.2), "C9B": ("137", ["H9D", "H9E", "H9F"], -1.5)}
    ueq = {n: 0.042 for n in order}
    ueq.update({"O1": 0.051, "O2": 0.058, "O3": 0.049, "C7": 0.044,
                "C8A": 0.062, "C9A": 0.081, "C8B": 0.066, "C9B": 0.088})
    out = []
    w = out.append
    w("TITL paraben in P2(1)/c")
    w("    paraben.res")
    w("    created by SHELXL-2018/3 at 10:42:17 on 10-Dec-2026")
    w(f"CELL 0.71073 {A:.3f} {B:.3f} {C:.3f} 90 {BETA:.2f} 90")
    w("ZERR 4 0.002 0.001 0.003 0 0.02 0")
    w("LATT 1")
    w("SYMM -X, 0.5+Y, 0.5-Z")
    w("SFAC C H O")
    w("UNIT 36 40 12")
    w("REM SPCG" + " " * 7 + "P21/c" + "  " + " 14" + " " * 4 + "1")
    w("SADI 0.02 O3 C8A O3 C8B")
    w("SADI 0.02 C8A C9A C8B C9B")
    w("DFIX 1.50 0.02 C8A C9A")
    w("RIGU C8A > C9B")
    w("L.S. 10")
    w("BOND $H")
    w("FMAP 2")
    w("PLAN 20")
    w("ACTA")
    w("HTAB")
    w("CONF")
    w("TEMP -173")
    w("WGHT    0.045200    0.231000")
    w("FVAR       1.23456   0.63412")
    part = 0
    for n in order:
        want = 1 if n.endswith("A") and n.startswith("C8") or n == "C9A" else 2 if n in ("C8B", "C9B") else 0
        if want != part:
            w({1: "PART 1 21", 2: "PART 2 -21", 0: "PART 0"}[want])
            part = want
        sof = {0: 11.0, 1: 21.0, 2: -21.0}[part]
        x, y, z = frac[n]
        u = u_cif(random_u(ueq[n], 0.25))
        w(f"{n:<5}{sfac[n[0]]:>2}{x:12.6f}{y:12.6f}{z:12.6f}{sof:12.5f}{u[0][0]:11.5f}{u[1][1]:11.5f} =")
        w(f"     {u[2][2]:11.5f}{u[1][2]:11.5f}{u[0][2]:11.5f}{u[0][1]:11.5f}")
        if n in riding:
            code, hs, uiso = riding[n]
            w(f"AFIX {code}")
            for h in hs:
                x, y, z = frac[h]
                w(f"{h:<5}{2:>2}{x:12.6f}{y:12.6f}{z:12.6f}{sof:12.5f}{uiso:11.5f}")
            w("AFIX   0")
    w("PART 0")
    w("HKLF 4")
    w("")
    w("REM  paraben in P2(1)/c")
    w("REM R1 =  0.0412 for    1783 Fo > 4sig(Fo)  and  0.0527 for all    2214 data")
    w("REM    151 parameters refined using     21 restraints")
    w("")
    w("END")
    w("")
    w("WGHT      0.0448      0.2395")
    w("")
    d, k, t = best[("O1", "O2")]
    eqiv = symmetry_text(k, t)
    w("REM Instructions for potential hydrogen bonds")
    w(f"EQIV $1 {eqiv}")
    w("HTAB O1 O2_$1")
    w("")
    w("REM Highest difference peak  0.241,  deepest hole -0.186,  1-sigma level  0.041")
    peaks = [("C1", "C2"), ("C4", "C5"), ("C8A", "C8B"), ("C7", "O2"), ("C3", "C4"), ("O3", "C8A"),
             ("C9A", "H9B"), ("C5", "C6"), ("C1", "C7"), ("O1", "H1")]
    height = 0.241
    for i, (p, q) in enumerate(peaks, 1):
        mid = [(frac.get(p)[j] + frac.get(q)[j]) / 2 + random.uniform(-0.008, 0.008) for j in range(3)]
        w(f"Q{i:<4}{1:>2}{mid[0]:9.4f}{mid[1]:9.4f}{mid[2]:9.4f}{11.0:10.5f}{0.05:6.2f}{height:8.2f}")
        height -= random.uniform(0.008, 0.016)
    Path(__file__).with_name("paraben.res").write_text("\n".join(out) + "\n")
    print(f"score {s:.4f}; O1...O2 {d:.3f} A via {eqiv}; H1...O2 {best[('H1', 'O2')][0]:.3f} A")
    worst = sorted((v[0], key) for key, v in best.items())[:6]
    print("shortest contacts:", [(f"{dd:.2f}", key) for dd, key in worst])


def symmetry_text(k, t):
    base = [("x", 0, 1), ("y", 0, 1), ("z", 0, 1)]
    if k == 1:
        base = [("x", 0, -1), ("y", 0.5, 1), ("z", 0.5, -1)]
    elif k == 2:
        base = [("x", 0, -1), ("y", 0, -1), ("z", 0, -1)]
    elif k == 3:
        base = [("x", 0, 1), ("y", 0.5, -1), ("z", 0.5, 1)]
    parts = []
    for (axis, shift, sign), tr in zip(base, t):
        total = shift + tr
        text = ("-" if sign < 0 else "") + axis
        if total:
            frac = {0.5: "1/2", -0.5: "-1/2", 1.5: "3/2", -1.5: "-3/2"}.get(total, f"{int(total):+d}")
            text += frac if frac.startswith("-") else "+" + frac.lstrip("+")
        parts.append(text)
    return ", ".join(parts)


if __name__ == "__main__":
    main()
