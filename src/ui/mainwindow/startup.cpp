#include "ui/mainwindow/startup.h"

#include <QApplication>
#include <QEvent>
#include <QStatusBar>
#include <QTimer>

#include "app/commandcontext.h"
#include "app/lifecycle.h"
#include "ui/mainwindow/mainwindow.h"

namespace qs::ui {

namespace {

// Waits for the first paint of a window, then runs its work once the paint is on the screen.
class AfterFirstPaint : public QObject {
 public:
  AfterFirstPaint(QWidget& window, std::function<void()> work)
      : QObject(&window), window_(window), work_(std::move(work)) {
    window.installEventFilter(this);
    // A window that is never painted (started minimised) still gets its project.
    QTimer::singleShot(kLongestWait, this, &AfterFirstPaint::Start);
  }

 protected:
  bool eventFilter(QObject*, QEvent* event) override {
    // After the paint has been flushed to the screen, not inside it.
    if (event->type() == QEvent::Paint) QTimer::singleShot(0, this, &AfterFirstPaint::Start);
    return false;
  }

 private:
  static constexpr int kLongestWait = 1000;  // milliseconds

  void Start() {
    if (started_) return;
    started_ = true;
    window_.removeEventFilter(this);
    work_();
    deleteLater();
  }

  QWidget& window_;
  std::function<void()> work_;
  bool started_ = false;
};

}  // namespace

void OpenAfterFirstPaint(MainWindow& window, const app::CommandContext& context,
                         std::string projectPath) {
  if (projectPath.empty()) return;
  new AfterFirstPaint(window, [&window, &context, path = std::move(projectPath)] {
    // Restored unsaved work stays; the status line keeps saying where it came from.
    if (context.Unsaved()) return;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    context.ui.ShowStatus("Loading the project...");
    // The status line is painted now: the load holds the event loop until it is done.
    window.statusBar()->repaint();
    app::OpenStartProject(context, path);
    // The title names the project opened, and whether anything of it is unsaved.
    context.ShowUnsavedState();
    context.ui.ShowStatus("");
    QApplication::restoreOverrideCursor();
  });
}

}  // namespace qs::ui
