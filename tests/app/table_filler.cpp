#include "tests/app/table_filler.h"

#include "store/data_module.h"
#include "store/dbase/alias_config.h"
#include "store/dbase/table.h"
#include "store/dbase/update_blocker.h"
#include "store/table_names.h"
#include "tests/support/relation_year.h"

#include <QDir>
#include <QStringList>
#include <random>

namespace filler {

namespace n = store::names;

namespace {

const QStringList& names()
{
    static const QStringList pool = {QStringLiteral("BUURTWINKELS 1234"),
                                     QStringLiteral("BELASTINGDIENST"),
                                     QStringLiteral("KOLVARO"),
                                     QStringLiteral("ENERGIE ZAKELIJK"),
                                     QStringLiteral("GEMEENTE UTRECHT"),
                                     QStringLiteral("DAGVERS SUPERMARKT"),
                                     QStringLiteral("SPOOR REIZIGERS"),
                                     QStringLiteral("KABELNET SERVICES BV"),
                                     QStringLiteral("CAF\u00c9 DE BEURS"),
                                     QStringLiteral("WERKGEVER SALARIS")};
    return pool;
}

} // namespace

void addTransactions(dbase::Table& mutaties, int count, unsigned seed)
{
    std::mt19937 random(seed);
    std::uniform_int_distribution<int> day(0, 3 * 365), kind(3, 7), cents(-250000, 350000);
    std::uniform_int_distribution<int> who(0, int(names().size()) - 1);
    const QDate start(2010, 1, 1);
    dbase::UpdateBlocker blocker(mutaties);
    for (int i = 0; i < count; ++i) {
        const QString name = names()[who(random)];
        mutaties.append();
        mutaties.fieldByName(n::kDatum).setAsDate(start.addDays(day(random)));
        mutaties.fieldByName(n::kSoort).setAsInteger(kind(random));
        mutaties.fieldByName(n::kNaam).setAsString(name);
        mutaties.fieldByName(n::kOmschrijving)
            .setAsString(QStringLiteral("%1 betaling %2 omschrijving").arg(name).arg(i));
        mutaties.fieldByName(n::kReknum).setAsString(QString::number(100000 + i));
        mutaties.fieldByName(n::kBedrag).setAsFloat(cents(random) / 100.0);
        mutaties.post();
    }
}

void addRelationYears(dbase::Table& bedrijven, int count, unsigned seed)
{
    std::mt19937 random(seed);
    std::uniform_int_distribution<int> cents(-150000, 150000), zero(0, 3);
    dbase::UpdateBlocker blocker(bedrijven);
    for (int i = 0; i < count; ++i) {
        testsupport::RelationYear row{
            QStringLiteral("%1 %2").arg(names()[i % names().size()]).arg(i / 3),
            QString::number(2010 + i % 3)};
        if (i % 7 != 6) // some rows as the import leaves them: months and flag empty
            for (int m = 0; m < 12; ++m)
                row.months[m] = zero(random) == 0 ? 0.0 : cents(random) / 100.0;
        if (i % 5 == 0)
            row.select = true;
        testsupport::addRelationYear(bedrijven, row);
    }
}

void fillFolder(const QString& folder, int transactions, int relationYears)
{
    store::TDataModule1 data;
    data.setTablesFolder(folder);
    data.T1.open();
    data.T2.open();
    addTransactions(data.T1, transactions);
    addRelationYears(data.T2, relationYears);
    data.closeAll();
}

void pointAliasAt(const QString& home, const QString& tables)
{
    qputenv("HOME", home.toUtf8());
    qputenv("KOLVARO_ENGINE_CONFIG", QDir(home).filePath(QStringLiteral("engine.ini")).toUtf8());
    dbase::AliasConfig config;
    config.setConfigMode(dbase::AliasConfig::Mode::Persistent);
    config.addStandardAlias(n::kAlias, tables, QStringLiteral("DBASE"));
    config.saveConfig();
}

} // namespace filler
