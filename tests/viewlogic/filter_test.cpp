// The filter rows' logic without widgets: line settings, reading typed texts, the predicate per
// kind of comparison, typing and leaving boxes, clearing, and switching rows on a shared table.
#include "store/dbase/table_observer.h"
#include "tests/support/qt_print.h"
#include "tests/support/tables.h"
#include "viewlogic/filter/filter_row.h"
#include "viewlogic/filter/page_rows.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace views::filter;
namespace n = store::names;

namespace {

const DateSettings kDates{u"dd-MM-yyyy"_s, QDate(2024, 6, 15)};

dbase::FieldDef def(char type, int width, int decimals = 0)
{
    return dbase::FieldDef{u"F"_s, type, width, decimals, 1};
}

// Counts the grids' resets: one per re-filter.
struct ResetCounter : dbase::TableObserver
{
    int resets = 0;
    void aboutToReset() override {}
    void reset() override { ++resets; }
    void aboutToInsert(int) override {}
    void inserted(int) override {}
    void rowChanged(int) override {}
    void currentChanged(int) override {}
};

// Six transactions whose fields all differ; reknum names the row.
struct Transactions : testsupport::Tables
{
    Transactions()
    {
        add(QDate(2010, 3, 1), 3, u"Abby Road"_s, u"huur maart"_s, u"R1"_s);
        add(QDate(2010, 3, 2), 4, u"CRABBE BV"_s, u"NO\u00cbL cadeau"_s, u"R2"_s);
        add(QDate(2010, 3, 3), 5, u"SP REIZIGERS"_s, u"Stra\u00dfe 5"_s, u"R3"_s);
        add(QDate(2010, 3, 4), 6, u"SP REIZIGERS BV"_s, u"pinnen"_s, u"R4"_s);
        add(QDate(2010, 4, 1), 7, u"GEMEENTE"_s, u"Aanslag ab"_s, u"R5"_s);
        add(QDate(), 3, u"zonder datum"_s, QString(), u"R6"_s);
    }
    void add(const QDate& datum, int soort, const QString& naam, const QString& omschrijving,
             const QString& reknum)
    {
        addTransaction(datum, naam, 1.0, soort); // the cursor stays on the posted row
        mutaties->edit();
        mutaties->fieldByName(n::kOmschrijving).setAsString(omschrijving);
        mutaties->fieldByName(n::kReknum).setAsString(reknum);
        mutaties->post();
    }
    QString presented() const
    {
        QStringList names;
        const int reknum = mutaties->fieldIndex(n::kReknum);
        for (int r = 0; r < mutaties->recordCount(); ++r)
            names << mutaties->rowAt(r).asString(reknum);
        return names.join(u' ');
    }
};

std::unique_ptr<FilterRow> makeRow(dbase::Table& table, const std::vector<FilterField>& fields)
{
    auto row = std::make_unique<FilterRow>(table, fields);
    row->setDateSettings(kDates);
    row->setLocale(QLocale(QLocale::Dutch, QLocale::Netherlands));
    return row;
}

} // namespace

TEST(FilterField, typeDefaultsAndTheCouplingOfContainsWithOneBox)
{
    struct Case
    {
        const char* what;
        dbase::FieldDef field;
        std::optional<Count> count;
        std::optional<Compare> compare;
        Count expectedCount;
        Compare expectedCompare;
        bool compareFirst = false; // setCompare before setCount
    };
    const Case cases[] = {
        {"text", def('C', 40), {}, {}, Count::coOne, Compare::ctInitial},
        {"date", def('D', 8), {}, {}, Count::coTwo, Compare::ctExact},
        {"integer", def('N', 4), {}, {}, Count::coTwo, Compare::ctExact},
        {"float", def('N', 15, 2), {}, {}, Count::coTwo, Compare::ctExact},
        {"boolean", def('L', 1), {}, {}, Count::coOne, Compare::ctExact},
        {"memo carries no condition", def('M', 10), {}, {}, Count::coNone, Compare::ctInternal},
        {"contains on a range field",
         def('D', 8),
         {},
         Compare::ctInternal,
         Count::coOne,
         Compare::ctInternal},
        {"two boxes on a memo-like default", def('C', 40), Count::coTwo, Compare::ctInternal,
         Count::coOne, Compare::ctInternal},
        {"contains, then two boxes: begins with", def('C', 40), Count::coTwo, Compare::ctInternal,
         Count::coTwo, Compare::ctInitial, true},
    };
    RowDefaults contains;
    contains.string = {Count::coOne, Compare::ctInternal};
    for (const Case& c : cases) {
        FilterField field(u"F"_s);
        if (c.compare && c.compareFirst)
            field.setCompare(*c.compare);
        if (c.count)
            field.setCount(*c.count);
        if (c.compare && !c.compareFirst)
            field.setCompare(*c.compare);
        const FilterField::Resolved r = field.resolve(c.field, RowDefaults{});
        EXPECT_EQ(r.count, c.expectedCount) << c.what;
        EXPECT_EQ(r.compare, c.expectedCompare) << c.what;
    }
    // Two boxes asked of a line whose default is "contains": it begins-with instead.
    const auto r = FilterField(u"F"_s).setCount(Count::coTwo).resolve(def('C', 40), contains);
    EXPECT_EQ(r.compare, Compare::ctInitial);
    EXPECT_EQ(r.label, u"F"_s);
    EXPECT_EQ(r.width, 40);
}

TEST(ValueReaders, lenientWhileTypingStrictOnLeaving)
{
    struct Case
    {
        TypeGroup group;
        QString text;
        std::optional<Value> lenient; // nullopt: the box keeps its value
        QString strictMessage;        // empty when the text is a value
    };
    const Case cases[] = {
        {TypeGroup::DateTime, u"1-3"_s, Value{QDate(2024, 3, 1)}, {}},
        {TypeGroup::DateTime, u"1-3-"_s, {}, u"'1-3-' is not a valid date"_s},
        {TypeGroup::DateTime, u"1-3-2"_s, Value{QDate(2002, 3, 1)}, {}},
        {TypeGroup::DateTime, u"01-03-20"_s, Value{QDate(2020, 3, 1)}, {}},
        {TypeGroup::DateTime, u"1-3-201"_s, Value{QDate(201, 3, 1)}, {}},
        {TypeGroup::DateTime, u"1-3-2010"_s, Value{QDate(2010, 3, 1)}, {}},
        {TypeGroup::DateTime, u"31-2-2010"_s, {}, u"'31-2-2010' is not a valid date"_s},
        {TypeGroup::DateTime, u"12"_s, {}, u"'12' is not a valid date"_s},
        {TypeGroup::DateTime, u"  "_s, {}, u"'  ' is not a valid date"_s},
        {TypeGroup::DateTime, QString(), Value{}, {}},
        {TypeGroup::Integer, u"+6"_s, Value{qint64(6)}, {}},
        {TypeGroup::Integer, u"-"_s, {}, u"'-' is not a valid integer value"_s},
        {TypeGroup::Float, u"-1,5"_s, Value{-1.5}, {}},
        {TypeGroup::Float, u"1.5"_s, {}, u"'1.5' is not a valid floating point value"_s},
        {TypeGroup::String, u" ab  "_s, Value{u" ab"_s}, {}},
        {TypeGroup::String, u"   "_s, Value{}, {}},
        {TypeGroup::Boolean, u"ja"_s, Value{true}, {}},
        {TypeGroup::Boolean, u"x"_s, {}, u"'x' is geen geldige logische waarde"_s},
    };
    for (const Case& c : cases) {
        const auto lenient = readLenient(c.group, c.text, kDates);
        EXPECT_EQ(lenient, c.lenient) << c.text.toStdString();
        try {
            const Value strict = readStrict(c.group, c.text, kDates);
            EXPECT_TRUE(c.strictMessage.isEmpty()) << c.text.toStdString();
            EXPECT_EQ(strict, lenient);
        } catch (const FilterError& error) {
            EXPECT_EQ(error.text(), c.strictMessage);
        }
    }
    EXPECT_EQ(standardText(Value{QDate(201, 3, 1)}, kDates), u"01-03-0201"_s);
    EXPECT_EQ(readLenient(TypeGroup::DateTime, u"01-03-0201"_s, kDates), Value{QDate(201, 3, 1)});
    // A shown number reads back as itself, also where the shortest form would need an exponent.
    for (const double number : {-12.5, 1e20}) {
        const QString shown = standardText(Value{number}, kDates);
        EXPECT_EQ(readLenient(TypeGroup::Float, shown, kDates), Value{number})
            << shown.toStdString();
    }
    EXPECT_EQ(standardText(Value{-12.5}, kDates), u"-12,5"_s);
    EXPECT_FALSE(acceptsCharacter(TypeGroup::Integer, u'a'));
    EXPECT_TRUE(acceptsCharacter(TypeGroup::Integer, u'-'));
    EXPECT_TRUE(acceptsCharacter(TypeGroup::Float, u','));
    EXPECT_TRUE(acceptsCharacter(TypeGroup::DateTime, u'x'));
}

TEST(FilterPredicate, eachComparisonOverTheRows)
{
    struct Case
    {
        FilterField line;
        QString first, second; // as typed
        QString expected;      // reknum of the presented rows, in datum order
    };
    const auto contains = [](const QString& field) {
        return FilterField(field).setCompare(Compare::ctInternal);
    };
    const Case cases[] = {
        // Contains, ignoring case in the locale's upper case, also on diacritics and "ß".
        {contains(n::kNaam), u"ab"_s, {}, u"R1 R2"_s},
        {contains(n::kOmschrijving), u"no\u00ebl"_s, {}, u"R2"_s},
        {contains(n::kOmschrijving), u"noel"_s, {}, QString()},
        {contains(n::kOmschrijving), u"STRASSE"_s, {}, u"R3"_s},
        {contains(n::kOmschrijving).setCaseInsensitive(false), u"ab"_s, {}, u"R5"_s},
        {contains(n::kOmschrijving).setCaseInsensitive(false), u"AB"_s, {}, QString()},
        // Begins with, and equality, of texts.
        {FilterField(n::kNaam), u"sp"_s, {}, u"R3 R4"_s},
        {FilterField(n::kNaam).setCompare(Compare::ctExact), u"sp reizigers"_s, {}, u"R3"_s},
        {FilterField(n::kNaam).setCount(Count::coTwo), u"s"_s, u"sp"_s, u"R3 R4"_s},
        // Dates and numbers as values; an empty date is in no range.
        {FilterField(n::kDatum), u"02-03-2010"_s, {}, u"R2 R3 R4 R5"_s},
        {FilterField(n::kDatum), {}, u"2-3-2010"_s, u"R1 R2"_s},
        {FilterField(n::kDatum), u"2-3-2010"_s, u"3-3-2010"_s, u"R2 R3"_s},
        {FilterField(n::kDatum).setCount(Count::coOne), u"4-3-2010"_s, {}, u"R4"_s},
        {FilterField(n::kSoort), u"4"_s, u"5"_s, u"R2 R3"_s},
        {FilterField(n::kSoort), u"6"_s, {}, u"R4 R5"_s},
        // Other fields written out, compared as texts.
        {contains(n::kSoort), u"5"_s, {}, u"R3"_s},
    };
    for (const Case& c : cases) {
        Transactions t;
        const auto row = makeRow(*t.mutaties, {c.line});
        row->setFiltered(true);
        row->enterText(0, 0, c.first);
        if (row->boxCount(0) == 2)
            row->enterText(0, 1, c.second);
        EXPECT_EQ(t.presented(), c.expected)
            << c.line.fieldName().toStdString() << " " << c.first.toStdString();
    }
}

TEST(FilterRow, typingLeavingAndClearingRefilterOnlyWhenAValueChanges)
{
    Transactions t;
    ResetCounter grid;
    t.mutaties->addObserver(&grid);
    const auto row = makeRow(*t.mutaties, transactionRowFields());
    std::vector<std::pair<QString, int>> heard;
    row->OnEditChange = [&](const FilterField& f, int box) {
        heard.emplace_back(f.fieldName(), box);
    };
    QStringList shown;
    row->onTextSet = [&](int line, int box, const QString& text) {
        shown << u"%1.%2=%3"_s.arg(line).arg(box).arg(text);
    };
    row->setFiltered(true);
    t.mutaties->last();

    // A date typed into "van": each step that reads as a date re-filters, the others do not.
    int resets = grid.resets;
    for (const QString& text : {u"2"_s, u"2-"_s, u"2-3"_s, u"2-3-"_s, u"2-3-2010"_s})
        row->editText(kDatumLine, 0, text);
    EXPECT_EQ(grid.resets - resets, 2); // "2-3" (this year) and "2-3-2010"
    EXPECT_EQ(heard.size(), 5u) << "every change of the text is heard";
    EXPECT_EQ(t.presented(), u"R2 R3 R4 R5"_s);
    EXPECT_EQ(t.mutaties->position(), 0) << "the grid shows the top of the filtered rows";

    // Leaving "van" rewrites its text, then copies its value into the empty "t/m", which is
    // heard as box 1.
    heard.clear();
    row->leaveBox(kDatumLine, 0);
    EXPECT_EQ(t.presented(), u"R2"_s);
    EXPECT_EQ(shown, (QStringList{u"0.0=02-03-2010"_s, u"0.1=02-03-2010"_s}));
    EXPECT_EQ(heard, (std::vector<std::pair<QString, int>>{{n::kDatum, 0}, {n::kDatum, 1}}));

    // Leaving a box with a text that is no value: the message, and the value stays.
    row->editText(kSoortLine, 0, u"4"_s);
    row->editText(kSoortLine, 0, u"4-"_s);
    EXPECT_THROW(row->leaveBox(kSoortLine, 0), FilterError);
    EXPECT_EQ(row->entered(kSoortLine, 0), Value{qint64(4)});
    EXPECT_TRUE(row->text(kSoortLine, 1).isEmpty()) << "no copy after a failed leave";

    // A trailing blank changes the text but not the value: heard, no re-filter; leaving
    // rewrites the text in its standard form.
    resets = grid.resets;
    row->editText(kRelatieLine, 0, u"cr"_s);
    row->editText(kRelatieLine, 0, u"cr "_s);
    EXPECT_EQ(grid.resets - resets, 1);
    row->leaveBox(kRelatieLine, 0);
    EXPECT_EQ(row->text(kRelatieLine, 0), u"cr"_s);

    // Clearing: one re-filter, then every emptied box is heard; nothing to clear, no re-filter.
    heard.clear();
    resets = grid.resets;
    row->ClearFilterValues();
    EXPECT_EQ(grid.resets - resets, 1);
    EXPECT_EQ(heard.size(), 4u); // datum van and t/m, Soort van, Relatie
    EXPECT_EQ(t.mutaties->recordCount(), 6);
    row->ClearFilterValues();
    EXPECT_EQ(grid.resets - resets, 1);
    t.mutaties->removeObserver(&grid);
}

TEST(FilterRow, switchingTwoRowsThatShareATable)
{
    testsupport::Tables t;
    t.addRelationYear(u"SHOP"_s, u"2010"_s);
    t.addRelationYear(u"SHOP"_s, u"2011"_s);
    t.addRelationYear(u"BAKKER"_s, u"2011"_s);
    const auto relations = makeRow(*t.bedrijven, relationRowFields());
    const auto months = makeRow(*t.bedrijven, monthTotalRowFields());
    dbase::Table& table = *t.bedrijven;

    relations->setFiltered(true);
    relations->editText(kNaamLine, 0, u"sh"_s);
    EXPECT_EQ(table.recordCount(), 2);
    months->setFiltered(true);
    EXPECT_EQ(table.recordCount(), 3) << "the row switched on puts its own (empty) values in force";
    months->editText(kJaarLine, 0, u"2011"_s);
    EXPECT_EQ(table.recordCount(), 2);
    relations->setFiltered(true);
    EXPECT_EQ(table.recordCount(), 2) << "an already-on row takes the table back";
    EXPECT_EQ(table.rowAt(0).asString(table.fieldIndex(n::kJaar)), u"2010"_s);

    // Off: every row presented, the values kept; on again: they are back in force.
    relations->setFiltered(false);
    EXPECT_FALSE(table.filtered());
    EXPECT_EQ(table.recordCount(), 3);
    EXPECT_EQ(relations->text(kNaamLine, 0), u"sh"_s);
    relations->setFiltered(true);
    EXPECT_EQ(table.recordCount(), 2);

    // On and in force already: nothing happens, the cursor stays.
    table.last();
    relations->setFiltered(true);
    EXPECT_EQ(table.position(), 1);
}
