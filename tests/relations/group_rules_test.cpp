#include "relations/completion.h"
#include "relations/group_merge.h"
#include "relations/group_rebuild.h"
#include "relations/group_resolver.h"
#include "relations/group_rules_file.h"
#include "relations/group_statistics.h"
#include "relations/month_totals.h"
#include "relations/relation_year.h"
#include "relations/rule_pattern.h"
#include "tests/support/table_text.h"
#include "tests/support/tables.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>
#include <map>

using namespace Qt::StringLiterals;
using namespace store::names;
using relations::GroupResolver;
using relations::GroupRule;
using relations::RuleField;
using relations::RuleKind;
using testsupport::Tables;

namespace {

GroupRule rule(RuleKind kind, const QString& pattern, const QString& group,
               RuleField field = RuleField::Naam)
{
    GroupRule r;
    r.field = field;
    r.kind = kind;
    r.pattern = pattern;
    r.group = group;
    return r;
}

// Every field its own value, so that a rule reading the wrong field cannot pass.
void addTransaction(Tables& t, const QDate& datum, const QString& naam, double bedrag,
                    const QString& omschrijving = u"OMSCHR"_s, const QString& reknum = u"R1"_s)
{
    t.mutaties->append();
    t.mutaties->fieldByName(kDatum).setAsDate(datum);
    t.mutaties->fieldByName(kSoort).setAsInteger(6);
    t.mutaties->fieldByName(kNaam).setAsString(naam);
    t.mutaties->fieldByName(kOmschrijving).setAsString(omschrijving);
    t.mutaties->fieldByName(kReknum).setAsString(reknum);
    t.mutaties->fieldByName(kBedrag).setAsFloat(bedrag);
    t.mutaties->post();
}

QStringList rows(const dbase::Table& bedrijven)
{
    return testsupport::rowsAsText(bedrijven);
}

// Sums per (jaar, month) of the relation-year rows, in cents.
std::map<std::pair<QString, int>, qint64> sumsOfRows(dbase::Table& bedrijven)
{
    std::map<std::pair<QString, int>, qint64> sums;
    const int jaar = bedrijven.fieldIndex(kJaar);
    for (int r = 0; r < bedrijven.recordCount(); ++r)
        for (int m = 0; m < 12; ++m)
            sums[{bedrijven.rowAt(r).asString(jaar), m}] += std::llround(
                100 * bedrijven.rowAt(r).asFloat(bedrijven.fieldIndex(kMonths[std::size_t(m)])));
    std::erase_if(sums, [](const auto& s) { return s.second == 0; });
    return sums;
}

std::map<std::pair<QString, int>, qint64> sumsOfTransactions(dbase::Table& mutaties)
{
    std::map<std::pair<QString, int>, qint64> sums;
    for (int r = 0; r < mutaties.recordCount(); ++r) {
        const QDate d = mutaties.rowAt(r).asDate(mutaties.fieldIndex(kDatum));
        sums[{QString::number(d.year()), d.month() - 1}] +=
            std::llround(100 * mutaties.rowAt(r).asFloat(mutaties.fieldIndex(kBedrag)));
    }
    std::erase_if(sums, [](const auto& s) { return s.second == 0; });
    return sums;
}

} // namespace

TEST(GroupRules, whatARuleCatches)
{
    const struct
    {
        RuleField field;
        RuleKind kind;
        QString pattern;
        QString naam;
        bool caught;
    } cases[] = {
        {RuleField::Naam, RuleKind::BeginsWith, u"AH"_s, u"AH 1234"_s, true},
        {RuleField::Naam, RuleKind::BeginsWith, u"AH"_s, u"MAHLER"_s, false},
        {RuleField::Naam, RuleKind::Contains, u"AH"_s, u"MAHLER"_s, true},
        {RuleField::Naam, RuleKind::Equal, u"supermarkt"_s, u"SUPERMARKT 1"_s, false},
        {RuleField::Naam, RuleKind::BeginsWith, u"supermarkt"_s, u"SuperMarkt 1"_s, true},
        {RuleField::Naam, RuleKind::Equal, u" super  markt "_s, u"SUPER    MARKT"_s, true},
        {RuleField::Naam, RuleKind::BeginsWith, u"SUPERMARKT TO"_s, u"SUPERMARKT  TO GO"_s, true},
        {RuleField::Naam, RuleKind::Equal, u"café noël"_s, u"CAFÉ NOËL"_s, true},
        {RuleField::Naam, RuleKind::Pattern, u"^supermarkt \\d{4}$"_s, u"SUPERMARKT 5678"_s, true},
        {RuleField::Naam, RuleKind::Pattern, u"^supermarkt \\d{4}$"_s, u"SUPERMARKT TO GO"_s,
         false},
        {RuleField::Omschrijving, RuleKind::Contains, u"betaalhulp"_s, u"-"_s, true},
        {RuleField::Omschrijving, RuleKind::Contains, u"R9"_s, u"-"_s, false},
        {RuleField::Reknum, RuleKind::Equal, u"r9"_s, u"-"_s, true},
        {RuleField::Reknum, RuleKind::Equal, u"OMSCHR"_s, u"-"_s, false},
    };
    for (const auto& c : cases) {
        const GroupResolver resolver({rule(c.kind, c.pattern, u"G"_s, c.field)});
        const relations::GroupMatch m =
            resolver.match({c.naam, u"WEB BETAALHULP ORDER 7"_s, u"R9"_s});
        EXPECT_EQ(m.rule, c.caught ? 1 : 0)
            << c.pattern.toStdString() << " / " << c.naam.toStdString();
        EXPECT_EQ(m.group, c.caught ? u"G"_s : c.naam);
    }
}

TEST(GroupRules, firstActiveRuleWinsAndGroupsAreNotMatchedAgain)
{
    const GroupRule shop = rule(RuleKind::BeginsWith, u"SUPER"_s, u"WINKEL"_s);
    const GroupRule exact = rule(RuleKind::Equal, u"SUPERMARKT 1"_s, u"FILIAAL"_s);
    const GroupRule chain = rule(RuleKind::Equal, u"WINKEL"_s, u"KETEN"_s);
    GroupRule inactive = exact;
    inactive.active = false;
    const struct
    {
        std::vector<GroupRule> rules;
        QString group;
        int rule;
    } cases[] = {
        {{shop, exact}, u"WINKEL"_s, 1},    {{exact, shop}, u"FILIAAL"_s, 1}, // reordering flips it
        {{inactive, shop}, u"WINKEL"_s, 2}, {{shop, chain}, u"WINKEL"_s, 1},  // no chaining
        {{chain}, u"SUPERMARKT 1"_s, 0},
    };
    for (const auto& c : cases) {
        const GroupResolver resolver(c.rules);
        const relations::RuleTexts texts{u"SUPERMARKT 1"_s, u"X"_s, u"Y"_s};
        EXPECT_EQ(resolver.match(texts).group, c.group);
        EXPECT_EQ(resolver.match(texts).rule, c.rule);
        EXPECT_EQ(resolver.group(texts), c.group);
    }
}

TEST(GroupRules, badRulesAreRefusedWithAMessage)
{
    const QString forty(40, u'G');
    const struct
    {
        GroupRule rule;
        const char* message; // a part of it; empty: accepted
    } cases[] = {
        {rule(RuleKind::Equal, u"   "_s, u"G"_s), "patroon is leeg"},
        {rule(RuleKind::Pattern, u"SUPER("_s, u"G"_s), "geen geldige reguliere expressie"},
        {rule(RuleKind::Pattern, u"X*"_s, u"G"_s), "lege tekst"},
        {rule(RuleKind::Equal, u"X"_s, forty + u"H"_s), "41 tekens"},
        {rule(RuleKind::Equal, u"X"_s, u" "_s), "groepsnaam is leeg"},
        {rule(RuleKind::Equal, u"X"_s, forty), ""},
        {rule(RuleKind::Equal, u"\u0141\u00f3d\u017a"_s, u"G"_s), "niet kan bewaren"},
        {rule(RuleKind::Pattern, u"^X\\d+"_s, u"G"_s), ""},
        // Backtracking that blows up on some text of the pattern's own characters; the last
        // needs that text to hold its final character after the run it fails on.
        {rule(RuleKind::Pattern, u"(a|aa)+$"_s, u"G"_s), "te veel rekenwerk"},
        {rule(RuleKind::Pattern, u"((a+)+)+$"_s, u"G"_s), "te veel rekenwerk"},
        {rule(RuleKind::Pattern, u"(a|aa)+$|zz"_s, u"G"_s), "te veel rekenwerk"},
        {rule(RuleKind::Pattern, u"^(\\w+\\s?)+$"_s, u"G"_s), "te veel rekenwerk"},
        {rule(RuleKind::Pattern, u"(x+x+)+y"_s, u"G"_s), "te veel rekenwerk"},
        {rule(RuleKind::Pattern, u"(a|b|ab)*c"_s, u"G"_s), "te veel rekenwerk"},
        // Repetition that stays cheap, and blanks that a text in match form never repeats.
        {rule(RuleKind::Pattern, u"^supermarkt \\d{4}$"_s, u"G"_s), ""},
        {rule(RuleKind::Pattern, u"(ab|cd)+ef"_s, u"G"_s), ""},
        {rule(RuleKind::Pattern, u"termijn \\d+ van \\d+"_s, u"G"_s), ""},
        {rule(RuleKind::Pattern, u"x( +)+y"_s, u"G"_s), ""},
    };
    for (const auto& c : cases) {
        std::string message;
        try {
            relations::checkedRule(c.rule);
        } catch (const relations::GroupRuleError& error) {
            message = error.what();
        }
        EXPECT_NE(message.find(c.message), std::string::npos) << message;
        EXPECT_EQ(message.empty(), *c.message == 0) << message;
    }
    EXPECT_THROW(relations::parseField(u"datum"_s), relations::GroupRuleError);
    EXPECT_THROW(relations::parseKind(u"eindigt"_s), relations::GroupRuleError);
    EXPECT_EQ(relations::parseKind(u"Begint"_s), RuleKind::BeginsWith);
}

TEST(GroupRulesFile, savesLoadsUndoesAndSurvivesDamage)
{
    QTemporaryDir dir;
    GroupRule first =
        rule(RuleKind::BeginsWith, u"Café"_s, u"CAFÉ NOËL"_s, RuleField::Omschrijving);
    first.note = u"alle filialen"_s;
    first.active = false;
    const GroupRule second = rule(RuleKind::Pattern, u"^R\\d"_s, u"REK"_s, RuleField::Reknum);

    EXPECT_TRUE(relations::loadGroupRules(dir.path(), true).rules.empty());
    EXPECT_TRUE(relations::groupRulesApplied(dir.path(), {}));
    relations::saveGroupRules(dir.path(), {first, second});
    relations::LoadedRules loaded = relations::loadGroupRules(dir.path(), false);
    EXPECT_EQ(loaded.rules, (std::vector<GroupRule>{first, second}));
    EXPECT_TRUE(loaded.problems.isEmpty());
    EXPECT_FALSE(relations::groupRulesApplied(dir.path(), loaded.rules));
    relations::markGroupRulesApplied(dir.path(), loaded.rules);
    EXPECT_TRUE(relations::groupRulesApplied(dir.path(), loaded.rules));

    // A refused rule saves nothing.
    EXPECT_THROW(relations::saveGroupRules(dir.path(), {rule(RuleKind::Equal, {}, u"G"_s)}),
                 relations::GroupRuleError);
    relations::saveGroupRules(dir.path(), {second});
    relations::undoGroupRules(dir.path());
    EXPECT_EQ(relations::loadGroupRules(dir.path(), false).rules,
              (std::vector<GroupRule>{first, second}));
    relations::undoGroupRules(dir.path()); // undoes the undo
    EXPECT_EQ(relations::loadGroupRules(dir.path(), false).rules, std::vector<GroupRule>{second});

    QFile file(dir.filePath(u"relgroep.DBF"_s));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write("not a table");
    file.close();
    loaded = relations::loadGroupRules(dir.path(), true);
    EXPECT_TRUE(loaded.rules.empty());
    ASSERT_EQ(loaded.problems.size(), 1);
    EXPECT_TRUE(loaded.problems[0].contains(u"zonder groepen"_s));
}

TEST(GroupPasses, withoutRulesThePassesAndTheRebuildGiveTodaysTables)
{
    Tables plain, ruled, rebuilt;
    for (Tables* t : {&plain, &ruled, &rebuilt}) {
        addTransaction(*t, QDate(2010, 3, 1), u"SUPERMARKT 1"_s, -10.25);
        addTransaction(*t, QDate(2010, 3, 9), u"SUPERMARKT 1"_s, 100.0);
        addTransaction(*t, QDate(2011, 12, 31), u"Supermarkt 1"_s, -0.1);
        addTransaction(*t, QDate(2011, 1, 2), QString(), 3.3);
    }
    relations::completeRelations(*plain.mutaties, *plain.bedrijven);
    relations::fillMonthTotals(*plain.mutaties, *plain.bedrijven);
    const GroupResolver none;
    relations::completeRelations(*ruled.mutaties, *ruled.bedrijven, &none);
    relations::fillMonthTotals(*ruled.mutaties, *ruled.bedrijven, &none);
    EXPECT_EQ(relations::rebuildRelationYears(*rebuilt.mutaties, *rebuilt.bedrijven, none), 3);

    EXPECT_EQ(rows(*ruled.bedrijven), rows(*plain.bedrijven));
    EXPECT_EQ(rows(*rebuilt.bedrijven), rows(*plain.bedrijven));
}

TEST(GroupPasses, rebuildGroupsKeepsFlagsRemovesOrphansAndIsStable)
{
    Tables t;
    addTransaction(t, QDate(2010, 3, 1), u"SUPERMARKT 1234"_s, -10.25);
    addTransaction(t, QDate(2010, 3, 2), u"SUPERMARKT 5678"_s, -4.75);
    addTransaction(t, QDate(2010, 4, 2), u"SUPERMARKT TO GO 0012"_s, -1.5);
    addTransaction(t, QDate(2011, 5, 6), u"BAKKER"_s, -2.0, u"WEB BETAALHULP"_s);
    addTransaction(t, QDate(2011, 5, 7), u"HUUR"_s, -500.0);
    relations::completeRelations(*t.mutaties, *t.bedrijven);
    t.addRelationYear(u"OUD"_s, u"2009"_s);
    // The HUUR row is selected and stays; nothing reaches SUPERMARKT 1234 any more. OUD has no
    // transactions in its year: the rebuild cannot see its history and leaves it alone.
    ASSERT_TRUE(relations::zoekrelatiejaar(*t.bedrijven, u"HUUR"_s, u"2011"_s));
    t.bedrijven->edit();
    t.bedrijven->fieldByName(kSelect).setAsBoolean(true);
    t.bedrijven->post();

    const GroupResolver groups(
        {rule(RuleKind::BeginsWith, u"supermarkt"_s, u"SUPERMARKT"_s),
         rule(RuleKind::Contains, u"betaalhulp"_s, u"WEBWINKEL"_s, RuleField::Omschrijving)});
    const std::vector<relations::GroupChange> planned =
        relations::plannedGroupChanges(*t.mutaties, *t.bedrijven, groups);
    QStringList plan;
    for (const auto& c : planned)
        plan << u"%1 %2 %3 %4"_s.arg(c.jaar, c.group).arg(c.oldTotal).arg(c.newTotal);
    EXPECT_EQ(plan,
              (QStringList{u"2010 SUPERMARKT 0 -16.5"_s, u"2010 SUPERMARKT 1234 0 0"_s,
                           u"2010 SUPERMARKT 5678 0 0"_s, u"2010 SUPERMARKT TO GO 0012 0 0"_s,
                           u"2011 BAKKER 0 0"_s, u"2011 HUUR 0 -500"_s, u"2011 WEBWINKEL 0 -2"_s}));

    EXPECT_EQ(relations::rebuildRelationYears(*t.mutaties, *t.bedrijven, groups), 4);
    EXPECT_EQ(rows(*t.bedrijven),
              (QStringList{u"2011|HUUR|-|0|0|0|0|-500|0|0|0|0|0|0|0|T"_s,
                           u"2009|OUD|-|-|-|-|-|-|-|-|-|-|-|-|-|-"_s,
                           u"2010|SUPERMARKT|-|0|0|-15|-1.5|0|0|0|0|0|0|0|0|-"_s,
                           u"2011|WEBWINKEL|-|0|0|0|0|-2|0|0|0|0|0|0|0|-"_s}));
    EXPECT_EQ(sumsOfRows(*t.bedrijven), sumsOfTransactions(*t.mutaties));
    EXPECT_TRUE(relations::plannedGroupChanges(*t.mutaties, *t.bedrijven, groups).empty());

    // Rebuilding again writes nothing: the file stays byte for byte.
    QFile file(t.bedrijven->filePath());
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray before = file.readAll();
    relations::rebuildRelationYears(*t.mutaties, *t.bedrijven, groups);
    file.seek(0);
    EXPECT_EQ(file.readAll(), before);

    // The other passes use the group too; the transactions keep their names.
    relations::completeRelations(*t.mutaties, *t.bedrijven, &groups);
    relations::fillMonthTotals(*t.mutaties, *t.bedrijven, &groups);
    EXPECT_EQ(t.bedrijven->recordCount(), 4);
    EXPECT_EQ(sumsOfRows(*t.bedrijven), sumsOfTransactions(*t.mutaties));
    EXPECT_EQ(relations::transactionsChangingGroup(*t.mutaties, GroupResolver(), groups), 4);
}

TEST(GroupRules, statisticsShowShadowedRulesAndMergesJoinGroups)
{
    Tables t;
    addTransaction(t, QDate(2010, 1, 1), u"SUPERMARKT 1"_s, -1.0);
    addTransaction(t, QDate(2010, 1, 2), u"SUPERMARKT 1"_s, -2.0);
    addTransaction(t, QDate(2010, 1, 3), u"SUPERMARKT 2"_s, -3.0);
    addTransaction(t, QDate(2010, 1, 4), u"BAKKER"_s, -4.0);
    const std::vector<GroupRule> rules = {
        rule(RuleKind::BeginsWith, u"SUPER"_s, u"WINKEL"_s),
        rule(RuleKind::Equal, u"supermarkt 1"_s, u"FILIAAL"_s), // shadowed by rule 1
        rule(RuleKind::Equal, u"BAKKER"_s, u"BROOD"_s)};
    const auto statistics = relations::ruleStatistics(*t.mutaties, rules);
    ASSERT_EQ(statistics.size(), 3u);
    EXPECT_EQ(statistics[0].transactions, 3);
    EXPECT_EQ(statistics[0].names, (QStringList{u"SUPERMARKT 1"_s, u"SUPERMARKT 2"_s}));
    EXPECT_EQ(statistics[1].transactions, 0);
    EXPECT_EQ(statistics[1].takenEarlier, QStringList{u"SUPERMARKT 1"_s});
    EXPECT_EQ(statistics[2].transactions, 1);
    EXPECT_EQ(relations::transactionsCaughtBy(*t.mutaties, rules[1]).transactions, 2);

    const struct
    {
        const char16_t* naam;
        const char16_t* cut;
    } branches[] = {{u"SUPERMARKT 1234", u"SUPERMARKT"},
                    {u"DROGIST FRIS 0273 ", u"DROGIST FRIS"},
                    {u"SUPERMARKT TO GO 0012", u"SUPERMARKT TO GO"},
                    {u"1234", u"1234"},
                    {u"A2B", u"A2B"}};
    for (const auto& b : branches)
        EXPECT_EQ(relations::withoutBranchNumber(QString::fromUtf16(b.naam)),
                  QString::fromUtf16(b.cut));

    // Joining the group WINKEL and the name BAKKER: WINKEL's rule follows, BAKKER gets a rule
    // before BROOD's, and a name already joined gets no second rule.
    const std::vector<GroupRule> merged =
        relations::mergedRules(rules, {u"WINKEL"_s, u"BAKKER"_s, u"ALLES"_s}, u"ALLES"_s);
    ASSERT_EQ(merged.size(), 5u);
    EXPECT_EQ(merged[0], rule(RuleKind::Equal, u"WINKEL"_s, u"ALLES"_s));
    EXPECT_EQ(merged[1], rule(RuleKind::Equal, u"BAKKER"_s, u"ALLES"_s));
    EXPECT_EQ(merged[2].group, u"ALLES"_s);
    EXPECT_EQ(merged[3].group, u"FILIAAL"_s);
    EXPECT_EQ(GroupResolver(merged).match({u"BAKKER"_s, {}, {}}).group, u"ALLES"_s);
    EXPECT_EQ(relations::mergedRules(merged, {u"BAKKER"_s}, u"ALLES"_s), merged);
    EXPECT_THROW(relations::mergedRules(rules, {u"X"_s}, QString(41, u'G')),
                 relations::GroupRuleError);
}

namespace {

// The texts of one transaction, every field its own value; runs of blanks and mixed case on
// purpose.
const relations::RuleTexts kTexts{u"Super  Markt Noord 12"_s, u"BETALING pas  0042 termijn 3"_s,
                                  u"NL01KOLV0123456789"_s};

GroupRule inactive(GroupRule r)
{
    r.active = false;
    return r;
}

} // namespace

// Each kind on each field, the edges of the match form, and which rule decides when several
// match. Every case also runs on one shared resolver after all others (its memory per text must
// not change an answer), and allMatches(), which the dialog's counts use, must agree.
TEST(GroupMatcher, eachKindOnEachFieldAndWhichRuleDecides)
{
    using K = RuleKind;
    constexpr RuleField N = RuleField::Naam, O = RuleField::Omschrijving, R = RuleField::Reknum;
    const struct
    {
        std::vector<GroupRule> rules;
        int decides; // 1-based; 0: none
    } cases[] = {
        // Each kind on each field catches; the same pattern on another field does not.
        {{rule(K::Equal, u"super markt noord 12"_s, u"A"_s, N)}, 1},
        {{rule(K::Equal, u"super markt noord 12"_s, u"A"_s, O)}, 0},
        {{rule(K::Equal, u"betaling pas 0042 termijn 3"_s, u"A"_s, O)}, 1},
        {{rule(K::Equal, u"nl01kolv0123456789"_s, u"A"_s, R)}, 1},
        {{rule(K::Equal, u"nl01kolv0123456789"_s, u"A"_s, N)}, 0},
        {{rule(K::BeginsWith, u"SUPER MARKT"_s, u"A"_s, N)}, 1},
        {{rule(K::BeginsWith, u"betaling pas"_s, u"A"_s, O)}, 1},
        {{rule(K::BeginsWith, u"NL01"_s, u"A"_s, R)}, 1},
        {{rule(K::BeginsWith, u"NL01"_s, u"A"_s, O)}, 0},
        {{rule(K::BeginsWith, u"markt"_s, u"A"_s, N)}, 0},
        {{rule(K::Contains, u"markt noord"_s, u"A"_s, N)}, 1},
        {{rule(K::Contains, u"PAS 0042"_s, u"A"_s, O)}, 1},
        {{rule(K::Contains, u"kolv"_s, u"A"_s, R)}, 1},
        {{rule(K::Contains, u"kolv"_s, u"A"_s, N)}, 0},
        {{rule(K::Pattern, u"^super markt \\w+ \\d+$"_s, u"A"_s, N)}, 1},
        {{rule(K::Pattern, u"termijn \\d$"_s, u"A"_s, O)}, 1},
        {{rule(K::Pattern, u"^NL\\d\\dKOLV"_s, u"A"_s, R)}, 1},
        {{rule(K::Pattern, u"termijn \\d$"_s, u"A"_s, R)}, 0},
        // "Regel maken..." prefills "begint met" with the whole name: it catches the name.
        {{rule(K::BeginsWith, u"super markt noord 12"_s, u"A"_s, N)}, 1},
        {{rule(K::BeginsWith, u"super markt noord 123"_s, u"A"_s, N)}, 0},
        // Blanks and case count on neither side; a pattern spanning a run of blanks still finds.
        {{rule(K::Equal, u" SUPER   markt noord 12 "_s, u"A"_s, N)}, 1},
        {{rule(K::Contains, u"pas 0042"_s, u"A"_s, O)}, 1},
        {{rule(K::Equal, u"supermarkt noord 12"_s, u"A"_s, N)}, 0},
        // The same pattern twice: the first wins, whatever the kind.
        {{rule(K::Equal, u"super markt noord 12"_s, u"A"_s),
          rule(K::Equal, u"super markt noord 12"_s, u"B"_s)},
         1},
        {{rule(K::Contains, u"noord"_s, u"A"_s), rule(K::Contains, u"noord"_s, u"B"_s)}, 1},
        {{rule(K::BeginsWith, u"super"_s, u"A"_s),
          rule(K::Equal, u"super markt noord 12"_s, u"B"_s)},
         1},
        {{rule(K::Equal, u"super markt noord 12"_s, u"A"_s),
          rule(K::BeginsWith, u"super"_s, u"B"_s)},
         1},
        // A rule found through the text's automaton does not pass an earlier pattern or bevat.
        {{rule(K::Pattern, u"noord \\d+"_s, u"A"_s),
          rule(K::Equal, u"super markt noord 12"_s, u"B"_s)},
         1},
        {{rule(K::Contains, u"0042"_s, u"A"_s, O), rule(K::BeginsWith, u"super"_s, u"B"_s, N)}, 1},
        {{rule(K::Equal, u"nl01kolv0123456789"_s, u"A"_s, R),
          rule(K::Pattern, u"pas"_s, u"B"_s, O)},
         1},
        // A pattern whose plain piece is in the text but that does not match passes the turn.
        {{rule(K::Pattern, u"noord \\d{3}"_s, u"A"_s), rule(K::Contains, u"noord"_s, u"B"_s)}, 2},
        {{rule(K::Pattern, u"pas \\d+ termijn [4-9]"_s, u"A"_s, O),
          rule(K::Contains, u"termijn"_s, u"B"_s, O), rule(K::Equal, u"x"_s, u"C"_s)},
         2},
        // Several plain patterns ending inside one another ("markt" in "super markt").
        {{rule(K::Contains, u"markt noord 99"_s, u"A"_s), rule(K::Contains, u"rkt"_s, u"B"_s),
          rule(K::Contains, u"super"_s, u"C"_s)},
         2},
        // An earlier rule on Naam cuts the scan of the description short: what the scan found
        // then is no answer to remember for the description alone.
        {{rule(K::Equal, u"super markt noord 12"_s, u"A"_s, N),
          rule(K::Pattern, u"pas \\d+"_s, u"B"_s, O), rule(K::Contains, u"termijn"_s, u"C"_s, O)},
         1},
        // Inactive rules are skipped, also as the lower of two equal patterns.
        {{inactive(rule(K::Equal, u"super markt noord 12"_s, u"A"_s)),
          rule(K::Equal, u"super markt noord 12"_s, u"B"_s)},
         2},
        {{inactive(rule(K::Pattern, u"noord"_s, u"A"_s)), rule(K::Contains, u"kolv"_s, u"B"_s, R)},
         2},
        {{inactive(rule(K::Contains, u"noord"_s, u"A"_s))}, 0},
    };
    GroupResolver shared;
    {
        std::vector<GroupRule> all;
        for (const auto& c : cases)
            all.insert(all.end(), c.rules.begin(), c.rules.end());
        shared = GroupResolver(all);
    }
    for (const auto& c : cases) {
        const GroupResolver resolver(c.rules);
        const relations::GroupMatch m = resolver.match(kTexts);
        const QString expected =
            c.decides ? c.rules[std::size_t(c.decides - 1)].group : kTexts.naam;
        EXPECT_EQ(m.rule, c.decides) << c.rules.front().pattern.toStdString();
        EXPECT_EQ(m.group, expected);
        EXPECT_EQ(resolver.group(kTexts), expected);
        EXPECT_EQ(resolver.match(kTexts).rule, c.decides); // once more, from memory
        const std::vector<int> all = resolver.allMatches(kTexts);
        EXPECT_EQ(all.empty() ? 0 : all.front(), c.decides)
            << c.rules.front().pattern.toStdString();
        // The automaton with its transition table and with its edges searched agree.
        std::vector<relations::MatchRule> plain;
        for (const GroupRule& r : c.rules)
            plain.push_back({r.active, static_cast<int>(r.field), r.kind, r.pattern});
        const QString fields[] = {kTexts.naam, kTexts.omschrijving, kTexts.reknum};
        const relations::RuleMatcher searched(3, plain, 0);
        EXPECT_EQ(searched.first(fields), c.decides - 1);
        EXPECT_EQ(searched.all(fields), relations::RuleMatcher(3, plain).all(fields));
        // Each text alone, on a resolver that has seen other texts: the same answer.
        for (const relations::RuleTexts& texts :
             {relations::RuleTexts{kTexts.naam, {}, {}},
              relations::RuleTexts{{}, kTexts.omschrijving, {}},
              relations::RuleTexts{{}, {}, kTexts.reknum}, kTexts}) {
            const GroupResolver fresh(c.rules);
            EXPECT_EQ(resolver.match(texts).rule, fresh.match(texts).rule);
        }
    }
    // The shared resolver: its first matching rule is the first of all cases' matches.
    const std::vector<int> all = shared.allMatches(kTexts);
    ASSERT_FALSE(all.empty());
    EXPECT_EQ(shared.match(kTexts).rule, all.front());
    EXPECT_EQ(shared.match(kTexts).rule, 1);
}

TEST(GroupMatcher, requiredPiecesOfPatterns)
{
    // The match form: blanks collapsed and trimmed, case folded, also past ASCII.
    for (const QString& text : {u"\t Super\r\n  MARKT \v"_s, u"CAF\u00c9  No\u00cbL"_s,
                                u"a\u00a0\u00a0B"_s, QString(), u"  "_s, u"A\x1fB"_s})
        EXPECT_EQ(relations::matchForm(text), text.simplified().toCaseFolded())
            << text.toStdString();

    const struct
    {
        QString pattern;
        QString literal; // what every match contains; empty: none known
    } cases[] = {
        {u"^Supermarkt \\d+"_s, u"supermarkt "_s},
        {u"ab?cd"_s, u"cd"_s},
        {u"(a|b)xyz+"_s, u"xyz"_s},
        {u"x\\.y\\ z"_s, u"x.y z"_s},
        {u"abc{2}"_s, u"ab"_s},
        {u"a|bcd"_s, QString()},
        {u"(?-i)ABC"_s, QString()},
        {u"\\x41BC"_s, QString()},
        {u"caf\u00e9 noord"_s, u" noord"_s},
        {u"[abc]def[g]"_s, u"def"_s},
    };
    for (const auto& c : cases)
        EXPECT_EQ(relations::RulePattern::requiredLiteral(c.pattern), c.literal)
            << c.pattern.toStdString();
}

// A pattern from a hand-edited table that blows up gives up on the text, counts as not matching
// there, and says so once: which rule, which text.
TEST(GroupMatcher, aPatternThatGivesUpIsReported)
{
    GroupRule costly = rule(RuleKind::Pattern, u"(a|aa)+$|zz"_s, u"A"_s);
    EXPECT_THROW(relations::checkedRule(costly), relations::GroupRuleError);
    EXPECT_EQ(relations::checkedRule(costly, false).pattern, costly.pattern); // as when loading
    const GroupResolver resolver({costly, rule(RuleKind::Contains, u"zz"_s, u"ZZ"_s)});
    const QString naam = QString(40, u'a') + u"!zz"_s;
    EXPECT_EQ(resolver.match({u"bzz"_s, {}, {}}).rule, 1); // a short text still matches
    EXPECT_TRUE(resolver.giveUps().empty());
    EXPECT_TRUE(resolver.giveUpWarning().isEmpty());
    for (int pass = 0; pass < 2; ++pass) {
        EXPECT_EQ(resolver.match({naam, u"x"_s, u"y"_s}).rule, 2);
        EXPECT_EQ(resolver.allMatches({naam, u"x"_s, u"y"_s}), std::vector<int>{2});
    }
    ASSERT_EQ(resolver.giveUps().size(), 1u);
    EXPECT_EQ(resolver.giveUps()[0].rule, 1);
    EXPECT_EQ(resolver.giveUps()[0].text, naam);
    EXPECT_EQ(resolver.giveUpCount(), 1);
    EXPECT_TRUE(resolver.giveUpWarning().contains(u"regel 1"_s));
    EXPECT_TRUE(resolver.giveUpWarning().contains(naam));
    resolver.clearGiveUps();
    EXPECT_TRUE(resolver.giveUps().empty());
}

// The dialog's counts come from the resolver's own matcher: per rule, the transactions it
// decides are the ones match() gives it, for every kind on every field.
TEST(GroupMatcher, statisticsCountWhatTheResolverDecides)
{
    Tables t;
    addTransaction(t, QDate(2010, 1, 1), u"SUPERMARKT 1"_s, -1.0, u"PAS 0042"_s, u"R1"_s);
    addTransaction(t, QDate(2010, 1, 2), u"super  markt 2"_s, -2.0, u"IDEAL ORDER 7"_s, u"R2"_s);
    addTransaction(t, QDate(2010, 1, 3), u"BAKKER"_s, -3.0, u"termijn 3 van 12"_s, u"NL01KOLV9"_s);
    addTransaction(t, QDate(2010, 1, 4), u"DROGIST"_s, -4.0, u"PAS 0043"_s, u"R3"_s);
    addTransaction(t, QDate(2010, 1, 5), u"AAA"_s, -5.0, QString(40, u'a') + u"!zz"_s, u"R4"_s);
    const std::vector<GroupRule> rules = {
        rule(RuleKind::Pattern, u"(a|aa)+$|zz"_s, u"A"_s, RuleField::Omschrijving), // gives up
        rule(RuleKind::Contains, u"pas 004"_s, u"B"_s, RuleField::Omschrijving),
        rule(RuleKind::Equal, u"super markt 2"_s, u"C"_s),
        rule(RuleKind::BeginsWith, u"nl01"_s, u"D"_s, RuleField::Reknum),
        rule(RuleKind::Pattern, u"^termijn \\d+"_s, u"E"_s, RuleField::Omschrijving),
        rule(RuleKind::BeginsWith, u"SUPER"_s, u"F"_s),
        rule(RuleKind::Equal, u"r4"_s, u"G"_s, RuleField::Reknum),
    };
    const auto statistics = relations::ruleStatistics(*t.mutaties, rules);
    const GroupResolver resolver(rules);
    std::vector<int> decided(rules.size());
    const int naam = t.mutaties->fieldIndex(kNaam), omschr = t.mutaties->fieldIndex(kOmschrijving),
              reknum = t.mutaties->fieldIndex(kReknum);
    for (int r = 0; r < t.mutaties->recordCount(); ++r) {
        const dbase::RowView row = t.mutaties->rowAt(r);
        const int rule =
            resolver.match({row.asString(naam), row.asString(omschr), row.asString(reknum)}).rule;
        if (rule > 0)
            ++decided[std::size_t(rule - 1)];
    }
    ASSERT_EQ(statistics.size(), rules.size());
    for (std::size_t r = 0; r < rules.size(); ++r)
        EXPECT_EQ(statistics[r].transactions, decided[r]) << "rule " << r + 1;
    EXPECT_EQ(decided, (std::vector<int>{0, 2, 1, 1, 0, 0, 1}));
    EXPECT_EQ(statistics[5].takenEarlier, (QStringList{u"SUPERMARKT 1"_s, u"super  markt 2"_s}));
}
