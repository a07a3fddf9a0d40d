#include "app/guard.h"

#include "app/dialogs.h"

#include <QString>
#include <exception>

namespace app {

void guarded(Dialogs& dialogs, const std::function<void()>& body)
{
    try {
        body();
    } catch (const std::exception& error) {
        // Every error type of the program carries the user's text, UTF-8 encoded.
        dialogs.showError(QString::fromUtf8(error.what()));
    }
}

} // namespace app
