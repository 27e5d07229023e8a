#include "ui/mainwindow/formtyping.h"

#include <QLineEdit>
#include <QTextDocument>
#include <algorithm>

#include "project/helpproject.h"
#include "project/topicform.h"
#include "text/textops.h"
#include "ui/mainwindow/projecttab.h"
#include "ui/widgets/formeditor.h"
#include "ui/widgets/linehistory.h"
#include "ui/widgets/modeltext.h"

namespace qs::ui {

namespace {

// Whether committing `typed` would leave `stored` as it is: a text as it was shown is no
// change, and a committed text loses the blanks at its ends.
bool Commits(const std::string& typed, const std::string& stored) {
  return typed == stored || text::TrimBlanks(typed) == stored;
}

}  // namespace

void FormTyping::LaterDelete::operator()(QTextDocument* document) const {
  document->deleteLater();
}

void FormTyping::DeletePages() {
  for (Page& page : pages_) {
    for (Kept& document : page.documents) delete document.release();
  }
  pages_.clear();
}

FormTyping::FormTyping(ProjectTab& tab, const project::HelpProject& project)
    : tab_(tab),
      project_(project),
      editors_{nullptr, static_cast<FormEditor*>(tab.summaryEditor),
               static_cast<FormEditor*>(tab.bodyEditor),
               static_cast<FormEditor*>(tab.exampleEditor)},
      title_(new LineHistory(*tab.titleField)) {}

FormTyping::~FormTyping() {
  // The window may outlive this, but not what its commands listen to: a document an editor
  // shows goes with the editor, taken over without a signal.
  for (std::size_t field = kSummary; field < kFields; ++field) {
    FormEditor* editor = editors_[field];
    if (editor == nullptr) continue;
    for (Page& page : pages_) {
      if (page.documents[field].get() == editor->document())
        page.documents[field].release()->setParent(editor);
    }
  }
  if (title_) title_->Follow(nullptr);
  DeletePages();
}

FormTyping::Page& FormTyping::Visit(const std::string& name) {
  const auto found = std::find_if(pages_.begin(), pages_.end(),
                                  [&name](const Page& page) { return page.name == name; });
  if (found == pages_.end()) {
    pages_.emplace_front();
    pages_.front().name = name;
  } else {
    pages_.splice(pages_.begin(), pages_, found);
  }
  showing_ = true;
  // The page shown until now is the second: the last is shown nowhere.
  while (pages_.size() > kPages) pages_.pop_back();
  return pages_.front();
}

void FormTyping::Show(const project::EditForm& form, const project::FormLayout& layout) {
  Page& page = Visit(project_.shownTopic());

  Kept& title = page.documents[kTitle];
  if (title && !Commits(ToModel(LineHistory::TextOf(*title)), form.title)) title.reset();
  if (title) {
    tab_.titleField->setText(LineHistory::TextOf(*title));
  } else {
    title.reset(new QTextDocument);
    tab_.titleField->setText(FromModel(form.title));
  }
  if (title_) title_->Follow(title.get());

  ShowEditor(page, kSummary, form.summary, layout.summaryEnabled && !layout.summaryReadOnly);
  if (layout.bodyReadOnly) {
    page.documents[kBody].reset();
  } else {
    ShowEditor(page, kBody, form.body, true);
  }
  ShowEditor(page, kExample, form.example, layout.exampleEnabled);
  // A page deleted a moment ago was still shown when the list followed the deletion.
  ForgetMissingPages();
}

void FormTyping::ShowEditor(Page& page, Field field, const std::string& stored, bool typed) {
  FormEditor& editor = *editors_[field];
  Kept& kept = page.documents[field];
  if (kept && (!typed || !Commits(ToModelLines(EditorLines(*kept)), stored))) kept.reset();
  if (!typed) {
    editor.showEditableText(FromModelLines(stored));
    return;
  }
  if (!kept) kept.reset(editor.makeDocument(FromModelLines(stored)).release());
  editor.showDocument(kept.get());
}

void FormTyping::Clear() {
  tab_.titleField->clear();
  if (title_) title_->Follow(nullptr);
  for (const QPointer<FormEditor>& editor : editors_) {
    if (editor) editor->showEditableText({});
  }
  DeletePages();
  showing_ = false;
}

void FormTyping::ForgetMissingPages() {
  for (auto page = pages_.begin(); page != pages_.end();) {
    const bool shown = showing_ && page == pages_.begin();
    if (!shown && project_.FindTopic(page->name) == nullptr) {
      page = pages_.erase(page);
    } else {
      ++page;
    }
  }
}

}  // namespace qs::ui
