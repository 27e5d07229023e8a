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
#include <QWindow>

#include "spelling/speller.h"
#include "ui/mainwindow/mainmenus.h"
#include "ui/spelling/spellcheck.h"
#include "ui/topiclist/topiclistmodel.h"
#include "ui/topiclist/topiclistview.h"
#include "ui/widgets/accessiblenames.h"
#include "ui/widgets/controls.h"
#include "ui/widgets/formeditor.h"
#include "ui/widgets/icons.h"
#include "ui/widgets/onscreen.h"
#include "ui/widgets/promptbuttonkeys.h"
#include "ui/widgets/roomyscrollarea.h"
#include "ui/widgets/statusline.h"
#include "ui/widgets/steadytabwidget.h"

namespace qs::ui {

using namespace controls;

MainWindow::MainWindow(bool withBrowser) {
  setWindowTitle("QuillSmith [Fast Builder]");
  setObjectName("MainWindow");
  setWindowIcon(ProgramIcon());
  auto* central = new QWidget(this);
  setCentralWidget(central);
  setStatusBar(new StatusLine);
  statusBar()->setSizeGripEnabled(true);

  mainPanel_ = new SteadyTabWidget;
  mainPanel_->setObjectName("MainPanel");
  auto* centralLayout = new QVBoxLayout(central);
  centralLayout->setContentsMargins(0, 0, 0, 0);
  centralLayout->addWidget(mainPanel_);
  project_ = new ProjectTab(withBrowser);
  options_ = new OptionsTab;
  // Before the window's layouts first ask the about text for its room: a control not shown
  // yet does not tell them when it changes.
  options_->FitAboutText();
  project_->setObjectName("ProjectTab");
  options_->setObjectName("OptionsTab");
  // Each page scrolls where the screen has no room for it, the tabs staying in view.
  project_->setAccessibleName("Project");
  options_->setAccessibleName("Options");
  mainPanel_->addTab(new RoomyScrollArea(project_), "&Project");
  mainPanel_->addTab(new RoomyScrollArea(options_), "&Options");

  menus_ = new MainMenus(*menuBar(), *project_, *options_);

  speller_ = new spelling::Speller(spelling::DictionaryFolders(), this);
  spellCheck_ = new SpellCheck(*speller_, this);
  // Whether a file still exists is asked each time the menu opens.
  connect(project_->recentProjectsButton->menu(), &QMenu::aboutToShow, this,
          [this] { FillRecentProjectsMenu(project_->recentProjectsButton->menu()); });
  connect(project_->topicListView, &TopicListView::rowSelected, this,
          [this](int row) { emit topicListEvent(row, false); });
  connect(project_->topicListView, &TopicListView::menuRequested, this,
          [this](int row, bool byKeyboard) {
            menuByKeyboard_ = byKeyboard;
            emit topicListEvent(row, true);
          });
  WatchEditors();
  AttachSpellCheck();
  AttachDictionaryList();
  SetTabOrder();

  ConnectMenus();
  WatchFormEdits();
  AddFindShortcuts();

  setFormActive(false);
  mainPanel_->setCurrentIndex(0);
  // The buttons' keys act as soon as they are pressed, as a click does.
  new PromptButtonKeys(this);

  NameForScreenReaders(this);
  FitMinimumSize();
  PlaceOnScreen();
}

MainWindow::~MainWindow() = default;

void MainWindow::SetTabOrder() {
  // The order of the controls in the window's description, tab by tab.
  std::vector<QWidget*> chain = {project_->projectFileField,
                                 project_->libraryFileField,
                                 project_->helpFolderField,
                                 project_->showHelpButton,
                                 project_->browseLibraryButton,
                                 project_->createHelpFolderButton,
                                 project_->browseHelpFolderButton,
                                 project_->newProjectButton,
                                 project_->loadProjectButton,
                                 project_->recentProjectsButton,
                                 project_->saveProjectButton,
                                 project_->previewButton,
                                 project_->previewAllButton,
                                 project_->createHtmlButton,
                                 project_->moveUpButton,
                                 project_->moveDownButton,
                                 project_->topicFilterField,
                                 project_->topicListView,
                                 project_->extractButton,
                                 project_->editViewButton,
                                 project_->titleField,
                                 project_->summaryEditor,
                                 project_->bodyEditor,
                                 project_->exampleEditor};
  // The view mode's browser, made when first shown, takes its place after the example then.
  chain.insert(chain.end(), {options_->compileCheckBox, options_->compilerPathField,
                             options_->browseCompilerButton, options_->keepDataCheckBox,
                             options_->eraseHtmlCheckBox, options_->keywordIndexCheckBox,
                             options_->examplesAsCodeCheckBox});
  chain.insert(chain.end(), options_->headingFields.begin(), options_->headingFields.end());
  chain.insert(chain.end(), {options_->languageList, options_->dictionaryList,
                             options_->uniqueHtmlButton, options_->websiteButton,
                             options_->associateButton, options_->removeAssociationButton});
  for (std::size_t i = 1; i < chain.size(); ++i) QWidget::setTabOrder(chain[i - 1], chain[i]);
}

void MainWindow::WatchEditors() {
  for (QWidget* watched :
       {static_cast<QWidget*>(project_->summaryEditor), static_cast<QWidget*>(project_->bodyEditor),
        static_cast<QWidget*>(project_->exampleEditor)}) {
    watched->installEventFilter(this);
  }
  for (QWidget* group : {project_->titleLabel, project_->summaryLabel, project_->bodyLabel,
                         project_->exampleLabel}) {
    group->installEventFilter(this);
  }
  for (const auto& [editor, which] : {std::pair{project_->summaryEditor, app::Editor::Summary},
                                      std::pair{project_->bodyEditor, app::Editor::Body},
                                      std::pair{project_->exampleEditor, app::Editor::Example}}) {
    connect(editor, &QPlainTextEdit::textChanged, this, [this, which] { emit editorEvent(which); });
  }
}

void MainWindow::setRecentProjects(std::vector<std::string> paths) {
  recentProjects_ = std::move(paths);
}

void MainWindow::FillRecentProjectsMenu(QMenu* menu) {
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
  spellCheck_->Attach(project_->titleField);
  spellCheck_->Attach(project_->summaryEditor);
  spellCheck_->Attach(project_->bodyEditor);
  // The example is code: it is not checked.
  speller_->SetTopicNameProvider([this] {
    const TopicListModel* rows = project_->topicListView->topicModel();
    return rows != nullptr ? rows->AllNames() : QStringList();
  });
}

void MainWindow::setTopicModel(TopicListModel* model) {
  project_->topicListView->setTopicModel(model);
  connect(model, &TopicListModel::nameAdded, speller_, &spelling::Speller::TopicNameAdded);
  connect(model, &TopicListModel::nameRemoved, speller_, &spelling::Speller::TopicNameRemoved);
  connect(model, &TopicListModel::namesReplaced, speller_, &spelling::Speller::TopicNamesChanged);
  speller_->TopicNamesChanged();
}

void MainWindow::AddFindShortcuts() {
  // In the editors Ctrl+F is left to them.
  auto* find = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_F), this);
  connect(find, &QShortcut::activated, project_->topicFilterField, [this] {
    const QWidget* focus = QApplication::focusWidget();
    for (const QWidget* editor : {static_cast<QWidget*>(project_->titleField),
                                  static_cast<QWidget*>(project_->summaryEditor),
                                  static_cast<QWidget*>(project_->bodyEditor),
                                  static_cast<QWidget*>(project_->exampleEditor)}) {
      if (focus == editor) return;
    }
    menus_->filterTopics->trigger();
  });
}

void MainWindow::FillDictionaryList() {
  options_->dictionaryList->clear();
  options_->dictionaryList->addItem("None", spelling::Speller::kOff);
  options_->dictionaryList->setItemData(0, "No spell checking", Qt::ToolTipRole);
  for (const spelling::DictionaryFiles& files : speller_->installedDictionaries()) {
    options_->dictionaryList->addItem(files.name, files.name);
    const QLocale locale(files.name);
    if (locale.language() != QLocale::C) {
      options_->dictionaryList->setItemData(
          options_->dictionaryList->count() - 1,
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
  const int index =
      options_->dictionaryList->findData(active.isEmpty() ? spelling::Speller::kOff : active);
  options_->dictionaryList->setCurrentIndex(std::max(index, 0));
  options_->dictionaryList->setEnabled(installed);
  if (!installed) {
    options_->dictionaryList->setToolTip(
        "Spell checking is off: no spelling dictionary is installed.\n"
        "Install one (a Hunspell dictionary, on Debian for example the package hunspell-en-us)\n"
        "or put its .aff and .dic files into the folder \"dictionaries\" beside the program.");
  } else if (speller_->dictionaryUnreadable()) {
    options_->dictionaryList->setToolTip("Spell checking is off: the dictionary could not be read");
  } else if (active.isEmpty() && speller_->dictionaryChoice() != spelling::Speller::kOff) {
    options_->dictionaryList->setToolTip(
        "Spell checking is off: there is no dictionary for the system's language; choose one");
  } else {
    options_->dictionaryList->setToolTip(
        "Dictionary for the spell checking of the page title, syntax / overview and "
        "description");
  }
}

void MainWindow::AttachDictionaryList() {
  FillDictionaryList();
  connect(options_->dictionaryList, &QComboBox::activated, this, [this](int index) {
    speller_->SetDictionary(options_->dictionaryList->itemData(index).toString());
  });
  connect(speller_, &spelling::Speller::dictionaryChanged, this, &MainWindow::ShowActiveDictionary);
  connect(speller_, &spelling::Speller::dictionariesFound, this, &MainWindow::FillDictionaryList);
  // A dictionary installed while the program runs is offered when the options are looked at.
  connect(mainPanel_, &QTabWidget::currentChanged, speller_, [this](int index) {
    if (mainPanel_->widget(index)->isAncestorOf(options_)) speller_->Rescan();
  });
}

void MainWindow::setFormActive(bool active) {
  for (QWidget* group : {project_->titleLabel, project_->summaryLabel, project_->bodyLabel,
                         project_->exampleLabel}) {
    group->setEnabled(active);
  }
  CollapseUnusedEditors();
}

bool MainWindow::formActive() const {
  return project_->titleLabel->isEnabled();
}

void MainWindow::CollapseUnusedEditors() {
  for (QPlainTextEdit* editor : {project_->summaryEditor, project_->exampleEditor}) {
    const bool collapsed = formActive() && !editor->isEnabled();
    static_cast<FormEditor*>(editor)->setCollapsed(collapsed);
    // The group keeps its caption and takes no share of the height.
    editor->parentWidget()->setSizePolicy(QSizePolicy::Preferred,
                                          collapsed ? QSizePolicy::Fixed : QSizePolicy::Preferred);
  }
}

QPoint MainWindow::topicMenuPosition() const {
  if (menuByKeyboard_ && project_->topicListView->currentIndex().isValid()) {
    return project_->topicListView->SelectedRowMenuPoint();
  }
  return QCursor::pos() - QPoint(1, 1);
}

void MainWindow::FitMinimumSize() {
  // What the window holds now (menu bar, tabs, pages, docks, status bar) with nothing
  // scrolled, but never more than the screen it is on: the pages scroll instead.
  const QSize room = Room(*this).size();
  const QSize needed = kMinimumInner.expandedTo(layout()->totalMinimumSize()).boundedTo(room);
  const QSize before = size();
  if (minimumSize() != needed) setMinimumSize(needed);
  // Grown for its controls, it still lies on the screen; a window the user moved partly off
  // the screen, or made larger than it, is otherwise left as it is.
  if (isVisible() && size() != before) KeepOnScreen(*this);
}

void MainWindow::PlaceOnScreen() {
  const QRect room = Room(*this);
  QRect inner(QPoint(0, 0), kInitialInner.expandedTo(minimumSize()).boundedTo(room.size()));
  inner.moveCenter(room.center());
  resize(inner.size());
  move(inner.topLeft());
}

bool MainWindow::event(QEvent* event) {
  const bool handled = QMainWindow::event(event);
  // A caption, a font or a style changed somewhere: the window may need more room.
  if (event->type() == QEvent::LayoutRequest) FitMinimumSize();
  if (event->type() == QEvent::Show && !screenFollowed_ && windowHandle() != nullptr) {
    screenFollowed_ = true;
    // Another screen has other room.
    connect(windowHandle(), &QWindow::screenChanged, this, [this] {
      FitMinimumSize();
      KeepOnScreen(*this);
    });
  }
  // The window manager's frame is known only once the window is shown: with it the window
  // may need moving or shrinking to lie wholly on the screen, title bar included.
  if ((event->type() == QEvent::Show || event->type() == QEvent::Move) && !frameKnown_ &&
      isVisible()) {
    frameKnown_ = !FrameMargins(*this).isNull();
    FitMinimumSize();
    KeepOnScreen(*this);
  }
  if (event->type() == QEvent::WindowActivate) emit activated();
  return handled;
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
  const QEvent::Type type = event->type();
  if (type == QEvent::FocusIn || type == QEvent::FocusOut) {
    if (watched == project_->summaryEditor) emit editorEvent(app::Editor::Summary);
    if (watched == project_->bodyEditor) emit editorEvent(app::Editor::Body);
    if (watched == project_->exampleEditor) emit editorEvent(app::Editor::Example);
  }
  if (type == QEvent::EnabledChange &&
      (watched == project_->summaryEditor || watched == project_->exampleEditor ||
       watched == project_->summaryLabel || watched == project_->exampleLabel)) {
    CollapseUnusedEditors();
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
