#pragma once

#include <QIcon>

namespace qs::ui {

// The program's pictures, drawn as scalable images so that they stay sharp at any scale of
// the screen. The list images of the topic list: a page and an index.
QIcon PageIcon();
// A page not yet documented.
QIcon BlankPageIcon();
QIcon IndexIcon();
// The glyphs of the arrow and end buttons.
QIcon UpArrowIcon();
QIcon DownArrowIcon();
QIcon LeftArrowIcon();
QIcon RightArrowIcon();
QIcon BothWaysArrowIcon();
QIcon CrossIcon();
// The live pane's switch: an eye.
QIcon LiveIcon();
// The program's own icon, from the desktop's icon theme when it is installed there.
QIcon ProgramIcon();

}  // namespace qs::ui
