#pragma once

#include "store/data_module.h"

#include <benchmark/benchmark.h>

#include <QTemporaryDir>

namespace benchdata {

// Fresh, empty tables in a folder of their own.
struct FreshTables
{
    QTemporaryDir dir;
    store::TDataModule1 data;
    FreshTables()
    {
        data.setTablesFolder(dir.path());
        data.T1.open();
        data.T2.open();
    }
};

// A benchmark whose one iteration is a whole run (an import of a file), timed five times by the
// wall clock: ->Apply(benchdata::wholeRuns).
inline void wholeRuns(benchmark::internal::Benchmark* b)
{
    b->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1)->Repetitions(5);
}

} // namespace benchdata
