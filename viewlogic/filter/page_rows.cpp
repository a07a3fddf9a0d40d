#include "viewlogic/filter/page_rows.h"

#include "store/table_names.h"

using namespace Qt::StringLiterals;

namespace views::filter {

namespace n = store::names;

namespace {

FilterField line(const QString& field, const QString& label, int width, Count count,
                 Compare compare)
{
    return FilterField(field)
        .setDisplayLabel(label)
        .setDisplayWidth(width)
        .setCount(count)
        .setCompare(compare)
        .setCaseInsensitive(true);
}

} // namespace

std::vector<FilterField> transactionRowFields()
{
    return {line(n::kDatum, u"datum"_s, 0, Count::coTwo, Compare::ctExact),
            line(n::kSoort, u"Soort"_s, 5, Count::coTwo, Compare::ctExact),
            line(n::kNaam, u"Relatie"_s, 30, Count::coOne, Compare::ctInternal),
            line(n::kOmschrijving, u"Omschrijving"_s, 40, Count::coOne, Compare::ctInternal)};
}

std::vector<FilterField> relationRowFields()
{
    return {line(n::kJaar, u"jaar"_s, 0, Count::coOne, Compare::ctInitial),
            line(n::kNaam, u"Naam"_s, 30, Count::coOne, Compare::ctInternal)};
}

std::vector<FilterField> monthTotalRowFields()
{
    return {line(n::kJaar, u"jaar"_s, 0, Count::coOne, Compare::ctInitial)};
}

} // namespace views::filter
