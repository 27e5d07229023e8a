// Makes the README's pictures of the three windows: the main window on a function page of the
// generated sample library, the preview window on the index page, and the builder window
// after a compiled build. Usage: qs_screenshots OUTPUT-FOLDER (run under xvfb-run).

#include <unistd.h>

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <iostream>

#include "app/lifecycle.h"
#include "modaldriver.h"
#include "ui/builderwindow.h"
#include "ui/icons.h"
#include "ui/previewwindow.h"
#include "wiredwindow.h"

namespace {

bool Save(QWidget* window, const QString& path) {
  const bool saved = window->grab().save(path);
  std::cout << (saved ? "Wrote " : "Could not write ") << path.toStdString() << "\n";
  return saved;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::cerr << "Usage: qs_screenshots OUTPUT-FOLDER\n";
    return 2;
  }
  if (qEnvironmentVariableIsEmpty("QTWEBENGINE_CHROMIUM_FLAGS")) {
    qputenv("QTWEBENGINE_CHROMIUM_FLAGS", "--disable-gpu");
  }
  if (geteuid() == 0) qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
  QApplication application(argc, argv);
  application.setWindowIcon(qs::ui::ProgramIcon());
  const QString out = QDir(QString::fromLocal8Bit(argv[1])).absolutePath() + "/";
  QDir().mkpath(out);

  qs::uitest::WiredWindow app(true);
  qs::app::FinishStart(*app.commands, "");
  app.window->resize(760, 600);
  // A short help folder, so that the builder window's one-line label shows all of it.
  QTemporaryDir help(QDir::tempPath() + "/TextKit-XXXXXX");
  app.ExtractSample(help.path().toStdString() + "/");
  app.SelectRow(2);
  qs::uitest::WaitFor([] { return false; }, 1);  // let the window settle and paint
  int failures = Save(app.window.get(), out + "main-window.png") ? 0 : 1;

  bool previewShot = false;
  const QString indexTitle = qs::ui::FromModel(app.project.FindTopic("Index")->title);
  qs::uitest::WhenModal<qs::ui::PreviewWindow>(
      "PreviewWindow", [&](qs::ui::PreviewWindow* preview) {
        if (qs::uitest::WaitForPage(preview->browser, indexTitle)) {
          qs::uitest::WaitFor([] { return false; }, 1);  // the page's first paint
          previewShot = Save(preview, out + "preview-window.png");
        }
        preview->endButton->click();
      });
  app.window->previewAllButton->click();
  if (!previewShot) ++failures;

  bool builderShot = false;
  if (!app.window->compilerPathField->text().isEmpty()) app.window->compileCheckBox->click();
  qs::uitest::WhenModal<qs::ui::BuilderWindow>(
      "BuilderWindow",
      [](qs::ui::BuilderWindow* builder) { return builder->builderButton->text() == "Ok [Esc]"; },
      [&](qs::ui::BuilderWindow* builder) {
        builderShot = Save(builder, out + "builder-window.png");
        builder->builderButton->click();
      });
  app.window->createHtmlButton->click();
  if (!builderShot) ++failures;
  return failures == 0 ? 0 : 1;
}
