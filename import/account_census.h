#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <vector>

namespace import {

// The bank's download puts every account the user picked in one file, field 1 naming the
// account of each line. Reading two accounts into one table would count every transfer between
// them twice, so a file of several accounts is read one account at a time.
struct AccountLines
{
    QString account;
    int lines = 0;
};

// The accounts of the transaction lines (those with at least seven tabs) of a TAB file, in the
// order they first occur, as far as the file can be read: where it cannot, the import itself
// reports the failure.
std::vector<AccountLines> accountsInFile(const QString& path);

// True for a transaction line whose account is not `account`. Lines that are no transaction
// (fewer than seven tabs) belong to no account: the import reads them, and reports them, as ever.
bool isOtherAccount(QByteArrayView line, const QString& account);

// "123456789 (12 regels)": an account as the question and the CLI's message list it.
QString accountLabel(const AccountLines& account);

} // namespace import
