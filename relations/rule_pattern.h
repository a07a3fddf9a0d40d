#pragma once

#include <QString>
#include <QStringList>
#include <QStringView>
#include <cstdint>
#include <memory>

namespace relations {

// A "patroon" of a rule: a regular expression of PCRE2 (the engine QRegularExpression wraps),
// case ignored, searched anywhere in a text. A search runs under a budget of backtracking steps
// that PCRE2 counts itself, so a pattern that would take seconds on some text gives up after
// the same amount of work on every machine and under any load.
class RulePattern
{
public:
    // Steps a search may take. On one core of a modest desktop PCRE2 does about 100 000 steps per
    // millisecond, so a rule whose probes stay under kProbeSteps cannot take 10 ms on a text;
    // real texts get twice that before a search gives up.
    static constexpr std::uint32_t kProbeSteps = 100000;
    static constexpr std::uint32_t kRunSteps = 2 * kProbeSteps;
    // The longest text the probes try: longer than any field the rules read.
    static constexpr int kProbeLength = 250;

    enum class Outcome
    {
        NoMatch,
        Match,
        GaveUp, // the budget ran out: neither a match nor a miss
    };

    RulePattern() = default; // invalid; never matches
    explicit RulePattern(const QString& pattern);

    bool isValid() const { return m_compiled != nullptr; }
    // For an invalid pattern: PCRE2's message and the 0-based position it points at.
    QString errorText() const { return m_error; }
    int errorOffset() const { return m_errorOffset; }

    Outcome search(QStringView text, std::uint32_t steps = kRunSteps) const;

    // A text of at most kProbeLength characters, built from the pattern's own characters, on
    // which the search needs more than kProbeSteps steps; empty when none of the probes does.
    QString costlyText() const;

    // The texts costlyText() tries, in match form.
    static QStringList probeTexts(const QString& pattern);
    // A piece of plain text, case folded, that every text the pattern finds contains; empty when
    // the pattern does not make one plain (alternatives, groups, inline options...).
    static QString requiredLiteral(const QString& pattern);

private:
    struct Compiled;
    std::shared_ptr<const Compiled> m_compiled;
    QString m_pattern;
    QString m_error;
    int m_errorOffset = 0;
};

} // namespace relations
