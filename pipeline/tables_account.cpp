#include "pipeline/tables_account.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>

#include <stdexcept>

namespace pipeline {
namespace {

const QString kFile = QStringLiteral("rekening.txt");

} // namespace

QString normalAccount(const QString& account)
{
    QString normal;
    normal.reserve(account.size());
    for (const QChar c : account)
        if (!c.isSpace())
            normal.append(c.toUpper());
    return normal;
}

QString tablesAccount(const QString& tablesFolder)
{
    QFile file(QDir(tablesFolder).filePath(kFile));
    if (!file.open(QIODevice::ReadOnly))
        return QString();
    return QString::fromUtf8(file.readLine()).trimmed();
}

void setTablesAccount(const QString& tablesFolder, const QString& account)
{
    const QString path = QDir(tablesFolder).filePath(kFile);
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(account.trimmed().toUtf8() + '\n') < 0 ||
        !file.commit())
        throw std::runtime_error(
            QStringLiteral("Kan het bestand %1 niet schrijven").arg(path).toStdString());
}

} // namespace pipeline
