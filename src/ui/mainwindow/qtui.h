#pragma once

#include <QObject>
#include <QPointer>
#include <QString>
#include <memory>
#include <optional>
#include <string>

#include "app/ui.h"

class QPlainTextEdit;

namespace qs::project {
class HelpProject;
}

namespace qs::ui {

class FormTyping;
class MainWindow;
class QtProgramRunner;
class TopicListModel;

// The window port on the Qt main window: message boxes, requesters, the name prompt, the
// popup menu, and the controls as the commands read and set them. Texts of the model are
// Windows-1252 and become Unicode here; paths are shown as the system's bytes.
class QtUi : public QObject, public app::Ui {
  Q_OBJECT

 public:
  // The builder window follows the compiler runs of `compilerRunner`, when there is one.
  QtUi(MainWindow& window, project::HelpProject& project,
       QtProgramRunner* compilerRunner = nullptr);
  ~QtUi() override;
  QtUi(const QtUi&) = delete;
  QtUi& operator=(const QtUi&) = delete;

  const project::HelpProject& project() const { return project_; }

  void ShowMessage(const text::Report& report) override;
  bool AskYesNo(const text::Report& question) override;
  app::SaveAnswer AskSaveDiscardCancel(const text::Report& question) override;
  bool AskOkCancel(const text::Report& question) override;
  app::RecoveryAnswer AskRestoreDiscardLater(const text::Report& question) override;
  app::InUseAnswer AskOpenInUse(const text::Report& question) override;
  app::ChangedFileAnswer AskChangedFile(const text::Report& question, bool canReload) override;
  app::FileChoice SaveFileRequester(const std::string& title, const std::string& start,
                                    const std::string& pattern) override;
  app::FileChoice OpenFileRequester(const std::string& title, const std::string& start,
                                    const std::string& pattern) override;
  std::string FolderRequester(const std::string& title, const std::string& start) override;
  std::string TextRequester(const std::string& title, const std::string& prompt,
                            const std::string& text) override;
  std::string AskText(const std::string& caption, const std::string& prompt,
                      const std::string& text) override;
  void ShowTopicMenu(const std::vector<app::MenuEntry>& entries) override;
  void FullRedraw() override;
  bool OpenDocument(const std::string& path) override;
  void SetProjectFileField(const std::string& text) override;
  void SetLibraryFileField(const std::string& text) override;
  void SetHelpFolderField(const std::string& text) override;
  void FocusLoadProjectButton() override;
  void RefreshTopicList() override;
  void FocusTopicList() override;
  project::EditForm ReadForm() override;
  void ShowForm(const project::EditForm& form, const project::FormLayout& layout) override;
  void ClearForm() override;
  void MarkFormCommitted() override;
  void SetViewMode(bool viewMode) override;
  void NavigateBrowser(const std::string& target) override;
  void SetLivePane(bool shown) override;
  void ShowLivePage(const std::string& address) override;
  bool EditViewAvailable() override;
  void InsertTag(app::Editor editor, const std::string& tag) override;
  void InsertMarkup(app::Editor editor, const std::string& before, const std::string& text,
                    const std::string& after) override;
  std::string AskLinkTarget(const std::vector<std::string>& pages) override;
  void ShowPreviewWindow(const std::string& title, const std::string& pagePath) override;
  void ShowBuilderWindow(const std::string& label, const std::string& log,
                         const std::function<app::BuilderResult()>& compile,
                         const std::function<void(const std::string&)>& openHelp) override;
  std::string CompilerPath() override;
  void SetCompilerPath(const std::string& path) override;
  bool CompileChecked() override;
  void SetCompileChecked(bool checked) override;
  bool KeepDataChecked() override;
  void SetKeepDataChecked(bool checked) override;
  bool EraseHtmlChecked() override;
  void SetEraseHtmlChecked(bool checked) override;
  std::string DictionaryChoice() override;
  void SetDictionaryChoice(const std::string& choice) override;
  void SetProjectWordList(const std::string& path) override;
  void SetRecentProjects(const std::vector<std::string>& paths) override;
  bool KeywordIndexChecked() override;
  void SetKeywordIndexChecked(bool checked) override;
  bool ExamplesAsCodeChecked() override;
  void SetExamplesAsCodeChecked(bool checked) override;
  void SetLanguageEntries(const std::vector<std::string>& entries) override;
  void SelectLanguageEntry(int index) override;
  std::string SelectedLanguageEntry() override;
  void SetLanguageControlsEnabled(bool enabled) override;
  void SetHeadingFields(const config::LanguageTable& captions) override;
  config::LanguageTable ReadHeadingFields() override;
  bool IsMaximised() override;
  void Maximise() override;
  config::WindowPlaces WindowPlaces() override;
  void SetWindowPlaces(const config::WindowPlaces& places) override;
  void SetWindowTitle(const std::string& title) override;
  void ShowStatus(const std::string& text) override;

 signals:
  // A popup menu entry was chosen; it runs after the command that showed the menu.
  void menuCommand(qs::app::CommandId command);

 private:
  QPlainTextEdit* EditorOf(app::Editor editor);
  app::FileChoice FileRequester(bool save, const std::string& title, const std::string& start,
                                const std::string& pattern);
  void FilterTopics(const QString& text);

  MainWindow& window_;
  project::HelpProject& project_;
  QtProgramRunner* compilerRunner_;
  QPointer<TopicListModel> rows_;
  // The pages' typing, each page's undo kept while others are shown.
  std::unique_ptr<FormTyping> typing_;
  // The text of the read-only summary editor as the form showed it.
  std::optional<std::string> readOnlySummary_;
  // The functions list last shown and its text in the editor's form, so that showing the
  // same list again converts nothing; while `bodyReadOnly_` it is what the body editor shows.
  bool bodyReadOnly_ = false;
  std::string programBody_;
  QString programBodyText_;
  // The compiler path as the settings gave it: bytes that are no valid UTF-8 cannot survive a
  // round trip through the field's Unicode text, so they are kept until the user edits it.
  std::string compilerPathBytes_;
  // The builder window while it is open: the messages of its work go over it, where they are
  // seen, rather than under it over the main window.
  QPointer<QWidget> messageOwner_;
  // Where the preview and builder windows open, and were when they closed.
  config::WindowPlaces places_;
};

// The message when no web view can be made, at start-up and for each preview.
text::Report NoBrowserReport();

// Whether this system can make web views: the web-view module and the browser's helper program
// are installed. It loads neither.
bool WebViewAvailable();

}  // namespace qs::ui
