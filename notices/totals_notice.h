#pragma once

#include <QString>
#include <QStringList>
#include <stdexcept>

namespace dbase {
class Table;
}

namespace notices {

// A file of the notice that could not be read or written; what() is the user's (Dutch) text.
class NoticeError : public std::runtime_error
{
public:
    explicit NoticeError(const QString& text) : std::runtime_error(text.toStdString()) {}
};

// What the user still has to run before the totals of bedrijven describe the stored
// transactions, in the order the steps must run. A later step (filling the months) is only done
// once every earlier one is: months filled before the relations were completed leave the new
// rows empty.
enum class TotalsStep
{
    CompleteRelations, // "Aanvullen relaties"
    FillMonths,        // "Vul per maand"
};

// The "totals are stale" fact, kept beside the tables (so that it survives a restart and a copy
// of the folder) in a small file of its own, rewritten whole at every change: a half-written
// file is never left behind. No file means nothing is due.
class TotalsNotice
{
public:
    static inline const QString kFileName = QStringLiteral("totalen.txt");

    // Reads the file of the folder (ending in a path separator or not); throws NoticeError when
    // it exists but cannot be read.
    explicit TotalsNotice(const QString& tablesFolder);

    bool due(TotalsStep step) const;
    bool anyDue() const;

    // The totals lack a change of the tables: `first` and every later step are due. After an
    // import or an emptying both passes are asked for, as the user runs them: the rows first,
    // then their months. Saves when something changed; throws NoticeError when the file cannot
    // be written.
    void markDue(TotalsStep first);
    // A step ran over every row of both tables: it is done unless an earlier step is still due.
    // Saves when something changed. Throws NoticeError when the file cannot be written.
    void stepRan(TotalsStep step);

private:
    void save();

    QString m_path;
    QStringList m_due; // the keys of the steps due, and unknown keys of a later version, kept
};

// Whether a pass over these tables saw every stored row (no filter in force on either).
bool passSeesEveryRow(const dbase::Table& mutaties, const dbase::Table& bedrijven);

} // namespace notices
