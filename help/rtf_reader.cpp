#include "help/rtf_reader.h"

#include "help/code_page.h"
#include "help/rtf_picture.h"
#include "help/rtf_state.h"
#include "help/rtf_tokenizer.h"
#include "help/rtf_words.h"

#include <QTextCursor>
#include <QTextDocument>
#include <QUrl>
#include <algorithm>
#include <optional>
#include <vector>

using namespace Qt::StringLiterals;

namespace help {

namespace {

// Real documents nest a few dozen groups at most; deeper groups are skipped whole, so that no
// input can make the state stack grow without bound.
constexpr std::size_t kMaxDepth = 256;

enum class Destination
{
    Text,
    Skip,
    FontTable,
    ColourTable,
    Picture,
    UnicodePair, // \upr: only a nested \ud is shown
};

struct GroupState
{
    RtfCharState chars;
    RtfParaState para;
    Destination destination = Destination::Text;
    Destination outsideUnicodePair = Destination::Text;
    int unicodeSkip = 1;
};

class RtfReader
{
public:
    explicit RtfReader(QTextDocument& document) : m_document(document), m_cursor(&document) {}
    void read(QByteArrayView input);

private:
    void groupStart();
    bool groupEnd(); // false when the outermost group closes
    void controlWord(const RtfToken& token);
    bool destinationWord(RtfWord word); // true for the words that open or leave a destination
    void textWord(const RtfWordInfo& info, const RtfToken& token);
    void controlSymbol(char symbol);
    void text(QByteArrayView bytes);
    void hexByte(unsigned char byte);
    void binary(QByteArrayView bytes);
    void unicode(int value);

    void fontTableWord(const RtfWordInfo& info, const RtfToken& token);
    void fontTableText(QByteArrayView bytes);
    void commitFont();
    void colourTableWord(const RtfWordInfo& info, const RtfToken& token);
    void colourTableText(QByteArrayView bytes);
    void insertPicture();

    void appendBytes(QByteArrayView bytes);
    void appendCharacter(char16_t c);
    bool startText(); // false for hidden text
    void decodeBytes();
    void flushRun();
    void startBlockIfPending();
    void paragraph();
    void finish();

    QTextDocument& m_document;
    QTextCursor m_cursor;
    RtfTables m_tables;
    CodePageDecoder m_decoder;
    GroupState m_state;
    std::vector<GroupState> m_stack;
    int m_overflowDepth = 0;
    int m_skipCharacters = 0; // fallback characters still to skip after \u
    bool m_ignorable = false; // after \*

    // The run of text not yet in the document, all in one character format.
    RtfCharState m_runChars;
    QString m_runText;
    QByteArray m_runBytes;
    int m_runCodePage = 0;
    // A paragraph mark whose break waits for content: the last mark opens no empty paragraph.
    bool m_breakPending = false;

    // The font table entry being read.
    std::optional<int> m_fontNumber;
    RtfFont m_font;
    // The colour table entry being read.
    int m_rgb[3] = {0, 0, 0};
    bool m_colourGiven = false;

    // The \pict group being read. Empty also where the destination is a picture's after the
    // picture was placed (\shppict in a \upr group around it brings it back): its data is
    // then skipped.
    std::optional<RtfPicture> m_picture;
    int m_pictureCount = 0;
};

void RtfReader::read(QByteArrayView input)
{
    // One edit block: the cursor then does not lay out every paragraph it writes to.
    m_cursor.beginEditBlock();
    RtfTokenizer tokenizer(input);
    for (;;) {
        const RtfToken token = tokenizer.next();
        using K = RtfToken::Kind;
        if (token.kind == K::End)
            break;
        if (token.kind == K::GroupStart) {
            groupStart();
            continue;
        }
        if (token.kind == K::GroupEnd) {
            if (!groupEnd())
                break;
            continue;
        }
        if (m_overflowDepth > 0)
            continue;
        const bool ignorable = std::exchange(m_ignorable, false);
        if (m_skipCharacters > 0 && token.kind != K::Text) {
            --m_skipCharacters;
            continue;
        }
        switch (token.kind) {
        case K::ControlWord:
            if (ignorable && lookupRtfWord(token.text).word == RtfWord::Unknown)
                m_state.destination = Destination::Skip;
            else
                controlWord(token);
            break;
        case K::ControlSymbol:
            if (token.symbol == '*')
                m_ignorable = true;
            else
                controlSymbol(token.symbol);
            break;
        case K::HexByte:
            hexByte(token.byte);
            break;
        case K::Text:
            text(token.text);
            break;
        case K::Binary:
            binary(token.text);
            break;
        default:
            break;
        }
    }
    finish();
    m_cursor.endEditBlock();
}

void RtfReader::groupStart()
{
    m_skipCharacters = 0;
    m_ignorable = false;
    if (m_overflowDepth > 0 || m_stack.size() >= kMaxDepth) {
        ++m_overflowDepth;
        return;
    }
    m_stack.push_back(m_state);
}

bool RtfReader::groupEnd()
{
    m_skipCharacters = 0;
    m_ignorable = false;
    if (m_overflowDepth > 0) {
        --m_overflowDepth;
        return true;
    }
    // The outermost group ends the document; its state holds for the last paragraph.
    if (m_stack.size() <= 1)
        return false;
    const Destination closing = m_state.destination;
    m_state = std::move(m_stack.back());
    m_stack.pop_back();
    if (closing == Destination::FontTable)
        commitFont();
    if (closing == Destination::Picture && m_state.destination != Destination::Picture)
        insertPicture();
    return true;
}

void RtfReader::controlWord(const RtfToken& token)
{
    const RtfWordInfo info = lookupRtfWord(token.text);
    if (destinationWord(info.word))
        return;
    switch (m_state.destination) {
    case Destination::Skip:
    case Destination::UnicodePair:
        return;
    case Destination::FontTable:
        fontTableWord(info, token);
        return;
    case Destination::ColourTable:
        colourTableWord(info, token);
        return;
    case Destination::Picture:
        if (m_picture)
            m_picture->applyWord(info.word, token.parameter);
        return;
    case Destination::Text:
        textWord(info, token);
        return;
    }
}

bool RtfReader::destinationWord(RtfWord word)
{
    Destination& destination = m_state.destination;
    switch (word) {
    case RtfWord::FontTable:
        destination = Destination::FontTable;
        return true;
    case RtfWord::ColourTable:
        destination = Destination::ColourTable;
        return true;
    case RtfWord::Picture:
        if (destination == Destination::Text) {
            destination = Destination::Picture;
            m_picture.emplace();
        } else if (destination != Destination::Picture) {
            destination = Destination::Skip;
        }
        return true;
    case RtfWord::Skipped:
        destination = Destination::Skip;
        return true;
    case RtfWord::UnicodePair:
        if (destination != Destination::Skip) {
            m_state.outsideUnicodePair = destination;
            destination = Destination::UnicodePair;
        }
        return true;
    case RtfWord::ReadThrough:
        if (destination == Destination::UnicodePair)
            destination = m_state.outsideUnicodePair;
        return true;
    default:
        return false;
    }
}

void RtfReader::colourTableWord(const RtfWordInfo& info, const RtfToken& token)
{
    if (info.word == RtfWord::Red || info.word == RtfWord::Green || info.word == RtfWord::Blue) {
        m_rgb[int(info.word) - int(RtfWord::Red)] = std::clamp(token.parameter, 0, 255);
        m_colourGiven = true;
    }
}

void RtfReader::textWord(const RtfWordInfo& info, const RtfToken& token)
{
    switch (info.word) {
    case RtfWord::Ansi:
        m_tables.codePage = 1252;
        break;
    case RtfWord::Mac:
        m_tables.codePage = 10000;
        break;
    case RtfWord::Pc:
        m_tables.codePage = 437;
        break;
    case RtfWord::Pca:
        m_tables.codePage = 850;
        break;
    case RtfWord::AnsiCodePage:
        if (token.parameter > 0)
            m_tables.codePage = token.parameter;
        break;
    case RtfWord::DefaultFont:
        m_tables.defaultFont = token.parameter;
        break;
    case RtfWord::Paragraph:
        paragraph();
        break;
    case RtfWord::Line:
        appendCharacter(QChar::LineSeparator);
        break;
    case RtfWord::Tab:
    case RtfWord::Cell:
        appendCharacter(u'\t');
        break;
    case RtfWord::Character:
        appendCharacter(info.character);
        break;
    case RtfWord::Unicode:
        unicode(token.parameter);
        break;
    case RtfWord::UnicodeSkip:
        m_state.unicodeSkip = std::clamp(token.parameter, 0, 16);
        break;
    default:
        if (!applyCharacterWord(m_state.chars, info.word, token))
            applyParagraphWord(m_state.para, info.word, token);
        break;
    }
}

void RtfReader::fontTableWord(const RtfWordInfo& info, const RtfToken& token)
{
    switch (info.word) {
    case RtfWord::Font:
        commitFont();
        m_fontNumber = token.parameter;
        break;
    case RtfWord::FontCharset:
        m_font.codePage = codePageForCharset(token.parameter, m_font.codePage);
        break;
    case RtfWord::FontCodePage:
        if (token.parameter > 0)
            m_font.codePage = token.parameter;
        break;
    case RtfWord::Unicode:
        if (m_fontNumber)
            m_font.name += QChar(char16_t(token.parameter));
        m_skipCharacters = m_state.unicodeSkip;
        break;
    case RtfWord::UnicodeSkip:
        m_state.unicodeSkip = std::clamp(token.parameter, 0, 16);
        break;
    default:
        break;
    }
}

void RtfReader::fontTableText(QByteArrayView bytes)
{
    if (!m_fontNumber)
        return;
    const int codePage = m_font.codePage ? m_font.codePage : m_tables.codePage;
    while (!bytes.isEmpty()) {
        const qsizetype end = bytes.indexOf(';');
        m_decoder.decode(codePage, end < 0 ? bytes : bytes.first(end), m_font.name);
        if (end < 0)
            break;
        commitFont();
        bytes = bytes.sliced(end + 1);
    }
}

void RtfReader::commitFont()
{
    if (m_fontNumber) {
        m_font.name = m_font.name.trimmed();
        m_tables.fonts.insert_or_assign(*m_fontNumber, std::move(m_font));
    }
    m_fontNumber.reset();
    m_font = RtfFont();
}

void RtfReader::colourTableText(QByteArrayView bytes)
{
    for (char c : bytes) {
        if (c != ';')
            continue;
        m_tables.colours.push_back(m_colourGiven ? QColor(m_rgb[0], m_rgb[1], m_rgb[2]) : QColor());
        m_rgb[0] = m_rgb[1] = m_rgb[2] = 0;
        m_colourGiven = false;
    }
}

void RtfReader::insertPicture()
{
    std::optional<RtfPicture> picture = std::exchange(m_picture, std::nullopt);
    const QImage image = picture ? picture->decode() : QImage();
    if (image.isNull() || !startText())
        return;
    flushRun();
    startBlockIfPending();
    const QString name = u"rtf-picture-%1"_s.arg(++m_pictureCount);
    m_document.addResource(QTextDocument::ImageResource, QUrl(name), image);
    const QSizeF size = picture->displaySize(image);
    QTextImageFormat format;
    format.setName(name);
    format.setWidth(size.width());
    format.setHeight(size.height());
    m_cursor.insertImage(format);
}

void RtfReader::controlSymbol(char symbol)
{
    if (m_state.destination != Destination::Text) {
        if (m_state.destination == Destination::FontTable && m_fontNumber &&
            (symbol == '\\' || symbol == '{' || symbol == '}'))
            m_font.name += QLatin1Char(symbol);
        return;
    }
    switch (symbol) {
    case '\\':
    case '{':
    case '}':
        appendCharacter(char16_t(symbol));
        break;
    case '~':
        appendCharacter(QChar::Nbsp);
        break;
    case '-':
        appendCharacter(QChar::SoftHyphen);
        break;
    case '_':
        appendCharacter(0x2011);
        break;
    case '\n':
        paragraph();
        break;
    default:
        break;
    }
}

void RtfReader::text(QByteArrayView bytes)
{
    if (m_skipCharacters > 0) {
        const qsizetype skipped = std::min<qsizetype>(m_skipCharacters, bytes.size());
        m_skipCharacters -= int(skipped);
        bytes = bytes.sliced(skipped);
        if (bytes.isEmpty())
            return;
    }
    switch (m_state.destination) {
    case Destination::Text:
        appendBytes(bytes);
        break;
    case Destination::FontTable:
        fontTableText(bytes);
        break;
    case Destination::ColourTable:
        colourTableText(bytes);
        break;
    case Destination::Picture:
        if (m_picture)
            m_picture->addHex(bytes);
        break;
    default:
        break;
    }
}

void RtfReader::hexByte(unsigned char byte)
{
    const char c = static_cast<char>(byte);
    if (m_state.destination == Destination::Text) {
        appendBytes(QByteArrayView(&c, 1));
    } else if (m_state.destination == Destination::FontTable && m_fontNumber) {
        // An escaped byte is part of the name, even a semicolon.
        const int codePage = m_font.codePage ? m_font.codePage : m_tables.codePage;
        m_decoder.decode(codePage, QByteArrayView(&c, 1), m_font.name);
    }
}

void RtfReader::binary(QByteArrayView bytes)
{
    if (m_state.destination == Destination::Picture && m_picture)
        m_picture->addBinary(bytes);
}

void RtfReader::unicode(int value)
{
    m_skipCharacters = m_state.unicodeSkip;
    // A 16-bit signed number in files; characters above 32767 are written negative.
    if (value < 0)
        value += 65536;
    appendCharacter(value >= 0 && value <= 0xFFFF ? char16_t(value)
                                                  : char16_t(QChar::ReplacementCharacter));
}

bool RtfReader::startText()
{
    if (m_state.chars.hidden)
        return false;
    if (!(m_state.chars == m_runChars)) {
        flushRun();
        m_runChars = m_state.chars;
    }
    return true;
}

void RtfReader::appendBytes(QByteArrayView bytes)
{
    if (!startText())
        return;
    const int codePage = m_tables.codePageOf(m_runChars.font);
    if (codePage != m_runCodePage) {
        decodeBytes();
        m_runCodePage = codePage;
    }
    m_runBytes.append(bytes);
}

void RtfReader::appendCharacter(char16_t c)
{
    if (!startText())
        return;
    decodeBytes();
    m_runText.append(QChar(c));
}

void RtfReader::decodeBytes()
{
    if (m_runBytes.isEmpty())
        return;
    m_decoder.decode(m_runCodePage, m_runBytes, m_runText);
    m_runBytes.clear();
}

void RtfReader::flushRun()
{
    decodeBytes();
    if (m_runText.isEmpty())
        return;
    // A surrogate that is not half of a pair cannot be shown or written back.
    for (qsizetype i = 0; i < m_runText.size(); ++i) {
        const QChar c = m_runText.at(i);
        if (c.isHighSurrogate() && i + 1 < m_runText.size() && m_runText.at(i + 1).isLowSurrogate())
            ++i;
        else if (c.isSurrogate())
            m_runText[i] = QChar::ReplacementCharacter;
    }
    // Control characters are no text, also where an escape (\'04, \u13) names them: dropped,
    // as those in the file itself are. The document would otherwise break lines at \'0d.
    m_runText.removeIf([](QChar c) { return c.unicode() < 0x20 && c != u'\t'; });
    if (m_runText.isEmpty())
        return;
    startBlockIfPending();
    m_cursor.insertText(m_runText, m_tables.charFormat(m_runChars));
    m_runText.clear();
}

void RtfReader::startBlockIfPending()
{
    if (m_breakPending) {
        m_cursor.insertBlock();
        m_breakPending = false;
    }
}

void RtfReader::paragraph()
{
    flushRun();
    startBlockIfPending();
    m_cursor.setBlockFormat(blockFormat(m_state.para));
    m_cursor.setBlockCharFormat(m_tables.charFormat(m_state.chars));
    m_breakPending = true;
}

void RtfReader::finish()
{
    flushRun();
    if (!m_breakPending) {
        m_cursor.setBlockFormat(blockFormat(m_state.para));
        m_cursor.setBlockCharFormat(m_tables.charFormat(m_state.chars));
    }
}

} // namespace

bool isRtf(QByteArrayView bytes)
{
    return bytes.startsWith("{\\rtf");
}

void readRtf(QByteArrayView rtf, QTextDocument& document)
{
    const bool undo = document.isUndoRedoEnabled();
    document.setUndoRedoEnabled(false);
    document.clear();
    {
        RtfReader reader(document);
        reader.read(rtf);
    }
    document.setUndoRedoEnabled(undo);
}

} // namespace help
