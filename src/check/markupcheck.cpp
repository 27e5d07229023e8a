#include "check/markupcheck.h"

#include <tidy/tidy.h>
#include <tidy/tidybuffio.h>

#include <algorithm>
#include <cctype>
#include <set>
#include <utility>

#include "text/textops.h"

namespace qs::check {
namespace {

// The field stands alone in a body, as it stands in its page; the page's own frame around it
// is written by the program and is well formed. The field's first line is line 3 of this.
constexpr std::string_view kDocumentStart =
    "<!DOCTYPE html>\n<html><head><title>page</title></head><body>\n";
constexpr int kLinesBefore = 2;
constexpr std::string_view kDocumentEnd = "\n</body></html>\n";

bool IsLetter(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

// One message of libtidy, where it points in the page text.
struct TidyFinding {
  TidyReportLevel level;
  tidyStrings code;
  int line;
  int column;
  std::string text;
};

Bool TIDY_CALL Collect(TidyMessage message) {
  auto* found = static_cast<std::vector<TidyFinding>*>(tidyGetAppData(tidyGetMessageDoc(message)));
  const char* text = tidyGetMessageDefault(message);
  found->push_back(
      {tidyGetMessageLevel(message), static_cast<tidyStrings>(tidyGetMessageCode(message)),
       tidyGetMessageLine(message), tidyGetMessageColumn(message), text != nullptr ? text : ""});
  return no;  // nothing is printed
}

// The quoted name in a message such as "missing </b> before </body>": the first "<...>".
std::string FirstTag(std::string_view text) {
  const auto open = text.find('<');
  if (open == std::string_view::npos) return {};
  const auto close = text.find('>', open);
  if (close == std::string_view::npos) return {};
  return std::string(text.substr(open, close - open + 1));
}

// The first quoted part of a message ("&foo" in: unknown entity "&foo").
std::string FirstQuoted(std::string_view text) {
  const auto open = text.find('"');
  if (open == std::string_view::npos) return {};
  const auto close = text.find('"', open + 1);
  if (close == std::string_view::npos) return {};
  return std::string(text.substr(open + 1, close - open - 1));
}

// What the reader meets, in the author's terms; empty for what no reader notices (a missing
// "alt", an unquoted value, an implied tag the browser adds unseen).
std::string Explain(const TidyFinding& found) {
  switch (found.code) {
    case MISSING_ENDTAG_BEFORE:
    case MISSING_ENDTAG_FOR: {
      std::string end = FirstTag(found.text);
      std::string start = end.size() > 2 ? "<" + end.substr(2) : end;
      return "'" + start + "' is not closed: everything after it takes its form (missing '" + end +
             "')";
    }
    case NON_MATCHING_ENDTAG:
    case UNEXPECTED_ENDTAG:
    case UNEXPECTED_ENDTAG_ERR:
    case UNEXPECTED_ENDTAG_IN:
      return "an end tag that does not match the open tag: " + found.text;
    case DISCARDING_UNEXPECTED:
      return "'" + FirstTag(found.text) + "' does not belong here: the browser drops it";
    case UNKNOWN_ELEMENT:
    case UNKNOWN_ELEMENT_LOOKS_CUSTOM:
      return "'" + FirstTag(found.text) + "' is no HTML element: the browser drops the tag";
    case UNKNOWN_ENTITY: {
      const std::string entity = FirstQuoted(found.text);
      if (entity == "&") return "a stray '&': write '&amp;'";
      return "'" + entity + "' is no known character name: write '&amp;' for a plain '&'";
    }
    case UNESCAPED_AMPERSAND:
      return "a stray '&': write '&amp;'";
    case MISSING_SEMICOLON:
    case MISSING_SEMICOLON_NCR:
      return "'" + FirstQuoted(found.text) + "' does not end in ';'";
    case UNEXPECTED_GT:
      return "'" + FirstTag(found.text).substr(0, FirstTag(found.text).size() - 1) +
             "' has no '>': the rest of the line is taken into the tag";
    case UNEXPECTED_END_OF_FILE:
    case UNEXPECTED_END_OF_FILE_ATTR:
      return "a tag runs to the end of the text without its '>': the rest is hidden";
    case MALFORMED_COMMENT:
    case MALFORMED_COMMENT_EOS:
    case MALFORMED_COMMENT_DROPPING:
      return "a comment that does not end in '-->' hides everything after it";
    case UNEXPECTED_QUOTEMARK:
    case MISSING_QUOTEMARK:
      return "a quote mark out of place in a tag: " + found.text;
    default:
      return {};
  }
}

// The tag that starts at `column` (from 1) of `line`, as the author wrote it ("<b"), or empty
// when no "<" and letter start there.
std::string TagStartAt(std::string_view line, int column) {
  const std::size_t at = column > 0 ? static_cast<std::size_t>(column - 1) : 0;
  if (at + 1 >= line.size() || line[at] != '<' || !IsLetter(line[at + 1])) return {};
  std::size_t end = at + 1;
  while (end < line.size() && std::isalnum(static_cast<unsigned char>(line[end]))) ++end;
  return std::string(line.substr(at, end - at));
}

// A tag written as one: "<name>" or "<name attribute=...>", closed on its own line before
// another "<" begins.
bool WrittenAsTag(std::string_view line, std::size_t nameEnd) {
  const auto close = line.find('>', nameEnd);
  if (close == std::string_view::npos) return false;
  const std::string_view rest = line.substr(nameEnd, close - nameEnd);
  if (rest.find('<') != std::string_view::npos) return false;
  return rest.empty() || (rest.front() == ' ' && rest.find('=') != std::string_view::npos);
}

std::vector<std::string_view> SplitLines(std::string_view text) {
  std::vector<std::string_view> lines;
  std::size_t start = 0;
  while (true) {
    const auto end = text.find('\n', start);
    std::string_view line = text.substr(start, end == std::string_view::npos ? end : end - start);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    lines.push_back(line);
    if (end == std::string_view::npos) break;
    start = end + 1;
  }
  return lines;
}

void CollectReferences(TidyNode node, FieldMarkup& markup, int lineCount) {
  for (TidyNode child = tidyGetChild(node); child != nullptr; child = tidyGetNext(child)) {
    const TidyTagId id = tidyNodeGetId(child);
    const TidyAttrId wanted =
        id == TidyTag_A ? TidyAttr_HREF : (id == TidyTag_IMG ? TidyAttr_SRC : TidyAttr_UNKNOWN);
    if (wanted != TidyAttr_UNKNOWN) {
      if (TidyAttr attribute = tidyAttrGetById(child, wanted)) {
        const char* value = tidyAttrValue(attribute);
        const int line =
            std::clamp(static_cast<int>(tidyNodeLine(child)) - kLinesBefore, 1, lineCount);
        auto& list = id == TidyTag_A ? markup.links : markup.pictures;
        list.push_back({line, value != nullptr ? value : ""});
      }
    }
    CollectReferences(child, markup, lineCount);
  }
}

}  // namespace

FieldMarkup ReadFieldMarkup(std::string_view text, FieldForm form, bool examplesAreCode) {
  FieldMarkup markup;
  const bool example = form == FieldForm::Example;
  // Without "<" or "&" the field is plain text, and an example written as code always is.
  if (text.find_first_of("<&") == std::string_view::npos || (example && examplesAreCode)) {
    return markup;
  }
  const std::string page = example ? text::CodeToHtml(text) : text::LineBreaksToHtml(text);
  const std::vector<std::string_view> lines = SplitLines(page);
  const int lineCount = static_cast<int>(lines.size());

  std::vector<TidyFinding> found;
  TidyDoc doc = tidyCreate();
  TidyBuffer errors;
  tidyBufInit(&errors);
  tidySetErrorBuffer(doc, &errors);
  tidySetAppData(doc, &found);
  tidySetMessageCallback(doc, Collect);
  tidyOptSetBool(doc, TidyQuiet, yes);
  tidyOptSetBool(doc, TidyShowInfo, no);
  tidyOptSetBool(doc, TidyShowWarnings, yes);
  tidyOptSetInt(doc, TidyShowErrors, 1000);
  tidySetCharEncoding(doc, "win1252");
  std::string document(kDocumentStart);
  document.append(page).append(kDocumentEnd);
  tidyParseString(doc, document.c_str());
  CollectReferences(tidyGetBody(doc), markup, lineCount);
  tidyRelease(doc);
  tidyBufFree(&errors);

  // One finding a place: libtidy often says several things about one cause.
  std::set<std::pair<int, int>> places;
  std::set<std::string> unknownElements;
  for (const TidyFinding& finding : found) {
    const int line = finding.line - kLinesBefore;
    if (line < 1) continue;
    const int fieldLine = std::min(line, lineCount);
    const std::string_view lineText =
        line <= lineCount ? lines[static_cast<std::size_t>(line - 1)] : std::string_view();
    std::string message;
    if (example) {
      const std::string start = TagStartAt(lineText, finding.column);
      const std::size_t at = static_cast<std::size_t>(std::max(finding.column - 1, 0));
      if (!start.empty() && !WrittenAsTag(lineText, at + start.size())) {
        message = "'" + start +
                  "' starts a tag; the rest of the line is hidden (turn on \"Examples are "
                  "code\", or write &lt; for '<')";
      }
    }
    if (message.empty()) {
      if (finding.code == DISCARDING_UNEXPECTED &&
          unknownElements.contains("</" + FirstTag(finding.text).substr(2))) {
        continue;  // the end tag of an element already reported as unknown
      }
      message = Explain(finding);
      if (message.empty()) continue;
      if (finding.code == UNKNOWN_ELEMENT || finding.code == UNKNOWN_ELEMENT_LOOKS_CUSTOM) {
        const std::string tag = FirstTag(finding.text);
        if (tag.size() > 1) unknownElements.insert("</" + tag.substr(1));
      }
    }
    if (!places.insert({fieldLine, finding.column}).second) continue;
    markup.findings.push_back({fieldLine, std::move(message)});
  }
  std::stable_sort(markup.findings.begin(), markup.findings.end(),
                   [](const Finding& a, const Finding& b) { return a.line < b.line; });
  return markup;
}

}  // namespace qs::check
