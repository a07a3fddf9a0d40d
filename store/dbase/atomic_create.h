#pragma once

#include <QByteArray>
#include <QString>

namespace dbase {

// Creates `path` holding `bytes`, all or nothing: the bytes go to a temporary file beside it,
// reach the disk, and only then take the final name, which an existing file keeps (it is never
// replaced). After a failure (a full disk) nothing is left behind. Returns the system's error
// text, or an empty text when the file was created.
QString createFileAtomically(const QString& path, const QByteArray& bytes);

// The same, but the bytes take the place of an existing file in one step: a program killed
// meanwhile leaves the old file or the new one, whole. On Windows the file must not be open.
QString replaceFileAtomically(const QString& path, const QByteArray& bytes);

} // namespace dbase
