#!/usr/bin/env python3
"""Checks that includes and link lines point down the layers only, and that no library links a
layer it does not use. Prints each offence as file:line and exits 1 when there is one.
Usage: check_layers.py SOURCE_ROOT"""
import os
import re
import sys

# Which layers each layer may use: the project's layer table. A folder holds one layer, except
# views/filter (the widget-free filter logic, library viewlogic) and charts/series (the charts'
# widget-free series).
ALLOWED = {
    "store/dbase": set(),
    "store": {"store/dbase"},
    "relations": {"store", "store/dbase"},
    "import": {"relations", "store", "store/dbase"},
    "monthly": {"store", "store/dbase"},
    "sample": {"import", "relations", "store", "store/dbase"},
    "views/filter": {"store", "store/dbase"},
    "charts/series": {"import", "relations", "monthly", "views/filter", "store", "store/dbase"},
    "views": {"views/filter", "import", "relations", "monthly", "store", "store/dbase"},
    # The help text's code page comes from the engine's Windows-1252 table.
    "help": {"store/dbase"},
    "charts": {"charts/series", "views", "views/filter", "import", "relations", "monthly",
               "store", "store/dbase"},
    # The CLI draws a chart only for `chart --png`, on an offscreen application of its own.
    "cli": {"charts", "charts/series", "views/filter", "sample", "import", "relations", "monthly",
            "store", "store/dbase"},
    "app": {"charts", "charts/series", "views", "views/filter", "help", "import", "relations",
            "monthly", "store", "store/dbase"},
}
# Longest first, so that store/dbase wins over store.
LAYERS = sorted(ALLOWED, key=len, reverse=True)
INCLUDE = re.compile(r'^\s*#\s*include\s+"([^"]+)"')
LINK = re.compile(r"target_link_libraries\(\s*([\w-]+)([^)]*)\)", re.S)
LIBRARY = re.compile(r"add_(?:library|executable)\(\s*([\w-]+)\s+(?:STATIC\s+)?([^)]*)\)", re.S)


def layer_of(path):
    for layer in LAYERS:
        if path == layer or path.startswith(layer + "/"):
            return layer
    return None


def sources(root):
    for layer in ALLOWED:
        folder = os.path.join(root, layer)
        for name in sorted(os.listdir(folder)):
            path = os.path.join(layer, name)
            if name.endswith((".cpp", ".h")) and layer_of(path) == layer:
                yield layer, path


def libraries(root):
    """library name -> (layer, CMakeLists path, line of its link line, linked names)."""
    found, links = {}, {}
    for layer in ALLOWED:
        cmake = os.path.join(layer, "CMakeLists.txt")
        if not os.path.exists(os.path.join(root, cmake)):
            continue
        text = open(os.path.join(root, cmake), encoding="utf-8").read()
        for match in LIBRARY.finditer(text):
            first = match.group(2).split()[0] if match.group(2).split() else ""
            found[match.group(1)] = layer_of(os.path.normpath(os.path.join(layer, first))) or layer
        for match in LINK.finditer(text):
            line = text.count("\n", 0, match.start()) + 1
            names = [w for w in match.group(2).split() if w not in ("PUBLIC", "PRIVATE", "INTERFACE")]
            links[match.group(1)] = (cmake, line, names)
    return found, links


def main(root):
    offences = []
    used = {layer: set() for layer in ALLOWED}
    for layer, path in sources(root):
        for number, text in enumerate(open(os.path.join(root, path), encoding="utf-8"), 1):
            match = INCLUDE.match(text)
            if not match:
                continue
            target = layer_of(os.path.dirname(match.group(1)))
            if target is None or target == layer:
                continue
            used[layer].add(target)
            if target not in ALLOWED[layer]:
                offences.append(f"{path}:{number}: {layer} may not include {match.group(1)}")

    found, links = libraries(root)
    for library, (cmake, line, names) in links.items():
        layer = found.get(library)
        if layer is None:
            continue
        for name in names:
            target = found.get(name)
            if target is None or target == layer:
                continue  # Qt, QCustomPlot, or a library of the same layer
            if target not in ALLOWED[layer]:
                offences.append(f"{cmake}:{line}: {library} ({layer}) may not link {name} ({target})")
            elif not any(target == u or target in reach(u, found, links) for u in used[layer]):
                offences.append(f"{cmake}:{line}: {library} links {name} ({target}) but uses "
                                "nothing of it")
    for offence in offences:
        print(offence)
    print(f"layers: {len(offences)} offences")
    return 1 if offences else 0


def reach(layer, found, links):
    """Every layer that the libraries of `layer` link, directly or further down."""
    seen, todo = set(), [lib for lib, l in found.items() if l == layer]
    while todo:
        for name in links.get(todo.pop(), (None, None, []))[2]:
            target = found.get(name)
            if target and target not in seen:
                seen.add(target)
                todo.append(name)
    return seen


if __name__ == "__main__":
    sys.exit(main(sys.argv[1] if len(sys.argv) > 1 else "."))
