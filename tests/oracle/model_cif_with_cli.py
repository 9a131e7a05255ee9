#!/usr/bin/python3
"""Reads the CIF that `tavo-cli export --to cif` writes of real structures back with gemmi.

    model_cif_with_cli.py TAVO_CLI

For our example, the instruction files of tests/data/shelxl and those of the shared corpus, the
model as `tavo-cli info --json` reports it is compared with gemmi's reading of the exported CIF:
the cell; the symmetry operators (and, when the CIF names the group, gemmi's own operators of
that name); every site in order with its element, fractional position, occupancy (the sof times
the number of operators that leave the site in place, counted here), Uij of anisotropic atoms
and U_iso_or_equiv (Ueq computed here from gemmi's orthogonalisation; a riding H atom's multiple
of its parent's Ueq). Where SHELXL's own CIF of the same refinement is in the corpus, its
U_iso_or_equiv and occupancies must agree with ours within its rounding. The CIFs of the corpus
(and ours of two blocks) are imported and exported again (`tavo-cli export FILE.cif --to cif`):
gemmi must read the same cell, space-group operators, sites and occupancies from both.

Exits 1 when anything disagrees; 77 when gemmi is missing.
"""
import json
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
DATA = str(ROOT / "data")

# Instruction files of the corpus and SHELXL's CIF of the same refinement.
SHELXL_CIFS = {
    "hikari_NaCl_Fm-3m.res": "hikari_NaCl_Fm-3m.cif",
    "logbooker_dom1_mC.res": "logbooker_dom1_mC.cif",
    "xharpy_L-Ala_iam.res": "xharpy_L-Ala_iam.cif",
    "structurefinder_051a_p21c.res": "structurefinder_051a_p21c_DK_NTD51a-final.cif",
}


def run(cli, *args, cwd):
    return subprocess.run([cli, *args, "--program-folder", DATA], cwd=cwd, capture_output=True,
                          text=True)


def ops_set(triplets):
    return sorted(set(gemmi.Op(t).wrap().triplet() for t in triplets))


def site_order(operators, frac):
    """How many operators map the position onto itself, modulo lattice translations."""
    count = 0
    for op in operators:
        moved = op.apply_to_xyz(frac)
        if all(abs(d - round(d)) < 1e-4 for d in (m - f for m, f in zip(moved, frac))):
            count += 1
    return max(count, 1)


def ueq(cell, u):
    """A third of the trace of the Cartesian tensor of SHELXL's U11 U22 U33 U23 U13 U12."""
    o = cell.orthogonalization_matrix.tolist()
    r = cell.reciprocal()
    n = [r.a, r.b, r.c]
    t = [[u[0], u[5], u[4]], [u[5], u[1], u[3]], [u[4], u[3], u[2]]]
    star = [[t[i][j] * n[i] * n[j] for j in range(3)] for i in range(3)]
    trace = 0.0
    for i in range(3):
        for j in range(3):
            for k in range(3):
                trace += o[i][j] * star[j][k] * o[i][k]
    return trace / 3.0


def check(cli, source, folder):
    """Problems of one structure; None when tavo-cli does not open it."""
    info = run(cli, "info", str(source), "--json", cwd=folder)
    if info.returncode != 0:
        return None
    model = json.loads(info.stdout)
    out = folder / "model.cif"
    exported = run(cli, "export", str(source), "--to", "cif", "-o", str(out), cwd=folder)
    if exported.returncode != 0:
        return [f"the export failed: {exported.stderr.strip()}"]
    block = gemmi.cif.read(str(out)).sole_block()
    small = gemmi.make_small_structure_from_block(block)
    problems = []
    c = model["cell"]
    want = [c["a"], c["b"], c["c"], c["alpha"], c["beta"], c["gamma"]]
    if any(abs(g - w) > 1e-4 for g, w in zip(small.cell.parameters, want)):
        problems.append(f"cell {small.cell.parameters} != {want}")
    model_ops = ops_set(model["spaceGroup"]["operators"])
    loop_ops = ops_set(gemmi.cif.as_string(t)
                       for t in block.find_loop("_space_group_symop_operation_xyz"))
    if loop_ops != model_ops:
        problems.append(f"operators {loop_ops} != the model's {model_ops}")
    name = block.find_value("_space_group_name_H-M_alt")
    if name:
        group = gemmi.find_spacegroup_by_name(gemmi.cif.as_string(name))
        if group is None:
            problems.append(f"gemmi knows no group {name}")
        elif ops_set(op.triplet() for op in group.operations()) != loop_ops:
            problems.append(f"the group {name} has other operators than the loop")
    operators = [gemmi.Op(t) for t in model["spaceGroup"]["operators"]]
    atoms = model["atoms"]
    elements = [e["symbol"] for e in model["elements"]]
    if len(small.sites) != len(atoms):
        return problems + [f"{len(small.sites)} sites for {len(atoms)} atoms"]
    ueq_by_group = {}
    for atom in atoms:
        if atom["kind"] == 1 and atom["afixGroup"] > 0:
            u = atom["u"]
            ueq_by_group[atom["afixGroup"]] = ueq(small.cell, u) if atom["aniso"] else u[0]
    for site, atom in zip(small.sites, atoms):
        where = f"{site.label} ({atom['label']})"
        if not site.label.upper().startswith(atom["label"].upper()):
            problems.append(f"{where}: label")
        symbol = elements[atom["sfac"] - 1]
        if site.element.name.upper() != symbol.upper():
            problems.append(f"{where}: element {site.element.name} != {symbol}")
        if any(abs(g - w) > 2e-6 for g, w in zip(site.fract.tolist(), atom["frac"])):
            problems.append(f"{where}: position {site.fract.tolist()} != {atom['frac']}")
        occupancy = atom["sof"] * site_order(operators, atom["frac"])
        if abs(site.occ - occupancy) > 1e-4:
            problems.append(f"{where}: occupancy {site.occ} != {occupancy}")
        u = atom["u"]
        if atom["aniso"]:
            got = [site.aniso.u11, site.aniso.u22, site.aniso.u33, site.aniso.u23,
                   site.aniso.u13, site.aniso.u12]
            if any(abs(g - w) > 6e-6 for g, w in zip(got, u)):
                problems.append(f"{where}: Uij {got} != {u}")
            expected = ueq(small.cell, u)
        elif u[0] < 0:
            parent = ueq_by_group.get(atom["afixGroup"])
            expected = None if parent is None else -u[0] * parent
        else:
            expected = u[0]
        if expected is not None and abs(site.u_iso - expected) > 6e-6:
            problems.append(f"{where}: U {site.u_iso} != {expected}")
    if source.name in SHELXL_CIFS:
        problems += against_shelxl(small, CORPUS / "cif_shelxl" / SHELXL_CIFS[source.name])
    return problems


def against_shelxl(ours, path):
    """Ueq and occupancy of each label against SHELXL's CIF, within a unit of its last digit."""
    block = next(b for b in gemmi.cif.read(str(path)) if b.find_loop("_atom_site_label"))
    table = block.find("_atom_site_", ["label", "U_iso_or_equiv", "?occupancy"])
    # SHELXL writes labels in its own case ("Cl1" for CL1).
    theirs = {row[0].upper(): (row[1], row[2] if row.has(2) else "1") for row in table}
    problems, compared = [], 0
    for site in ours.sites:
        label = site.label.upper()
        if label not in theirs:
            continue
        compared += 1
        for what, value, text in (("Ueq", site.u_iso, theirs[label][0]),
                                  ("occupancy", site.occ, theirs[label][1])):
            number = text.split("(")[0]
            decimals = len(number.split(".")[1]) if "." in number else 0
            # Both sides rounded, ours from the Uij as the .res rounds them.
            if abs(value - float(number)) > 10 ** -decimals + 6e-6:
                problems.append(f"{site.label}: {what} {value} but SHELXL's CIF has {text}")
    if compared == 0:
        problems.append(f"no label in common with {path.name}")
    return problems


def round_trip(cli, source, folder):
    """Problems of a CIF imported and exported again, against gemmi's reading of the source."""
    try:
        blocks = [b for b in gemmi.cif.read(str(source)) if b.find_value("_atom_site_fract_x") or
                  b.find_loop("_atom_site_fract_x")]
        reference = gemmi.make_small_structure_from_block(blocks[0])
    except (RuntimeError, ValueError, IndexError):
        return None
    out = folder / "again.cif"
    exported = run(cli, "export", str(source), "--to", "cif", "-o", str(out), cwd=folder)
    if exported.returncode != 0:
        return None  # refused as the import oracle expects
    ours = gemmi.make_small_structure_from_block(gemmi.cif.read(str(out)).sole_block())
    problems = []
    if any(abs(g - w) > 1e-3 for g, w in zip(ours.cell.parameters, reference.cell.parameters)):
        problems.append(f"cell {ours.cell.parameters} != {reference.cell.parameters}")
    group = reference.find_spacegroup()
    block = gemmi.cif.read(str(out)).sole_block()
    loop_ops = ops_set(gemmi.cif.as_string(t)
                       for t in block.find_loop("_space_group_symop_operation_xyz"))
    if group is not None and ops_set(op.triplet() for op in group.operations()) != loop_ops:
        problems.append(f"operators {loop_ops} are not those of {group.hm}")
    if len(ours.sites) != len(reference.sites):
        return problems + [f"{len(ours.sites)} sites for {len(reference.sites)}"]
    # The import puts the H atoms after the other atoms: sites are matched by element and place.
    def near(a, b):
        return all(min(abs(x - y) % 1, 1 - abs(x - y) % 1) < 1e-5
                   for x, y in zip(a.fract.tolist(), b.fract.tolist()))
    unmatched = list(ours.sites)
    for theirs in reference.sites:
        mine = next((m for m in unmatched if m.element.name == theirs.element.name and
                     near(m, theirs)), None)
        if mine is None:
            problems.append(f"{theirs.label} {theirs.element.name} at {theirs.fract.tolist()} "
                            "is not exported")
            continue
        unmatched.remove(mine)
        if abs(mine.occ - theirs.occ) > 2e-4:
            problems.append(f"{mine.label} ({theirs.label}): occupancy {mine.occ} != {theirs.occ}")
    return problems


def main():
    cli = str(Path(sys.argv[1]).resolve())
    sources = [ROOT / "examples" / "paraben.res"]
    sources += sorted(p for p in (ROOT / "tests" / "data" / "shelxl").iterdir()
                      if p.suffix in (".ins", ".res"))
    if CORPUS.is_dir():
        sources += sorted(p for p in (CORPUS / "shelxl").iterdir() if p.suffix in (".ins", ".res"))
    failures, checked = [], 0
    for source in sources:
        with tempfile.TemporaryDirectory() as tmp:
            problems = check(cli, source, Path(tmp))
        if problems is None:
            continue
        checked += 1
        failures += [f"{source.name}: {p}" for p in problems]
    # The CIFs of the corpus imported and exported again keep cell, group, sites and occupancies.
    cifs = []
    if CORPUS.is_dir():
        cifs = sorted(p for d in ("cif_shelxl", "cif_other") for p in (CORPUS / d).iterdir()
                      if p.suffix.lower() == ".cif")
    for source in [ROOT / "tests" / "data" / "import" / "two_blocks.cif"] + cifs:
        with tempfile.TemporaryDirectory() as tmp:
            problems = round_trip(cli, source, Path(tmp))
        if problems is None:
            continue
        checked += 1
        failures += [f"{source.name} imported: {p}" for p in problems]
    for failure in failures:
        print(failure)
    print(f"{checked} structures exported as CIF and read back by gemmi")
    return 1 if failures or checked == 0 else 0


if __name__ == "__main__":
    sys.exit(main())
