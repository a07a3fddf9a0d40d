#pragma once

#include "tests/support/qt_print.h"

#include "store/dbase/table.h"
#include "store/dbase/table_observer.h"

#include <QByteArray>
#include <QDate>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

// Helpers shared by the engine's tests: small tables, raw DBF bytes, forked children.
namespace enginetest {

// A five-field table of the test's own, indexed on NAAM, DATUM and BEDRAG.
dbase::TableDefinition peopleDefinition();

struct Person
{
    QString naam;
    QDate datum{};
    double bedrag = 0;
    int aantal = 0;
};

void addPerson(dbase::Table& table, const Person& person);
std::unique_ptr<dbase::Table> peopleTable(const QString& indexName,
                                          const std::vector<Person>& people);
// Field `name` of every presented row, walked with first/next.
QStringList walk(dbase::Table& table, const QString& name = QStringLiteral("NAAM"));

// Raw files.
QByteArray readFile(const QString& path);
void writeFile(const QString& path, const QByteArray& bytes);
quint32 le32(const QByteArray& bytes, int offset);
quint16 le16(const QByteArray& bytes, int offset);
void putLe32(QByteArray& bytes, int offset, quint32 value);
void putLe16(QByteArray& bytes, int offset, quint16 value);

// A level-3 (dBase III/IV/5) table built byte by byte, independent of the engine.
struct RawField
{
    QByteArray name; // ASCII
    char type;
    int width;
    int decimals = 0;
};
std::vector<RawField> mutatiesLevel3Fields();
// Values are ASCII/Windows-1252 bytes; C is left-aligned, everything else right-aligned.
QByteArray rawRecord(const std::vector<RawField>& fields, const std::vector<QByteArray>& values,
                     char flag = ' ');
QByteArray rawTable(const std::vector<RawField>& fields, const std::vector<QByteArray>& records,
                    bool endMarker = true, quint8 version = 0x03, quint8 ldid = 0x57);

// Runs `body` in a forked child; returns what it returned ("" meaning success), or a text
// saying how the child died. The child never returns into the test framework.
std::string runInChild(const std::function<std::string()>& body);

// Records the announcements of a table, one word each ("reset", "inserted 2" ...).
class RecordingObserver : public dbase::TableObserver
{
public:
    QStringList events;

    void aboutToReset() override { events << QStringLiteral("aboutToReset"); }
    void reset() override { events << QStringLiteral("reset"); }
    void aboutToInsert(int position) override { add("aboutToInsert", position); }
    void inserted(int position) override { add("inserted", position); }
    void rowChanged(int position) override { add("rowChanged", position); }
    void currentChanged(int position) override { add("currentChanged", position); }

private:
    void add(const char* what, int position)
    {
        events << QString::fromLatin1(what) + QLatin1Char(' ') + QString::number(position);
    }
};

} // namespace enginetest
