// Program start (unit kolvaro): the data module, the main window, then the chart and help
// windows, hidden; the message loop runs until the main window closes.
#include "app/dialogs.h"
#include "app/guard.h"
#include "app/kolvaro1.h"
#include "app/startup.h"
#include "charts/chart_window.h"
#include "charts/series/chart_list.h"
#include "help/uitleg.h"
#include "store/data_module.h"

#include <QApplication>
#include <memory>
#include <vector>

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    app::applyProgramIdentity(application);
    app::installDutchTranslations(application);
    app::applyProgramFont(application);

    store::TDataModule1& data = store::dataModule();
    app::MessageBoxDialogs dialogs;
    app::TForm1 form1(data, dialogs);
    dialogs.setOwner(&form1);
    help::TForm4 form4(form1.tablesFolder(), &form1, dialogs,
                       [&](const std::function<void()>& body) { app::guarded(dialogs, body); });
    app::ShownWindows shown{&form4, {}};
    // A window per chart of the list, each over the table its row names.
    const charts::ChartHooks hooks = app::chartHooks(dialogs);
    std::vector<std::unique_ptr<charts::ChartWindow>> chartWindows;
    for (const charts::ChartEntry& entry : charts::chartList()) {
        chartWindows.push_back(std::make_unique<charts::ChartWindow>(
            entry.name, charts::chartTable(entry, data),
            [&form1, name = entry.name] { return form1.chartYears(name); }, hooks, &form1));
        shown.charts[entry.name] = chartWindows.back().get();
    }
    form1.setShownWindows(shown);

    // Closing the main window ends the program, also while a chart or help window is open.
    QObject::connect(&form1, &app::TForm1::closed, &application, &QApplication::quit);
    app::centreOnScreen(form1);
    form1.show();
    return QApplication::exec();
}
