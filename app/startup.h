#pragma once

class QApplication;

namespace app {

// Loads Qt's Dutch translations, so that standard dialogs and buttons speak Dutch ("Ja", "Nee").
// Returns false when the translation file is missing.
bool installDutchTranslations(QApplication& application);

// The program's font: a sans serif metric-compatible with the classic 8 point dialog font
// (11 pixels at 96 dpi).
void applyProgramFont(QApplication& application);

} // namespace app
