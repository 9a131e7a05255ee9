#!/usr/bin/env python3
"""Finds include cycles among the files of a source folder (default src/workbench).

A header and its .cpp file form one component; a component depends on every header of the
folder that either of its files includes. Two components that reach each other are a cycle,
even when no header includes itself: each side must then be built and understood with the other.
Prints the cycles and exits with status 1 when there is one.
"""
import pathlib
import re
import sys

folder = pathlib.Path(sys.argv[1] if len(sys.argv) > 1 else "src/workbench")
include = re.compile(r'#include "' + re.escape(folder.name) + r'/([^"]+)\.h"')

depends = {}
for path in sorted(folder.iterdir()):
    if path.suffix in (".h", ".cpp"):
        targets = depends.setdefault(path.stem, set())
        targets.update(t for t in include.findall(path.read_text()) if t != path.stem)


def reached_from(start):
    seen, stack = set(), list(depends.get(start, ()))
    while stack:
        name = stack.pop()
        if name not in seen:
            seen.add(name)
            stack.extend(depends.get(name, ()))
    return seen


reach = {name: reached_from(name) for name in depends}
cycles = {frozenset([name] + [other for other in reach[name] if name in reach[other]])
          for name in depends if name in reach[name]}
for cycle in sorted(sorted(c) for c in cycles):
    print(f"{folder}: include cycle: " + " <-> ".join(cycle))
sys.exit(1 if cycles else 0)
