#pragma once

#include <QFile>
#include <QString>
#include <cstdint>
#include <cstdlib>

// Writes a fuzz input as the whole content of the file at `path`, for targets that read files.
inline void writeInputFile(const QString& path, const std::uint8_t* data, std::size_t size)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
        file.write(reinterpret_cast<const char*>(data), static_cast<qint64>(size)) !=
            static_cast<qint64>(size))
        std::abort(); // the target's own folder: nothing of the code under test
}
