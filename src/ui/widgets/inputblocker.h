#pragma once

#include <QObject>

namespace qs::ui {

// While one exists, the program takes no input: clicks, keys, wheel turns, touches and close
// requests of every window are dropped, while painting, resizing and timers go on. The
// windows stay alive and repaint during a long wait (the help compiler) without any command
// running in the middle of it, and nothing typed meanwhile is replayed afterwards.
class InputBlocker : public QObject {
 public:
  InputBlocker();
  ~InputBlocker() override;
  InputBlocker(const InputBlocker&) = delete;
  InputBlocker& operator=(const InputBlocker&) = delete;

  // Whether `type` is an event this blocker drops.
  static bool IsInput(int type);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
};

}  // namespace qs::ui
