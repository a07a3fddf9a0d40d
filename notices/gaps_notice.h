#pragma once

#include "balances/gap_walk.h"

#include <QString>
#include <vector>

namespace dbase {
class Table;
}

// The notice of periods whose transactions are missing, as the bank's balances show them.
namespace notices {

// "Er ontbreken boekingen: n periode(n)"; empty when nothing is missing.
QString gapsNotice(std::size_t gaps);
// The notice over every stored row of mutaties.
QString gapsNotice(const dbase::Table& mutaties);

// One line per gap for the message that lists them: the dates in the program's short date form
// and the missing amount in its number format.
QString gapLines(const std::vector<balances::Gap>& gaps);

} // namespace notices
