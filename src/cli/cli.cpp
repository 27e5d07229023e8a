#include "cli/cli.h"

#include <new>
#include <ostream>
#include <string_view>
#include <vector>

#include "cli/arguments.h"
#ifdef QS_HAS_CHECK
#include "cli/checkcommands.h"
#endif
#include "cli/librarycommands.h"
#include "cli/outputcommands.h"
#include "text/report.h"
#include "version/version.h"

namespace qs::cli {
namespace {

constexpr std::string_view kUsageText =
    "Usage:\n"
    "  quillsmith-cli list LIBRARY\n"
    "  quillsmith-cli extract LIBRARY PROJECT.qsp [--fresh] [--help-folder FOLDER]\n"
    "  quillsmith-cli build PROJECT.qsp [--out FOLDER] [--compile] [--compiler PATH] [--erase]\n"
    "                       [--keyword-index] [--examples-as-code] [--language-file FILE.lng]\n"
    "  quillsmith-cli unique PROJECT.qsp [--out FOLDER] [--examples-as-code]\n"
    "  quillsmith-cli web PROJECT.qsp FOLDER [--help-folder FOLDER]\n"
    "                     [--language-file FILE.lng] [--examples-as-code]\n"
#ifdef QS_HAS_CHECK
    "  quillsmith-cli check PROJECT.qsp [--json] [--strict] [--examples-as-code]\n"
    "                       [--help-folder FOLDER]\n"
#endif
    "  quillsmith-cli --help | --version\n";

// The usage followed by what every command and option does; the manual page says the same.
constexpr std::string_view kHelpDetails =
    "\n"
    "Writes the help of a PureBasic user library without a window. Output files are byte for\n"
    "byte those of the desktop program.\n"
    "\n"
    "Commands:\n"
    "  list LIBRARY    Print the library's functions, one per line: name TAB parameters TAB\n"
    "                  help. The functions extract gives no page are left out, with the\n"
    "                  same messages.\n"
    "  extract LIBRARY PROJECT.qsp\n"
    "                  Load PROJECT.qsp when it exists, extract LIBRARY into it and save it.\n"
    "                  Existing pages are merged: syntax lines follow the library, titles and\n"
    "                  descriptions are filled only where empty, examples and user topics are\n"
    "                  kept, pages of functions the library no longer has are removed.\n"
    "      --fresh               build every page afresh instead of merging\n"
    "      --help-folder FOLDER  set the project's help folder (stored as given)\n"
    "                  A failed extraction saves nothing. After a saved extraction standard\n"
    "                  error names every page removed, one a line (\"Page removed: NAME\"),\n"
    "                  and its last line tells what changed: \"Library information\n"
    "                  extracted: \" and the functions added, removed and given new\n"
    "                  parameters, each with its first five names (\"and N more\" after).\n"
    "  build PROJECT.qsp\n"
    "                  Write the help folder (.hhp, .hhc, Index.html and one page per topic)\n"
    "                  and print the full path of every file written. Files of the previous\n"
    "                  build there that this one did not write (pages of deleted or renamed\n"
    "                  topics) are then removed; no other file is.\n"
    "      --out FOLDER          write there instead of the project's help folder (a\n"
    "                            relative help folder of the project is taken from the\n"
    "                            project file's folder)\n"
    "      --compile             run the help compiler and print the .chm path\n"
    "      --compiler PATH       the help compiler to run (default: chmcmd on PATH)\n"
    "      --erase               delete the files written once done (the .chm stays)\n"
    "      --keyword-index       also write the keyword index (LIBRARY.hhk) for the Index tab\n"
    "      --examples-as-code    write examples as PureBasic code: <, > and & shown as\n"
    "                            typed, keywords, comments, strings, numbers, #constants\n"
    "                            and calls coloured, calls of the library's functions\n"
    "                            linked to their pages (as the option \"Examples are code\")\n"
    "      --language-file FILE  take the six page captions from this .lng file\n"
    "  unique PROJECT.qsp\n"
    "                  Write the one-page HTML help, named after the Index page's title,\n"
    "                  and print its path.\n"
    "      --out FOLDER          write there instead of the project's help folder\n"
    "      --examples-as-code    also write each function's example after its\n"
    "                            description, as code (as build writes it, without links)\n"
    "  web PROJECT.qsp FOLDER\n"
    "                  Write the help as a static website into FOLDER: one UTF-8 page per\n"
    "                  topic, named as in the help folder (NAME.html), with the contents,\n"
    "                  a keyword index page (keywords.html) and a search that works from\n"
    "                  disk; pictures and other files the pages refer to are copied from\n"
    "                  the project's help folder. Files of an earlier website there that\n"
    "                  this one did not write are removed; no other file is. Print every\n"
    "                  file written.\n"
    "      --help-folder FOLDER  take the pictures from there instead of the project's\n"
    "                            help folder\n"
    "      --examples-as-code    write examples as code, as build does with this option\n"
    "      --language-file FILE  take the six page captions from this .lng file\n"
#ifdef QS_HAS_CHECK
    "  check PROJECT.qsp\n"
    "                  Check the pages before the help ships, changing no file. Prints one\n"
    "                  problem a line as compilers do, PROJECT: PAGE: FIELD:LINE: MESSAGE\n"
    "                  (\"TextKit.qsp: TextTrim: Example:2: '<b' starts a tag; the rest of\n"
    "                  the line is hidden ...\"), where FIELD is Title, Overview, Description,\n"
    "                  User text or Example and LINE counts from 1 within the field; then\n"
    "                  \"PROJECT: PAGE: not yet documented\" for every function page whose\n"
    "                  description is still the library's own one-line text (or empty) and\n"
    "                  that has no example; last a summary line (\"29 of 35 functions\n"
    "                  documented; 3 problems\"). Problems: markup a browser misreads\n"
    "                  (unclosed or mismatched tags, unknown elements, unknown character\n"
    "                  names, a stray &), a < and letter in an example that starts a tag,\n"
    "                  links to pages the project does not have (letter case ignored, as in a\n"
    "                  .chm), pictures not in the help folder, an empty title.\n"
    "      --json                print the same as one JSON document (UTF-8): project,\n"
    "                            functions, documented, undocumented (names), problems\n"
    "                            (page, field, line, message) and summary\n"
    "      --strict              exit with status 4 when anything was found\n"
    "      --examples-as-code    examples are code, as build writes them with this option:\n"
    "                            they are not checked as markup\n"
    "      --help-folder FOLDER  look for pictures and files there instead of the\n"
    "                            project's help folder\n"
#endif
    "\n"
    "Paths printed: build prints every file it wrote, then with --compile the .chm; unique\n"
    "prints the file it wrote; web prints every file it wrote. No path is made absolute: each\n"
    "path printed, and PATH below, is the one given on the command line or is joined from it\n"
    "(a relative help folder of the project to the folder of PROJECT.qsp as given), so it is\n"
    "absolute exactly when what was given is. NAME in the library messages is the library's\n"
    "file name alone.\n"
    "\n"
    "Messages go to standard error, one per line, in the program's own words; a quoted path\n"
    "after a message stands on a line of its own.\n"
    " Reading a library (list, extract):\n"
    "  Could not open file 'NAME'!               the library cannot be opened\n"
    "  Memory allocation problem!                a library above 256 MB, or memory ran out\n"
    "  File 'NAME' is not a library!             no user library, or one cut short\n"
    "  No functions found in library 'PATH'!     the library documents no function\n"
    "  Function 'NAME' skipped: a page name cannot hold 'C'!\n"
    "                                            the name holds a quote, <, >, &, a slash,\n"
    "                                            a backslash, TAB, CR or LF (\\t \\r \\n)\n"
    "  Function 'NAME' skipped: its page would replace the Index page!\n"
    "                                            (or the License page) in any letter case\n"
    "  Function 'NAME' skipped: a function of the same name comes first! Its own help: ...\n"
    "                                            a second function of a name, with its help\n"
    "  Function 'NAME' differs from 'OTHER' only in letter case: their pages collide in a\n"
    "  compiled help file and on Windows!        kept: both get pages\n"
    "  Function 'NAME' is a device name on Windows: its page cannot be written or opened\n"
    "  there!                                    kept; CON, NUL, AUX, PRN, COM1-9, LPT1-9\n"
    " Projects (extract, build, unique, check):\n"
    "  Could not read file 'PATH'!               a project (or --language-file) cannot be\n"
    "                                            read: missing, not permitted, no regular file\n"
    "  The file 'PATH' is not a valid project!   the first line is not a project header\n"
    "  The last save of 'PATH' did not finish: the version it was saving was read instead.\n"
    "  Save the project to mend the file.        a save in place was killed; the complete\n"
    "                                            version it kept aside is used\n"
    "  The file 'PATH' is too large for a project (more than 256 MB)!\n"
    "  The file 'PATH' holds too many pages for a project (more than 1000000)!\n"
    "                                            refused unread; nothing changes\n"
    "  Could not create file 'PATH'!             a project, page or other file cannot be\n"
    "                                            written; an existing project file is kept\n"
    "  Could not save the project: WHAT holds a line break!\n"
    "                                            WHAT is the project path 'PATH', the library\n"
    "                                            path 'PATH', the help folder 'PATH', or the\n"
    "                                            name, the parameter list or the title of the\n"
    "                                            page 'NAME' (line ends shown as \\r \\n \\0);\n"
    "                                            nothing is saved\n"
    "  Could not save the project: it has more than 1000000 pages!\n"
    "                                            nothing is saved\n"
    // What keeps extract from saving into the project, and what a saved extraction did.
    " extract:\n"
    "  Project file 'PATH' is busy: another program has been writing it for 30 seconds!\n"
    "                                            extract waited in vain for the project's\n"
    "                                            write lock (another extract or a window's\n"
    "                                            save); nothing was written\n"
    "  Page removed: NAME                        a saved extraction removed this page\n"
    "  Library information extracted: ...        what it changed (its last line)\n"
    " build:\n"
    "  The file 'PATH' is not a language file!   --language-file names a file without a\n"
    "                                            [Language] group\n"
    "  No help folder defined!                   no --out and no help folder in the project\n"
    "  Error during help files creation!         the help folder could not be written\n"
    "  Help compiler not found!                  then 'PATH': no compiler, or no such file\n"
    "  Could not start help compiler!            then 'PATH': the compiler cannot be run\n"
    "  Could not create CHM help file!           then 'PATH': no (or an empty) .chm\n"
    "  Error in PAGE: TEXT / Warning in PAGE: TEXT\n"
    "                                            what the compiler reported, errors first\n"
    "  Help files compiled with N errors to PATH the .chm was made despite them (or \"with N\n"
    "                                            errors and N warnings\", \"with N warnings\")\n"
    " unique:\n"
    "  Unique HTML help file created :           then an empty line and the file's path\n"
    " web:\n"
    "  The website cannot be written into the help folder 'PATH'!\n"
    "                                            FOLDER is the project's help folder\n"
    "  NAME is a link or no plain file of its own in the help folder; it was not copied\n"
    "  into the website                          a picture the pages show was left out (or\n"
    "                                            \"NAME could not be read from the help\n"
    "                                            folder; ...\")\n"
    "  Error during website creation!            a file of the site could not be written\n"
    " Any command:\n"
    "  Memory allocation problem!                memory ran out; no file is left half written\n"
    "  Usage: ...                                wrong usage (exit status 2)\n"
    "A project file that holds only its header lines loads as no project and fails without\n"
    "a message, taking nothing from it; extract then builds afresh and replaces it.\n"
    "\n"
    "Exit status: 0 success, 1 failure, 2 wrong usage (an option that takes a value needs a\n"
    "non-empty one), 3 compiled, but the compiler reported errors, 4 check --strict found a\n"
    "problem or a function page not yet documented (check without --strict exits 0 then).\n";

using Command = int (*)(const Arguments& args, std::ostream& out, std::ostream& err);

struct CommandEntry {
  std::string_view name;
  ArgumentSyntax syntax;
  Command run;
};

// One entry per command: what it takes after its name, and what runs it.
const std::vector<CommandEntry>& Commands() {
  static const std::vector<CommandEntry> commands = {
      {"list", {1, {}, {}}, RunListCommand},
      {"extract", {2, {"--fresh"}, {"--help-folder"}}, RunExtractCommand},
      {"build",
       {1,
        {"--compile", "--erase", "--keyword-index", "--examples-as-code"},
        {"--out", "--compiler", "--language-file"}},
       RunBuildCommand},
      {"unique", {1, {"--examples-as-code"}, {"--out"}}, RunUniqueCommand},
#ifdef QS_HAS_CHECK
      {"check",
       {1, {"--json", "--strict", "--examples-as-code"}, {"--help-folder"}},
       RunCheckCommand},
#endif
      {"web", {2, {"--examples-as-code"}, {"--help-folder", "--language-file"}}, RunWebCommand},
  };
  return commands;
}

}  // namespace

int Run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  if (args.size() == 1 && args[0] == "--version") {
    out << "quillsmith-cli " << kDisplayVersion << "\n";
    return kSuccess;
  }
  if (args.size() == 1 && args[0] == "--help") {
    out << kUsageText << kHelpDetails;
    return kSuccess;
  }
  if (!args.empty()) {
    for (const auto& command : Commands()) {
      if (args[0] != command.name) continue;
      const auto parsed =
          ParseArguments(std::vector<std::string>(args.begin() + 1, args.end()), command.syntax);
      if (!parsed) break;
      try {
        return command.run(*parsed, out, err);
      } catch (const std::bad_alloc&) {
        // Every file is replaced atomically, so a command cut short here leaves no file half
        // written; it says why it stopped instead of ending the process without a word.
        WriteReports({text::ErrorReport("Memory allocation problem!")}, err);
        return kFailure;
      }
      break;
    }
  }
  err << kUsageText;
  return kUsage;
}

}  // namespace qs::cli
