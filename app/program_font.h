#pragma once

#include <QFont>

namespace app {

// "Liberation Sans" at 11 pixels: the metric stand-in for the 8 point dialog font of the forms.
QFont programFont(bool bold = false);

} // namespace app
