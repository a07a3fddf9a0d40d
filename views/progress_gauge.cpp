#include "views/progress_gauge.h"

#include <QProgressBar>

namespace views {

void ProgressGauge::setMaximum(int maximum)
{
    m_maximum = maximum;
    m_bar->setRange(0, maximum > 0 ? maximum : 1);
}

void ProgressGauge::setPosition(int position)
{
    m_bar->setValue(m_maximum > 0 ? position : 0);
}

} // namespace views
