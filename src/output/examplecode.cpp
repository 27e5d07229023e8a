#include "output/examplecode.h"

#include "output/autolinker.h"
#include "output/pagenames.h"
#include "output/purebasiccode.h"
#include "text/textops.h"

namespace qs::output {
namespace {

void AppendStyled(std::string& out, std::string_view text, CodeKind kind) {
  const CodeStyle style = StyleOf(kind);
  out.append("<font color=\"").append(style.colour).append("\">");
  if (style.bold) out.append("<b>");
  AppendEscapedCode(out, text);
  if (style.bold) out.append("</b>");
  out.append("</font>");
}

}  // namespace

void AppendEscapedCode(std::string& out, std::string_view text) {
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c == '<') {
      out.append("&lt;");
    } else if (c == '>') {
      out.append("&gt;");
    } else if (c == '&' && CharacterReferenceLength(text, i) == 0) {
      out.append("&amp;");
    } else {
      out.push_back(c);
    }
  }
}

ExampleCode::ExampleCode(const std::vector<std::string>& names) {
  for (const std::string& name : names) links_.try_emplace(text::AsciiLower(name), name);
}

ExampleCode::ExampleCode(const project::HelpProject& project)
    : ExampleCode(AutoLinkNames(project)) {}

std::string ExampleCode::Html(std::string_view example) const {
  std::string out;
  out.reserve(example.size() * 2);
  std::size_t plain = 0;
  for (const CodeToken& token : PureBasicTokens(example)) {
    AppendEscapedCode(out, example.substr(plain, token.start - plain));
    const std::string_view text = example.substr(token.start, token.length);
    const auto link =
        token.kind == CodeKind::Call ? links_.find(text::AsciiLower(text)) : links_.end();
    if (link != links_.end()) {
      out.append("<a href=\"").append(PageLink(link->second)).append("\">");
      AppendEscapedCode(out, text);
      out.append("</a>");
    } else {
      AppendStyled(out, text, token.kind);
    }
    plain = token.start + token.length;
  }
  AppendEscapedCode(out, example.substr(plain));
  return text::CodeToHtml(out);
}

}  // namespace qs::output
