#!/usr/bin/env python3
"""Checks that includes and link lines point down the layers only, that no library links a layer
it does not use, that every include is written from the root ("layer/file.h"), that every source
file lies in a folder of a known layer, and that each layer uses only the Qt modules it may, in
its includes and its link lines. Prints each offence as file:line and exits 1 when there is one.
Usage: check_layers.py SOURCE_ROOT"""
import os
import re
import functools
import subprocess
import sys
from collections import namedtuple

# The project's layer table, one row a layer: the folders whose files belong to it, the layers it
# may use, the Qt modules it may use. A new folder is one row here (or one more folder in a row).
# A library named after a layer belongs to that layer, any other to its folder's layer; a file
# listed in a library's sources belongs to that library's layer.
Layer = namedtuple("Layer", "folders uses qt")
CORE = {"Core"}
WIDGETS = {"Core", "Gui", "Widgets"}
LAYERS = {
    # The guard type that windows of every layer are handed (header only).
    "guard": Layer(["guard"], set(), CORE),
    "store/dbase": Layer(["store/dbase"], set(), CORE),
    "store": Layer(["store"], {"store/dbase"}, CORE),
    "relations": Layer(["relations"], {"store", "store/dbase"}, CORE),
    # Fixed costs and regular income found in the stored transactions, and the items hidden.
    "recurring": Layer(["recurring"], {"relations", "store", "store/dbase"}, CORE),
    "import": Layer(["import"], {"relations", "store", "store/dbase"}, CORE),
    "monthly": Layer(["monthly"], {"store", "store/dbase"}, CORE),
    # The bank's balances of the stored transactions and the missing periods they reveal.
    "balances": Layer(["balances"], {"store", "store/dbase"}, CORE),
    # The pages' notices about their totals, for the windows and kolvaro-cli status.
    "notices": Layer(["notices"], {"balances", "relations", "store", "store/dbase"}, CORE),
    # The import of a file and the passes, as the windows and kolvaro-cli both run them.
    "pipeline": Layer(["pipeline"], {"import", "notices", "relations", "store", "store/dbase"},
                      CORE),
    "sample": Layer(["sample"], {"import", "relations", "store", "store/dbase"}, CORE),
    # The widget-free part of the views: the filter logic, the grids' columns, the export of
    # their rows.
    "viewlogic": Layer(["viewlogic", "viewlogic/filter"], {"store", "store/dbase"}, CORE),
    "charts/series": Layer(["charts/series"], {"balances", "import", "relations", "monthly",
                                               "viewlogic", "store", "store/dbase"}, CORE),
    "views": Layer(["views"], {"guard", "viewlogic", "import", "relations", "monthly", "store",
                               "store/dbase"}, WIDGETS),
    # The help text's code page comes from the engine's Windows-1252 table.
    "help": Layer(["help"], {"guard", "store/dbase"}, WIDGETS),
    # QCustomPlot prints and writes PDF through PrintSupport.
    "charts": Layer(["charts"], {"guard", "charts/series", "views", "viewlogic", "balances",
                                 "import", "relations", "monthly", "store", "store/dbase"},
                    WIDGETS | {"PrintSupport", "QCustomPlot"}),
    # The CLI links the charts only for `chart --png`, which draws on an offscreen application.
    "cli": Layer(["cli"], {"guard", "charts", "charts/series", "viewlogic", "sample", "balances",
                           "import", "notices", "pipeline", "recurring", "relations", "monthly",
                           "store", "store/dbase"}, CORE),
    # Every module the product builds with; Test is for the tests only.
    "app": Layer(["app"], {"guard", "charts", "charts/series", "views", "viewlogic", "help",
                           "balances", "import", "notices", "pipeline", "recurring", "relations",
                           "monthly", "store", "store/dbase"},
                 WIDGETS | {"PrintSupport", "QCustomPlot"}),
}
# Single files that may use more Qt modules than their layer.
FILE_QT = {
    # Starts the offscreen QApplication that the chart widgets draw `chart --png` on.
    "cli/chart_picture.cpp": {"Widgets"},
}
# Folders of test code, which is not checked.
NOT_CHECKED = {"tests", "bench"}

FOLDER_LAYER = {folder: name for name, layer in LAYERS.items() for folder in layer.folders}
TOP_FOLDERS = {folder.split("/")[0] for folder in FOLDER_LAYER}
SOURCE = (".h", ".cpp")

INCLUDE = re.compile(r'^\s*#\s*include\s*([<"])([^>"]+)[>"]')
# Files that AUTOMOC writes into the build folder, included by their bare name.
GENERATED = re.compile(r"^(?:moc_[\w-]+\.cpp|[\w-]+\.moc)$")
LINK = re.compile(r"target_link_libraries\(\s*([\w-]+)([^)]*)\)", re.S)
LIBRARY = re.compile(r"add_(?:library|executable)\(\s*([\w-]+)([^)]*)\)", re.S)
TARGET_SOURCES = re.compile(r"target_sources\(\s*([\w-]+)([^)]*)\)", re.S)
CMAKE_WORDS = {"PUBLIC", "PRIVATE", "INTERFACE", "STATIC", "SHARED", "OBJECT", "MODULE",
               "WIN32", "EXCLUDE_FROM_ALL"}
QT_TARGET = re.compile(r"^Qt6?::(\w+)$")
QCUSTOMPLOT_TARGET = re.compile(r"^(?:QCustomPlot\w*(?:::\w+)?|qcustomplot)$", re.I)
QCUSTOMPLOT_HEADER = "qcustomplot.h"

# Used only when the installed Qt headers are not found: the Qt classes this project is likely
# to reach for, so the common offences (a widget or a painter below the windows) are still
# caught. Headers missing from it are then not checked.
FALLBACK_QT = {
    "Core": "QByteArray QCoreApplication QDate QDateTime QDir QFile QFileInfo QHash QList "
            "QLocale QObject QRegularExpression QSaveFile QSet QSettings QString QStringList "
            "QTemporaryDir QTimer QUrl QVariant QtCore QtGlobal",
    "Gui": "QBrush QClipboard QColor QFont QFontMetrics QGuiApplication QIcon QImage QKeyEvent "
           "QMouseEvent QPaintEvent QPainter QPainterPath QPalette QPen QPixmap QTextDocument "
           "QAction QtGui",
    "Widgets": "QAbstractButton QApplication QBoxLayout QCheckBox QComboBox QDialog "
               "QDialogButtonBox QFileDialog QFrame QHBoxLayout QHeaderView QLabel QLineEdit "
               "QMainWindow QMenu QMessageBox QPushButton QScrollBar QTableView QTableWidget "
               "QTabWidget QTextEdit QToolButton QVBoxLayout QWidget QtWidgets",
    "PrintSupport": "QPrintDialog QPrinter QPrinterInfo QPrintPreviewDialog QtPrintSupport",
    "Test": "QSignalSpy QTest QtTest",
}


def qt_header_folder():
    """The folder holding QtCore/, QtWidgets/..., or None."""
    for command in (["qmake6", "-query", "QT_INSTALL_HEADERS"],
                    ["qtpaths6", "--query", "QT_INSTALL_HEADERS"]):
        try:
            run = subprocess.run(command, capture_output=True, text=True, timeout=5)
            folder = run.stdout.strip()
        except (OSError, subprocess.SubprocessError):
            continue
        if os.path.isdir(os.path.join(folder, "QtCore")):
            return folder
    for folder in ("/usr/include/x86_64-linux-gnu/qt6", "/usr/include/aarch64-linux-gnu/qt6",
                   "/usr/include/qt6", "/usr/lib/qt6/include", "/usr/local/include/qt6"):
        if os.path.isdir(os.path.join(folder, "QtCore")):
            return folder
    return None


@functools.cache
def qt_modules():
    """Qt header name (QWidget, qwidget.h, QtWidgets) -> module (Widgets), from the installed
    headers, else from FALLBACK_QT."""
    folder = qt_header_folder()
    if folder is None:
        print("layers: no Qt headers found, Qt modules checked by a short list", file=sys.stderr)
        return {name: module for module, names in FALLBACK_QT.items() for name in names.split()}
    found = {}
    # Core and Gui first: Widgets still carries forwarding headers (qaction.h) of classes that
    # moved to Gui.
    names = sorted((n for n in os.listdir(folder)
                    if n.startswith("Qt") and os.path.isdir(os.path.join(folder, n))),
                   key=lambda n: (n not in ("QtCore", "QtGui"), n))
    for name in names:
        for header in os.listdir(os.path.join(folder, name)):
            found.setdefault(header, name[2:])
    return found


def module_of_header(header, modules):
    if header == QCUSTOMPLOT_HEADER:
        return "QCustomPlot"
    first, _, rest = header.partition("/")
    if rest and first.startswith("Qt") and first[2:3].isupper():
        return first[2:]  # <QtWidgets/QWidget>
    return modules.get(header)


def read(path):
    with open(path, encoding="utf-8") as file:
        return file.read()


def folder_layer(path):
    """The layer of a file by its folder, None when the folder is no layer's."""
    return FOLDER_LAYER.get(os.path.dirname(path))


class Tree:
    def __init__(self, root):
        self.root = root
        self.offences = []
        self.members = {}    # source path without extension -> layer, from the source lists
        self.libraries = {}  # library -> layer
        self.links = []      # (library, CMakeLists path, line, linked names)
        self.read_cmake()

    def layer_of(self, path):
        return self.members.get(os.path.splitext(path)[0]) or folder_layer(path)

    def read_cmake(self):
        for folder in sorted(FOLDER_LAYER):
            cmake = f"{folder}/CMakeLists.txt"
            if not os.path.exists(os.path.join(self.root, cmake)):
                continue
            text = read(os.path.join(self.root, cmake))
            for match in LIBRARY.finditer(text):
                name = match.group(1)
                self.libraries[name] = name if name in LAYERS else FOLDER_LAYER[folder]
            for pattern in (LIBRARY, TARGET_SOURCES):
                for match in pattern.finditer(text):
                    layer = self.libraries.get(match.group(1), FOLDER_LAYER[folder])
                    for source in match.group(2).split():
                        if source.endswith(SOURCE):
                            path = os.path.normpath(os.path.join(folder, source))
                            self.members[os.path.splitext(path)[0]] = layer
            for match in LINK.finditer(text):
                line = text.count("\n", 0, match.start()) + 1
                names = [w for w in match.group(2).split() if w not in CMAKE_WORDS]
                self.links.append((match.group(1), cmake, line, names))

    def sources(self):
        """(layer, path) of every source file in the layers' folders; an offence for each one
        in a folder that no layer holds."""
        top = set(TOP_FOLDERS)
        root_cmake = os.path.join(self.root, "CMakeLists.txt")
        if os.path.exists(root_cmake):
            # A folder that the build enters but the table does not know.
            text = read(root_cmake)
            for name in re.findall(r"add_subdirectory\(\s*([\w./-]+)", text):
                top.add(os.path.normpath(name).split("/")[0])
        for folder in sorted(top - NOT_CHECKED):
            for where, dirs, files in os.walk(os.path.join(self.root, folder)):
                dirs[:] = sorted(d for d in dirs if not d.startswith("."))
                for name in sorted(files):
                    if not name.endswith(SOURCE):
                        continue
                    path = os.path.relpath(os.path.join(where, name), self.root)
                    path = path.replace(os.sep, "/")
                    # Listed in a library's sources or not, a file in a folder the table does not
                    # know would be checked against the wrong layer.
                    layer = folder_layer(path) and self.layer_of(path)
                    if layer is None:
                        self.offences.append(f"{path}:1: folder {os.path.dirname(path)} is in no "
                                             "layer of the layer table")
                    else:
                        yield layer, path


def main(root):
    tree = Tree(root)
    modules = qt_modules()
    offences = tree.offences
    used = {layer: set() for layer in LAYERS}
    for layer, path in tree.sources():
        qt = LAYERS[layer].qt | FILE_QT.get(path, set())
        for number, text in enumerate(read(os.path.join(root, path)).splitlines(), 1):
            match = INCLUDE.match(text)
            if not match:
                continue
            quoted, header = match.group(1) == '"', match.group(2).strip()
            where = f"{path}:{number}:"
            project = header.split("/")[0] in TOP_FOLDERS
            if quoted and GENERATED.match(header):
                continue
            if quoted or project:
                target = folder_layer(header)
                if target is None:  # "../x.h", "./x.h", "x.h", or a folder of no layer
                    offences.append(f"{where} include {header} is not written from the root as "
                                    "layer/file.h")
                    continue
                target = tree.layer_of(header)
                if target != layer:
                    used[layer].add(target)
                    if target not in LAYERS[layer].uses:
                        offences.append(f"{where} {layer} may not include {header} ({target})")
                continue
            module = module_of_header(header, modules)
            if module and module not in qt:
                offences.append(f"{where} {layer} may not use Qt {module} (<{header}>)")

    for library, cmake, line, names in tree.links:
        layer = tree.libraries.get(library)
        if layer is None:
            continue
        where = f"{cmake}:{line}:"
        for name in names:
            qt_match = QT_TARGET.match(name)
            module = qt_match.group(1) if qt_match else (
                "QCustomPlot" if QCUSTOMPLOT_TARGET.match(name) else None)
            if module:
                if module not in LAYERS[layer].qt:
                    offences.append(f"{where} {library} ({layer}) may not link Qt {module} "
                                    f"({name})")
                continue
            target = tree.libraries.get(name)
            if target is None or target == layer:
                continue  # a library of the same layer, or one from outside
            if target not in LAYERS[layer].uses:
                offences.append(f"{where} {library} ({layer}) may not link {name} ({target})")
            elif not any(target == u or target in reach(u, tree) for u in used[layer]):
                offences.append(f"{where} {library} links {name} ({target}) but uses nothing of it")
    for offence in offences:
        print(offence)
    print(f"layers: {len(offences)} offences")
    return 1 if offences else 0


def reach(layer, tree):
    """Every layer that the libraries of `layer` link, directly or further down."""
    seen, todo = set(), [lib for lib, l in tree.libraries.items() if l == layer]
    visited = set(todo)
    while todo:
        library = todo.pop()
        for linker, _, _, names in tree.links:
            if linker != library:
                continue
            for name in names:
                if name in tree.libraries and name not in visited:
                    visited.add(name)
                    seen.add(tree.libraries[name])
                    todo.append(name)
    return seen


if __name__ == "__main__":
    sys.exit(main(sys.argv[1] if len(sys.argv) > 1 else "."))
