#pragma once

#include <QByteArray>

class QTextDocument;

namespace help {

// The document as rich text that readRtf reads back to the same text and formats: fonts,
// sizes, bold, italic, underline, strike-through, text and background colours, super- and
// subscript, alignment, indents, paragraph spacing, tab stops, and pictures (as PNG). The
// text is Windows-1252 with \u for characters outside it, so the file is plain ASCII. One
// exception: a paragraph with a hanging indent always reads back with a tab stop where its
// text begins, as rich text has it.
QByteArray writeRtf(const QTextDocument& document);

} // namespace help
