#pragma once

#include <QString>
#include <stdexcept>

namespace charts {

// A chart that could not be saved; what() is the message the user reads (UTF-8).
class ChartError : public std::runtime_error
{
public:
    explicit ChartError(const QString& text) : std::runtime_error(text.toStdString()) {}
};

} // namespace charts
