#include "import/bijsoort.h"

#include "import/text_ops.h"
#include "store/transaction_kinds.h"

#include <algorithm>

namespace import {

namespace kinds = store::kinds;

namespace {

// Characters from a 1-based position, as far as the text reaches.
QString at(QStringView text, qsizetype position, qsizetype count = -1)
{
    return text.mid(position - 1, count).toString();
}

// Pin payments, cash withdrawals and chip payments share one layout; only the length of the
// relation name differs. The description starts inside the name on purpose.
Classification fixedLayout(QStringView text, const QString& kind, qsizetype nameLength)
{
    return {kind, at(text, 10, 8), at(text, 34, nameLength), at(text, 19)};
}

// Transfers: "GIRO", the account as the first word, a name of one to four words ended by a
// double space, then the description. Every search stops at the end of the text.
Classification wordScan(QStringView text)
{
    const qsizetype n = text.size();
    const auto skipSpaces = [&](qsizetype p) {
        p = std::min(p, n);
        while (p < n && text[p] == u' ')
            ++p;
        return p;
    };
    const auto nextSpace = [&](qsizetype p) {
        const qsizetype found = p < n ? text.indexOf(QChar(u' '), p) : -1;
        return found < 0 ? n : found;
    };

    const qsizetype codeStart = skipSpaces(4);
    const qsizetype codeEnd = nextSpace(codeStart + 1);
    const qsizetype nameStart = skipSpaces(codeEnd + 1);
    qsizetype nameEnd = nextSpace(nameStart + 1);
    // After each of the first three words a double space ends the name; the fourth word ends it
    // whatever follows.
    for (int word = 1; word < 4; ++word) {
        if (nameEnd >= n || (nameEnd + 1 < n && text[nameEnd + 1] == u' '))
            break;
        nameEnd = nextSpace(nameEnd + 1);
    }
    const qsizetype rest = skipSpaces(nameEnd + 1);
    return {kinds::text(kinds::kTransfer), text.mid(codeStart, codeEnd - codeStart).toString(),
            text.mid(nameStart, nameEnd - nameStart).toString(), collapseSpaces(text.mid(rest))};
}

// Account-style lines: the account in the first 13 characters, the name up to the first double
// space, the description from the payment reference when there is one.
Classification accountScan(QStringView text)
{
    QString code = at(text, 1, 13);
    if (code.startsWith(u' '))
        code.remove(0, 1);

    QStringView rest = text.mid(13);
    while (!rest.isEmpty() && rest.front() == u' ')
        rest = rest.mid(1);
    QString name;
    QStringView tail = rest;
    const qsizetype gap = rest.indexOf(u"  ");
    if (gap >= 0) {
        name = rest.left(gap + 1).toString(); // keeps one trailing space; the caller trims
        tail = rest.mid(gap + 2);
    }

    const qsizetype reference = text.indexOf(u"BETALINGSKENM");
    QString description = collapseSpaces(reference >= 0 ? text.mid(reference) : tail);
    if (description.startsWith(u' '))
        description.remove(0, 1);
    return {kinds::text(kinds::kBank), code, name, description};
}

} // namespace

Classification bijsoort(QStringView remainder)
{
    if (startsWithAscii(remainder, u"BEA"))
        return fixedLayout(remainder, kinds::text(kinds::kPin), 24);
    if (startsWithAscii(remainder, u"GEA"))
        return fixedLayout(remainder, kinds::text(kinds::kCash), 22);
    if (startsWithAscii(remainder, u"GIRO"))
        return wordScan(remainder);
    if (startsWithAscii(remainder, u"CHIP"))
        return fixedLayout(remainder, kinds::text(kinds::kChip), 19);
    if (remainder.size() >= 4 && remainder[3] == u'.')
        return accountScan(remainder);
    // No marker: all such transactions form one relation.
    const QString kolvaro = QStringLiteral("KOLVARO");
    return {kinds::text(kinds::kBank), kolvaro, kolvaro, collapseSpaces(remainder)};
}

} // namespace import
