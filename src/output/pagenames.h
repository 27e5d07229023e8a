#pragma once

// How a topic's page is named: as a file in the help folder, and where the help project
// files (.hhp, .hhc, .hhk) and the pages' links name it. Every place that turns a topic's
// name into its page's file name or into a link goes through these functions, so that the
// compiler finds every page it is pointed at.

#include <optional>
#include <string>
#include <string_view>

namespace qs::output {

inline constexpr std::string_view kPageExtension = ".html";

// The page file of the topic `name`, relative to the help folder: the name as the system
// names files (UTF-8 on Linux, the code page on Windows) + ".html". Separators stay as the
// name has them. An ASCII name gives name + ".html".
std::string PageFileName(std::string_view name);

// How the .hhp's [FILES] list, the .hhc and .hhk "Local" values and the links of the pages
// name the page of `name`. The help compiler looks every one of them up byte for byte among
// the files it is given, without decoding references or escapes, so this is the page file's
// own name.
std::string PageLink(std::string_view name);

// The way from the page of `topicName` up to the help folder: "../" for every folder the page
// lies in below it (a topic named "Notes/Deep" has its page in the folder Notes), empty for a
// page in the help folder itself. A link or picture the author inserts starts with it.
std::string WayToHelpFolder(std::string_view topicName);

// The start tag of a link to `address` as the pages write it, the auto-link's among them:
// "<a href=\"" + address + "\">"; the link ends with kLinkEndTag.
std::string LinkStartTag(std::string_view address);
// The same, appended to `out`.
void AppendLinkStartTag(std::string& out, std::string_view address);
inline constexpr std::string_view kLinkEndTag = "</a>";

// The topic name whose page a link, or a page file name read back from a folder or a .hhp,
// names: the inverse of PageLink and PageFileName. Nothing when it does not end in ".html".
std::optional<std::string> TopicNameOfPage(std::string_view page);

}  // namespace qs::output
