#pragma once

#include <QDate>
#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

namespace recurring {

enum class Rhythm
{
    Month,
    Quarter,
    HalfYear,
    Year
};
enum class ItemStatus
{
    Running,
    Stopped,
    Variable
};

// "maand", "kwartaal", "halfjaar", "jaar".
QString rhythmName(Rhythm rhythm);
// "loopt", "gestopt", "wisselend".
QString statusName(ItemStatus status);
// The months one period of the rhythm spans.
int rhythmMonths(Rhythm rhythm);
// The key of the items of one counterparty (e.g. "groep:Huur" or "reknum:NL01BANK0123456789"),
// rhythm and direction: "groep:Huur|maand|af".
QString itemKey(const QString& counterparty, Rhythm rhythm, bool income);

// One stored transaction as detection sees it.
struct Payment
{
    // The record number in mutaties (a dbase::Bookmark while the table stays open), for showing
    // the item's transactions; -1 when the payment does not come from a table.
    int record = -1;
    QDate date;
    qint64 cents = 0; // signed: negative is money going out
    QString group;    // the relation group
    QString reknum;   // the counterparty's account or creditor id, may be empty
    int kind = 0;     // Soort (store::kinds), 0 when not known
};

// The first payment at a changed amount that stayed changed.
struct PriceRise
{
    QDate date;
    qint64 oldCents = 0; // signed, the payment just before
    qint64 newCents = 0; // signed, the first changed payment
    double percent = 0;  // change of the absolute amount, in %
};

struct RecurringItem
{
    // Stable identity for "Niet vast": counterparty, rhythm and direction only, so that it
    // survives re-detection, imports and restarts (e.g. "groep:Huur|maand|af").
    QString key;
    QString relation; // the relation group of its latest payment
    Rhythm rhythm = Rhythm::Month;
    bool income = false; // positive amounts
    ItemStatus status = ItemStatus::Running;
    qint64 lastCents = 0; // signed amount of the latest payment
    // What one period costs or brings: the latest amount, for a variable item the mean of its
    // payments of the last year.
    qint64 typicalCents = 0;
    QDate last;
    QDate next; // next expected payment
    std::optional<PriceRise> rise;
    std::vector<Payment> payments; // in date order
    bool hidden = false;           // marked "Niet vast" by the user

    // typicalCents brought to a month: a quarterly -9000 is -3000.
    qint64 perMonthCents() const;
    // Every key the item may have been hidden under: its own, and the same rhythm and direction
    // for each relation group and reknum of its payments (a counterparty that changed its name,
    // or whose payments were found per reknum only after a new name came in).
    QStringList identityKeys() const;
};

} // namespace recurring
