#!/usr/bin/python3
"""Checks the thermal ellipsoids of `tavo-cli info FILE --json --ellipsoids P` against numpy.

    ellipsoids_with_cli.py TAVO_CLI

For our anisotropic example and real structures of the shared corpus (monoclinic, triclinic,
trigonal, and cubic atoms on special positions), each anisotropic atom's six Uij and the cell
are taken from the same JSON, turned Cartesian here with the textbook orthogonalisation matrix
(U_cart = A N U N A^T, N = diag(a*, b*, c*) from the reciprocal metric), and decomposed with
numpy.linalg.eigh. The radii at P must be sqrt(eigenvalue) times the radius of the trivariate
normal's contour (found here by bisection of the chi-square distribution with three degrees of
freedom); each axis must be a unit eigenvector (for degenerate eigenvalues the reconstructed
tensor is compared instead). Non-positive-definite tensors must be reported as such.

Exits 1 when any value disagrees; 77 when numpy or the program is missing.
"""
import json
import math
import subprocess
import sys
from pathlib import Path

try:
    import numpy as np
except ImportError:
    print("numpy is not installed: skipped")
    sys.exit(77)

ROOT = Path(__file__).resolve().parents[2]
CORPUS = ROOT.parent / "shared" / "corpus" / "shelxl"
FILES = [ROOT / "examples" / "paraben.res"] + [CORPUS / name for name in (
    "dsr_p21c_sfac_coefficients.res",          # monoclinic
    "dsr_P-1_restraints_in_atoms-erg.res",     # triclinic
    "shelxfile_2240189_R-3c_htab.res",         # trigonal, atoms on the 3-fold axes
    "hikari_NaCl_Fm-3m.res",                   # cubic, both atoms at m-3m sites
    "xharpy_L-Ala_iam.res",                    # orthorhombic
)]


def contour_radius(p):
    cdf = lambda r: math.erf(r / math.sqrt(2)) - math.sqrt(2 / math.pi) * r * math.exp(-r * r / 2)
    low, high = 0.0, 20.0
    for _ in range(200):
        mid = (low + high) / 2
        low, high = (mid, high) if cdf(mid) < p else (low, mid)
    return (low + high) / 2


def orthogonalisation(a, b, c, alpha, beta, gamma):
    ca, cb, cg = (math.cos(math.radians(x)) for x in (alpha, beta, gamma))
    sg = math.sin(math.radians(gamma))
    volume = a * b * c * math.sqrt(1 - ca * ca - cb * cb - cg * cg + 2 * ca * cb * cg)
    return np.array([[a, b * cg, c * cb],
                     [0, b * sg, c * (ca - cb * cg) / sg],
                     [0, 0, volume / (a * b * sg)]])


def check_file(cli, path, percent, failures):
    run = subprocess.run([cli, "info", str(path), "--json", "--ellipsoids", str(percent),
                          "--program-folder", str(ROOT / "data")], capture_output=True, text=True)
    if run.returncode != 0:
        failures.append(f"{path.name}: exit {run.returncode}: {run.stderr.strip()}")
        return 0
    info = json.loads(run.stdout)
    cell = info["cell"]
    A = orthogonalisation(cell["a"], cell["b"], cell["c"], cell["alpha"], cell["beta"],
                          cell["gamma"])
    N = np.diag(np.linalg.norm(np.linalg.inv(A), axis=1))  # rows of A^-1: the reciprocal axes
    scale = contour_radius(percent / 100)
    anisotropic = [atom for atom in info["atoms"] if atom["kind"] == 1 and atom["aniso"]]
    ellipsoids = info["ellipsoids"]
    if len(anisotropic) != len(ellipsoids):
        failures.append(f"{path.name}: {len(ellipsoids)} ellipsoids for {len(anisotropic)} atoms")
        return 0
    for atom, found in zip(anisotropic, ellipsoids):
        where = f"{path.name} {atom['label']}"
        if found["label"] != atom["label"]:
            failures.append(f"{where}: listed as {found['label']}")
            continue
        u11, u22, u33, u23, u13, u12 = atom["u"]
        U = np.array([[u11, u12, u13], [u12, u22, u23], [u13, u23, u33]])
        cart = A @ N @ U @ N @ A.T
        values, vectors = np.linalg.eigh(cart)
        if not np.allclose(found["center"], atom["cart"], atol=1e-6):
            failures.append(f"{where}: centre {found['center']} is not {atom['cart']}")
        if values[0] <= 0:
            if not found["npd"] or found["radii"] is not None:
                failures.append(f"{where}: not positive definite ({values}) but not reported")
            continue
        if found["npd"]:
            failures.append(f"{where}: reported non-positive-definite, eigenvalues {values}")
            continue
        radii = scale * np.sqrt(values)
        if not np.allclose(found["radii"], radii, rtol=1e-7, atol=1e-9):
            failures.append(f"{where}: radii {found['radii']} instead of {radii.tolist()}")
        axes = np.array(found["axes"])
        if not np.allclose(axes @ axes.T, np.eye(3), atol=1e-9):
            failures.append(f"{where}: the axes are not orthonormal")
        rebuilt = axes.T @ np.diag((np.array(found["radii"]) / scale) ** 2) @ axes
        if not np.allclose(rebuilt, cart, atol=1e-9):
            failures.append(f"{where}: the axes and radii do not rebuild U")
        for k in range(3):
            apart = min(abs(values[k] - values[j]) for j in range(3) if j != k)
            if apart > 1e-6 * values[2] and abs(abs(axes[k] @ vectors[:, k]) - 1) > 1e-7:
                failures.append(f"{where}: axis {k} {axes[k]} is not {vectors[:, k]}")
    return len(ellipsoids)


def main():
    if len(sys.argv) != 2 or not Path(sys.argv[1]).exists():
        print("usage: ellipsoids_with_cli.py TAVO_CLI")
        return 77
    failures, checked, files = [], 0, 0
    for path in FILES:
        if not path.exists():
            continue
        files += 1
        for percent in (50, 30) if path.name == "paraben.res" else (50,):
            checked += check_file(sys.argv[1], path, percent, failures)
    for failure in failures:
        print(failure)
    print(f"{checked} ellipsoids of {files} files checked")
    return 1 if failures or checked == 0 else 0


if __name__ == "__main__":
    sys.exit(main())
