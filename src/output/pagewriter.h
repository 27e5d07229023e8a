#pragma once

// The HTML pages of a help: the start page Index.html and the page of every other topic. Page
// bytes are part of the product's output (existing help folders and compiled files are
// compared against them), so every literal below is written exactly, odd spacing and letter
// case included. Topic texts are inserted as they are, without escaping: authors type markup.
// Only where the caller hands over an ExampleCode are the examples written as code (escaped,
// coloured, calls linked) instead, in the same place between the same lines.

#include <string>
#include <string_view>

#include "config/languagetable.h"
#include "output/autolinker.h"
#include "output/examplecode.h"
#include "project/helpproject.h"
#include "text/report.h"

namespace qs::output {

// The library name: the file-name part of the project's library file.
std::string LibraryName(const project::HelpProject& project);

// The page bytes. The Index page is the first topic in store order; an empty project gives
// a page with empty texts. With `code`, the example is written as code.
std::string IndexPageText(const project::HelpProject& project,
                          const config::LanguageTable& captions, const ExampleCode* code = nullptr);
// The same with `index` in the Index page's place (texts not yet committed).
std::string IndexPageText(const project::HelpProject& project, const project::Topic& index,
                          const config::LanguageTable& captions, const ExampleCode* code = nullptr);
// The layout follows the topic's flags: user topic first, then user index entry, else a
// function page (whose description gets the links of `linker`). With `code`, the example is
// written as code.
std::string TopicPageText(const project::HelpProject& project, const project::Topic& topic,
                          const config::LanguageTable& captions, const AutoLinker& linker,
                          const ExampleCode* code = nullptr);

// The framed example block of a topic page, from the line after its caption: the example as
// `code` writes it, or as the author typed it without one.
void AppendExampleFrame(std::string& out, std::string_view example, const ExampleCode* code);

// Line 1 of a page: the index page and the unique HTML file close the head with "</head>",
// topic pages with "</HEAD>".
std::string IndexHeadLine(std::string_view title);

inline constexpr std::string_view kBodyLine =
    "<body bgcolor=\"#FFFFDF\" link=\"#009999\" vlink=\"#006666\" alink=\"#006666\">";
inline constexpr std::string_view kClosingLine = "</font></body></html>";

}  // namespace qs::output
