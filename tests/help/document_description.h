#pragma once

#include "tests/support/qt_print.h"

#include <QByteArray>
#include <QString>

class QTextBlock;
class QTextDocument;
class QTextFragment;

// Readable summaries of documents for comparisons: what a reader or writer may get wrong.
namespace doctest {

// "Arial 12 b i u s fg=#ff0000 bg=#0000ff super", from the effective font.
QString charSummary(const QTextDocument& document, const QTextFragment& fragment);
// "C li=48 ri=24 fi=-24 sb=8 sa=16 tabs=24L,96R"; lengths in pixels, rounded to tenths.
QString blockSummary(const QTextBlock& block);
// Every block with its summary, its mark's size and each fragment's text and summary;
// pictures as "picture WxH of wxh".
QString describe(const QTextDocument& document);

// The first fragment whose text is `text`; invalid when there is none.
QTextFragment fragmentWithText(const QTextDocument& document, const QString& text);

// The text of the document with "\n" between paragraphs and at line breaks.
QString plainText(const QTextDocument& document);

// Bytes of a file under tests/data/help.
QByteArray testData(const char* name);

// A small two-colour picture as PNG bytes.
QByteArray pngBytes(int width, int height);

} // namespace doctest
