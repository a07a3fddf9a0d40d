#pragma once

#include <QDate>
#include <QString>

namespace import {

// A transaction as the import stores it in mutaties: texts trimmed, amount in whole cents.
struct Transaction
{
    QDate date;
    double amount = 0;
    QString kind; // "3" to "7"
    QString code;
    QString relation;
    QString description;
};

} // namespace import
