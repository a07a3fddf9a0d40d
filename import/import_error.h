#pragma once

#include <QString>
#include <stdexcept>

namespace import {

// The one error type of the import: a file that cannot be opened or read, or a line whose amount
// or date does not convert. Its text is what the user reads (English, like the framework's).
class ImportError : public std::runtime_error
{
public:
    explicit ImportError(const QString& text) : std::runtime_error(text.toStdString()) {}
    QString text() const { return QString::fromUtf8(what()); }
};

} // namespace import
