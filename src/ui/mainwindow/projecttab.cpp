#include "ui/mainwindow/projecttab.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSplitter>
#include <QTextDocument>
#include <QToolButton>
#include <QVBoxLayout>
#include <QWebEngineView>

#include "project/topicform.h"
#include "ui/mainwindow/mainwindow.h"
#include "ui/preview/livepane.h"
#include "ui/preview/previewscheme.h"
#include "ui/topiclist/topiclistview.h"
#include "ui/widgets/controls.h"
#include "ui/widgets/formeditor.h"
#include "ui/widgets/icons.h"
#include "ui/widgets/modeltext.h"

namespace qs::ui {

using namespace controls;

namespace {

// The narrowest the two panes of the splitter can be made.
constexpr int kTopicPaneMinimum = 148;
constexpr int kPagePaneMinimum = 400;

void BuildTopicPane(MainWindow& window) {
  window.topicPane = new QWidget;
  window.topicPane->setObjectName("TopicPane");

  window.moveUpButton = GlyphButton("MoveUpButton", UpArrowIcon(), "Move topic up", "Up", kGrey154);
  GiveKey(window.moveUpButton, Qt::ALT | Qt::Key_Up);
  window.topicsCaption = new QLabel("Topics");
  window.topicsCaption->setObjectName("TopicsCaption");
  window.topicsCaption->setAlignment(Qt::AlignCenter);
  window.topicsCaption->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
  window.moveDownButton =
      GlyphButton("MoveDownButton", DownArrowIcon(), "Move topic down", "Down", kGrey154);
  GiveKey(window.moveDownButton, Qt::ALT | Qt::Key_Down);

  window.topicFilterField = new QLineEdit;
  window.topicFilterField->setObjectName("TopicFilterField");
  window.topicFilterField->setPlaceholderText("Filter [Ctrl+L]");
  window.topicFilterField->setToolTip(
      "Shows only the topics whose names hold this text; search the pages with Ctrl+Shift+F");
  window.topicFilterField->setAccessibleName("Filter topics");
  window.topicFilterField->setClearButtonEnabled(true);

  window.topicListView = new TopicListView;
  window.topicListView->setObjectName("TopicListView");
  window.topicListView->setToolTip("Current project help files [right-click to add/delete]");
  QPalette palette = window.topicListView->palette();
  for (auto group : {QPalette::Active, QPalette::Inactive}) {
    palette.setColor(group, QPalette::Text, kDarkGreen);
    palette.setColor(group, QPalette::Base, Qt::white);
    palette.setColor(group, QPalette::Highlight, kDarkGreen);
    palette.setColor(group, QPalette::HighlightedText, Qt::white);
  }
  window.topicListView->setPalette(palette);
  // With the keyboard focus the list is framed in a strong colour, as the buttons are.
  window.topicListView->setStyleSheet(QString("QTreeView { border: 1px solid rgb(160, 160, 160); }"
                                              " QTreeView:focus { border: 2px solid %1; }")
                                          .arg(Rgb(kDarkBlue)));
  window.extractButton = Button("ExtractButton", "Library information e&xtraction",
                                "Extracts library information", kGrey212, true);

  auto* captionRow = new QHBoxLayout;
  captionRow->setSpacing(1);
  captionRow->addWidget(window.moveUpButton);
  captionRow->addWidget(window.topicsCaption, 1);
  captionRow->addWidget(window.moveDownButton);
  auto* layout = new QVBoxLayout(window.topicPane);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(3);
  layout->addStrut(kTopicPaneMinimum);
  layout->addLayout(captionRow);
  layout->addWidget(window.topicFilterField);
  layout->addWidget(window.topicListView, 1);
  layout->addWidget(window.extractButton);
}

void BuildPagePane(MainWindow& window, bool withBrowser) {
  window.pagePane = new QWidget;
  window.pagePane->setObjectName("PagePane");

  const std::array<const char*, 6> captions = {"B", "/B", "U", "/U", "i", "/i"};
  const std::array<const char*, 6> tips = {"Bold",       "/Bold",  "Underline",
                                           "/Underline", "Italic", "/Italic"};
  // The opening tag on Alt and the letter, the closing one with Shift as well.
  const std::array<Qt::Key, 3> letters = {Qt::Key_B, Qt::Key_U, Qt::Key_I};
  auto* toolRow = new QHBoxLayout;
  toolRow->setSpacing(2);
  toolRow->addStretch(1);
  for (std::size_t i = 0; i < window.tagButtons.size(); ++i) {
    window.tagButtons[i] = Button("TagButton", captions[i], tips[i], Qt::white, true);
    // The tags go into the editor that has the focus; the buttons never take it.
    window.tagButtons[i]->setFocusPolicy(Qt::NoFocus);
    const Qt::KeyboardModifiers modifiers =
        i % 2 == 0 ? Qt::AltModifier : Qt::AltModifier | Qt::ShiftModifier;
    GiveKey(window.tagButtons[i], QKeyCombination(modifiers, letters[i / 2]));
    toolRow->addWidget(window.tagButtons[i]);
  }
  toolRow->addSpacing(24);
  window.editViewButton = GlyphButton("EditViewButton", BothWaysArrowIcon(),
                                      "Switch Edit/View [Esc]", "Edit/View", kGrey154);
  GiveKey(window.editViewButton, Qt::ALT | Qt::Key_E);
  toolRow->addWidget(window.editViewButton);
  window.livePaneButton = GlyphButton(
      "LivePaneButton", LiveIcon(), "Live preview beside the form [F3]", "Live preview", kGrey154);
  window.livePaneButton->setCheckable(true);
  GiveKey(window.livePaneButton, Qt::ALT | Qt::Key_W);
  toolRow->addWidget(window.livePaneButton);

  // Until a topic is shown the form's hints say what goes where, under its first captions.
  const project::EditForm hint = project::PlaceholderForm();
  const project::FormLayout initial = project::InitialFormLayout();
  window.titleField = Field("TitleField", "HTML PageTitle", false);
  window.titleField->setPlaceholderText(FromModel(hint.title));
  Colours(window.titleField, kNavy, Qt::white);
  window.titleLabel = Framed(Group("TitleLabel", "Page Title", false), window.titleField);
  window.summaryEditor = Editor("SummaryEditor", FromModel(hint.summary), 3, 3, false);
  window.summaryEditor->setToolTip(FromModel(initial.summaryTooltip.value_or("")));
  window.summaryEditor->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
  window.summaryLabel =
      Framed(Group("SummaryLabel", FromModel(initial.summaryLabel), false), window.summaryEditor);
  window.bodyEditor = Editor("BodyEditor", FromModel(hint.body), 3, 7, false);
  window.bodyEditor->setToolTip(FromModel(initial.bodyTooltip.value_or("")));
  window.bodyLabel =
      Framed(Group("BodyLabel", FromModel(initial.bodyLabel), false), window.bodyEditor);
  // Code is indented with tabs: in the example Tab types one.
  window.exampleEditor = Editor("ExampleEditor", FromModel(hint.example), 3, 8, true);
  window.exampleLabel =
      Framed(Group("ExampleLabel", FromModel(initial.exampleLabel), false), window.exampleEditor);

  auto* layout = new QVBoxLayout(window.pagePane);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(2);
  layout->addStrut(kPagePaneMinimum);
  layout->addLayout(toolRow);
  layout->addWidget(window.titleLabel);
  layout->addWidget(window.summaryLabel);
  // Description and example share the height, the example at least a third of it.
  layout->addWidget(window.bodyLabel, 2);
  layout->addWidget(window.exampleLabel, 1);

  for (QWidget* watched :
       {static_cast<QWidget*>(window.summaryEditor), static_cast<QWidget*>(window.bodyEditor),
        static_cast<QWidget*>(window.exampleEditor)}) {
    watched->installEventFilter(&window);
  }
  for (QWidget* group :
       {window.titleLabel, window.summaryLabel, window.bodyLabel, window.exampleLabel}) {
    group->installEventFilter(&window);
  }
  for (const auto& [editor, which] : {std::pair{window.summaryEditor, app::Editor::Summary},
                                      std::pair{window.bodyEditor, app::Editor::Body},
                                      std::pair{window.exampleEditor, app::Editor::Example}}) {
    QObject::connect(editor, &QPlainTextEdit::textChanged, &window,
                     [&window, which] { emit window.editorEvent(which); });
  }

  if (withBrowser) {
    window.previewBrowser = new QWebEngineView(PreviewProfile());
    window.previewBrowser->setObjectName("PreviewBrowser");
    window.previewBrowser->setUrl(QUrl("about:blank"));
    window.previewBrowser->hide();
    layout->addWidget(window.previewBrowser, 3);
  } else {
    window.editViewButton->setEnabled(false);
    window.livePaneButton->setEnabled(false);
  }
}

// The live pane stands beside the form, the third part of the divided files frame; it asks
// for a refresh when the form's texts are typed in.
void BuildLivePane(MainWindow& window) {
  window.livePane = new LivePane;
  window.livePane->hide();
  window.paneSplitter->addWidget(window.livePane);
  window.paneSplitter->setStretchFactor(2, 1);
  LivePane* pane = window.livePane;
  QObject::connect(window.titleField, &QLineEdit::textEdited, pane, &LivePane::FormEdited);
  for (QPlainTextEdit* editor : {window.summaryEditor, window.bodyEditor, window.exampleEditor}) {
    // Only changes of the text: the spelling underlines change the formats alone.
    QObject::connect(editor->document(), &QTextDocument::contentsChange, pane,
                     [pane](int, int removed, int added) {
                       if (removed != 0 || added != 0) pane->FormEdited();
                     });
  }
}

}  // namespace

void BuildProjectTab(MainWindow& window, QWidget* page, bool withBrowser) {
  window.projectFileField = Field("ProjectFileField", "Project filename", true);
  window.libraryFileField = Field("LibraryFileField", "Library filename", true);
  window.helpFolderField = Field("HelpFolderField", "Help files location", true);
  window.showHelpButton = Button("ShowHelpButton", "?", "Show help file", kGrey212, false);
  GiveKey(window.showHelpButton, Qt::ALT | Qt::Key_H);
  window.browseLibraryButton =
      Button("BrowseLibraryButton", "...", "Browse for library", kGrey212, false);
  GiveKey(window.browseLibraryButton, Qt::ALT | Qt::Key_R);
  window.createHelpFolderButton =
      Button("CreateHelpFolderButton", "\\", "Create help folder", kGrey212, false);
  GiveKey(window.createHelpFolderButton, Qt::ALT | Qt::Key_D);
  window.browseHelpFolderButton =
      Button("BrowseHelpFolderButton", "...", "Browse for help folder", kGrey212, false);
  GiveKey(window.browseHelpFolderButton, Qt::ALT | Qt::Key_F);
  window.newProjectButton =
      Button("NewProjectButton", "&New Project", "Create new project", kGrey212, true);
  window.loadProjectButton =
      Button("LoadProjectButton", "&Load Project", "Load a new project", kGrey212, true);
  window.saveProjectButton =
      Button("SaveProjectButton", "&Save Project", "Save current project", kGrey212, true);
  // "Load Project" and its drop-down of recent projects are one split button.
  auto* loadRow = new QHBoxLayout;
  loadRow->setSpacing(0);
  loadRow->addWidget(window.loadProjectButton, 1);
  loadRow->addWidget(window.recentProjectsButton);

  // Label, path field (stretching up to the buttons), the small buttons, the project buttons.
  auto* properties = Group("PropertiesFrame", "Properties", true);
  auto* grid = new QGridLayout(properties);
  grid->addWidget(Caption("Project"), 0, 0);
  grid->addWidget(window.projectFileField, 0, 1, 1, 2);
  grid->addWidget(window.showHelpButton, 0, 3);
  grid->addWidget(window.newProjectButton, 0, 4);
  grid->addWidget(Caption("Library"), 1, 0);
  grid->addWidget(window.libraryFileField, 1, 1, 1, 2);
  grid->addWidget(window.browseLibraryButton, 1, 3);
  grid->addLayout(loadRow, 1, 4);
  grid->addWidget(Caption("Help Folder"), 2, 0);
  grid->addWidget(window.helpFolderField, 2, 1);
  grid->addWidget(window.createHelpFolderButton, 2, 2);
  grid->addWidget(window.browseHelpFolderButton, 2, 3);
  grid->addWidget(window.saveProjectButton, 2, 4);
  grid->setColumnStretch(1, 1);
  grid->setHorizontalSpacing(5);

  window.makeHelpFrame = Group("MakeHelpFrame", "Make Help", true);
  window.previewButton =
      Button("PreviewButton", "Pre&view [F1]", "Preview current page", kGrey212, true);
  window.previewAllButton =
      Button("PreviewAllButton", "Preview &all [F2]",
             "Preview all help files (starting with index.html)", kGrey212, true);
  window.createHtmlButton =
      Button("CreateHtmlButton", "&Create HTML files",
             "Create HTML files (including TOC) in defined help folder", kGrey212, true);
  auto* makeHelp = new QVBoxLayout(window.makeHelpFrame);
  makeHelp->addWidget(window.previewButton);
  makeHelp->addWidget(window.previewAllButton);
  makeHelp->addWidget(window.createHtmlButton);

  window.filesFrame = Group("FilesFrame", "Files", true);
  window.paneSplitter = new QSplitter(Qt::Horizontal);
  window.paneSplitter->setObjectName("PaneSplitter");
  window.paneSplitter->setChildrenCollapsible(false);
  auto* files = new QVBoxLayout(window.filesFrame);
  files->addWidget(window.paneSplitter);

  // The path fields and the files take the width; the "Make Help" group keeps its own.
  auto* top = new QHBoxLayout;
  top->addWidget(properties, 1);
  top->addWidget(window.makeHelpFrame, 0);
  auto* layout = new QVBoxLayout(page);
  layout->setContentsMargins(3, 3, 3, 3);
  layout->addLayout(top);
  layout->addWidget(window.filesFrame, 1);

  BuildTopicPane(window);
  BuildPagePane(window, withBrowser);
  window.paneSplitter->addWidget(window.topicPane);
  window.paneSplitter->addWidget(window.pagePane);
  // The divider starts as far left as the topic pane allows; the page pane takes the growth.
  window.paneSplitter->setStretchFactor(1, 1);
  window.paneSplitter->setSizes({window.topicPane->minimumSizeHint().width(), QWIDGETSIZE_MAX});
  if (withBrowser) BuildLivePane(window);
}

}  // namespace qs::ui
