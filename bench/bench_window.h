#pragma once

#include "app/kolvaro1.h"
#include "store/data_module.h"
#include "tests/app/fake_dialogs.h"

#include <QTemporaryDir>
#include <memory>

// The main window over a tables folder of its own, filled with generated rows and shown
// offscreen. One is open at a time: a million rows take their memory.
struct BenchWindow
{
    int transactions = 0;
    int relationYears = 0;
    QTemporaryDir dir;
    FakeDialogs dialogs;
    std::unique_ptr<store::TDataModule1> data;
    std::unique_ptr<app::TForm1> form;
};

// The window over that many rows: the open one when its sizes match, else a new one (the old one
// closed first); `opened` tells which.
BenchWindow& benchWindow(int transactions, int relationYears, bool* opened = nullptr);

// Runs the benchmarks named on the command line in an offscreen application and closes the
// window before the application ends.
int runWindowBenchmarks(int argc, char** argv);
