#include "ui/topiclist/topicfilterfield.h"

#include <QKeyEvent>

#include "ui/topiclist/topiclistview.h"

namespace qs::ui {

TopicFilterField::TopicFilterField(QWidget* parent) : QLineEdit(parent) {}

bool TopicFilterField::Handles(const QKeyEvent& key) const {
  if (key.modifiers() != Qt::NoModifier && key.modifiers() != Qt::KeypadModifier) return false;
  if (key.key() == Qt::Key_Escape) return !text().isEmpty();
  return key.key() == Qt::Key_Down && list_ != nullptr && list_->model() != nullptr &&
         list_->model()->rowCount() > 0;
}

bool TopicFilterField::event(QEvent* event) {
  // The window's Escape key (the edit/view switch) would take the key before the field sees
  // it: while there is text to clear, the field claims it.
  if (event->type() == QEvent::ShortcutOverride && Handles(*static_cast<QKeyEvent*>(event))) {
    event->accept();
    return true;
  }
  return QLineEdit::event(event);
}

void TopicFilterField::keyPressEvent(QKeyEvent* event) {
  if (!Handles(*event)) {
    QLineEdit::keyPressEvent(event);
    return;
  }
  if (event->key() == Qt::Key_Escape) {
    clear();
  } else {
    list_->EnterAtFirstRowInSight();
  }
  event->accept();
}

}  // namespace qs::ui
