#include "ui/mainwindow/qtui.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDesktopServices>
#include <QFileInfo>
#include <QGroupBox>
#include <QInputDialog>
#include <QLibraryInfo>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QSplitter>
#include <QStatusBar>
#include <QUrl>

#include "project/helpproject.h"
#include "spelling/speller.h"
#include "ui/builder/builderwindow.h"
#include "ui/mainwindow/formtyping.h"
#include "ui/mainwindow/mainmenus.h"
#include "ui/mainwindow/mainwindow.h"
#include "ui/preview/caseinsensitivefiles.h"
#include "ui/preview/livepane.h"
#include "ui/preview/pageview.h"
#include "ui/preview/previewscheme.h"
#include "ui/preview/previewwindow.h"
#include "ui/preview/webviewloader.h"
#include "ui/topiclist/topiclistmodel.h"
#include "ui/topiclist/topiclistview.h"
#include "ui/widgets/captionroom.h"
#include "ui/widgets/dialoghelpers.h"
#include "ui/widgets/filedialogs.h"
#include "ui/widgets/formeditor.h"
#include "ui/widgets/icons.h"
#include "ui/widgets/linkdialog.h"
#include "ui/widgets/modeltext.h"
#include "ui/widgets/nameprompt.h"
#include "ui/widgets/onscreen.h"

namespace qs::ui {

text::Report NoBrowserReport() {
  return text::BuildErrorReport(
      "The file 'atl.dll' could not be found!\nHave a look at Purebasic\\Compilers...");
}

bool WebViewAvailable() {
  // The web views are a module of their own, loaded when the first is made.
  if (WebViewsModule(QCoreApplication::applicationDirPath()).isEmpty()) return false;
  // The web view runs its pages in a helper program; without it no view can be made.
  const QByteArray overridden = qgetenv("QTWEBENGINEPROCESS_PATH");
  const QString helper =
      !overridden.isEmpty()
          ? QFile::decodeName(overridden)
          : QLibraryInfo::path(QLibraryInfo::LibraryExecutablesPath) + "/QtWebEngineProcess";
  return QFileInfo(helper).isExecutable();
}

QtUi::QtUi(MainWindow& window, project::HelpProject& project, QtProgramRunner* compilerRunner)
    : window_(window),
      project_(project),
      compilerRunner_(compilerRunner),
      rows_(new TopicListModel(project, &window)),
      typing_(std::make_unique<FormTyping>(window.projectTab(), project)) {
  window_.setTopicModel(rows_);
  connect(window_.projectTab().topicFilterField, &QLineEdit::textChanged, this,
          &QtUi::FilterTopics);
}

QtUi::~QtUi() {
  // The model goes with the window; it must stop following the project before either goes.
  delete rows_;
  typing_.reset();
}

void QtUi::FilterTopics(const QString& text) {
  TopicListView* list = window_.projectTab().topicListView;
  list->SetFilterText(text.trimmed());
  // The project's selection stays, shown again as soon as the filter shows its row.
  list->SelectProjectRow(project_.selectedRow());
  // Moving a row among rows out of sight would be ambiguous: the moves wait.
  window_.projectTab().moveUpButton->setEnabled(!list->filtered());
  window_.projectTab().moveDownButton->setEnabled(!list->filtered());
  window_.menus().Refresh();
}

void QtUi::ShowMessage(const text::Report& report) {
  const NormalCursor cursor;
  QMessageBox box(IconOf(report.icon), FromBytes(report.title), FromBytes(report.text),
                  QMessageBox::Ok,
                  messageOwner_ ? messageOwner_.data() : static_cast<QWidget*>(&window_));
  box.exec();
}

bool QtUi::AskYesNo(const text::Report& question) {
  const NormalCursor cursor;
  QMessageBox box(IconOf(question.icon), FromBytes(question.title), FromBytes(question.text),
                  QMessageBox::Yes | QMessageBox::No, &window_);
  return box.exec() == QMessageBox::Yes;
}

app::SaveAnswer QtUi::AskSaveDiscardCancel(const text::Report& question) {
  QMessageBox box(IconOf(question.icon), FromBytes(question.title), FromBytes(question.text),
                  QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, &window_);
  box.setDefaultButton(QMessageBox::Save);
  box.setEscapeButton(QMessageBox::Cancel);  // Esc and the close box too
  const int answer = box.exec();
  if (answer == QMessageBox::Save) return app::SaveAnswer::Save;
  return answer == QMessageBox::Discard ? app::SaveAnswer::Discard : app::SaveAnswer::Cancel;
}

bool QtUi::AskOkCancel(const text::Report& question) {
  QMessageBox box(IconOf(question.icon), FromBytes(question.title), FromBytes(question.text),
                  QMessageBox::Ok | QMessageBox::Cancel, &window_);
  box.setDefaultButton(QMessageBox::Cancel);
  box.setEscapeButton(QMessageBox::Cancel);
  return box.exec() == QMessageBox::Ok;
}

app::RecoveryAnswer QtUi::AskRestoreDiscardLater(const text::Report& question) {
  const NormalCursor cursor;
  QMessageBox box(IconOf(question.icon), FromBytes(question.title), FromBytes(question.text),
                  QMessageBox::NoButton, &window_);
  box.setObjectName("RecoveryQuestion");
  QPushButton* restore = box.addButton("Restore", QMessageBox::AcceptRole);
  QPushButton* discard = box.addButton("Discard", QMessageBox::DestructiveRole);
  QPushButton* later = box.addButton("Later", QMessageBox::RejectRole);
  box.setDefaultButton(restore);
  box.setEscapeButton(later);  // Esc and the close box too: nothing is lost
  box.exec();
  if (box.clickedButton() == restore) return app::RecoveryAnswer::Restore;
  return box.clickedButton() == discard ? app::RecoveryAnswer::Discard : app::RecoveryAnswer::Later;
}

app::InUseAnswer QtUi::AskOpenInUse(const text::Report& question) {
  QMessageBox box(IconOf(question.icon), FromBytes(question.title), FromBytes(question.text),
                  QMessageBox::Cancel, &window_);
  QPushButton* readOnly = box.addButton(QStringLiteral("Open read-only"), QMessageBox::AcceptRole);
  QPushButton* anyway = box.addButton(QStringLiteral("Open anyway"), QMessageBox::DestructiveRole);
  box.setDefaultButton(QMessageBox::Cancel);
  box.setEscapeButton(QMessageBox::Cancel);
  box.exec();
  if (box.clickedButton() == readOnly) return app::InUseAnswer::OpenReadOnly;
  return box.clickedButton() == anyway ? app::InUseAnswer::OpenAnyway : app::InUseAnswer::Cancel;
}

app::ChangedFileAnswer QtUi::AskChangedFile(const text::Report& question, bool canReload) {
  QMessageBox box(IconOf(question.icon), FromBytes(question.title), FromBytes(question.text),
                  QMessageBox::NoButton, &window_);
  box.setObjectName("FileChangedQuestion");
  QPushButton* reload = canReload ? box.addButton("Reload", QMessageBox::AcceptRole) : nullptr;
  QPushButton* overwrite = box.addButton("Overwrite", QMessageBox::DestructiveRole);
  QPushButton* saveAs = box.addButton("Save As...", QMessageBox::ActionRole);
  QPushButton* cancel = box.addButton(QMessageBox::Cancel);
  box.setDefaultButton(saveAs);
  box.setEscapeButton(cancel);  // Esc and the close box too
  box.exec();
  const QAbstractButton* clicked = box.clickedButton();
  if (clicked != nullptr && clicked == reload) return app::ChangedFileAnswer::Reload;
  if (clicked == overwrite) return app::ChangedFileAnswer::Overwrite;
  if (clicked == saveAs) return app::ChangedFileAnswer::SaveAs;
  return app::ChangedFileAnswer::Cancel;
}

app::FileChoice QtUi::SaveFileRequester(const std::string& title, const std::string& start,
                                        const std::string& pattern) {
  return FileRequester(true, title, start, pattern);
}

app::FileChoice QtUi::OpenFileRequester(const std::string& title, const std::string& start,
                                        const std::string& pattern) {
  return FileRequester(false, title, start, pattern);
}

app::FileChoice QtUi::FileRequester(bool save, const std::string& title, const std::string& start,
                                    const std::string& pattern) {
  // After an overwrite question no window may be active; F1, F2 and Esc must work at once.
  const KeepFocus focus;
  app::FileChoice choice = RunFileDialog(&window_, save, title, start, pattern);
  window_.activateWindow();
  return choice;
}

std::string QtUi::FolderRequester(const std::string& title, const std::string& start) {
  return RunFolderDialog(&window_, title, start);
}

std::string QtUi::TextRequester(const std::string& title, const std::string& prompt,
                                const std::string& text) {
  QInputDialog dialog(&window_);
  dialog.setWindowTitle(FromBytes(title));
  dialog.setLabelText(FromBytes(prompt));
  dialog.setTextValue(FromBytes(text));
  // Wide enough for a path, and for the whole caption in the title bar.
  dialog.setMinimumWidth(
      std::max(CaptionRoom(dialog), dialog.fontMetrics().averageCharWidth() * 50));
  if (dialog.exec() != QDialog::Accepted) return {};
  return ToBytes(dialog.textValue());
}

std::string QtUi::AskText(const std::string& caption, const std::string& prompt,
                          const std::string& text) {
  return ToModel(NamePrompt::Ask(&window_, FromModel(caption), FromModel(prompt), FromModel(text)));
}

void QtUi::ShowTopicMenu(const std::vector<app::MenuEntry>& entries) {
  QMenu menu(&window_);
  for (const app::MenuEntry& entry : entries) {
    QAction* action = menu.addAction(FromModel(entry.text));
    action->setData(QVariant::fromValue(entry.command));
  }
  QAction* chosen = menu.exec(window_.topicMenuPosition());
  if (chosen == nullptr) return;
  const app::CommandId command = chosen->data().value<app::CommandId>();
  // The entry runs as a command of its own, after the one that raised the menu.
  QMetaObject::invokeMethod(
      this, [this, command] { emit menuCommand(command); }, Qt::QueuedConnection);
}

void QtUi::FullRedraw() {
  window_.repaint();
}

bool QtUi::OpenDocument(const std::string& path) {
  return QDesktopServices::openUrl(QUrl::fromLocalFile(FromBytes(path)));
}

void QtUi::SetProjectFileField(const std::string& text) {
  window_.projectTab().projectFileField->setText(FromBytes(text));
}
void QtUi::SetLibraryFileField(const std::string& text) {
  window_.projectTab().libraryFileField->setText(FromBytes(text));
}
void QtUi::SetHelpFolderField(const std::string& text) {
  window_.projectTab().helpFolderField->setText(FromBytes(text));
}
void QtUi::FocusLoadProjectButton() {
  window_.projectTab().loadProjectButton->setFocus();
}

void QtUi::RefreshTopicList() {
  // The model follows every change of the rows as it happens; only rows replaced behind its
  // back (a project assigned over the one shown) make it start again.
  rows_->Resync();
  window_.projectTab().topicListView->SelectProjectRow(project_.selectedRow());
  typing_->ForgetMissingPages();
  // The form stops taking typing once it no longer stands for a topic of the project.
  if (project_.FindTopic(project_.shownTopic()) == nullptr) window_.setFormActive(false);
  window_.menus().Refresh();
}

void QtUi::FocusTopicList() {
  TopicListView* list = window_.projectTab().topicListView;
  if (list->currentIndex().isValid()) list->scrollTo(list->currentIndex());
  list->setFocus();
}

project::EditForm QtUi::ReadForm() {
  // A read-only editor cannot have changed: it gives back what it was shown, unread.
  return {ToModel(window_.projectTab().titleField->text()),
          readOnlySummary_
              ? *readOnlySummary_
              : ToModelLines(EditorLines(*window_.projectTab().summaryEditor->document())),
          bodyReadOnly_ ? programBody_
                        : ToModelLines(EditorLines(*window_.projectTab().bodyEditor->document())),
          ToModelLines(EditorLines(*window_.projectTab().exampleEditor->document()))};
}

void QtUi::ShowForm(const project::EditForm& form, const project::FormLayout& layout) {
  const QSignalBlocker b1(window_.projectTab().summaryEditor), b2(window_.projectTab().bodyEditor),
      b3(window_.projectTab().exampleEditor);
  // Read-only first: a read-only editor is not spell checked, so a long functions list goes in
  // unchecked.
  window_.projectTab().summaryEditor->setReadOnly(layout.summaryReadOnly);
  window_.projectTab().bodyEditor->setReadOnly(layout.bodyReadOnly);
  // Each field that takes typing shows the page's own document, with its undo history.
  typing_->Show(form, layout);
  if (layout.bodyReadOnly) {
    if (form.body != programBody_) {
      programBody_ = form.body;
      programBodyText_ = FromModelLines(form.body);
    }
    static_cast<FormEditor*>(window_.projectTab().bodyEditor)->showProgramText(programBodyText_);
  }
  window_.projectTab().summaryLabel->setTitle(FromModel(layout.summaryLabel));
  window_.projectTab().bodyLabel->setTitle(FromModel(layout.bodyLabel));
  window_.projectTab().exampleLabel->setTitle(FromModel(layout.exampleLabel));
  window_.projectTab().summaryEditor->setEnabled(layout.summaryEnabled);
  window_.projectTab().exampleEditor->setEnabled(layout.exampleEnabled);
  if (layout.summaryTooltip)
    window_.projectTab().summaryEditor->setToolTip(FromModel(*layout.summaryTooltip));
  if (layout.bodyTooltip)
    window_.projectTab().bodyEditor->setToolTip(FromModel(*layout.bodyTooltip));
  readOnlySummary_ = layout.summaryReadOnly ? std::optional(form.summary) : std::nullopt;
  bodyReadOnly_ = layout.bodyReadOnly;
  window_.setFormActive(true);
  if (window_.projectTab().livePane) window_.projectTab().livePane->FormReplaced();
  MarkFormCommitted();
  window_.menus().Refresh();
}

void QtUi::ClearForm() {
  const QSignalBlocker b1(window_.projectTab().summaryEditor), b2(window_.projectTab().bodyEditor),
      b3(window_.projectTab().exampleEditor);
  // Another project comes, or none: no page's typing is kept.
  typing_->Clear();
  readOnlySummary_.reset();
  bodyReadOnly_ = false;
  window_.setFormActive(false);
  if (window_.projectTab().livePane) window_.projectTab().livePane->FormReplaced();
  MarkFormCommitted();
  window_.menus().Refresh();
}

void QtUi::MarkFormCommitted() {
  // An editor reports its first change after this; the title field reports every keystroke.
  for (QPlainTextEdit* editor :
       {window_.projectTab().summaryEditor, window_.projectTab().bodyEditor,
        window_.projectTab().exampleEditor}) {
    editor->document()->setModified(false);
  }
}

void QtUi::SetViewMode(bool viewMode) {
  for (QWidget* w : {static_cast<QWidget*>(window_.projectTab().titleLabel),
                     static_cast<QWidget*>(window_.projectTab().titleField),
                     static_cast<QWidget*>(window_.projectTab().summaryLabel),
                     static_cast<QWidget*>(window_.projectTab().summaryEditor),
                     static_cast<QWidget*>(window_.projectTab().bodyLabel),
                     static_cast<QWidget*>(window_.projectTab().bodyEditor),
                     static_cast<QWidget*>(window_.projectTab().exampleLabel),
                     static_cast<QWidget*>(window_.projectTab().exampleEditor)}) {
    w->setVisible(!viewMode);
  }
  for (QPushButton* tag : window_.projectTab().tagButtons) tag->setVisible(!viewMode);
  window_.projectTab().insertLinkButton->setVisible(!viewMode);
  window_.projectTab().insertPictureButton->setVisible(!viewMode);
  // The browser is made the first time the view mode shows it.
  PageView* browser = viewMode ? window_.projectTab().ShowablePreviewBrowser()
                               : window_.projectTab().previewBrowser;
  if (browser) browser->setVisible(viewMode);
  window_.menus().Refresh();
}

void QtUi::NavigateBrowser(const std::string& target) {
  if (!window_.browserAvailable()) return;
  const QUrl url = BrowserUrl(target);
  // A browser not made yet shows the empty page when it is made: emptying the window starts
  // no web engine.
  if (!window_.projectTab().previewBrowser && url == QUrl("about:blank")) return;
  PageView* browser = window_.projectTab().ShowablePreviewBrowser();
  if (browser) browser->Load(url);
}

bool QtUi::EditViewAvailable() {
  return window_.projectTab().editViewButton->isEnabled();
}

QPlainTextEdit* QtUi::EditorOf(app::Editor editor) {
  return editor == app::Editor::Summary ? window_.projectTab().summaryEditor
         : editor == app::Editor::Body  ? window_.projectTab().bodyEditor
                                        : window_.projectTab().exampleEditor;
}

void QtUi::InsertTag(app::Editor editor, const std::string& tag) {
  PutTag(*EditorOf(editor), FromModel(tag));
}

void QtUi::InsertMarkup(app::Editor editor, const std::string& before, const std::string& text,
                        const std::string& after) {
  PutMarkup(*EditorOf(editor), FromModel(before), FromModel(text), FromModel(after));
}

std::string QtUi::AskLinkTarget(const std::vector<std::string>& pages) {
  QStringList names;
  names.reserve(static_cast<qsizetype>(pages.size()));
  for (const std::string& page : pages) names << FromModel(page);
  return ToModel(LinkDialog::Ask(&window_, names));
}

void QtUi::ShowPreviewWindow(const std::string& title, const std::string& pagePath) {
  const KeepFocus focus;
  PageView* browser = window_.browserAvailable() ? MakePageView() : nullptr;
  if (browser == nullptr) {
    ShowMessage(NoBrowserReport());
    window_.activateWindow();
    return;
  }
  PreviewWindow preview(&window_, FromBytes(title), BrowserUrl(pagePath), browser);
  if (places_.preview) PutAt(preview, *places_.preview);
  const bool ownerClosing = preview.Run();
  places_.preview = PlaceOf(preview);
  if (ownerClosing) {
    // The main window's close box ended the preview: once the command that opened it has
    // cleaned up, the window closes as it was asked to.
    QMetaObject::invokeMethod(&window_, &QWidget::close, Qt::QueuedConnection);
  }
}

void QtUi::ShowBuilderWindow(const std::string& label, const std::string& log,
                             const std::function<app::BuilderResult()>& compile,
                             const std::function<void(const std::string&)>& openHelp) {
  const KeepFocus focus;
  BuilderWindow builder(&window_, FromBytes(label), FromBytes(log));
  messageOwner_ = &builder;
  if (places_.builder) builder.OpenAt(*places_.builder);
  if (compilerRunner_ != nullptr) builder.Follow(*compilerRunner_);
  std::string compiledFile;
  connect(&builder, &BuilderWindow::openHelpRequested, &builder,
          [&openHelp, &compiledFile] { openHelp(compiledFile); });
  builder.Run([&compile, &builder, &compiledFile] {
    const app::BuilderResult result = compile();
    QStringList messages;
    for (const auto& line : result.messages) messages.append(FromBytes(line));
    builder.ShowCompilerMessages(FromBytes(result.messagesHeading), messages,
                                 static_cast<int>(result.errors));
    compiledFile = result.compiledFile;
    builder.SetHelpCompiled(!compiledFile.empty());
    return FromBytes(result.label);
  });
  messageOwner_ = nullptr;
  places_.builder = PlaceOf(builder);
}

std::string QtUi::CompilerPath() {
  const QString shown = window_.optionsTab().compilerPathField->text();
  if (shown == FromBytes(compilerPathBytes_)) return compilerPathBytes_;
  return ToBytes(shown);
}
void QtUi::SetCompilerPath(const std::string& path) {
  compilerPathBytes_ = path;
  window_.optionsTab().compilerPathField->setText(FromBytes(path));
}
bool QtUi::CompileChecked() {
  return window_.optionsTab().compileCheckBox->isChecked();
}
void QtUi::SetCompileChecked(bool checked) {
  const QSignalBlocker block(window_.optionsTab().compileCheckBox);
  window_.optionsTab().compileCheckBox->setChecked(checked);
}
bool QtUi::KeepDataChecked() {
  return window_.optionsTab().keepDataCheckBox->isChecked();
}
void QtUi::SetKeepDataChecked(bool checked) {
  window_.optionsTab().keepDataCheckBox->setChecked(checked);
}
bool QtUi::EraseHtmlChecked() {
  return window_.optionsTab().eraseHtmlCheckBox->isChecked();
}
void QtUi::SetEraseHtmlChecked(bool checked) {
  window_.optionsTab().eraseHtmlCheckBox->setChecked(checked);
}
bool QtUi::KeywordIndexChecked() {
  return window_.optionsTab().keywordIndexCheckBox->isChecked();
}
void QtUi::SetKeywordIndexChecked(bool checked) {
  window_.optionsTab().keywordIndexCheckBox->setChecked(checked);
}
bool QtUi::ExamplesAsCodeChecked() {
  return window_.optionsTab().examplesAsCodeCheckBox->isChecked();
}
void QtUi::SetExamplesAsCodeChecked(bool checked) {
  window_.optionsTab().examplesAsCodeCheckBox->setChecked(checked);
}

void QtUi::SetLanguageEntries(const std::vector<std::string>& entries) {
  const QSignalBlocker block(window_.optionsTab().languageList);
  window_.optionsTab().languageList->clear();
  for (const std::string& entry : entries)
    window_.optionsTab().languageList->addItem(FromModel(entry));
}

void QtUi::SelectLanguageEntry(int index) {
  const QSignalBlocker block(window_.optionsTab().languageList);
  window_.optionsTab().languageList->setCurrentIndex(index);
}

std::string QtUi::SelectedLanguageEntry() {
  return ToModel(window_.optionsTab().languageList->currentText());
}

void QtUi::SetLanguageControlsEnabled(bool enabled) {
  window_.optionsTab().languageList->setEnabled(enabled);
  for (QLineEdit* field : window_.optionsTab().headingFields) field->setEnabled(enabled);
}

void QtUi::SetHeadingFields(const config::LanguageTable& captions) {
  for (std::size_t i = 0; i < window_.optionsTab().headingFields.size(); ++i) {
    const QSignalBlocker block(window_.optionsTab().headingFields[i]);
    window_.optionsTab().headingFields[i]->setText(FromModel(config::CaptionAt(captions, i)));
  }
}

config::LanguageTable QtUi::ReadHeadingFields() {
  config::LanguageTable captions;
  for (std::size_t i = 0; i < window_.optionsTab().headingFields.size(); ++i) {
    config::CaptionAt(captions, i) = ToModel(window_.optionsTab().headingFields[i]->text());
  }
  return captions;
}

bool QtUi::IsMaximised() {
  return window_.isMaximized();
}
void QtUi::Maximise() {
  window_.showMaximized();
  window_.repaint();
}
config::WindowPlaces QtUi::WindowPlaces() {
  if (const auto place = PlaceOf(window_)) places_.main = place;
  return places_;
}
void QtUi::SetWindowPlaces(const config::WindowPlaces& places) {
  places_ = places;
  if (places.main) PutAt(window_, *places.main);
}
void QtUi::SetWindowTitle(const std::string& title) {
  window_.setWindowTitle(FromBytes(title));
}
void QtUi::ShowStatus(const std::string& text) {
  window_.statusBar()->showMessage(FromModel(text));
}

// ---- the writing itself: the live pane beside the form, the spell check's dictionary and
// word list, and the recent projects ----

void QtUi::SetLivePane(bool shown) {
  window_.projectTab().livePaneButton->setChecked(shown &&
                                                  window_.projectTab().livePane != nullptr);
  if (window_.projectTab().livePane) window_.projectTab().livePane->SetOpen(shown);
}

void QtUi::ShowLivePage(const std::string& address) {
  if (window_.projectTab().livePane) window_.projectTab().livePane->Show(BrowserUrl(address));
}

std::string QtUi::DictionaryChoice() {
  return window_.speller().dictionaryChoice().toStdString();
}

void QtUi::SetDictionaryChoice(const std::string& choice) {
  window_.speller().SetDictionary(QString::fromStdString(choice));
}

void QtUi::SetProjectWordList(const std::string& path) {
  window_.speller().SetProjectWordListPath(path);
}

void QtUi::SetRecentProjects(const std::vector<std::string>& paths) {
  window_.setRecentProjects(paths);
}

}  // namespace qs::ui
