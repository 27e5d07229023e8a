#pragma once

class QWidget;

namespace qs::ui {

// The width a small window needs so that the window manager can show its whole caption. The
// title bar's font and buttons are the desktop's business; a bold face of the window's font
// with room for an icon and three buttons is a fair guess.
int CaptionRoom(const QWidget& window);

}  // namespace qs::ui
