#pragma once

#include "viewlogic/filter/filter_field.h"

#include <vector>

// The filter rows of the main window's pages, shared with kolvaro-cli so that both filter alike.
namespace views::filter {

// The transactions page over mutaties: a date range, a kind range, and a part of the relation
// or of the description.
std::vector<FilterField> transactionRowFields();
enum TransactionLine
{
    kDatumLine,
    kSoortLine,
    kRelatieLine,
    kOmschrijvingLine
};

// The relations page over bedrijven: the beginning of the year and a part of the name.
std::vector<FilterField> relationRowFields();
enum RelationLine
{
    kJaarLine,
    kNaamLine
};

// The month-totals page over bedrijven: the beginning of the year (line kJaarLine).
std::vector<FilterField> monthTotalRowFields();

} // namespace views::filter
