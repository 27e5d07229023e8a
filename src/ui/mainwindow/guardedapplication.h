#pragma once

#include <QApplication>
#include <functional>

#include "text/report.h"

namespace qs::ui {

// The application object of the desktop program. A command that runs out of memory unwinds
// to the event that started it; there it is told to the user ("Memory allocation problem!")
// and the program goes on with the project as it was, instead of ending without a word.
class GuardedApplication : public QApplication {
 public:
  GuardedApplication(int& argc, char** argv);

  // Who tells the user; a critical message box unless replaced.
  void setReportHandler(std::function<void(const text::Report&)> handler);

  bool notify(QObject* receiver, QEvent* event) override;

 private:
  std::function<void(const text::Report&)> report_;
};

}  // namespace qs::ui
