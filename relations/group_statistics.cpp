#include "relations/group_statistics.h"

#include "relations/transaction_groups.h"
#include "store/dbase/update_blocker.h"

#include <QHash>
#include <QRegularExpression>
#include <QSet>

namespace relations {

namespace {

QStringList sorted(const QSet<QString>& set)
{
    QStringList list(set.begin(), set.end());
    list.sort();
    return list;
}

// Transactions counted per distinct set of texts the rules look at.
struct Distinct
{
    RuleTexts texts;
    int count = 0;
};

std::vector<Distinct> distinctTexts(dbase::Table& mutaties, const GroupResolver& resolver)
{
    const dbase::UpdateBlocker block(mutaties);
    const dbase::FilterLift all(mutaties);
    const TransactionGroups reader(mutaties, &resolver);
    QHash<QString, std::size_t> seen;
    std::vector<Distinct> distinct;
    for (mutaties.first(); !mutaties.eof(); mutaties.next()) {
        RuleTexts texts = reader.textsOfCurrent();
        const QString key =
            texts.naam + QChar(0x1f) + texts.omschrijving + QChar(0x1f) + texts.reknum;
        const auto it = seen.constFind(key);
        if (it != seen.constEnd()) {
            ++distinct[*it].count;
            continue;
        }
        seen.insert(key, distinct.size());
        distinct.push_back({std::move(texts), 1});
    }
    return distinct;
}

} // namespace

std::vector<RuleStatistics> ruleStatistics(dbase::Table& mutaties,
                                           const std::vector<GroupRule>& rules)
{
    const GroupResolver resolver(rules);
    std::vector<RuleStatistics> statistics(rules.size());
    std::vector<QSet<QString>> names(rules.size()), taken(rules.size());
    for (const Distinct& d : distinctTexts(mutaties, resolver)) {
        const std::vector<int> matching = resolver.allMatches(d.texts);
        for (std::size_t i = 0; i < matching.size(); ++i) {
            const auto rule = static_cast<std::size_t>(matching[i] - 1);
            if (i == 0) {
                statistics[rule].transactions += d.count;
                names[rule].insert(d.texts.naam);
            } else {
                taken[rule].insert(d.texts.naam);
            }
        }
    }
    for (std::size_t r = 0; r < rules.size(); ++r) {
        statistics[r].names = sorted(names[r]);
        statistics[r].takenEarlier = sorted(taken[r]);
    }
    return statistics;
}

RuleStatistics transactionsCaughtBy(dbase::Table& mutaties, const GroupRule& rule)
{
    GroupRule alone = rule;
    alone.active = true;
    return ruleStatistics(mutaties, {alone}).front();
}

QString withoutBranchNumber(const QString& naam)
{
    static const QRegularExpression branch(QStringLiteral("\\s+\\d+\\s*$"));
    const QString cut = naam.trimmed().remove(branch);
    return cut.isEmpty() ? naam.trimmed() : cut;
}

} // namespace relations
