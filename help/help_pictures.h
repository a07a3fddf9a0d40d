#pragma once

#include <QIcon>
#include <QPixmap>

namespace help {

// The pictures of the help window, drawn rather than shipped as files.
QPixmap logoPicture(); // 142 by 42
QIcon saveIcon();
QIcon openIcon();
QIcon textColourIcon();
QIcon fontIcon();

} // namespace help
