#pragma once

#include <QObject>
#include <QPointer>
#include <QTimer>

class QAbstractButton;

namespace qs::ui {

// Makes every button's key act at once. Qt clicks a button whose shortcut or mnemonic was
// pressed only after showing it pressed for a tenth of a second, so that Alt+Down would move
// a topic several frames after a click on the same arrow would. Here the key clicks the
// button as soon as it arrives, and the button shows pressed for that tenth of a second
// afterwards. The keys themselves and what they click stay Qt's: an ambiguous key still only
// moves the focus, as Qt does.
class PromptButtonKeys : public QObject {
  Q_OBJECT

 public:
  // Watches every button of the application while it lives.
  explicit PromptButtonKeys(QObject* parent = nullptr);
  ~PromptButtonKeys() override;

  // How long a button shows pressed after its key acted, in milliseconds (Qt's own).
  static constexpr int kPressedLook = 100;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // The button clicked by key stops looking pressed: its time is up, or the mouse or the
  // keyboard presses it for real (a press that then would find it down and lose the click).
  void EndPressedLook();

  QPointer<QAbstractButton> pressed_;
  QTimer lookTimer_;
};

}  // namespace qs::ui
