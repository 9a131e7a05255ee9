#!/usr/bin/python3
"""Writes data/spcg.inf, the operator sets of space groups 66 to 230, from gemmi's table.

    tools/make_spcg_inf.py            write data/spcg.inf
    tools/make_spcg_inf.py --check    compare data/spcg.inf with what would be written
    tools/make_spcg_inf.py -o FILE    write FILE instead

Needs gemmi's Python module (Debian: python3-gemmi). The output depends only on gemmi's table,
so a second run writes the same bytes.
"""
import argparse
import re
import sys
from pathlib import Path

import gemmi

FIRST_GROUP = 66
LAST_GROUP = 230
MAX_NAME = 12
MAX_OPERATORS = 192
# The translation units, coarsest first, as fractions of gemmi's denominator (24).
UNITS = [(2, "1/2"), (3, "1/3"), (4, "1/4"), (6, "1/6"), (12, "1/12")]
DEN = gemmi.Op.DEN

HEADER = """\
REM spcg.inf: the space groups above 65 (the program has groups 1 to 65 built in).
REM Written by tools/make_spcg_inf.py from the space-group table of gemmi {version};
REM do not edit by hand: change the script and run it again (--check compares).
REM
REM Every setting gemmi's table holds for a group is listed, in the table's order.
REM Names: the Hermann-Mauguin symbol without blanks, subscripts as digits and a bar written
REM as "-" after its digit (P4-21c, Fm3-m, R3-c, P42/mnm). Where the table has two origin
REM choices the name ends in ":1" or ":2"; rhombohedral groups are given in hexagonal (":H")
REM and in rhombohedral (":R") axes. Other settings (axis permutations, C and F cells of
REM tetragonal groups, shifted origins) carry their own symbol (Amaa, Ibam, C422, P42212a).
REM
REM Layout: "#n" starts group n and "END" ends it; the next line holds the number of settings.
REM "$k" starts setting k and "SEND" ends it; the next line holds the name, the number of
REM operators, the translation unit and the unit as a fraction. Each operator line holds
REM r11 r12 r13 t1 r21 r22 r23 t2 r31 r32 r33 t3, the t in multiples of the unit, reduced into
REM [0, 1). The operators are the coset representatives (identity first), then the same shifted
REM by each centring vector in turn.
"""


def setting_name(sg):
    """The group's Hermann-Mauguin symbol in the program's style, with the setting suffix."""
    name = re.sub(r"-(\d)", r"\1-", sg.hm).replace(" ", "")
    if sg.ext not in ("\0", ""):
        name += ":" + sg.ext
    assert len(name) <= MAX_NAME, f"{sg.xhm()}: name {name!r} is longer than {MAX_NAME}"
    return name


def operator_rows(sg):
    """The operators of the setting as integer rows, and the unit's denominator and text."""
    operations = list(sg.operations())
    assert operations[0] == gemmi.Op("x,y,z"), f"{sg.xhm()}: the first operator is not x,y,z"
    assert len(operations) <= MAX_OPERATORS, f"{sg.xhm()}: {len(operations)} operators"
    translations = [t % DEN for op in operations for t in op.tran]
    for denominator, text in UNITS:
        step = DEN // denominator
        if all(t % step == 0 for t in translations):
            break
    else:
        raise AssertionError(f"{sg.xhm()}: a translation is not a multiple of 1/12")
    rows = []
    for op in operations:
        row = []
        for i in range(3):
            for j in range(3):
                assert op.rot[i][j] % DEN == 0
                row.append(op.rot[i][j] // DEN)
            row.append((op.tran[i] % DEN) // step)
        rows.append(row)
    return rows, denominator, text


def settings_by_group():
    groups = {}
    for sg in gemmi.spacegroup_table():
        if FIRST_GROUP <= sg.number <= LAST_GROUP:
            groups.setdefault(sg.number, []).append(sg)
    assert sorted(groups) == list(range(FIRST_GROUP, LAST_GROUP + 1))
    return groups


def spcg_inf_text():
    lines = HEADER.format(version=gemmi.__version__).splitlines()
    for number, settings in sorted(settings_by_group().items()):
        names = [setting_name(sg) for sg in settings]
        assert len(set(names)) == len(names), f"group {number}: names repeat: {names}"
        lines += [f"#{number}", str(len(settings))]
        for k, (sg, name) in enumerate(zip(settings, names), start=1):
            rows, denominator, text = operator_rows(sg)
            lines += [f"${k}", f"{name} {len(rows)} {1.0 / denominator:.17g} {text}"]
            lines += [" ".join(str(v) for v in row) for row in rows]
            lines.append("SEND")
        lines.append("END")
    return "\n".join(lines) + "\n"


def main():
    default = Path(__file__).resolve().parent.parent / "data" / "spcg.inf"
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--check", action="store_true",
                        help="compare the file with what would be written; exit 1 if they differ")
    parser.add_argument("-o", "--output", type=Path, default=default)
    args = parser.parse_args()
    text = spcg_inf_text()
    if args.check:
        try:
            old = args.output.read_text(encoding="ascii")
        except OSError as error:
            print(f"{args.output}: {error}", file=sys.stderr)
            return 1
        # The gemmi version in the header is where the data came from, not part of the data.
        version = re.compile(r"(table of gemmi) \S+;")
        old, text = version.sub(r"\1 ?;", old), version.sub(r"\1 ?;", text)
        if old == text:
            return 0
        old_lines, new_lines = old.splitlines(), text.splitlines()
        for index, (a, b) in enumerate(zip(old_lines, new_lines)):
            if a != b:
                print(f"{args.output}:{index + 1}: is {a!r}, would be {b!r}", file=sys.stderr)
                return 1
        index = min(len(old_lines), len(new_lines))
        print(f"{args.output}:{index + 1}: the files differ in length "
              f"({len(old_lines)} lines, would be {len(new_lines)})", file=sys.stderr)
        return 1
    with open(args.output, "w", encoding="ascii", newline="\n") as out:
        out.write(text)
    return 0


if __name__ == "__main__":
    sys.exit(main())
