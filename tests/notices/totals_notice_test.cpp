// The notice of totals that lack transactions, kept beside the tables.
#include "notices/totals_notice.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

using namespace Qt::StringLiterals;
using notices::TotalsStep;

namespace {

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
            notices::TotalsNotice notice(dir.path() + u'/');
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
        const notices::TotalsNotice restarted(dir.path());
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
    QFile file(dir.filePath(notices::TotalsNotice::kFileName));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("regels-toepassen\nvul-per-maand\n");
    file.close();
    notices::TotalsNotice notice(dir.path());
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
    notices::TotalsNotice notice(folder);
    EXPECT_THROW(notice.markDue(TotalsStep::FillMonths), notices::NoticeError);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{u"geen-map"_s});
}

} // namespace
