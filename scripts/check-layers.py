#!/usr/bin/env python3
"""Checks the core's layering: every `#include "core/X/..."` in core/Y must name a folder that
core/CMakeLists.txt lists in Y's DEPS (or Y itself), and the DEPS graph must be acyclic.
The compiler already refuses a folder outside Y's DEPS and their DEPS (each library's include
root); this is the stricter guard that a folder's own includes stay within what its DEPS name.
Exits 1 with one line per offence."""
import pathlib
import re
import sys

root = pathlib.Path(__file__).resolve().parent.parent
core = root / "core"
cmake = (core / "CMakeLists.txt").read_text()

deps = {}
for match in re.finditer(r"velmora_core_library\((\w+)((?:\s+DEPS(?:\s+\w+)+?)?)\s+SOURCES", cmake):
    name, dep_text = match.group(1), match.group(2).split()
    deps[name] = set(dep_text[1:]) if dep_text else set()

# A folder may hold more than one library (lookup and lookup_curl): the folder's allowance is
# the union of its libraries' DEPS, and a library's own folder is always allowed.
folder_of = {name: name.split("_")[0] for name in deps}
allowed = {}
for name, names in deps.items():
    allowed.setdefault(folder_of[name], set()).update(folder_of[d] for d in names)

problems = []
for folder in sorted(p.name for p in core.iterdir() if p.is_dir()):
    if folder not in allowed:
        problems.append(f"core/{folder}: no library in core/CMakeLists.txt")
        continue
    for source in sorted((core / folder).glob("*.[ch]*")):
        for number, line in enumerate(source.read_text(encoding="utf-8").splitlines(), 1):
            include = re.match(r'\s*#\s*include\s+"core/(\w+)/', line)
            if include and include.group(1) != folder and include.group(1) not in allowed[folder]:
                problems.append(f"{source.relative_to(root)}:{number}: core/{folder} may not "
                                f"include core/{include.group(1)}")

# Depth-first search for a cycle among the libraries.
state = {}
def visit(name, path):
    if state.get(name) == "open":
        cycle = path[path.index(name):] + [name]
        problems.append("cycle: " + " -> ".join(cycle))
        return
    if state.get(name) == "done":
        return
    state[name] = "open"
    for dep in sorted(deps.get(name, ())):
        visit(dep, path + [name])
    state[name] = "done"
for name in sorted(deps):
    visit(name, [])

for problem in problems:
    print(problem)
sys.exit(1 if problems else 0)
