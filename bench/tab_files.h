#pragma once

#include "sample/sample_tab.h"

#include <QString>

namespace benchdata {

constexpr int kLines = 100000;

// Path of a generated TAB file (kLines lines, seed 1, this share of copies, these description
// layouts), made on first use in the folder KOLVARO_BENCH_DATA (default: the system temp
// folder). The layout and the generator's version are part of the file's name on disk.
QString tabFile(const QString& name, double dupFraction = 0,
                sample::SampleLayout layout = sample::SampleLayout::Mixed);

} // namespace benchdata
