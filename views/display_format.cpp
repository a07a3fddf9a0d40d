#include "views/display_format.h"

#include <QLocale>

namespace views {

QString shortDateFormat()
{
    const QLocale system = QLocale::system();
    if (system.language() == QLocale::C)
        return QStringLiteral("dd-MM-yyyy");
    return system.dateFormat(QLocale::ShortFormat);
}

QString formatShortDate(const QDate& date)
{
    if (!date.isValid())
        return {};
    return date.toString(shortDateFormat());
}

} // namespace views
