#!/usr/bin/env python3
"""check_layers.py on a small tree: each case plants one offence and expects exit 1 naming the
file that holds it; the tree without a planted offence passes."""
import contextlib
import io
import os
import subprocess
import sys
import tempfile
import unittest

HERE = os.path.dirname(os.path.abspath(__file__))
CHECKER = os.path.join(HERE, "check_layers.py")
sys.path.insert(0, HERE)
import check_layers  # noqa: E402

# Four layers and the CLI's chart picture, everything pointing down.
CLEAN = {
    "CMakeLists.txt": "add_subdirectory(store/dbase)\nadd_subdirectory(store)\n"
                      "add_subdirectory(relations)\nadd_subdirectory(viewlogic)\n"
                      "add_subdirectory(views)\nadd_subdirectory(cli)\n",
    "store/dbase/CMakeLists.txt": "add_library(dbase STATIC table.cpp)\n"
                                  "target_link_libraries(dbase PUBLIC Qt6::Core)\n",
    "store/dbase/table.h": "#pragma once\n#include <QString>\n",
    "store/dbase/table.cpp": '#include "store/dbase/table.h"\n#include <QtCore/QFile>\n',
    "store/CMakeLists.txt": "add_library(store STATIC tables.cpp)\n"
                            "target_link_libraries(store PUBLIC dbase)\n",
    "store/tables.h": '#pragma once\n#include "store/dbase/table.h"\n',
    "store/tables.cpp": '#include "store/tables.h"\n',
    "relations/CMakeLists.txt": "add_library(relations STATIC selection.cpp)\n"
                                "target_link_libraries(relations PUBLIC store)\n",
    "relations/selection.h": '#pragma once\n#include "store/tables.h"\n#include <vector>\n',
    "relations/selection.cpp": '#include "relations/selection.h"\n#include <QStringList>\n',
    "viewlogic/CMakeLists.txt": "add_library(viewlogic STATIC texts.h filter/filter_row.cpp)\n"
                                "target_link_libraries(viewlogic PUBLIC store)\n",
    "views/CMakeLists.txt": "add_library(views STATIC grid.cpp)\n"
                            "target_link_libraries(views PUBLIC viewlogic relations\n"
                            "    Qt6::Widgets)\n",
    "viewlogic/texts.h": "#pragma once\n#include <QString>\n",
    "viewlogic/filter/filter_row.cpp": '#include "viewlogic/texts.h"\n#include "store/tables.h"\n',
    "views/grid.cpp": '#include "viewlogic/texts.h"\n#include "relations/selection.h"\n'
                      "#include <QWidget>\n#include <QPainter>\n",
    "cli/CMakeLists.txt": "add_library(clicommands STATIC chart_picture.cpp terminal.cpp)\n"
                          "target_link_libraries(clicommands PUBLIC relations)\n",
    "cli/chart_picture.cpp": '#include "relations/selection.h"\n#include <QApplication>\n',
    "cli/terminal.cpp": "#include <QCoreApplication>\n",
    "tests/views_test.cpp": '#include "../views/texts.h"\n#include <QtTest>\n',
}

# (what goes wrong, lines appended to a file or a new file, the file the offence is reported in)
CASES = [
    ("relative include", {"relations/selection.cpp": '#include "../store/tables.h"'},
     "relations/selection.cpp"),
    ("include from its own folder", {"relations/selection.cpp": '#include "./selection.h"'},
     "relations/selection.cpp"),
    ("include without a layer", {"views/grid.cpp": '#include "texts.h"'}, "views/grid.cpp"),
    ("include of a folder no layer holds", {"views/grid.cpp": '#include "views/extra/a.h"'},
     "views/grid.cpp"),
    ("file in an unknown sub-folder", {"relations/extra/foo.cpp": "int x;"},
     "relations/extra/foo.cpp"),
    ("file below a known sub-folder", {"viewlogic/filter/deep/bar.h": "#pragma once"},
     "viewlogic/filter/deep/bar.h"),
    ("listed file in an unknown sub-folder",
     {"store/dbase/more/y.cpp": "int y;",
      "store/dbase/CMakeLists.txt": "target_sources(dbase PRIVATE more/y.cpp)"},
     "store/dbase/more/y.cpp"),
    ("folder the build enters but no layer holds",
     {"CMakeLists.txt": "add_subdirectory(extra)", "extra/foo.cpp": "int z;"}, "extra/foo.cpp"),
    ("<QWidget> from relations", {"relations/selection.h": "#include <QWidget>"},
     "relations/selection.h"),
    ("<QtWidgets/QWidget> from relations",
     {"relations/selection.cpp": "#include <QtWidgets/QWidget>"}, "relations/selection.cpp"),
    ("<QtWidgets> from relations", {"relations/selection.cpp": "#include <QtWidgets>"},
     "relations/selection.cpp"),
    ("<QColor> from the store", {"store/tables.cpp": "#include <QColor>"}, "store/tables.cpp"),
    ("<QImage> from the widget-free views", {"viewlogic/filter/filter_row.cpp": "#include <QImage>"},
     "viewlogic/filter/filter_row.cpp"),
    ("<QPrinter> from views", {"views/grid.cpp": "#include <QPrinter>"}, "views/grid.cpp"),
    ("<QTest> from views", {"views/grid.cpp": "#include <QTest>"}, "views/grid.cpp"),
    ("QCustomPlot from views", {"views/grid.cpp": "#include <qcustomplot.h>"}, "views/grid.cpp"),
    ("widgets in the CLI beside its chart picture", {"cli/terminal.cpp": "#include <QApplication>"},
     "cli/terminal.cpp"),
    ("Qt6::Widgets linked by relations",
     {"relations/CMakeLists.txt": "target_link_libraries(relations PRIVATE Qt6::Widgets)"},
     "relations/CMakeLists.txt"),
    ("Qt::Gui linked by the store",
     {"store/CMakeLists.txt": "target_link_libraries(store PUBLIC Qt::Gui)"},
     "store/CMakeLists.txt"),
    ("QCustomPlot linked by views",
     {"views/CMakeLists.txt": "target_link_libraries(views PUBLIC QCustomPlotQt6::QCustomPlotQt6)"},
     "views/CMakeLists.txt"),
    ("upward include", {"store/tables.cpp": '#include "relations/selection.h"'},
     "store/tables.cpp"),
    ("upward include in angle brackets", {"store/tables.cpp": "#include <relations/selection.h>"},
     "store/tables.cpp"),
    ("upward link", {"store/CMakeLists.txt": "target_link_libraries(store PUBLIC relations)"},
     "store/CMakeLists.txt"),
    ("link of a layer it does not use",
     {"cli/CMakeLists.txt": "target_link_libraries(clicommands PUBLIC viewlogic)"},
     "cli/CMakeLists.txt"),
]


def write_tree(root, changes, only_changes=False):
    if not only_changes:
        for path, text in CLEAN.items():
            write(root, path, text)
    for path, text in changes.items():
        write(root, path, text + "\n", mode="a")


def undo(root, changes):
    for path in changes:
        if path in CLEAN:
            write(root, path, CLEAN[path])
        else:
            os.remove(os.path.join(root, path))
            os.removedirs(os.path.dirname(os.path.join(root, path)))


def write(root, path, text, mode="w"):
    os.makedirs(os.path.dirname(os.path.join(root, path)), exist_ok=True)
    with open(os.path.join(root, path), mode, encoding="utf-8") as file:
        file.write(text)


def check(root):
    """The checker's exit status and output, run in this process for speed."""
    out = io.StringIO()
    with contextlib.redirect_stdout(out):
        status = check_layers.main(root)
    return status, out.getvalue()


class CheckLayersTest(unittest.TestCase):
    # One tree for every case, put back after each: removing a tree costs more than checking it.
    @classmethod
    def setUpClass(cls):
        cls.folder = tempfile.TemporaryDirectory()
        cls.root = cls.folder.name
        write_tree(cls.root, {})

    @classmethod
    def tearDownClass(cls):
        cls.folder.cleanup()

    @contextlib.contextmanager
    def planted(self, changes):
        try:
            write_tree(self.root, changes, only_changes=True)
            yield
        finally:
            undo(self.root, changes)

    def test_clean_tree_passes(self):
        self.assertEqual(check(self.root), (0, "layers: 0 offences\n"))

    def test_each_planted_offence_fails_naming_its_file(self):
        for name, changes, offender in CASES:
            with self.subTest(name):
                with self.planted(changes):
                    status, out = check(self.root)
                self.assertEqual(status, 1, out)
                self.assertIn(f"\n{offender}:", "\n" + out)
                self.assertIn("layers: 1 offences", out)

    def test_command_line(self):
        # As ctest runs it: exit 1, each offence as file:line, then the count line.
        with self.planted({"relations/selection.cpp": "#include <QWidget>"}):
            run = subprocess.run([sys.executable, CHECKER, self.root], capture_output=True,
                                 text=True)
        self.assertEqual(run.returncode, 1)
        self.assertEqual(run.stdout, "relations/selection.cpp:3: relations may not use Qt Widgets "
                                     "(<QWidget>)\nlayers: 1 offences\n")


if __name__ == "__main__":
    unittest.main()
