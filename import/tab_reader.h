#pragma once

#include <QByteArray>
#include <QString>

namespace import {

// Reads a TAB file line by line as single-byte text. A carriage return, a line feed, or a
// carriage return followed by a line feed ends a line; Ctrl-Z (code 26) ends the file as its end
// does; a last line without a line end is read like the others. The file is open for the
// lifetime of the reader and closed by its destructor, also when a caller throws.
class TabReader
{
public:
    // Throws ImportError "File not found", "Invalid filename", "File access denied", "I/O error
    // <errno>", or a message saying the file is no regular file (a FIFO or device).
    explicit TabReader(const QString& path);
    ~TabReader();
    TabReader(const TabReader&) = delete;
    TabReader& operator=(const TabReader&) = delete;

    qint64 size() const { return m_size; } // bytes, as the file system reports them

    // True at the end of the file or at a Ctrl-Z. Throws "I/O error <errno>" when reading fails.
    bool atEnd();
    // The bytes of the next line without its line end; requires !atEnd(). Throws ImportError
    // naming the line when it is longer than 1 MiB.
    QByteArray readLine();

private:
    bool fill(); // false at the end of the file
    [[noreturn]] void lineTooLong() const;
    int m_fd = -1;
    qint64 m_size = 0;
    QByteArray m_buffer;
    qsizetype m_pos = 0;
    bool m_eof = false;
    qint64 m_lineNumber = 0;
};

} // namespace import
