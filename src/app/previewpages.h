#pragma once

// What the preview browsers show: the pages of the project, produced from the model when a
// browser asks for one, at addresses of their own. "preview://help/" + page file is a page as
// the help folder would hold it; "preview://live/" + page file is the same, except that the
// live pane's page shows the form's texts before they are committed. Links between the pages
// are relative, so they stay below the address they start from.

#include <optional>
#include <string>
#include <string_view>

#include "app/ui.h"
#include "config/languagetable.h"
#include "output/pagesource.h"
#include "project/helpproject.h"
#include "project/topicform.h"

namespace qs::app {

inline constexpr std::string_view kPreviewScheme = "preview";
inline constexpr std::string_view kPagesHost = "help";
inline constexpr std::string_view kLiveHost = "live";

// "preview://help/" + pageFile, and "preview://live/" + pageFile.
std::string PageAddress(std::string_view pageFile);
std::string LiveAddress(std::string_view pageFile);

class PreviewPages {
 public:
  // All must outlive it; the pages always follow their current contents, and show examples as
  // code exactly while the window's "Examples are code" is checked. The functions lists that
  // moves left pending are made before a page is, so the pages never show stale ones.
  PreviewPages(project::HelpProject& project, const config::LanguageTable& captions, Ui& ui);

  // The page at `path` (a page file, decoded) below `host`; nothing when there is none there
  // (the browser may then be given a file of the help folder, such as a picture).
  std::optional<std::string> Page(std::string_view host, std::string_view path);

  // Makes the live page from the form's texts, as the shown topic will look once they are
  // committed; the project is not touched. Its page file, or nothing when no topic is shown.
  std::optional<std::string> UpdateLivePage(const project::EditForm& form);
  // Counts the changes of the live page (its file or its bytes), so that the pane reloads
  // only when it would show something new.
  std::size_t liveRevision() const { return liveRevision_; }
  // Where the files the pages refer to lie, as in the built help: the folder the build writes
  // into, so a relative help folder lies beside the project file, wherever the program runs.
  std::string fileFolder() const;

 private:
  project::HelpProject& project_;
  const config::LanguageTable& captions_;
  Ui& ui_;
  output::PageSource source_;
  std::string livePath_;
  std::string livePage_;
  std::size_t liveRevision_ = 0;
};

}  // namespace qs::app
