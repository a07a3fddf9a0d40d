#!/usr/bin/env python3
"""Checks that includes and link lines point down the layers only, and that no library links a
layer it does not use. Prints each offence as file:line and exits 1 when there is one.
Usage: check_layers.py SOURCE_ROOT"""
import os
import re
import sys

# Which layers each layer may use: the project's layer table. A folder holds one layer, except
# views (the widget-free library viewlogic: the filter logic, the grids' columns, the export of
# their rows; and the widgets) and charts (the charts' widget-free series in charts/series).
ALLOWED = {
    # The guard type that windows of every layer are handed (header only).
    "guard": set(),
    "store/dbase": set(),
    "store": {"store/dbase"},
    "relations": {"store", "store/dbase"},
    "import": {"relations", "store", "store/dbase"},
    "monthly": {"store", "store/dbase"},
    # The pages' notices about their totals, for the windows and kolvaro-cli status.
    "notices": {"relations", "store", "store/dbase"},
    # The import of a file and the passes, as the windows and kolvaro-cli both run them.
    "pipeline": {"import", "relations", "store", "store/dbase"},
    "sample": {"import", "relations", "store", "store/dbase"},
    "viewlogic": {"store", "store/dbase"},
    "charts/series": {"import", "relations", "monthly", "viewlogic", "store", "store/dbase"},
    "views": {"guard", "viewlogic", "import", "relations", "monthly", "store", "store/dbase"},
    # The help text's code page comes from the engine's Windows-1252 table.
    "help": {"guard", "store/dbase"},
    "charts": {"guard", "charts/series", "views", "viewlogic", "import", "relations", "monthly",
               "store", "store/dbase"},
    # The CLI draws a chart only for `chart --png`, on an offscreen application of its own.
    "cli": {"guard", "charts", "charts/series", "viewlogic", "sample", "import", "notices",
            "pipeline", "relations", "monthly", "store", "store/dbase"},
    "app": {"guard", "charts", "charts/series", "views", "viewlogic", "help", "import", "notices",
            "pipeline", "relations", "monthly", "store", "store/dbase"},
}
INCLUDE = re.compile(r'^\s*#\s*include\s+"([^"]+)"')
LINK = re.compile(r"target_link_libraries\(\s*([\w-]+)([^)]*)\)", re.S)
LIBRARY = re.compile(r"add_(?:library|executable)\(\s*([\w-]+)\s+(?:STATIC\s+)?([^)]*)\)", re.S)


# The libraries of the layers that share a folder.
LIBRARY_LAYER = {"viewlogic": "viewlogic"}
# Where a file belongs to no library's source list (a header alone), its folder decides.
FOLDERS = sorted([l for l in ALLOWED if l != "viewlogic"] + ["views/filter"], key=len, reverse=True)
MEMBERS = {}  # source path without extension -> layer, from the libraries' source lists


def folder_layer(path):
    for folder in FOLDERS:
        if path == folder or path.startswith(folder + "/"):
            return "viewlogic" if folder == "views/filter" else folder
    return None


def layer_of(path):
    stem = os.path.splitext(path)[0]
    return MEMBERS.get(stem) or folder_layer(path)


def sources(root):
    for folder in FOLDERS:
        for name in sorted(os.listdir(os.path.join(root, folder))):
            path = os.path.join(folder, name)
            if name.endswith((".cpp", ".h")) and folder_layer(path) == folder_layer(folder + "/x"):
                yield layer_of(path), path


def libraries(root):
    """library name -> (layer, CMakeLists path, line of its link line, linked names)."""
    found, links = {}, {}
    for folder in FOLDERS:
        cmake = os.path.join(folder, "CMakeLists.txt")
        if not os.path.exists(os.path.join(root, cmake)):
            continue
        text = open(os.path.join(root, cmake), encoding="utf-8").read()
        for match in LIBRARY.finditer(text):
            layer = LIBRARY_LAYER.get(match.group(1), folder_layer(folder + "/x"))
            found[match.group(1)] = layer
            for source in match.group(2).split():
                MEMBERS[os.path.splitext(os.path.normpath(os.path.join(folder, source)))[0]] = layer
        for match in LINK.finditer(text):
            line = text.count("\n", 0, match.start()) + 1
            names = [w for w in match.group(2).split() if w not in ("PUBLIC", "PRIVATE", "INTERFACE")]
            links[match.group(1)] = (cmake, line, names)
    return found, links


def main(root):
    offences = []
    used = {layer: set() for layer in ALLOWED}
    found, links = libraries(root)
    for layer, path in sources(root):
        for number, text in enumerate(open(os.path.join(root, path), encoding="utf-8"), 1):
            match = INCLUDE.match(text)
            if not match:
                continue
            target = layer_of(match.group(1))
            if target is None or target == layer:
                continue
            used[layer].add(target)
            if target not in ALLOWED[layer]:
                offences.append(f"{path}:{number}: {layer} may not include {match.group(1)}")

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
