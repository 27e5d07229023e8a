#pragma once

#include <QWidget>
#include <array>

class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QSplitter;
class QToolButton;

namespace qs::ui {

class LivePane;
class PageView;
class TopicListView;

// The Project tab: the project's paths and buttons, the Make Help group, and the topic list
// beside the page pane (the edit form, the preview browser and the live pane). It makes its
// controls, lays them out and owns them; each control's object name is its role. What a
// control does is the command it is wired to.
class ProjectTab : public QWidget {
  Q_OBJECT

 public:
  // Without `withBrowser` the preview browser and the live pane are not made, and the
  // edit/view and live buttons are disabled. With it the live pane is made empty, and the web
  // views are made when first shown.
  explicit ProjectTab(bool withBrowser, QWidget* parent = nullptr);

  bool withBrowser() const { return withBrowser_; }
  // The view mode's browser below the form, made now if it is not yet; none without a
  // browser, or when none can be made.
  PageView* ShowablePreviewBrowser();

  // The tags of the six tag buttons, in the order of tagButtons.
  static const std::array<const char*, 6> kTags;

  // ---- the controls, by their roles ----
  QLineEdit* projectFileField = nullptr;
  QLineEdit* libraryFileField = nullptr;
  QLineEdit* helpFolderField = nullptr;
  QPushButton* showHelpButton = nullptr;
  QPushButton* browseLibraryButton = nullptr;
  QPushButton* createHelpFolderButton = nullptr;
  QPushButton* browseHelpFolderButton = nullptr;
  QPushButton* newProjectButton = nullptr;
  QPushButton* loadProjectButton = nullptr;
  QToolButton* recentProjectsButton = nullptr;
  QPushButton* saveProjectButton = nullptr;
  QGroupBox* makeHelpFrame = nullptr;
  QPushButton* previewButton = nullptr;
  QPushButton* previewAllButton = nullptr;
  QPushButton* createHtmlButton = nullptr;
  QGroupBox* filesFrame = nullptr;
  QSplitter* paneSplitter = nullptr;
  QWidget* topicPane = nullptr;
  QWidget* pagePane = nullptr;
  QPushButton* moveUpButton = nullptr;
  QPushButton* moveDownButton = nullptr;
  QLabel* topicsCaption = nullptr;
  // Narrows the topic list to the names holding its text; the moves wait while it does.
  QLineEdit* topicFilterField = nullptr;
  TopicListView* topicListView = nullptr;
  QPushButton* extractButton = nullptr;
  // Bold, bold end, underline, underline end, italic, italic end.
  std::array<QPushButton*, 6> tagButtons{};
  // Beside the tags: a link to another page (Ctrl+K), a picture copied into the help folder.
  QPushButton* insertLinkButton = nullptr;
  QPushButton* insertPictureButton = nullptr;
  QPushButton* editViewButton = nullptr;
  // Checked while the live pane is shown.
  QPushButton* livePaneButton = nullptr;
  QGroupBox* titleLabel = nullptr;
  QLineEdit* titleField = nullptr;
  QGroupBox* summaryLabel = nullptr;
  QPlainTextEdit* summaryEditor = nullptr;
  QGroupBox* bodyLabel = nullptr;
  QPlainTextEdit* bodyEditor = nullptr;
  QGroupBox* exampleLabel = nullptr;
  QPlainTextEdit* exampleEditor = nullptr;
  // Null until the view mode first shows it (ShowablePreviewBrowser).
  PageView* previewBrowser = nullptr;
  // Beside the form; none without a browser.
  LivePane* livePane = nullptr;

 private:
  void BuildTopicPane();
  void BuildPagePane(bool withBrowser);
  void BuildLivePane();
  void BuildRecentProjectsButton();

  bool withBrowser_ = false;
};

}  // namespace qs::ui
