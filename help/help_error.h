#pragma once

#include <QString>
#include <stdexcept>

namespace help {

// The one error type of the help window's files; its text is what the user reads.
class HelpError : public std::runtime_error
{
public:
    explicit HelpError(const QString& text) : std::runtime_error(text.toStdString()) {}
};

} // namespace help
