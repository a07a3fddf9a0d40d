#include "recurring/hidden_items.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>
#include <algorithm>
#include <stdexcept>

using namespace Qt::StringLiterals;

namespace recurring {
namespace {

QString pathIn(const QString& folder)
{
    return QDir(folder).filePath(hiddenItemsFileName());
}

[[noreturn]] void fail(const QString& text)
{
    throw std::runtime_error(text.toStdString());
}

void save(const QString& folder, const QStringList& keys)
{
    const QString path = pathIn(folder);
    // Written beside the file and renamed only after a complete write: never half a list.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        fail(
            u"Kan %1 niet schrijven: %2"_s.arg(QDir::toNativeSeparators(path), file.errorString()));
    QByteArray bytes;
    for (const QString& key : keys)
        bytes += key.toUtf8() + '\n';
    if (file.write(bytes) != bytes.size() || !file.commit())
        fail(
            u"Kan %1 niet schrijven: %2"_s.arg(QDir::toNativeSeparators(path), file.errorString()));
}

} // namespace

QString hiddenItemsFileName()
{
    return u"vast-verborgen.txt"_s;
}

QStringList loadHiddenItems(const QString& folder)
{
    QFile file(pathIn(folder));
    if (!file.exists())
        return {};
    if (!file.open(QIODevice::ReadOnly))
        fail(u"Kan %1 niet lezen: %2"_s.arg(QDir::toNativeSeparators(file.fileName()),
                                            file.errorString()));
    QStringList keys;
    for (const QByteArray& line : file.readAll().split('\n')) {
        QString key = QString::fromUtf8(line);
        if (key.endsWith(u'\r'))
            key.chop(1);
        if (!key.isEmpty() && !keys.contains(key))
            keys << key;
    }
    return keys;
}

void hideItem(const QString& folder, const QString& key)
{
    if (key.isEmpty() || key.contains(u'\n') || key.contains(u'\r'))
        fail(u"Ongeldige sleutel voor 'Niet vast': %1"_s.arg(key));
    QStringList keys = loadHiddenItems(folder);
    if (keys.contains(key))
        return;
    keys << key;
    save(folder, keys);
}

void unhideItem(const QString& folder, const QString& key)
{
    QStringList keys = loadHiddenItems(folder);
    if (keys.removeAll(key) > 0)
        save(folder, keys);
}

void hideItem(const QString& folder, const RecurringItem& item)
{
    hideItem(folder, item.key);
}

void unhideItem(const QString& folder, const RecurringItem& item)
{
    QStringList keys = loadHiddenItems(folder);
    qsizetype removed = 0;
    for (const QString& key : item.identityKeys())
        removed += keys.removeAll(key);
    if (removed > 0)
        save(folder, keys);
}

bool isHidden(const RecurringItem& item, const QStringList& hidden)
{
    if (hidden.isEmpty())
        return false;
    const QStringList keys = item.identityKeys();
    return std::any_of(keys.begin(), keys.end(),
                       [&](const QString& key) { return hidden.contains(key); });
}

} // namespace recurring
