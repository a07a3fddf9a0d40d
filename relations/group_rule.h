#pragma once

#include <QString>
#include <QStringList>
#include <stdexcept>

namespace relations {

// A rule refused on saving; the text is the Dutch message the user reads.
class GroupRuleError : public std::runtime_error
{
public:
    explicit GroupRuleError(const QString& text) : std::runtime_error(text.toStdString()) {}
};

// The transaction field a rule looks at.
enum class RuleField
{
    Naam,
    Omschrijving,
    Reknum,
};

enum class RuleKind
{
    Equal,      // "gelijk"
    BeginsWith, // "begint met"
    Contains,   // "bevat"
    Pattern,    // "patroon": a regular expression, searched anywhere in the text
};

// One rule: a transaction whose field matches the pattern belongs to the group. The bank's
// name of the transaction is never changed; the group is what the relation-year rows carry.
struct GroupRule
{
    bool active = true;
    RuleField field = RuleField::Naam;
    RuleKind kind = RuleKind::Equal;
    QString pattern;
    QString group;
    QString note;

    bool operator==(const GroupRule&) const = default;
};

inline constexpr int kGroupNameMax = 40; // the Naam field of the relation-year table
inline constexpr int kPatternMax = 200;  // the pattern field of the rules table
inline constexpr int kNoteMax = 100;

// Names as the rules table and the windows write them: "Naam", "Omschrijving", "reknum";
// "gelijk", "begint met", "bevat", "patroon".
QString fieldName(RuleField field);
QString kindName(RuleKind kind);
// Read back, case ignored; "begint" is accepted for "begint met". Throw GroupRuleError.
RuleField parseField(const QString& text);
RuleKind parseKind(const QString& text);
QStringList fieldNames();
QStringList kindNames();

// The form in which texts are compared: blanks and other white space collapsed to one space,
// the ends trimmed, the case folded away.
QString matchForm(const QString& text);

// The rule as it is stored: pattern and group with white space collapsed and trimmed, the note
// trimmed. Throws GroupRuleError when the pattern is empty, too long, no valid regular
// expression, one that matches the empty text or one that needs too much work on some text of
// its own characters (RulePattern::costlyText; only with `probeCost`); when the group is empty or
// longer than the relation name may be (never cut); when the note is too long. Reading the rules
// table skips the probes: a stored rule is kept, and where its pattern gives up on a text the
// resolver reports it.
GroupRule checkedRule(const GroupRule& rule, bool probeCost = true);

// The checks of checkedRule that every table of rules shares. The pattern of a rule of `kind`
// with white space collapsed and trimmed; the note trimmed; a text the table keeps in
// Windows-1252 (`what` names it in the message). Each throws GroupRuleError.
QString checkedPattern(RuleKind kind, const QString& pattern, bool probeCost);
QString checkedNote(const QString& note);
void requireStorable(const QString& text, const QString& what);

} // namespace relations
