#pragma once

#include <QString>

namespace benchdata {

constexpr int kLines = 100000;

// Path of a generated TAB file (kLines lines, seed 1, this share of copies), made on first use
// in the folder KOLVARO_BENCH_DATA (default: the system temp folder).
QString tabFile(const QString& name, double dupFraction = 0);

} // namespace benchdata
