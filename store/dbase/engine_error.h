#pragma once

#include <QString>
#include <stdexcept>

namespace dbase {

// The one error type of the table engine. Its text is what the user reads, in English like the
// other framework messages, and names the file where a file is involved.
class EngineError : public std::runtime_error
{
public:
    explicit EngineError(const QString& text) : std::runtime_error(text.toStdString()) {}
    QString text() const { return QString::fromUtf8(what()); }
};

} // namespace dbase
