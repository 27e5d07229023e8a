#include "ui/mainwindow/guardedapplication.h"

#include <QMessageBox>
#include <new>
#include <utility>

#include "ui/widgets/modeltext.h"

namespace qs::ui {

GuardedApplication::GuardedApplication(int& argc, char** argv)
    : QApplication(argc, argv), report_([](const text::Report& report) {
        QMessageBox::critical(nullptr, FromModel(report.title), FromModel(report.text));
      }) {}

void GuardedApplication::setReportHandler(std::function<void(const text::Report&)> handler) {
  report_ = std::move(handler);
}

bool GuardedApplication::notify(QObject* receiver, QEvent* event) {
  try {
    return QApplication::notify(receiver, event);
  } catch (const std::bad_alloc&) {
    // What the command held is released by now, so the message box has room to show.
    report_(text::ErrorReport("Memory allocation problem!"));
    return false;
  }
}

}  // namespace qs::ui
