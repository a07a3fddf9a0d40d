#pragma once

#include <QString>

namespace import {

// The import page's switch "recognise the bank's current descriptions", kept in a small file
// beside the tables: it is remembered between starts and goes along with a copy of the folder,
// whose rows were read under it. On when never set.
bool currentLayoutsSwitch(const QString& tablesFolder);

// Throws std::runtime_error when the file cannot be written.
void setCurrentLayoutsSwitch(const QString& tablesFolder, bool on);

} // namespace import
