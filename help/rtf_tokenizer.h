#pragma once

#include <QByteArrayView>

namespace help {

// The value of one hexadecimal digit, either case; -1 for any other character.
int hexDigitValue(char c);

struct RtfToken
{
    enum class Kind
    {
        GroupStart,
        GroupEnd,
        ControlWord,   // `text` is the name; `parameter` valid when `hasParameter`
        ControlSymbol, // `symbol` is the character after the backslash
        HexByte,       // \'hh; `byte`
        Text,          // a run of literal bytes; `text`
        Binary,        // the data after \binN; `text`
        End
    };
    Kind kind = Kind::End;
    QByteArrayView text;
    int parameter = 0;
    bool hasParameter = false;
    char symbol = 0;
    unsigned char byte = 0;
};

// Splits rich text into tokens without judging them. It never reads past the end, whatever the
// input: names are cut at 32 letters, parameters are held to the int range (further digits are
// consumed), \bin takes at most the bytes that are left, and line breaks and other control
// bytes outside \bin data are dropped as rich text wants (a tab byte stays text).
class RtfTokenizer
{
public:
    explicit RtfTokenizer(QByteArrayView input) : m_input(input) {}
    RtfToken next();
    qsizetype position() const { return m_pos; }

private:
    RtfToken controlWord();
    QByteArrayView m_input;
    qsizetype m_pos = 0;
};

} // namespace help
