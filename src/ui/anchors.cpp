#include "ui/anchors.h"

#include <QEvent>

namespace qs::ui {

Anchors::Anchors(QWidget* parent) : QObject(parent), parent_(parent) {
  parent->installEventFilter(this);
}

void Anchors::Add(QWidget* control, unsigned rule) {
  entries_.push_back({control, rule, control->geometry()});
}

void Anchors::Capture() {
  designSize_ = parent_->size();
  captured_ = true;
}

void Anchors::Capture(QSize size) {
  designSize_ = size;
  captured_ = true;
  Apply();
}

void Anchors::Apply() {
  if (!captured_) return;
  const int dw = parent_->width() - designSize_.width();
  const int dh = parent_->height() - designSize_.height();
  for (const Entry& e : entries_) {
    QRect r = e.designed;
    if (e.rule & kMoveRight) r.moveLeft(r.left() + dw);
    if (e.rule & kMoveDown) r.moveTop(r.top() + dh);
    if (e.rule & kStretchAcross) r.setWidth(std::max(0, r.width() + dw));
    if (e.rule & kStretchDown) r.setHeight(std::max(0, r.height() + dh));
    e.control->setGeometry(r);
  }
}

bool Anchors::eventFilter(QObject* watched, QEvent* event) {
  if (watched == parent_ && event->type() == QEvent::Resize) Apply();
  return QObject::eventFilter(watched, event);
}

}  // namespace qs::ui
