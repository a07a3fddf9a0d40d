#include "relations/selection.h"
#include "store/dbase/table_observer.h"
#include "store/dbase/update_blocker.h"
#include "tests/support/relation_year.h"
#include "tests/support/tables.h"

#include <gtest/gtest.h>

#include <optional>

using namespace Qt::StringLiterals;
using namespace store::names;
using testsupport::Tables;

namespace {

// Relation-year rows in NAAM order with a flag each: nullopt leaves it empty.
void addRows(dbase::Table& bedrijven,
             std::initializer_list<std::tuple<const char*, const char*, std::optional<bool>>> rows)
{
    for (const auto& [naam, jaar, flag] : rows)
        testsupport::addRelationYear(bedrijven, {QString::fromLatin1(naam),
                                                 QString::fromLatin1(jaar),
                                                 {},
                                                 flag,
                                                 QString::fromLatin1(jaar).right(2)});
}

// Every row's flag, filter or not: "X" set, "_" cleared, "." empty. Moves the cursor.
QString flags(dbase::Table& bedrijven)
{
    const dbase::FilterLift all(bedrijven);
    const int select = bedrijven.fieldIndex(kSelect);
    QString text;
    for (int r = 0; r < bedrijven.recordCount(); ++r) {
        const dbase::RowView row = bedrijven.rowAt(r);
        text += row.isNull(select) ? u'.' : row.asBoolean(select) ? u'X' : u'_';
    }
    return text;
}

struct CountingObserver : dbase::TableObserver
{
    int resets = 0, rowsChanged = 0;
    void aboutToReset() override {}
    void reset() override { ++resets; }
    void aboutToInsert(int) override {}
    void inserted(int) override {}
    void rowChanged(int) override { ++rowsChanged; }
    void currentChanged(int) override {}
};

} // namespace

TEST(Selection, toggleFlipsTheCurrentRowOnlyAndAnEmptyFlagCountsAsCleared)
{
    struct Case
    {
        int position;
        int toggles;
        const char* flags;
    };
    const Case cases[] = {
        {0, 1, "XX_"}, {0, 2, "_X_"}, // empty: set by the first, cleared by the second
        {1, 1, ".__"}, {1, 2, ".X_"}, {2, 1, ".XX"}, {2, 2, ".X_"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.position << " x" << c.toggles);
        Tables t;
        addRows(*t.bedrijven, {{"A", "2010", {}}, {"B", "2010", true}, {"C", "2011", false}});
        t.bedrijven->moveTo(c.position);
        for (int i = 0; i < c.toggles; ++i)
            EXPECT_TRUE(relations::toggleSelect(*t.bedrijven));
        EXPECT_EQ(t.bedrijven->position(), c.position);
        EXPECT_EQ(t.bedrijven->state(), dbase::Table::State::Browse); // stored at once
        EXPECT_EQ(flags(*t.bedrijven), QString::fromLatin1(c.flags));
    }

    Tables empty;
    EXPECT_FALSE(relations::toggleSelect(*empty.bedrijven));
    EXPECT_EQ(empty.bedrijven->recordCount(), 0);
}

TEST(Selection, selectAndDeselectWriteOnlyThePresentedRowsAndEndOnTheFirst)
{
    struct Case
    {
        const char* naam; // the filter on Naam; nullptr: none
        bool select;
        int written;
        const char* flags;
    };
    const Case cases[] = {
        {nullptr, true, 4, "XXXX"}, {nullptr, false, 4, "____"}, {"A", true, 2, "XXX."},
        {"B", false, 1, ".__."},    {"Z", true, 0, "._X."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.naam ? c.naam : "all");
        Tables t;
        addRows(*t.bedrijven,
                {{"A", "2010", {}}, {"A", "2011", false}, {"B", "2010", true}, {"C", "2011", {}}});
        if (c.naam)
            Tables::filterOn(
                *t.bedrijven, kNaam,
                [naam = QString::fromLatin1(c.naam)](const QString& v) { return v == naam; });
        t.bedrijven->last();
        CountingObserver grid;
        t.bedrijven->addObserver(&grid);

        EXPECT_EQ(relations::setSelectOfPresented(*t.bedrijven, c.select), c.written);

        t.bedrijven->removeObserver(&grid);
        EXPECT_EQ(grid.rowsChanged, 0); // the grid repaints once, not row by row
        EXPECT_EQ(grid.resets, 1);
        EXPECT_EQ(t.bedrijven->position(), c.written > 0 ? 0 : -1);
        EXPECT_EQ(t.bedrijven->state(), dbase::Table::State::Browse);
        EXPECT_EQ(flags(*t.bedrijven), QString::fromLatin1(c.flags));
    }
}
