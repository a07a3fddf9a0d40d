#include "cli/cli_support.h"
#include "cli/commands.h"
#include "import/bijsoort.h"
#include "import/current_layouts.h"
#include "import/filtergegevens.h"
#include "import/text_ops.h"
#include "store/dbase/cp1252.h"
#include <optional>

#include <cstdio>

namespace cli {
namespace {

QByteArray readStdin()
{
    QByteArray bytes;
    char buffer[65536];
    std::size_t got;
    while ((got = std::fread(buffer, 1, sizeof buffer, stdin)) > 0)
        bytes.append(buffer, static_cast<qsizetype>(got));
    return bytes;
}

// One output line: the values exactly as the import stores them before the table cuts them.
QString classifyLine(const QByteArray& bytes, import::Layouts layouts)
{
    const QString text = dbase::cp1252::decode(bytes);
    std::optional<import::Classification> current;
    if (layouts == import::Layouts::Current)
        current = import::readCurrentLayout(text);
    const import::Classification c = current ? *current : import::bijsoort(text);
    return QStringList{c.kind, import::trimControls(c.code), import::trimControls(c.relation),
                       import::trimControls(c.description)}
               .join(u'\t') +
           u'\n';
}

} // namespace

int classify(const Context& context)
{
    const bool classic = context.args == QStringList{QStringLiteral("--classic")};
    if (!context.args.isEmpty() && !classic) {
        printErr(QStringLiteral("usage: kolvaro-cli classify [--classic] < descriptions"));
        return 2;
    }
    const import::Layouts layouts = classic ? import::Layouts::Classic : import::Layouts::Current;
    return runGuarded([layouts] {
        const QByteArray input = readStdin();
        // Lines end as in a TAB file: CR, LF or CRLF; a last line without a line end counts.
        qsizetype start = 0;
        for (qsizetype i = 0; i < input.size(); ++i) {
            if (input[i] != '\r' && input[i] != '\n')
                continue;
            printOut(classifyLine(input.mid(start, i - start), layouts));
            if (input[i] == '\r' && i + 1 < input.size() && input[i + 1] == '\n')
                ++i;
            start = i + 1;
        }
        if (start < input.size())
            printOut(classifyLine(input.mid(start), layouts));
    });
}

} // namespace cli
