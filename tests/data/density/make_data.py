#!/usr/bin/env python3
"""Builds the reflection data of the density tests from our example structure.

    make_data.py TAVO_CLI

paraben.hkl: every reflection of examples/paraben.res to 0.85 Å, Fo² = osf²·Fc² of the full model
(Fc from `tavo-cli fcalc --fcf-out`), σ = 2 % of Fo² + 0.5, in SHELXL's 3I4,2F8.2 layout.
paraben_no_o1.res: the example without the atom O1 (its two lines), so that a difference map of
it against paraben.hkl shows O1 as its highest peak.
"""
import math
import subprocess
import sys
import tempfile
from pathlib import Path

HERE = Path(__file__).resolve().parent
ROOT = HERE.parents[2]
D_MIN = 0.85


def main():
    cli = sys.argv[1]
    lines = (ROOT / "examples" / "paraben.res").read_text().splitlines()
    cell = [float(w) for w in next(l for l in lines if l.startswith("CELL")).split()[2:8]]
    osf = float(next(l for l in lines if l.startswith("FVAR")).split()[1])
    # Index ranges that reach D_MIN also along the oblique axes of a monoclinic cell.
    a, b, c = (edge / math.sin(math.radians(cell[4])) for edge in cell[:3])
    with tempfile.TemporaryDirectory() as work:
        work = Path(work)
        (work / "paraben.res").write_text("\n".join(lines) + "\n")
        with open(work / "paraben.hkl", "w") as out:
            for h in range(-int(a / D_MIN), int(a / D_MIN) + 1):
                for k in range(0, int(b / D_MIN) + 1):
                    for l in range(0, int(c / D_MIN) + 1):
                        out.write("%4d%4d%4d%8.2f%8.2f\n" % (h, k, l, 100.0, 1.0))
        subprocess.run([cli, "fcalc", str(work / "paraben.res"), "--fcf-out",
                        str(work / "full.fcf"), "--program-folder", str(ROOT / "data")],
                       check=True, capture_output=True)
        rows = []
        in_loop = False
        for line in (work / "full.fcf").read_text().splitlines():
            if line.strip() == "_refln_phase_calc":
                in_loop = True
                continue
            words = line.split()
            if in_loop and len(words) == 7:
                h, k, l = (int(w) for w in words[:3])
                fo2 = osf * osf * float(words[5]) ** 2
                if math.isfinite(fo2) and fo2 < 99999:
                    rows.append("%4d%4d%4d%8.2f%8.2f" % (h, k, l, fo2, 0.02 * fo2 + 0.5))
    rows.append("%4d%4d%4d%8.2f%8.2f" % (0, 0, 0, 0, 0))
    (HERE / "paraben.hkl").write_text("\n".join(rows) + "\n")
    kept, skip = [], 0
    for line in lines:
        if line.startswith("O1 "):
            skip = 2
        if skip:
            skip -= 1
            continue
        kept.append(line)
    (HERE / "paraben_no_o1.res").write_text("\n".join(kept) + "\n")


if __name__ == "__main__":
    main()
