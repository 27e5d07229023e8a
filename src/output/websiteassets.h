#pragma once

// The style sheet and the script every page of the website shares. The script builds the
// contents sidebar from the contents file, marks the page shown, opens and closes the
// sidebar on a narrow screen, and searches the search index as the reader types; it loads
// both files by script elements, which a browser allows from disk (file://) as from a web
// server, and nothing from anywhere else.

#include <string_view>

namespace qs::output {

extern const std::string_view kSiteStyleText;
extern const std::string_view kSiteScriptText;

}  // namespace qs::output
