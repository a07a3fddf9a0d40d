#pragma once

#include <QDate>
#include <QString>

namespace views {

// The platform's short date: the system locale's short format, or dd-MM-yyyy when the system
// locale is C/POSIX (which has no user setting to follow).
QString shortDateFormat();
QString formatShortDate(const QDate& date);

} // namespace views
