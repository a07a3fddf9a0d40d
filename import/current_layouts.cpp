#include "import/current_layouts.h"

#include "import/text_ops.h"
#include "store/transaction_kinds.h"

#include <QString>
#include <QVarLengthArray>
#include <array>
#include <utility>

namespace import {

namespace kinds = store::kinds;

namespace {

using namespace Qt::StringLiterals;

constexpr qsizetype kHead = 32;   // the head of the text
constexpr qsizetype kLine = 64;   // every line after it
constexpr qsizetype kSlot = 32;   // a body field starts at a multiple of this
constexpr qsizetype kReknum = 15; // what reknum keeps of an account
constexpr qsizetype kCountry = 4; // country code and check digits of an IBAN

// The bank pads its head and each 64-character line with one space that is no part of the text;
// it may fall inside a word. Dropping those positions gives the head and the slotted body.
QString joinBlocks(QStringView text)
{
    QString joined;
    joined.reserve(text.size());
    joined.append(text.left(kHead));
    for (qsizetype start = kHead + 1; start < text.size(); start += kLine + 1)
        joined.append(text.mid(start, kLine));
    return joined;
}

bool spaceAt33(QStringView text)
{
    return text.size() > kHead && text[kHead] == u' ';
}

QString tidy(QStringView text)
{
    return trimControls(collapseSpaces(text));
}

// ---- Labelled payment texts ----

const std::array kLabels = {u"IBAN: "_s,         u"BIC: "_s,     u"Naam: "_s,
                            u"Omschrijving: "_s, u"Kenmerk: "_s, u"Incassant: "_s,
                            u"Machtiging: "_s,   u"Voor: "_s};

// Names and values of a text's fields, as views: the names of the static labels and keys, the
// values of the text (a value continued over several slots is still one stretch of it).
using Fields = QVarLengthArray<std::pair<QStringView, QStringView>, 16>;

// Whether a slot may start with a label: an ASCII letter no label starts with rules it out
// without comparing every label (anything else is compared as ever).
bool mayStartLabel(QStringView slot)
{
    if (slot.isEmpty() || slot[0].unicode() >= 0x80)
        return true;
    switch (slot[0].unicode() | 0x20) {
    case u'i':
    case u'b':
    case u'n':
    case u'o':
    case u'k':
    case u'm':
    case u'v':
        return true;
    default:
        return false;
    }
}

// Label (without ": ") -> value, from a body of 32-character slots. A slot without a label
// continues the value before it, joined without a separator.
Fields labelledFields(QStringView body)
{
    Fields fields;
    for (qsizetype start = 0; start < body.size(); start += kSlot) {
        const QStringView slot = body.mid(start, kSlot);
        bool labelled = false;
        for (const QString& label : kLabels) {
            if (!mayStartLabel(slot))
                break; // no label can match
            // Some texts write the labels in lower or mixed case ("iban: ", "NAAM: ").
            if (startsWithAscii(slot, label, Qt::CaseInsensitive)) {
                fields.emplace_back(QStringView(label).chopped(2), slot.mid(label.size()));
                labelled = true;
                break;
            }
        }
        if (!labelled && !fields.empty()) {
            // The slot follows the value in the text: the value grows over it.
            QStringView& value = fields.back().second;
            value = QStringView(value.data(), value.size() + slot.size());
        }
    }
    return fields;
}

// The first non-empty value of a label, tidied; empty when there is none.
QString valueOf(const Fields& fields, QStringView label)
{
    for (const auto& [name, value] : fields)
        if (name == label)
            if (QString tidied = tidy(value); !tidied.isEmpty())
                return tidied;
    return {};
}

Classification labelled(QStringView joined)
{
    const QString head = tidy(joined.left(kHead));
    const auto fields = labelledFields(joined.mid(kHead));
    QString account = valueOf(fields, u"IBAN");
    if (account.isEmpty())
        account = valueOf(fields, u"Incassant");
    const QString name = valueOf(fields, u"Naam");
    const QString description = valueOf(fields, u"Omschrijving");
    return {kinds::text(kinds::kTransfer), shortenAccount(account), name.isEmpty() ? head : name,
            description.isEmpty() ? head : description};
}

// ---- Slash texts ----

const std::array kSlashKeys = {u"TRTP"_s, u"IBAN"_s, u"BIC"_s,  u"NAME"_s, u"REMI"_s,
                               u"EREF"_s, u"CSID"_s, u"MARF"_s, u"ORDP"_s, u"ID"_s};

// The key that stands between the slash at `at` and the next one, or nothing.
std::optional<QStringView> keyAt(QStringView text, qsizetype at)
{
    for (const QString& key : kSlashKeys) {
        const qsizetype end = at + 1 + key.size();
        if (end < text.size() && text[end] == u'/' && text.mid(at + 1, key.size()) == key)
            return QStringView(key);
    }
    return std::nullopt;
}

// Key -> value; a value may hold a slash, so only "/KEY/" with a known key splits.
Fields slashFields(QStringView text)
{
    Fields fields;
    qsizetype valueStart = -1;
    for (qsizetype at = 0; at < text.size(); ++at) {
        if (text[at] != u'/')
            continue;
        const std::optional<QStringView> key = keyAt(text, at);
        if (!key)
            continue;
        if (!fields.empty())
            fields.back().second = text.mid(valueStart, at - valueStart);
        fields.emplace_back(*key, QStringView());
        valueStart = at + key->size() + 2;
        at = valueStart - 1; // an empty value: the next key's slash stands right here
    }
    if (!fields.empty())
        fields.back().second = text.mid(valueStart);
    return fields;
}

Classification slashText(QStringView text)
{
    const auto fields = slashFields(text);
    QString account = valueOf(fields, u"IBAN");
    if (account.isEmpty())
        account = valueOf(fields, u"CSID");
    const QString kind = valueOf(fields, u"TRTP");
    const QString name = valueOf(fields, u"NAME");
    const QString description = valueOf(fields, u"REMI");
    return {kinds::text(kinds::kTransfer), shortenAccount(account), name.isEmpty() ? kind : name,
            description.isEmpty() ? kind : description};
}

// ---- Card payments ----

// The merchant of slot 1 without ",PAS<card number>", also where the slot cut that short.
QString merchantOf(QStringView slot)
{
    const qsizetype pas = slot.lastIndexOf(u",PAS");
    if (pas >= 0) {
        bool digitsOnly = true;
        for (const QChar c : slot.mid(pas + 4))
            digitsOnly = digitsOnly && (c.isDigit() || c == u' ');
        if (digitsOnly)
            return tidy(slot.left(pas));
    }
    if (slot.size() == kSlot) {
        for (const QStringView cut : {u",PA", u",P"})
            if (slot.endsWith(cut))
                return tidy(slot.chopped(cut.size()));
    }
    return tidy(slot);
}

// The terminal after "NR:", up to the first comma or space.
QString terminalOf(QStringView body)
{
    qsizetype at = body.mid(kSlot, kSlot).indexOf(u"NR:");
    at = at >= 0 ? at + kSlot : body.indexOf(u"NR:");
    if (at < 0)
        return {};
    const QStringView rest = body.mid(at + 3);
    qsizetype end = 0;
    while (end < rest.size() && rest[end] != u',' && rest[end] != u' ')
        ++end;
    return rest.left(end).toString();
}

Classification cardPayment(QStringView joined, bool cash)
{
    const QStringView body = joined.mid(kHead);
    return {kinds::text(cash ? kinds::kCash : kinds::kPin), terminalOf(body),
            merchantOf(body.left(kSlot)), tidy(body)};
}

} // namespace

QString shortenAccount(QStringView account)
{
    if (account.size() <= kReknum)
        return account.toString();
    return account.mid(kCountry, kReknum).toString();
}

std::optional<Classification> readCurrentLayout(QStringView remainder)
{
    if (startsWithAscii(remainder, u"/TRTP/"))
        return slashText(remainder);
    if (!spaceAt33(remainder))
        return std::nullopt;
    if (startsWithAscii(remainder, u"SEPA "))
        return labelled(joinBlocks(remainder));
    const bool pin = startsWithAscii(remainder, u"BEA,", Qt::CaseInsensitive);
    if (pin || startsWithAscii(remainder, u"GEA,", Qt::CaseInsensitive))
        return cardPayment(joinBlocks(remainder), !pin);
    return std::nullopt;
}

} // namespace import
