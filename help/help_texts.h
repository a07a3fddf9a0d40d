#pragma once

#include <QString>

// The texts of the help window. It sits below the layer that holds the main window's texts,
// so it keeps its own.
namespace help::texts {

inline const QString kCaption = QStringLiteral("Help (uitleg)");
inline const QString kVersion = QStringLiteral("Versie 1.2");
inline const QString kSave = QStringLiteral("Opslaan");
inline const QString kLoad = QStringLiteral("Inlezen");
inline const QString kTextColour = QStringLiteral("Tekstkleur");
inline const QString kFont = QStringLiteral("Fontgrootte");
inline const QString kRichTextFilter = QStringLiteral("rich tekst (*.rtf)");
inline const QString kRichTextSuffix = QStringLiteral("rtf");
inline const QString kHelpFileName = QStringLiteral("help.rtf");
inline const QString kFontColour = QStringLiteral("Kleur:");

// The file messages are the framework's, in English like its other messages.
inline const QString kCannotOpen = QStringLiteral("Cannot open file %1");
inline const QString kCannotCreate = QStringLiteral("Cannot create file %1");
inline const QString kFailedToLoad = QStringLiteral("Failed to Load Stream");
inline const QString kFailedToSave = QStringLiteral("Failed to Save Stream");

} // namespace help::texts
