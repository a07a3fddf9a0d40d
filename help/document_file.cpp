#include "help/document_file.h"

#include "help/help_error.h"
#include "help/help_texts.h"
#include "help/plain_text.h"
#include "help/rtf_reader.h"
#include "help/rtf_writer.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QTextDocument>

namespace help {

namespace {

// A help text is a few hundred kilobytes; reading a file beyond this would only freeze the
// window.
constexpr qint64 kMaxFileSize = 64 * 1024 * 1024;

} // namespace

void readDocument(QByteArrayView bytes, QTextDocument& document)
{
    if (isRtf(bytes)) {
        readRtf(bytes, document);
        return;
    }
    const std::optional<QString> text = decodePlainText(bytes);
    if (!text)
        throw HelpError(texts::kFailedToLoad);
    document.setPlainText(*text);
}

void loadDocument(const QString& path, QTextDocument& document)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw HelpError(texts::kCannotOpen.arg(QDir::toNativeSeparators(path)));
    if (file.size() > kMaxFileSize)
        throw HelpError(texts::kFailedToLoad);
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        throw HelpError(texts::kFailedToLoad);
    readDocument(bytes, document);
}

void saveDocument(const QTextDocument& document, const QString& path)
{
    const QByteArray rtf = writeRtf(document);
    const QString shown = QDir::toNativeSeparators(path);
    const QFileInfo target(path);
    if (target.exists() && !target.isFile()) {
        // A device or pipe is written to, never replaced by a file of the same name.
        QFile file(path);
        if (target.isDir() || !file.open(QIODevice::WriteOnly))
            throw HelpError(texts::kCannotCreate.arg(shown));
        if (file.write(rtf) != rtf.size() || !file.flush())
            throw HelpError(texts::kFailedToSave);
        return;
    }
    QSaveFile file(path);
    // A folder where no temporary file can be made still takes a direct write.
    file.setDirectWriteFallback(true);
    if (!file.open(QIODevice::WriteOnly))
        throw HelpError(texts::kCannotCreate.arg(shown));
    if (file.write(rtf) != rtf.size() || !file.commit())
        throw HelpError(texts::kFailedToSave);
}

} // namespace help
