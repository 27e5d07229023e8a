#pragma once

#include <QApplication>

namespace qs::ui {

// A message box asks with the normal pointer even while a load shows the busy one.
class NormalCursor {
 public:
  NormalCursor() : busy_(QApplication::overrideCursor() != nullptr) {
    if (busy_) QApplication::setOverrideCursor(Qt::ArrowCursor);
  }
  ~NormalCursor() {
    if (busy_) QApplication::restoreOverrideCursor();
  }
  NormalCursor(const NormalCursor&) = delete;
  NormalCursor& operator=(const NormalCursor&) = delete;

 private:
  bool busy_;
};

}  // namespace qs::ui
