#pragma once

#include <string>
#include <string_view>

namespace qs::check {

// The texts of a page that its author writes, as the edit form shows them.
enum class Field { Title, Summary, Body, Example };

// Something a reader of the help would find broken, and where the author wrote it.
struct Problem {
  std::string page;  // the topic's name
  Field field = Field::Title;
  std::string fieldName;  // the field as the form calls it on this page ("Description")
  int line = 1;           // the line within the field, from 1
  std::string message;

  friend bool operator==(const Problem&, const Problem&) = default;
};

}  // namespace qs::check
