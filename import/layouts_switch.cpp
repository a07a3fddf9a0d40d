#include "import/layouts_switch.h"

#include <QDir>
#include <QSettings>

#include <stdexcept>

namespace import {
namespace {

const QString kFile = QStringLiteral("instellingen.ini");
const QString kKey = QStringLiteral("import/huidige_omschrijvingen");

QString settingsPath(const QString& tablesFolder)
{
    return QDir(tablesFolder).filePath(kFile);
}

} // namespace

bool currentLayoutsSwitch(const QString& tablesFolder)
{
    if (tablesFolder.isEmpty())
        return true;
    const QSettings settings(settingsPath(tablesFolder), QSettings::IniFormat);
    return settings.value(kKey, true).toBool();
}

void setCurrentLayoutsSwitch(const QString& tablesFolder, bool on)
{
    QSettings settings(settingsPath(tablesFolder), QSettings::IniFormat);
    settings.setValue(kKey, on);
    settings.sync();
    if (settings.status() != QSettings::NoError)
        throw std::runtime_error(
            QStringLiteral("Cannot write file %1").arg(settingsPath(tablesFolder)).toStdString());
}

} // namespace import
