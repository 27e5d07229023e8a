#include "ui/mainwindow/mainwindow.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QCursor>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMenu>
#include <QPushButton>
#include <QScreen>
#include <QShortcut>
#include <QStatusBar>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>
#include <QWebEngineView>

#include "spelling/speller.h"
#include "ui/mainwindow/optionstab.h"
#include "ui/mainwindow/projecttab.h"
#include "ui/spelling/spellcheck.h"
#include "ui/topiclist/topiclistmodel.h"
#include "ui/topiclist/topiclistview.h"
#include "ui/widgets/controls.h"
#include "ui/widgets/formeditor.h"
#include "ui/widgets/icons.h"
#include "ui/widgets/steadytabwidget.h"
#include "version/version.h"

namespace qs::ui {

using namespace controls;

const std::array<const char*, 6> MainWindow::kTags = {"<b>", "</b>", "<u>", "</u>", "<i>", "</i>"};

QString MainWindow::AboutText() {
  return QStringLiteral(
             "QuillSmith: the help of a PureBasic user library, made by its own author."
             "\nIt needs an HTML2CHM compiler and ATL.DLL in the path."
             "\n"
             "\nThanks to the PureBasic community for ideas and testing,"
             "\nand to everyone who sent a project file with a bug report."
             "\nVersion ") +
         QLatin1String(kDisplayVersion.data(), static_cast<qsizetype>(kDisplayVersion.size()));
}

MainWindow::MainWindow(bool withBrowser) {
  setWindowTitle("QuillSmith [Fast Builder]");
  setObjectName("MainWindow");
  setWindowIcon(ProgramIcon());
  auto* central = new QWidget(this);
  setCentralWidget(central);
  statusBar()->setSizeGripEnabled(true);

  mainPanel = new SteadyTabWidget;
  mainPanel->setObjectName("MainPanel");
  auto* centralLayout = new QVBoxLayout(central);
  centralLayout->setContentsMargins(0, 0, 0, 0);
  centralLayout->addWidget(mainPanel);
  auto* projectTab = new QWidget;
  auto* optionsTab = new QWidget;
  mainPanel->addTab(projectTab, "&Project");
  mainPanel->addTab(optionsTab, "&Options");

  speller_ = new spelling::Speller(spelling::DictionaryFolders(), this);
  spellCheck_ = new SpellCheck(*speller_, this);
  BuildRecentProjectsButton();
  BuildProjectTab(*this, projectTab, withBrowser);
  connect(topicListView, &TopicListView::rowSelected, this,
          [this](int row) { emit topicListEvent(row, false); });
  connect(topicListView, &TopicListView::menuRequested, this, [this](int row, bool byKeyboard) {
    menuByKeyboard_ = byKeyboard;
    emit topicListEvent(row, true);
  });
  AttachSpellCheck();
  BuildOptionsTab(*this, optionsTab);
  AttachDictionaryList(optionsTab);
  SetTabOrder();

  BuildShortcuts();
  WatchFormEdits();
  AddFindShortcuts();

  setFormActive(false);
  mainPanel->setCurrentIndex(0);
  FitAboutText();
  FitMinimumSize();
  PlaceOnScreen();
}

MainWindow::~MainWindow() = default;

void MainWindow::SetTabOrder() {
  // The order of the controls in the window's description, tab by tab.
  std::vector<QWidget*> chain = {
      projectFileField,       libraryFileField,    helpFolderField,
      showHelpButton,         browseLibraryButton, createHelpFolderButton,
      browseHelpFolderButton, newProjectButton,    loadProjectButton,
      recentProjectsButton,   saveProjectButton,   previewButton,
      previewAllButton,       createHtmlButton,    moveUpButton,
      moveDownButton,         topicFilterField,    topicListView,
      extractButton,          editViewButton,      titleField,
      summaryEditor,          bodyEditor,          exampleEditor};
  if (previewBrowser != nullptr) chain.push_back(previewBrowser);
  chain.insert(chain.end(), {compileCheckBox, compilerPathField, browseCompilerButton,
                             keepDataCheckBox, eraseHtmlCheckBox, keywordIndexCheckBox});
  chain.insert(chain.end(), headingFields.begin(), headingFields.end());
  chain.insert(chain.end(), {languageList, dictionaryList, uniqueHtmlButton, associateButton,
                             removeAssociationButton});
  for (std::size_t i = 1; i < chain.size(); ++i) QWidget::setTabOrder(chain[i - 1], chain[i]);
}

void MainWindow::BuildRecentProjectsButton() {
  recentProjectsButton = new QToolButton;
  recentProjectsButton->setObjectName("RecentProjectsButton");
  recentProjectsButton->setToolTip("Load a recent project");
  recentProjectsButton->setAccessibleName("Recent projects");
  recentProjectsButton->setArrowType(Qt::DownArrow);
  recentProjectsButton->setPopupMode(QToolButton::InstantPopup);
  recentProjectsButton->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Preferred);
  recentProjectsButton->setStyleSheet(
      QString("QToolButton { background-color: %1; border: 1px solid rgb(160, 160, 160);"
              " border-left: none; padding: 0px 2px; }"
              " QToolButton:pressed, QToolButton:open { background-color: %2; }"
              " QToolButton:focus { border: 2px solid %3; }"
              " QToolButton::menu-indicator { image: none; width: 0px; }")
          .arg(Rgb(kGrey212), Rgb(kGrey212.darker(118)), Rgb(kDarkBlue)));
  GiveKey(recentProjectsButton, Qt::ALT | Qt::SHIFT | Qt::Key_L);
  auto* menu = new QMenu(recentProjectsButton);
  menu->setObjectName("RecentProjectsMenu");
  menu->setToolTipsVisible(true);
  recentProjectsButton->setMenu(menu);
  // Whether a file still exists is asked each time the menu opens.
  connect(menu, &QMenu::aboutToShow, this, &MainWindow::FillRecentProjectsMenu);
}

void MainWindow::setRecentProjects(std::vector<std::string> paths) {
  recentProjects_ = std::move(paths);
}

void MainWindow::FillRecentProjectsMenu() {
  QMenu* menu = recentProjectsButton->menu();
  menu->clear();
  if (recentProjects_.empty()) {
    menu->addAction("No recent projects")->setEnabled(false);
    return;
  }
  int number = 0;
  for (const std::string& path : recentProjects_) {
    const QString name = QFile::decodeName(QByteArray::fromStdString(path));
    QString caption = QDir::toNativeSeparators(name);
    caption.replace("&", "&&");
    ++number;
    QAction* action =
        menu->addAction(number < 10 ? QString("&%1  %2").arg(number).arg(caption) : caption);
    if (!QFileInfo(name).isFile()) {
      action->setEnabled(false);
      action->setToolTip("This file no longer exists");
    }
    connect(action, &QAction::triggered, this, [this, path] { emit recentProjectChosen(path); });
  }
}

void MainWindow::AttachSpellCheck() {
  spellCheck_->Attach(titleField);
  spellCheck_->Attach(summaryEditor);
  spellCheck_->Attach(bodyEditor);
  // The example is code: it is not checked.
  speller_->SetTopicNameProvider([this] {
    const TopicListModel* rows = topicListView->topicModel();
    return rows != nullptr ? rows->AllNames() : QStringList();
  });
}

void MainWindow::setTopicModel(TopicListModel* model) {
  topicListView->setTopicModel(model);
  connect(model, &TopicListModel::nameAdded, speller_, &spelling::Speller::TopicNameAdded);
  connect(model, &TopicListModel::nameRemoved, speller_, &spelling::Speller::TopicNameRemoved);
  connect(model, &TopicListModel::namesReplaced, speller_, &spelling::Speller::TopicNamesChanged);
  speller_->TopicNamesChanged();
}

void MainWindow::AddFindShortcuts() {
  auto* filter = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_L), this);
  connect(filter, &QShortcut::activated, topicFilterField, [this] {
    topicFilterField->setFocus(Qt::ShortcutFocusReason);
    topicFilterField->selectAll();
  });
  // In the editors Ctrl+F is left to them.
  auto* find = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_F), this);
  connect(find, &QShortcut::activated, topicFilterField, [this, filter] {
    const QWidget* focus = QApplication::focusWidget();
    for (const QWidget* editor :
         {static_cast<QWidget*>(titleField), static_cast<QWidget*>(summaryEditor),
          static_cast<QWidget*>(bodyEditor), static_cast<QWidget*>(exampleEditor)}) {
      if (focus == editor) return;
    }
    emit filter->activated();
  });
  auto* search = new QShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_F), this);
  connect(search, &QShortcut::activated, this, &MainWindow::searchRequested);
}

void MainWindow::FillDictionaryList() {
  dictionaryList->clear();
  dictionaryList->addItem("None", spelling::Speller::kOff);
  dictionaryList->setItemData(0, "No spell checking", Qt::ToolTipRole);
  for (const spelling::DictionaryFiles& files : speller_->installedDictionaries()) {
    dictionaryList->addItem(files.name, files.name);
    const QLocale locale(files.name);
    if (locale.language() != QLocale::C) {
      dictionaryList->setItemData(
          dictionaryList->count() - 1,
          QString("%1 (%2)").arg(QLocale::languageToString(locale.language()),
                                 QLocale::territoryToString(locale.territory())),
          Qt::ToolTipRole);
    }
  }
  ShowActiveDictionary();
}

void MainWindow::ShowActiveDictionary() {
  const QString active = speller_->activeDictionary();
  const bool installed = !speller_->installedDictionaries().isEmpty();
  const int index = dictionaryList->findData(active.isEmpty() ? spelling::Speller::kOff : active);
  dictionaryList->setCurrentIndex(std::max(index, 0));
  dictionaryList->setEnabled(installed);
  if (!installed) {
    dictionaryList->setToolTip(
        "Spell checking is off: no spelling dictionary is installed.\n"
        "Install one (a Hunspell dictionary, on Debian for example the package hunspell-en-us)\n"
        "or put its .aff and .dic files into the folder \"dictionaries\" beside the program.");
  } else if (speller_->dictionaryUnreadable()) {
    dictionaryList->setToolTip("Spell checking is off: the dictionary could not be read");
  } else if (active.isEmpty() && speller_->dictionaryChoice() != spelling::Speller::kOff) {
    dictionaryList->setToolTip(
        "Spell checking is off: there is no dictionary for the system's language; choose one");
  } else {
    dictionaryList->setToolTip(
        "Dictionary for the spell checking of the page title, syntax / overview and "
        "description");
  }
}

void MainWindow::AttachDictionaryList(QWidget* optionsPage) {
  FillDictionaryList();
  connect(dictionaryList, &QComboBox::activated, this, [this](int index) {
    speller_->SetDictionary(dictionaryList->itemData(index).toString());
  });
  connect(speller_, &spelling::Speller::dictionaryChanged, this, &MainWindow::ShowActiveDictionary);
  connect(speller_, &spelling::Speller::dictionariesFound, this, &MainWindow::FillDictionaryList);
  // A dictionary installed while the program runs is offered when the options are looked at.
  connect(mainPanel, &QTabWidget::currentChanged, speller_, [this, optionsPage](int index) {
    if (mainPanel->widget(index) == optionsPage) speller_->Rescan();
  });
}

void MainWindow::setFormActive(bool active) {
  for (QWidget* group : {titleLabel, summaryLabel, bodyLabel, exampleLabel}) {
    group->setEnabled(active);
  }
  CollapseUnusedEditors();
}

bool MainWindow::formActive() const {
  return titleLabel->isEnabled();
}

void MainWindow::CollapseUnusedEditors() {
  for (QPlainTextEdit* editor : {summaryEditor, exampleEditor}) {
    const bool collapsed = formActive() && !editor->isEnabled();
    static_cast<FormEditor*>(editor)->setCollapsed(collapsed);
    // The group keeps its caption and takes no share of the height.
    editor->parentWidget()->setSizePolicy(QSizePolicy::Preferred,
                                          collapsed ? QSizePolicy::Fixed : QSizePolicy::Preferred);
  }
}

QPoint MainWindow::topicMenuPosition() const {
  if (menuByKeyboard_ && topicListView->currentIndex().isValid()) {
    return topicListView->SelectedRowMenuPoint();
  }
  return QCursor::pos() - QPoint(1, 1);
}

void MainWindow::FitAboutText() {
  // A wrapped text has no height of its own in a window's smallest size: give it the height it
  // needs at its narrowest, about forty characters of the current font.
  const int width = aboutText->fontMetrics().averageCharWidth() * 40;
  aboutText->setMinimumSize(width, aboutText->heightForWidth(width));
  // Where there is room, it stands unwrapped, and no wider.
  aboutText->setMaximumWidth(aboutText->fontMetrics().size(0, aboutText->text()).width() + 1);
}

void MainWindow::FitMinimumSize() {
  const QSize needed = kMinimumInner.expandedTo(layout()->totalMinimumSize());
  if (minimumSize() != needed) setMinimumSize(needed);
}

void MainWindow::PlaceOnScreen() {
  QSize size = kInitialInner.expandedTo(minimumSize());
  QRect frame(QPoint(0, 0), size);
  if (QScreen* screen = this->screen()) {
    const QRect available = screen->availableGeometry();
    size = size.boundedTo(available.size()).expandedTo(minimumSize());
    frame.setSize(size);
    frame.moveCenter(available.center());
  }
  resize(size);
  move(frame.topLeft());
}

bool MainWindow::event(QEvent* event) {
  const bool handled = QMainWindow::event(event);
  // A caption, a font or a style changed somewhere: the window may need more room.
  if (event->type() == QEvent::LayoutRequest) FitMinimumSize();
  if (event->type() == QEvent::WindowActivate) emit activated();
  return handled;
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
  const QEvent::Type type = event->type();
  if (type == QEvent::FocusIn || type == QEvent::FocusOut) {
    if (watched == summaryEditor) emit editorEvent(app::Editor::Summary);
    if (watched == bodyEditor) emit editorEvent(app::Editor::Body);
    if (watched == exampleEditor) emit editorEvent(app::Editor::Example);
  }
  if (type == QEvent::EnabledChange && (watched == summaryEditor || watched == exampleEditor ||
                                        watched == summaryLabel || watched == exampleLabel)) {
    CollapseUnusedEditors();
  }
  if (watched == aboutText && (type == QEvent::FontChange || type == QEvent::StyleChange)) {
    FitAboutText();
  }
  return QMainWindow::eventFilter(watched, event);
}

void MainWindow::closeEvent(QCloseEvent* event) {
  if (closeHandler_) {
    // Not run twice should a question of the handler let another close request through.
    auto handler = std::move(closeHandler_);
    closeHandler_ = nullptr;
    if (!handler()) {
      closeHandler_ = std::move(handler);
      event->ignore();
      return;
    }
  }
  event->accept();
}

}  // namespace qs::ui
