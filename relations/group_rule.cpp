#include "relations/group_rule.h"

#include "relations/rule_pattern.h"
#include "store/dbase/cp1252.h"

using namespace Qt::StringLiterals;

namespace relations {

QString fieldName(RuleField field)
{
    switch (field) {
    case RuleField::Naam:
        return u"Naam"_s;
    case RuleField::Omschrijving:
        return u"Omschrijving"_s;
    case RuleField::Reknum:
        return u"reknum"_s;
    }
    return {};
}

QString kindName(RuleKind kind)
{
    switch (kind) {
    case RuleKind::Equal:
        return u"gelijk"_s;
    case RuleKind::BeginsWith:
        return u"begint met"_s;
    case RuleKind::Contains:
        return u"bevat"_s;
    case RuleKind::Pattern:
        return u"patroon"_s;
    }
    return {};
}

QStringList fieldNames()
{
    return {fieldName(RuleField::Naam), fieldName(RuleField::Omschrijving),
            fieldName(RuleField::Reknum)};
}

QStringList kindNames()
{
    return {kindName(RuleKind::Equal), kindName(RuleKind::BeginsWith), kindName(RuleKind::Contains),
            kindName(RuleKind::Pattern)};
}

RuleField parseField(const QString& text)
{
    const QString t = text.simplified();
    for (RuleField f : {RuleField::Naam, RuleField::Omschrijving, RuleField::Reknum})
        if (t.compare(fieldName(f), Qt::CaseInsensitive) == 0)
            return f;
    throw GroupRuleError(u"Onbekend veld '%1': kies Naam, Omschrijving of reknum."_s.arg(text));
}

RuleKind parseKind(const QString& text)
{
    const QString t = text.simplified();
    if (t.compare(u"begint"_s, Qt::CaseInsensitive) == 0)
        return RuleKind::BeginsWith;
    for (RuleKind k :
         {RuleKind::Equal, RuleKind::BeginsWith, RuleKind::Contains, RuleKind::Pattern})
        if (t.compare(kindName(k), Qt::CaseInsensitive) == 0)
            return k;
    throw GroupRuleError(
        u"Onbekende soort '%1': kies gelijk, begint met, bevat of patroon."_s.arg(text));
}

// The rules table keeps its texts in Windows-1252: a character it cannot hold would come back
// as '?', and a rule that changed on saving is not the rule the user saw.
void requireStorable(const QString& text, const QString& what)
{
    if (dbase::cp1252::decode(dbase::cp1252::encode(text)) != text)
        throw GroupRuleError(
            u"%1 '%2' bevat tekens die de tabel niet kan bewaren."_s.arg(what, text));
}

QString matchForm(const QString& text)
{
    // Bank texts are nearly always ASCII: for them one pass gives what simplified() and
    // toCaseFolded() give together, without their second string and Unicode tables.
    QString form(text.size(), Qt::Uninitialized);
    char16_t* out = reinterpret_cast<char16_t*>(form.data());
    qsizetype size = 0;
    bool blank = false;
    for (const QChar qc : text) {
        const char16_t c = qc.unicode();
        if (c >= 0x80)
            return text.simplified().toCaseFolded();
        if (c == u' ' || (c >= u'\t' && c <= u'\r')) {
            blank = size > 0;
            continue;
        }
        if (blank) {
            out[size++] = u' ';
            blank = false;
        }
        out[size++] = c >= u'A' && c <= u'Z' ? char16_t(c + 32) : c;
    }
    form.truncate(size);
    return form;
}

QString checkedPattern(RuleKind kind, const QString& text, bool probeCost)
{
    const QString pattern = text.simplified();
    if (pattern.isEmpty())
        throw GroupRuleError(u"Het patroon is leeg: een regel zonder patroon zou niets of alles "
                             u"vangen."_s);
    if (pattern.size() > kPatternMax)
        throw GroupRuleError(
            u"Het patroon is %1 tekens lang; er passen er %2 in."_s.arg(pattern.size())
                .arg(kPatternMax));
    requireStorable(pattern, u"Het patroon"_s);
    if (kind == RuleKind::Pattern) {
        // The engine that matches at run time judges the pattern.
        const RulePattern expression(pattern);
        if (!expression.isValid())
            throw GroupRuleError(
                u"Het patroon '%1' is geen geldige reguliere expressie (teken %2)."_s.arg(pattern)
                    .arg(expression.errorOffset() + 1));
        if (expression.search(QString()) != RulePattern::Outcome::NoMatch)
            throw GroupRuleError(u"Het patroon '%1' past ook op een lege tekst en zou elke "
                                 u"boeking vangen."_s.arg(pattern));
        if (const QString costly = probeCost ? expression.costlyText() : QString();
            !costly.isEmpty())
            throw GroupRuleError(
                u"Het patroon '%1' vraagt te veel rekenwerk: op een tekst als '%2' zou het zoeken "
                u"te lang duren en de regel het opgeven. Vermijd herhalingen binnen herhalingen, "
                u"zoals (a+)+ of (a|aa)+."_s.arg(pattern, costly.left(20) + u"…"_s));
    }
    return pattern;
}

QString checkedNote(const QString& text)
{
    const QString note = text.trimmed();
    requireStorable(note, u"De notitie"_s);
    if (note.size() > kNoteMax)
        throw GroupRuleError(
            u"De notitie is %1 tekens lang; er passen er %2 in."_s.arg(note.size()).arg(kNoteMax));
    return note;
}

GroupRule checkedRule(const GroupRule& rule, bool probeCost)
{
    GroupRule r = rule;
    r.pattern = checkedPattern(rule.kind, rule.pattern, probeCost);
    r.group = rule.group.simplified();
    if (r.group.isEmpty())
        throw GroupRuleError(u"De groepsnaam is leeg."_s);
    if (r.group.size() > kGroupNameMax)
        throw GroupRuleError(u"De groepsnaam '%1' is %2 tekens lang; een relatienaam heeft er "
                             u"hoogstens %3. Kort hem zelf in."_s.arg(r.group)
                                 .arg(r.group.size())
                                 .arg(kGroupNameMax));
    requireStorable(r.group, u"De groepsnaam"_s);
    r.note = checkedNote(rule.note);
    return r;
}

} // namespace relations
