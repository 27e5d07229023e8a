#include "ui/mainwindow/projecttab.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QShortcut>
#include <QSplitter>
#include <QTextDocument>
#include <QToolButton>
#include <QVBoxLayout>

#include "project/topicform.h"
#include "ui/preview/livepane.h"
#include "ui/preview/pageview.h"
#include "ui/preview/previewscheme.h"
#include "ui/preview/webviewloader.h"
#include "ui/topiclist/topicfilterfield.h"
#include "ui/topiclist/topiclistview.h"
#include "ui/widgets/controls.h"
#include "ui/widgets/formeditor.h"
#include "ui/widgets/icons.h"
#include "ui/widgets/modeltext.h"

namespace qs::ui {

using namespace controls;

const std::array<const char*, 6> ProjectTab::kTags = {"<b>", "</b>", "<u>", "</u>", "<i>", "</i>"};

namespace {

// The narrowest the two panes of the splitter can be made.
constexpr int kTopicPaneMinimum = 148;
constexpr int kPagePaneMinimum = 400;

}  // namespace

void ProjectTab::BuildTopicPane() {
  topicPane = new QWidget;
  topicPane->setObjectName("TopicPane");

  moveUpButton =
      GlyphButton("MoveUpButton", UpArrowIcon(), "Move topic up", "Move topic up", kGrey154);
  GiveKey(moveUpButton, Qt::ALT | Qt::Key_Up);
  topicsCaption = new QLabel("Topics");
  topicsCaption->setObjectName("TopicsCaption");
  topicsCaption->setAlignment(Qt::AlignCenter);
  topicsCaption->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
  moveDownButton = GlyphButton("MoveDownButton", DownArrowIcon(), "Move topic down",
                               "Move topic down", kGrey154);
  GiveKey(moveDownButton, Qt::ALT | Qt::Key_Down);

  auto* filterField = new TopicFilterField;
  topicFilterField = filterField;
  topicFilterField->setObjectName("TopicFilterField");
  topicFilterField->setPlaceholderText("Filter [Ctrl+L]");
  topicFilterField->setToolTip(
      "Shows only the topics whose names hold this text; search the pages with Ctrl+Shift+F");
  topicFilterField->setAccessibleName("Filter topics");
  ClearButtonOnFirstText(topicFilterField);

  topicListView = new TopicListView;
  topicListView->setObjectName("TopicListView");
  filterField->setList(topicListView);
  topicListView->setToolTip("Current project help files [right-click to add/delete]");
  // The caption names the list to a screen reader.
  topicsCaption->setBuddy(topicListView);
  QPalette palette = topicListView->palette();
  for (auto group : {QPalette::Active, QPalette::Inactive}) {
    palette.setColor(group, QPalette::Text, kDarkGreen);
    palette.setColor(group, QPalette::Base, Qt::white);
    palette.setColor(group, QPalette::Highlight, kDarkGreen);
    palette.setColor(group, QPalette::HighlightedText, Qt::white);
  }
  topicListView->setPalette(palette);
  // With the keyboard focus the list is framed in a strong colour, as the buttons are.
  topicListView->setStyleSheet(QString("QTreeView { border: 1px solid rgb(160, 160, 160); }"
                                       " QTreeView:focus { border: 2px solid %1; }")
                                   .arg(Rgb(kDarkBlue)));
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
  layout->addWidget(topicFilterField);
  layout->addWidget(topicListView, 1);
  layout->addWidget(extractButton);
}

void ProjectTab::BuildPagePane(bool withBrowser) {
  pagePane = new QWidget;
  pagePane->setObjectName("PagePane");

  const std::array<const char*, 6> captions = {"B", "/B", "U", "/U", "i", "/i"};
  const std::array<const char*, 6> tips = {"Bold",       "/Bold",  "Underline",
                                           "/Underline", "Italic", "/Italic"};
  // The faces and tips are symbols; a screen reader says what each button does.
  const std::array<const char*, 6> names = {"Bold",          "End bold", "Underline",
                                            "End underline", "Italic",   "End italic"};
  // The opening tag on Alt and the letter, the closing one with Shift as well.
  const std::array<Qt::Key, 3> letters = {Qt::Key_B, Qt::Key_U, Qt::Key_I};
  auto* toolRow = new QHBoxLayout;
  toolRow->setSpacing(2);
  toolRow->addStretch(1);
  for (std::size_t i = 0; i < tagButtons.size(); ++i) {
    tagButtons[i] = Button("TagButton", captions[i], tips[i], Qt::white, true);
    // The tags go into the editor that has the focus; the buttons never take it.
    tagButtons[i]->setFocusPolicy(Qt::NoFocus);
    tagButtons[i]->setAccessibleName(names[i]);
    tagButtons[i]->setAccessibleDescription(QString("Types %1 where the caret is").arg(kTags[i]));
    const Qt::KeyboardModifiers modifiers =
        i % 2 == 0 ? Qt::AltModifier : Qt::AltModifier | Qt::ShiftModifier;
    GiveKey(tagButtons[i], QKeyCombination(modifiers, letters[i / 2]));
    toolRow->addWidget(tagButtons[i]);
  }
  // Like the tags, a link or picture goes where the caret is in the editor last used.
  insertLinkButton = Button("InsertLinkButton", "Link...", "Insert link [Ctrl+K]", Qt::white, true);
  insertLinkButton->setAccessibleName("Insert link");
  insertLinkButton->setFocusPolicy(Qt::NoFocus);
  // Ctrl+K, as in most editors; the Alt key every button of the window has besides.
  GiveKey(insertLinkButton, Qt::ALT | Qt::Key_J);
  auto* linkKey = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_K), insertLinkButton);
  QPushButton* link = insertLinkButton;
  QObject::connect(linkKey, &QShortcut::activated, link, [link] {
    if (link->isEnabled()) link->click();
  });
  insertPictureButton =
      Button("InsertPictureButton", "Picture...", "Insert picture", Qt::white, true);
  insertPictureButton->setAccessibleName("Insert picture");
  insertPictureButton->setFocusPolicy(Qt::NoFocus);
  GiveKey(insertPictureButton, Qt::ALT | Qt::Key_T);
  toolRow->addSpacing(6);
  toolRow->addWidget(insertLinkButton);
  toolRow->addWidget(insertPictureButton);
  toolRow->addSpacing(24);
  editViewButton = GlyphButton("EditViewButton", BothWaysArrowIcon(), "Switch Edit/View [Esc]",
                               "Edit/View", kGrey154);
  GiveKey(editViewButton, Qt::ALT | Qt::SHIFT | Qt::Key_E);
  toolRow->addWidget(editViewButton);
  livePaneButton = GlyphButton("LivePaneButton", LiveIcon(), "Live preview beside the form [F3]",
                               "Live preview", kGrey154);
  livePaneButton->setCheckable(true);
  GiveKey(livePaneButton, Qt::ALT | Qt::Key_W);
  toolRow->addWidget(livePaneButton);

  // Until a topic is shown the form's hints say what goes where, under its first captions.
  const project::EditForm hint = project::PlaceholderForm();
  const project::FormLayout initial = project::InitialFormLayout();
  titleField = Field("TitleField", "HTML PageTitle", false);
  titleField->setPlaceholderText(FromModel(hint.title));
  Colours(titleField, kNavy, Qt::white);
  titleLabel = Framed(Group("TitleLabel", "Page Title", false), titleField);
  summaryEditor = Editor("SummaryEditor", FromModel(hint.summary), 3, 3, false);
  summaryEditor->setToolTip(FromModel(initial.summaryTooltip.value_or("")));
  summaryEditor->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
  summaryLabel =
      Framed(Group("SummaryLabel", FromModel(initial.summaryLabel), false), summaryEditor);
  bodyEditor = Editor("BodyEditor", FromModel(hint.body), 3, 7, false);
  bodyEditor->setToolTip(FromModel(initial.bodyTooltip.value_or("")));
  bodyLabel = Framed(Group("BodyLabel", FromModel(initial.bodyLabel), false), bodyEditor);
  // Code is indented with tabs: in the example Tab types one.
  exampleEditor = Editor("ExampleEditor", FromModel(hint.example), 3, 8, true);
  exampleLabel =
      Framed(Group("ExampleLabel", FromModel(initial.exampleLabel), false), exampleEditor);

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

  if (!withBrowser) {
    editViewButton->setEnabled(false);
    livePaneButton->setEnabled(false);
  }
}

PageView* ProjectTab::ShowablePreviewBrowser() {
  if (previewBrowser != nullptr || !withBrowser_) return previewBrowser;
  // The first web view of the program starts the web engine: it waits until a page is asked
  // for, so that the window opens without it.
  previewBrowser = MakePageView();
  if (previewBrowser == nullptr) return nullptr;
  previewBrowser->setObjectName("PreviewBrowser");
  previewBrowser->Load(QUrl("about:blank"));
  previewBrowser->hide();
  static_cast<QBoxLayout*>(pagePane->layout())->addWidget(previewBrowser, 3);
  // In the tab order where the form ends.
  QWidget::setTabOrder(exampleEditor, previewBrowser);
  return previewBrowser;
}

// The live pane stands beside the form, the third part of the divided files frame; it asks
// for a refresh when the form's texts are typed in.
void ProjectTab::BuildLivePane() {
  livePane = new LivePane;
  livePane->hide();
  paneSplitter->addWidget(livePane);
  paneSplitter->setStretchFactor(2, 1);
  LivePane* pane = livePane;
  QObject::connect(titleField, &QLineEdit::textEdited, pane, &LivePane::FormEdited);
  for (QPlainTextEdit* editor : {summaryEditor, bodyEditor, exampleEditor}) {
    // Only changes of the text: the spelling underlines change the formats alone. Whichever
    // page's document the editor shows.
    QObject::connect(static_cast<FormEditor*>(editor), &FormEditor::documentContentsChange, pane,
                     [pane](int, int removed, int added) {
                       if (removed != 0 || added != 0) pane->FormEdited();
                     });
  }
}

ProjectTab::ProjectTab(bool withBrowser, QWidget* parent)
    : QWidget(parent), withBrowser_(withBrowser) {
  BuildRecentProjectsButton();
  projectFileField = Field("ProjectFileField", "Project filename", true);
  libraryFileField = Field("LibraryFileField", "Library filename", true);
  helpFolderField = Field("HelpFolderField", "Help files location", true);
  showHelpButton = Button("ShowHelpButton", "?", "Show help file", kGrey212, false);
  // Alt with F, E, G, V or H opens a menu of the menu bar: buttons on those letters take
  // Shift as well.
  GiveKey(showHelpButton, Qt::ALT | Qt::SHIFT | Qt::Key_H);
  browseLibraryButton = Button("BrowseLibraryButton", "...", "Browse for library", kGrey212, false);
  GiveKey(browseLibraryButton, Qt::ALT | Qt::Key_R);
  createHelpFolderButton =
      Button("CreateHelpFolderButton", "\\", "Create help folder", kGrey212, false);
  GiveKey(createHelpFolderButton, Qt::ALT | Qt::Key_D);
  browseHelpFolderButton =
      Button("BrowseHelpFolderButton", "...", "Browse for help folder", kGrey212, false);
  GiveKey(browseHelpFolderButton, Qt::ALT | Qt::SHIFT | Qt::Key_F);
  newProjectButton =
      Button("NewProjectButton", "&New Project", "Create new project", kGrey212, true);
  loadProjectButton =
      Button("LoadProjectButton", "&Load Project", "Load a new project", kGrey212, true);
  saveProjectButton =
      Button("SaveProjectButton", "&Save Project", "Save current project", kGrey212, true);
  // "Load Project" and its drop-down of recent projects are one split button.
  auto* loadRow = new QHBoxLayout;
  loadRow->setSpacing(0);
  loadRow->addWidget(loadProjectButton, 1);
  loadRow->addWidget(recentProjectsButton);

  // Label, path field (stretching up to the buttons), the small buttons, the project buttons.
  auto* properties = Group("PropertiesFrame", "Properties", true);
  auto* grid = new QGridLayout(properties);
  grid->addWidget(Caption("Project", projectFileField), 0, 0);
  grid->addWidget(projectFileField, 0, 1, 1, 2);
  grid->addWidget(showHelpButton, 0, 3);
  grid->addWidget(newProjectButton, 0, 4);
  grid->addWidget(Caption("Library", libraryFileField), 1, 0);
  grid->addWidget(libraryFileField, 1, 1, 1, 2);
  grid->addWidget(browseLibraryButton, 1, 3);
  grid->addLayout(loadRow, 1, 4);
  grid->addWidget(Caption("Help Folder", helpFolderField), 2, 0);
  grid->addWidget(helpFolderField, 2, 1);
  grid->addWidget(createHelpFolderButton, 2, 2);
  grid->addWidget(browseHelpFolderButton, 2, 3);
  grid->addWidget(saveProjectButton, 2, 4);
  grid->setColumnStretch(1, 1);
  grid->setHorizontalSpacing(5);

  makeHelpFrame = Group("MakeHelpFrame", "Make Help", true);
  previewButton = Button("PreviewButton", "Preview [F1]", "Preview current page", kGrey212, true);
  GiveKey(previewButton, Qt::ALT | Qt::SHIFT | Qt::Key_V);
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
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(3, 3, 3, 3);
  layout->addLayout(top);
  layout->addWidget(filesFrame, 1);

  BuildTopicPane();
  BuildPagePane(withBrowser);
  paneSplitter->addWidget(topicPane);
  paneSplitter->addWidget(pagePane);
  // The divider starts as far left as the topic pane allows; the page pane takes the growth.
  paneSplitter->setStretchFactor(1, 1);
  paneSplitter->setSizes({topicPane->minimumSizeHint().width(), QWIDGETSIZE_MAX});
  if (withBrowser) BuildLivePane();
}

void ProjectTab::BuildRecentProjectsButton() {
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
}

}  // namespace qs::ui
