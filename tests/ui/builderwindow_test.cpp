// "Create HTML files" through the real window: the builder window's label, log and button,
// its missing close box, the compiler run with chmcmd while input is dropped, the compiler's
// errors and warnings listed apart, "Open help", the erase option, a compiler path that is a
// folder, and the compile option's rule.

#include "ui/builder/builderwindow.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QStatusBar>
#include <QTest>
#include <QTextEdit>
#include <QTreeWidget>
#include <QWindow>

#include "modaldriver.h"
#include "platform/helpcompilerlocator.h"
#include "ui/widgets/elidinglabel.h"
#include "ui/widgets/inputblocker.h"
#include "wiredwindow.h"

namespace qs::ui {
namespace {

using uitest::WhenModal;

bool Finished(BuilderWindow* builder) {
  return builder->builderButton->text() == "Ok [Esc]";
}

class BuilderTest : public ::testing::Test {
 protected:
  void SetUp() override {
    app.ExtractSample(app.Path("help/"));
    helpFolder = QString::fromStdString(app.Path("help/"));
    QDir().mkpath(helpFolder);
  }
  // Clicks "Create HTML files", lets `check` look at the finished builder window, closes it
  // with Escape; returns the log the window showed.
  QStringList CreateHtml(const std::function<void(BuilderWindow*)>& check,
                         bool byCloseBox = false) {
    QStringList log;
    bool seen = false;
    WhenModal<BuilderWindow>("BuilderWindow", Finished, [&](BuilderWindow* builder) {
      seen = true;
      log = builder->builderLog->toPlainText().split('\n', Qt::SkipEmptyParts);
      check(builder);
      builder->activateWindow();
      if (byCloseBox) {
        builder->close();
      } else {
        QTest::keyClick(builder, Qt::Key_Escape);
      }
    });
    app.window->projectTab().createHtmlButton->click();
    EXPECT_TRUE(seen);
    return log;
  }
  uitest::WiredWindow app{false};
  QString helpFolder;
};

TEST_F(BuilderTest, withoutCompilationTheLabelKeepsTheHelpFolderAndOnlyOkOrEscCloses) {
  const QStringList log = CreateHtml([&](BuilderWindow* builder) {
    EXPECT_EQ(builder->windowTitle(), "QuillSmith [HTML Builder]");
    EXPECT_EQ(builder->builderLabel->text(), "Help files created in " + helpFolder + " :");
    EXPECT_TRUE(builder->builderLog->isReadOnly());
    // Its design height, wide enough for the whole label, and not resizable.
    EXPECT_EQ(builder->height(), 202);
    EXPECT_GE(builder->width(), 390);
    EXPECT_FALSE(qobject_cast<ElidingLabel*>(builder->builderLabel)->isElided());
    EXPECT_EQ(builder->minimumSize(), builder->maximumSize());
    // The button sits centred below the log.
    const QRect button = builder->builderButton->geometry();
    EXPECT_GE(button.width(), 105);
    EXPECT_NEAR(button.center().x(), builder->width() / 2, 1);
    EXPECT_GT(button.top(), builder->builderLog->geometry().bottom());
    // No compiler ran: no progress, no output, no messages, and no help to open.
    EXPECT_TRUE(builder->compileProgress->isHidden());
    EXPECT_TRUE(builder->compilerOutput->isHidden());
    EXPECT_TRUE(builder->compilerMessages->isHidden());
    EXPECT_TRUE(builder->openHelpButton->isVisible());
    EXPECT_FALSE(builder->openHelpButton->isEnabled());
    EXPECT_EQ(builder->openHelpButton->text(), "Open help");
    EXPECT_LT(builder->openHelpButton->geometry().right(), button.left());
    // The work is done: the close box is there and acts as the button; never min or max.
    EXPECT_TRUE(builder->windowFlags() & Qt::WindowCloseButtonHint);
    EXPECT_TRUE(builder->windowHandle()->flags() & Qt::WindowCloseButtonHint);
    EXPECT_FALSE(builder->windowFlags() & Qt::WindowMinMaxButtonsHint);
  });
  ASSERT_FALSE(log.isEmpty());
  EXPECT_TRUE(log.contains(helpFolder + "Index.html"));
  EXPECT_TRUE(log.contains(helpFolder + "TextKit.hhp"));
  for (const QString& file : log) EXPECT_TRUE(QFileInfo::exists(file)) << file.toStdString();
  EXPECT_FALSE(QFileInfo::exists(helpFolder + "TextKit.chm"));

  // It opens where it was last time, kept on the screen; its size stays what its texts need.
  ASSERT_TRUE(app.ui->WindowPlaces().builder.has_value());
  const config::WindowPlace first = *app.ui->WindowPlaces().builder;
  config::WindowPlaces places = app.ui->WindowPlaces();
  places.builder = config::WindowPlace{first.x + 9000, first.y, 10, 10};
  app.ui->SetWindowPlaces(places);
  CreateHtml([&](BuilderWindow* builder) {
    EXPECT_TRUE(builder->screen()->availableGeometry().contains(builder->frameGeometry()));
    EXPECT_EQ(builder->geometry().y(), first.y);
    EXPECT_EQ(builder->size(), QSize(first.width, first.height));
  });
}

TEST_F(BuilderTest, chmcmdCompilesAndTheEraseOptionLeavesOnlyTheCompiledFile) {
  const std::string compiler = platform::FindHelpCompiler();
  if (compiler.empty()) GTEST_SKIP() << "chmcmd is not installed";
  // A page whose picture no one put in the help folder: the compiler warns about it.
  int pictured = 1;
  while (app.project.ItemText(pictured) == "TextEscapeHTML") ++pictured;
  app.project.FindTopic(app.project.ItemText(pictured))->body += "<img src=\"logo.png\">";
  const QString warned = QString::fromStdString(app.project.ItemText(pictured)) + ".html";
  // A desktop where no viewer is set up for compiled help.
  const QByteArray oldPath = qgetenv("PATH");
  const std::string scratch = app.Path("bin/");
  QDir().mkpath(QString::fromStdString(scratch));
  {
    QFile xdgMime(QString::fromStdString(scratch + "xdg-mime"));
    ASSERT_TRUE(xdgMime.open(QIODevice::WriteOnly));
    xdgMime.write("#!/bin/sh\ncase \"$2\" in filetype) echo application/vnd.ms-htmlhelp;; esac\n");
    xdgMime.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
  }
  qputenv("PATH", QByteArray::fromStdString(scratch) + ":" + oldPath);
  app.window->optionsTab().compilerPathField->setText(QString::fromStdString(compiler));
  app.window->optionsTab().compileCheckBox->setChecked(true);
  app.window->optionsTab().eraseHtmlCheckBox->setChecked(true);
  // While the compiler works the window cannot be closed and has no close box.
  bool sawWork = false;
  WhenModal<BuilderWindow>("BuilderWindow",
                           std::function<bool(BuilderWindow*)>([](BuilderWindow* builder) {
                             return !builder->compileProgress->isHidden();
                           }),
                           std::function<void(BuilderWindow*)>([&](BuilderWindow* builder) {
                             sawWork = builder->builderButton->text() == "Working...";
                             EXPECT_FALSE(builder->windowFlags() & Qt::WindowCloseButtonHint);
                             builder->close();
                             EXPECT_TRUE(builder->isVisible());
                           }));
  const QStringList log = CreateHtml(
      [&](BuilderWindow* builder) {
        // The sample's "Escapes <, >, & and quotes" reaches its page as written, and chmcmd
        // cannot read "<,": it writes the help all the same, which is then not reported as
        // simply compiled. Its error comes first in its pane, with the page.
        EXPECT_EQ(
            builder->builderLabel->text(),
            "Help files compiled with 1 error and 1 warning to " + helpFolder + "TextKit.chm :");
        // Counted and listed apart from the compiler's output, the error first and in red,
        // each with its page.
        EXPECT_EQ(builder->messagesHeading->text(), "The compiler reported 1 error and 1 warning:");
        ASSERT_EQ(builder->compilerMessages->topLevelItemCount(), 2);
        const QTreeWidgetItem* error = builder->compilerMessages->topLevelItem(0);
        EXPECT_TRUE(error->text(0).startsWith(
            "Error in TextEscapeHTML.html: Html parsing TextEscapeHTML.html, failed"))
            << error->text(0).toStdString();
        EXPECT_EQ(error->foreground(0).color(), BuilderWindow::kErrorColour);
        const QTreeWidgetItem* warning = builder->compilerMessages->topLevelItem(1);
        EXPECT_TRUE(warning->text(0).startsWith("Warning in " + warned + ": "))
            << warning->text(0).toStdString();
        EXPECT_TRUE(warning->text(0).contains("logo.png"));
        EXPECT_NE(warning->foreground(0).color(), BuilderWindow::kErrorColour);
        // Both lines in sight, neither under a scroll bar.
        const QRect rows = builder->compilerMessages->visualItemRect(warning);
        EXPECT_LE(rows.bottom(), builder->compilerMessages->viewport()->height());
        EXPECT_EQ(builder->compilerMessages->columnWidth(0),
                  builder->compilerMessages->viewport()->width());
        EXPECT_GT(builder->compilerMessages->geometry().height(), 0);
        EXPECT_LT(builder->compilerMessages->geometry().bottom(),
                  builder->compilerOutput->geometry().top());
        // The output holds the compiler's own lines only.
        const QString output = builder->compilerOutput->toPlainText();
        EXPECT_FALSE(output.startsWith("Error in ") || output.contains("\nError in "))
            << output.toStdString();
        // "Open help", with no viewer set up, says so over the builder window.
        EXPECT_TRUE(builder->openHelpButton->isEnabled());
        QString said;
        QObject* owner = nullptr;
        WhenModal<QMessageBox>("", [&](QMessageBox* box) {
          said = box->text();
          owner = box->parent();
          box->accept();
        });
        builder->openHelpButton->click();
        EXPECT_EQ(said,
                  "No program to show help files (.chm) is set up on this system.\n"
                  "Install a viewer for them, or open '" +
                      helpFolder + "TextKit.chm' with one you have.");
        EXPECT_EQ(owner, builder);
        EXPECT_TRUE(builder->isVisible());
        // The compiler's own lines, and every page written counted from them.
        EXPECT_TRUE(builder->compilerOutput->toPlainText().contains("Index.html"));
        const int pages =
            static_cast<int>(builder->builderLog->toPlainText().split('\n').filter(".html").size());
        EXPECT_GT(pages, 30);
        EXPECT_EQ(builder->compileProgress->maximum(), pages);
        EXPECT_EQ(builder->compileProgress->value(), pages);
        EXPECT_GT(builder->height(), BuilderWindow::kInner.height());
      },
      true);
  qputenv("PATH", oldPath);
  EXPECT_TRUE(sawWork);
  EXPECT_FALSE(app.window->findChild<BuilderWindow*>());
  ASSERT_GT(log.size(), 5);
  for (const QString& file : log) EXPECT_FALSE(QFileInfo::exists(file)) << file.toStdString();
  EXPECT_GT(QFileInfo(helpFolder + "TextKit.chm").size(), 0);
  EXPECT_TRUE(app.window->optionsTab().compileCheckBox->isChecked());
  EXPECT_TRUE(app.window->statusBar()->currentMessage().contains(
      helpFolder + "TextKit.chm compiled with 1 error and 1 warning in "))
      << app.window->statusBar()->currentMessage().toStdString();
}

TEST_F(BuilderTest, aCompilerPathThatIsAFolderIsNotFoundAndUnchecksTheOption) {
  const QString folder = QString::fromStdString(app.Path(""));
  app.window->optionsTab().compilerPathField->setText(folder);
  app.window->optionsTab().compileCheckBox->setChecked(true);
  QString said;
  WhenModal<QMessageBox>("", [&](QMessageBox* box) {
    said = box->windowTitle() + "|" + box->text();
    box->accept();
  });
  CreateHtml([&](BuilderWindow* builder) {
    EXPECT_EQ(builder->builderLabel->text(), "Help files created in " + helpFolder + " :");
  });
  EXPECT_EQ(said, "ERROR|Help compiler not found!\n'" + folder + "'");
  EXPECT_FALSE(app.window->optionsTab().compileCheckBox->isChecked());
}

TEST_F(BuilderTest, theCompileOptionCannotBeCheckedWithoutACompilerPath) {
  app.window->optionsTab().compilerPathField->clear();
  app.window->optionsTab().compileCheckBox->click();
  EXPECT_FALSE(app.window->optionsTab().compileCheckBox->isChecked());
  app.window->optionsTab().compilerPathField->setText("/usr/bin/chmcmd");
  app.window->optionsTab().compileCheckBox->click();
  EXPECT_TRUE(app.window->optionsTab().compileCheckBox->isChecked());
}

TEST(BuilderWindow, aLabelLongerThanTheScreenIsShortenedInTheMiddleAndKeptWhole) {
  const QString folder = "/" + QString("very-long-folder-name/").repeated(60);
  const QString label = "Help files created in " + folder + " :";
  BuilderWindow builder(nullptr, label, folder + "Index.html\n");
  builder.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&builder));
  EXPECT_LE(builder.width(), builder.screen()->availableGeometry().width());
  auto* shown = qobject_cast<ElidingLabel*>(builder.builderLabel);
  EXPECT_TRUE(shown->isElided());
  EXPECT_EQ(shown->text(), label);
}

TEST(InputBlocker, dropsKeysAndClicksButLetsTimersAndPaintingRun) {
  QWidget window;
  auto* field = new QLineEdit(&window);
  auto* button = new QPushButton("x", &window);
  button->move(0, 40);
  window.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
  int clicks = 0;
  QObject::connect(button, &QPushButton::clicked, [&] { ++clicks; });
  bool timerRan = false;
  {
    const InputBlocker blocker;
    QTest::keyClicks(field, "typed");
    QTest::mouseClick(button, Qt::LeftButton);
    QTimer::singleShot(0, [&] { timerRan = true; });
    EXPECT_TRUE(uitest::WaitFor([&] { return timerRan; }));
    window.repaint();
  }
  EXPECT_EQ(field->text(), "");
  EXPECT_EQ(clicks, 0);
  QTest::keyClicks(field, "typed");
  QTest::mouseClick(button, Qt::LeftButton);
  EXPECT_EQ(field->text(), "typed");
  EXPECT_EQ(clicks, 1);
}

}  // namespace
}  // namespace qs::ui
