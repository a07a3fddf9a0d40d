#pragma once

#include <QSet>
#include <QString>
#include <QStringList>
#include <optional>

// The user's own accounts ("Eigen rekeningen"): transfers between them are no income or
// expense.
namespace categories {

// The stored form of an account: no spaces, upper case (an account number keeps its dots as
// typed, without spaces); nullopt when the text is no account (an IBAN whose check digits fail,
// or neither an IBAN nor a bank account number of 1 to 10 digits, not all zeros).
std::optional<QString> normalizedAccount(const QString& text);

class OwnAccounts
{
public:
    OwnAccounts() = default;
    explicit OwnAccounts(QStringList accounts); // stored forms

    const QStringList& accounts() const { return m_accounts; }
    bool isEmpty() const { return m_accounts.isEmpty(); }
    // Whether a transaction's reknum (as the import stores it: an IBAN without country code and
    // check digits, cut to 15; or an old account number with or without dots) is one of them.
    bool matches(const QString& reknum) const;

private:
    QStringList m_accounts;
    QSet<QString> m_keys; // the forms reknum can take, as reknumKey gives them
};

// The form of a reknum (or of an own account) in which equal accounts compare equal.
QString reknumKey(const QString& reknum);

// The switch "Overboekingen naar eigen rekeningen weglaten" and the accounts in the order added.
struct OwnAccountSettings
{
    QStringList accounts;
    bool leaveOut = true;
    bool operator==(const OwnAccountSettings&) const = default;
};

// Missing file: no accounts, switch on. Throws GroupRuleError when the file cannot be read.
OwnAccountSettings loadOwnAccounts(const QString& folder);
// Replaces the file whole. Throws GroupRuleError when it cannot be written.
void saveOwnAccounts(const QString& folder, const OwnAccountSettings& settings);
// Throws GroupRuleError ("… is geen rekeningnummer") for a text that is no account; an account
// already listed leaves the file as it is.
void addOwnAccount(const QString& folder, const QString& text);
// Throws GroupRuleError when the account is not in the list.
void removeOwnAccount(const QString& folder, const QString& text);

// The file beside the tables that holds them.
QString ownAccountsPath(const QString& folder);

} // namespace categories
