#pragma once

#include "viewlogic/grid_columns.h"

#include <QByteArray>
#include <QFileDevice>
#include <QString>
#include <stdexcept>
#include <vector>

namespace dbase {
class Table;
}

// The rows of a grid as text for other programs: the clipboard (tab-separated) and a CSV file
// that a Dutch spreadsheet opens as it is. Both take the grid's columns and titles and a list of
// rows, given as positions among the rows the table presents, in the order to write them.
namespace views {

// A file that could not be written; what() is the user's (Dutch) text.
class ExportError : public std::runtime_error
{
public:
    explicit ExportError(const QString& text) : std::runtime_error(text.toStdString()) {}
};

// 0, 1, ... recordCount() - 1: every presented row in the table's own order.
std::vector<int> presentedOrder(const dbase::Table& table);

// Both write a text cell that begins with "=", "+", "-", "@", a tab or a CR with an apostrophe
// before it, so that a spreadsheet shows it as text and never runs it as a formula; numbers,
// dates and flags are written as they are.

// Titles, then a line per row; cells as the grid shows them (dates in the short date form,
// amounts "1.234,50"); tab between cells, LF after each line. A cell holding a tab, line break or
// quote is quoted, its quotes doubled, as spreadsheets read pasted text.
QString clipboardText(const dbase::Table& table, const GridLayout& layout,
                      const std::vector<int>& positions);

// A CSV file: UTF-8 with byte-order mark, titles first, ";" between cells, CR LF after each line,
// dates dd-mm-yyyy, amounts with "," decimals and no grouping ("-1234,50"), "X" for a set flag.
// A cell holding ";", a quote or a line break is quoted, its quotes doubled.
QByteArray csvBytes(const dbase::Table& table, const GridLayout& layout,
                    const std::vector<int>& positions);

// The same CSV of rows given by their record numbers, presented or not.
QByteArray csvBytesOfRecords(const dbase::Table& table, const GridLayout& layout,
                             const std::vector<int>& records);

// Writes the bytes to `path` all or nothing: a failure (folder not writable, disk full) leaves
// the file as it was, or absent, and throws ExportError naming it. An existing device, FIFO or
// socket at `path` is refused untouched.
void writeExportFile(const QString& path, const QByteArray& bytes);

// The reason a failed write gives the user: "schijf vol" for a full disk, however Qt (`error` of
// the write) or the system (`systemError`, see lastSystemError) says it; otherwise the system's
// text.
QString exportFailureReason(QFileDevice::FileError error, int systemError,
                            const QString& systemText);

} // namespace views
