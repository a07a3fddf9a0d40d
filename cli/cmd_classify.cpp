#include "cli/cli_support.h"
#include "cli/commands.h"
#include "import/bijsoort.h"
#include "import/text_ops.h"
#include "store/dbase/cp1252.h"

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
QString classifyLine(const QByteArray& bytes)
{
    const import::Classification c = import::bijsoort(dbase::cp1252::decode(bytes));
    return QStringList{c.kind, import::trimControls(c.code), import::trimControls(c.relation),
                       import::trimControls(c.description)}
               .join(u'\t') +
           u'\n';
}

} // namespace

int classify(const Context& context)
{
    if (!context.args.isEmpty()) {
        printErr(QStringLiteral("usage: kolvaro-cli classify < descriptions"));
        return 2;
    }
    return runGuarded([] {
        const QByteArray input = readStdin();
        // Lines end as in a TAB file: CR, LF or CRLF; a last line without a line end counts.
        qsizetype start = 0;
        for (qsizetype i = 0; i < input.size(); ++i) {
            if (input[i] != '\r' && input[i] != '\n')
                continue;
            printOut(classifyLine(input.mid(start, i - start)));
            if (input[i] == '\r' && i + 1 < input.size() && input[i + 1] == '\n')
                ++i;
            start = i + 1;
        }
        if (start < input.size())
            printOut(classifyLine(input.mid(start)));
    });
}

} // namespace cli
