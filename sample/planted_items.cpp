#include "sample/planted_items.h"

#include "sample/sample_plan.h"

#include <algorithm>

namespace sample {

std::vector<PlantedItem> plantedItems(const SampleOptions& options)
{
    // The file's own steps, up to its plan: the same seed gives the same draws.
    Random random(options.seed);
    const Counterparties parties(random);
    const std::vector<StandingOrder> orders = makeStandingOrders(random);
    const std::vector<Slot> plan = schedule(options, orders, plannedCounts(options).unique, random);
    const std::vector<Gap> gaps = chooseGaps(plan, periodDays(options), options.gaps, options.seed);

    const QDate first(options.startYear, 1, 1);
    QDate end = first; // the file's last date, from which its items are seen
    std::vector<std::vector<const Slot*>> kept(orders.size());
    for (const Slot& slot : plan) {
        if (inGap(gaps, slot.day))
            continue;
        end = std::max(end, first.addDays(slot.day));
        if (slot.source >= 0)
            kept[std::size_t(slot.source)].push_back(&slot);
    }

    std::vector<PlantedItem> items;
    for (std::size_t i = 0; i < orders.size(); ++i) {
        const std::vector<const Slot*>& lines = kept[i];
        if (lines.size() < 2)
            continue;
        const StandingOrder& order = orders[i];
        PlantedItem item;
        item.name = order.party.name.trimmed();
        item.months = order.months;
        item.income = order.party.sign > 0;
        item.variable = order.swingPercent > 0;
        item.payments = int(lines.size());
        item.last = first.addDays(lines.back()->day);
        // Overdue by more than half its rhythm on the file's last date: ended.
        item.ended = item.last.addMonths(order.months).addDays(order.months * 365 / 24) < end;
        for (std::size_t k = 1; k < lines.size() && !item.variable; ++k)
            if (lines[k]->cents != lines[k - 1]->cents) {
                item.riseDate = first.addDays(lines[k]->day);
                item.oldCents = lines[k - 1]->cents;
                item.newCents = lines[k]->cents;
                break;
            }
        items.push_back(item);
    }
    return items;
}

} // namespace sample
