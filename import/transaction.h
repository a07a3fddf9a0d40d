#pragma once

#include <QDate>
#include <QString>
#include <optional>

namespace import {

// The account's balance before and after a line, in whole cents, as the bank wrote them.
struct Balances
{
    double before = 0;
    double after = 0;
    bool operator==(const Balances& other) const = default;
};

// A transaction as the import stores it in mutaties: texts trimmed, amount in whole cents.
struct Transaction
{
    QDate date;
    double amount = 0;
    QString kind; // "3" to "7"
    QString code;
    QString relation;
    QString description;
    std::optional<Balances> balances; // empty when the line has none that read as numbers
};

} // namespace import
