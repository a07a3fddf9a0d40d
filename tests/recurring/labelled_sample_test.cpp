// Detection over generated files whose recurring items are known: every planted item found with
// its rhythm, its rise and its end, everyday shops left alone.
#include "pipeline/file_import.h"
#include "recurring/fixed_costs.h"
#include "sample/planted_items.h"
#include "sample/sample_tab.h"

#include <gtest/gtest.h>

#include <QDebug>
#include <QFile>
#include <QTemporaryDir>

#include <algorithm>

namespace {

int months(recurring::Rhythm rhythm)
{
    return recurring::rhythmMonths(rhythm);
}

recurring::ItemStatus expectedStatus(const sample::PlantedItem& planted)
{
    if (planted.ended)
        return recurring::ItemStatus::Stopped;
    return planted.variable ? recurring::ItemStatus::Variable : recurring::ItemStatus::Running;
}

TEST(LabelledSampleTest, plantedItemsAreFoundAndShopsAreNot)
{
    const struct
    {
        quint64 seed;
        int lines;
        int gaps;
    } cases[] = {{11, 4000, 0}, {12, 6000, 0}, {13, 3000, 2}};
    int planted = 0, found = 0, reported = 0, rises = 0;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.seed);
        sample::SampleOptions options;
        options.seed = c.seed;
        options.lines = c.lines;
        options.years = 3;
        options.gaps = c.gaps;
        QTemporaryDir dir;
        QFile file(dir.filePath(QStringLiteral("bank.tab")));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        sample::writeSampleTab(
            options, [&](QByteArrayView bytes) { file.write(bytes.data(), bytes.size()); });
        file.close();

        store::TDataModule1 data;
        data.setTablesFolder(dir.filePath(QStringLiteral("tabellen")));
        data.openTables();
        const relations::GroupResolver groups;
        pipeline::FileImport(data, groups).run(file.fileName(), [](const auto&) {
            return std::optional<QString>(QString());
        });
        const recurring::FixedCosts costs = recurring::fixedCosts(data, std::nullopt, false);
        data.closeAll();

        const std::vector<sample::PlantedItem> items = sample::plantedItems(options);
        // What the file must hold to be a fair test: every rhythm, variable bills, ended
        // subscriptions, and a rise in every fixed item.
        const auto count = [&](auto test) {
            return std::count_if(items.begin(), items.end(), test);
        };
        ASSERT_GE(count([](const auto& p) { return p.months == 1 && !p.variable; }), 12);
        ASSERT_GE(count([](const auto& p) { return p.months == 3; }), 3);
        ASSERT_GE(count([](const auto& p) { return p.months == 12; }), 2);
        ASSERT_GE(count([](const auto& p) { return p.variable; }), 2);
        ASSERT_GE(count([](const auto& p) { return p.ended; }), 2);
        ASSERT_GE(count([](const auto& p) { return p.income; }), 2);
        ASSERT_EQ(count([](const auto& p) { return !p.variable && !p.riseDate.isValid(); }), 0);
        std::vector<std::string> unexpected;
        std::vector<bool> seen(items.size(), false);
        for (const recurring::RecurringItem& item : costs.items) {
            const auto match = std::find_if(items.begin(), items.end(), [&](const auto& p) {
                return p.name == item.relation && p.months == months(item.rhythm) &&
                       p.income == item.income;
            });
            if (match == items.end()) {
                unexpected.push_back(item.key.toStdString());
                continue;
            }
            ++found;
            seen[std::size_t(match - items.begin())] = true;
            SCOPED_TRACE(item.key.toStdString());
            EXPECT_EQ(item.status, expectedStatus(*match));
            EXPECT_EQ(item.last, match->last);
            EXPECT_EQ(item.payments.size(), std::size_t(match->payments));
            EXPECT_EQ(item.rise.has_value(), match->riseDate.isValid());
            if (item.rise && match->riseDate.isValid()) {
                ++rises;
                EXPECT_EQ(item.rise->date, match->riseDate);
                EXPECT_EQ(item.rise->oldCents, match->oldCents);
                EXPECT_EQ(item.rise->newCents, match->newCents);
            }
        }
        planted += int(items.size());
        reported += int(costs.items.size());
        for (std::size_t i = 0; i < items.size(); ++i)
            EXPECT_TRUE(seen[i]) << "not found: " << items[i].name.toStdString();
        EXPECT_LE(unexpected.size(), 1u) << ::testing::PrintToString(unexpected);
    }
    qInfo("recall %d/%d = %.3f, precision %d/%d = %.3f, rises on their first payment %d", found,
          planted, double(found) / planted, found, reported, double(found) / reported, rises);
}

} // namespace
