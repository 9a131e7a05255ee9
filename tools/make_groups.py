#!/usr/bin/python3
"""Writes the group files of data/groups and data/fragments for the locating tool.

    tools/make_groups.py            write both folders
    tools/make_groups.py --check    compare the folders with what would be written

Each file has the layout of the fragment export: line 1 "n   1", the origin atom as number 0 at
(0, 0, 0), then n atoms "number  SYMBOL   X   Y   Z" (10.5, Å). A line after the atoms describes
the group; the locating tool does not read it.

The geometry is built here from standard bond lengths and angles. Substituents have their origin
atom where the located atom is and the bond to the parent atom along -X, so a group read after
the bond has been turned onto -X of the view ("Define the Distance?") needs no turning.

data/groups holds the lengths of X-ray refinements (the riding-H distances of low-temperature
refinements: aromatic C-H 0.95, CH2 0.99, CH3 0.98, CH 1.00, O-H 0.84 A); data/fragments the
internuclear lengths of computed or neutron models (C-H 1.09, aromatic C-H 1.08, O-H 0.96 A).
Heavy-atom geometry is the same in both.
"""
import argparse
import math
import sys
from pathlib import Path

SQRT8_3 = math.sqrt(8.0) / 3.0
PARENT = (-1.0, 0.0, 0.0)


def add(a, b):
    return tuple(x + y for x, y in zip(a, b))


def scale(s, v):
    return tuple(s * x for x in v)


def dot(a, b):
    return sum(x * y for x, y in zip(a, b))


def unit(v):
    n = math.sqrt(dot(v, v))
    return tuple(x / n for x in v)


def tetrahedral_from_parent(phase_deg=0.0):
    """The three bond directions of an sp3 atom whose fourth bond points along -X."""
    out = []
    for k in range(3):
        phi = math.radians(phase_deg + 120.0 * k)
        out.append((1.0 / 3.0, SQRT8_3 * math.cos(phi), SQRT8_3 * math.sin(phi)))
    return out


def staggered_hydrogens(u, others):
    """H directions on an sp3 atom bonded along -u to its parent, each anti to one of the
    parent's other bonds `others` (unit vectors from the parent)."""
    hs = []
    for w in others:
        perp = unit(add(w, scale(-dot(w, u), u)))
        hs.append(add(scale(1.0 / 3.0, u), scale(-SQRT8_3, perp)))
    return hs


def in_plane(angle_deg):
    a = math.radians(angle_deg)
    return (math.cos(a), math.sin(a), 0.0)


def tetrahedron():
    return [unit(v) for v in ((1, 1, 1), (1, -1, -1), (-1, 1, -1), (-1, -1, 1))]


def groups(lengths):
    ch3, ch_ar, ch, ch2, oh = (lengths[k] for k in ("CH3", "CHar", "CH", "CH2", "OH"))
    g = {}

    g["methyl"] = ("C", [("H", scale(ch3, d)) for d in tetrahedral_from_parent()],
                   f"Methyl: C-H {ch3:.2f} A, tetrahedral; the bond to the parent atom along -X.")

    centre = (1.39, 0.0, 0.0)
    ring = [add(centre, scale(1.39, in_plane(180.0 + 60.0 * k))) for k in range(6)]
    atoms = [("C", p) for p in ring[1:]]
    atoms += [("H", add(centre, scale(1.39 + ch_ar, in_plane(180.0 + 60.0 * k))))
              for k in range(1, 6)]
    g["phenyl"] = ("C", atoms, f"Phenyl: C-C 1.39 A, C-H {ch_ar:.2f} A, ring in the XY plane; "
                               "the ipso C is the origin, the bond to the parent atom along -X.")

    dirs = tetrahedral_from_parent()
    atoms = [("C", scale(1.53, d)) for d in dirs]
    for k, d in enumerate(dirs):
        others = [PARENT] + [e for j, e in enumerate(dirs) if j != k]
        atoms += [("H", add(scale(1.53, d), scale(ch3, h)))
                  for h in staggered_hydrogens(d, others)]
    g["tbutyl"] = ("C", atoms, f"tert-Butyl: C-C 1.53 A, C-H {ch3:.2f} A, staggered methyls; "
                               "the bond to the parent atom along -X.")

    g["cf3"] = ("C", [("F", scale(1.33, d)) for d in tetrahedral_from_parent()],
                "Trifluoromethyl: C-F 1.33 A, tetrahedral; the bond to the parent atom along -X.")

    g["nitro"] = ("N", [("O", scale(1.22, in_plane(62.0))), ("O", scale(1.22, in_plane(-62.0)))],
                  "Nitro: N-O 1.22 A, O-N-O 124 deg, in the XY plane; the bond to the parent "
                  "atom along -X.")

    g["carboxylate"] = ("C", [("O", scale(1.25, in_plane(62.5))),
                              ("O", scale(1.25, in_plane(-62.5)))],
                        "Carboxylate: C-O 1.25 A, O-C-O 125 deg, in the XY plane; the bond to the "
                        "parent atom along -X.")

    u = in_plane(63.0)  # C-O-C 117 deg with the parent bond along -X
    carbon = scale(1.42, u)
    anti = staggered_hydrogens(u, [PARENT])[0]
    g["methoxy"] = ("O", [("C", carbon)] + [("H", add(carbon, scale(ch3, h)))
                                            for h in [anti] + rotated_pair(anti, u)],
                    f"Methoxy: O-C 1.42 A, C-O-C 117 deg, C-H {ch3:.2f} A, one H anti to the "
                    "parent atom; the O is the origin, the bond to the parent atom along -X.")

    g["perchlorate"] = ("Cl", [("O", scale(1.44, d)) for d in tetrahedron()],
                        "Perchlorate anion: Cl-O 1.44 A, tetrahedral.")
    g["sulfate"] = ("S", [("O", scale(1.47, d)) for d in tetrahedron()],
                    "Sulfate anion: S-O 1.47 A, tetrahedral.")
    g["tetrafluoroborate"] = ("B", [("F", scale(1.39, d)) for d in tetrahedron()],
                              "Tetrafluoroborate anion: B-F 1.39 A, tetrahedral.")
    axes = [(1, 0, 0), (-1, 0, 0), (0, 1, 0), (0, -1, 0), (0, 0, 1), (0, 0, -1)]
    g["hexafluorophosphate"] = ("P", [("F", scale(1.60, d)) for d in axes],
                                "Hexafluorophosphate anion: P-F 1.60 A, octahedral.")

    t = tetrahedron()
    g["dichloromethane"] = ("C", [("Cl", scale(1.77, t[0])), ("Cl", scale(1.77, t[1])),
                                  ("H", scale(ch2, t[2])), ("H", scale(ch2, t[3]))],
                            f"Dichloromethane: C-Cl 1.77 A, C-H {ch2:.2f} A, tetrahedral.")
    g["chloroform"] = ("C", [("Cl", scale(1.76, d)) for d in tetrahedral_from_parent()]
                       + [("H", scale(ch, PARENT))],
                       f"Chloroform: C-Cl 1.76 A, C-H {ch:.2f} A along -X, tetrahedral.")
    g["water"] = ("O", [("H", scale(oh, in_plane(52.25))), ("H", scale(oh, in_plane(-52.25)))],
                  f"Water: O-H {oh:.2f} A, H-O-H 104.5 deg, in the XY plane.")
    return g


def rotated_pair(v, axis):
    """`v` turned by +120 and -120 degrees about the unit vector `axis` (Rodrigues)."""
    out = []
    for angle in (120.0, -120.0):
        a = math.radians(angle)
        c, s = math.cos(a), math.sin(a)
        k = axis
        cross = (k[1] * v[2] - k[2] * v[1], k[2] * v[0] - k[0] * v[2], k[0] * v[1] - k[1] * v[0])
        kv = dot(k, v)
        out.append(tuple(v[i] * c + cross[i] * s + k[i] * kv * (1 - c) for i in range(3)))
    return out


def number(x):
    text = f"{x:10.5f}"
    return text.replace("-0.00000", " 0.00000")


def lines_of(origin, atoms, description):
    out = [f"{len(atoms)}   1", f"0  {origin}   {number(0)}   {number(0)}   {number(0)}"]
    for k, (symbol, p) in enumerate(atoms, start=1):
        out.append(f"{k}  {symbol}   {number(p[0])}   {number(p[1])}   {number(p[2])}")
    out.append(description)
    return "\n".join(out) + "\n"


FOLDERS = {
    "groups": {"CH3": 0.98, "CHar": 0.95, "CH": 1.00, "CH2": 0.99, "OH": 0.84},
    "fragments": {"CH3": 1.09, "CHar": 1.08, "CH": 1.09, "CH2": 1.09, "OH": 0.96},
}
EXTENSION = {"groups": ".grp", "fragments": ".frg"}


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--check", action="store_true")
    args = parser.parse_args()
    data = Path(__file__).resolve().parent.parent / "data"
    differ = []
    for folder, lengths in FOLDERS.items():
        (data / folder).mkdir(exist_ok=True)
        for name, (origin, atoms, description) in groups(lengths).items():
            path = data / folder / (name + EXTENSION[folder])
            text = lines_of(origin, atoms, description)
            if args.check:
                if not path.exists() or path.read_text() != text:
                    differ.append(str(path))
            else:
                path.write_text(text)
    if differ:
        print("differ:", *differ, sep="\n  ")
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())
