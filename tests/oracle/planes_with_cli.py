#!/usr/bin/python3
"""Checks the least-squares planes of `tavo-cli planes --json` against an independent computation.

    planes_with_cli.py TAVO_CLI

For our example and every instruction file of the shared corpus, the atoms are read here with a
plain reader of the atom lines (not tavo's), turned into Cartesian angstroms, and three groups of
non-H atoms of the file (six, four and three atoms) are fitted by tavo-cli and here:

- the plane: the smallest eigenvalue of the scatter matrix in closed form (the trigonometric
  solution of the cubic) and its eigenvector from cross products of the rows;
- the esds: a Gauss-Newton fit of the perpendicular distances over a local parameterisation of the
  normal, n = (n0 + alpha*u + beta*v)/|...| and d, with the covariance sigma^2 (J^T J)^-1,
  propagated by numerical derivatives to the normal's components, d, the deviations and the
  dihedral angles.

Exits 1 when any value disagrees; 77 when the program is missing.
"""
import json
import math
import subprocess
import sys
from pathlib import Path

ROOT = Path(__file__).resolve().parents[2]
CORPUS = ROOT.parent / "shared" / "corpus" / "shelxl"
DATA = ROOT / "data"

COMMANDS = {
    "TITL", "CELL", "ZERR", "LATT", "SYMM", "SFAC", "UNIT", "DISP", "L.S.", "CGLS", "PLAN", "FMAP",
    "BOND", "CONF", "HTAB", "ACTA", "LIST", "WGHT", "FVAR", "HKLF", "END", "REM", "AFIX", "PART",
    "RESI", "DFIX", "DANG", "SADI", "FLAT", "SAME", "SIMU", "DELU", "RIGU", "ISOR", "EADP", "EXYZ",
    "HFIX", "ANIS", "MORE", "TEMP", "SIZE", "OMIT", "SHEL", "BASF", "TWIN", "EXTI", "SWAT", "MPLA",
    "CONN", "BIND", "FREE", "EQIV", "MERG", "FRAG", "FEND", "SPEC", "SUMP", "DEFS", "CHIV", "NCSY",
    "LAUE", "ABIN", "ANSC", "ANSR", "BLOC", "BUMP", "DAMP", "GRID", "MOVE", "NEUT", "WPDB", "XNPD",
    "STIR", "TREF", "HOPE", "WIGL", "BEDE", "LONE", "PRIG", "SHEL", "ESEL", "EGEN", "TIME", "INIT",
}


def number(word):
    try:
        return float(word)
    except ValueError:
        return None


def read_atoms(path):
    """The cell and the non-H atoms of PART 0 outside any residue, with unique labels, in file
    order: (label, fractional x, y, z)."""
    cell, sfac, atoms, seen = None, [], [], {}
    part, resi = 0, False
    for raw in path.read_text(errors="replace").splitlines():
        if not raw.strip() or raw[0] in " \t!":
            continue  # blank, continuation or comment
        words = raw.split()
        head = words[0].upper()
        if head == "CELL":
            cell = [float(w) for w in words[2:8]]
        elif head == "SFAC":
            sfac += [w for w in words[1:] if number(w) is None]
        elif head == "PART":
            part = int(float(words[1])) if len(words) > 1 else 0
        elif head == "RESI":
            resi = True
        elif head in ("HKLF", "END"):
            break
        elif head[:4] in COMMANDS:
            continue
        elif len(words) >= 5 and words[1].isdigit():
            values = [number(w) for w in words[2:5]]
            index = int(words[1])
            if None in values or not 1 <= index <= len(sfac):
                continue
            label = words[0]
            seen[label.upper()] = seen.get(label.upper(), 0) + 1
            if sfac[index - 1].upper() in ("H", "D") or part != 0 or resi:
                continue
            # A fixed coordinate is written with 10 added; free variables are left out.
            coordinates = []
            for v in values:
                if abs(v) >= 15:
                    coordinates = None
                    break
                coordinates.append(v - math.copysign(10, v) if abs(v) >= 5 else v)
            if coordinates is not None:
                atoms.append((label, coordinates))
    atoms = [a for a in atoms if seen[a[0].upper()] == 1]
    return cell, atoms


def orthogonal(cell, f):
    a, b, c, alpha, beta, gamma = cell
    ca, cb, cg = (math.cos(math.radians(x)) for x in (alpha, beta, gamma))
    sg = math.sin(math.radians(gamma))
    cx = c * cb
    cy = c * (ca - cb * cg) / sg
    cz = math.sqrt(c * c - cx * cx - cy * cy)
    return [a * f[0] + b * cg * f[1] + cx * f[2], b * sg * f[1] + cy * f[2], cz * f[2]]


def sub(p, q):
    return [p[i] - q[i] for i in range(3)]


def dot(p, q):
    return sum(p[i] * q[i] for i in range(3))


def cross(p, q):
    return [p[1] * q[2] - p[2] * q[1], p[2] * q[0] - p[0] * q[2], p[0] * q[1] - p[1] * q[0]]


def unit(p):
    n = math.sqrt(dot(p, p))
    return [x / n for x in p]


def smallest_eigenvector(m):
    """The eigenvector of the smallest eigenvalue of a symmetric 3x3 matrix (closed form)."""
    q = (m[0][0] + m[1][1] + m[2][2]) / 3
    p1 = m[0][1] ** 2 + m[0][2] ** 2 + m[1][2] ** 2
    p2 = sum((m[i][i] - q) ** 2 for i in range(3)) + 2 * p1
    p = math.sqrt(p2 / 6)
    b = [[(m[i][j] - (q if i == j else 0)) / p for j in range(3)] for i in range(3)]
    det = (b[0][0] * (b[1][1] * b[2][2] - b[1][2] * b[2][1]) -
           b[0][1] * (b[1][0] * b[2][2] - b[1][2] * b[2][0]) +
           b[0][2] * (b[1][0] * b[2][1] - b[1][1] * b[2][0]))
    phi = math.acos(max(-1.0, min(1.0, det / 2))) / 3
    smallest = q + 2 * p * math.cos(phi + 2 * math.pi / 3)
    rows = [[m[i][j] - (smallest if i == j else 0) for j in range(3)] for i in range(3)]
    candidates = [cross(rows[0], rows[1]), cross(rows[0], rows[2]), cross(rows[1], rows[2])]
    return unit(max(candidates, key=lambda v: dot(v, v)))


def inverse3(m):
    c = [[m[(i + 1) % 3][(j + 1) % 3] * m[(i + 2) % 3][(j + 2) % 3] -
          m[(i + 1) % 3][(j + 2) % 3] * m[(i + 2) % 3][(j + 1) % 3] for i in range(3)]
         for j in range(3)]
    det = sum(m[0][k] * c[k][0] for k in range(3))
    return [[c[i][j] / det for j in range(3)] for i in range(3)]


class Plane:
    def __init__(self, points, reference):
        n_points = len(points)
        centroid = [sum(p[i] for p in points) / n_points for i in range(3)]
        scatter = [[sum((p[i] - centroid[i]) * (p[j] - centroid[j]) for p in points)
                    for j in range(3)] for i in range(3)]
        n = smallest_eigenvector(scatter)
        d = dot(n, centroid)
        # The normal points away from the origin; a plane through the origin takes tavo's
        # orientation, whose rule (the largest component positive) is a convention.
        if d < -1e-9 or (abs(d) <= 1e-9 and dot(n, reference) < 0):
            n, d = [-x for x in n], -d
        self.n, self.d = n, d
        self.points = points
        deviations = [dot(n, p) - d for p in points]
        self.rms = math.sqrt(sum(x * x for x in deviations) / n_points)
        self.deviations = deviations
        # Local parameters: the normal tilts along u and v.
        helper = [1, 0, 0] if abs(n[0]) < 0.9 else [0, 1, 0]
        self.u = unit(cross(n, helper))
        self.v = cross(n, self.u)
        self.cov = None
        if n_points > 3:
            sigma2 = sum(x * x for x in deviations) / (n_points - 3)
            jac = [[dot(self.u, p), dot(self.v, p), -1.0] for p in points]
            jtj = [[sum(r[i] * r[j] for r in jac) for j in range(3)] for i in range(3)]
            inv = inverse3(jtj)
            self.cov = [[sigma2 * inv[i][j] for j in range(3)] for i in range(3)]

    def normal_at(self, alpha, beta):
        return unit([self.n[i] + alpha * self.u[i] + beta * self.v[i] for i in range(3)])

    def propagate(self, gradient):
        return math.sqrt(max(0.0, sum(gradient[i] * self.cov[i][j] * gradient[j]
                                      for i in range(3) for j in range(3))))

    def numeric_gradient(self, f):
        h = 1e-6
        g = []
        for k in range(3):
            step = [0.0, 0.0, 0.0]
            step[k] = h
            plus = f(self.normal_at(step[0], step[1]), self.d + step[2])
            minus = f(self.normal_at(-step[0], -step[1]), self.d - step[2])
            g.append((plus - minus) / (2 * h))
        return g

    def normal_esds(self):
        return [self.propagate(self.numeric_gradient(lambda n, d, i=i: n[i])) for i in range(3)]

    def d_esd(self):
        return math.sqrt(self.cov[2][2])

    def deviation_esd(self, p):
        return self.propagate(self.numeric_gradient(lambda n, d: dot(n, p) - d))


def dihedral(first, second):
    def angle(n1, n2):
        return math.degrees(math.acos(min(1.0, abs(dot(n1, n2)))))
    value = angle(first.n, second.n)
    if first.cov is None or second.cov is None:
        return value, None
    g1 = first.numeric_gradient(lambda n, d: angle(n, second.n))
    g2 = second.numeric_gradient(lambda n, d: angle(first.n, n))
    return value, math.sqrt(first.propagate(g1) ** 2 + second.propagate(g2) ** 2)


def groups_of(atoms, cell):
    """Three groups of consecutive atoms (6, 4 and 3) that are not on a line."""
    groups, start = [], 0
    for size in (6, 4, 3):
        while start + size <= len(atoms):
            group = atoms[start:start + size]
            points = [orthogonal(cell, f) for _, f in group]
            spread = max(dot(cross(sub(points[1], points[0]), sub(p, points[0])),
                             cross(sub(points[1], points[0]), sub(p, points[0])))
                         for p in points[2:])
            start += size
            if spread > 0.01:
                groups.append(group)
                break
    return groups


FAULTS = []


def near(what, ours, theirs, tolerance):
    if not abs(ours - theirs) <= tolerance:
        FAULTS.append(f"{what}: tavo {ours!r}, oracle {theirs!r}")


def check(cli, path):
    cell, atoms = read_atoms(path)
    if cell is None:
        return 0
    groups = groups_of(atoms, cell)
    if len(groups) < 2:
        return 0
    args = [cli, "planes", str(path)]
    for k, group in enumerate(groups):
        args += (["/"] if k else []) + [label for label, _ in group]
    args += ["--json", "--program-folder", str(DATA)]
    run = subprocess.run(args, capture_output=True, text=True)
    if run.returncode != 0:
        FAULTS.append(f"{path.name}: tavo-cli planes failed: {run.stderr.strip()}")
        return 0
    result = json.loads(run.stdout)
    planes = []
    for k, (group, ours) in enumerate(zip(groups, result["planes"])):
        name = f"{path.name} plane {k + 1}"
        plane = Plane([orthogonal(cell, f) for _, f in group], ours["normal"])
        planes.append(plane)
        if ours["atoms"] != [label for label, _ in group]:
            FAULTS.append(f"{name}: atoms {ours['atoms']}")
            continue
        for i in range(3):
            near(f"{name} normal[{i}]", ours["normal"][i], plane.n[i], 1e-7)
        near(f"{name} d", ours["d"], plane.d, 1e-6)
        near(f"{name} rms", ours["rms"], plane.rms, 1e-7)
        for (label, f), deviation, mine in zip(group, ours["deviations"], plane.deviations):
            near(f"{name} deviation of {label}", deviation["distance"], mine, 1e-7)
            if plane.cov is None:
                if "distance_esd" in deviation:
                    FAULTS.append(f"{name}: an esd for three atoms")
            else:
                near(f"{name} esd of the deviation of {label}", deviation["distance_esd"],
                     plane.deviation_esd(orthogonal(cell, f)), 1e-6 + 1e-4 * deviation["distance_esd"])
        if plane.cov is not None:
            for i, esd in enumerate(plane.normal_esds()):
                near(f"{name} esd of normal[{i}]", ours["normal_esd"][i], esd, 1e-7 + 1e-4 * esd)
            near(f"{name} esd of d", ours["d_esd"], plane.d_esd(), 1e-7 + 1e-4 * plane.d_esd())
        elif "normal_esd" in ours or "d_esd" in ours:
            FAULTS.append(f"{name}: esds for three atoms")
    for angle in result["dihedral_angles"]:
        j, k = (int(x) for x in angle["planes"])
        value, esd = dihedral(planes[j - 1], planes[k - 1])
        name = f"{path.name} angle {j}/{k}"
        near(name, angle["angle"], value, 1e-5)
        if esd is None:
            if "angle_esd" in angle:
                FAULTS.append(f"{name}: an esd with a three-atom plane")
        else:
            near(f"{name} esd", angle["angle_esd"], esd, 1e-5 + 1e-3 * esd)
    return len(groups)


def main():
    if len(sys.argv) != 2 or not Path(sys.argv[1]).exists():
        print("usage: planes_with_cli.py TAVO_CLI")
        return 77
    files = [ROOT / "examples" / "paraben.res"]
    if CORPUS.is_dir():
        files += sorted(p for p in CORPUS.iterdir() if p.suffix in (".res", ".ins"))
    fitted = 0
    for path in files:
        fitted += check(sys.argv[1], path)
    for fault in FAULTS:
        print(fault)
    print(f"{fitted} planes of {len(files)} files checked, {len(FAULTS)} faults")
    return 1 if FAULTS or fitted == 0 else 0


if __name__ == "__main__":
    sys.exit(main())
