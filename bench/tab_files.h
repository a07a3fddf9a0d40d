#pragma once

#include <QString>
#include <QStringList>

namespace benchdata {

constexpr int kLines = 100000;

// Path of a TAB file from gen_tab.py (kLines lines, seed 1, plus the extra arguments), made on
// first use in the folder KOLVARO_BENCH_DATA (default: the system temp folder).
QString tabFile(const QString& name, const QStringList& extraArguments);

} // namespace benchdata
