// Program start (unit kolvaro): the data module, the main window, then the chart and help
// windows, hidden; the message loop runs until the main window closes.
#include "app/dialogs.h"
#include "app/guard.h"
#include "app/kolvaro1.h"
#include "app/startup.h"
#include "charts/grafiek1.h"
#include "charts/grafiek2.h"
#include "charts/grafiek3.h"
#include "help/uitleg.h"
#include "store/data_module.h"

#include <QApplication>

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
    const charts::ChartHooks hooks = app::chartHooks(dialogs);
    charts::TForm2 form2(data.T1, hooks, &form1);
    charts::TForm3 form3(
        data.T2, [&form1] { return form1.tickedYears(); }, hooks, &form1);
    help::TForm4 form4(form1.tablesFolder(), &form1, dialogs,
                       [&](const std::function<void()>& body) { app::guarded(dialogs, body); });
    charts::TForm5 form5(data.T2, hooks, &form1);
    form1.setShownWindows({&form2, &form3, &form4, &form5});

    // Closing the main window ends the program, also while a chart or help window is open.
    QObject::connect(&form1, &app::TForm1::closed, &application, &QApplication::quit);
    app::centreOnScreen(form1);
    form1.show();
    return QApplication::exec();
}
