#pragma once

#include <QPointer>
#include <array>
#include <cstddef>
#include <list>
#include <memory>
#include <string>

class QTextDocument;

namespace qs::project {
class HelpProject;
struct EditForm;
struct FormLayout;
}  // namespace qs::project

namespace qs::ui {

class FormEditor;
class LineHistory;
class ProjectTab;

// The typing of the page form, kept per page: the title field and the editors type into
// documents of the page shown, kept for the kPages pages shown last, so that a page's undo and
// redo outlive a look at other pages, the previews and the view mode. A page's kept document
// is shown again only while committing it would leave the page's stored text as it is; a page
// whose text the program replaced (an undo, an extraction) starts afresh from its text, and
// the pages of a project closed, or gone from the project, are forgotten. A text the program
// makes (a functions list) and a field the page does not use are never kept.
class FormTyping {
 public:
  static constexpr std::size_t kPages = 50;

  FormTyping(ProjectTab& tab, const project::HelpProject& project);
  ~FormTyping();
  FormTyping(const FormTyping&) = delete;
  FormTyping& operator=(const FormTyping&) = delete;

  // Shows the texts of the project's shown topic in the title and the editors that take
  // typing by `layout`; a read-only description is left to the caller, which shows the
  // program's text there at once.
  void Show(const project::EditForm& form, const project::FormLayout& layout);
  // Empties the fields and forgets the typing of every page.
  void Clear();
  // Forgets the typing of the pages the project no longer has, but the one shown.
  void ForgetMissingPages();

 private:
  enum Field : std::size_t { kTitle, kSummary, kBody, kExample, kFields };
  // A document dropped while the form is being filled may still be shown by its editor until
  // the form is filled: it goes once the event loop turns again.
  struct LaterDelete {
    void operator()(QTextDocument* document) const;
  };
  using Kept = std::unique_ptr<QTextDocument, LaterDelete>;
  struct Page {
    std::string name;
    std::array<Kept, kFields> documents;
  };

  // Deletes the pages' documents at once: no editor shows them.
  void DeletePages();
  // The page of the shown topic, the first of the pages.
  Page& Visit(const std::string& name);
  void ShowEditor(Page& page, Field field, const std::string& stored, bool typed);

  ProjectTab& tab_;
  const project::HelpProject& project_;
  std::array<QPointer<FormEditor>, kFields> editors_;
  QPointer<LineHistory> title_;
  // The pages shown last, the most recent first; while `showing_` the first is the page shown.
  std::list<Page> pages_;
  bool showing_ = false;
};

}  // namespace qs::ui
