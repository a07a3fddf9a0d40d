// Rich text made of the input's bytes, read as the help window reads a file: the reader never
// fails, and what it made writes out as rich text that reads back to the same text.
#include "help/rtf_reader.h"
#include "help/rtf_writer.h"
#include "tests/fuzz/fuzz_target.h"

#include <QGuiApplication>
#include <QTextDocument>

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    // Documents need a GUI application for their fonts; no window is shown.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QGuiApplication application(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    QTextDocument document;
    help::readRtf(QByteArrayView(data, static_cast<qsizetype>(size)), document);
    QTextDocument again;
    help::readRtf(help::writeRtf(document), again);
    FUZZ_CHECK(again.toPlainText() == document.toPlainText());
    return 0;
}
