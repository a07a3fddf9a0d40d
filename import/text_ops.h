#pragma once

#include <QString>
#include <QStringView>

namespace import {

// Removes blanks and control characters (codes up to 32) at both ends. Unlike
// QString::trimmed, a non-breaking space (0xA0 in the bank's code page) stays.
QString trimControls(QStringView text);
// The same on a string of its own: shares or reuses its storage instead of copying.
QString trimControls(const QString& text);
QString trimControls(QString&& text);
// The bounds that trimControls keeps.
QStringView trimmedControls(QStringView text);

// QStringView::startsWith for an ASCII prefix, without the general comparison's cost: ASCII
// letters compare case-insensitively by hand, any other character of the text as Qt folds it.
bool startsWithAscii(QStringView text, QStringView prefix,
                     Qt::CaseSensitivity cs = Qt::CaseSensitive);

// Every run of spaces becomes one space; tabs and other blanks are left alone.
QString collapseSpaces(QStringView text);

// A text as a dBase text field of `size` characters gives it back: cut to the size, without
// trailing blanks or NULs.
QString storedText(QStringView text, int size);
QStringView storedTextView(QStringView text, int size);

} // namespace import
