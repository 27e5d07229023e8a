#include "ui/qtprogramrunner.h"

#include <QEventLoop>
#include <QFile>
#include <QProcess>

#include "ui/inputblocker.h"

namespace qs::ui {

bool QtProgramRunner::Run(const std::string& program, const std::string& argument,
                          const std::string& workingFolder, bool hidden, bool wait) {
  // Paths are the system's bytes; decodeName keeps them exact.
  const QString programName = QFile::decodeName(program.c_str());
  const QStringList arguments{QFile::decodeName(argument.c_str())};
  const QString folder = QFile::decodeName(workingFolder.c_str());
  if (!wait) return QProcess::startDetached(programName, arguments, folder);

  QProcess process;
  process.setProgram(programName);
  process.setArguments(arguments);
  process.setWorkingDirectory(folder);
  process.setStandardInputFile(QProcess::nullDevice());
  if (hidden) {
    process.setStandardOutputFile(QProcess::nullDevice());
    process.setStandardErrorFile(QProcess::nullDevice());
  }
  QEventLoop loop;
  QObject::connect(&process, &QProcess::finished, &loop, &QEventLoop::quit);
  process.start();
  if (!process.waitForStarted(-1)) return false;
  const InputBlocker blocker;
  if (process.state() != QProcess::NotRunning) loop.exec();
  return true;
}

}  // namespace qs::ui
