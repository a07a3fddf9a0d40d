#pragma once

#include <QByteArrayView>

class QTextDocument;

namespace help {

// True when the bytes begin as rich text does: "{\rtf".
bool isRtf(QByteArrayView bytes);

// Replaces the content of `document` with the rich text in `rtf`: text in the code pages the
// file names, fonts, sizes, bold, italic, underline, strike-through, colours, alignment,
// indents, paragraph spacing, tab stops, and PNG and JPEG pictures. It never fails: unknown
// control words are ignored, unbalanced or too deeply nested groups and a truncated end are
// read as far as they make sense, and whatever follows the closing brace is ignored.
void readRtf(QByteArrayView rtf, QTextDocument& document);

} // namespace help
