#include "viewlogic/row_export.h"

#include "store/date_format.h"
#include "store/dbase/table.h"
#include "store/number_format.h"
#include "viewlogic/cell_text.h"
#include "viewlogic/export_target.h"

#include <QDir>
#include <QSaveFile>
#include <algorithm>
#include <numeric>

namespace views {

namespace {

struct BoundColumn
{
    int field = -1; // -1: the table has no such field; its cells stay empty
    Display display = Display::Text;
};

std::vector<BoundColumn> bind(const dbase::Table& table, const GridLayout& layout)
{
    std::vector<BoundColumn> columns;
    for (const GridColumn& c : layout.columns) {
        BoundColumn bound;
        bound.field = table.fieldIndex(c.field);
        if (bound.field >= 0)
            bound.display = displayOf(table.fieldDef(bound.field).dataType());
        columns.push_back(bound);
    }
    return columns;
}

// Appends a cell, in quotes (its quotes doubled) when it holds one of `special`.
void appendCell(QString& out, const QString& text, const QString& special)
{
    const bool quote =
        std::any_of(text.begin(), text.end(), [&](QChar c) { return special.contains(c); });
    if (!quote) {
        out += text;
        return;
    }
    out += u'"';
    for (const QChar c : text) {
        if (c == u'"')
            out += u'"';
        out += c;
    }
    out += u'"';
}

// Text a spreadsheet would read as a formula (or a formula's sign) gets an apostrophe before it,
// so that it shows as the text it is: names and descriptions come from whoever paid.
QString asPlainText(QString text)
{
    if (!text.isEmpty() && QStringView(u"=+-@\t\r").contains(text.front()))
        text.prepend(u'\'');
    return text;
}

// The rows as lines of cells; `rows` lists them, `cellOf` writes one cell of a row.
template <typename CellOf>
QString lines(const dbase::Table& table, const GridLayout& layout,
              const std::vector<dbase::RowView>& rows, QChar separator, const QString& lineEnd,
              const QString& special, CellOf cellOf)
{
    const std::vector<BoundColumn> columns = bind(table, layout);
    QString out;
    for (std::size_t c = 0; c < layout.columns.size(); ++c) {
        if (c > 0)
            out += separator;
        appendCell(out, layout.columns[c].title, special);
    }
    out += lineEnd;
    for (const dbase::RowView& row : rows) {
        for (std::size_t c = 0; c < columns.size(); ++c) {
            if (c > 0)
                out += separator;
            if (columns[c].field < 0)
                continue;
            const QString cell = cellOf(row, columns[c]);
            // Numbers, dates and flags stay what they are: "-12,50" is an amount.
            appendCell(out, columns[c].display == Display::Text ? asPlainText(cell) : cell,
                       special);
        }
        out += lineEnd;
    }
    return out;
}

std::vector<dbase::RowView> presentedRows(const dbase::Table& table,
                                          const std::vector<int>& positions)
{
    std::vector<dbase::RowView> rows;
    rows.reserve(positions.size());
    for (const int position : positions)
        rows.push_back(table.rowAt(position));
    return rows;
}

QByteArray csvOf(const dbase::Table& table, const GridLayout& layout,
                 const std::vector<dbase::RowView>& rows)
{
    const store::datefmt::DateFormatter dates(QStringLiteral("dd-MM-yyyy"));
    const QString text =
        lines(table, layout, rows, u';', QStringLiteral("\r\n"), QStringLiteral(";\r\n\""),
              [&](const dbase::RowView& row, const BoundColumn& column) {
                  QString cell = gridText(row, column.field, column.display, dates);
                  // Grouping dots would read as decimal points in some spreadsheets.
                  if (column.display == Display::Amount)
                      cell.remove(store::numfmt::kThousandSeparator);
                  return cell;
              });
    return QByteArray("\xEF\xBB\xBF") + text.toUtf8();
}

} // namespace

std::vector<int> presentedOrder(const dbase::Table& table)
{
    std::vector<int> order(static_cast<std::size_t>(table.recordCount()));
    std::iota(order.begin(), order.end(), 0);
    return order;
}

QString clipboardText(const dbase::Table& table, const GridLayout& layout,
                      const std::vector<int>& positions)
{
    const store::datefmt::DateFormatter dates(store::datefmt::shortDateFormat());
    return lines(table, layout, presentedRows(table, positions), u'\t', QStringLiteral("\n"),
                 QStringLiteral("\t\r\n\""),
                 [&](const dbase::RowView& row, const BoundColumn& column) {
                     return gridText(row, column.field, column.display, dates);
                 });
}

QByteArray csvBytes(const dbase::Table& table, const GridLayout& layout,
                    const std::vector<int>& positions)
{
    return csvOf(table, layout, presentedRows(table, positions));
}

QByteArray csvBytesOfRecords(const dbase::Table& table, const GridLayout& layout,
                             const std::vector<int>& records)
{
    std::vector<dbase::RowView> rows;
    rows.reserve(records.size());
    for (const int record : records)
        rows.push_back(table.recordAt(dbase::Bookmark(record)));
    return csvOf(table, layout, rows);
}

QString exportFailureReason(QFileDevice::FileError error, int systemError,
                            const QString& systemText)
{
    // Qt reports a failed write on a full disk as a resource error on POSIX, as a plain write
    // error on Windows.
    if (error == QFileDevice::ResourceError || isDiskFull(systemError))
        return QStringLiteral("schijf vol");
    return systemText;
}

void writeExportFile(const QString& path, const QByteArray& bytes)
{
    const QString where = QDir::toNativeSeparators(path);
    const auto failed = [&](const QString& reason) {
        return ExportError(
            QStringLiteral("Kan het bestand %1 niet schrijven: %2").arg(where, reason));
    };
    // Writing would block on a FIFO, vanish into a device, or (for whoever may write the folder)
    // put a regular file in the device's place.
    if (isSpecialFile(path))
        throw failed(QStringLiteral("dit is een apparaat of pijp, geen gewoon bestand"));
    // QSaveFile writes a file beside the target and renames it only after a complete write.
    QSaveFile file(path);
    // Qt's resource error when opening means too many open files, not a full disk.
    if (!file.open(QIODevice::WriteOnly))
        throw failed(
            exportFailureReason(QFileDevice::OpenError, lastSystemError(), file.errorString()));
    if (file.write(bytes) != bytes.size() || !file.commit()) {
        const int systemError = lastSystemError();
        const QString reason = exportFailureReason(file.error(), systemError, file.errorString());
        file.cancelWriting();
        throw failed(reason);
    }
}

} // namespace views
