// No text of any window is cut: every button, check box, label, group title, tab and field of
// the main window (each kind of page, both tabs, the built-in captions and long ones from a
// language file), the preview window, the builder window while it works and afterwards, and
// the name prompt, each at its smallest size and at the size it opens with. Run with the
// desktop's default font and with a 12-point one; CTest runs the whole program again at the
// screen scales 1.5 and 2 (QT_SCALE_FACTOR is read when the application starts), and on small
// screens with large fonts (QS_FIT_SCREEN), where the windows must still lie wholly on the
// screen with every control within reach, scrolled to where the screen has no room.

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFontDatabase>
#include <QFontInfo>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QTabWidget>
#include <QTest>
#include <QTextEdit>
#include <fstream>

#include "app/lifecycle.h"
#include "fitcheck.h"
#include "modaldriver.h"
#include "project/usertopics.h"
#include "ui/builder/builderwindow.h"
#include "ui/preview/previewwindow.h"
#include "ui/preview/webviewloader.h"
#include "ui/widgets/nameprompt.h"
#include "wiredwindow.h"

namespace qs::ui {
namespace {

using uitest::UnfittedTexts;
using uitest::UnreachableControls;

// The parameter is the font size in points; 0 keeps the desktop's default font.
class FitTest : public ::testing::TestWithParam<int> {
 protected:
  void SetUp() override {
    defaultFont_ = QApplication::font();
    QFont font = defaultFont_;
    if (GetParam() > 0) font.setPointSize(GetParam());
    QApplication::setFont(font);
    // The face in use is one this system really has, as on a user's desktop, not a stand-in.
    const QString family = QFontInfo(font).family();
    ASSERT_TRUE(QFontDatabase::families().contains(family)) << family.toStdString();
    RecordProperty("font", QString("%1 %2pt, scale %3, font dpi %4")
                               .arg(family)
                               .arg(QFontInfo(font).pointSizeF())
                               .arg(qEnvironmentVariable("QT_SCALE_FACTOR", "1"))
                               .arg(qEnvironmentVariable("QT_FONT_DPI", "default"))
                               .toStdString());
  }
  void TearDown() override { QApplication::setFont(defaultFont_); }

  // Looks at `window` at its smallest size and at the size it opened with.
  static void ExpectAllFit(QWidget& window, const QString& what) {
    const QSize opened = window.size();
    for (const QSize size : {window.minimumSize(), opened}) {
      window.resize(size);
      QApplication::processEvents();
      QApplication::processEvents();
      EXPECT_EQ(UnfittedTexts(window).join('\n').toStdString(), "")
          << what.toStdString() << " at " << window.width() << "x" << window.height();
      EXPECT_EQ(UnreachableControls(window).join('\n').toStdString(), "")
          << what.toStdString() << " at " << window.width() << "x" << window.height();
    }
    window.resize(opened);
  }

 private:
  QFont defaultFont_;
};

TEST_P(FitTest, mainWindowOnEveryKindOfPageOnBothTabsWithShortAndLongCaptions) {
  uitest::WiredWindow app(false);
  ASSERT_TRUE(app.exposed);
  app::FinishStart(*app.context, "");
  ExpectAllFit(*app.window, "the window before any topic");

  app.ExtractSample(app.Path("help/"));
  ASSERT_TRUE(project::AddUserTopic(app.project, "Notes").added);
  app.ui->RefreshTopicList();
  const int userTopic = app.window->projectTab().topicListView->model()->rowCount() - 2;
  for (const int row : {0, 1, userTopic}) {
    app.SelectRow(row);
    ExpectAllFit(*app.window, "page " + QString::number(row));
  }

  app.window->mainPanel()->setCurrentIndex(1);
  ExpectAllFit(*app.window, "Options with the built-in captions");

  // A language whose name and captions are long, as translations are.
  const std::string language = "Francais du Canada (Quebec)";
  {
    std::ofstream file(app.Path(("QuillSmith_" + language + ".lng").c_str()), std::ios::binary);
    file << ";QuillSmith localisation file\r\n[Language]\r\nCurrentLanguage = " << language
         << "\r\nOverview = Vue d'ensemble de la bibliotheque\r\n"
            "CommandIndex = Index alphabetique des commandes\r\n"
            "Syntax = Syntaxe de la commande\r\nExample = Exemple d'utilisation\r\n"
            "Description = Description detaillee\r\n"
            "Functions = Liste des fonctions disponibles\r\n";
    std::ofstream english(app.Path("QuillSmith_English.lng"), std::ios::binary);
    english << "[Language]\r\nCurrentLanguage = English\r\n";
  }
  app.state.currentLanguage = language;
  app::FillLanguageList(*app.context);
  ASSERT_EQ(app.window->optionsTab().languageList->currentText().toStdString(), language);
  ASSERT_EQ(app.window->optionsTab().headingFields[1]->text(), "Index alphabetique des commandes");
  ExpectAllFit(*app.window, "Options with long captions");
}

TEST_P(FitTest, previewWindow) {
  uitest::WiredWindow app(false);
  PreviewWindow preview(app.window.get(), "QuillSmith [HTML Preview] - TextKit library help",
                        QString::fromStdString(app.Path("help/Index.html")), MakePageView());
  preview.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&preview));
  ExpectAllFit(preview, "the preview window");
}

TEST_P(FitTest, builderWindowWhileItWorksAndOnceItIsDone) {
  uitest::WiredWindow app(false);
  const QString folder = QString::fromStdString(app.Path("help/"));
  const QString log = folder + "TextKit.hhp\n" + folder + "TextKit.hhc\n" + folder + "Index.html\n";
  BuilderWindow builder(app.window.get(), "Help files created in " + folder + " :", log);
  bool checkedWhileWorking = false;
  bool checkedWhenDone = false;
  uitest::WhenModal<BuilderWindow>(
      "BuilderWindow",
      [](BuilderWindow* window) { return window->builderButton->text() == "Ok [Esc]"; },
      [&](BuilderWindow* window) {
        ExpectAllFit(*window, "the builder window when done");
        checkedWhenDone = true;
        window->builderButton->click();
      });
  builder.Run([&] {
    EXPECT_EQ(builder.builderButton->text(), "Working...");
    ExpectAllFit(builder, "the builder window while it works");
    checkedWhileWorking = true;
    return "Help files compiled to " + folder + "TextKit.chm :";
  });
  EXPECT_TRUE(checkedWhileWorking);
  EXPECT_TRUE(checkedWhenDone);
}

TEST_P(FitTest, namePromptForATopicAndForAnIndex) {
  uitest::WiredWindow app(false);
  for (const auto& [caption, prompt] : {std::pair{"USER TOPIC", "Please enter topic name"},
                                        std::pair{"USER INDEX", "Please enter index name"}}) {
    NamePrompt asking(app.window.get(), caption, prompt, "", QPoint(300, 300));
    asking.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&asking));
    ExpectAllFit(asking, caption);
  }
}

// The check itself: controls squeezed below their texts are each reported, and the same
// controls at the sizes they ask for are not.
TEST(FitCheck, findsEveryKindOfCutTextAndPassesRoomyOnes) {
  QWidget window;
  auto* button = new QPushButton("&Create HTML files", &window);
  auto* box = new QCheckBox("Erase HTML files after CHM creation", &window);
  auto* label = new QLabel("Help Folder", &window);
  auto* group = new QGroupBox("QuillSmith project files association", &window);
  auto* tabs = new QTabWidget(&window);
  tabs->addTab(new QWidget, "Project");
  tabs->addTab(new QWidget, "Options");
  auto* field = new QLineEdit("Command Index", &window);
  auto* list = new QComboBox(&window);
  list->addItem("Francais du Canada");
  const std::vector<QWidget*> controls = {button, box, label, group, tabs, field, list};
  int y = 0;
  for (QWidget* control : controls) {
    control->setGeometry(0, y, 40, 12);
    y += 60;
  }
  window.resize(600, y);
  window.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
  const QStringList squeezed = UnfittedTexts(window);
  for (const char* text : {"Create HTML files", "Erase HTML", "Help Folder", "association",
                           "Options", "Command Index", "Francais"}) {
    EXPECT_TRUE(squeezed.filter(text).size() == 1) << text << " in\n"
                                                   << squeezed.join('\n').toStdString();
  }

  y = 0;
  for (QWidget* control : controls) {
    control->setGeometry(QRect(QPoint(0, y), control->sizeHint().expandedTo({300, 0})));
    y += 60;
  }
  EXPECT_EQ(UnfittedTexts(window).join('\n').toStdString(), "");
}

// The reach check: a button beyond the window's edge, one beyond its group's, a page larger
// than a scroll area that cannot scroll, and a window larger than the screen are each reported;
// a control far down a page that scrolls is not, nor are the same controls once put right.
TEST(FitCheck, findsWhatCannotBeReachedAndPassesWhatAPageScrollsTo) {
  QWidget window;
  window.setGeometry(100, 100, 300, 200);
  auto* beyond = new QPushButton("Beyond", &window);
  beyond->setObjectName("Beyond");
  beyond->setGeometry(280, 10, 60, 20);
  auto* group = new QGroupBox("Group", &window);
  group->setGeometry(0, 40, 100, 60);
  auto* cut = new QPushButton("Cut", group);
  cut->setObjectName("CutByGroup");
  cut->setGeometry(10, 50, 60, 20);
  auto* area = new QScrollArea(&window);
  area->setObjectName("Area");
  area->setGeometry(110, 40, 150, 100);
  auto* page = new QWidget;
  page->setMinimumSize(100, 400);
  auto* deep = new QPushButton("Deep", page);
  deep->setObjectName("Deep");
  deep->setGeometry(10, 350, 60, 20);
  area->setWidgetResizable(true);
  area->setWidget(page);
  area->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  window.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
  const QStringList found = UnreachableControls(window);
  for (const char* name : {"Beyond", "CutByGroup", "Area"}) {
    EXPECT_EQ(found.filter(name).size(), 1) << name << " in\n" << found.join('\n').toStdString();
  }
  EXPECT_TRUE(found.filter("Deep").isEmpty()) << found.join('\n').toStdString();

  beyond->move(200, 10);
  cut->move(10, 20);
  area->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  QApplication::processEvents();
  EXPECT_EQ(UnreachableControls(window).join('\n').toStdString(), "");

  const QRect available = window.screen()->availableGeometry();
  window.setGeometry(available.adjusted(0, 0, 0, 100));
  QApplication::processEvents();
  EXPECT_EQ(UnreachableControls(window).filter("not wholly on the screen").size(), 1);
}

INSTANTIATE_TEST_SUITE_P(Fonts, FitTest, ::testing::Values(0, 12),
                         [](const ::testing::TestParamInfo<int>& info) {
                           return info.param == 0 ? std::string("defaultFont")
                                                  : std::to_string(info.param) + "pt";
                         });

}  // namespace
}  // namespace qs::ui
