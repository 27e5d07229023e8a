#include "output/website.h"

#include <algorithm>
#include <filesystem>
#include <map>
#include <optional>
#include <system_error>
#include <unordered_set>
#include <utility>

#include "output/autolinker.h"
#include "output/compilercopy.h"
#include "output/helpfolder.h"
#include "output/outputfile.h"
#include "output/pagenames.h"
#include "output/pagewriter.h"
#include "output/websiteassets.h"
#include "platform/filenames.h"
#include "platform/outputfolder.h"
#include "text/cp1252.h"
#include "text/paths.h"
#include "text/textops.h"

namespace qs::output {
namespace {

namespace fs = std::filesystem;
using project::HelpProject;
using project::Topic;

constexpr std::size_t kSentenceLimit = 300;

// The parts of a page's path, "/" between them; false when the name gives no page.
bool PagePathParts(std::string_view name, std::vector<std::string_view>& parts) {
  if (!PagePathInFolder({}, std::string(name))) return false;
  return platform::OutputFolder::SplitParts(name, parts) || name.empty();
}

std::string JoinedPath(std::string_view name, bool forAddress) {
  std::vector<std::string_view> parts;
  PagePathParts(name, parts);
  std::string path;
  for (const auto part : parts) {
    if (!path.empty()) path.push_back('/');
    path.append(forAddress ? text::Utf8FromCp1252(part, false) : platform::FileNameFromText(part));
  }
  return path + std::string(kPageExtension);
}

bool KeptInAddress(unsigned char c) {
  if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9')) return true;
  return std::string_view("-._~/!$'()*+,;=@").find(static_cast<char>(c)) != std::string_view::npos;
}

std::string Escaped(std::string_view utf8) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string out;
  out.reserve(utf8.size());
  for (const char byte : utf8) {
    const auto c = static_cast<unsigned char>(byte);
    if (KeptInAddress(c)) {
      out.push_back(byte);
    } else {
      out.push_back('%');
      out.push_back(kHex[c >> 4]);
      out.push_back(kHex[c & 15]);
    }
  }
  return out;
}

// Windows-1252 to UTF-8 byte for byte, as text::Utf8FromCp1252 without reading references
// does, through a table: a website converts every byte it writes.
std::string Utf8Page(std::string&& cp1252) {
  // Most pages are ASCII, which both code pages write alike.
  if (std::all_of(cp1252.begin(), cp1252.end(),
                  [](char c) { return static_cast<unsigned char>(c) < 0x80; })) {
    return std::move(cp1252);
  }
  struct Table {
    char bytes[256][4];
    unsigned char sizes[256];
    Table() {
      for (int c = 0; c < 256; ++c) {
        const std::string one = text::Utf8FromCp1252(std::string(1, static_cast<char>(c)), false);
        sizes[c] = static_cast<unsigned char>(one.size());
        for (std::size_t i = 0; i < one.size(); ++i) bytes[c][i] = one[i];
      }
    }
  };
  static const Table table;
  std::string out;
  out.resize(cp1252.size() * 3);
  std::size_t at = 0;
  for (const char byte : cp1252) {
    const auto c = static_cast<unsigned char>(byte);
    if (c < 0x80) {
      out[at++] = byte;
      continue;
    }
    for (unsigned char i = 0; i < table.sizes[c]; ++i) out[at++] = table.bytes[c][i];
  }
  out.resize(at);
  return out;
}

// The way up from a page to the site's folder: "../" per folder the page lies in.
std::string RootOf(std::string_view path) {
  std::string root;
  for (const char c : path) {
    if (c == '/') root.append("../");
  }
  return root;
}

// Text shown as it is, in an element or an attribute value.
std::string TextEscaped(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (const char c : text) {
    switch (c) {
      case '&':
        out.append("&amp;");
        break;
      case '<':
        out.append("&lt;");
        break;
      case '>':
        out.append("&gt;");
        break;
      case '"':
        out.append("&quot;");
        break;
      default:
        out.push_back(c);
    }
  }
  return out;
}

bool IsTagStart(std::string_view html, std::size_t at) {
  if (at + 1 >= html.size()) return false;
  const char next = html[at + 1];
  return (next >= 'a' && next <= 'z') || (next >= 'A' && next <= 'Z') || next == '/' ||
         next == '!' || next == '?';
}

// Whether the tag `tag` ("<br>", "</p>") stands between words rather than inside one.
bool PartsWords(std::string_view tag) {
  std::size_t start = tag.size() > 1 && tag[1] == '/' ? 2 : 1;
  std::size_t end = start;
  while (end < tag.size() &&
         ((tag[end] >= 'a' && tag[end] <= 'z') || (tag[end] >= 'A' && tag[end] <= 'Z') ||
          (tag[end] >= '0' && tag[end] <= '9'))) {
    ++end;
  }
  const std::string name = text::AsciiLower(tag.substr(start, end - start));
  if (name.empty()) return true;  // a comment or a declaration
  for (const std::string_view inline_ :
       {"a",   "b",   "i",   "u",  "s",    "em",   "strong", "span", "font", "code", "small",
        "big", "sub", "sup", "tt", "mark", "abbr", "kbd",    "var",  "q",    "cite", "strike"}) {
    if (name == inline_) return false;
  }
  return true;
}

// The reference at `at` ("&amp;") as the character it stands for, for the few a plain text
// needs; false for any other.
bool DecodeReference(std::string_view html, std::size_t& at, std::string& out) {
  static constexpr std::pair<std::string_view, char> kNamed[] = {{"&amp;", '&'},   {"&lt;", '<'},
                                                                 {"&gt;", '>'},    {"&quot;", '"'},
                                                                 {"&apos;", '\''}, {"&nbsp;", ' '}};
  for (const auto& [name, c] : kNamed) {
    if (html.substr(at, name.size()) == name) {
      out.push_back(c);
      at += name.size();
      return true;
    }
  }
  return false;
}

// What a reader reads of an HTML text: tags dropped, the common references decoded, every
// run of blanks and line breaks one space. Markup that holds no text (scripts, styles) goes
// whole.
// With `enough`, reading stops once the text is that long.
std::string PlainText(std::string_view html, std::size_t enough = std::string::npos) {
  std::string out;
  out.reserve(std::min(html.size(), enough));
  bool blank = true;
  auto push = [&](char c) {
    const bool isBlank = c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f';
    if (isBlank) {
      if (!blank) out.push_back(' ');
      blank = true;
    } else {
      out.push_back(c);
      blank = false;
    }
  };
  std::size_t at = 0;
  while (at < html.size() && out.size() < enough) {
    // Ordinary text goes across in runs.
    std::size_t stop = html.find_first_of("<& \t\r\n\f", at);
    if (stop == std::string_view::npos) stop = html.size();
    if (stop > at) {
      out.append(html.substr(at, stop - at));
      blank = false;
      at = stop;
      continue;
    }
    const char c = html[at];
    if (c == '<' && IsTagStart(html, at)) {
      const std::size_t end = html.find('>', at);
      const std::string tag = text::AsciiLower(html.substr(at, 8));
      std::size_t next = end == std::string_view::npos ? html.size() : end + 1;
      for (const std::string_view element : {"script", "style"}) {
        if (tag.compare(1, element.size(), element) == 0) {
          const std::string closing = "</" + std::string(element);
          std::size_t close = next;
          while (close < html.size() &&
                 text::AsciiLower(html.substr(close, closing.size())) != closing) {
            close = html.find('<', close + 1);
            if (close == std::string_view::npos) close = html.size();
          }
          const std::size_t closeEnd = html.find('>', close);
          next = closeEnd == std::string_view::npos ? html.size() : closeEnd + 1;
        }
      }
      // A line break, a paragraph or a cell parts words, as the browser shows them; a link
      // or a bold word does not.
      if (PartsWords(html.substr(at, next - at))) push(' ');
      at = next;
      continue;
    }
    if (c == '&') {
      std::string decoded;
      if (DecodeReference(html, at, decoded)) {
        push(decoded[0]);
        continue;
      }
    }
    push(c);
    ++at;
  }
  while (!out.empty() && out.back() == ' ') out.pop_back();
  return out;
}

// A text as a JavaScript string literal: nothing in it can end the string or the script.
void AppendScriptString(std::string& out, std::string_view text) {
  static constexpr char kHex[] = "0123456789abcdef";
  out.push_back('"');
  std::size_t plain = 0;  // text before this position is in `out`
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char byte = text[i];
    const auto c = static_cast<unsigned char>(byte);
    const bool quoted = byte == '"' || byte == '\\';
    if (!quoted && c >= 0x20 && byte != '<' && byte != '>' && byte != '&') continue;
    out.append(text.substr(plain, i - plain));
    plain = i + 1;
    if (quoted) {
      out.push_back('\\');
      out.push_back(byte);
    } else {
      out.append("\\u00");
      out.push_back(kHex[c >> 4]);
      out.push_back(kHex[c & 15]);
    }
  }
  out.append(text.substr(plain));
  out.push_back('"');
}

const std::string& TitleOrName(const Topic& topic) {
  return topic.title.empty() ? topic.name : topic.title;
}

// The text a page's description for search engines is taken from.
std::string_view DescribingText(const HelpProject& project, const Topic& topic) {
  switch (topic.Kind()) {
    case project::TopicKind::IndexPage:
    case project::TopicKind::UserIndexEntry:
      return topic.summary;
    case project::TopicKind::UserTopic:
      return topic.body;
    case project::TopicKind::FunctionPage:
      return project.Body(topic);
  }
  return topic.body;
}

struct PageWriter {
  const HelpProject& project;
  const SiteMap& site;
  const config::LanguageTable& captions;
  const std::string& root;
  std::string& out;
  const ExampleCode* code = nullptr;

  void Line(std::string_view line) {
    out.append(line);
    out.push_back('\n');
  }
  void Heading(std::string_view caption) { out.append("<h2>").append(caption).append("</h2>\n"); }
  std::string Link(std::string_view name) const { return root + site.AddressOf(name); }
  void MemberLine(std::string_view name) {
    out.append("<li><a href=\"").append(Link(name)).append("\">").append(name);
    out.append("</a></li>\n");
  }
  void CodeExample(const Topic& topic) {
    if (topic.example.empty()) return;
    out.append("<section class=\"example\">\n");
    Heading(captions.example);
    out.append("<div class=\"code\">\n");
    out.append(code != nullptr ? code->Html(topic.example) : text::CodeToHtml(topic.example));
    out.append("\n</div>\n</section>\n");
  }

  void IndexLayout(const Topic& index) {
    out.append("<section class=\"overview\">\n");
    Heading(captions.overview);
    out.append("<div class=\"text\">\n").append(text::LineBreaksToHtml(index.summary));
    out.append("\n</div>\n</section>\n<section class=\"command-index\">\n");
    Heading(captions.commandIndex);
    Line("<ul class=\"members\">");
    const auto& items = project.items();
    for (std::size_t row = 1; row < items.size(); ++row) {
      const Topic* topic = project.FindTopic(items[row].text);
      if (topic == nullptr || topic->isUserTopic) continue;
      if (topic->isUserIndex) {
        out.append("</ul>\n<h3 class=\"group\"><a href=\"").append(Link(topic->name));
        out.append("\">").append(topic->name).append("</a></h3>\n<ul class=\"members\">\n");
      } else {
        MemberLine(topic->name);
      }
    }
    Line("</ul>\n</section>");
    if (!index.example.empty()) {
      out.append("<section class=\"example\">\n");
      Heading(captions.example);
      out.append("<div class=\"code\">\n");
      out.append(code != nullptr ? code->Html(index.example)
                                 : text::LineBreaksToHtml(index.example));
      out.append("\n</div>\n</section>\n");
    }
  }

  void UserIndexLayout(const Topic& topic) {
    if (!topic.summary.empty()) {
      out.append("<section class=\"overview\">\n");
      Heading(captions.overview);
      out.append("<div class=\"text\">\n").append(text::LineBreaksToHtml(topic.summary));
      out.append("\n</div>\n</section>\n");
    }
    out.append("<section class=\"command-index\">\n");
    Heading(captions.commandIndex);
    Line("<ul class=\"members\">");
    // The plain topics of the rows after the entry's own, up to the next user index entry or
    // user topic, as on the help page.
    const auto& items = project.items();
    std::size_t row = 0;
    while (row < items.size() && items[row].text != topic.name) ++row;
    for (++row; row < items.size(); ++row) {
      const Topic* member = project.FindTopic(items[row].text);
      if (member == nullptr) continue;
      if (!member->IsPlain()) break;
      MemberLine(member->name);
    }
    Line("</ul>\n</section>");
    CodeExample(topic);
  }

  void FunctionLayout(const Topic& topic, const AutoLinker& linker) {
    out.append("<section class=\"syntax\">\n");
    Heading(captions.syntax);
    out.append("<p class=\"syntax-line\"><b class=\"name\">").append(topic.name).append("</b>");
    out.append(topic.parameters).append("</p>\n</section>\n<section class=\"description\">\n");
    Heading(captions.description);
    const std::string& here = root;
    out.append("<div class=\"text\">\n");
    out.append(linker.Apply(text::LineBreaksToHtml(project.Body(topic)),
                            [&](std::string_view name) { return here + site.AddressOf(name); }));
    out.append("\n</div>\n</section>\n");
    CodeExample(topic);
  }
};

// The library's name in the code page of the pages: a file name is the system's (UTF-8 here),
// and the page is converted to UTF-8 whole.
std::string SiteLibraryName(const HelpProject& project) {
  const std::string name = LibraryName(project);
  return text::IsValidUtf8(name) ? text::Cp1252FromUtf8(name) : name;
}

void AppendHead(std::string& out, const HelpProject& project, std::string_view root,
                std::string_view address, std::string_view title, std::string_view description) {
  out.append("<!DOCTYPE html>\n<html lang=\"en\" data-root=\"").append(root);
  out.append("\" data-page=\"").append(address).append("\">\n<head>\n");
  out.append("<meta charset=\"utf-8\">\n");
  out.append("<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">\n");
  out.append("<title>").append(title).append(" - ").append(TextEscaped(SiteLibraryName(project)));
  out.append("</title>\n");
  if (!description.empty()) {
    out.append("<meta name=\"description\" content=\"").append(TextEscaped(description));
    out.append("\">\n");
  }
  out.append("<meta name=\"generator\" content=\"QuillSmith\">\n");
  out.append("<link rel=\"stylesheet\" href=\"").append(root).append(kSiteStyleFile);
  out.append("\">\n<script src=\"").append(root).append(kSiteContentsFile);
  out.append("\" defer></script>\n<script src=\"").append(root).append(kSiteScriptFile);
  out.append("\" defer></script>\n</head>\n<body>\n");
  out.append("<a class=\"skip\" href=\"#main\">Skip to the text</a>\n<header class=\"bar\">\n");
  out.append(
      "<button type=\"button\" id=\"menu\" aria-controls=\"sidebar\" aria-expanded=\"false\">"
      "Contents</button>\n");
  out.append("<a class=\"home\" href=\"").append(root).append("Index.html\">");
  out.append(TextEscaped(SiteLibraryName(project))).append("</a>\n");
  out.append(
      "<div class=\"search\" role=\"search\"><input id=\"search\" type=\"search\" "
      "placeholder=\"Search\" aria-label=\"Search the help\" autocomplete=\"off\" "
      "spellcheck=\"false\"><div id=\"results\" hidden></div></div>\n</header>\n");
}

// The sidebar before the script fills it, and what it holds without scripts.
void AppendSidebar(std::string& out, std::string_view root, std::string_view keywordPage) {
  out.append("<div class=\"layout\">\n<nav id=\"sidebar\" aria-label=\"Contents\">");
  out.append("<p class=\"more\"><a href=\"").append(root).append("Index.html\">Index</a> ");
  out.append("<a href=\"").append(root).append(keywordPage).append("\">Keyword index</a></p>");
  out.append("</nav>\n<main id=\"main\" tabindex=\"-1\">\n<article>\n");
}

void AppendPager(std::string& out, const HelpProject& project, const std::vector<SitePage>& pages,
                 std::size_t index, std::string_view root) {
  out.append("</article>\n<nav class=\"pager\" aria-label=\"Previous and next page\">\n");
  if (index > 0) {
    const SitePage& prev = pages[index - 1];
    out.append("<a rel=\"prev\" href=\"").append(root).append(prev.address);
    out.append("\"><span>Previous</span> ").append(TextEscaped(project.TopicAt(prev.pos).name));
    out.append("</a>\n");
  }
  if (index + 1 < pages.size()) {
    const SitePage& next = pages[index + 1];
    out.append("<a rel=\"next\" href=\"").append(root).append(next.address);
    out.append("\"><span>Next</span> ").append(TextEscaped(project.TopicAt(next.pos).name));
    out.append("</a>\n");
  }
  out.append("</nav>\n</main>\n</div>\n</body>\n</html>\n");
}

// Names the keyword index sorts by: the letters folded, then the bytes.
std::string FoldedName(std::string_view name) {
  std::string folded(name);
  for (char& c : folded) c = text::FoldCase1252(c);
  return folded;
}

std::string NativePath(const std::string& folder, std::string_view relative) {
  std::string path = folder;
  for (const char c : relative) path.push_back(c == '/' ? text::NativeSeparator() : c);
  return path;
}

// Removes the files the earlier build of the site in `out` listed that this one did not write
// (`written`), with the folders they leave empty. Only regular files go, reached without
// following a link, and only below the folder.
void RemoveStaleFiles(platform::OutputFolder& out, const std::string& earlierList,
                      const std::unordered_set<std::string>& written) {
  std::size_t start = 0;
  while (start < earlierList.size()) {
    std::size_t end = earlierList.find('\n', start);
    if (end == std::string::npos) end = earlierList.size();
    const std::string file = earlierList.substr(start, end - start);
    start = end + 1;
    std::vector<std::string_view> parts;
    if (written.count(file) != 0 || !platform::OutputFolder::SplitParts(file, parts)) continue;
    if (!out.RemoveFile(file)) continue;
    for (std::string folder = text::FolderPart(file); !folder.empty();
         folder = text::FolderPart(folder)) {
      folder.pop_back();
      if (folder.empty() || !out.RemoveEmptyFolder(folder)) break;
    }
  }
}

// A folder's path as a text to compare: absolute, normal, "/" between folders, no separator at
// the end, and where names ignore letter case (Windows) in one case.
std::string ComparableFolder(const std::string& path) {
  std::error_code error;
  fs::path absolute = fs::absolute(fs::path(path), error);
  if (error) absolute = fs::path(path);
  std::string text = absolute.lexically_normal().generic_string();
  while (text.size() > 1 && text.back() == '/') text.pop_back();
  return text::NativeSeparator() == '\\' ? text::AsciiLower(text) : text;
}

bool SameFolder(const std::string& a, const std::string& b) {
  if (a.empty() || b.empty()) return false;
  std::error_code error;
  if (fs::equivalent(fs::path(a), fs::path(b), error) && !error) return true;
  // Where the system gives a file no identity to compare (Windows, through some runtimes), the
  // paths themselves tell.
  return ComparableFolder(a) == ComparableFolder(b);
}

}  // namespace

std::string SiteAddress(std::string_view name) {
  return Escaped(JoinedPath(name, true));
}

std::vector<SitePage> SitePages(const HelpProject& project) {
  std::vector<SitePage> pages;
  if (project.TopicCount() == 0) return pages;
  std::unordered_set<std::string> paths;
  const auto add = [&](std::size_t pos) {
    const Topic& topic = project.TopicAt(pos);
    std::vector<std::string_view> parts;
    if (pos != 0 && !PagePathParts(topic.name, parts)) return;
    SitePage page;
    page.pos = pos;
    page.path = pos == 0 ? std::string("Index.html") : JoinedPath(topic.name, false);
    page.address = pos == 0 ? std::string("Index.html") : SiteAddress(topic.name);
    if (!paths.insert(page.path).second) return;
    pages.push_back(std::move(page));
  };
  add(0);
  std::vector<bool> shown(project.TopicCount(), false);
  shown[0] = true;
  for (const auto& item : project.items()) {
    const std::size_t pos = project.FindTopicPos(item.text);
    if (pos == std::string::npos || shown[pos]) continue;
    shown[pos] = true;
    add(pos);
  }
  // Topics that no row shows still have their page in the help folder; they come last.
  for (std::size_t pos = 1; pos < project.TopicCount(); ++pos) {
    if (!shown[pos]) add(pos);
  }
  // Where several topics share a page file, the help folder holds the last one written.
  for (auto& page : pages) {
    if (page.pos == 0) continue;
    for (const std::size_t pos : project.TopicPositions(project.TopicAt(page.pos).name)) {
      page.pos = std::max(page.pos, pos);
    }
  }
  return pages;
}

SiteMap MapSite(const HelpProject& project) {
  SiteMap site;
  site.pages = SitePages(project);
  site.keywordPage = KeywordPagePath(site.pages);
  for (const auto& topic : project.topics()) {
    if (!site.addresses.contains(topic.name))
      site.addresses.emplace(topic.name, SiteAddress(topic.name));
  }
  return site;
}

std::string SiteMap::AddressOf(std::string_view name) const {
  const auto it = addresses.find(std::string(name));
  return it != addresses.end() ? it->second : SiteAddress(name);
}

std::string KeywordPagePath(const std::vector<SitePage>& pages) {
  std::unordered_set<std::string> taken;
  for (const auto& page : pages) taken.insert(FoldedName(page.path));
  std::string path = "keywords.html";
  for (int n = 2; taken.count(path) != 0; ++n) path = "keywords-" + std::to_string(n) + ".html";
  return path;
}

std::string FirstSentence(std::string_view html) {
  const std::string plain = PlainText(html, kSentenceLimit + 2);
  std::size_t end = plain.size();
  for (std::size_t i = 0; i < plain.size(); ++i) {
    const char c = plain[i];
    if ((c == '.' || c == '!' || c == '?') && (i + 1 == plain.size() || plain[i + 1] == ' ')) {
      end = i + 1;
      break;
    }
  }
  if (end > kSentenceLimit) {
    end = plain.rfind(' ', kSentenceLimit);
    if (end == std::string::npos || end == 0) end = kSentenceLimit;
    return plain.substr(0, end) + "...";
  }
  return plain.substr(0, end);
}

std::string SitePageText(const HelpProject& project, const config::LanguageTable& captions,
                         const SiteMap& site, std::size_t index, const AutoLinker& linker,
                         const ExampleCode* code) {
  const std::vector<SitePage>& pages = site.pages;
  const SitePage& page = pages[index];
  const Topic& topic = project.TopicAt(page.pos);
  const std::string root = RootOf(page.path);
  std::string description = FirstSentence(DescribingText(project, topic));
  if (description.empty()) description = PlainText(TitleOrName(topic));

  std::string out;
  out.reserve(2048 + topic.body.size() * 2 + topic.example.size() * 2);
  AppendHead(out, project, root, page.address, TitleOrName(topic), description);
  AppendSidebar(out, root, site.keywordPage);
  out.append("<h1>").append(TitleOrName(topic)).append("</h1>\n");
  PageWriter writer{project, site, captions, root, out, code};
  if (page.pos == 0) {
    writer.IndexLayout(topic);
  } else if (topic.isUserTopic) {
    out.append("<div class=\"text\">\n").append(text::LineBreaksToHtml(topic.body));
    out.append("\n</div>\n");
  } else if (topic.isUserIndex) {
    writer.UserIndexLayout(topic);
  } else {
    writer.FunctionLayout(topic, linker);
  }
  AppendPager(out, project, pages, index, root);
  return Utf8Page(std::move(out));
}

std::string KeywordPageText(const HelpProject& project, const SiteMap& site) {
  const std::vector<SitePage>& pages = site.pages;
  const std::string_view path = site.keywordPage;
  struct Keyword {
    std::string folded;
    std::string_view name;
    std::string_view address;
    auto operator<=>(const Keyword&) const = default;
  };
  std::vector<Keyword> keywords;
  for (const auto& page : pages) {
    const Topic& topic = project.TopicAt(page.pos);
    if (page.pos == 0 || topic.name.empty()) continue;
    keywords.push_back({FoldedName(topic.name), topic.name, page.address});
  }
  std::sort(keywords.begin(), keywords.end());
  const std::string root = RootOf(path);
  std::string out;
  out.reserve(keywords.size() * 80 + 2048);
  AppendHead(out, project, root, path, "Keyword index", "Every page of the help by its name.");
  AppendSidebar(out, root, path);
  out.append("<h1>Keyword index</h1>\n<ul class=\"keywords\">\n");
  for (const auto& keyword : keywords) {
    out.append("<li><a href=\"").append(root).append(keyword.address).append("\">");
    out.append(TextEscaped(keyword.name)).append("</a></li>\n");
  }
  out.append("</ul>\n</article>\n</main>\n</div>\n</body>\n</html>\n");
  return Utf8Page(std::move(out));
}

std::string ContentsScriptText(const HelpProject& project, const config::LanguageTable& captions,
                               const SiteMap& site) {
  struct Node {
    std::string_view name;
    std::string_view address;
    std::vector<Node> children;
  };
  std::map<std::string_view, std::string_view> addresses;
  for (const auto& page : site.pages) {
    addresses.emplace(project.TopicAt(page.pos).name, page.address);
  }
  const auto nodeOf = [&](std::string_view name) -> std::optional<Node> {
    const auto it = addresses.find(name);
    if (it == addresses.end()) return std::nullopt;
    return Node{name, it->second, {}};
  };

  // As the help's contents: the functions' book, each user index entry in it a group of the
  // plain topics after it, up to the first user topic; from there on everything at the top.
  std::vector<Node> top;
  top.push_back({captions.functions, "Index.html", {}});
  std::vector<Node>& book = top.front().children;
  Node* group = nullptr;
  const auto& items = project.items();
  std::size_t row = 1;
  for (; row < items.size(); ++row) {
    const Topic* topic = project.FindTopic(items[row].text);
    if (topic == nullptr) continue;
    if (topic->isUserTopic) break;
    if (topic->isUserIndex) {
      // A group whose entry has no page of its own still holds its members.
      book.push_back(nodeOf(topic->name).value_or(Node{topic->name, {}, {}}));
      group = &book.back();
    } else if (auto node = nodeOf(topic->name)) {
      (group != nullptr ? group->children : book).push_back(std::move(*node));
    }
  }
  for (; row < items.size(); ++row) {
    const Topic* topic = project.FindTopic(items[row].text);
    if (topic == nullptr) continue;
    if (auto node = nodeOf(topic->name)) top.push_back(std::move(*node));
  }

  std::string out = "window.QS_CONTENTS={\"library\":";
  out.reserve(site.pages.size() * 64 + 256);
  AppendScriptString(out, SiteLibraryName(project));
  out.append(",\"keywords\":");
  AppendScriptString(out, site.keywordPage);
  out.append(",\"items\":");
  const auto append = [&out](const std::vector<Node>& nodes, const auto& self) -> void {
    out.push_back('[');
    for (std::size_t i = 0; i < nodes.size(); ++i) {
      if (i > 0) out.append(",\n");
      out.push_back('[');
      AppendScriptString(out, nodes[i].name);
      out.push_back(',');
      AppendScriptString(out, nodes[i].address);
      if (!nodes[i].children.empty()) {
        out.push_back(',');
        self(nodes[i].children, self);
      }
      out.push_back(']');
    }
    out.push_back(']');
  };
  append(top, append);
  out.append("};\n");
  return Utf8Page(std::move(out));
}

std::string SearchIndexText(const HelpProject& project, const SiteMap& site) {
  std::string out = "window.QS_SEARCH=[";
  bool first = true;
  for (const auto& page : site.pages) {
    const Topic& topic = project.TopicAt(page.pos);
    std::string words;
    switch (topic.Kind()) {
      case project::TopicKind::IndexPage:
      case project::TopicKind::UserIndexEntry:
        words = topic.summary;
        break;
      case project::TopicKind::UserTopic:
        words = topic.body;
        break;
      case project::TopicKind::FunctionPage:
        words = topic.parameters + " " + project.Body(topic);
        break;
    }
    words.append(" ").append(topic.example);
    if (!first) out.append(",\n");
    first = false;
    out.push_back('[');
    AppendScriptString(out, page.address);
    out.push_back(',');
    AppendScriptString(out, topic.name);
    out.push_back(',');
    AppendScriptString(out, PlainText(TitleOrName(topic)));
    out.push_back(',');
    AppendScriptString(out, PlainText(words));
    out.push_back(']');
  }
  out.append("];\n");
  // References to characters the code page lacks are read as those characters, so that a
  // search for the character finds them.
  return out.find("&#") == std::string::npos ? Utf8Page(std::move(out))
                                             : text::Utf8FromCp1252(out, true);
}

std::string WriteWebsite(const HelpProject& project, const config::LanguageTable& captions,
                         const std::string& folder, const std::string& helpFolder,
                         text::Reports& reports, bool examplesAsCode) {
  const std::string target = text::WithTrailingSeparator(folder);
  std::error_code ignored;  // a folder that cannot be made shows as a file that cannot be made
  if (!target.empty()) fs::create_directories(fs::path(target), ignored);
  if (SameFolder(target, helpFolder)) {
    reports.push_back(text::ErrorReport("The website cannot be written into the help folder '" +
                                        helpFolder + "'!"));
    return {};
  }
  platform::OutputFolder out;
  if (!out.Open(target)) {
    reports.push_back(text::CouldNotCreateFileReport(target + "Index.html"));
    return {};
  }

  std::string earlierList;
  if (out.Read(kSiteFileList, kCompilerFileLimit, earlierList) != platform::ReadStatus::Read) {
    earlierList.clear();
  }
  const SiteMap site = MapSite(project);
  const std::vector<SitePage>& pages = site.pages;
  const std::string& keywordPage = site.keywordPage;
  const AutoLinker linker(project);
  const std::optional<ExampleCode> code =
      examplesAsCode ? std::optional<ExampleCode>(ExampleCode()) : std::nullopt;
  std::vector<std::string> own;
  own.reserve(pages.size() + 5);
  std::string log;
  ReferencedFiles references;
  std::unordered_set<std::string> written;
  const auto write = [&](std::string_view relative, std::string_view bytes) {
    const std::string path = NativePath(target, relative);
    if (!WriteOutputFile(out, relative, path, bytes, reports)) return false;
    log.append(path).push_back('\n');
    written.emplace(relative);
    return true;
  };
  // The list of this build's files, written last so that it names only files that are there.
  const auto finish = [&]() {
    std::vector<std::string_view> files(written.begin(), written.end());
    std::sort(files.begin(), files.end());
    std::string list;
    for (const auto file : files) list.append(file).push_back('\n');
    if (!write(kSiteFileList, list)) return std::string();
    RemoveStaleFiles(out, earlierList, written);
    return log;
  };
  for (const auto& page : pages) own.push_back(page.path);
  for (const auto name : {std::string_view(keywordPage), kSiteStyleFile, kSiteScriptFile,
                          kSiteContentsFile, kSiteSearchIndexFile, kSiteFileList}) {
    own.emplace_back(name);
  }

  for (std::size_t i = 0; i < pages.size(); ++i) {
    const std::string bytes =
        SitePageText(project, captions, site, i, linker, code ? &*code : nullptr);
    if (!write(pages[i].path, bytes)) return {};
    // Only the author's texts refer to files of the help folder; the rest of the page is the
    // site's own.
    const Topic& topic = project.TopicAt(pages[i].pos);
    std::string authors = topic.title + '\n' + topic.summary + '\n' + topic.example;
    if (project::AuthorWritesBody(topic.Kind())) authors.append("\n").append(topic.body);
    references.Scan(pages[i].path, Utf8Page(std::move(authors)));
  }
  if (!write(keywordPage, KeywordPageText(project, site)) ||
      !write(kSiteContentsFile, ContentsScriptText(project, captions, site)) ||
      !write(kSiteSearchIndexFile, SearchIndexText(project, site)) ||
      !write(kSiteStyleFile, kSiteStyleText) || !write(kSiteScriptFile, kSiteScriptText)) {
    return {};
  }

  // The pictures and other files of the help folder that the pages show or link to.
  if (helpFolder.empty()) return finish();
  platform::OutputFolder help;
  if (!fs::is_directory(fs::path(helpFolder), ignored) || !help.Open(helpFolder)) {
    return finish();
  }
  CompilerCopy copied;
  if (!references.Copy(help, out, own, copied)) {
    reports.push_back(text::CouldNotCreateFileReport(target));
    return {};
  }
  for (const auto& file : copied.files) {
    log.append(NativePath(target, file)).push_back('\n');
    written.insert(file);
  }
  for (const auto& [name, why] : copied.leftOut) {
    reports.push_back({"WARNING", why, text::ReportIcon::Exclamation});
  }
  return finish();
}

}  // namespace qs::output
