#pragma once

#include <functional>

namespace app {

class Dialogs;

// The one catch of the program: runs a handler's body and shows the text of an exception that
// ends it in the standard error message box. Nothing done before the failure is undone.
void guarded(Dialogs& dialogs, const std::function<void()>& body);

} // namespace app
