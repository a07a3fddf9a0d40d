#include "cli/binary_stdout.h"
#include "cli/cli_support.h"
#include "cli/commands.h"

#include "sample/sample_tab.h"

#include <cstdio>
#include <optional>
#include <stdexcept>

using namespace Qt::StringLiterals;

namespace cli {
namespace {

const QString kUsage = u"usage: kolvaro-cli sample --lines N [--seed S] [--years K] "
                       "[--start-year Y] [--dup-fraction F] [--layout classic|current|mixed] "
                       "[--gaps N] > FILE.tab"_s;

std::optional<sample::SampleLayout> layoutNamed(const QString& name)
{
    if (name == u"classic")
        return sample::SampleLayout::Classic;
    if (name == u"current")
        return sample::SampleLayout::Current;
    if (name == u"mixed")
        return sample::SampleLayout::Mixed;
    return std::nullopt;
}

// Reads the options; false on anything it does not know or cannot convert.
bool parse(const QStringList& args, sample::SampleOptions& options)
{
    bool haveLines = false;
    for (qsizetype i = 0; i < args.size(); i += 2) {
        if (i + 1 >= args.size())
            return false;
        const QString& name = args[i];
        const QString& value = args[i + 1];
        bool ok = false;
        if (name == u"--lines") {
            options.lines = value.toInt(&ok);
            ok = ok && options.lines >= 0;
            haveLines = ok;
        } else if (name == u"--seed") {
            options.seed = value.toULongLong(&ok);
        } else if (name == u"--years") {
            options.years = value.toInt(&ok);
            ok = ok && options.years >= 1 && options.years <= 100;
        } else if (name == u"--start-year") {
            options.startYear = value.toInt(&ok);
            ok = ok && options.startYear >= 1000;
        } else if (name == u"--layout") {
            const std::optional<sample::SampleLayout> layout = layoutNamed(value);
            ok = layout.has_value();
            options.layout = layout.value_or(options.layout);
        } else if (name == u"--gaps") {
            options.gaps = value.toInt(&ok);
            ok = ok && options.gaps >= 0;
        } else if (name == u"--dup-fraction") {
            options.dupFraction = value.toDouble(&ok); // C locale: "0.05"
            ok = ok && options.dupFraction >= 0 && options.dupFraction < 1;
        }
        if (!ok)
            return false;
    }
    // Four-digit years throughout: the import reads the year from the date's first four digits.
    return haveLines && options.startYear + options.years - 1 <= 9999;
}

} // namespace

int sampleTab(const Context& context)
{
    sample::SampleOptions options;
    if (!parse(context.args, options)) {
        printErr(kUsage);
        return 2;
    }
    return runGuarded([&] {
        setBinaryStdout();
        sample::writeSampleTab(options, [](QByteArrayView bytes) {
            if (std::fwrite(bytes.data(), 1, std::size_t(bytes.size()), stdout) !=
                std::size_t(bytes.size()))
                throw std::runtime_error("Cannot write to standard output");
        });
        if (std::fflush(stdout) != 0)
            throw std::runtime_error("Cannot write to standard output");
    });
}

} // namespace cli
