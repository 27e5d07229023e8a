#pragma once

#include <QApplication>
#include <QMessageBox>
#include <QPointer>

#include "text/report.h"

// Small helpers of the dialogs the window port opens.

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

// Gives the keyboard focus back to the control that had it when a window of a build opened.
class KeepFocus {
 public:
  KeepFocus() : focus_(QApplication::focusWidget()) {}
  ~KeepFocus() {
    if (focus_ != nullptr) focus_->setFocus();
  }
  KeepFocus(const KeepFocus&) = delete;
  KeepFocus& operator=(const KeepFocus&) = delete;

 private:
  QPointer<QWidget> focus_;
};

// The message box icon of a report.
inline QMessageBox::Icon IconOf(text::ReportIcon icon) {
  switch (icon) {
    case text::ReportIcon::Error:
      return QMessageBox::Critical;
    case text::ReportIcon::Exclamation:
      return QMessageBox::Warning;
    case text::ReportIcon::Information:
      return QMessageBox::Information;
    case text::ReportIcon::Question:
      return QMessageBox::Question;
    case text::ReportIcon::None:
      break;
  }
  return QMessageBox::NoIcon;
}

}  // namespace qs::ui
