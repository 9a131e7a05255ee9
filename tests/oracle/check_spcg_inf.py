#!/usr/bin/python3
"""Checks data/spcg.inf against gemmi's space-group tables.

Reads the file as the program does (its own reader here, not the generator's code) and compares
every setting of groups 66 to 230 with gemmi: the same operator set, the same centring, the
count and order gemmi has, the identity first, the translation unit the coarsest that holds every
translation, names of at most 12 characters that gemmi reads back as the same setting and that do
not repeat within a group. Then runs tools/make_spcg_inf.py --check. Exit 0 when all agree, 1 with
a line per fault, 77 when gemmi cannot be imported.

    check_spcg_inf.py [SPCG_INF]
"""
import re
import subprocess
import sys
from fractions import Fraction
from pathlib import Path

try:
    import gemmi
except ImportError:
    print("gemmi is not installed: skipped")
    sys.exit(77)

ROOT = Path(__file__).resolve().parents[2]
UNIT_TEXTS = {"1/2": 2, "1/3": 3, "1/4": 4, "1/6": 6, "1/12": 12}
DEN = gemmi.Op.DEN


class Setting:
    def __init__(self, number, index, line):
        self.number = number
        self.index = index
        self.line = line
        self.name = ""
        self.count = 0
        self.unit = 0.0
        self.unit_text = ""
        self.rows = []


def read_spcg_inf(path, faults):
    """Group number -> (declared number of settings, [Setting]) by the file's marker lines."""
    lines = [line.strip(" \t\r\n\f\v\0") for line in path.read_text(encoding="ascii").splitlines()]
    groups = {}
    i = 0
    while i < len(lines):
        group = re.fullmatch(r"#(\d+)", lines[i])
        if not group:
            if re.fullmatch(r"\$\d+|END|SEND", lines[i]):
                faults.append(f"line {i + 1}: {lines[i]!r} outside a group")
            i += 1
            continue
        number = int(group.group(1))
        if number in groups:
            faults.append(f"line {i + 1}: group {number} again")
        end = next((j for j in range(i + 1, len(lines)) if lines[j] == "END"), None)
        if end is None:
            faults.append(f"group {number}: no END")
            break
        declared = int(lines[i + 1]) if re.fullmatch(r"\d+", lines[i + 1]) else -1
        settings = []
        j = i + 2
        while j < end:
            start = re.fullmatch(r"\$(\d+)", lines[j])
            if not start:
                if lines[j]:
                    faults.append(f"line {j + 1}: {lines[j]!r} between settings of group {number}")
                j += 1
                continue
            setting = Setting(number, int(start.group(1)), j + 1)
            send = next((k for k in range(j + 1, end) if lines[k] == "SEND"), None)
            if send is None:
                faults.append(f"group {number} setting {setting.index}: no SEND before END")
                break
            words = lines[j + 1].split(None, 3)
            try:
                setting.name, count, unit, setting.unit_text = words
                setting.count, setting.unit = int(count), float(unit)
            except ValueError:
                faults.append(f"line {j + 2}: the header {lines[j + 1]!r} is not: name, count, "
                              "unit, unit text")
            for k in range(j + 2, send):
                try:
                    setting.rows.append([int(v) for v in lines[k].split()])
                except ValueError:
                    faults.append(f"line {k + 1}: {lines[k]!r} is not a row of integers")
            settings.append(setting)
            j = send + 1
        groups[number] = (declared, settings)
        i = end + 1
    return groups


def gemmi_op(row, unit_denominator):
    """The gemmi operator of a row of twelve integers (translations in 1/unit_denominator)."""
    rot = [[row[4 * i + j] * DEN for j in range(3)] for i in range(3)]
    tran = [row[4 * i + 3] * (DEN // unit_denominator) for i in range(3)]
    return make_op(rot, tran)


def make_op(rot, tran):
    op = gemmi.Op()
    op.rot = rot
    op.tran = tran
    return op


def check_setting(setting, sg, faults):
    where = f"group {setting.number} setting {setting.index} ({setting.name or '?'})"
    expected = list(sg.operations())
    if setting.count != len(setting.rows):
        faults.append(f"{where}: the header says {setting.count} operators, "
                      f"{len(setting.rows)} follow")
    if setting.count > 192:
        faults.append(f"{where}: {setting.count} operators, more than 192")
    if len(setting.rows) != len(expected):
        faults.append(f"{where}: {len(setting.rows)} operators, gemmi has {len(expected)}")
    if len(setting.name) > 12 or " " in setting.name:
        faults.append(f"{where}: the name is longer than 12 characters or has a blank")
    back = gemmi.find_spacegroup_by_name(re.sub(r"(\d)-", r"-\1", setting.name))
    if back is None or back.xhm() != sg.xhm():
        faults.append(f"{where}: the name reads as {back.xhm() if back else None}, "
                      f"the setting is {sg.xhm()}")
    denominator = UNIT_TEXTS.get(setting.unit_text)
    if denominator is None or abs(setting.unit - 1.0 / denominator) > 1e-15:
        faults.append(f"{where}: the unit {setting.unit!r} {setting.unit_text!r} is not one of "
                      "1/2, 1/3, 1/4, 1/6, 1/12")
        return
    ops = []
    for number, row in enumerate(setting.rows, start=1):
        if len(row) != 12 or any(v not in (-1, 0, 1) for k, v in enumerate(row) if k % 4 != 3) \
                or any(not 0 <= row[k] < denominator for k in (3, 7, 11)):
            faults.append(f"{where}: operator {number} {row} is not a rotation of -1, 0, 1 "
                          f"with translations in [0, 1)")
            return
        ops.append(gemmi_op(row, denominator))
    if not ops or ops[0] != gemmi.Op("x,y,z"):
        faults.append(f"{where}: the first operator is not x,y,z")
    triplets = [op.triplet() for op in ops]
    if len(set(triplets)) != len(triplets):
        faults.append(f"{where}: an operator is listed twice")
    if set(triplets) != {op.triplet() for op in expected}:
        missing = sorted({op.triplet() for op in expected} - set(triplets))
        extra = sorted(set(triplets) - {op.triplet() for op in expected})
        faults.append(f"{where}: not gemmi's operator set: missing {missing[:4]}, "
                      f"extra {extra[:4]}")
        return
    # The centring: the pure translations, and the list being the coset representatives followed
    # by the same shifted by each centring vector in gemmi's order.
    centring = [list(t) for t in sg.operations().cen_ops]
    pure = sorted(op.tran for op in ops if op.rot == gemmi.Op("x,y,z").rot)
    if pure != sorted(centring):
        faults.append(f"{where}: centring vectors {pure}, gemmi has {centring}")
    cosets = len(ops) // len(centring)
    for c, vector in enumerate(centring):
        for k in range(cosets):
            shifted = make_op(ops[k].rot, [ops[k].tran[i] + vector[i] for i in range(3)]).wrap()
            if ops[c * cosets + k] != shifted:
                faults.append(f"{where}: operator {c * cosets + k + 1} is not operator {k + 1} "
                              f"shifted by centring vector {c + 1}")
                return
    coarser = [d for d in UNIT_TEXTS.values() if d < denominator and DEN % d == 0]
    for d in coarser:
        if all(Fraction(t, DEN) * d == int(Fraction(t, DEN) * d) for op in ops for t in op.tran):
            faults.append(f"{where}: the unit 1/{denominator} could be 1/{d}")
            break


def main():
    path = Path(sys.argv[1]) if len(sys.argv) > 1 else ROOT / "data" / "spcg.inf"
    faults = []
    groups = read_spcg_inf(path, faults)
    expected = {}
    for sg in gemmi.spacegroup_table():
        if 66 <= sg.number <= 230:
            expected.setdefault(sg.number, []).append(sg)
    if sorted(groups) != sorted(expected):
        faults.append(f"groups missing: {sorted(set(expected) - set(groups))}, "
                      f"not in gemmi: {sorted(set(groups) - set(expected))}")
    total = 0
    for number, (declared, settings) in sorted(groups.items()):
        gemmi_settings = expected.get(number, [])
        if declared != len(settings):
            faults.append(f"group {number}: {declared} settings declared, {len(settings)} follow")
        if len(settings) != len(gemmi_settings):
            faults.append(f"group {number}: {len(settings)} settings, gemmi has "
                          f"{len(gemmi_settings)}")
        if [s.index for s in settings] != list(range(1, len(settings) + 1)):
            faults.append(f"group {number}: settings numbered {[s.index for s in settings]}")
        names = [s.name for s in settings]
        if len(set(names)) != len(names):
            faults.append(f"group {number}: names repeat: {names}")
        for setting, sg in zip(settings, gemmi_settings):
            check_setting(setting, sg, faults)
            total += 1
    if path == ROOT / "data" / "spcg.inf":
        generator = subprocess.run([sys.executable, str(ROOT / "tools" / "make_spcg_inf.py"),
                                    "--check"], capture_output=True, text=True)
        if generator.returncode != 0:
            faults.append("make_spcg_inf.py --check: " + generator.stderr.strip())
    for fault in faults:
        print(fault)
    print(f"{path}: {len(groups)} groups, {total} settings compared with gemmi "
          f"{gemmi.__version__}: {len(faults)} faults")
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main())
