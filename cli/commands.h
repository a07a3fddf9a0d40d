#pragma once

#include <QString>
#include <QStringList>

// The commands of kolvaro-cli. Each returns the exit status: 0 done, 1 failure (message on
// stderr), 2 bad usage. `tablesDir` is the folder given with --tables, or empty for the alias's.
namespace cli {

struct Context
{
    QString tablesDir;
    QStringList args; // the command's own arguments
};

int dump(const Context& context);
int count(const Context& context);
int exportRows(const Context& context); // "Exporteren…" of a grid, to a CSV file
int classify(const Context& context);
int importFiles(const Context& context);
int complete(const Context& context);
int fill(const Context& context);
int totals(const Context& context);
int select(const Context& context);    // "select" over the presented bedrijven rows
int deselect(const Context& context);  // "deselect" over them
int sampleTab(const Context& context); // a generated bank file to stdout
int chart(const Context& context);
int groups(const Context& context); // the rules of the relation groups: list, add, ... apply
int status(const Context& context); // the notices the pages show now
int gaps(const Context& context);   // the periods the bank's balances show missing
int vast(const Context& context);   // the fixed costs and regular income found

// Whether a command line (without the program name) asks for a chart picture, which needs a
// QApplication rather than a QCoreApplication.
bool asksForPicture(const QStringList& args);

} // namespace cli
