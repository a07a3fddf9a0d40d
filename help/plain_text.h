#pragma once

#include <QByteArrayView>
#include <QString>
#include <optional>

namespace help {

// The text of a file that is not rich text: UTF-16 or UTF-8 after their byte-order marks,
// UTF-8 when the bytes are valid UTF-8, else Windows-1252; line ends become "\n". None for
// bytes that are no text at all (a zero byte outside UTF-16).
std::optional<QString> decodePlainText(QByteArrayView bytes);

} // namespace help
