#include "store/dbase/dbf_layout.h"

#include "store/dbase/engine_error.h"
#include "store/dbase/little_endian.h"

#include <algorithm>
#include <cstring>

using namespace Qt::StringLiterals;

namespace dbase {
namespace {

constexpr char kHeaderEnd = 0x0D;
constexpr char kEndOfFile = 0x1A;
constexpr int kLevel3HeaderSize = 32;
constexpr int kLevel7HeaderSize = 68;
constexpr int kLevel3DescriptorSize = 32;
constexpr int kLevel7DescriptorSize = 48;
const char* const kKnownTypes = "CDNFLIOM+@BG";

QString hexByte(unsigned char b)
{
    return u"0x"_s + QString::number(b, 16).rightJustified(2, u'0').toUpper();
}

// What is wrong with a field's type, width and decimals; empty when nothing is. Every width the
// codec relies on (binary kinds, dates, logicals) must be the format's own, or reads and writes
// would run past the field.
QString fieldProblem(const FieldDef& f, int level)
{
    const auto exactWidth = [&](int width) {
        return f.width == width ? QString()
                                : u"field '%1' of type '%2' has width %3 instead of %4"_s
                                      .arg(f.name, QString(QLatin1Char(f.type)))
                                      .arg(f.width)
                                      .arg(width);
    };
    switch (f.type) {
    case 'C':
        return {};
    case 'N':
    case 'F':
        if (f.decimals > 0 && f.decimals >= f.width)
            return u"field '%1' has %2 decimals in a width of %3"_s.arg(f.name)
                .arg(f.decimals)
                .arg(f.width);
        return {};
    case 'D':
        return exactWidth(8);
    case 'L':
        return exactWidth(1);
    case 'M':
    case 'B':
    case 'G':
        return exactWidth(10);
    default: // the binary kinds I + O @
        if (level != 7)
            return u"field '%1' has type '%2', which only level-7 tables hold"_s.arg(
                f.name, QString(QLatin1Char(f.type)));
        return exactWidth(f.type == 'I' || f.type == '+' ? 4 : 8);
    }
}

// The code page named by the language-driver byte, or for level 7 by the driver's name.
std::optional<CodePage> codePageOf(const char* h, int level, unsigned char driver)
{
    if (const auto page = codePageOfLanguageDriver(driver); page || level != 7)
        return page;
    const QByteArray name(h + 32, static_cast<int>(qstrnlen(h + 32, 32)));
    if (driver == 0 && name.startsWith("DBWIN"))
        return CodePage::Windows1252;
    if (driver == 0 && name.startsWith("DB437"))
        return CodePage::Dos437;
    if (driver == 0 && name.startsWith("DB850"))
        return CodePage::Dos850;
    return std::nullopt;
}

bool allOf(const char* p, int n, const char* allowed)
{
    for (int i = 0; i < n; ++i)
        if (!std::strchr(allowed, p[i]) || p[i] == '\0')
            return false;
    return true;
}

// Whether bytes after the counted rows are a row this engine wrote before a crash kept the
// count from following: a deletion flag, something besides blanks, and fields that read as
// their kind. Blank padding and stray bytes are not rows.
bool looksLikeRow(const char* row, int recordLength, const std::vector<FieldDef>& fields)
{
    if (row[0] != ' ' && row[0] != '*')
        return false;
    bool blank = true;
    for (int i = 1; i < recordLength && blank; ++i)
        blank = row[i] == ' ' || row[i] == '\0';
    if (blank)
        return false;
    for (const FieldDef& f : fields) {
        const char* p = row + f.offset;
        switch (f.type) {
        case 'D':
            if (!allOf(p, 8, " ") && !allOf(p, 8, "0123456789"))
                return false;
            break;
        case 'N':
        case 'F':
            if (!allOf(p, f.width, " 0123456789.-+*"))
                return false;
            break;
        case 'L':
            if (!std::strchr(" ?TtFfYyNn", *p) || *p == '\0')
                return false;
            break;
        default:
            break;
        }
    }
    return true;
}

EngineError damaged(const QString& path, const QString& what)
{
    return EngineError(u"Table %1 is damaged: %2"_s.arg(path, what));
}

// The fixed part of the header: level, lengths, stored count and language driver.
DbfLayout readFixedHeader(const char* h, qint64 size, const QString& path)
{
    DbfLayout l;
    if (size < kLevel3HeaderSize)
        throw damaged(path, u"the file is shorter than a table header"_s);
    const int levelBits = h[0] & 0x07;
    if (levelBits != 3 && levelBits != 4)
        throw EngineError(u"%1 is not a dBase table"_s.arg(path));
    if (h[15] != 0)
        throw EngineError(u"Table %1 is encrypted"_s.arg(path));
    l.level = levelBits == 4 ? 7 : 3;
    l.versionByte = h[0];
    l.headerLength = le::readU16(h + 8);
    l.recordLength = le::readU16(h + 10);
    l.storedCount = le::readU32(h + 4);
    l.languageDriver = static_cast<unsigned char>(h[29]);
    const int start = l.level == 7 ? kLevel7HeaderSize : kLevel3HeaderSize;
    if (l.headerLength > size)
        throw damaged(path, u"its header is longer than the file"_s);
    if (l.headerLength < start + 1)
        throw damaged(
            path, u"its header length %1 leaves no room for the field list"_s.arg(l.headerLength));
    return l;
}

// One field descriptor, `number` counting from 1; `offset` is where the field starts in a row.
FieldDef readDescriptor(const char* d, int level, int number, int offset, const QString& path)
{
    FieldDef f;
    const int nameSize = level == 7 ? 32 : 11;
    const qsizetype nameLength = static_cast<qsizetype>(qstrnlen(d, nameSize));
    f.name = QString::fromLatin1(d, nameLength).trimmed();
    f.type = d[level == 7 ? 32 : 11];
    f.width = quint8(d[level == 7 ? 33 : 16]);
    f.decimals = quint8(d[level == 7 ? 34 : 17]);
    f.offset = offset;
    if (f.name.isEmpty() ||
        std::any_of(d, d + nameLength, [](char c) { return static_cast<unsigned char>(c) < 0x20; }))
        throw damaged(path, u"field %1 has no valid name"_s.arg(number));
    if (f.type == '\0' || !std::strchr(kKnownTypes, f.type))
        throw EngineError(u"Table %1 has field '%2' of unknown type '%3'"_s.arg(
            path, f.name, QString::fromLatin1(&f.type, 1)));
    if (f.width == 0)
        throw damaged(path, u"field '%1' has no width"_s.arg(f.name));
    if (const QString problem = fieldProblem(f, level); !problem.isEmpty())
        throw damaged(path, problem);
    return f;
}

// The field list up to its end marker, which must lie within the header, and the row length
// the fields add up to.
void readDescriptors(DbfLayout& l, const char* h, const QString& path)
{
    const int descriptorSize = l.level == 7 ? kLevel7DescriptorSize : kLevel3DescriptorSize;
    int pos = l.level == 7 ? kLevel7HeaderSize : kLevel3HeaderSize;
    int offset = 1;
    for (;;) {
        if (pos >= l.headerLength)
            throw damaged(path, u"its field list has no end marker within the header"_s);
        if (h[pos] == kHeaderEnd)
            break;
        if (pos + descriptorSize >= l.headerLength)
            throw damaged(path, u"a field description runs past the header"_s);
        const int number = static_cast<int>(l.fields.size()) + 1;
        const FieldDef f = readDescriptor(h + pos, l.level, number, offset, path);
        offset += f.width;
        l.fields.push_back(f);
        l.indexFlagOffsets.push_back(pos + (l.level == 7 ? 37 : 31));
        pos += descriptorSize;
    }
    l.descriptorsEnd = pos;
    if (l.fields.empty())
        throw damaged(path, u"it has no fields"_s);
    if (offset != l.recordLength)
        throw damaged(path,
                      u"the record length %1 does not match its fields (%2)"_s.arg(l.recordLength)
                          .arg(offset));
}

// Every counted row starts with a deletion flag; the first one that does not is reported.
void checkDeletionFlags(const DbfLayout& l, const char* rows, qint64 count, const QString& path)
{
    for (qint64 r = 0; r < count; ++r) {
        const char flag = rows[r * l.recordLength];
        if (flag == ' ' || flag == '*')
            continue;
        if (r == 0)
            throw damaged(path, u"its rows do not start where the header says (byte %1)"_s.arg(
                                    l.headerLength));
        throw damaged(path, u"row %1 starts with %2 where a deletion flag belongs"_s.arg(r + 1).arg(
                                hexByte(static_cast<unsigned char>(flag))));
    }
}

// The rows to read: the stored count as far as the file holds it, every counted row starting
// with a deletion flag, plus complete rows written after the counted ones.
std::uint32_t countRows(DbfLayout& l, const char* h, qint64 size, const QString& path)
{
    // Rows wholly present in the file.
    const qint64 available = (size - l.headerLength) / l.recordLength;
    qint64 count = l.storedCount;
    if (count > available) {
        l.warnings << u"Table %1 is damaged: its header counts %2 rows, but the file holds only "
                      u"%3; the other %4 are lost"_s.arg(path)
                          .arg(l.storedCount)
                          .arg(available)
                          .arg(l.storedCount - available);
        count = available;
    }
    const char* rows = h + l.headerLength;
    checkDeletionFlags(l, rows, count, path);
    if (count == l.storedCount) {
        // A crash between writing a row and its count leaves the count short of rows that are
        // complete: they are kept.
        while (count < available &&
               looksLikeRow(rows + count * l.recordLength, l.recordLength, l.fields))
            ++count;
        const qint64 tail = size - l.headerLength - count * l.recordLength;
        if (tail > 0 && rows[count * l.recordLength] != kEndOfFile)
            l.warnings << u"Table %1: %2 bytes after its last row are no rows and were ignored"_s
                              .arg(path)
                              .arg(tail);
    }
    return static_cast<std::uint32_t>(count);
}

} // namespace

DbfLayout DbfLayout::read(const char* h, qint64 size, const QString& path)
{
    DbfLayout l = readFixedHeader(h, size, path);
    readDescriptors(l, h, path);
    l.codePage = codePageOf(h, l.level, l.languageDriver);
    for (FieldDef& f : l.fields)
        f.codePage = l.codePage.value_or(CodePage::Windows1252);
    l.count = countRows(l, h, size, path);
    return l;
}

} // namespace dbase
