#include "ui/mainwindow.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QCursor>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMenu>
#include <QPushButton>
#include <QScreen>
#include <QShortcut>
#include <QSplitter>
#include <QStatusBar>
#include <QTabWidget>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <QWebEngineView>

#include "ui/caseinsensitivefiles.h"
#include "ui/formeditor.h"
#include "ui/icons.h"
#include "ui/spellcheck.h"

namespace qs::ui {

namespace {

const QColor kDarkGreen(0, 98, 49);
const QColor kGrey212(212, 212, 212);
const QColor kGrey154(154, 154, 154);
const QColor kDarkBlue(0, 0, 160);
const QColor kNavy(0, 0, 100);

// The narrowest the two panes of the splitter can be made.
constexpr int kTopicPaneMinimum = 148;
constexpr int kPagePaneMinimum = 400;

QString Rgb(const QColor& colour) {
  return QString("rgb(%1, %2, %3)").arg(colour.red()).arg(colour.green()).arg(colour.blue());
}

// A button face filled with `face`. A flat button has a thin frame, a raised one an outset
// edge. With the keyboard focus the frame turns into a strong dark one, which the style sheet
// would otherwise leave out. The padding keeps the caption in place when the frame changes.
QString FaceSheet(const QColor& face, bool flat) {
  const QString edge =
      flat ? "border: 1px solid rgb(160, 160, 160); padding: 2px 6px;"
           : QString("border: 2px outset %1; padding: 1px 5px;").arg(Rgb(face.lighter(112)));
  return QString(
             "QPushButton { background-color: %1; %2 }"
             " QPushButton:pressed { background-color: %3; }"
             " QPushButton:focus { border: 2px solid %4; padding: 1px 5px; }"
             " QPushButton:disabled { color: rgb(150, 150, 150); }")
      .arg(Rgb(face), edge, Rgb(face.darker(118)), Rgb(kDarkBlue));
}

QPushButton* Button(const char* name, const QString& caption, const QString& tooltip,
                    const QColor& face, bool flat) {
  auto* button = new QPushButton(caption);
  button->setObjectName(name);
  button->setToolTip(tooltip);
  button->setFlat(flat);
  button->setAutoDefault(false);
  button->setStyleSheet(FaceSheet(face, flat));
  button->setSizePolicy(QSizePolicy::Minimum, QSizePolicy::Fixed);
  return button;
}

// A button whose face shows no word gets its Alt key this way; the tooltip names it.
void GiveKey(QAbstractButton* button, QKeyCombination key) {
  const QKeySequence sequence(key);
  button->setShortcut(sequence);
  button->setToolTip(button->toolTip() + " [" + sequence.toString(QKeySequence::NativeText) + "]");
}

QPushButton* GlyphButton(const char* name, const QIcon& icon, const QString& tooltip,
                         const QString& accessibleName, const QColor& face) {
  QPushButton* button = Button(name, QString(), tooltip, face, true);
  button->setIcon(icon);
  button->setAccessibleName(accessibleName);
  return button;
}

QGroupBox* Group(const char* name, const QString& caption, bool darkGreenCaption) {
  auto* group = new QGroupBox(caption);
  group->setObjectName(name);
  // Named, so that the colour stays with this group and does not reach the groups inside it.
  if (darkGreenCaption) {
    group->setStyleSheet(QString("QGroupBox#%1 { color: %2; }").arg(name, Rgb(kDarkGreen)));
  }
  return group;
}

QLineEdit* Field(const char* name, const QString& tooltip, bool readOnly) {
  auto* field = new QLineEdit;
  field->setObjectName(name);
  field->setToolTip(tooltip);
  field->setReadOnly(readOnly);
  return field;
}

// Text in `text` on `base` while usable; a disabled control keeps the style's grey.
void Colours(QWidget* control, const QColor& text, const QColor& base) {
  QPalette palette = control->palette();
  for (auto group : {QPalette::Active, QPalette::Inactive}) {
    palette.setColor(group, QPalette::Text, text);
    palette.setColor(group, QPalette::Base, base);
  }
  control->setPalette(palette);
}

FormEditor* Editor(const char* name, const QString& placeholder, int minimumLines,
                   int preferredLines, bool tabTypesTab) {
  auto* editor = new FormEditor(minimumLines, preferredLines, tabTypesTab);
  editor->setObjectName(name);
  editor->setPlaceholderText(placeholder);
  editor->setToolTip(placeholder);
  Colours(editor, kDarkBlue, Qt::white);
  return editor;
}

// A group box holding one control.
QGroupBox* Framed(QGroupBox* group, QWidget* control) {
  auto* layout = new QVBoxLayout(group);
  layout->addWidget(control);
  return group;
}

// A list to pick one entry from, as wide as its longest entry.
QComboBox* DropDown(const char* name) {
  auto* list = new QComboBox;
  list->setObjectName(name);
  list->setEditable(false);
  list->setSizeAdjustPolicy(QComboBox::AdjustToContents);
  list->setMinimumContentsLength(12);
  return list;
}

QLabel* Caption(const QString& text, QWidget* buddy = nullptr) {
  auto* label = new QLabel(text);
  if (buddy != nullptr) label->setBuddy(buddy);
  return label;
}

}  // namespace

const std::array<const char*, 6> MainWindow::kTags = {"<b>", "</b>", "<u>", "</u>", "<i>", "</i>"};

QString MainWindow::AboutText() {
  return QStringLiteral(
      "QuillSmith: the help of a PureBasic user library, made by its own author."
      "\nIt needs an HTML2CHM compiler and ATL.DLL in the path."
      "\n"
      "\nThanks to the PureBasic community for ideas and testing,"
      "\nand to everyone who sent a project file with a bug report."
      "\nVersion 1.03.99");
}

MainWindow::MainWindow(bool withBrowser) {
  setWindowTitle("QuillSmith [Fast Builder]");
  setObjectName("MainWindow");
  setWindowIcon(ProgramIcon());
  auto* central = new QWidget(this);
  setCentralWidget(central);
  statusBar()->setSizeGripEnabled(true);

  mainPanel = new QTabWidget;
  mainPanel->setObjectName("MainPanel");
  auto* centralLayout = new QVBoxLayout(central);
  centralLayout->setContentsMargins(0, 0, 0, 0);
  centralLayout->addWidget(mainPanel);
  auto* projectTab = new QWidget;
  auto* optionsTab = new QWidget;
  mainPanel->addTab(projectTab, "&Project");
  mainPanel->addTab(optionsTab, "&Options");

  spellCheck_ = new SpellCheck(DictionaryFolders(), this);
  BuildProjectTab(projectTab);
  BuildTopicPane();
  BuildPagePane(withBrowser);
  AttachSpellCheck();
  paneSplitter->addWidget(topicPane);
  paneSplitter->addWidget(pagePane);
  // The divider starts as far left as the topic pane allows; the page pane takes the growth.
  paneSplitter->setStretchFactor(1, 1);
  paneSplitter->setSizes({topicPane->minimumSizeHint().width(), QWIDGETSIZE_MAX});
  BuildOptionsTab(optionsTab);
  SetTabOrder();

  auto addShortcut = [this](Qt::Key key, int command) {
    auto* shortcut = new QShortcut(QKeySequence(key), this);
    shortcut->setContext(Qt::WindowShortcut);
    connect(shortcut, &QShortcut::activated, this,
            [this, command] { emit shortcutCommand(command); });
  };
  addShortcut(Qt::Key_F1, 3);
  addShortcut(Qt::Key_F2, 4);
  addShortcut(Qt::Key_Escape, 5);

  setFormActive(false);
  mainPanel->setCurrentIndex(0);
  FitAboutText();
  FitMinimumSize();
  PlaceOnScreen();
}

MainWindow::~MainWindow() = default;

void MainWindow::BuildProjectTab(QWidget* page) {
  projectFileField = Field("ProjectFileField", "Project filename", true);
  libraryFileField = Field("LibraryFileField", "Library filename", true);
  helpFolderField = Field("HelpFolderField", "Help files location", true);
  showHelpButton = Button("ShowHelpButton", "?", "Show help file", kGrey212, false);
  GiveKey(showHelpButton, Qt::ALT | Qt::Key_H);
  browseLibraryButton = Button("BrowseLibraryButton", "...", "Browse for library", kGrey212, false);
  GiveKey(browseLibraryButton, Qt::ALT | Qt::Key_R);
  createHelpFolderButton =
      Button("CreateHelpFolderButton", "\\", "Create help folder", kGrey212, false);
  GiveKey(createHelpFolderButton, Qt::ALT | Qt::Key_D);
  browseHelpFolderButton =
      Button("BrowseHelpFolderButton", "...", "Browse for help folder", kGrey212, false);
  GiveKey(browseHelpFolderButton, Qt::ALT | Qt::Key_F);
  newProjectButton =
      Button("NewProjectButton", "&New Project", "Create new project", kGrey212, true);
  loadProjectButton =
      Button("LoadProjectButton", "&Load Project", "Load a new project", kGrey212, true);
  saveProjectButton =
      Button("SaveProjectButton", "&Save Project", "Save current project", kGrey212, true);

  BuildRecentProjectsButton();
  // "Load Project" and its drop-down of recent projects are one split button.
  auto* loadRow = new QHBoxLayout;
  loadRow->setSpacing(0);
  loadRow->addWidget(loadProjectButton, 1);
  loadRow->addWidget(recentProjectsButton);

  // Label, path field (stretching up to the buttons), the small buttons, the project buttons.
  auto* properties = Group("PropertiesFrame", "Properties", true);
  auto* grid = new QGridLayout(properties);
  grid->addWidget(Caption("Project"), 0, 0);
  grid->addWidget(projectFileField, 0, 1, 1, 2);
  grid->addWidget(showHelpButton, 0, 3);
  grid->addWidget(newProjectButton, 0, 4);
  grid->addWidget(Caption("Library"), 1, 0);
  grid->addWidget(libraryFileField, 1, 1, 1, 2);
  grid->addWidget(browseLibraryButton, 1, 3);
  grid->addLayout(loadRow, 1, 4);
  grid->addWidget(Caption("Help Folder"), 2, 0);
  grid->addWidget(helpFolderField, 2, 1);
  grid->addWidget(createHelpFolderButton, 2, 2);
  grid->addWidget(browseHelpFolderButton, 2, 3);
  grid->addWidget(saveProjectButton, 2, 4);
  grid->setColumnStretch(1, 1);
  grid->setHorizontalSpacing(5);

  makeHelpFrame = Group("MakeHelpFrame", "Make Help", true);
  previewButton = Button("PreviewButton", "Pre&view [F1]", "Preview current page", kGrey212, true);
  previewAllButton = Button("PreviewAllButton", "Preview &all [F2]",
                            "Preview all help files (starting with index.html)", kGrey212, true);
  createHtmlButton =
      Button("CreateHtmlButton", "&Create HTML files",
             "Create HTML files (including TOC) in defined help folder", kGrey212, true);
  auto* makeHelp = new QVBoxLayout(makeHelpFrame);
  makeHelp->addWidget(previewButton);
  makeHelp->addWidget(previewAllButton);
  makeHelp->addWidget(createHtmlButton);

  filesFrame = Group("FilesFrame", "Files", true);
  paneSplitter = new QSplitter(Qt::Horizontal);
  paneSplitter->setObjectName("PaneSplitter");
  paneSplitter->setChildrenCollapsible(false);
  auto* files = new QVBoxLayout(filesFrame);
  files->addWidget(paneSplitter);

  // The path fields and the files take the width; the "Make Help" group keeps its own.
  auto* top = new QHBoxLayout;
  top->addWidget(properties, 1);
  top->addWidget(makeHelpFrame, 0);
  auto* layout = new QVBoxLayout(page);
  layout->setContentsMargins(3, 3, 3, 3);
  layout->addLayout(top);
  layout->addWidget(filesFrame, 1);
}

void MainWindow::BuildTopicPane() {
  topicPane = new QWidget;
  topicPane->setObjectName("TopicPane");

  moveUpButton = GlyphButton("MoveUpButton", UpArrowIcon(), "Move topic up", "Up", kGrey154);
  GiveKey(moveUpButton, Qt::ALT | Qt::Key_Up);
  topicsCaption = new QLabel("Topics");
  topicsCaption->setObjectName("TopicsCaption");
  topicsCaption->setAlignment(Qt::AlignCenter);
  topicsCaption->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
  moveDownButton =
      GlyphButton("MoveDownButton", DownArrowIcon(), "Move topic down", "Down", kGrey154);
  GiveKey(moveDownButton, Qt::ALT | Qt::Key_Down);

  topicListView = new QTreeWidget;
  topicListView->setObjectName("TopicListView");
  topicListView->setToolTip("Current project help files [right-click to add/delete]");
  topicListView->setColumnCount(1);
  topicListView->setHeaderLabels({"Topics"});
  topicListView->setHeaderHidden(true);
  topicListView->setColumnWidth(0, 100);
  topicListView->setRootIsDecorated(false);
  topicListView->setSelectionMode(QAbstractItemView::SingleSelection);
  topicListView->setSelectionBehavior(QAbstractItemView::SelectRows);
  topicListView->setIconSize(QSize(16, 16));
  QPalette palette = topicListView->palette();
  for (auto group : {QPalette::Active, QPalette::Inactive}) {
    palette.setColor(group, QPalette::Text, kDarkGreen);
    palette.setColor(group, QPalette::Base, Qt::white);
    palette.setColor(group, QPalette::Highlight, kDarkGreen);
    palette.setColor(group, QPalette::HighlightedText, Qt::white);
  }
  topicListView->setPalette(palette);
  // With the keyboard focus the list is framed in a strong colour, as the buttons are.
  topicListView->setStyleSheet(QString("QTreeWidget { border: 1px solid rgb(160, 160, 160); }"
                                       " QTreeWidget:focus { border: 2px solid %1; }")
                                   .arg(Rgb(kDarkBlue)));
  connect(topicListView, &QTreeWidget::itemSelectionChanged, this, [this] {
    const QList<QTreeWidgetItem*> selected = topicListView->selectedItems();
    emit topicListEvent(
        selected.isEmpty() ? -1 : topicListView->indexOfTopLevelItem(selected.front()), false);
  });
  topicListView->installEventFilter(this);
  topicListView->viewport()->installEventFilter(this);

  extractButton = Button("ExtractButton", "Library information e&xtraction",
                         "Extracts library information", kGrey212, true);

  auto* captionRow = new QHBoxLayout;
  captionRow->setSpacing(1);
  captionRow->addWidget(moveUpButton);
  captionRow->addWidget(topicsCaption, 1);
  captionRow->addWidget(moveDownButton);
  auto* layout = new QVBoxLayout(topicPane);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(3);
  layout->addStrut(kTopicPaneMinimum);
  layout->addLayout(captionRow);
  layout->addWidget(topicListView, 1);
  layout->addWidget(extractButton);
}

void MainWindow::BuildPagePane(bool withBrowser) {
  pagePane = new QWidget;
  pagePane->setObjectName("PagePane");

  const std::array<const char*, 6> captions = {"B", "/B", "U", "/U", "i", "/i"};
  const std::array<const char*, 6> tips = {"Bold",       "/Bold",  "Underline",
                                           "/Underline", "Italic", "/Italic"};
  // The opening tag on Alt and the letter, the closing one with Shift as well.
  const std::array<Qt::Key, 3> letters = {Qt::Key_B, Qt::Key_U, Qt::Key_I};
  auto* toolRow = new QHBoxLayout;
  toolRow->setSpacing(2);
  toolRow->addStretch(1);
  for (std::size_t i = 0; i < tagButtons.size(); ++i) {
    tagButtons[i] = Button("TagButton", captions[i], tips[i], Qt::white, true);
    // The tags go into the editor that has the focus; the buttons never take it.
    tagButtons[i]->setFocusPolicy(Qt::NoFocus);
    const Qt::KeyboardModifiers modifiers =
        i % 2 == 0 ? Qt::AltModifier : Qt::AltModifier | Qt::ShiftModifier;
    GiveKey(tagButtons[i], QKeyCombination(modifiers, letters[i / 2]));
    toolRow->addWidget(tagButtons[i]);
  }
  toolRow->addSpacing(24);
  editViewButton = GlyphButton("EditViewButton", BothWaysArrowIcon(), "Switch Edit/View [Esc]",
                               "Edit/View", kGrey154);
  GiveKey(editViewButton, Qt::ALT | Qt::Key_E);
  toolRow->addWidget(editViewButton);

  titleField = Field("TitleField", "HTML PageTitle", false);
  titleField->setPlaceholderText("PageTitle");
  Colours(titleField, kNavy, Qt::white);
  titleLabel = Framed(Group("TitleLabel", "Page Title", false), titleField);
  summaryEditor = Editor("SummaryEditor", "Syntax (Function) or Overview (Index)", 3, 3, false);
  summaryEditor->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
  summaryLabel = Framed(Group("SummaryLabel", "Syntax / Overview", false), summaryEditor);
  bodyEditor = Editor("BodyEditor", "Description", 3, 7, false);
  bodyEditor->setToolTip("Function description");
  bodyLabel = Framed(Group("BodyLabel", "Description", false), bodyEditor);
  // Code is indented with tabs: in the example Tab types one.
  exampleEditor = Editor("ExampleEditor", "Code example", 3, 8, true);
  exampleLabel = Framed(Group("ExampleLabel", "Example", false), exampleEditor);

  auto* layout = new QVBoxLayout(pagePane);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(2);
  layout->addStrut(kPagePaneMinimum);
  layout->addLayout(toolRow);
  layout->addWidget(titleLabel);
  layout->addWidget(summaryLabel);
  // Description and example share the height, the example at least a third of it.
  layout->addWidget(bodyLabel, 2);
  layout->addWidget(exampleLabel, 1);

  for (QWidget* watched : {static_cast<QWidget*>(summaryEditor), static_cast<QWidget*>(bodyEditor),
                           static_cast<QWidget*>(exampleEditor)}) {
    watched->installEventFilter(this);
  }
  for (QWidget* group : {titleLabel, summaryLabel, bodyLabel, exampleLabel}) {
    group->installEventFilter(this);
  }
  int index = 0;
  for (QPlainTextEdit* editor : {summaryEditor, bodyEditor, exampleEditor}) {
    connect(editor, &QPlainTextEdit::textChanged, this, [this, index] { emit editorEvent(index); });
    ++index;
  }

  if (withBrowser) {
    previewBrowser = new QWebEngineView;
    previewBrowser->setObjectName("PreviewBrowser");
    ResolveLocalFilesIgnoringCase(previewBrowser->page()->profile());
    previewBrowser->setUrl(QUrl("about:blank"));
    previewBrowser->hide();
    layout->addWidget(previewBrowser, 3);
  } else {
    editViewButton->setEnabled(false);
  }
}

void MainWindow::BuildOptionsTab(QWidget* page) {
  compileCheckBox = new QCheckBox("&Compile Help folder to CHM (needs CHM Compiler)");
  compileCheckBox->setObjectName("CompileCheckBox");
  compileCheckBox->setToolTip("Compiles help folder to CMH after HTML files creation");
  compilerPathField =
      Field("CompilerPathField", "Path to CHM compiler (like HHC.exe or HTM2CHM.exe)", true);
  browseCompilerButton = Button("BrowseCompilerButton", "...", "Browse files", kGrey212, false);
  GiveKey(browseCompilerButton, Qt::ALT | Qt::Key_B);
  keepDataCheckBox =
      new QCheckBox("When extracting library information, do not overwrite existing &data");
  keepDataCheckBox->setObjectName("KeepDataCheckBox");
  keepDataCheckBox->setToolTip(
      "Existing project data is not overwritten when extracting library information");
  keepDataCheckBox->setChecked(true);
  eraseHtmlCheckBox = new QCheckBox("&Erase HTML files after CHM creation");
  eraseHtmlCheckBox->setObjectName("EraseHtmlCheckBox");
  eraseHtmlCheckBox->setToolTip("The HTML, HHC and HHP files are erased after CHM file creation");

  localisationFrame = Group("LocalisationFrame", "Localisation", true);
  auto* captions = new QGridLayout(localisationFrame);
  const std::array<const char*, 6> names = {"O&verview", "Co&mmand Index", "&Syntax",
                                            "E&xample",  "Descr&iption",   "&Functions"};
  const std::array<const char*, 6> defaults = {"Overview", "Command Index", "Syntax",
                                               "Example",  "Description",   "Functions"};
  for (std::size_t i = 0; i < headingFields.size(); ++i) {
    QLineEdit* field = Field("HeadingField", "", false);
    field->setText(defaults[i]);
    headingFields[i] = field;
    const int row = static_cast<int>(i);
    captions->addWidget(Caption(names[i], field), row, 0);
    captions->addWidget(field, row, 1, 1, 2);
  }
  languageList = DropDown("LanguageList");
  captions->addWidget(Caption("&Language", languageList), 6, 0);
  captions->addWidget(languageList, 6, 1);
  dictionaryList = DropDown("DictionaryList");
  captions->addWidget(Caption("Dic&tionary", dictionaryList), 7, 0);
  captions->addWidget(dictionaryList, 7, 1);
  captions->setColumnStretch(2, 1);
  FillDictionaryList();
  connect(dictionaryList, &QComboBox::activated, this, [this](int index) {
    spellCheck_->SetDictionary(dictionaryList->itemData(index).toString());
  });
  connect(spellCheck_, &SpellCheck::dictionaryChanged, this, &MainWindow::ShowActiveDictionary);
  connect(spellCheck_, &SpellCheck::dictionariesFound, this, &MainWindow::FillDictionaryList);
  // A dictionary installed while the program runs is offered when the options are looked at.
  connect(mainPanel, &QTabWidget::currentChanged, spellCheck_, [this, page](int index) {
    if (mainPanel->widget(index) == page) spellCheck_->Rescan();
  });

  aboutFrame = Group("AboutFrame", "About", true);
  aboutText = new QLabel(AboutText());
  aboutText->setObjectName("AboutText");
  aboutText->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  aboutText->setWordWrap(true);
  aboutText->installEventFilter(this);
  Framed(aboutFrame, aboutText);

  uniqueHtmlButton = Button(
      "UniqueHtmlButton", "Create &unique HTML help file now !",
      "Create a unique HTML help file with all functions (usefull for web site)", kGrey212, true);
  associationFrame = Group("AssociationFrame", "QuillSmith project files association", true);
  associateButton = Button("AssociateButton", "&Associate .qsp files to QuillSmith",
                           "Register project files", kGrey212, true);
  removeAssociationButton = Button("RemoveAssociationButton", "&Remove Association",
                                   "Unregister project files", kGrey212, true);
  auto* association = new QHBoxLayout(associationFrame);
  association->addWidget(associateButton);
  association->addWidget(removeAssociationButton);

  auto* compilerRow = new QHBoxLayout;
  compilerRow->addWidget(compileCheckBox);
  compilerRow->addWidget(compilerPathField, 1);
  compilerRow->addWidget(browseCompilerButton);
  // The about group sits in the lower left corner, the file buttons in the lower right one.
  auto* rightCorner = new QVBoxLayout;
  rightCorner->addStretch(1);
  rightCorner->addWidget(uniqueHtmlButton);
  rightCorner->addWidget(associationFrame);
  auto* bottom = new QHBoxLayout;
  bottom->addWidget(aboutFrame, 1, Qt::AlignLeft | Qt::AlignBottom);
  bottom->addLayout(rightCorner);
  auto* layout = new QVBoxLayout(page);
  layout->setContentsMargins(5, 5, 5, 5);
  layout->addLayout(compilerRow);
  layout->addWidget(keepDataCheckBox);
  layout->addWidget(eraseHtmlCheckBox);
  layout->addWidget(localisationFrame);
  layout->addStretch(1);
  layout->addLayout(bottom);
}

void MainWindow::SetTabOrder() {
  // The order of the controls in the window's description, tab by tab.
  std::vector<QWidget*> chain = {projectFileField,       libraryFileField,
                                 helpFolderField,        showHelpButton,
                                 browseLibraryButton,    createHelpFolderButton,
                                 browseHelpFolderButton, newProjectButton,
                                 loadProjectButton,      recentProjectsButton,
                                 saveProjectButton,      previewButton,
                                 previewAllButton,       createHtmlButton,
                                 moveUpButton,           moveDownButton,
                                 topicListView,          extractButton,
                                 editViewButton,         titleField,
                                 summaryEditor,          bodyEditor,
                                 exampleEditor};
  if (previewBrowser != nullptr) chain.push_back(previewBrowser);
  chain.insert(chain.end(), {compileCheckBox, compilerPathField, browseCompilerButton,
                             keepDataCheckBox, eraseHtmlCheckBox});
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
  spellCheck_->SetTopicNameProvider([this] {
    QStringList names;
    names.reserve(topicListView->topLevelItemCount());
    for (int row = 0; row < topicListView->topLevelItemCount(); ++row) {
      names.append(topicListView->topLevelItem(row)->text(0));
    }
    return names;
  });
  QAbstractItemModel* rows = topicListView->model();
  auto changed = [this] { spellCheck_->TopicNamesChanged(); };
  connect(rows, &QAbstractItemModel::rowsInserted, spellCheck_, changed);
  connect(rows, &QAbstractItemModel::rowsRemoved, spellCheck_, changed);
  connect(rows, &QAbstractItemModel::modelReset, spellCheck_, changed);
  connect(rows, &QAbstractItemModel::dataChanged, spellCheck_, changed);
}

void MainWindow::FillDictionaryList() {
  dictionaryList->clear();
  dictionaryList->addItem("None", SpellCheck::kOff);
  dictionaryList->setItemData(0, "No spell checking", Qt::ToolTipRole);
  for (const DictionaryFiles& files : spellCheck_->installedDictionaries()) {
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
  const QString active = spellCheck_->activeDictionary();
  const bool installed = !spellCheck_->installedDictionaries().isEmpty();
  const int index = dictionaryList->findData(active.isEmpty() ? SpellCheck::kOff : active);
  dictionaryList->setCurrentIndex(std::max(index, 0));
  dictionaryList->setEnabled(installed);
  if (!installed) {
    dictionaryList->setToolTip(
        "Spell checking is off: no spelling dictionary is installed.\n"
        "Install one (a Hunspell dictionary, on Debian for example the package hunspell-en-us)\n"
        "or put its .aff and .dic files into the folder \"dictionaries\" beside the program.");
  } else if (spellCheck_->dictionaryUnreadable()) {
    dictionaryList->setToolTip("Spell checking is off: the dictionary could not be read");
  } else if (active.isEmpty() && spellCheck_->dictionaryChoice() != SpellCheck::kOff) {
    dictionaryList->setToolTip(
        "Spell checking is off: there is no dictionary for the system's language; choose one");
  } else {
    dictionaryList->setToolTip(
        "Dictionary for the spell checking of the page title, syntax / overview and "
        "description");
  }
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
  if (menuByKeyboard_) {
    if (QTreeWidgetItem* item = topicListView->currentItem()) {
      const QRect row = topicListView->visualItemRect(item);
      return topicListView->viewport()->mapToGlobal(row.bottomLeft() +
                                                    QPoint(topicListView->iconSize().width(), 0));
    }
  }
  return QCursor::pos() - QPoint(1, 1);
}

void MainWindow::RequestTopicMenu(QTreeWidgetItem* item, bool byKeyboard) {
  if (item == nullptr) return;
  menuByKeyboard_ = byKeyboard;
  {
    const QSignalBlocker block(topicListView);
    topicListView->setCurrentItem(item);
  }
  emit topicListEvent(topicListView->indexOfTopLevelItem(item), true);
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
  return handled;
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
  const QEvent::Type type = event->type();
  if (type == QEvent::FocusIn || type == QEvent::FocusOut) {
    if (watched == summaryEditor) emit editorEvent(0);
    if (watched == bodyEditor) emit editorEvent(1);
    if (watched == exampleEditor) emit editorEvent(2);
  }
  if (type == QEvent::EnabledChange && (watched == summaryEditor || watched == exampleEditor ||
                                        watched == summaryLabel || watched == exampleLabel)) {
    CollapseUnusedEditors();
  }
  if (watched == aboutText && (type == QEvent::FontChange || type == QEvent::StyleChange)) {
    FitAboutText();
  }
  if (watched == topicListView && type == QEvent::KeyPress) {
    // Shift+F10 and the menu key open the popup menu at the selected row.
    const auto* key = static_cast<QKeyEvent*>(event);
    const bool menuKey = key->key() == Qt::Key_Menu && key->modifiers() == Qt::NoModifier;
    const bool shiftF10 = key->key() == Qt::Key_F10 && key->modifiers() == Qt::ShiftModifier;
    if (menuKey || shiftF10) {
      const QList<QTreeWidgetItem*> selected = topicListView->selectedItems();
      RequestTopicMenu(selected.isEmpty() ? nullptr : selected.front(), true);
      return true;
    }
  }
  if ((watched == topicListView || watched == topicListView->viewport()) &&
      type == QEvent::ContextMenu) {
    // Some systems turn the menu key into a menu request as well: the key itself is handled
    // above, so such a request is dropped here rather than opening a second menu.
    const auto* request = static_cast<QContextMenuEvent*>(event);
    if (request->reason() == QContextMenuEvent::Mouse) {
      RequestTopicMenu(
          topicListView->itemAt(topicListView->viewport()->mapFromGlobal(request->globalPos())),
          false);
    }
    return true;
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
