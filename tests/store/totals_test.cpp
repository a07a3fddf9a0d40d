// The sums of the presented transactions, and the notice of totals that lack transactions.
#include "store/amount_totals.h"
#include "store/totals_notice.h"
#include "tests/support/tables.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

using namespace Qt::StringLiterals;
using store::TotalsStep;

namespace {

TEST(AmountTotals, sumsTheSignsOfThePresentedRowsApart)
{
    testsupport::Tables t;
    t.addTransaction(QDate(2010, 1, 5), u"BAKKER"_s, -12.5, 6);
    t.addTransaction(QDate(2010, 2, 1), u"WERKGEVER"_s, 2500.25, 4);
    t.addTransaction(QDate(2010, 2, 3), u"BAKKER"_s, -0.01, 6);
    t.addTransaction(QDate(2010, 3, 9), u"BAKKER"_s, 0.0, 3);
    t.addTransaction(QDate(2011, 1, 1), u"VERHUURDER"_s, -1234567.89, 4);
    t.addTransaction(QDate(2011, 6, 2), u"BAKKER"_s, 7.75, 5);

    struct Case
    {
        const char* name;
        QString naam; // filter on the relation; empty: none
        double in, out, balance;
    };
    const Case cases[] = {
        {"every row", {}, 2508.0, -1234580.40, 2508.0 - 1234580.40},
        {"one relation, both signs", u"BAKKER"_s, 7.75, -12.51, 7.75 - 12.51},
        {"only incoming", u"WERKGEVER"_s, 2500.25, 0, 2500.25},
        {"nothing presented", u"NIEMAND"_s, 0, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        t.mutaties->setFiltered(false);
        t.mutaties->clearFilterPredicate();
        if (!c.naam.isEmpty())
            testsupport::Tables::filterOn(*t.mutaties, store::names::kNaam,
                                          [n = c.naam](const QString& v) { return v == n; });
        const store::AmountTotals sums = store::presentedAmountTotals(*t.mutaties);
        EXPECT_NEAR(sums.in, c.in, 1e-6);
        EXPECT_NEAR(sums.out, c.out, 1e-6);
        EXPECT_NEAR(sums.balance, c.balance, 1e-6);
    }
}

// What is due after a series of events, read back from the folder as a restart would.
TEST(TotalsNotice, followsTheStepsAcrossRestarts)
{
    enum Event
    {
        Emptied,  // bedrijven emptied: both steps due
        Imported, // transactions stored: their months due
        Complete,
        Fill
    };
    struct Case
    {
        const char* name;
        std::vector<Event> events;
        bool completeDue, fillDue;
    };
    const Case cases[] = {
        {"nothing happened", {}, false, false},
        {"emptied", {Emptied}, true, true},
        {"imported", {Imported}, false, true},
        {"imported, filled", {Imported, Fill}, false, false},
        {"emptied, completed", {Emptied, Complete}, false, true},
        {"emptied, both steps", {Emptied, Complete, Fill}, false, false},
        {"filled before completing", {Emptied, Fill}, true, true},
        {"filled, completed, filled", {Emptied, Fill, Complete, Fill}, false, false},
        {"imported, completed", {Imported, Complete}, false, true},
        {"imported after emptying", {Emptied, Imported}, true, true},
        {"passes without changes", {Complete, Fill}, false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        QTemporaryDir dir;
        for (const Event e : c.events) {
            store::TotalsNotice notice(dir.path() + u'/');
            switch (e) {
            case Emptied:
                notice.markDue(TotalsStep::CompleteRelations);
                break;
            case Imported:
                notice.markDue(TotalsStep::FillMonths);
                break;
            case Complete:
                notice.stepRan(TotalsStep::CompleteRelations);
                break;
            case Fill:
                notice.stepRan(TotalsStep::FillMonths);
                break;
            }
        }
        const store::TotalsNotice restarted(dir.path());
        EXPECT_EQ(restarted.due(TotalsStep::CompleteRelations), c.completeDue);
        EXPECT_EQ(restarted.due(TotalsStep::FillMonths), c.fillDue);
        EXPECT_EQ(restarted.anyDue(), c.completeDue || c.fillDue);
        // Nothing due leaves no file behind, nor a temporary one.
        EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(),
                  restarted.anyDue() ? 1 : 0);
    }
}

TEST(TotalsNotice, keepsKeysOfALaterVersion)
{
    QTemporaryDir dir;
    QFile file(dir.filePath(store::TotalsNotice::kFileName));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("regels-toepassen\nvul-per-maand\n");
    file.close();
    store::TotalsNotice notice(dir.path());
    EXPECT_FALSE(notice.due(TotalsStep::CompleteRelations));
    notice.stepRan(TotalsStep::FillMonths);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), QByteArray("regels-toepassen\n"));
}

TEST(TotalsNotice, aFolderThatCannotBeWrittenThrows)
{
    // A file where the folder should be: not writable, whoever runs the test.
    QTemporaryDir dir;
    const QString folder = dir.filePath(u"geen-map"_s);
    QFile file(folder);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    store::TotalsNotice notice(folder);
    EXPECT_THROW(notice.markDue(TotalsStep::FillMonths), store::NoticeError);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{u"geen-map"_s});
}

} // namespace
