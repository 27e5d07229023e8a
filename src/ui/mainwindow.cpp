#include "ui/mainwindow.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QFont>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QShortcut>
#include <QSplitter>
#include <QStatusBar>
#include <QTabWidget>
#include <QTreeWidget>
#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <QWebEngineView>

#include "project/topicform.h"
#include "ui/anchors.h"
#include "ui/caseinsensitivefiles.h"
#include "ui/controls.h"
#include "ui/modeltext.h"
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
  auto* central = new QWidget(this);
  setCentralWidget(central);
  statusBar()->setSizeGripEnabled(true);
  resize(649, 574);
  central->resize(649, 574 - statusBar()->sizeHint().height());

  mainPanel = new QTabWidget(central);
  mainPanel->setObjectName("MainPanel");
  mainPanel->setGeometry(0, 0, 650, 552);
  auto* projectTab = new QWidget;
  auto* optionsTab = new QWidget;
  mainPanel->addTab(projectTab, "Project");
  mainPanel->addTab(optionsTab, "Options");
  // The tab pages take their size from the panel; place their controls at that size.
  projectTab->resize(mainPanel->contentsRect().size() - QSize(4, 27));
  optionsTab->resize(projectTab->size());

  auto* windowAnchors = new Anchors(central);
  windowAnchors->Add(mainPanel, kStretch);
  anchors_.push_back(windowAnchors);

  BuildProjectTab(projectTab);
  BuildTopicPane();
  BuildPagePane(withBrowser);
  paneSplitter->addWidget(topicPane);
  paneSplitter->addWidget(pagePane);
  paneSplitter->setSizes({148, paneSplitter->width() - 148 - paneSplitter->handleWidth()});
  BuildOptionsTab(optionsTab);

  auto addShortcut = [this](Qt::Key key, app::CommandId command) {
    auto* shortcut = new QShortcut(QKeySequence(key), this);
    shortcut->setContext(Qt::WindowShortcut);
    connect(shortcut, &QShortcut::activated, this,
            [this, command] { emit shortcutCommand(command); });
  };
  addShortcut(Qt::Key_F1, app::CommandId::PreviewPage);
  addShortcut(Qt::Key_F2, app::CommandId::PreviewAll);
  addShortcut(Qt::Key_Escape, app::CommandId::EditViewKey);

  setMinimumSize(kMinimumInner);
  mainPanel->setCurrentIndex(0);
}

MainWindow::~MainWindow() = default;

void MainWindow::BuildProjectTab(QWidget* page) {
  auto* anchors = new Anchors(page);
  anchors_.push_back(anchors);
  const char* grey = "rgb(212, 212, 212)";

  Group(page, "PropertiesFrame", "Properties", {3, 3, 525, 95}, true);
  Label(page, "Project", {13, 23, 75, 20});
  projectFileField = Field(page, "ProjectFileField", "Project filename", {98, 18, 305, 20}, true);
  Label(page, "Library", {13, 48, 75, 20});
  libraryFileField = Field(page, "LibraryFileField", "Library filename", {98, 43, 305, 20}, true);
  Label(page, "Help Folder", {13, 73, 80, 20});
  helpFolderField = Field(page, "HelpFolderField", "Help files location", {98, 68, 275, 20}, true);
  showHelpButton =
      Button(page, "ShowHelpButton", "?", "Show help file", {408, 18, 25, 20}, grey, false);
  browseLibraryButton = Button(page, "BrowseLibraryButton", "...", "Browse for library",
                               {408, 43, 25, 20}, grey, false);
  createHelpFolderButton = Button(page, "CreateHelpFolderButton", "\\", "Create help folder",
                                  {378, 68, 25, 20}, grey, false);
  browseHelpFolderButton = Button(page, "BrowseHelpFolderButton", "...", "Browse for help folder",
                                  {408, 68, 25, 20}, grey, false);
  newProjectButton = Button(page, "NewProjectButton", "New Project", "Create new project",
                            {438, 18, 85, 20}, grey, true);
  loadProjectButton = Button(page, "LoadProjectButton", "Load Project", "Load a new project",
                             {438, 43, 85, 20}, grey, true);
  saveProjectButton = Button(page, "SaveProjectButton", "Save Project", "Save current project",
                             {438, 68, 85, 20}, grey, true);

  makeHelpFrame = Group(page, "MakeHelpFrame", "Make Help", {533, 3, 110, 95}, true);
  previewButton = Button(page, "PreviewButton", "Preview [F1]", "Preview current page",
                         {538, 18, 100, 20}, grey, true);
  previewAllButton =
      Button(page, "PreviewAllButton", "Preview all [F2]",
             "Preview all help files (starting with index.html)", {538, 43, 100, 20}, grey, true);
  createHtmlButton = Button(page, "CreateHtmlButton", "Create HTML files",
                            "Create HTML files (including TOC) in defined help folder",
                            {538, 68, 100, 20}, grey, true);
  for (QWidget* w :
       {static_cast<QWidget*>(makeHelpFrame), static_cast<QWidget*>(previewButton),
        static_cast<QWidget*>(previewAllButton), static_cast<QWidget*>(createHtmlButton)}) {
    anchors->Add(w, kMoveRight);
  }

  filesFrame = Group(page, "FilesFrame", "Files", {3, 103, 640, 420}, true);
  anchors->Add(filesFrame, kStretch);
  paneSplitter = new QSplitter(Qt::Horizontal, page);
  paneSplitter->setObjectName("PaneSplitter");
  paneSplitter->setGeometry(8, 115, 632, 404);
  paneSplitter->setChildrenCollapsible(false);
  anchors->Add(paneSplitter, kStretch);
}

void MainWindow::BuildTopicPane() {
  topicPane = new QWidget;
  topicPane->setObjectName("TopicPane");
  topicPane->resize(150, 405);
  topicPane->setMinimumWidth(148);
  auto* anchors = new Anchors(topicPane);
  anchors_.push_back(anchors);
  const char* grey154 = "rgb(154, 154, 154)";

  moveUpButton = Button(topicPane, "MoveUpButton", QString(QChar(0x2191)), "Move topic up",
                        {1, 6, 30, 20}, grey154, true);
  ArrowFont(moveUpButton);
  auto* captionFrame = new QFrame(topicPane);
  captionFrame->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
  captionFrame->setGeometry(31, 6, 84, 20);
  topicsCaption = Label(topicPane, "Topics", {32, 10, 78, 14});
  topicsCaption->setObjectName("TopicsCaption");
  topicsCaption->setAlignment(Qt::AlignCenter);
  moveDownButton = Button(topicPane, "MoveDownButton", QString(QChar(0x2193)), "Move topic down",
                          {114, 6, 30, 20}, grey154, true);
  ArrowFont(moveDownButton);

  topicListView = new QTreeWidget(topicPane);
  topicListView->setObjectName("TopicListView");
  topicListView->setToolTip("Current project help files [right-click to add/delete]");
  topicListView->setGeometry(1, 29, 145, 350);
  topicListView->setColumnCount(1);
  topicListView->setHeaderLabels({"Topics"});
  topicListView->setHeaderHidden(true);
  topicListView->setColumnWidth(0, 100);
  topicListView->setRootIsDecorated(false);
  topicListView->setSelectionMode(QAbstractItemView::SingleSelection);
  topicListView->setSelectionBehavior(QAbstractItemView::SelectRows);
  topicListView->setIconSize(QSize(16, 16));
  topicListView->setContextMenuPolicy(Qt::CustomContextMenu);
  QPalette palette = topicListView->palette();
  for (auto group : {QPalette::Active, QPalette::Inactive}) {
    palette.setColor(group, QPalette::Text, QColor(0, 98, 49));
    palette.setColor(group, QPalette::Base, Qt::white);
    palette.setColor(group, QPalette::Highlight, QColor(0, 98, 49));
    palette.setColor(group, QPalette::HighlightedText, Qt::white);
  }
  topicListView->setPalette(palette);
  connect(topicListView, &QTreeWidget::itemSelectionChanged, this, [this] {
    const QList<QTreeWidgetItem*> selected = topicListView->selectedItems();
    emit topicListEvent(
        selected.isEmpty() ? -1 : topicListView->indexOfTopLevelItem(selected.front()), false);
  });
  connect(topicListView, &QTreeWidget::customContextMenuRequested, this, [this](QPoint pos) {
    QTreeWidgetItem* item = topicListView->itemAt(pos);
    if (item == nullptr) return;
    {
      const QSignalBlocker block(topicListView);
      topicListView->setCurrentItem(item);
    }
    emit topicListEvent(topicListView->indexOfTopLevelItem(item), true);
  });

  extractButton =
      Button(topicPane, "ExtractButton", "Library information extraction",
             "Extracts library information", {1, 381, 145, 20}, "rgb(212, 212, 212)", true);

  anchors->Add(captionFrame, kStretchAcross);
  anchors->Add(topicsCaption, kStretchAcross);
  anchors->Add(moveDownButton, kMoveRight);
  anchors->Add(topicListView, kStretch);
  anchors->Add(extractButton, kStretchAcross | kMoveDown);
}

void MainWindow::BuildPagePane(bool withBrowser) {
  pagePane = new QWidget;
  pagePane->setObjectName("PagePane");
  pagePane->resize(475, 405);
  pagePane->setMinimumWidth(400);
  auto* anchors = new Anchors(pagePane);
  anchors_.push_back(anchors);

  const std::array<const char*, 6> captions = {"B", "/B", "U", "/U", "i", "/i"};
  const std::array<const char*, 6> tips = {"Bold",       "/Bold",  "Underline",
                                           "/Underline", "Italic", "/Italic"};
  for (std::size_t i = 0; i < 6; ++i) {
    tagButtons[i] = Button(pagePane, "TagButton", captions[i], tips[i],
                           {200 + 20 * static_cast<int>(i), 0, 18, 18}, "white", true);
    tagButtons[i]->setFocusPolicy(Qt::NoFocus);
    anchors->Add(tagButtons[i], kMoveRight);
  }
  editViewButton = Button(pagePane, "EditViewButton", QString(QChar(0x2194)),
                          "Switch Edit/View [Esc]", {446, 0, 28, 18}, "rgb(154, 154, 154)", true);
  ArrowFont(editViewButton);
  anchors->Add(editViewButton, kMoveRight);

  // Until a topic is shown the form holds placeholders that say what goes where.
  const project::EditForm placeholder = project::PlaceholderForm();
  const project::FormLayout initial = project::InitialFormLayout();
  titleLabel = Group(pagePane, "TitleLabel", "Page Title", {0, 16, 476, 40}, false);
  titleField = Field(pagePane, "TitleField", "HTML PageTitle", {4, 30, 465, 20}, false);
  titleField->setText(FromModel(placeholder.title));
  titleField->setStyleSheet("QLineEdit { color: rgb(0, 0, 100); background: white; }");
  summaryLabel =
      Group(pagePane, "SummaryLabel", FromModel(initial.summaryLabel), {0, 56, 476, 78}, false);
  summaryEditor =
      Editor(pagePane, "SummaryEditor", FromModel(placeholder.summary), {4, 71, 465, 58});
  summaryEditor->setToolTip(FromModel(initial.summaryTooltip.value_or("")));
  bodyLabel = Group(pagePane, "BodyLabel", FromModel(initial.bodyLabel), {0, 135, 476, 125}, false);
  bodyEditor = Editor(pagePane, "BodyEditor", FromModel(placeholder.body), {4, 150, 465, 105});
  bodyEditor->setToolTip(FromModel(initial.bodyTooltip.value_or("")));
  exampleLabel =
      Group(pagePane, "ExampleLabel", FromModel(initial.exampleLabel), {0, 260, 476, 140}, false);
  exampleEditor =
      Editor(pagePane, "ExampleEditor", FromModel(placeholder.example), {4, 275, 465, 120});
  // The group boxes frame the fields; the fields sit above them.
  for (QWidget* w : {static_cast<QWidget*>(titleField), static_cast<QWidget*>(summaryEditor),
                     static_cast<QWidget*>(bodyEditor), static_cast<QWidget*>(exampleEditor)}) {
    w->raise();
  }
  anchors->Add(titleLabel, kStretchAcross);
  anchors->Add(titleField, kStretchAcross);
  anchors->Add(summaryLabel, kStretchAcross);
  anchors->Add(summaryEditor, kStretchAcross);
  anchors->Add(bodyLabel, kStretch);
  anchors->Add(bodyEditor, kStretch);
  anchors->Add(exampleLabel, kStretchAcross | kMoveDown);
  anchors->Add(exampleEditor, kStretchAcross | kMoveDown);

  for (const auto& [editor, which] :
       {std::pair{summaryEditor, app::Editor::Summary}, std::pair{bodyEditor, app::Editor::Body},
        std::pair{exampleEditor, app::Editor::Example}}) {
    editor->installEventFilter(this);
    connect(editor, &QPlainTextEdit::textChanged, this, [this, which] { emit editorEvent(which); });
  }

  if (withBrowser) {
    previewBrowser = new QWebEngineView(pagePane);
    previewBrowser->setObjectName("PreviewBrowser");
    previewBrowser->setGeometry(1, 22, 474, 377);
    ResolveLocalFilesIgnoringCase(previewBrowser->page()->profile());
    previewBrowser->setUrl(QUrl("about:blank"));
    previewBrowser->hide();
    anchors->Add(previewBrowser, kStretch);
  } else {
    editViewButton->setEnabled(false);
  }
}

void MainWindow::BuildOptionsTab(QWidget* page) {
  auto* anchors = new Anchors(page);
  anchors_.push_back(anchors);
  const char* grey = "rgb(212, 212, 212)";

  compileCheckBox = new QCheckBox("Compile Help folder to CHM (needs CHM Compiler)", page);
  compileCheckBox->setObjectName("CompileCheckBox");
  compileCheckBox->setToolTip("Compiles help folder to CMH after HTML files creation");
  compileCheckBox->setGeometry(8, 8, 275, 25);
  compilerPathField =
      Field(page, "CompilerPathField", "Path to CHM compiler (like HHC.exe or HTM2CHM.exe)",
            {283, 8, 270, 20}, true);
  browseCompilerButton =
      Button(page, "BrowseCompilerButton", "...", "Browse files", {558, 8, 20, 20}, grey, false);
  keepDataCheckBox =
      new QCheckBox("When extracting library information, do not overwrite existing data", page);
  keepDataCheckBox->setObjectName("KeepDataCheckBox");
  keepDataCheckBox->setToolTip(
      "Existing project data is not overwritten when extracting library information");
  keepDataCheckBox->setGeometry(8, 33, 330, 25);
  keepDataCheckBox->setChecked(true);
  eraseHtmlCheckBox = new QCheckBox("Erase HTML files after CHM creation", page);
  eraseHtmlCheckBox->setObjectName("EraseHtmlCheckBox");
  eraseHtmlCheckBox->setToolTip("The HTML, HHC and HHP files are erased after CHM file creation");
  eraseHtmlCheckBox->setGeometry(8, 63, 200, 20);

  localisationFrame = Group(page, "LocalisationFrame", "Localisation", {3, 88, 635, 200}, true);
  const std::array<const char*, 6> names = {"Overview", "Command Index", "Syntax",
                                            "Example",  "Description",   "Functions"};
  const std::array<const char*, 6> defaults = {"Overview", "Command Index", "Syntax",
                                               "Example",  "Description",   "Functions"};
  for (int i = 0; i < 6; ++i) {
    Label(page, names[static_cast<std::size_t>(i)], {13, 108 + 25 * i, i < 2 ? 115 : 120, 20});
    QLineEdit* field = Field(page, "HeadingField", "", {138, 103 + 25 * i, 410, 20}, false);
    field->setText(defaults[static_cast<std::size_t>(i)]);
    headingFields[static_cast<std::size_t>(i)] = field;
  }
  Label(page, "Language", {13, 263, 120, 20});
  languageList = new QComboBox(page);
  languageList->setObjectName("LanguageList");
  languageList->setEditable(false);
  languageList->setGeometry(138, 258, 140, 22);

  aboutFrame = Group(page, "AboutFrame", "About", {8, 418, 300, 105}, true);
  aboutText = Label(page, AboutText(), {13, 435, 290, 85});
  aboutText->setObjectName("AboutText");
  aboutText->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  aboutText->setWordWrap(true);
  {
    QFont small = aboutText->font();
    small.setPointSizeF(small.pointSizeF() * 0.85);
    aboutText->setFont(small);
  }
  uniqueHtmlButton =
      Button(page, "UniqueHtmlButton", "Create unique HTML help file now !",
             "Create a unique HTML help file with all functions (usefull for web site)",
             {318, 438, 320, 20}, grey, true);
  associationFrame = Group(page, "AssociationFrame", "QuillSmith project files association",
                           {313, 468, 330, 55}, true);
  associateButton = Button(page, "AssociateButton", "Associate .qsp files to QuillSmith",
                           "Register project files", {318, 488, 170, 25}, grey, true);
  removeAssociationButton = Button(page, "RemoveAssociationButton", "Remove Association",
                                   "Unregister project files", {493, 488, 145, 25}, grey, true);
  anchors->Add(aboutFrame, kMoveDown);
  anchors->Add(aboutText, kMoveDown);
  for (QWidget* w :
       {static_cast<QWidget*>(uniqueHtmlButton), static_cast<QWidget*>(associationFrame),
        static_cast<QWidget*>(associateButton), static_cast<QWidget*>(removeAssociationButton)}) {
    anchors->Add(w, kMoveRight | kMoveDown);
  }
}

void MainWindow::showEvent(QShowEvent* event) {
  QMainWindow::showEvent(event);
  if (shownOnce_) return;
  shownOnce_ = true;
  // The places above are those of the window's size at creation: from now on every resize
  // moves and stretches the controls by the difference.
  // A hidden tab page has not been given its size yet: it will have the visible page's.
  const QSize pageSize = mainPanel->currentWidget()->size();
  for (Anchors* anchors : anchors_) {
    if (anchors->parent() == mainPanel->widget(1) && mainPanel->currentIndex() != 1) {
      anchors->Capture(pageSize);
    } else {
      anchors->Capture();
    }
  }
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::FocusIn || event->type() == QEvent::FocusOut) {
    if (watched == summaryEditor) emit editorEvent(app::Editor::Summary);
    if (watched == bodyEditor) emit editorEvent(app::Editor::Body);
    if (watched == exampleEditor) emit editorEvent(app::Editor::Example);
  }
  return QMainWindow::eventFilter(watched, event);
}

void MainWindow::closeEvent(QCloseEvent* event) {
  if (closeHandler_) {
    auto handler = std::move(closeHandler_);
    closeHandler_ = nullptr;
    handler();
  }
  event->accept();
}

}  // namespace qs::ui
