#include "cli/rule_arguments.h"

using namespace Qt::StringLiterals;

namespace cli::rulearguments {

QString kindWord(relations::RuleKind kind)
{
    return kind == relations::RuleKind::BeginsWith ? u"begint"_s : relations::kindName(kind);
}

int ruleNumber(const QString& text, qsizetype count, bool end)
{
    bool ok = false;
    const int n = text.toInt(&ok);
    const qsizetype last = end ? count + 1 : count;
    if (!ok || n < 1 || n > last)
        throw relations::GroupRuleError(
            u"Er is geen regel %1: kies een nummer van 1 tot en met %2."_s.arg(text).arg(last));
    return n;
}

std::optional<std::map<QString, QString>>
options(const QStringList& args, const QStringList& allowed, const QStringList& required)
{
    std::map<QString, QString> found;
    for (qsizetype i = 1; i < args.size(); i += 2) {
        const QString& name = args[i];
        if (i + 1 >= args.size() || !allowed.contains(name) || found.contains(name))
            return std::nullopt;
        found[name] = args[i + 1];
    }
    for (const QString& name : required)
        if (!found.contains(name))
            return std::nullopt;
    return found;
}

std::optional<std::pair<QString, QString>> testArguments(const QStringList& args,
                                                         const QString& defaultField)
{
    QString field = defaultField;
    QStringList rest = args.mid(1);
    if (rest.size() == 3 && rest[0] == u"--veld") {
        field = rest[1];
        rest = rest.mid(2);
    }
    if (rest.size() != 1)
        return std::nullopt;
    return std::pair{field, rest[0]};
}

int insertionPoint(const std::map<QString, QString>& options, qsizetype count)
{
    const auto op = options.find(u"--op"_s);
    return op != options.end() ? ruleNumber(op->second, count, true) : int(count) + 1;
}

} // namespace cli::rulearguments
