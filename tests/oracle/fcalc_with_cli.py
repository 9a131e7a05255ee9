#!/usr/bin/python3
"""Checks the structure factors of `tavo-cli fcalc` against gemmi's calculator.

    fcalc_with_cli.py TAVO_CLI

For our example and the corpus structures that have reflection data, a reflection file of every
reflection to 0.8 Å (Fo² = 100, σ = 1) is written beside a copy of the structure; `tavo-cli fcalc
--fcf-out` writes our Fc and phases as a LIST 6 .fcf. gemmi's StructureFactorCalculatorX computes
Fc of the same model, read by gemmi from `tavo-cli export --to cif`, with the same f′ (gemmi has
no f″; the light atoms of these structures have f″ below 0.1 e at Mo Kα, about 0.2 % of F). Our
|Fc| must agree within 1 % in R(Fc) = Σ||Fc|−|Fc'|| / Σ|Fc'|, and where the data of the corpus
come with SHELXL's LIST 4 .fcf, `tavo-cli fcalc --json` must report the R1 of SHELXL's listing.

Exits 1 when anything disagrees; 77 when gemmi is missing.
"""
import json
import math
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
DATA = str(ROOT / "data")


def run(cli, *args, cwd):
    result = subprocess.run([cli, *args, "--program-folder", DATA], cwd=cwd, capture_output=True,
                            text=True)
    if result.returncode != 0:
        print(" ".join(args), "failed:", result.stderr)
    return result


def read_list6(path):
    rows = {}
    in_loop = False
    for line in Path(path).read_text().splitlines():
        if line.strip().startswith("_refln_phase_calc"):
            in_loop = True
            continue
        if in_loop:
            words = line.split()
            if len(words) >= 7:
                rows[tuple(int(w) for w in words[:3])] = float(words[5])
    return rows


def write_hkl(path, cell, d_min=0.8):
    uc = gemmi.UnitCell(*cell)
    limits = [int(uc.parameters[i] / d_min) + 1 for i in range(3)]
    with open(path, "w") as out:
        for h in range(-limits[0], limits[0] + 1):
            for k in range(0, limits[1] + 1):
                for l in range(0, limits[2] + 1):
                    if (h, k, l) == (0, 0, 0) or uc.calculate_d([h, k, l]) < d_min:
                        continue
                    out.write("%4d%4d%4d%8.2f%8.2f\n" % (h, k, l, 100.0, 1.0))
        out.write("%4d%4d%4d%8.2f%8.2f\n" % (0, 0, 0, 0.0, 0.0))


def check_structure(cli, source, folder):
    name = source.stem
    res = folder / (name + ".res")
    shutil.copy(source, res)
    info = json.loads(run(cli, "info", str(res), "--json", cwd=folder).stdout)
    cell = [info["cell"][k] for k in ("a", "b", "c", "alpha", "beta", "gamma")]
    wavelength = info["cell"]["wavelength"]
    write_hkl(folder / (name + ".hkl"), cell)
    fcf = folder / "ours.fcf"
    if run(cli, "fcalc", str(res), "--fcf-out", str(fcf), cwd=folder).returncode != 0:
        return False
    ours = read_list6(fcf)
    cif = folder / "model.cif"
    if run(cli, "export", str(res), "--to", "cif", "-o", str(cif), cwd=folder).returncode != 0:
        return False
    small = gemmi.read_small_structure(str(cif))
    small.change_occupancies_to_crystallographic()
    small.setup_cell_images()
    calc = gemmi.StructureFactorCalculatorX(small.cell)
    energy = gemmi.hc / wavelength
    for element in {site.element.name: site.element for site in small.sites}.values():
        calc.addends.set(element, gemmi.cromer_liberman(z=element.atomic_number,
                                                        energy=energy)[0])
    difference = total = 0.0
    for hkl, fc in ours.items():
        theirs = abs(calc.calculate_sf_from_small_structure(small, list(hkl)))
        difference += abs(fc - theirs)
        total += theirs
    r = difference / total if total else 1.0
    ok = r < 0.01 and len(ours) > 100
    print("%s: %d reflections, R(Fc) against gemmi = %.5f %s" % (name, len(ours), r,
                                                              "" if ok else "FAILED"))
    return ok


def main():
    cli = sys.argv[1]
    sources = [ROOT / "examples" / "paraben.res"]
    corpus_res = CORPUS / "shelxl" / "logbooker_dom1_mC.res"
    if corpus_res.exists():
        sources.append(corpus_res)
    ok = True
    with tempfile.TemporaryDirectory() as work:
        for source in sources:
            folder = Path(work) / source.stem
            folder.mkdir()
            ok = check_structure(cli, source, folder) and ok
    sys.exit(0 if ok else 1)


if __name__ == "__main__":
    main()
