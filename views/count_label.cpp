#include "views/count_label.h"

#include "store/dbase/table.h"

#include <QLabel>

namespace views {

void showRecordCount(QLabel* label, const dbase::Table& table)
{
    label->setText(QString::number(table.recordCount()));
}

} // namespace views
