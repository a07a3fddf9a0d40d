#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

namespace import {

// A transaction line holds at least this many tabs: seven fields before the description.
inline constexpr int kTransactionTabs = 7;

// Reads a TAB file line by line as single-byte text. A carriage return, or a carriage return
// followed by a line feed, ends a line. A line feed alone ends a line where the text after it is
// a transaction line (it holds seven tabs before its own line end) or the end of the file, as in
// files from other systems; elsewhere it is a line break inside the description and stays in
// the line. Ctrl-Z
// (code 26) ends the file as its end does; a last line without a line end is read like the
// others. The file is open for the
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
    // The same without a copy: valid until the next call of atEnd() or a read.
    QByteArrayView readLineView();

private:
    bool fill(); // false at the end of the file
    // Whether a lone line feed before `offset` (counted from m_pos) ends its line: the text from
    // there holds seven tabs before its own line end, or the file ends right there.
    bool lineFollowsAt(qsizetype offset);
    [[noreturn]] void lineTooLong() const;
    QByteArray m_lineCopy; // a line whose bytes the buffer no longer holds
    int m_fd = -1;
    qint64 m_size = 0;
    QByteArray m_buffer;
    qsizetype m_pos = 0;
    bool m_eof = false;
    qint64 m_lineNumber = 0;
};

} // namespace import
