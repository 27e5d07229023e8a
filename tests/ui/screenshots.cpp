// Makes the README's pictures of the windows as a user sees them, window frame included: the
// main window on a function page of the generated sample library, with its Edit menu open
// after a deletion, with the live pane beside the form and on its Options tab, the link
// dialog over the form, the preview window on the index page, and the builder window while
// it compiles and once it is done. Run on an X display with a window manager
// (scripts/screenshots does so).
// Usage: qs_screenshots OUTPUT-FOLDER          all the pictures, named as the README names them
//        qs_screenshots --main-window FILE.png the main window alone (for a scaled screen)

#include <unistd.h>

#include <QAbstractItemView>
#include <QApplication>
#include <QCheckBox>
#include <QCompleter>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <iostream>

#include "app/lifecycle.h"
#include "modaldriver.h"
#include "ui/builder/builderwindow.h"
#include "ui/mainwindow/mainmenus.h"
#include "ui/preview/livepane.h"
#include "ui/preview/previewscheme.h"
#include "ui/preview/previewwindow.h"
#include "ui/topiclist/topiclistview.h"
#include "ui/widgets/icons.h"
#include "ui/widgets/linkdialog.h"
#include "ui/widgets/modeltext.h"
#include "wiredwindow.h"

namespace {

using qs::uitest::WaitFor;

// Lets the window settle: the window manager frames and places it, and it paints.
void Settle(QWidget* window) {
  window->activateWindow();
  WaitFor([window] { return window->frameGeometry() != window->geometry(); }, 10);
  WaitFor([] { return false; }, 1);
}

// The window with its frame, as the screen shows it.
bool Save(QWidget* window, const QString& path) {
  const QRect frame = window->frameGeometry();
  const QPixmap shot =
      window->screen()->grabWindow(0, frame.x(), frame.y(), frame.width(), frame.height());
  const bool saved = !shot.isNull() && shot.save(path);
  std::cout << (saved ? "Wrote " : "Could not write ") << path.toStdString() << "\n";
  return saved;
}

// A help compiler that takes its time, so that the builder window can be seen at work: named
// chmcmd, so that it is asked to name the files it adds, it hands the real one's lines on one
// by one, slowly (or only waits when there is no real one).
QString SlowCompiler(const QString& folder, const QString& realCompiler) {
  QDir().mkpath(folder + "/slow");
  const QString path = folder + "/slow/chmcmd";
  QFile script(path);
  if (!script.open(QIODevice::WriteOnly)) return {};
  script.write("#!/bin/sh\n");
  if (realCompiler.isEmpty()) {
    script.write("sleep 3\n");
  } else {
    script.write(("'" + realCompiler +
                  "' \"$@\" | while IFS= read -r line; do printf '%s\\n' \"$line\"; "
                  "sleep 0.1; done\n")
                     .toUtf8());
  }
  script.close();
  script.setPermissions(script.permissions() | QFileDevice::ExeOwner);
  return path;
}

}  // namespace

int main(int argc, char** argv) {
  const bool mainOnly = argc == 3 && QString(argv[1]) == "--main-window";
  if (argc != 2 && !mainOnly) {
    std::cerr << "Usage: qs_screenshots OUTPUT-FOLDER\n"
                 "       qs_screenshots --main-window FILE.png\n";
    return 2;
  }
  if (qEnvironmentVariableIsEmpty("QTWEBENGINE_CHROMIUM_FLAGS")) {
    qputenv("QTWEBENGINE_CHROMIUM_FLAGS", "--disable-gpu");
  }
  if (geteuid() == 0) qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
  QApplication application(argc, argv);
  application.setWindowIcon(qs::ui::ProgramIcon());
  const QString target = QString::fromLocal8Bit(argv[argc - 1]);
  const QString out = QDir(target).absolutePath() + "/";
  if (!mainOnly) QDir().mkpath(out);

  qs::uitest::WiredWindow app(true);
  qs::app::FinishStart(*app.context, "");
  // A short help folder, so that the builder window's one-line label stays short.
  QTemporaryDir help(QDir::tempPath() + "/TextKit-XXXXXX");
  app.ExtractSample(help.path().toStdString() + "/");
  app.SelectRow(2);
  Settle(app.window.get());
  if (mainOnly) return Save(app.window.get(), target) ? 0 : 1;

  int failures = Save(app.window.get(), out + "main-window.png") ? 0 : 1;

  // The menu bar with its Edit menu open after a page was deleted: Undo names the deletion.
  app.SelectRow(3);
  app.commands->Command(qs::app::CommandId::DeleteItem);
  app.SelectRow(2);
  app.window->projectTab().topicListView->setFocus();
  QMenu* edit = app.window->menus().editMenu;
  app.window->menuBar()->setActiveAction(edit->menuAction());
  WaitFor([edit] { return edit->isVisible(); }, 5);
  WaitFor([] { return false; }, 1);
  if (!Save(app.window.get(), out + "menu-bar.png")) ++failures;
  edit->close();
  app.window->menuBar()->setActiveAction(nullptr);
  app.commands->page.Undo();
  app.SelectRow(2);
  Settle(app.window.get());
  app.window->mainPanel()->setCurrentIndex(1);
  Settle(app.window.get());
  if (!Save(app.window.get(), out + "options-tab.png")) ++failures;
  app.window->mainPanel()->setCurrentIndex(0);

  // The live pane beside the form, on the page being written.
  app.window->projectTab().livePaneButton->click();
  const QString pageTitle =
      qs::ui::FromModel(app.project.FindTopic(app.project.ItemText(2))->title);
  if (!qs::uitest::WaitForPage(app.window->projectTab().livePane->view(), pageTitle)) ++failures;
  Settle(app.window.get());
  if (!Save(app.window.get(), out + "live-pane.png")) ++failures;
  app.window->projectTab().livePaneButton->click();
  Settle(app.window.get());

  // The link dialog over the form, offering the pages whose names hold what was typed.
  bool linkShot = false;
  qs::uitest::WhenModal<qs::ui::LinkDialog>("LinkDialog", [&](qs::ui::LinkDialog* dialog) {
    Settle(dialog);
    QTest::keyClicks(dialog->field(), "trim");
    WaitFor([dialog] { return dialog->completer()->popup()->isVisible(); }, 5);
    WaitFor([] { return false; }, 1);
    linkShot = Save(app.window.get(), out + "insert-link.png");
    dialog->reject();
  });
  app.window->projectTab().bodyEditor->setFocus();
  app.commands->page.EditorEvent(qs::app::Editor::Body);
  app.window->projectTab().insertLinkButton->click();
  if (!linkShot) ++failures;

  bool previewShot = false;
  const QString indexTitle = qs::ui::FromModel(app.project.FindTopic("Index")->title);
  qs::uitest::WhenModal<qs::ui::PreviewWindow>(
      "PreviewWindow", [&](qs::ui::PreviewWindow* preview) {
        if (qs::uitest::WaitForPage(preview->browser, indexTitle)) {
          Settle(preview);
          previewShot = Save(preview, out + "preview-window.png");
        }
        preview->endButton->click();
      });
  app.window->projectTab().previewAllButton->click();
  if (!previewShot) ++failures;

  const QString compiler =
      SlowCompiler(help.path(), app.window->optionsTab().compilerPathField->text());
  app.window->optionsTab().compilerPathField->setText(compiler);
  app.window->optionsTab().compileCheckBox->setChecked(true);
  bool workingShot = false;
  bool doneShot = false;
  // While the compiler runs the windows take no input, but they paint and timers run.
  QTimer::singleShot(2500, [&] {
    auto* builder = qobject_cast<qs::ui::BuilderWindow*>(QApplication::activeModalWidget());
    if (builder != nullptr && builder->builderButton->text() == "Working...") {
      workingShot = Save(builder, out + "builder-working.png");
    }
  });
  qs::uitest::WhenModal<qs::ui::BuilderWindow>(
      "BuilderWindow",
      [](qs::ui::BuilderWindow* builder) { return builder->builderButton->text() == "Ok [Esc]"; },
      [&](qs::ui::BuilderWindow* builder) {
        Settle(builder);
        doneShot = Save(builder, out + "builder-error.png");
        builder->builderButton->click();
      });
  app.window->projectTab().createHtmlButton->click();
  if (!workingShot) ++failures;
  if (!doneShot) ++failures;
  return failures == 0 ? 0 : 1;
}
