#pragma once

#include "import/import_run.h"

class QProgressBar;

namespace views {

// The import's gauge on a progress bar. A maximum of 0 (a file under 128 bytes) keeps the bar
// empty; a plain QProgressBar would turn it into a busy indicator instead.
class ProgressGauge : public import::Gauge
{
public:
    explicit ProgressGauge(QProgressBar* bar) : m_bar(bar) {}
    void setMaximum(int maximum) override;
    void setPosition(int position) override;

private:
    QProgressBar* m_bar;
    int m_maximum = 0;
};

} // namespace views
