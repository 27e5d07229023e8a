#include "ui/widgets/promptbuttonkeys.h"

#include <QAbstractButton>
#include <QApplication>
#include <QShortcutEvent>

namespace qs::ui {

PromptButtonKeys::PromptButtonKeys(QObject* parent) : QObject(parent) {
  lookTimer_.setSingleShot(true);
  lookTimer_.setInterval(kPressedLook);
  connect(&lookTimer_, &QTimer::timeout, this, &PromptButtonKeys::EndPressedLook);
  QApplication::instance()->installEventFilter(this);
}

PromptButtonKeys::~PromptButtonKeys() {
  EndPressedLook();
}

void PromptButtonKeys::EndPressedLook() {
  lookTimer_.stop();
  if (pressed_) pressed_->setDown(false);
  pressed_.clear();
}

bool PromptButtonKeys::eventFilter(QObject* watched, QEvent* event) {
  const QEvent::Type type = event->type();
  if (!pressed_.isNull() && watched == pressed_ &&
      (type == QEvent::MouseButtonPress || type == QEvent::MouseButtonDblClick ||
       type == QEvent::KeyPress)) {
    EndPressedLook();
    return false;
  }
  if (type != QEvent::Shortcut) return false;
  auto* button = qobject_cast<QAbstractButton*>(watched);
  if (button == nullptr) return false;
  const auto* key = static_cast<const QShortcutEvent*>(event);
  // A button takes only its own key; a key that several controls share moves the focus among
  // them, which Qt does.
  if (key->isAmbiguous() || key->key() != button->shortcut() || !button->isEnabled()) {
    return false;
  }
  EndPressedLook();
  // As Qt's own click by key: a button that toggles takes the focus first.
  if (button->isCheckable() && (button->focusPolicy() & Qt::ClickFocus) != 0) {
    button->setFocus(Qt::ShortcutFocusReason);
  }
  const QPointer<QAbstractButton> clicked(button);
  clicked->click();
  // The command has run; the button now shows it was pressed (unless the command took it
  // away or made it unusable).
  if (clicked && clicked->isEnabled() && clicked->isVisible()) {
    pressed_ = clicked;
    clicked->setDown(true);
    lookTimer_.start();
  }
  return true;
}

}  // namespace qs::ui
