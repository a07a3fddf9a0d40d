#include "help/rtf_tokenizer.h"

#include <algorithm>
#include <limits>

namespace help {

namespace {

constexpr qsizetype kMaxNameLength = 32;

bool isLetter(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

RtfToken tokenOf(RtfToken::Kind kind)
{
    RtfToken token;
    token.kind = kind;
    return token;
}

bool isText(char c)
{
    return c != '\\' && c != '{' && c != '}' &&
           (static_cast<unsigned char>(c) >= 0x20 || c == '\t');
}

} // namespace

int hexDigitValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

RtfToken RtfTokenizer::next()
{
    const qsizetype size = m_input.size();
    while (m_pos < size) {
        const char c = m_input[m_pos];
        if (c == '{') {
            ++m_pos;
            return tokenOf(RtfToken::Kind::GroupStart);
        }
        if (c == '}') {
            ++m_pos;
            return tokenOf(RtfToken::Kind::GroupEnd);
        }
        if (c == '\\')
            return controlWord();
        if (!isText(c)) {
            ++m_pos;
            continue;
        }
        const qsizetype start = m_pos;
        while (m_pos < size && isText(m_input[m_pos]))
            ++m_pos;
        RtfToken token = tokenOf(RtfToken::Kind::Text);
        token.text = m_input.sliced(start, m_pos - start);
        return token;
    }
    return {};
}

RtfToken RtfTokenizer::controlWord()
{
    const qsizetype size = m_input.size();
    ++m_pos; // the backslash
    if (m_pos >= size)
        return {};
    const char first = m_input[m_pos];
    if (!isLetter(first)) {
        ++m_pos;
        if (first == '\'') {
            int value = 0;
            int digits = 0;
            for (; digits < 2 && m_pos < size; ++digits, ++m_pos) {
                const int h = hexDigitValue(m_input[m_pos]);
                if (h < 0)
                    break;
                value = value * 16 + h;
            }
            if (digits == 0) {
                RtfToken token = tokenOf(RtfToken::Kind::ControlSymbol); // unknown, so ignored
                token.symbol = first;
                return token;
            }
            RtfToken token = tokenOf(RtfToken::Kind::HexByte);
            token.byte = static_cast<unsigned char>(value);
            return token;
        }
        RtfToken token = tokenOf(RtfToken::Kind::ControlSymbol);
        // A backslash before a line break is a paragraph mark.
        token.symbol = first == '\r' ? '\n' : first;
        return token;
    }

    const qsizetype start = m_pos;
    while (m_pos < size && isLetter(m_input[m_pos]))
        ++m_pos;
    RtfToken token = tokenOf(RtfToken::Kind::ControlWord);
    token.text = m_input.sliced(start, std::min(m_pos - start, kMaxNameLength));

    const bool negative = m_pos + 1 < size && m_input[m_pos] == '-' && isDigit(m_input[m_pos + 1]);
    if (negative)
        ++m_pos;
    if (m_pos < size && isDigit(m_input[m_pos])) {
        constexpr long long kLimit = std::numeric_limits<int>::max();
        long long value = 0;
        for (; m_pos < size && isDigit(m_input[m_pos]); ++m_pos)
            value = std::min(kLimit, value * 10 + (m_input[m_pos] - '0'));
        token.hasParameter = true;
        token.parameter = static_cast<int>(negative ? -value : value);
    }
    if (m_pos < size && m_input[m_pos] == ' ')
        ++m_pos;

    if (token.text == "bin") {
        // The data is raw bytes that may look like anything, so it is cut out here.
        const qsizetype length = std::min<qsizetype>(std::max(token.parameter, 0), size - m_pos);
        RtfToken data = tokenOf(RtfToken::Kind::Binary);
        data.text = m_input.sliced(m_pos, length);
        m_pos += length;
        return data;
    }
    return token;
}

} // namespace help
