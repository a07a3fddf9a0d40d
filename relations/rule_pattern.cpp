#include "relations/rule_pattern.h"

#include "relations/group_rule.h"

#define PCRE2_CODE_UNIT_WIDTH 16
#include <pcre2.h>

#include <QSet>
#include <new>

using namespace Qt::StringLiterals;

namespace relations {

namespace {

bool isAsciiAlnum(QChar c)
{
    return c.unicode() < 128 && c.isLetterOrNumber();
}

// A stand-in for each piece of the pattern that stands for a character: the literals, one
// example of each class (digit, word, blank, the dot) and the characters inside brackets.
QString characterPieces(const QString& p)
{
    QString pieces;
    bool inClass = false;
    for (qsizetype i = 0; i < p.size(); ++i) {
        const QChar c = p[i];
        if (c == u'\\' && i + 1 < p.size()) {
            const QChar e = p[++i];
            switch (e.unicode()) {
            case u'd':
                pieces += u'0';
                break;
            case u'D':
            case u'w':
            case u'S':
                pieces += u'a';
                break;
            case u's':
            case u'h':
                pieces += u' ';
                break;
            case u'W':
                pieces += u'-';
                break;
            default:
                if (!isAsciiAlnum(e))
                    pieces += e;
            }
            continue;
        }
        if (inClass) {
            if (c == u']')
                inClass = false;
            else if (c != u'^' && c != u'-')
                pieces += c;
            continue;
        }
        switch (c.unicode()) {
        case u'[':
            inClass = true;
            if (i + 1 < p.size() && p[i + 1] == u'^')
                ++i;
            if (i + 1 < p.size() && p[i + 1] == u']')
                pieces += p[++i];
            break;
        case u'.':
            pieces += u'a';
            break;
        case u'(':
        case u')':
        case u'|':
        case u'?':
        case u'*':
        case u'+':
        case u'^':
        case u'$':
        case u'{':
        case u'}':
        case u',':
            break;
        default:
            pieces += c;
        }
    }
    return pieces;
}

QString repeated(const QString& unit, int length)
{
    QString text;
    while (text.size() < length)
        text += unit;
    return text.left(length);
}

} // namespace

struct RulePattern::Compiled
{
    pcre2_code* code = nullptr;
    // One match block and context per pattern, reused: a resolver is used by one thread.
    pcre2_match_data* data = nullptr;
    pcre2_match_context* context = nullptr;
    Compiled() = default;
    Compiled(const Compiled&) = delete;
    Compiled& operator=(const Compiled&) = delete;
    ~Compiled()
    {
        pcre2_match_context_free(context);
        pcre2_match_data_free(data);
        pcre2_code_free(code);
    }
};

RulePattern::RulePattern(const QString& pattern) : m_pattern(pattern)
{
    int error = 0;
    PCRE2_SIZE offset = 0;
    pcre2_code* code =
        pcre2_compile(reinterpret_cast<PCRE2_SPTR>(pattern.utf16()), PCRE2_SIZE(pattern.size()),
                      PCRE2_UTF | PCRE2_CASELESS, &error, &offset, nullptr);
    if (!code) {
        PCRE2_UCHAR buffer[256];
        const int length = pcre2_get_error_message(error, buffer, 256);
        if (length > 0)
            m_error = QString::fromUtf16(reinterpret_cast<const char16_t*>(buffer), length);
        m_errorOffset = static_cast<int>(offset);
        return;
    }
    auto compiled = std::make_shared<Compiled>();
    compiled->code = code;
    // Only whether it matches counts: one pair of offsets is enough.
    compiled->data = pcre2_match_data_create(1, nullptr);
    compiled->context = pcre2_match_context_create(nullptr);
    if (!compiled->data || !compiled->context)
        throw std::bad_alloc();
    m_compiled = std::move(compiled);
}

RulePattern::Outcome RulePattern::search(QStringView text, std::uint32_t steps) const
{
    if (!m_compiled)
        return Outcome::NoMatch;
    // The interpreter (no JIT) counts its steps the same way on every machine; the depth limit
    // follows the step limit, as it does by default.
    pcre2_set_match_limit(m_compiled->context, steps);
    const int rc =
        pcre2_match(m_compiled->code, reinterpret_cast<PCRE2_SPTR>(text.utf16()),
                    PCRE2_SIZE(text.size()), 0, 0, m_compiled->data, m_compiled->context);
    if (rc >= 0)
        return Outcome::Match;
    if (rc == PCRE2_ERROR_MATCHLIMIT || rc == PCRE2_ERROR_DEPTHLIMIT ||
        rc == PCRE2_ERROR_HEAPLIMIT || rc == PCRE2_ERROR_NOMEMORY)
        return Outcome::GaveUp;
    return Outcome::NoMatch; // no match, or a text that is no valid UTF-16
}

QString RulePattern::costlyText() const
{
    if (!m_compiled)
        return {};
    for (const QString& text : probeTexts(m_pattern))
        if (search(text, kProbeSteps) == Outcome::GaveUp)
            return text;
    return {};
}

QStringList RulePattern::probeTexts(const QString& pattern)
{
    // A pattern only meets texts in match form, so the probes are in match form too.
    const QString pieces = matchForm(characterPieces(pattern));
    QString distinct;
    for (const QChar c : pieces)
        if (!distinct.contains(c))
            distinct += c;
    // A character that is none of the pieces after a run of them makes the search fail late,
    // after trying every other way first: that is where backtracking blows up.
    QString tail = u"!"_s;
    for (const QChar c : {u'!', u'~', u'#', u'%', u'\u00a7'})
        if (!distinct.contains(c)) {
            tail = QString(c);
            break;
        }
    QStringList probes;
    QSet<QString> seen;
    // The run, the run ending in the tail, and the run ending in the tail and every piece: a
    // pattern that needs its last piece somewhere (a literal after the repetition) then tries
    // to match the run before it fails.
    const auto add = [&](const QString& unit) {
        const auto before = static_cast<int>(kProbeLength - 1 - distinct.size());
        for (QString text : {repeated(unit, kProbeLength), repeated(unit, kProbeLength - 1) + tail,
                             repeated(unit, before) + tail + distinct}) {
            text = matchForm(text);
            if (!text.isEmpty() && !seen.contains(text)) {
                seen.insert(text);
                probes << text;
            }
        }
    };
    for (const QChar c : distinct)
        add(QString(c));
    if (!pieces.isEmpty())
        add(pieces);
    // Two pieces taking turns ("abab...") defeat alternatives such as (a|b|ab)*.
    constexpr qsizetype kPairedPieces = 16;
    if (distinct.size() <= kPairedPieces)
        for (const QChar a : distinct)
            for (const QChar b : distinct)
                if (a != b)
                    add(QString(a) + b);
    return probes;
}

namespace {

// From '[' at i to the closing ']' of the character class (i is left on it).
void skipClass(const QString& p, qsizetype& i)
{
    ++i;
    if (i < p.size() && p[i] == u'^')
        ++i;
    if (i < p.size() && p[i] == u']')
        ++i;
    for (; i < p.size() && p[i] != u']'; ++i)
        if (p[i] == u'\\')
            ++i;
}

// From '(' at i to the character before the one after its closing ')' (i is left on ')').
void skipGroup(const QString& p, qsizetype& i)
{
    int depth = 1;
    for (++i; i < p.size() && depth > 0; ++i) {
        if (p[i] == u'\\')
            ++i;
        else if (p[i] == u'[')
            skipClass(p, i);
        else if (p[i] == u'(')
            ++depth;
        else if (p[i] == u')')
            --depth;
    }
    --i;
}

// The runs of literal characters of a pattern, keeping the longest.
struct LiteralPieces
{
    QString best;
    QString piece;
    bool lastLiteral = false;

    void end()
    {
        if (piece.size() > best.size())
            best = piece;
        piece.clear();
        lastLiteral = false;
    }
    void add(QChar literal)
    {
        // Outside ASCII a letter may match more under the engine's case rules than its
        // folding shows; such a letter ends the piece.
        if (literal.unicode() < 32 || literal.unicode() > 126) {
            end();
            return;
        }
        piece += literal.toLower();
        lastLiteral = true;
    }
    // A quantifier that allows none: the literal before it may be absent.
    void dropLast()
    {
        if (lastLiteral)
            piece.chop(1);
        end();
    }
};

} // namespace

QString RulePattern::requiredLiteral(const QString& p)
{
    // Inline options can make letters case sensitive or blanks meaningless, and quoting changes
    // what the characters are: such patterns get no literal.
    if (p.contains(u"(?"_s) || p.contains(u"\\Q"_s))
        return {};
    LiteralPieces pieces;
    for (qsizetype i = 0; i < p.size(); ++i) {
        const QChar c = p[i];
        switch (c.unicode()) {
        case u'\\': {
            if (i + 1 >= p.size())
                return {};
            const QChar e = p[++i];
            if (e.unicode() < 128 && !e.isLetterOrNumber()) {
                pieces.add(e);
                continue;
            }
            // Escapes of one letter stand for a class or a position; any other (a code, a
            // property, a back reference) takes more characters: no literal then.
            if (!QStringView(u"dDwWsShHvVbBAzZG").contains(e))
                return {};
            pieces.end();
            continue;
        }
        case u'[':
            pieces.end();
            skipClass(p, i);
            continue;
        case u'(':
            pieces.end();
            skipGroup(p, i);
            continue;
        case u'|':
            return {}; // alternatives at the top: no piece is required
        case u'?':
        case u'*':
        case u'{':
            pieces.dropLast();
            if (c == u'{')
                while (i < p.size() && p[i] != u'}')
                    ++i;
            continue;
        case u'+': // at least once: the literal stays, but more of it may follow
        case u'.':
        case u'^':
        case u'$':
        case u')':
        case u']':
        case u'}':
            pieces.end();
            continue;
        default:
            pieces.add(c);
        }
    }
    pieces.end();
    return pieces.best;
}

} // namespace relations
