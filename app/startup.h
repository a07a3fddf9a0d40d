#pragma once

#include "charts/chart_hooks.h"

class QApplication;
class QWidget;

namespace app {

class Dialogs;

// Loads Qt's Dutch translations, so that standard dialogs and buttons speak Dutch ("Ja", "Nee").
// Returns false when the translation file is missing.
bool installDutchTranslations(QApplication& application);

// The program's font: a sans serif metric-compatible with the classic 8 point dialog font
// (11 pixels at 96 dpi).
void applyProgramFont(QApplication& application);

// Names the program for the desktop (application name, version, desktop entry) and gives every
// window its icon.
void applyProgramIdentity(QApplication& application);

// Places a window in the middle of its screen's free area.
void centreOnScreen(QWidget& window);

// The chart windows report through the program's guard and save through its file dialog.
charts::ChartHooks chartHooks(Dialogs& dialogs);

} // namespace app
