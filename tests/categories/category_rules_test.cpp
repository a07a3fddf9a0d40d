#include "categories/category_resolver.h"
#include "categories/category_rules_file.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <map>

using namespace Qt::StringLiterals;
using categories::CategoryField;
using categories::CategoryRule;
using relations::RuleKind;

namespace {

CategoryRule rule(CategoryField field, RuleKind kind, const QString& pattern,
                  const QString& category, bool active = true)
{
    CategoryRule r;
    r.active = active;
    r.field = field;
    r.kind = kind;
    r.pattern = pattern;
    r.category = category;
    return r;
}

std::map<QString, QByteArray> filesOf(const QString& folder)
{
    std::map<QString, QByteArray> files;
    const QDir dir(folder);
    for (const QString& name : dir.entryList(QDir::Files)) {
        QFile file(dir.filePath(name));
        EXPECT_TRUE(file.open(QIODevice::ReadOnly));
        files[name] = file.readAll();
    }
    return files;
}

} // namespace

TEST(CategoryRules, badRulesAreRefusedWithAMessage)
{
    const struct
    {
        CategoryRule rule;
        const char* message; // empty: accepted
    } cases[] = {
        {rule(CategoryField::Naam, RuleKind::Equal, u"  super   markt "_s, u" Boodschappen "_s),
         ""},
        {rule(CategoryField::Naam, RuleKind::Equal, u"  "_s, u"Wonen"_s), "patroon is leeg"},
        {rule(CategoryField::Omschrijving, RuleKind::Pattern, u"a*"_s, u"Wonen"_s), "lege tekst"},
        {rule(CategoryField::Reknum, RuleKind::Pattern, u"(x"_s, u"Wonen"_s),
         "geen geldige reguliere expressie"},
        {rule(CategoryField::Groep, RuleKind::Pattern, u"(a|aa)+$"_s, u"Wonen"_s),
         "te veel rekenwerk"},
        {rule(CategoryField::Groep, RuleKind::Contains, u"x"_s, QString(31, u'w')),
         "31 tekens lang"},
        {rule(CategoryField::Groep, RuleKind::Contains, u"x"_s, QString(30, u'w')), ""},
        {rule(CategoryField::Groep, RuleKind::Contains, u"x"_s, u"Wonen ☂"_s), "niet kan bewaren"},
        {rule(CategoryField::Groep, RuleKind::Contains, u"x"_s, u"  "_s), "rubriek is leeg"},
        {rule(CategoryField::Groep, RuleKind::Contains, u"x"_s, u"overig"_s), "bestaat al vast"},
        {rule(CategoryField::Groep, RuleKind::Contains, u"x"_s, u"Eigen  rekening"_s),
         "bestaat al vast"},
    };
    for (const auto& c : cases) {
        const QString message = QString::fromUtf8(c.message);
        try {
            const CategoryRule checked = categories::checkedRule(c.rule);
            EXPECT_TRUE(message.isEmpty()) << c.rule.category.toStdString();
            EXPECT_EQ(checked.pattern, c.rule.pattern.simplified());
            EXPECT_EQ(checked.category, c.rule.category.simplified());
        } catch (const relations::GroupRuleError& error) {
            EXPECT_TRUE(QString::fromUtf8(error.what()).contains(message) && !message.isEmpty())
                << error.what();
        }
    }
    for (const QString& name : categories::fieldNames())
        EXPECT_EQ(categories::fieldName(categories::parseField(name.toUpper())), name);
    EXPECT_THROW(categories::parseField(u"Bedrag"_s), relations::GroupRuleError);
}

TEST(CategoryResolver, ownAccountFirstThenFirstActiveRuleOnItsOwnField)
{
    const std::vector<CategoryRule> rules = {
        rule(CategoryField::Naam, RuleKind::Contains, u"markt"_s, u"Uit"_s, false),
        rule(CategoryField::Groep, RuleKind::Equal, u"supermarkten"_s, u"Boodschappen"_s),
        rule(CategoryField::Omschrijving, RuleKind::BeginsWith, u"huur"_s, u"Wonen"_s),
        rule(CategoryField::Reknum, RuleKind::Pattern, u"^FINA0+5472$"_s, u"Sparen"_s),
        rule(CategoryField::Naam, RuleKind::Contains, u"markt"_s, u"Markt"_s),
    };
    const categories::CategoryResolver resolver(rules,
                                                categories::OwnAccounts({u"NL18FINA0000005472"_s}));
    const struct
    {
        categories::CategoryTexts texts; // groep, naam, omschrijving, reknum
        QString category;
        int rule;
        std::vector<int> all;
    } cases[] = {
        {{u"SUPERMARKTEN"_s, u"SUPERMARKT 12"_s, u"HUUR MEI"_s, u"FINA0000005472"_s},
         u"Eigen rekening"_s,
         0,
         {2, 3, 4, 5}},
        {{u"SUPERMARKTEN"_s, u"SUPERMARKT 12"_s, u"HUUR MEI"_s, u"FINA0000009999"_s},
         u"Boodschappen"_s,
         2,
         {2, 3, 5}},
        {{u"SUPERMARKT 12"_s, u"SUPERMARKT 12"_s, u"PAS 3 HUUR"_s, u"R7"_s}, u"Markt"_s, 5, {5}},
        {{u"HUUR"_s, u"HUUR"_s, u"MEI"_s, u"R7"_s}, u"Overig"_s, 0, {}},
    };
    for (const auto& c : cases) {
        const categories::CategoryMatch match = resolver.match(c.texts);
        EXPECT_EQ(match.category, c.category) << c.texts.reknum.toStdString();
        EXPECT_EQ(match.rule, c.rule);
        EXPECT_EQ(match.ownAccount, c.category == categories::kEigenRekening);
        EXPECT_EQ(resolver.allMatches(c.texts), c.all);
    }
    const categories::CategoryTexts texts{u"G"_s, u"N"_s, u"huur juni"_s, u"R8"_s};
    EXPECT_EQ(categories::whyText(resolver.match(texts), texts, rules),
              u"Regel 3: Omschrijving begint met \"huur\" → Wonen"_s);
    const categories::CategoryTexts own{u"G"_s, u"N"_s, u"O"_s, u"FINA0000005472"_s};
    EXPECT_TRUE(categories::whyText(resolver.match(own), own, rules).contains(u"FINA0000005472"_s));
    EXPECT_EQ(categories::whyText({u"Overig"_s, 0, false}, texts, rules), u"geen regel: Overig"_s);
}

TEST(CategoryRulesFile, undoIsExactRefusalsSaveNothingDamageIsNeverOverwritten)
{
    QTemporaryDir dir;
    const QString folder = dir.path();
    CategoryRule first =
        rule(CategoryField::Omschrijving, RuleKind::BeginsWith, u"Café"_s, u"Uit eten"_s, false);
    first.note = u"alle filialen"_s;
    const CategoryRule second =
        rule(CategoryField::Reknum, RuleKind::Pattern, u"^R\\d"_s, u"Vaste lasten"_s);
    const CategoryRule third =
        rule(CategoryField::Groep, RuleKind::Contains, u"markt"_s, u"Boodschappen"_s);

    EXPECT_TRUE(categories::loadCategoryRules(folder, true).rules.empty());
    EXPECT_FALSE(categories::canUndoCategoryRules(folder));
    categories::saveCategoryRules(folder, {first, second});
    categories::saveCategoryRules(folder, {third});
    EXPECT_EQ(categories::previousCategoryRules(folder),
              (std::vector<CategoryRule>{first, second}));
    categories::undoCategoryRules(folder);
    categories::LoadedCategoryRules loaded = categories::loadCategoryRules(folder, false);
    EXPECT_EQ(loaded.rules, (std::vector<CategoryRule>{first, second}));
    EXPECT_FALSE(loaded.damaged());
    categories::undoCategoryRules(folder); // undoes the undo
    EXPECT_EQ(categories::loadCategoryRules(folder, false).rules, std::vector<CategoryRule>{third});

    auto before = filesOf(folder);
    EXPECT_THROW(categories::saveCategoryRules(
                     folder, {third, rule(CategoryField::Naam, RuleKind::Equal, u"x"_s, {})}),
                 relations::GroupRuleError);
    EXPECT_EQ(filesOf(folder), before);

    QFile table(QDir(folder).filePath(u"rubriek.DBF"_s));
    ASSERT_TRUE(table.open(QIODevice::WriteOnly | QIODevice::Truncate));
    table.write("not a table");
    table.close();
    before = filesOf(folder);
    loaded = categories::loadCategoryRules(folder, true);
    EXPECT_TRUE(loaded.rules.empty());
    ASSERT_EQ(loaded.problems.size(), 1);
    EXPECT_TRUE(loaded.problems[0].contains(u"zonder rubrieken"_s));
    EXPECT_THROW(categories::requireReadableCategoryRules(loaded), relations::GroupRuleError);
    EXPECT_THROW(categories::saveCategoryRules(folder, {third}), relations::GroupRuleError);
    EXPECT_EQ(filesOf(folder), before);
}
