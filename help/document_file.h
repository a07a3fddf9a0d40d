#pragma once

#include <QByteArrayView>
#include <QString>

class QTextDocument;

namespace help {

// Replaces the content of `document` with the bytes of a file: rich text when they begin as
// rich text, else plain text. Throws HelpError "Failed to Load Stream" for bytes that are
// neither, leaving the document as it was.
void readDocument(QByteArrayView bytes, QTextDocument& document);

// Reads a file into `document`. Throws HelpError "Cannot open file <path>" when it cannot be
// opened, "Failed to Load Stream" when it cannot be read or holds no text; the document is
// unchanged then.
void loadDocument(const QString& path, QTextDocument& document);

// Writes the document as rich text, replacing the file only when the whole text is written.
// Throws HelpError "Cannot create file <path>" or "Failed to Save Stream"; an existing file is
// left as it was then.
void saveDocument(const QTextDocument& document, const QString& path);

} // namespace help
