#!/usr/bin/env python3
"""Writes a program folder for start-up timing: data/ with array_max.inf raised, and big.ins,
a synthetic P1 structure of zigzag carbon chains (anisotropic C, each with a riding H) at about
18 cubic angstroms per carbon.

usage: big_structure.py SOURCE_DATA_FOLDER TARGET_FOLDER [CARBONS [LIMIT_CARBONS]]

The limits are raised for LIMIT_CARBONS (default CARBONS, at least 10,000), so that small and big
structures can be started with the same settings.
"""
import os
import shutil
import string
import sys

DIGITS = string.digits + string.ascii_uppercase


def suffix(number, count):
    """Three base-36 characters while the labels fit SHELXL's four characters (up to 10,000 no
    label spells an instruction such as HKLF or CELL), four beyond: unique, never an instruction."""
    text = ""
    for _ in range(3 if count <= 10000 else 4):
        number, digit = divmod(number, 36)
        text = DIGITS[digit] + text
    return text


def raise_limits(path, carbons):
    limits = {
        "exp_max": max(50000, 2 * carbons + 1000),
        "atm_max": max(25000, carbons + 500),
        "con_max": max(100000, 3 * carbons + 1000),
    }
    lines = open(path).read().splitlines()
    with open(path, "w") as out:
        for line in lines:
            for name, value in limits.items():
                if "(" + name + ")" in line:
                    line = line.rsplit(None, 1)[0].ljust(75) + str(value)
            out.write(line + "\n")


def main():
    source, target = sys.argv[1], sys.argv[2]
    carbons = int(sys.argv[3]) if len(sys.argv) > 3 else 10000
    limit_carbons = int(sys.argv[4]) if len(sys.argv) > 4 else carbons
    os.makedirs(target, exist_ok=True)
    shutil.copytree(source, target, dirs_exist_ok=True)
    raise_limits(os.path.join(target, "array_max.inf"), limit_carbons)

    per_chain = 50
    chains = -(-carbons // per_chain)
    columns = 10
    rows = -(-chains // columns)
    step_x, wiggle, spacing = 1.26, 0.44, 3.8  # C-C 1.54 A along the chain
    a, b, c = per_chain * step_x, columns * spacing, rows * spacing
    lines = [
        "TITL big synthetic chains",
        "CELL 0.71073 %.4f %.4f %.4f 90 90 90" % (a, b, c),
        "ZERR 1 0.001 0.001 0.001 0 0 0",
        "LATT -1",
        "SFAC C H",
        "UNIT %d %d" % (carbons, carbons),
        "L.S. 4",
        "PLAN 20",
        "FMAP 2",
        "WGHT 0.1",
        "FVAR 1.00000",
    ]
    for i in range(carbons):
        chain, k = divmod(i, per_chain)
        x = (k + 0.25) * step_x
        y = (chain % columns + 0.5) * spacing + (wiggle if k % 2 else -wiggle)
        z = (chain // columns + 0.5) * spacing
        hz = z + (0.96 if k % 2 else -0.96)
        name = suffix(i + 1, carbons)
        lines.append("C%s  1  %.5f  %.5f  %.5f  11.00000  0.05000  0.04000 =" % (name, x / a, y / b, z / c))
        lines.append("    0.06000  0.00200  0.00300  0.00100")
        lines.append("AFIX 43")
        lines.append("H%s  2  %.5f  %.5f  %.5f  11.00000  -1.20000" % (name, x / a, y / b, hz / c))
        lines.append("AFIX 0")
    lines += ["HKLF 4", "END", ""]
    with open(os.path.join(target, "big.ins"), "w") as out:
        out.write("\n".join(lines))


if __name__ == "__main__":
    main()
