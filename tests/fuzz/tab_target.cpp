// A TAB file made of the input's bytes, read line by line as the import reads it: every line
// gives the values of a transaction or the import's own error, never anything else.
#include "import/filtergegevens.h"
#include "import/import_error.h"
#include "import/tab_reader.h"
#include "import/text_ops.h"
#include "store/dbase/cp1252.h"
#include "tests/fuzz/fuzz_target.h"
#include "tests/fuzz/input_file.h"

#include <QCoreApplication>
#include <QTemporaryDir>
#include <cmath>
#include <memory>

namespace {

std::unique_ptr<QTemporaryDir> g_dir;

void checkLine(const QByteArray& bytes)
{
    import::LineValues values;
    try {
        values = import::filtergegevens(dbase::cp1252::decode(bytes));
    } catch (const import::ImportError&) {
        return;
    }
    FUZZ_CHECK(values.date.isValid());
    FUZZ_CHECK(std::isfinite(values.amount));
    FUZZ_CHECK(std::nearbyint(values.amount * 100) / 100 == values.amount); // whole cents
    const import::Classification& c = values.classification;
    FUZZ_CHECK(c.kind.size() == 1 && c.kind[0] >= u'3' && c.kind[0] <= u'7');
    // The old rules see nothing after the first tab beyond its first 240 characters; today's
    // layouts read the whole line.
    const import::Classification& classic = values.otherReading ? *values.otherReading : c;
    FUZZ_CHECK(classic.relation.size() <= 240 && classic.code.size() <= 240 &&
               classic.description.size() <= 240);
    FUZZ_CHECK(c.code.size() <= bytes.size() && c.relation.size() <= bytes.size() &&
               c.description.size() <= bytes.size());
    FUZZ_CHECK(!values.otherReading || c.kind == u"4" || c.kind == u"6" || c.kind == u"7");
    (void)import::trimControls(c.relation);
    (void)import::storedText(import::trimControls(c.description), 40);
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    static QCoreApplication application(*argc, *argv);
    g_dir = std::make_unique<QTemporaryDir>();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QString path = g_dir->filePath(QStringLiteral("bank.tab"));
    writeInputFile(path, data, size);
    try {
        import::TabReader reader(path);
        FUZZ_CHECK(reader.size() == static_cast<qint64>(size));
        while (!reader.atEnd())
            checkLine(reader.readLine());
    } catch (const import::ImportError&) {
        // A line over the reader's limit.
    }
    return 0;
}
