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
  std::string body;     // description, functions list or user text
  std::string example;
  bool refreshed = false;  // transient mark of a library merge; never saved
  bool isUserTopic = false;
  bool isUserIndex = false;
  TopicIcon icon = TopicIcon::PageIcon;

  TopicKind Kind() const;
  // Neither flag: the Index page and function pages.
  bool IsPlain() const { return !isUserTopic && !isUserIndex; }

  friend bool operator==(const Topic&, const Topic&) = default;
};

// The icon a topic of this kind carries in the list.
TopicIcon IconFor(TopicKind kind);

}  // namespace qs::project
