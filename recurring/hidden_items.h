#pragma once

#include <QString>
#include <QStringList>

namespace recurring {

// The items the user marked "Niet vast", by key, kept in a text file beside the tables. A
// missing file is an empty list; an unreadable one throws std::runtime_error (Dutch message).
QStringList loadHiddenItems(const QString& folder);
// Each replaces the file whole (never half written); throws when it cannot be written.
void hideItem(const QString& folder, const QString& key);
void unhideItem(const QString& folder, const QString& key);

// The file's name in the tables folder.
QString hiddenItemsFileName();

} // namespace recurring
