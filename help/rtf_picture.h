#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QImage>
#include <QSizeF>

namespace help {

enum class RtfWord;

// A \pict group while it is read: its data as hex text or \bin bytes, its kind and sizes.
class RtfPicture
{
public:
    void applyWord(RtfWord word, int parameter); // the picture's kind and sizes
    void addHex(QByteArrayView text);            // other characters than hex digits are skipped
    void addBinary(QByteArrayView bytes) { m_data.append(bytes); }

    // The picture, or a null image when it is of a kind not shown or its data is damaged.
    QImage decode() const;
    // The size to show it at, in document pixels.
    QSizeF displaySize(const QImage& image) const;

private:
    enum class Kind
    {
        Unknown,
        Png,
        Jpeg,
        Other // metafiles and device-dependent bitmaps, which are not shown
    };

    Kind m_kind = Kind::Unknown;
    QByteArray m_data;
    int m_pendingNibble = -1;
    int m_goalWidth = 0;  // twips
    int m_goalHeight = 0; // twips
    int m_scaleX = 100;   // percent
    int m_scaleY = 100;
};

} // namespace help
