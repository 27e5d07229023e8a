#include <QApplication>
#include <QMessageBox>
#include <string>

#include "app/commands.h"
#include "app/coreservices.h"
#include "app/lifecycle.h"
#include "platform/processsetup.h"
#include "platform/programlocation.h"
#include "ui/builder/qtprogramrunner.h"
#include "ui/logging.h"
#include "ui/mainwindow/guardedapplication.h"
#include "ui/mainwindow/mainwindow.h"
#include "ui/mainwindow/qtui.h"
#include "ui/mainwindow/startup.h"
#include "ui/mainwindow/wiring.h"
#include "ui/preview/previewscheme.h"
#include "ui/widgets/icons.h"
#include "ui/widgets/modeltext.h"
#include "ui/widgets/programstyle.h"

int main(int argc, char* argv[]) {
  qs::platform::PrepareProcess();
  qs::ui::RouteCoreLogToQt();
  // The web engine's graphics wait for the first browser, so the window opens without them;
  // the engine itself is a module loaded with that browser (ui/preview/webviewloader.h).
  qs::ui::DeferWebEngineStart();
  qs::ui::GuardedApplication application(argc, argv);
  application.setStyle(new qs::ui::ProgramStyle);
  application.setApplicationName("QuillSmith");
  application.setWindowIcon(qs::ui::ProgramIcon());

  // Before the window: the empty project, the English captions, the PureBasic folder.
  qs::project::HelpProject project;
  qs::app::AppState state;
  qs::config::LanguageTable captions;
  // The compiler runs without stopping the windows' painting; they take no input meanwhile.
  qs::ui::QtProgramRunner runner;
  qs::app::CoreServices services(qs::platform::ProgramPath(), qs::platform::SettingsFolder(),
                                 &runner);
  qs::app::PrepareStart(state, captions, services);

  qs::ui::MainWindow window(qs::ui::WebViewAvailable());
  // A command that ran out of memory is told in a box over the window, not one that may open
  // behind it.
  application.setReportHandler([&window](const qs::text::Report& report) {
    QMessageBox::critical(&window, qs::ui::FromModel(report.title), qs::ui::FromModel(report.text));
  });
  qs::ui::QtUi ui(window, project, &runner);
  const qs::app::CommandContext context{project, state, captions, services, ui};
  qs::app::Commands commands(context);
  qs::ui::Wire(window, ui, commands);
  if (!window.browserAvailable()) {
    const qs::text::Report report = qs::ui::NoBrowserReport();
    QMessageBox::critical(nullptr, QString::fromStdString(report.title),
                          QString::fromStdString(report.text));
  }
  window.setCloseHandler([&context] { return qs::app::ShutDown(context); });
  window.show();

  // On POSIX the shell has split the command line already: the project is the first argument.
  // It is loaded once the window has painted, so a large one never leaves it blank.
  qs::app::FinishStart(context, std::string());
  qs::ui::OpenAfterFirstPaint(window, context, argc > 1 ? std::string(argv[1]) : std::string());
  application.exec();
  return 0;
}
