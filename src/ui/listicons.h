#pragma once

#include <QIcon>

namespace qs::ui {

// The two images of the topic list, drawn here in 16 colours: a page (16 by 16) and an index
// (32 by 32, shown at the list's item size).
QIcon PageIcon();
QIcon IndexIcon();

}  // namespace qs::ui
