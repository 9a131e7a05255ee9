#!/usr/bin/python3
"""Checks the space group that tavo-cli finds for SHELXL files of every group against gemmi.

    identify_with_cli.py TAVO_CLI [--keep DIR] [--jobs N]

For every setting of gemmi's table (groups 1 to 230: the reference settings, origin choices,
hexagonal and rhombohedral axes, monoclinic cell choices and unique axes, orthorhombic axis
permutations) a small instruction file is written with LATT and SYMM cards as SHELXL wants them
and without a REM SPCG line; `TAVO_CLI info --json FILE` must report gemmi's operator set and,
where the built-in table (groups 1 to 65) or spcg.inf holds a setting with that operator set,
"LATT/SYMM matched" with that group and setting (otherwise "LATT/SYMM"). Then every row of the
built-in table and every setting of spcg.inf is written with its REM SPCG line: the CLI must
report "REM SPCG", the group, setting and name, and gemmi's operators for that name. Files that
agree with themselves must open without a message.

Prints a line per failing group and exits 1 when any fails; 77 when gemmi cannot be imported.
"""
import argparse
import json
import re
import shutil
import subprocess
import sys
import tempfile
from concurrent.futures import ThreadPoolExecutor
from pathlib import Path

try:
    import gemmi
except ImportError:
    print("gemmi is not installed: skipped")
    sys.exit(77)

ROOT = Path(__file__).resolve().parents[2]
DEN = gemmi.Op.DEN
IDENTITY = gemmi.Op("x,y,z")
INVERSION = gemmi.Op("-x,-y,-z")

# SHELXL's lattice numbers by centring vectors (in gemmi's 1/24 units).
LATT_OF_CENTRING = {
    ((0, 0, 0),): 1,
    ((0, 0, 0), (12, 12, 12)): 2,
    ((0, 0, 0), (8, 16, 16), (16, 8, 8)): 3,
    ((0, 0, 0), (0, 12, 12), (12, 0, 12), (12, 12, 0)): 4,
    ((0, 0, 0), (0, 12, 12)): 5,
    ((0, 0, 0), (12, 0, 12)): 6,
    ((0, 0, 0), (12, 12, 0)): 7,
}
CENTRING_OF_LETTER = {"P": 1, "I": 2, "F": 4, "A": 5, "B": 6, "C": 7}

# The built-in table: group, setting, name as the program shows it.
BUILT_IN = [(1, 1, "P1"), (1, 2, "C1"), (1, 3, "F1"), (1, 4, "I1"), (2, 1, "P1-"), (3, 1, "P2"),
            (4, 1, "P21"), (5, 1, "C2"), (5, 2, "I2"), (6, 1, "Pm"), (7, 1, "Pc"), (7, 2, "Pn"),
            (7, 3, "Pa"), (8, 1, "Cm"), (8, 2, "Im"), (9, 1, "Cc"), (9, 2, "Ia"), (10, 1, "P2/m"),
            (11, 1, "P21/m"), (12, 1, "C2/m"), (12, 2, "I2/m"), (13, 1, "P2/c"), (13, 2, "P2/a"),
            (13, 3, "P2/n"), (14, 1, "P21/c"), (14, 2, "P21/a"), (14, 3, "P21/n"),
            (15, 1, "C2/c"), (15, 2, "I2/a")]
BUILT_IN += [(number, 1, name) for number, name in enumerate(
    "P222 P2221 P21212 P212121 C2221 C222 F222 I222 I212121 Pmm2 Pmc21 Pcc2 Pma2 Pca21 Pnc2 "
    "Pmn21 Pba2 Pna21 Pnn2 Cmm2 Cmc21 Ccc2 Amm2 Abm2 Ama2 Aba2 Fmm2 Fdd2 Imm2 Iba2 Ima2 Pmmm "
    "Pnnn Pccm Pban Pmma Pnna Pmna Pcca Pbam Pccn Pbcm Pnnm Pmmn Pbcn Pbca Pnma Cmcm Cmca "
    "Cmmm".split(), start=16)]
ORIGIN_2 = {"Pnnn", "Pban", "Pmmn"}


def op_set(ops):
    return frozenset(op.wrap().triplet() for op in ops)


def centred(sym_ops, latt):
    """The operators `sym_ops` shifted by each centring vector of SHELXL's lattice |latt|."""
    vectors = next(v for v, n in LATT_OF_CENTRING.items() if n == latt)
    return [gemmi.Op(op.triplet()).translated(list(v)).wrap() for v in vectors for op in sym_ops]


def built_in_operators(name, number):
    """gemmi's operators for a name of the built-in table."""
    if name in ("C1", "F1", "I1"):
        return centred([IDENTITY], CENTRING_OF_LETTER[name[0]])
    symbol = re.sub(r"(\d)-", r"-\1", name) + (":2" if name in ORIGIN_2 else "")
    sg = gemmi.find_spacegroup_by_name(symbol)
    assert sg is not None and sg.number == number, f"{name} is not group {number} in gemmi"
    return list(sg.operations())


def program_name(sg):
    """The name spcg.inf gives a gemmi setting: bars after their digit, no blanks, the suffix."""
    name = re.sub(r"-(\d)", r"\1-", sg.hm).replace(" ", "")
    return name + (":" + sg.ext if sg.ext not in ("\0", "") else "")


def cell_for(sg):
    system = sg.crystal_system_str()
    if system == "triclinic":
        return "7.1 8.2 9.3 81 83 87"
    if system == "monoclinic":
        # The unique axis: the one whose diagonal entry of the two-fold differs from the others.
        rot = next(op.rot for op in sg.operations().sym_ops if op.rot != IDENTITY.rot)
        diagonal = [rot[i][i] for i in range(3)]
        unique = next(i for i in range(3) if diagonal.count(diagonal[i]) == 1)
        angles = ["90", "90", "90"]
        angles[unique] = "104.5"
        return "7.1 8.2 9.3 " + " ".join(angles)
    if system == "orthorhombic":
        return "7.1 8.2 9.3 90 90 90"
    if system == "tetragonal":
        return "8.2 8.2 9.3 90 90 90"
    if system == "cubic":
        return "9.3 9.3 9.3 90 90 90"
    if sg.ext == "R":
        return "7.5 7.5 7.5 77 77 77"
    return "8.2 8.2 9.3 90 90 120"


def number_text(fraction_24, decimal):
    if decimal:
        return f"{fraction_24 / DEN:.5f}".rstrip("0")
    numerator, denominator = fraction_24, DEN
    for d in (2, 3):
        while numerator % d == 0 and denominator % d == 0:
            numerator //= d
            denominator //= d
    return f"{numerator}/{denominator}"


def symm_card(op, decimal):
    """An operator as SHELXL writes SYMM: translation first ("1/2-X" or "0.5-X"), upper case."""
    rows = []
    for i in range(3):
        text = number_text(op.tran[i] % DEN, decimal) if op.tran[i] % DEN else ""
        for j in range(3):
            v = op.rot[i][j] // DEN
            if v:
                text += ("-" if v < 0 else ("+" if text else "")) + "XYZ"[j]
        rows.append(text)
    return "SYMM " + ", ".join(rows)


def latt_symm(sg):
    """LATT n and the SYMM operators of a gemmi setting, as SHELXL wants them."""
    ops = sg.operations()
    vectors = tuple(sorted(tuple(v) for v in ops.cen_ops))
    latt = LATT_OF_CENTRING[vectors]
    full = op_set(ops)

    def coset_key(op):
        return frozenset(o.triplet() for o in centred([op], latt))

    if INVERSION.triplet() in full:
        written, covered = [], {coset_key(IDENTITY), coset_key(INVERSION)}
        for op in ops.sym_ops[1:]:
            key = coset_key(op)
            if key in covered:
                continue
            written.append(op)
            covered.add(key)
            covered.add(coset_key(INVERSION * op))
        return latt, written
    return -latt, list(ops.sym_ops[1:])


def instruction_file(sg, rem_spcg=None, decimal=False):
    latt, symm = latt_symm(sg)
    lines = [f"TITL {sg.xhm()}", f"CELL 0.71073 {cell_for(sg)}", "ZERR 4 0.001 0.001 0.001 0 0 0",
             f"LATT {latt}"]
    lines += [symm_card(op, decimal) for op in symm]
    lines += ["SFAC C", "UNIT 4"]
    if rem_spcg:
        lines.append(rem_spcg)
    lines += ["L.S. 4", "FVAR 1.0", "C1 1 0.1234 0.2345 0.3456 11.0 0.05", "HKLF 4", "END", ""]
    return "\n".join(lines)


def rem_spcg_line(name, number, setting):
    return f"REM SPCG{name:>12}  {number:3d}    {setting}"


class Case:
    def __init__(self, key, number, text, expected_ops, check):
        self.key = key            # what the failure line names
        self.number = number      # the group the failure is listed under
        self.text = text          # the instruction file
        self.expected_ops = expected_ops
        self.check = check        # (space_group) -> list of faults beyond the operator set


def make_cases():
    table = list(gemmi.spacegroup_table())
    # Every (group, setting) of the built-in table and of spcg.inf (gemmi's order) by operator set.
    known = {}
    for number, setting, name in BUILT_IN:
        known.setdefault(op_set(built_in_operators(name, number)), []).append((number, setting))
    settings = {}
    for sg in table:
        if sg.number >= 66:
            settings.setdefault(sg.number, []).append(sg)
    for number, group in settings.items():
        for setting, sg in enumerate(group, start=1):
            known.setdefault(op_set(sg.operations()), []).append((number, setting))

    cases = []
    for index, sg in enumerate(table):
        ops = list(sg.operations())
        candidates = known.get(op_set(ops), [])
        reference = gemmi.find_spacegroup_by_number(sg.number).xhm() == sg.xhm()

        def check(found, candidates=candidates, reference=reference):
            faults = []
            where = (found.get("number"), found.get("setting"))
            if candidates:
                if found.get("source") != "LATT/SYMM matched" or where not in candidates:
                    faults.append(f"{found.get('source')} {where}, expected LATT/SYMM matched "
                                  f"{' or '.join(map(str, candidates))}")
            elif found.get("source") != "LATT/SYMM":
                faults.append(f"{found.get('source')} {where}, expected LATT/SYMM (no setting "
                              f"of the table has this operator set)"
                              + (" [reference setting]" if reference else ""))
            return faults

        cases.append(Case(f"{sg.xhm()} (LATT/SYMM)", sg.number,
                          instruction_file(sg, decimal=index % 2 == 1), ops, check))

    def rem_case(number, setting, name, sg, ops):
        def check(found):
            got = (found.get("source"), found.get("number"), found.get("setting"),
                   found.get("name"))
            want = ("REM SPCG", number, setting, name)
            return [] if got == want else [f"reported {got}, expected {want}"]
        line = rem_spcg_line(name, number, setting)
        return Case(f"{name} (REM SPCG {number} {setting})", number,
                    instruction_file(sg, rem_spcg=line), ops, check)

    for number, setting, name in BUILT_IN:
        ops = built_in_operators(name, number)
        sg = gemmi.find_spacegroup_by_ops(gemmi.GroupOps([gemmi.Op(t) for t in op_set(ops)]))
        if sg is None:  # C1, F1, I1: no such setting in gemmi's table
            sg = gemmi.find_spacegroup_by_name("P1")
            cases.append(rem_case(number, setting, name, sg, ops))
            lattice = CENTRING_OF_LETTER[name[0]]
            cases[-1].text = cases[-1].text.replace("LATT -1", f"LATT -{lattice}")
        else:
            cases.append(rem_case(number, setting, name, sg, ops))
    for number, group in sorted(settings.items()):
        for setting, sg in enumerate(group, start=1):
            cases.append(rem_case(number, setting, program_name(sg), sg, list(sg.operations())))
    return cases


def run_case(cli, folder, program_folder, index, case):
    path = folder / f"case{index:04d}.ins"
    path.write_text(case.text, encoding="ascii")
    try:
        result = subprocess.run([cli, "info", str(path), "--json", "--program-folder",
                                 str(program_folder)], capture_output=True, text=True,
                                timeout=60)
    except subprocess.TimeoutExpired:
        return [f"{path.name}: tavo-cli did not finish in 60 s"]
    if result.returncode != 0:
        last = (result.stderr.strip().splitlines() or [""])[-1][:200]
        return [f"{path.name}: tavo-cli exit {result.returncode}: {last}"]
    try:
        info = json.loads(result.stdout)
    except json.JSONDecodeError as error:
        return [f"{path.name}: output is not JSON ({error})"]
    found = info.get("spaceGroup")
    if not isinstance(found, dict):
        return [f"{path.name}: no \"spaceGroup\" in the output"]
    faults = []
    texts = found.get("operators", [])
    try:
        got = [gemmi.Op(t) for t in texts]
    except (RuntimeError, ValueError) as error:
        return [f"{path.name}: an operator text cannot be read ({error}): {texts[:4]}"]
    expected = op_set(case.expected_ops)
    if op_set(got) != expected:
        missing = sorted(expected - op_set(got))
        extra = sorted(op_set(got) - expected)
        faults.append(f"{len(got)} operators, expected {len(expected)}: missing {missing[:3]}, "
                      f"extra {extra[:3]}")
    elif len(got) != len(expected):
        faults.append(f"{len(got)} operators for {len(expected)} different ones")
    if got and got[0] != IDENTITY:
        faults.append(f"the first operator is {texts[0]}, not x,y,z")
    faults += case.check(found)
    if info.get("messages"):
        faults.append(f"messages {info['messages']}")
    return [f"{path.name}: " + "; ".join(faults)] if faults else []


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("cli", help="the tavo-cli program")
    parser.add_argument("--keep", type=Path, help="write the files into DIR and keep them")
    parser.add_argument("--jobs", type=int, default=2)
    args = parser.parse_args()
    cases = make_cases()
    with tempfile.TemporaryDirectory(prefix="tavo-identify-") as temp:
        folder = args.keep or Path(temp)
        folder.mkdir(parents=True, exist_ok=True)
        program_folder = Path(temp) / "program"
        program_folder.mkdir()
        for entry in (ROOT / "data").iterdir():
            if entry.is_file():
                shutil.copy(entry, program_folder / entry.name)
        with ThreadPoolExecutor(max_workers=args.jobs) as pool:
            results = list(pool.map(lambda ic: run_case(args.cli, folder, program_folder, *ic),
                                    enumerate(cases)))
    failing = {}
    for case, faults in zip(cases, results):
        for fault in faults:
            failing.setdefault(case.number, []).append(f"{case.key} {fault}")
    for number in sorted(failing):
        print(f"group {number}: {len(failing[number])} failing: " + " | ".join(failing[number]))
    print(f"{len(cases)} files of {len({c.number for c in cases})} groups: "
          f"{sum(1 for r in results if r)} failing in {len(failing)} groups")
    return 1 if failing else 0


if __name__ == "__main__":
    sys.exit(main())
