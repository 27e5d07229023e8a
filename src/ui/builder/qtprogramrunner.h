#pragma once

#include <QObject>
#include <QString>

#include "platform/programrunner.h"

namespace qs::ui {

// Runs the help compiler for the desktop program. Waiting does not stop the event loop: the
// windows repaint and timers run, but an InputBlocker drops every click and key until the
// program has ended, so no command runs in the middle of a build. A hidden program's output
// (standard output and error together) is not shown on a console but handed, line by line,
// to whoever follows the run; a compiler that names the files it adds only when asked is
// asked to.
class QtProgramRunner : public QObject, public platform::ProgramRunner {
  Q_OBJECT

 public:
  bool Run(const std::string& program, const std::string& argument,
           const std::string& workingFolder, bool hidden, bool wait) override;
  // Also gives the output that the signals handed on, whole.
  bool RunCollecting(const std::string& program, const std::string& argument,
                     const std::string& workingFolder, std::string& output) override;

 signals:
  // A hidden program was started and is being waited for.
  void started();
  // Whole lines of its output, each ending in a line feed (the last one may have none).
  void output(const QString& lines);

 private:
  // Run, with a hidden program's output also kept in `collected` when that is given.
  bool Launch(const std::string& program, const std::string& argument,
              const std::string& workingFolder, bool hidden, bool wait, std::string* collected);
};

}  // namespace qs::ui
