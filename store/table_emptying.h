#pragma once

// Widget-free: the table side of "Legen Tabel".

namespace dbase {
class Table;
}

namespace store {

// Empties one table: close, take it exclusively, open, delete every row, close, give the
// exclusive use back, open shared again. When a step throws (another program holds the table)
// the table is given back shared, and open when it was, before the error goes on.
void emptyTableExclusively(dbase::Table& table);

} // namespace store
