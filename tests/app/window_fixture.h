#pragma once

#include "app/kolvaro1.h"
#include "store/data_module.h"
#include "tests/app/fake_dialogs.h"

#include <QTemporaryDir>
#include <memory>

// The main window of a test: its tables in a folder of its own, its boxes answered by a script.
struct WindowFixture
{
    std::unique_ptr<QTemporaryDir> dir;
    FakeDialogs dialogs;
    std::unique_ptr<store::TDataModule1> data;
    std::unique_ptr<app::TForm1> form;

    // A new folder for the tables, with HOME and the engine's configuration in it; false when
    // the folder could not be made.
    bool makeFolder()
    {
        dir = std::make_unique<QTemporaryDir>();
        if (!dir->isValid())
            return false;
        qputenv("HOME", dir->filePath(QStringLiteral("home")).toUtf8());
        qputenv("KOLVARO_ENGINE_CONFIG", dir->filePath(QStringLiteral("engine.ini")).toUtf8());
        return true;
    }

    // The program's start over the folder: fresh answers, the data module, the main window.
    void start()
    {
        dialogs = FakeDialogs();
        data = std::make_unique<store::TDataModule1>();
        form = std::make_unique<app::TForm1>(*data, dialogs);
    }
};
