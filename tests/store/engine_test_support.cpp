#include "tests/store/engine_test_support.h"

#include <QFile>
#include <sys/wait.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace enginetest {

using dbase::DataType;

dbase::TableDefinition peopleDefinition()
{
    dbase::TableDefinition definition;
    definition.fileName = u"proef.DBF"_s;
    definition.fields = {
        {u"NAAM"_s, 'C', 10, 0, 0},  {u"DATUM"_s, 'D', 8, 0, 0}, {u"BEDRAG"_s, 'N', 15, 2, 0},
        {u"AANTAL"_s, 'N', 4, 0, 0}, {u"OK"_s, 'L', 1, 0, 0},
    };
    definition.required = {
        {u"Naam"_s, DataType::String},  {u"datum"_s, DataType::Date},
        {u"bedrag"_s, DataType::Float}, {u"aantal"_s, DataType::SmallInt},
        {u"ok"_s, DataType::Boolean},
    };
    definition.indexes = {
        {u"NAAM"_s, u"Naam"_s},
        {u"DATUM"_s, u"datum"_s},
        {u"BEDRAG"_s, u"bedrag"_s},
    };
    return definition;
}

void addPerson(dbase::Table& table, const Person& person)
{
    table.append();
    table.fieldByName(u"NAAM"_s).setAsString(person.naam);
    table.fieldByName(u"DATUM"_s).setAsDate(person.datum);
    table.fieldByName(u"BEDRAG"_s).setAsFloat(person.bedrag);
    table.fieldByName(u"AANTAL"_s).setAsInteger(person.aantal);
    table.post();
}

std::unique_ptr<dbase::Table> peopleTable(const QString& indexName,
                                          const std::vector<Person>& people)
{
    auto table = dbase::Table::createInMemory(peopleDefinition(), indexName);
    for (const Person& person : people)
        addPerson(*table, person);
    return table;
}

QStringList walk(dbase::Table& table, const QString& name)
{
    QStringList values;
    for (table.first(); !table.eof(); table.next())
        values << table.fieldByName(name).asString();
    return values;
}

QByteArray readFile(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

void writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size())
        throw std::runtime_error("cannot write " + path.toStdString());
}

quint32 le32(const QByteArray& bytes, int offset)
{
    quint32 value = 0;
    for (int i = 3; i >= 0; --i)
        value = (value << 8) | static_cast<quint8>(bytes.at(offset + i));
    return value;
}

quint16 le16(const QByteArray& bytes, int offset)
{
    return static_cast<quint16>(static_cast<quint8>(bytes.at(offset)) |
                                (static_cast<quint8>(bytes.at(offset + 1)) << 8));
}

void putLe32(QByteArray& bytes, int offset, quint32 value)
{
    for (int i = 0; i < 4; ++i)
        bytes[offset + i] = static_cast<char>((value >> (8 * i)) & 0xFF);
}

void putLe16(QByteArray& bytes, int offset, quint16 value)
{
    bytes[offset] = static_cast<char>(value & 0xFF);
    bytes[offset + 1] = static_cast<char>(value >> 8);
}

std::vector<RawField> mutatiesLevel3Fields()
{
    return {{"DATUM", 'D', 8},        {"SOORT", 'N', 4},   {"NAAM", 'C', 40},
            {"OMSCHRIJVI", 'C', 250}, {"REKNUM", 'C', 15}, {"BEDRAG", 'N', 15, 2}};
}

QByteArray rawRecord(const std::vector<RawField>& fields, const std::vector<QByteArray>& values,
                     char flag)
{
    QByteArray record(1, flag);
    for (std::size_t i = 0; i < fields.size(); ++i) {
        const QByteArray value = i < values.size() ? values[i] : QByteArray();
        record += fields[i].type == 'C' ? value.leftJustified(fields[i].width, ' ', true)
                                        : value.rightJustified(fields[i].width, ' ', true);
    }
    return record;
}

QByteArray rawTable(const std::vector<RawField>& fields, const std::vector<QByteArray>& records,
                    bool endMarker, quint8 version, quint8 ldid)
{
    int recordLength = 1;
    for (const RawField& field : fields)
        recordLength += field.width;
    const int headerLength = 32 + 32 * static_cast<int>(fields.size()) + 1;

    QByteArray bytes(32, '\0');
    bytes[0] = static_cast<char>(version);
    bytes[1] = 124; // 2024-06-01
    bytes[2] = 6;
    bytes[3] = 1;
    putLe32(bytes, 4, static_cast<quint32>(records.size()));
    putLe16(bytes, 8, static_cast<quint16>(headerLength));
    putLe16(bytes, 10, static_cast<quint16>(recordLength));
    bytes[29] = static_cast<char>(ldid);
    for (const RawField& field : fields) {
        QByteArray descriptor(32, '\0');
        descriptor.replace(0, field.name.size(), field.name);
        descriptor[11] = field.type;
        descriptor[16] = static_cast<char>(field.width);
        descriptor[17] = static_cast<char>(field.decimals);
        bytes += descriptor;
    }
    bytes += '\x0D';
    for (const QByteArray& record : records)
        bytes += record;
    if (endMarker)
        bytes += '\x1A';
    return bytes;
}

std::string runInChild(const std::function<std::string()>& body)
{
    int fds[2];
    if (pipe(fds) != 0)
        return "pipe failed";
    const pid_t pid = fork();
    if (pid < 0)
        return "fork failed";
    if (pid == 0) {
        close(fds[0]);
        std::string result;
        try {
            result = body();
        } catch (const std::exception& error) {
            result = std::string("child threw: ") + error.what();
        }
        const char* data = result.data();
        std::size_t left = result.size();
        while (left > 0) {
            const ssize_t written = write(fds[1], data, left);
            if (written <= 0)
                break;
            data += written;
            left -= static_cast<std::size_t>(written);
        }
        _exit(0);
    }
    close(fds[1]);
    std::string result;
    char buffer[512];
    ssize_t count;
    while ((count = read(fds[0], buffer, sizeof buffer)) > 0)
        result.append(buffer, static_cast<std::size_t>(count));
    close(fds[0]);
    int status = 0;
    waitpid(pid, &status, 0);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
        return "child died (status " + std::to_string(status) + ") after: " + result;
    return result;
}

} // namespace enginetest
