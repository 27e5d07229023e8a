#include "ui/startup.h"

#include <QApplication>
#include <QEvent>
#include <QStatusBar>
#include <QTimer>

#include "app/commandcontext.h"
#include "app/lifecycle.h"
#include "ui/mainwindow.h"

namespace qs::ui {

namespace {

// Waits for the first paint of a window, then runs its work once the paint is on the screen.
class AfterFirstPaint : public QObject {
 public:
  AfterFirstPaint(QWidget& window, std::function<void()> work)
      : QObject(&window), work_(std::move(work)) {
    window.installEventFilter(this);
  }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Paint && !started_) {
      started_ = true;
      watched->removeEventFilter(this);
      // After the paint has been flushed to the screen, not inside it.
      QTimer::singleShot(0, this, [this] {
        work_();
        deleteLater();
      });
    }
    return false;
  }

 private:
  std::function<void()> work_;
  bool started_ = false;
};

}  // namespace

void OpenAfterFirstPaint(MainWindow& window, const app::CommandContext& context,
                         std::string projectPath) {
  if (projectPath.empty()) return;
  new AfterFirstPaint(window, [&window, &context, path = std::move(projectPath)] {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    context.ui.ShowStatus("Loading the project...");
    // The status line is painted now: the load holds the event loop until it is done.
    window.statusBar()->repaint();
    app::OpenStartProject(context, path);
    context.ui.ShowStatus("");
    QApplication::restoreOverrideCursor();
  });
}

}  // namespace qs::ui
