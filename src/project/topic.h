#pragma once

#include <string>
#include <string_view>

namespace qs::project {

inline constexpr std::string_view kIndexName = "Index";

// The two list images: a page, and an index (the Index page and user index entries).
enum class TopicIcon { PageIcon, IndexIcon };

// Derived from the flags and the name, never stored.
enum class TopicKind { IndexPage, FunctionPage, UserTopic, UserIndexEntry };

struct Topic {
  std::string name;        // unique key; the page file is name + ".html"
  std::string parameters;  // a function's parameter list, parentheses included
  std::string title;
  std::string summary;  // syntax, or an overview; lines joined by CR LF
  // Description or user text. The Index page and user index entries show a functions list
  // instead, which HelpProject::Body gives; here they hold it only while it is kept (below).
  std::string body;
  std::string example;
  bool refreshed = false;  // transient mark of a library merge; never saved
  bool isUserTopic = false;
  bool isUserIndex = false;
  // For the Index page and user index entries: the functions list in `body` stands as it is
  // (as a project file or the caller gave it) rather than following the rows, until the
  // project remakes the lists (HelpProject::RemakeLists).
  bool listKept = true;
  TopicIcon icon = TopicIcon::PageIcon;

  TopicKind Kind() const;
  // Neither flag: the Index page and function pages.
  bool IsPlain() const { return !isUserTopic && !isUserIndex; }
  // The Index page and user index entries: their body is a functions list.
  bool ShowsFunctionsList() const;

  friend bool operator==(const Topic&, const Topic&) = default;
};

// Which of a topic's texts its author writes. The program makes the others: the functions list
// that is the body of the Index page and of a user index entry, and a function page's syntax
// line. The title and the example are always the author's.
bool AuthorWritesBody(TopicKind kind);
bool AuthorWritesSummary(TopicKind kind);

// Whether `page` holds text its author wrote that `fresh`, the same page as the library alone
// gives it, does not: the one rule for "this page holds the author's text". Texts compare as
// the project file gives them back, where a line feed and CR LF are one line end.
bool HoldsAuthorText(const Topic& page, const Topic& fresh);

// The icon a topic of this kind carries in the list.
TopicIcon IconFor(TopicKind kind);

}  // namespace qs::project
