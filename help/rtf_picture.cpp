#include "help/rtf_picture.h"

#include "help/rtf_state.h"
#include "help/rtf_tokenizer.h"
#include "help/rtf_words.h"

#include <algorithm>

namespace help {

namespace {

// No picture is shown larger than this, whatever sizes a file gives.
constexpr double kMaxPixels = 4000;

} // namespace

void RtfPicture::applyWord(RtfWord word, int parameter)
{
    switch (word) {
    case RtfWord::PngBlip:
        m_kind = Kind::Png;
        break;
    case RtfWord::JpegBlip:
        m_kind = Kind::Jpeg;
        break;
    case RtfWord::OtherBlip:
        m_kind = Kind::Other;
        break;
    case RtfWord::PictureGoalWidth:
        m_goalWidth = std::clamp(parameter, 0, kMaxTwips);
        break;
    case RtfWord::PictureGoalHeight:
        m_goalHeight = std::clamp(parameter, 0, kMaxTwips);
        break;
    case RtfWord::PictureScaleX:
        m_scaleX = std::clamp(parameter, 1, 1000);
        break;
    case RtfWord::PictureScaleY:
        m_scaleY = std::clamp(parameter, 1, 1000);
        break;
    default:
        // \picw and \pich give pixels for the bitmaps shown here, which carry their own size.
        break;
    }
}

void RtfPicture::addHex(QByteArrayView text)
{
    m_data.reserve(m_data.size() + text.size() / 2);
    for (char c : text) {
        const int value = hexDigitValue(c);
        if (value < 0)
            continue;
        if (m_pendingNibble < 0) {
            m_pendingNibble = value;
        } else {
            m_data.append(static_cast<char>(m_pendingNibble * 16 + value));
            m_pendingNibble = -1;
        }
    }
}

QImage RtfPicture::decode() const
{
    if (m_kind != Kind::Png && m_kind != Kind::Jpeg)
        return {};
    return QImage::fromData(m_data, m_kind == Kind::Png ? "PNG" : "JPEG");
}

QSizeF RtfPicture::displaySize(const QImage& image) const
{
    const double width = m_goalWidth > 0 ? m_goalWidth / kTwipsPerPixel : image.width();
    const double height = m_goalHeight > 0 ? m_goalHeight / kTwipsPerPixel : image.height();
    return {std::clamp(width * m_scaleX / 100.0, 1.0, kMaxPixels),
            std::clamp(height * m_scaleY / 100.0, 1.0, kMaxPixels)};
}

} // namespace help
