#include "categories/own_accounts.h"
#include "relations/group_rule.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

using namespace Qt::StringLiterals;

TEST(OwnAccounts, whatIsAnAccountAndWhichReknumIsIt)
{
    const struct
    {
        QString text;
        QString stored; // empty: no account
    } accounts[] = {
        {u"nl18 fina 0000 0054 72"_s, u"NL18FINA0000005472"_s},
        {u"NL91ABNA0417164300"_s, u"NL91ABNA0417164300"_s},
        {u"NL92ABNA0417164300"_s, {}}, // check digits fail
        {u"GB82WEST12345698765432"_s, u"GB82WEST12345698765432"_s},
        {u"NO9386011117947"_s, u"NO9386011117947"_s},
        {u"NL18FINA000000547"_s, {}},
        {u"NL18-FINA0000005472"_s, {}},
        {u"78.55.86.657"_s, u"78.55.86.657"_s},
        {u" 881 152 107 "_s, u"881152107"_s},
        {u"5472"_s, u"5472"_s},
        {u"12345678901"_s, {}}, // eleven digits
        {u"0.000"_s, {}},
        {u"78..55"_s, {}},
        {u".5472"_s, {}},
        {u"5472."_s, {}},
        {u""_s, {}},
        {u"FINA0000005472"_s, {}},
    };
    for (const auto& c : accounts)
        EXPECT_EQ(categories::normalizedAccount(c.text).value_or(QString()), c.stored)
            << c.text.toStdString();

    const categories::OwnAccounts own({u"NL18FINA0000005472"_s, u"78.55.86.657"_s,
                                       u"GB82WEST12345698765432"_s, u"NO9386011117947"_s});
    const struct
    {
        QString reknum;
        bool own;
    } reknums[] = {
        {u"FINA0000005472"_s, true},
        {u"fina0000005472"_s, true},
        {u"5472"_s, true},
        {u"0000005472"_s, true},
        {u"785586657"_s, true},
        {u"0785586657"_s, true},
        {u"78.55.86.657"_s, true},
        {u"WEST12345698765"_s, true},
        {u"NO9386011117947"_s, true},
        {u"SPRB0785586657"_s, false},
        {u"FINA0000005473"_s, false},
        {u"54720"_s, false},
        {u""_s, false},
        {u"NL18FINA0000005472"_s, false},
    };
    for (const auto& c : reknums)
        EXPECT_EQ(own.matches(c.reknum), c.own) << c.reknum.toStdString();
    EXPECT_FALSE(categories::OwnAccounts().matches(u"5472"_s));
}

TEST(OwnAccounts, theListBesideTheTablesKeepsOrderSwitchAndRefusesWhatIsNoAccount)
{
    QTemporaryDir dir;
    const QString folder = dir.path();
    EXPECT_EQ(categories::loadOwnAccounts(folder), categories::OwnAccountSettings());
    EXPECT_TRUE(categories::loadOwnAccounts(folder).leaveOut);

    categories::addOwnAccount(folder, u"78.55.86.657"_s);
    categories::addOwnAccount(folder, u"nl18fina0000005472"_s);
    categories::addOwnAccount(folder, u"0785586657"_s); // the first again
    EXPECT_EQ(categories::loadOwnAccounts(folder).accounts,
              (QStringList{u"78.55.86.657"_s, u"NL18FINA0000005472"_s}));

    QFile file(categories::ownAccountsPath(folder));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray saved = file.readAll();
    file.close();
    for (const QString& bad : {u"NL19FINA0000005472"_s, u"abc"_s})
        EXPECT_THROW(categories::addOwnAccount(folder, bad), relations::GroupRuleError);
    EXPECT_THROW(categories::removeOwnAccount(folder, u"5473"_s), relations::GroupRuleError);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), saved);
    file.close();

    categories::removeOwnAccount(folder, u"785586657"_s);
    categories::OwnAccountSettings settings = categories::loadOwnAccounts(folder);
    EXPECT_EQ(settings.accounts, QStringList{u"NL18FINA0000005472"_s});
    settings.leaveOut = false;
    categories::saveOwnAccounts(folder, settings);
    EXPECT_EQ(categories::loadOwnAccounts(folder), settings);

    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write("weglaten=ja\nNL18FINA0000005472\nkapot\n");
    file.close();
    EXPECT_THROW(categories::loadOwnAccounts(folder), relations::GroupRuleError);
}
