// The help text: reading and showing a rich-text file of a megabyte, and writing it.
#include "help/rtf_reader.h"
#include "help/rtf_writer.h"

#include <QApplication>
#include <QFile>
#include <QTextDocument>
#include <QTextEdit>
#include <benchmark/benchmark.h>

namespace {

// The shipped help text, its paragraphs repeated to a megabyte: the formatting mix of a real
// help text at a size no help text reaches.
QByteArray megabyteOfHelp()
{
    QFile file(QStringLiteral(":/store/help.rtf"));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QByteArray help = file.readAll();
    const qsizetype bodyStart = help.indexOf("\\pard");
    const QByteArray body = help.mid(bodyStart, help.lastIndexOf('}') - bodyStart);
    QByteArray rtf = help.left(bodyStart);
    while (rtf.size() < 1024 * 1024)
        rtf += body;
    return rtf + "}";
}

const QByteArray& input()
{
    static const QByteArray rtf = megabyteOfHelp();
    return rtf;
}

void BM_ReadRtf(benchmark::State& state)
{
    for (auto _ : state) {
        QTextDocument document;
        help::readRtf(input(), document);
        benchmark::DoNotOptimize(document.characterCount());
    }
    state.SetBytesProcessed(state.iterations() * input().size());
}
BENCHMARK(BM_ReadRtf)->Unit(benchmark::kMillisecond);

// As the help window loads a file: read into a new document, hand it to the editor, paint.
void BM_ReadAndShowRtf(benchmark::State& state)
{
    QTextEdit editor;
    editor.resize(484, 565);
    editor.show();
    for (auto _ : state) {
        auto* document = new QTextDocument(&editor);
        document->setDefaultFont(editor.font());
        help::readRtf(input(), *document);
        editor.setDocument(document);
        QApplication::processEvents();
        benchmark::DoNotOptimize(editor.grab());
    }
}
BENCHMARK(BM_ReadAndShowRtf)->Unit(benchmark::kMillisecond);

void BM_WriteRtf(benchmark::State& state)
{
    QTextDocument document;
    help::readRtf(input(), document);
    qsizetype size = 0;
    for (auto _ : state) {
        const QByteArray rtf = help::writeRtf(document);
        size = rtf.size();
        benchmark::DoNotOptimize(rtf.data());
    }
    state.counters["bytes_written"] = double(size);
}
BENCHMARK(BM_WriteRtf)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    if (input().size() < 1024 * 1024)
        return 1;
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
