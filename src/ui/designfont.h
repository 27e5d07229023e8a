#pragma once

class QApplication;

namespace qs::ui {

// The windows are laid out in pixels for the small dialog font of the desktop they were
// designed on (8 points). Larger default fonts, common on Linux desktops, would cut captions
// such as "Create HTML files" short, so the application font is capped at that size; a
// smaller one is kept.
void UseDesignFont(QApplication& application);

}  // namespace qs::ui
