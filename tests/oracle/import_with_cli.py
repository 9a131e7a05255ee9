#!/usr/bin/python3
"""Checks the structures that tavo-cli imports from real CIF and PDB files against gemmi.

    import_with_cli.py TAVO_CLI [--keep DIR]

Every CIF (cif_shelxl, cif_other) and PDB file of the shared corpus is imported by a `tavo-cli
run` script ("CIF" or "PDB" from the Import menu, the first data block with atoms) and saved
under a new name, then exported as PDB. gemmi then reads the source file and, independently, the saved instruction file
(gemmi.read_small_structure): the cell, the space-group operators, and every atom site (element,
fractional position) must agree; the PDB export, read by gemmi through its CRYST1 and SCALE
records, must hold the same sites. Files that gemmi cannot read
either must be refused by tavo-cli too.

Exits 1 when any file disagrees; 77 when gemmi or the corpus is missing.
"""
import argparse
import shutil
import subprocess
import sys
import tempfile
from pathlib import Path

try:
    import gemmi
except ImportError:
    print("gemmi is not installed: skipped")
    sys.exit(77)

ROOT = Path(__file__).resolve().parents[2]
CORPUS = ROOT.parent / "shared" / "corpus"


def cif_reference(path):
    block = next(b for b in gemmi.cif.read(str(path)) if b.find_value("_atom_site_fract_x") or
                 b.find_loop("_atom_site_fract_x"))
    small = gemmi.make_small_structure_from_block(block)
    return small


def pdb_reference(path):
    st = gemmi.read_structure(str(path))
    return st


def ops_of(small):
    group = small.find_spacegroup()
    if group is None:
        return None
    return sorted(op.triplet() for op in group.operations())


CENTRING = {1: ["0,0,0"], 2: ["0,0,0", "1/2,1/2,1/2"], 3: ["0,0,0", "2/3,1/3,1/3", "1/3,2/3,2/3"],
            4: ["0,0,0", "0,1/2,1/2", "1/2,0,1/2", "1/2,1/2,0"], 5: ["0,0,0", "0,1/2,1/2"],
            6: ["0,0,0", "1/2,0,1/2"], 7: ["0,0,0", "1/2,1/2,0"]}


def read_saved(path):
    """Cell, operator triplets (gemmi's) and sites of a saved instruction file, read plainly."""
    cell, latt, symm, sfac, sites = None, 1, [], [], []
    lines = path.read_text().splitlines()
    in_atoms = False
    for line in lines:
        words = line.split()
        if not words or line.startswith(" "):
            continue
        card = words[0].upper()
        if card == "CELL":
            cell = [float(w) for w in words[2:8]]
        elif card == "LATT":
            latt = int(words[1])
        elif card == "SYMM":
            symm.append(line[5:].replace(" ", ""))
        elif card == "SFAC":
            sfac = words[1:]
        elif card == "FVAR":
            in_atoms = True
        elif card in ("HKLF", "END"):
            in_atoms = False
        elif in_atoms:
            sites.append(site_key(sfac[int(words[1]) - 1], [float(w) for w in words[2:5]]))
    ops = [gemmi.Op("x,y,z")] + [gemmi.Op(t) for t in symm]
    if latt > 0:
        ops += [gemmi.Op("-x,-y,-z") * op for op in ops]
    full = []
    for vector in CENTRING[abs(latt)]:
        shift = gemmi.Op("x+%s,y+%s,z+%s" % tuple(vector.split(",")))
        full += [(shift * op).wrap() for op in ops]
    return cell, sorted(set(op.triplet() for op in full)), sites


def site_key(element, frac):
    wrapped = [round(v % 1.0, 3) % 1.0 for v in frac]
    return (element.upper(), tuple(wrapped))


def compare(name, source_sites, source_cell, source_ops, saved_path):
    cell, ops, saved_sites = read_saved(saved_path)
    problems = []
    for got, want in zip(cell, source_cell):
        if abs(got - want) > 1e-3:
            problems.append(f"cell {cell} != {source_cell}")
            break
    if source_ops is not None and ops != source_ops:
        problems.append(f"space-group operators differ: {ops} != {source_ops}")
    if sorted(saved_sites) != sorted(source_sites):
        missing = set(source_sites) - set(saved_sites)
        extra = set(saved_sites) - set(source_sites)
        problems.append(f"{len(saved_sites)} saved sites differ from {len(source_sites)} read by "
                        f"gemmi: missing {sorted(missing)[:3]}, extra {sorted(extra)[:3]}")
    return [f"{name}: {p}" for p in problems]


def check_pdb_export(name, saved_sites, exported):
    """The exported PDB, read by gemmi through its CRYST1 and SCALE records, holds the saved sites."""
    st = gemmi.read_structure(str(exported))
    got = [(a.element.name.upper(), st.cell.fractionalize(a.pos).tolist())
           for chain in st[0] for residue in chain for atom in [residue] for a in atom]
    if len(got) != len(saved_sites):
        return [f"{name}: the PDB export holds {len(got)} atoms, not {len(saved_sites)}"]
    unmatched = list(got)
    for element, frac in saved_sites:
        for candidate in unmatched:
            if candidate[0] == element and all(
                    min(abs(a - b) % 1.0, 1 - abs(a - b) % 1.0) < 2e-3
                    for a, b in zip(candidate[1], frac)):
                unmatched.remove(candidate)
                break
        else:
            return [f"{name}: the PDB export misses {element} at {frac}"]
    return []


def run_import(cli, folder, source, menu):
    shutil.copy(source, folder / source.name)
    unreadable = menu == "CIF-unreadable"
    if unreadable:
        menu = "CIF"
    script = folder / "import.tavo"
    # The block question comes only for a CIF with several blocks of atoms.
    several = not unreadable and menu == "CIF" and sum(
        1 for b in gemmi.cif.read(str(source))
        if b.find_value("_atom_site_fract_x") or b.find_loop("_atom_site_fract_x")) > 1
    question = "answer yes\n" if several else ""
    script.write_text(f"answer {source.name}\n{question}\"{menu}\"\nanswer imported.ins\n"
                      "\"Save *.ins\"\nanswer exported.pdb\n\"Save PDB\"\n")
    # A copy of the settings: an import through the dialog remembers its folder in dirinf.
    program = folder / "program"
    if not program.exists():
        shutil.copytree(ROOT / "data", program)
    result = subprocess.run([cli, "run", str(script), "--program-folder", str(program)],
                            cwd=folder, capture_output=True, text=True)
    return result.returncode, folder / "imported.ins"


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("cli")
    parser.add_argument("--keep")
    args = parser.parse_args()
    args.cli = str(Path(args.cli).resolve())
    if not CORPUS.is_dir():
        print("no corpus: skipped")
        return 77
    failures = []
    checked = 0
    files = [(p, "CIF") for d in ("cif_shelxl", "cif_other") for p in sorted((CORPUS / d).iterdir())
             if p.suffix.lower() == ".cif"]
    files += [(p, "PDB") for p in sorted((CORPUS / "pdb").iterdir()) if p.suffix == ".pdb"]
    for source, menu in files:
        with tempfile.TemporaryDirectory() as tmp:
            folder = Path(args.keep) / source.stem if args.keep else Path(tmp)
            folder.mkdir(parents=True, exist_ok=True)
            try:
                if menu == "CIF":
                    small = cif_reference(source)
                    cell = small.cell.parameters
                    ops = ops_of(small)
                    sites = [site_key(s.element.name, s.fract.tolist()) for s in small.sites]
                else:
                    st = pdb_reference(source)
                    cell = st.cell.parameters
                    ops = None
                    sites = []
                    for chain in st[0]:
                        for residue in chain:
                            for atom in residue:
                                sites.append(site_key(atom.element.name,
                                                      st.cell.fractionalize(atom.pos).tolist()))
            except (RuntimeError, ValueError, StopIteration) as error:
                status, _ = run_import(args.cli, folder, source, "CIF-unreadable")
                if status == 0:
                    failures.append(f"{source.name}: gemmi refuses it ({error}) but tavo-cli imports it")
                continue
            status, saved = run_import(args.cli, folder, source, menu)
            if status != 0 or not saved.exists():
                failures.append(f"{source.name}: tavo-cli did not import and save it")
                continue
            failures += compare(source.name, sites, cell, ops, saved)
            failures += check_pdb_export(source.name, read_saved(saved)[2], folder / "exported.pdb")
            checked += 1
    for failure in failures:
        print(failure)
    print(f"{checked} files imported and compared with gemmi")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
