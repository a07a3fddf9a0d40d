// What a rebuild under the group rules may touch, and what it keeps for the way back.
#include "relations/completion.h"
#include "relations/group_rebuild.h"
#include "relations/month_totals.h"
#include "relations/relation_year.h"
#include "relations/removed_relation_years.h"
#include "tests/support/qt_print.h"
#include "tests/support/table_text.h"
#include "tests/support/tables.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

using namespace Qt::StringLiterals;
using namespace store::names;
using relations::GroupResolver;
using relations::GroupRule;
using relations::RuleKind;
using testsupport::Tables;

namespace {

QStringList rows(const dbase::Table& bedrijven)
{
    return testsupport::rowsAsText(bedrijven);
}

// What a user and older passes leave in a row: its flag, bank number and a month total.
void mark(dbase::Table& bedrijven, const QString& naam, const QString& jaar, bool select,
          const QString& banknr, double january = 0.0)
{
    ASSERT_TRUE(relations::zoekrelatiejaar(bedrijven, naam, jaar));
    bedrijven.edit();
    bedrijven.fieldByName(kSelect).setAsBoolean(select);
    bedrijven.fieldByName(kBanknr).setAsString(banknr);
    if (january != 0.0)
        bedrijven.fieldByName(kMonths[0]).setAsFloat(january);
    bedrijven.post();
}

TEST(GroupHistory, aRebuildTouchesOnlyWhatItsTransactionsReachAndItsUndoGivesRowsAndFlagsBack)
{
    QTemporaryDir folder;
    Tables t;
    // Rows no stored transaction reaches: a year emptied away, a name nobody bears now.
    t.addRelationYear(u"SHOP A"_s, u"2009"_s);
    t.addRelationYear(u"ANDERE"_s, u"2011"_s);
    t.addTransaction(QDate(2011, 3, 1), u"SHOP A"_s, -5.0);
    t.addTransaction(QDate(2011, 3, 2), u"SHOP B"_s, -7.25);
    t.addTransaction(QDate(2011, 4, 1), u"SHOP A"_s, 10.1);
    t.addTransaction(QDate(2011, 4, 2), u"SHOP A"_s, -10.1); // April nets to zero
    relations::completeRelations(*t.mutaties, *t.bedrijven);
    relations::fillMonthTotals(*t.mutaties, *t.bedrijven);
    mark(*t.bedrijven, u"SHOP A"_s, u"2011"_s, true, u"NL11"_s);
    mark(*t.bedrijven, u"SHOP B"_s, u"2011"_s, false, u"NL22"_s);
    mark(*t.bedrijven, u"SHOP A"_s, u"2009"_s, true, u"NL09"_s, 3.0);
    mark(*t.bedrijven, u"ANDERE"_s, u"2011"_s, true, u"NL33"_s, 4.0);
    const QStringList start = rows(*t.bedrijven);

    GroupRule chain;
    chain.kind = RuleKind::BeginsWith;
    chain.pattern = u"shop"_s;
    chain.group = u"KETEN"_s;
    const GroupResolver none, grouped({chain});
    const struct
    {
        const char* step;
        const GroupResolver& rules;
        const GroupResolver& before;
        QStringList want;
    } steps[] = {
        {"the rule joins the shops",
         grouped,
         none,
         {start[0], u"2011|KETEN|-|0|0|-12.25|0|0|0|0|0|0|0|0|0|-"_s, start[1]}},
        // The undo's rebuild finds the group's row through the rules it was made under.
        {"undone", none, grouped, start},
        {"again, unchanged", none, none, start},
    };
    for (const auto& s : steps) {
        SCOPED_TRACE(s.step);
        // Read from the file each time: what one rebuild removed, the next finds there.
        relations::RemovedRelationYears removed(folder.path());
        relations::rebuildRelationYears(*t.mutaties, *t.bedrijven, s.rules, &s.before, &removed);
        EXPECT_EQ(rows(*t.bedrijven), s.want);
        EXPECT_TRUE(
            relations::plannedGroupChanges(*t.mutaties, *t.bedrijven, s.rules, &s.before).empty());
    }
}

} // namespace
