#pragma once

// What a browser makes of one field of a page. The field is checked as the page writer puts it
// into the page (line breaks as "<br>", an example's blanks as "&nbsp;"), by libtidy, whose
// diagnosis of broken markup is the one browsers share; this file only chooses which of its
// findings a reader would see and says them in the author's terms.

#include <string>
#include <string_view>
#include <vector>

namespace qs::check {

// How the page writer turns a field into page text.
enum class FieldForm {
  Text,     // line breaks become "<br>" (titles, overviews, descriptions, user texts)
  Example,  // an example: line breaks as above, blanks kept as "&nbsp;"
};

struct Finding {
  int line = 1;  // within the field, from 1
  std::string message;

  friend bool operator==(const Finding&, const Finding&) = default;
};

// A link or a picture the field names, with its line.
struct Reference {
  int line = 1;
  std::string target;  // the attribute's value as written

  friend bool operator==(const Reference&, const Reference&) = default;
};

struct FieldMarkup {
  std::vector<Finding> findings;
  std::vector<Reference> links;     // href of every <a>
  std::vector<Reference> pictures;  // src of every <img>
};

// Reads the field `text` (lines ended by CR LF or LF) as a browser will. With
// `examplesAreCode` an example is written as plain text, so it holds no markup at all.
// In an example otherwise, a "<" followed by a letter that the browser takes for the start of
// a tag the author did not mean ("If a<b Then") is reported as
// "'<b' starts a tag; the rest of the line is hidden" with the way out.
FieldMarkup ReadFieldMarkup(std::string_view text, FieldForm form, bool examplesAreCode = false);

}  // namespace qs::check
