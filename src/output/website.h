#pragma once

// The help as a static website: one HTML5 page per topic, in UTF-8, with a contents sidebar,
// previous and next links, a keyword index page and a search that runs in the reader's
// browser from an index file beside the pages. The site opens from disk (file://) as well as
// from any static host and loads nothing from elsewhere.
//
// The author's texts go through the same conversions as on the help pages (line breaks,
// examples, links to function pages), so the reader sees what the help shows; only the page
// around them is the site's own. Pages are made in Windows-1252, as every text of the
// project is, and converted to UTF-8 whole: every byte the author typed arrives as the
// character it stands for.

#include <cstddef>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "config/languagetable.h"
#include "output/autolinker.h"
#include "output/examplecode.h"
#include "project/helpproject.h"
#include "text/report.h"

namespace qs::output {

// The files of the site's own, below its folder ("/" between folders).
inline constexpr std::string_view kSiteStyleFile = "assets/site.css";
inline constexpr std::string_view kSiteScriptFile = "assets/site.js";
inline constexpr std::string_view kSiteContentsFile = "assets/contents.js";
inline constexpr std::string_view kSiteSearchIndexFile = "assets/search-index.js";
// Every file a build of the site wrote, one a line: the next build into the same folder
// removes those it does not write again (pages of topics since deleted or renamed).
inline constexpr std::string_view kSiteFileList = "assets/files.txt";

// One page of the site, in display order.
struct SitePage {
  std::size_t pos = 0;  // store position of its topic
  std::string path;     // below the site's folder, "/" between folders: the file's name there
  std::string address;  // its address relative to the site's folder, %-escaped UTF-8
};

// The pages of the site in the order of the contents: the Index page, then the rows of the
// display order that have a topic. A topic shown in two rows, and a topic whose name would
// leave the folder, gets one page or none, as in the help folder; a page file that several
// topics share is the last one's, as there.
std::vector<SitePage> SitePages(const project::HelpProject& project);

struct SiteMap {
  std::vector<SitePage> pages;
  std::string keywordPage;  // the keyword index page's path
  // The address of each topic name's page (SiteAddress), made once.
  std::unordered_map<std::string, std::string> addresses;

  // The address of the page of `name`, relative to the site's folder.
  std::string AddressOf(std::string_view name) const;
};
SiteMap MapSite(const project::HelpProject& project);

// The keyword index page's path: "keywords.html", or with a number when a topic's page has
// that name.
std::string KeywordPagePath(const std::vector<SitePage>& pages);

// The address, relative to the site's folder, of the page of the topic `name` (1252): its
// page file's path in UTF-8, %-escaped where an address would read a byte otherwise.
std::string SiteAddress(std::string_view name);

// The first sentence of an HTML text, as plain text: tags dropped, blanks joined, up to the
// first ".", "!" or "?" followed by a blank (or the end), at most about 300 bytes.
std::string FirstSentence(std::string_view html);

// The bytes of the page `index` of the site's pages (UTF-8); function descriptions get the
// links of `linker`, to the site's pages. With `code`, examples are written as code, as the
// help pages write them with that option, without links (the site's addresses are its own).
std::string SitePageText(const project::HelpProject& project, const config::LanguageTable& captions,
                         const SiteMap& site, std::size_t index, const AutoLinker& linker,
                         const ExampleCode* code = nullptr);

// The keyword index page, the contents script and the search index script (UTF-8).
std::string KeywordPageText(const project::HelpProject& project, const SiteMap& site);
std::string ContentsScriptText(const project::HelpProject& project,
                               const config::LanguageTable& captions, const SiteMap& site);
std::string SearchIndexText(const project::HelpProject& project, const SiteMap& site);

// Writes the site into `folder` (made when missing): the pages, the keyword index, the
// contents, the search index, the style sheet and the script, and then the files of
// `helpFolder` that the pages refer to (pictures and the like), copied, never linked. Every
// file is written from the folder opened once, never through a link (see
// platform::OutputFolder). The files an earlier build listed that this one does not write are
// removed, and nothing else. Returns the path of every file written, each followed by LF; an
// empty text when a file could not be written (reported). A file of the help folder that is
// a link, a hard link or unreadable is left out, with a warning.
std::string WriteWebsite(const project::HelpProject& project, const config::LanguageTable& captions,
                         const std::string& folder, const std::string& helpFolder,
                         text::Reports& reports, bool examplesAsCode = false);

}  // namespace qs::output
