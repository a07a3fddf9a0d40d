#include "app/startup.h"

#include "app/dialogs.h"
#include "app/guard.h"
#include "app/program_font.h"

#include <QApplication>
#include <QIcon>
#include <QLibraryInfo>
#include <QScreen>
#include <QTranslator>
#include <QWidget>

namespace app {

bool installDutchTranslations(QApplication& application)
{
    auto* translator = new QTranslator(&application);
    if (!translator->load(QStringLiteral("qtbase_nl"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete translator;
        return false;
    }
    return QCoreApplication::installTranslator(translator);
}

void applyProgramFont(QApplication& application)
{
    application.setFont(programFont());
}

void applyProgramIdentity(QApplication& application)
{
    QCoreApplication::setApplicationName(QStringLiteral("kolvaro"));
    QCoreApplication::setApplicationVersion(QStringLiteral(KOLVARO_VERSION));
    // The installed desktop entry, so that a desktop shows its name and icon for the window.
    QGuiApplication::setDesktopFileName(QStringLiteral("kolvaro"));
    QIcon icon;
    for (int size : {16, 24, 32, 48, 64, 128, 256})
        icon.addFile(QStringLiteral(":/icons/kolvaro-%1.png").arg(size), QSize(size, size));
    application.setWindowIcon(icon);
}

void centreOnScreen(QWidget& window)
{
    const QScreen* screen = window.screen();
    if (!screen)
        return;
    QRect frame = window.frameGeometry();
    frame.moveCenter(screen->availableGeometry().center());
    window.move(frame.topLeft());
}

charts::ChartHooks chartHooks(Dialogs& dialogs)
{
    return {[&dialogs](const std::function<void()>& body) { guarded(dialogs, body); },
            [&dialogs](const QString& caption, const QString& filter) {
                return dialogs.getSaveFileName(caption, filter);
            }};
}

} // namespace app
