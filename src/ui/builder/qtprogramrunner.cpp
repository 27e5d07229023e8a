#include "ui/builder/qtprogramrunner.h"

#include <QEventLoop>
#include <QFile>
#include <QProcess>

#include "output/helpcompiler.h"
#include "ui/logging.h"
#include "ui/widgets/inputblocker.h"

namespace qs::ui {

bool QtProgramRunner::Run(const std::string& program, const std::string& argument,
                          const std::string& workingFolder, bool hidden, bool wait) {
  return Launch(program, argument, workingFolder, hidden, wait, nullptr);
}

bool QtProgramRunner::RunCollecting(const std::string& program, const std::string& argument,
                                    const std::string& workingFolder, std::string& output) {
  output.clear();
  return Launch(program, argument, workingFolder, true, true, &output);
}

bool QtProgramRunner::Launch(const std::string& program, const std::string& argument,
                             const std::string& workingFolder, bool hidden, bool wait,
                             std::string* collected) {
  // Paths are the system's bytes; decodeName keeps them exact.
  const QString programName = QFile::decodeName(program.c_str());
  QStringList arguments{QFile::decodeName(argument.c_str())};
  const QString folder = QFile::decodeName(workingFolder.c_str());
  if (!wait) return QProcess::startDetached(programName, arguments, folder);

  QProcess process;
  process.setWorkingDirectory(folder);
  process.setStandardInputFile(QProcess::nullDevice());
  if (hidden) {
    const std::vector<std::string> options = output::ListingOptions(program);
    for (auto option = options.rbegin(); option != options.rend(); ++option) {
      arguments.prepend(QString::fromStdString(*option));
    }
    process.setProcessChannelMode(QProcess::MergedChannels);
    QObject::connect(&process, &QProcess::readyReadStandardOutput, this,
                     [this, &process, collected] {
                       QByteArray lines;
                       while (process.canReadLine()) lines += process.readLine();
                       if (lines.isEmpty()) return;
                       if (collected != nullptr) collected->append(lines.toStdString());
                       emit output(QString::fromLocal8Bit(ShownText(lines.toStdString())));
                     });
  }
  process.setProgram(programName);
  process.setArguments(arguments);
  QEventLoop loop;
  QObject::connect(&process, &QProcess::finished, &loop, &QEventLoop::quit);
  process.start();
  if (!process.waitForStarted(-1)) return false;
  const InputBlocker blocker;
  if (hidden) emit started();
  if (process.state() != QProcess::NotRunning) loop.exec();
  qCInfo(uiLog).noquote() << "'" + programName + "'"
                          << (process.exitStatus() == QProcess::CrashExit ? "crashed" : "ended")
                          << "with exit status" << process.exitCode();
  if (hidden) {
    const QByteArray rest = process.readAll();
    if (!rest.isEmpty()) {
      if (collected != nullptr) collected->append(rest.toStdString());
      emit output(QString::fromLocal8Bit(ShownText(rest.toStdString())));
    }
  }
  return true;
}

}  // namespace qs::ui
