#pragma once

#include "recurring/recurring_item.h"

#include <QString>
#include <QStringList>

namespace recurring {

// The items the user marked "Niet vast", by key, kept in a text file beside the tables. A
// missing file is an empty list; an unreadable one throws std::runtime_error (Dutch message).
QStringList loadHiddenItems(const QString& folder);
// Each replaces the file whole (never half written); throws when it cannot be written.
void hideItem(const QString& folder, const QString& key);
void unhideItem(const QString& folder, const QString& key);
// "Niet vast" on an item, and bringing it back: every key it may be hidden under goes.
void hideItem(const QString& folder, const RecurringItem& item);
void unhideItem(const QString& folder, const RecurringItem& item);
// Whether the item is hidden under one of its keys in `hidden` (as loadHiddenItems() gives it).
bool isHidden(const RecurringItem& item, const QStringList& hidden);

// The file's name in the tables folder.
QString hiddenItemsFileName();

} // namespace recurring
