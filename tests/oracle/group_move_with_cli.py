#!/usr/bin/python3
"""Checks the group move of tavo-cli against gemmi on real SHELXL files.

    group_move_with_cli.py TAVO_CLI

For our example and every SHELXL file of the repository's tests/data/shelxl and of the corpus
(when present; files are copied to a temporary folder first), an anisotropic atom G is picked as
the group in "Move Group (define group)", the atom D farthest from it as the destination in
"Move Group (define destination)", Apply searches the placement, UpdtGMv commits it and the file
is saved. gemmi, from the file's own LATT and SYMM cards and CELL, must find that no placement
(operator and lattice translation -3..3) brings G nearer D than the saved position; the saved
Uij of G must be gemmi's turn of the old ones by that operator; G's riding H atoms must have moved
by the same placement; every other line must be as a plain save of the same file writes it.

Prints a line per failing file and exits 1 when any fails; 77 when gemmi cannot be imported.
"""
import re
import subprocess
import sys
import tempfile
from fractions import Fraction
from pathlib import Path

try:
    import gemmi
except ImportError:
    print("gemmi is not installed: skipped")
    sys.exit(77)

sys.path.insert(0, str(Path(__file__).resolve().parent))
import identify_with_cli as ident  # noqa: E402  (LATT centring of gemmi operators)

ROOT = Path(__file__).resolve().parents[2]
NOT_ATOMS = {"AFIX", "PART", "RESI", "HKLF", "END", "FVAR", "REM", "SUMP", "EADP", "EXYZ", "SAME",
             "SADI", "DFIX", "DANG", "FLAT", "DELU", "SIMU", "RIGU", "ISOR", "CHIV", "BUMP",
             "FRAG", "FEND", "CONN", "HFIX", "BIND", "FREE", "MPLA", "CONF", "HTAB", "EQIV"}


def logical_lines(lines):
    """Instruction lines with '=' continuations joined, each with the index of its first line."""
    out, pending, start = [], None, 0
    for i, raw in enumerate(lines):
        line = raw.split("!")[0].rstrip()
        if pending is not None:
            pending += " " + line.strip()
        else:
            pending, start = line, i
        if pending.endswith("="):
            pending = pending[:-1]
            continue
        out.append((start, pending))
        pending = None
    return out


def symm_op(text):
    """A SYMM card's operator; decimal translations (0.5+Y) become fractions for gemmi."""
    def fraction(match):
        return str(Fraction(match.group(0)).limit_denominator(12))
    return gemmi.Op(re.sub(r"\d*\.\d+", fraction, text.replace(" ", "").lower()))


def read_structure(lines):
    """CELL, LATT, SYMM, SFAC and the atoms between FVAR and HKLF of an instruction file."""
    cell, latt, symm, sfac, atoms = None, 1, [], [], []
    in_atoms = False
    for index, line in logical_lines(lines):
        words = line.split()
        if not words:
            continue
        head = words[0].upper()
        if head == "CELL":
            cell = gemmi.UnitCell(*map(float, words[2:8]))
        elif head == "LATT":
            latt = int(words[1])
        elif head == "SYMM":
            symm.append(symm_op(line.strip()[4:]))
        elif head == "SFAC":
            sfac += [w.upper() for w in words[1:] if w[0].isalpha()]
        elif head == "FVAR":
            in_atoms = True
        elif head in ("HKLF", "END"):
            in_atoms = False
        elif in_atoms:
            atoms.append((index, head, words))
    return cell, latt, symm, sfac, atoms


def atom_record(words, sfac):
    """Label, element, x, y, z and the six U (or None) of an atom line, or None."""
    try:
        numbers = [float(w) for w in words[1:]]
    except ValueError:
        return None
    if len(numbers) < 5 or words[0].upper() in NOT_ATOMS:
        return None
    element = sfac[int(numbers[0]) - 1] if 1 <= int(numbers[0]) <= len(sfac) else "?"
    u = numbers[5:11] if len(numbers) >= 11 else None
    return {"label": words[0], "element": element, "xyz": numbers[1:4], "sof": numbers[4],
            "u": u}


def group_ops(latt, symm):
    base = [ident.IDENTITY] + symm
    if latt > 0:
        base += [ident.INVERSION * op for op in base]
    return ident.centred(base, abs(latt))


def rotation(op):
    return [[x // gemmi.Op.DEN for x in row] for row in op.rot]


def turned_u(cell, op, u):
    """gemmi's turn of SHELXL's Uij by operator `op`, by way of Cartesian axes."""
    u11, u22, u33, u23, u13, u12 = u
    ucif = gemmi.SMat33d(u11, u22, u33, u12, u13, u23)
    rec = cell.reciprocal()
    n = gemmi.Mat33([[rec.a, 0, 0], [0, rec.b, 0], [0, 0, rec.c]])
    n_inv = gemmi.Mat33([[1 / rec.a, 0, 0], [0, 1 / rec.b, 0], [0, 0, 1 / rec.c]])
    r_cart = cell.orth.mat.multiply(gemmi.Mat33(rotation(op))).multiply(cell.frac.mat)
    moved = ucif.transformed_by(cell.orth.mat.multiply(n)).transformed_by(
        r_cart).transformed_by(n_inv.multiply(cell.frac.mat))
    return [moved.u11, moved.u22, moved.u33, moved.u23, moved.u13, moved.u12]


def placements(ops, xyz):
    for op in ops:
        p = op.apply_to_xyz(list(xyz))
        for ta in range(-3, 4):
            for tb in range(-3, 4):
                for tc in range(-3, 4):
                    yield op, (ta, tb, tc), [p[0] + ta, p[1] + tb, p[2] + tc]


def distance(cell, a, b):
    return cell.orthogonalize(gemmi.Fractional(*a)).dist(cell.orthogonalize(gemmi.Fractional(*b)))


def run(cli, folder, name, edits):
    script = f"open {name}\n{edits}\"Save *.ins\"\n"
    (folder / "script.tavo").write_text(script)
    done = subprocess.run([cli, "run", "script.tavo", "--program-folder", str(ROOT / "data")],
                          cwd=folder, capture_output=True, text=True)
    saved = folder / (Path(name).stem + ".ins")
    lines = saved.read_text(errors="replace").splitlines() if done.returncode == 0 else None
    return done, lines


def candidates(cell, atoms, sfac):
    """(G, D, G's riders) for anisotropic atoms with plain coordinates and unique labels."""
    records = [(i, atom_record(words, sfac)) for i, _, words in atoms]
    records = [(i, r) for i, r in records if r is not None]
    found = []
    counts = {}
    for _, r in records:
        counts[r["label"].upper()] = counts.get(r["label"].upper(), 0) + 1
    # A label used in several residues names more than one atom: a script cannot pick it.
    records = [(i, r) for i, r in records if counts[r["label"].upper()] == 1]
    for index, g in records:
        if g["element"] == "H" or g["u"] is None:
            continue
        if any(abs(v) >= 5 for v in g["xyz"]) or any(abs(v) >= 5 for v in g["u"]):
            continue
        riders = []
        following = atoms[[i for i, _, _ in atoms].index(index) + 1:]
        if following and following[0][1] == "AFIX" and following[0][2][1] not in ("0", "00"):
            for _, head, words in following[1:]:
                rider = atom_record(words, sfac)
                if rider is None or rider["element"] != "H":
                    break
                riders.append(rider)
        others = [r for _, r in records if r["element"] != "H" and r["label"] != g["label"]]
        if not others:
            continue
        d = max(others, key=lambda r: distance(cell, r["xyz"], g["xyz"]))
        found.append((g, d, riders))
    return found[:4]


def by_label(lines, sfac):
    _, _, _, _, atoms = read_structure(lines)
    out = {}
    for _, _, words in atoms:
        record = atom_record(words, sfac)
        if record is not None:
            out[record["label"].upper()] = record
    return out


def check_file(cli, source):
    faults = []
    with tempfile.TemporaryDirectory() as temp:
        folder = Path(temp)
        name = source.name
        original = source.read_text(errors="replace").splitlines()
        cell, latt, symm, sfac, atoms = read_structure(original)
        if cell is None:
            return [], False
        ops = group_ops(latt, symm)
        (folder / name).write_bytes(source.read_bytes())
        done, plain = run(cli, folder, name, "")
        if plain is None:
            return [], False
        for g, d, riders in candidates(cell, atoms, sfac):
            (folder / name).write_bytes(source.read_bytes())
            done, saved = run(cli, folder, name,
                              "mode Move Group (define group)\n"
                              f"pick {g['label']}\n"
                              "mode Move Group (define destination)\n"
                              f"pick {d['label']}\n"
                              "apply\n"
                              "set UpdtGMv 1\n")
            if saved is None:
                continue  # not reachable by a click, or the move left (-5, 5): the next one
            moved = by_label(saved, sfac)
            new = moved[g["label"].upper()]
            best = min(distance(cell, p, d["xyz"]) for _, _, p in placements(ops, g["xyz"]))
            match = [(op, t, p) for op, t, p in placements(ops, g["xyz"])
                     if max(abs(a - b) for a, b in zip(p, new["xyz"])) < 2e-6]
            if not match:
                faults.append(f"{name}: {g['label']} saved at {new['xyz']}, no placement of it")
                return faults, True
            op, t, p = match[0]
            if distance(cell, p, d["xyz"]) > best + 1e-5:
                faults.append(f"{name}: {g['label']} moved by {op.triplet()} {t} to "
                              f"{distance(cell, p, d['xyz']):.4f} A of {d['label']}, "
                              f"the best is {best:.4f} A")
            want_u = turned_u(cell, op, g["u"])
            if any(abs(a - b) > 6e-6 for a, b in zip(new["u"], want_u)):
                faults.append(f"{name}: {g['label']} U {new['u']}, gemmi {want_u}")
            turned = {r["label"].upper(): op.apply_to_xyz(r["xyz"]) for r in riders}
            for label, q in turned.items():
                got = moved[label]["xyz"]
                if max(abs(got[i] - (q[i] + t[i])) for i in range(3)) > 2e-6:
                    faults.append(f"{name}: rider {label} at {got}, not moved with its parent")
            changed = {g["label"].upper()} | set(turned)
            plain_atoms = by_label(plain, sfac)
            if set(plain_atoms) != set(moved):
                faults.append(f"{name}: the saved atoms differ from a plain save")
            for label, record in moved.items():
                if label not in changed and record != plain_atoms.get(label):
                    faults.append(f"{name}: {label} changed without being moved")
            if len(saved) != len(plain):
                faults.append(f"{name}: {len(saved)} lines saved, a plain save has {len(plain)}")
            else:
                unexpected = [a for a, b in zip(saved, plain) if a != b and
                              not any(a.upper().startswith(lab) for lab in changed)
                              and not a.startswith(" ") and not a.startswith("TITL")]
                if unexpected:
                    faults.append(f"{name}: other lines changed: {unexpected[:2]}")
            return faults, True
    return faults, False


def main():
    cli = sys.argv[1]
    files = [ROOT / "examples" / "paraben.res"] + sorted((ROOT / "tests" / "data" /
                                                           "shelxl").glob("*.*s"))
    corpus = ROOT.parent / "shared" / "corpus" / "shelxl"
    if corpus.is_dir():
        files += sorted(p for p in corpus.iterdir() if p.suffix in (".ins", ".res"))
    faults, checked = [], 0
    for source in files:
        found, moved = check_file(cli, source)
        faults += found
        checked += moved
    for fault in faults:
        print(fault)
    print(f"{checked} files moved a group, {len(faults)} faults")
    return 1 if faults or checked == 0 else 0


if __name__ == "__main__":
    sys.exit(main())
