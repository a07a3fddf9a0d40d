#pragma once

class QLabel;

namespace dbase {
class Table;
}

namespace views {

// Writes the number of rows the table presents, in decimal, into a count label.
void showRecordCount(QLabel* label, const dbase::Table& table);

} // namespace views
