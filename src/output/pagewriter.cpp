#include "output/pagewriter.h"

#include "output/outputfile.h"
#include "output/pagenames.h"
#include "text/paths.h"
#include "text/textops.h"

namespace qs::output {
namespace {

using project::HelpProject;
using project::Topic;

constexpr std::string_view kMetaStart =
    "<html><head><meta http-equiv=\"Content-Type\"content=\"text/html; "
    "charset=windows-1252\"><title>";
constexpr std::string_view kArialFont = "<blockquote><font face=\"Arial\"size=\"2\">";
constexpr std::string_view kCourierFont =
    "<blockquote><font face=\"Courier New, Courier, mono\"size=\"2\">";
constexpr std::string_view kCodeFrame =
    "<div style=\"Border:solid 1px black;Padding:8px;Background-Color:White;\">";

std::string Caption(std::string_view before, std::string_view caption, std::string_view after) {
  std::string line(before);
  line.append(caption).append(after);
  return line;
}

// "<a href=\"" + page link + "\">" + name + "</a><br>": a member line of an index list.
void AppendMemberLine(std::string& out, std::string_view name) {
  out.append("<a href=\"").append(PageLink(name)).append("\">").append(name).append("</a><br>");
  out.append(text::kCrLf);
}

void AppendCodeExample(std::string& out, const Topic& topic, const config::LanguageTable& captions,
                       const ExampleCode* code) {
  if (topic.example.empty()) return;
  AppendLine(out, Caption("<p><b>", captions.example, "</b></p>"));
  AppendExampleFrame(out, topic.example, code);
}

// The first row showing this name, or the row count when there is none.
std::size_t RowOf(const HelpProject& project, std::string_view name) {
  const auto& items = project.items();
  for (std::size_t row = 0; row < items.size(); ++row) {
    if (items[row].text == name) return row;
  }
  return items.size();
}

void AppendUserIndexLayout(std::string& out, const HelpProject& project, const Topic& topic,
                           const config::LanguageTable& captions, const ExampleCode* code) {
  if (!topic.summary.empty()) {
    AppendLine(out, Caption("<p><b>", captions.overview, "</b></p>"));
    AppendLine(out, kArialFont);
    AppendLine(out, text::LineBreaksToHtml(topic.summary));
    AppendLine(out, "</font></blockquote>");
  }
  AppendLine(out, Caption("<p><b>", captions.commandIndex, "</b><blockquote>"));
  // The group: the plain topics of the rows after the entry's own row, up to the next user
  // index entry or user topic. Rows without a topic are skipped.
  const auto& items = project.items();
  for (std::size_t row = RowOf(project, topic.name) + 1; row < items.size(); ++row) {
    const Topic* member = project.FindTopic(items[row].text);
    if (member == nullptr) continue;
    if (!member->IsPlain()) break;
    AppendMemberLine(out, member->name);
  }
  AppendLine(out, "<blockquote></p>");
  AppendCodeExample(out, topic, captions, code);
}

void AppendFunctionLayout(std::string& out, const HelpProject& project, const Topic& topic,
                          const config::LanguageTable& captions, const AutoLinker& linker,
                          const ExampleCode* code) {
  AppendLine(out, Caption("<p><b>", captions.syntax, "</b></p>"));
  out.append("<blockquote><font color=\"#006666\"><b>").append(topic.name).append("</b></Font>");
  out.append(topic.parameters);
  AppendLine(out, "</blockquote>");
  AppendLine(out, Caption("<p><b>", captions.description, "</b></p>"));
  AppendLine(out, "<blockquote style=\"text-align: justify;\"><font face=\"Arial\"Size=\"2\">");
  AppendLine(out, linker.Apply(text::LineBreaksToHtml(project.Body(topic))));
  AppendLine(out, "</font></blockquote>");
  AppendCodeExample(out, topic, captions, code);
}

}  // namespace

void AppendExampleFrame(std::string& out, std::string_view example, const ExampleCode* code) {
  out.append(kCourierFont);
  AppendLine(out, kCodeFrame);
  AppendLine(out, code != nullptr ? code->Html(example) : text::CodeToHtml(example));
  AppendLine(out, "</div>");
  AppendLine(out, "</font></blockquote>");
}

std::string LibraryName(const HelpProject& project) {
  return text::FileNamePart(project.libraryFile);
}

std::string IndexHeadLine(std::string_view title) {
  std::string line(kMetaStart);
  line.append(title).append("</title></head>");
  return line;
}

std::string IndexPageText(const HelpProject& project, const config::LanguageTable& captions,
                          const ExampleCode* code) {
  static const Topic kNoTopic;
  return IndexPageText(project, project.TopicCount() > 0 ? project.TopicAt(0) : kNoTopic, captions,
                       code);
}

std::string IndexPageText(const HelpProject& project, const Topic& index,
                          const config::LanguageTable& captions, const ExampleCode* code) {
  std::string out;
  AppendLine(out, IndexHeadLine(index.title));
  AppendLine(out, kBodyLine);
  AppendLine(out, "<font face=\"Arial\" size=\"2\">");
  AppendLine(out,
             Caption("<p align=\"center\"><b><font size=\"4\">", index.title, "</font></b></p>"));
  AppendLine(out, Caption("<p><b>", captions.overview, "</b></p><blockquote>"));
  AppendLine(out, text::LineBreaksToHtml(index.summary));
  AppendLine(out, Caption("</blockquote><p><b>", captions.commandIndex, "</b><blockquote>"));
  const auto& items = project.items();
  for (std::size_t row = 1; row < items.size(); ++row) {
    const Topic* topic = project.FindTopic(items[row].text);
    if (topic == nullptr || topic->isUserTopic) continue;
    if (topic->isUserIndex) {
      if (row != 1) AppendLine(out, "<br>");
      out.append("<a href=\"").append(PageLink(topic->name)).append("\"><b>");
      out.append(topic->name);
      AppendLine(out, "</b></a> :<br>");
    } else {
      AppendMemberLine(out, topic->name);
    }
  }
  AppendLine(out, "<blockquote></p>");
  if (!index.example.empty()) {
    AppendLine(out, Caption("<p><b>", captions.example, "</b></p>"));
    out.append(kCourierFont);
    // The start page's example continues the font's line and has no frame; as code it keeps
    // its blanks, as on every other page.
    AppendLine(out,
               code != nullptr ? code->Html(index.example) : text::LineBreaksToHtml(index.example));
    AppendLine(out, "</font></blockquote>");
  }
  AppendLine(out, kClosingLine);
  return out;
}

std::string TopicPageText(const HelpProject& project, const Topic& topic,
                          const config::LanguageTable& captions, const AutoLinker& linker,
                          const ExampleCode* code) {
  std::string out;
  out.reserve(512 + topic.body.size() * 2 + topic.example.size() * 2);
  out.append(kMetaStart).append(topic.title);
  AppendLine(out, "</title></HEAD>");
  AppendLine(out, kBodyLine);
  AppendLine(out,
             Caption("<font face=\"Arial\" size=\"2\"><p align=\"center\"><b><font size=\"4\">",
                     topic.title, " </Font></b></p>"));
  if (topic.isUserTopic) {
    AppendLine(out, kArialFont);
    AppendLine(out, text::LineBreaksToHtml(topic.body));
    AppendLine(out, "</font></blockquote>");
  } else if (topic.isUserIndex) {
    AppendUserIndexLayout(out, project, topic, captions, code);
  } else {
    AppendFunctionLayout(out, project, topic, captions, linker, code);
  }
  AppendLine(out, Caption("<br><br><br><center><a href=index.html>", LibraryName(project),
                          " - index</a></center>"));
  AppendLine(out, kClosingLine);
  return out;
}

}  // namespace qs::output
