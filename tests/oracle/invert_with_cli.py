#!/usr/bin/python3
"""Checks "Invert Structure" of tavo-cli against gemmi for the groups where inversion matters.

    invert_with_cli.py TAVO_CLI

For both groups of each of the eleven enantiomorphic pairs, the seven groups whose inversion
needs an origin shift (Fdd2, I41, I4122, I41md, I41cd, I-42d, F4132) and a few others, a small
instruction file in gemmi's reference setting (LATT and SYMM cards, no REM SPCG line) with two
atoms at general positions is inverted and saved by a `tavo-cli run` script. gemmi must find
the enantiomorph (or the same group) from the saved LATT and SYMM cards, the REM SPCG line must
name that group, and every atom's orbit under the saved group must be the inverse of its orbit
in the original group through one common centre (x' = c - x).

Prints a line per failing group and exits 1 when any fails; 77 when gemmi cannot be imported.
"""
import subprocess
import sys
import tempfile
from pathlib import Path

try:
    import gemmi
except ImportError:
    print("gemmi is not installed: skipped")
    sys.exit(77)

sys.path.insert(0, str(Path(__file__).resolve().parent))
import identify_with_cli as ident  # noqa: E402  (the same SHELXL files of gemmi settings)

ROOT = Path(__file__).resolve().parents[2]
PAIRS = [(76, 78), (91, 95), (92, 96), (144, 145), (151, 153), (152, 154), (169, 170),
         (171, 172), (178, 179), (180, 181), (212, 213)]
ORIGIN_SHIFTED = [43, 80, 98, 109, 110, 122, 210]
KEPT_AT_ORIGIN = [4, 19, 14, 33, 199]
ATOMS = [("C1", (0.1234, 0.2345, 0.3456)), ("C2", (0.4321, 0.1357, 0.0864))]


def orbit(ops, xyz):
    points = set()
    for op in ops:
        p = op.apply_to_xyz(list(xyz))
        points.add(tuple(round(v % 1.0, 4) % 1.0 for v in p))
    return points


def saved_group(lines):
    latt, symm = 1, []
    for line in lines:
        words = line.split()
        if words and words[0].upper() == "LATT":
            latt = int(words[1])
        elif words and words[0].upper() == "SYMM":
            symm.append(gemmi.Op(line[4:].replace(" ", "").lower()))
    base = [gemmi.Op("x,y,z")] + symm
    if latt > 0:
        base += [gemmi.Op("-x,-y,-z") * op for op in base]
    return gemmi.GroupOps(ident.centred(base, abs(latt)))


def check(number, expected, cli, folder):
    sg = gemmi.find_spacegroup_by_number(number)
    text = ident.instruction_file(sg).replace(
        "C1 1 0.1234 0.2345 0.3456 11.0 0.05",
        "\n".join(f"{label} 1 {x} {y} {z} 11.0 0.05" for label, (x, y, z) in ATOMS))
    (folder / "g.ins").write_text(text)
    (folder / "script.tavo").write_text('open g.ins\n"Invert Structure"\n"Save *.ins"\n')
    run = subprocess.run([cli, "run", "script.tavo", "--program-folder", str(ROOT / "data")],
                         cwd=folder, capture_output=True, text=True)
    if run.returncode != 0:
        return [f"tavo-cli failed: {run.stdout} {run.stderr}"]
    lines = (folder / "g.ins").read_text().splitlines()
    faults = []
    ops = saved_group(lines)
    found = gemmi.find_spacegroup_by_ops(ops)
    if found is None or found.number != expected:
        faults.append(f"saved cards describe {found}, not group {expected}")
    rem = [l for l in lines if l.startswith("REM SPCG")]
    want = (next(name for n, k, name in ident.BUILT_IN if n == expected and k == 1)
            if expected <= 65 else ident.program_name(gemmi.find_spacegroup_by_number(expected)))
    if not rem or rem[0].split()[2] != want or int(rem[0].split()[3]) != expected:
        faults.append(f"REM SPCG is {rem}, not {want} {expected}")
    new = {l.split()[0]: tuple(float(v) for v in l.split()[2:5])
           for l in lines if l.split() and l.split()[0] in dict(ATOMS)}
    centre = None
    for label, xyz in ATOMS:
        moved = new.get(label)
        if moved is None:
            faults.append(f"{label} missing")
            continue
        c = tuple(round((a + b) % 1.0, 4) % 1.0 for a, b in zip(xyz, moved))
        centre = centre or c
        if c != centre:
            faults.append(f"{label} inverted through {c}, another atom through {centre}")
        inverse = {tuple(round((ci - v) % 1.0, 4) % 1.0 for ci, v in zip(centre, p))
                   for p in orbit(sg.operations(), xyz)}
        if orbit(ops, moved) != inverse:
            faults.append(f"{label}: the saved orbit is not the inverse of the original one")
    return faults


def main():
    cli = sys.argv[1]
    cases = [(a, b) for a, b in PAIRS] + [(b, a) for a, b in PAIRS]
    cases += [(n, n) for n in ORIGIN_SHIFTED + KEPT_AT_ORIGIN]
    failed = 0
    for number, expected in cases:
        with tempfile.TemporaryDirectory() as tmp:
            faults = check(number, expected, cli, Path(tmp))
        if faults:
            failed += 1
            print(f"group {number}: " + "; ".join(faults))
    print(f"{len(cases) - failed} of {len(cases)} groups inverted as gemmi has them")
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
