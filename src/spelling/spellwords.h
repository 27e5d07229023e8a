#pragma once

// The words of an editor's text that spelling applies to. The texts are HTML written by hand:
// tags (with their attributes) and comments are markup, "&nbsp;" and "&#945;" are
// characters, and names from code (CamelCase, UPPER, with digits or "_", in a dotted or
// slashed name, a call or a PureBasic "$" string) are not prose; none of them is checked.

#include <QList>
#include <QStringView>

namespace qs::spelling {

// Where a line of an editor starts: in the text, inside a tag or inside a comment. A tag or
// comment may run over several lines, so each line hands its end state to the next.
enum class MarkupState : int { Text = 0, Tag = 1, Comment = 2 };

struct WordRange {
  qsizetype start = 0;
  qsizetype length = 0;

  qsizetype end() const { return start + length; }
  friend bool operator==(const WordRange&, const WordRange&) = default;
};

// The words of `text` to check, in order. `state` is the state at its start and becomes the
// state at its end.
QList<WordRange> CheckableWords(QStringView text, MarkupState& state);

}  // namespace qs::spelling
