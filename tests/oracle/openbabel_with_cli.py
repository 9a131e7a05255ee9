#!/usr/bin/python3
"""Reads the PDB, XYZ, Gaussian and Cartesian exports of `tavo-cli export` with Open Babel.

    openbabel_with_cli.py TAVO_CLI

For our example, the instruction files of tests/data/shelxl and those of the shared corpus, the
model that `tavo-cli info --json` reports (atoms then H atoms, fractional coordinates, the cell)
is compared with what Open Babel (`obabel`) reads from each export:

- PDB: every atom with its element; every interatomic distance equals the model's (computed here
  from the fractional coordinates and the cell); the CRYST1 cell; the CONECT bonds join atoms that
  are the model's bonds.
- XYZ (the cell line and "label x y z" in fractional coordinates): read as Open Babel's free-form
  fractional format. That format wants a title line, the cell alone on the next line and element
  symbols, so the title is added, the cell line cut to its six numbers and each label replaced by
  the model's element of that atom; the cell and the distances must then be the model's.
- Gaussian input: the sections are checked by Gaussian's rules (Link 0 lines, the route section,
  a blank line, the title, a blank line, charge and multiplicity, the molecule up to a blank
  line). Open Babel only writes Gaussian input, so the molecule section is handed to its XYZ
  reader, each label again replaced by the model's element; the distances must be the model's.
- Cartesian (.abc, "label X Y Z" in Å): the lines given to the XYZ reader in the same way.

Exits 1 when anything disagrees; 77 when obabel is missing.
"""
import json
import math
import shutil
import subprocess
import sys
import tempfile
from pathlib import Path

ROOT = Path(__file__).resolve().parents[2]
CORPUS = ROOT.parent / "shared" / "corpus"
DATA = str(ROOT / "data")
OBABEL = shutil.which("obabel")


def tavo(cli, *args, cwd):
    return subprocess.run([cli, *args, "--program-folder", DATA], cwd=cwd, capture_output=True,
                          text=True)


def obabel(input_format, path, output_format):
    result = subprocess.run([OBABEL, "-i" + input_format, str(path), "-o" + output_format],
                            capture_output=True, text=True)
    return result.stdout


def read_sdf(text):
    """Elements, coordinates and bonds (0-based pairs) of the first molecule of an MDL file."""
    lines = text.splitlines()
    if len(lines) < 4:
        return [], [], []
    atoms, bonds = int(lines[3][0:3]), int(lines[3][3:6])
    elements, positions = [], []
    for line in lines[4:4 + atoms]:
        positions.append([float(line[0:10]), float(line[10:20]), float(line[20:30])])
        elements.append(line[31:34].strip())
    pairs = [(int(line[0:3]) - 1, int(line[3:6]) - 1) for line in lines[4 + atoms:4 + atoms + bonds]]
    return elements, positions, pairs


def cif_cell(text):
    cell = {}
    for line in text.splitlines():
        words = line.split()
        if len(words) == 2 and words[0].startswith("_cell_"):
            cell[words[0]] = float(words[1].split("(")[0])
    names = ["length_a", "length_b", "length_c", "angle_alpha", "angle_beta", "angle_gamma"]
    return [cell.get("_cell_" + n) for n in names]


def orthogonalise(cell):
    a, b, c, alpha, beta, gamma = cell
    ca, cb, cg = (math.cos(math.radians(v)) for v in (alpha, beta, gamma))
    sg = math.sin(math.radians(gamma))
    volume = a * b * c * math.sqrt(1 - ca * ca - cb * cb - cg * cg + 2 * ca * cb * cg)
    return lambda f: [a * f[0] + b * cg * f[1] + c * cb * f[2],
                      b * sg * f[1] + c * (ca - cb * cg) / sg * f[2],
                      volume / (a * b * sg) * f[2]]


def distance_problems(what, model_positions, positions, tolerance):
    if len(positions) != len(model_positions):
        return [f"{what}: {len(positions)} atoms read for {len(model_positions)}"]
    worst = 0.0
    for i in range(len(positions)):
        for j in range(i):
            worst = max(worst, abs(math.dist(positions[i], positions[j]) -
                                   math.dist(model_positions[i], model_positions[j])))
    return [f"{what}: distances differ by up to {worst:.4f} Å"] if worst > tolerance else []


def with_elements(lines, elements):
    """The "label x y z" lines with each label replaced by the model's element."""
    return [" ".join([element] + line.split()[1:4]) for line, element in zip(lines, elements)]


def check_pdb(path, folder, model):
    problems = []
    elements, positions, bonds = read_sdf(obabel("pdb", path, "sdf"))
    # Deuterium is hydrogen to Open Babel.
    if [e.upper() for e in elements] != ["H" if e.upper() == "D" else e.upper()
                                         for e in model["elements"]]:
        problems.append(f"PDB: elements {elements[:6]}... != {model['elements'][:6]}...")
    problems += distance_problems("PDB", model["cartesian"], positions, 3e-3)
    cell = cif_cell(obabel("pdb", path, "cif"))
    if any(v is None or abs(v - w) > 6e-3 for v, w in zip(cell, model["cell"])):
        problems.append(f"PDB: cell {cell} != {model['cell']}")
    # The CONECT records as Open Babel takes them. It adds bonds it finds by distance (those it
    # finds in the file without CONECT records, and a few more between close atoms of other
    # parts) and drops bonds beyond an atom's usual valence: every bond to an H atom read must be
    # the model's or one of its own, and every bond of the model between atoms of at most four
    # bonds must be read.
    read = {frozenset(pair) for pair in bonds}
    plain = folder / "without_conect.pdb"
    plain.write_text("".join(line + "\n" for line in path.read_text().splitlines()
                             if not line.startswith("CONECT")))
    perceived = {frozenset(pair) for pair in read_sdf(obabel("pdb", plain, "sdf"))[2]}
    foreign = [pair for pair in read - model["bonds"] - perceived
               if any(elements[k].upper() == "H" for k in pair if k < len(elements))]
    if foreign:
        i, j = sorted(foreign[0])
        problems.append(f"PDB: {len(foreign)} bonds to H atoms the model lacks, as {i + 1}-{j + 1}")
    valence = {}
    for pair in model["bonds"]:
        for k in pair:
            valence[k] = valence.get(k, 0) + 1
    missing = [pair for pair in model["bonds"]
               if pair not in read and all(valence[k] <= 4 for k in pair)]
    if missing:
        i, j = sorted(missing[0])
        problems.append(f"PDB: {len(missing)} bonds of the model are not read, as {i + 1}-{j + 1}")
    return problems


def check_xyz(path, folder, model):
    lines = path.read_text().splitlines()
    fract = folder / "export.fract"
    fract.write_text("\n".join(["exported", " ".join(lines[0].split()[:6])] +
                               with_elements(lines[1:], model["elements"])) + "\n")
    problems = []
    text = obabel("fract", fract, "cif")
    cell = cif_cell(text)
    if any(v is None or abs(v - w) > 1e-3 for v, w in zip(cell, model["cell"])):
        problems.append(f"XYZ: cell {cell} != {model['cell']}")
    _, positions, _ = read_sdf(obabel("fract", fract, "sdf"))
    # Open Babel writes four decimals.
    return problems + distance_problems("XYZ", model["cartesian"], positions, 5e-4)


def gaussian_molecule(lines):
    """The molecule section by Gaussian's rules; raises ValueError naming what is malformed."""
    i = 0
    while i < len(lines) and lines[i].startswith("%"):
        i += 1
    if i >= len(lines) or not lines[i].lstrip().startswith("#"):
        raise ValueError("no route section after the Link 0 lines")
    while i < len(lines) and lines[i].strip():
        i += 1
    i += 1  # the blank line after the route
    if i >= len(lines) or not lines[i].strip():
        raise ValueError("no title after the route section")
    while i < len(lines) and lines[i].strip():
        i += 1
    i += 1
    words = lines[i].split() if i < len(lines) else []
    if len(words) != 2 or not all(w.lstrip("-").isdigit() for w in words):
        raise ValueError(f"no charge and multiplicity line: {lines[i] if i < len(lines) else ''}")
    molecule = []
    for line in lines[i + 1:]:
        if not line.strip():
            return words, molecule
        molecule.append(line)
    raise ValueError("the molecule section does not end with a blank line")


def check_gaussian(path, folder, model):
    try:
        charge, molecule = gaussian_molecule(path.read_text().splitlines())
    except ValueError as error:
        return [f"Gaussian: {error}"]
    problems = [] if charge == ["0", "1"] else [f"Gaussian: charge and multiplicity {charge}"]
    # An atom within 0.01 Å of an earlier one of its kind (atom or H atom) is given once.
    kept = []
    for i, (element, at) in enumerate(zip(model["elements"], model["cartesian"])):
        hydrogen = i >= model["atomCount"]
        if all(math.dist(at, other) >= 0.01 for j, other in kept if (j >= model["atomCount"]) ==
               hydrogen):
            kept.append((i, at))
    elements = [model["elements"][i] for i, _ in kept]
    xyz = folder / "molecule.xyz"
    xyz.write_text("\n".join([str(len(molecule)), "molecule"] + with_elements(molecule, elements)) +
                   "\n")
    _, positions, _ = read_sdf(obabel("xyz", xyz, "sdf"))
    return problems + distance_problems("Gaussian", [at for _, at in kept], positions, 5e-4)


def check_cartesian(path, folder, model):
    """The .abc lines ("label X Y Z" in Å, every atom shown) given to Open Babel's XYZ reader."""
    lines = [line for line in path.read_text().splitlines() if line.strip()]
    xyz = folder / "cartesian.xyz"
    xyz.write_text("\n".join([str(len(lines)), "cartesian"] +
                             with_elements(lines, model["elements"])) + "\n")
    _, positions, _ = read_sdf(obabel("xyz", xyz, "sdf"))
    return distance_problems("Cartesian", model["cartesian"], positions, 5e-4)


def model_of(info):
    c = info["cell"]
    cell = [c["a"], c["b"], c["c"], c["alpha"], c["beta"], c["gamma"]]
    to_cartesian = orthogonalise(cell)
    symbols = [e["symbol"] for e in info["elements"]]
    atoms = sorted(info["atoms"], key=lambda a: a["kind"])  # atoms first, then H atoms
    cartesian = [to_cartesian(a["frac"]) for a in atoms]
    index = {}
    for i, atom in enumerate(atoms):
        index.setdefault(atom["label"].upper(), []).append(i)
    # The bonds as info names them, by label and length: labels used twice (residues, copies
    # kept in the file) are told apart by the length.
    bonds = set()
    for first, second, length in info["bonds"]:
        for i in index.get(first.upper(), []):
            for j in index.get(second.upper(), []):
                if i != j and abs(math.dist(cartesian[i], cartesian[j]) - length) < 1e-5:
                    bonds.add(frozenset((i, j)))
    return {"cell": cell, "bonds": bonds, "atomCount": sum(1 for a in atoms if a["kind"] == 1),
            "elements": [symbols[a["sfac"] - 1].capitalize() for a in atoms],
            "cartesian": cartesian}


def check(cli, source, folder):
    info = tavo(cli, "info", str(source), "--json", cwd=folder)
    if info.returncode != 0:
        return None
    model = model_of(json.loads(info.stdout))
    if not model["elements"]:
        return None
    problems = []
    for to in ("pdb", "xyz", "gaussian", "cartesian"):
        out = folder / f"export.{to}"
        result = tavo(cli, "export", str(source), "--to", to, "-o", str(out), cwd=folder)
        if result.returncode != 0:
            problems.append(f"the {to} export failed: {result.stderr.strip()}")
    if problems:
        return problems
    return (check_pdb(folder / "export.pdb", folder, model) +
            check_xyz(folder / "export.xyz", folder, model) +
            check_gaussian(folder / "export.gaussian", folder, model) +
            check_cartesian(folder / "export.cartesian", folder, model))


def main():
    if OBABEL is None:
        print("obabel is not installed: skipped")
        return 77
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
    for failure in failures:
        print(failure)
    print(f"{checked} structures exported as PDB, XYZ, Gaussian input and Cartesian coordinates "
          "and read by Open Babel")
    return 1 if failures or checked == 0 else 0


if __name__ == "__main__":
    sys.exit(main())
