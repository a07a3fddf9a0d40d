// The cursor of the engine on in-memory tables: order, search, filter, navigation, bookmarks,
// observers and the edit cycle.
#include "store/dbase/engine_error.h"
#include "store/dbase/table.h"
#include "tests/store/engine_test_support.h"

#include <gtest/gtest.h>
#include <variant>

using namespace Qt::StringLiterals;

namespace {

using namespace enginetest;
using dbase::EngineError;
using dbase::Table;

const QString kNaam = u"NAAM"_s;

// Case-sensitive byte order of Windows-1252: upper case, lower case, then accented letters.
std::unique_ptr<Table> namesTable(const QString& index = kNaam)
{
    return peopleTable(index, {{u"albert"_s, QDate(2024, 1, 3), 3.0, 1},
                               {u"Bakker"_s, QDate(2022, 5, 1), -10.0, 1},
                               {u"\u00d6zt\u00fcrk"_s, QDate(2023, 7, 7), 0.5, 1},
                               {u"ALBERT"_s, QDate(2024, 1, 3), 250.0, 1},
                               {u"Bakker"_s, QDate(2021, 2, 2), -10.0, 2},
                               {u"Zeeman"_s, QDate(2020, 12, 31), 99.99, 1}});
}

TEST(TableOrder, textKeysSortByWindows1252BytesAndEqualKeysKeepRecordOrder)
{
    auto table = namesTable();
    EXPECT_EQ(walk(*table), (QStringList{u"ALBERT"_s, u"Bakker"_s, u"Bakker"_s, u"Zeeman"_s,
                                         u"albert"_s, u"\u00d6zt\u00fcrk"_s}));
    EXPECT_EQ(walk(*table, u"AANTAL"_s),
              (QStringList{u"1"_s, u"1"_s, u"2"_s, u"1"_s, u"1"_s, u"1"_s}));
}

TEST(TableOrder, editedKeyMovesTheRowAmongEqualKeysByRecordNumber)
{
    // Record 2 becomes a third "Bakker": it belongs between records 1 and 3.
    auto table = peopleTable(
        kNaam, {{u"Bakker"_s, {}, 0, 1}, {u"Zeeman"_s, {}, 0, 2}, {u"Bakker"_s, {}, 0, 3}});
    table->last();
    table->edit();
    table->fieldByName(kNaam).setAsString(u"Bakker"_s);
    table->post();
    EXPECT_EQ(table->fieldByName(u"AANTAL"_s).asInteger(), 2);
    EXPECT_EQ(table->position(), 1);
    EXPECT_EQ(walk(*table, u"AANTAL"_s), (QStringList{u"1"_s, u"2"_s, u"3"_s}));
}

TEST(TableOrder, dateAndNumberIndexesOrderByValue)
{
    auto byDate = peopleTable(
        u"DATUM"_s,
        {{u"c"_s, QDate(2024, 1, 1)}, {u"a"_s, QDate(1999, 12, 31)}, {u"b"_s, QDate(2000, 1, 1)}});
    EXPECT_EQ(walk(*byDate).join(QString()), u"abc"_s);
    // Text order would put "-10" before "-2" and "100" before "9.5".
    auto byAmount = peopleTable(
        u"BEDRAG"_s,
        {{u"d"_s, {}, 100.0}, {u"a"_s, {}, -10.0}, {u"c"_s, {}, 9.5}, {u"b"_s, {}, -2.0}});
    EXPECT_EQ(walk(*byAmount).join(QString()), u"abcd"_s);
}

using SearchKey = std::variant<QString, QDate, double>;
struct NearestCase
{
    const char* label;
    QString index;
    SearchKey key;
    bool filterNegative; // reject rows with a negative BEDRAG
    QString expectedNaam;
    int expectedAantal;
};

TEST(TableFindNearest, landsOnFirstPresentedRowAtOrAfterTheKeyElseTheLastRow)
{
    const NearestCase cases[] = {
        {"exact text, first of equal keys", kNaam, u"Bakker"_s, false, u"Bakker"_s, 1},
        {"text between keys", kNaam, u"Bak"_s, false, u"Bakker"_s, 1},
        {"case decides: lower after upper", kNaam, u"a"_s, false, u"albert"_s, 1},
        {"text before every key", kNaam, u"AAA"_s, false, u"ALBERT"_s, 1},
        {"text after every key", kNaam, u"\u00ff"_s, false, u"\u00d6zt\u00fcrk"_s, 1},
        {"filtered rows are passed over", kNaam, u"Bakker"_s, true, u"Zeeman"_s, 1},
        {"exact date, first of equal keys", u"DATUM"_s, QDate(2024, 1, 3), false, u"albert"_s, 1},
        {"date between keys", u"DATUM"_s, QDate(2021, 6, 1), false, u"Bakker"_s, 1},
        {"date after every key", u"DATUM"_s, QDate(2030, 1, 1), false, u"ALBERT"_s, 1},
        {"exact amount", u"BEDRAG"_s, 0.5, false, u"\u00d6zt\u00fcrk"_s, 1},
        {"negative amount, first of equal keys", u"BEDRAG"_s, -10.0, false, u"Bakker"_s, 1},
        {"amount between keys", u"BEDRAG"_s, 99.0, false, u"Zeeman"_s, 1},
        {"amount after every key", u"BEDRAG"_s, 1e6, false, u"ALBERT"_s, 1},
    };
    for (const NearestCase& c : cases) {
        SCOPED_TRACE(c.label);
        auto table = namesTable(c.index);
        if (c.filterNegative) {
            table->setFilterPredicate(
                [](const dbase::RowView& row) { return row.asFloat(2) >= 0; });
            table->setFiltered(true);
        }
        table->first();
        std::visit([&](const auto& key) { table->findNearest(key); }, c.key);
        EXPECT_FALSE(table->eof());
        EXPECT_EQ(table->fieldByName(kNaam).asString(), c.expectedNaam);
        EXPECT_EQ(table->fieldByName(u"AANTAL"_s).asInteger(), c.expectedAantal);
    }
}

TEST(TableNavigation, nextOnLastRowSetsEofAndKeepsTheRow)
{
    auto table = peopleTable(kNaam, {{u"A"_s}, {u"B"_s}});
    table->first();
    EXPECT_FALSE(table->bof() && table->eof());
    table->next();
    EXPECT_FALSE(table->eof());
    table->next();
    EXPECT_TRUE(table->eof());
    EXPECT_EQ(table->fieldByName(kNaam).asString(), u"B"_s);
    table->prior();
    EXPECT_FALSE(table->eof());
    EXPECT_EQ(table->fieldByName(kNaam).asString(), u"A"_s);
    table->prior();
    EXPECT_TRUE(table->bof());
    EXPECT_EQ(table->fieldByName(kNaam).asString(), u"A"_s);
    table->last();
    EXPECT_EQ(table->fieldByName(kNaam).asString(), u"B"_s);
}

TEST(TableNavigation, emptyTableIsAtBothEnds)
{
    auto table = peopleTable(kNaam, {});
    table->first();
    EXPECT_TRUE(table->eof());
    EXPECT_TRUE(table->bof());
    EXPECT_TRUE(table->isEmpty());
    EXPECT_EQ(table->recordCount(), 0);
    EXPECT_EQ(table->position(), -1);
    table->findNearest(u"x"_s);
    EXPECT_TRUE(table->eof());
}

TEST(TableFilter, needsBothSwitchAndPredicateAndCountsPresentedRows)
{
    auto table = namesTable();
    const auto positive = [](const dbase::RowView& row) { return row.asFloat(2) > 0; };
    table->setFiltered(true);
    EXPECT_EQ(table->recordCount(), 6) << "switch without predicate";
    table->setFiltered(false);
    table->setFilterPredicate(positive);
    EXPECT_EQ(table->recordCount(), 6) << "predicate without switch";
    table->setFiltered(true);
    EXPECT_EQ(table->recordCount(), 4);
    EXPECT_EQ(walk(*table),
              (QStringList{u"ALBERT"_s, u"Zeeman"_s, u"albert"_s, u"\u00d6zt\u00fcrk"_s}));
    table->clearFilterPredicate();
    EXPECT_EQ(table->recordCount(), 6);
    table->setFilterPredicate([](const dbase::RowView& row) {
        return row.asString(0).startsWith(QLatin1Char('B')) && row.asInteger(3) == 2;
    });
    EXPECT_EQ(walk(*table, u"AANTAL"_s), QStringList{u"2"_s});
    table->setFiltered(false);
    EXPECT_EQ(table->recordCount(), 6);
}

TEST(TableBookmark, returnsToTheRowAlsoAfterItMovedInTheIndex)
{
    auto table = namesTable();
    table->findNearest(u"Zeeman"_s);
    const dbase::Bookmark mark = table->bookmark();
    EXPECT_TRUE(table->bookmarkValid(mark));
    table->first();
    table->edit();
    table->fieldByName(kNaam).setAsString(u"zz"_s);
    table->post(); // the first row moves to the end; Zeeman moves up one place
    table->last();
    table->gotoBookmark(mark);
    EXPECT_EQ(table->fieldByName(kNaam).asString(), u"Zeeman"_s);
    EXPECT_EQ(table->position(), 2);
}

TEST(TableObservers, silentWhileDisabledThenOneResetWhenTheLastEnableComes)
{
    auto table = peopleTable(kNaam, {{u"A"_s}, {u"C"_s}});
    RecordingObserver observer;
    table->addObserver(&observer);
    addPerson(*table, {u"B"_s});
    EXPECT_FALSE(observer.events.isEmpty()) << "an enabled table announces a posted row";

    observer.events.clear();
    table->disableControls();
    table->disableControls();
    EXPECT_TRUE(table->controlsDisabled());
    addPerson(*table, {u"D"_s});
    table->first();
    table->next();
    table->edit();
    table->fieldByName(kNaam).setAsString(u"BB"_s);
    table->post();
    table->enableControls();
    EXPECT_TRUE(table->controlsDisabled()) << "calls nest";
    EXPECT_TRUE(observer.events.isEmpty()) << observer.events.join(u',').toStdString();
    table->enableControls();
    EXPECT_FALSE(table->controlsDisabled());
    EXPECT_EQ(observer.events.count(u"reset"_s), 1) << observer.events.join(u',').toStdString();
    EXPECT_EQ(observer.events.filter(u"nsert"_s).size() +
                  observer.events.filter(u"rowChanged"_s).size(),
              0);
    table->removeObserver(&observer);
}

TEST(TableEditCycle, postLeavesTheCursorOnTheRowAtItsIndexPlace)
{
    auto table = peopleTable(kNaam, {{u"Aap"_s}, {u"Zee"_s}});
    table->append();
    EXPECT_EQ(table->state(), Table::State::Insert);
    table->fieldByName(kNaam).setAsString(u"Mol"_s);
    table->post();
    EXPECT_EQ(table->state(), Table::State::Browse);
    EXPECT_EQ(table->fieldByName(kNaam).asString(), u"Mol"_s);
    EXPECT_EQ(table->position(), 1);
    table->next();
    EXPECT_EQ(table->fieldByName(kNaam).asString(), u"Zee"_s);
}

TEST(TableEditCycle, pendingRowIsPostedBeforeTheCursorMovesOrRefreshes)
{
    const std::vector<std::pair<const char*, std::function<void(Table&)>>> moves = {
        {"first", [](Table& t) { t.first(); }},
        {"next", [](Table& t) { t.next(); }},
        {"findNearest", [](Table& t) { t.findNearest(u"A"_s); }},
        {"append", [](Table& t) { t.append(); }},
        {"refresh", [](Table& t) { t.refresh(); }},
    };
    for (const auto& [label, move] : moves) {
        SCOPED_TRACE(label);
        auto table = peopleTable(kNaam, {{u"Aap"_s}});
        table->append();
        table->fieldByName(kNaam).setAsString(u"Mol"_s);
        move(*table);
        if (table->state() == Table::State::Insert)
            table->cancel(); // the empty row that "append" started
        EXPECT_EQ(walk(*table), (QStringList{u"Aap"_s, u"Mol"_s}));
    }
}

TEST(TableEditCycle, cancelDropsTheAppendedRowAndRestoresAnEditedOne)
{
    auto table = peopleTable(kNaam, {{u"Aap"_s, {}, 1.5}});
    table->append();
    table->fieldByName(kNaam).setAsString(u"Mol"_s);
    table->cancel();
    EXPECT_EQ(table->recordCount(), 1);
    table->first();
    table->edit();
    table->fieldByName(u"BEDRAG"_s).setAsFloat(7);
    EXPECT_EQ(table->fieldByName(u"BEDRAG"_s).asFloat(), 7.0) << "the pending row";
    table->cancel();
    EXPECT_EQ(table->fieldByName(u"BEDRAG"_s).asFloat(), 1.5);
    EXPECT_EQ(table->state(), Table::State::Browse);
}

TEST(TableEditCycle, writingOutsideEditOrAppendThrows)
{
    auto table = peopleTable(kNaam, {{u"Aap"_s}});
    table->first();
    EXPECT_THROW(table->fieldByName(kNaam).setAsString(u"x"_s), EngineError);
    EXPECT_THROW(table->fieldByName(u"BEDRAG"_s).setAsFloat(1), EngineError);
    EXPECT_THROW(table->fieldByName(u"DATUM"_s).setAsDate(QDate(2024, 1, 1)), EngineError);
    EXPECT_EQ(table->fieldByName(kNaam).asString(), u"Aap"_s);
}

TEST(TableFields, fieldByNameIgnoresCaseAndRejectsUnknownNames)
{
    auto table = peopleTable(kNaam, {{u"Aap"_s}});
    table->first();
    for (const QString& name : {u"naam"_s, u"NAAM"_s, u"Naam"_s})
        EXPECT_EQ(table->fieldByName(name).index(), 0) << name.toStdString();
    EXPECT_EQ(table->fieldIndex(u"bedrag"_s), 2);
    EXPECT_EQ(table->fieldIndex(u"onbekend"_s), -1);
    try {
        table->fieldByName(u"onbekend"_s);
        ADD_FAILURE() << "no error for an unknown field";
    } catch (const EngineError& error) {
        EXPECT_EQ(error.text(), u"Field 'onbekend' not found"_s);
    }
}

TEST(TableClosed, operationsOnAClosedTableThrowTheFrameworkMessage)
{
    const std::vector<std::pair<const char*, std::function<void(Table&)>>> operations = {
        {"first", [](Table& t) { t.first(); }},
        {"next", [](Table& t) { t.next(); }},
        {"last", [](Table& t) { t.last(); }},
        {"append", [](Table& t) { t.append(); }},
        {"edit", [](Table& t) { t.edit(); }},
        {"findNearest", [](Table& t) { t.findNearest(u"A"_s); }},
        {"recordCount", [](Table& t) { t.recordCount(); }},
        {"read a field", [](Table& t) { t.fieldByName(kNaam).asString(); }},
    };
    for (const auto& [label, operation] : operations) {
        SCOPED_TRACE(label);
        Table table;
        table.setDefinition(peopleDefinition());
        try {
            operation(table);
            ADD_FAILURE() << "no error";
        } catch (const EngineError& error) {
            EXPECT_EQ(error.text(), u"Cannot perform this operation on a closed dataset"_s);
        }
    }
    Table table;
    EXPECT_NO_THROW(table.close());
    EXPECT_NO_THROW(table.close());
}

} // namespace

TEST(TableDelete, deletedRowsLeaveTheOrderTheFilterAndTheReopenedFile)
{
    auto table = namesTable();
    table->setFilterPredicate(
        [](const dbase::RowView& row) { return !row.asString(0).startsWith(u'Z'); });
    table->setFiltered(true);
    table->findNearest(u"Bakker"_s); // the first Bakker: its follower becomes current
    table->deleteRow();
    EXPECT_EQ(table->fieldByName(u"AANTAL"_s).asInteger(), 2);
    EXPECT_FALSE(table->eof());
    table->last(); // deleting the last row ends at the end of the table
    table->deleteRow();
    EXPECT_TRUE(table->eof());
    EXPECT_EQ(table->fieldByName(kNaam).asString(), u"albert"_s);
    EXPECT_EQ(walk(*table), (QStringList{u"ALBERT"_s, u"Bakker"_s, u"albert"_s}));
    table->setFiltered(false);
    EXPECT_EQ(walk(*table), (QStringList{u"ALBERT"_s, u"Bakker"_s, u"Zeeman"_s, u"albert"_s}));

    table->close();
    table->open();
    EXPECT_EQ(walk(*table), (QStringList{u"ALBERT"_s, u"Bakker"_s, u"Zeeman"_s, u"albert"_s}));
}
