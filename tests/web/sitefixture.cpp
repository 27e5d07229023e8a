// Writes the help folder and the website of one small project into a folder, for the tests
// that open the site in a real browser:
//   qs_make_site_fixture FOLDER  ->  FOLDER/help (the help folder), FOLDER/site (the website)
// The project holds what the browser tests look for: the contents with a group, a function
// whose description links another, a word that only one description holds, a picture of the
// help folder, a page in a sub-folder and a page of every Windows-1252 character.

#include <filesystem>
#include <iostream>
#include <string>

#include "output/buildrecord.h"
#include "output/helpfolder.h"
#include "output/website.h"
#include "support/projectfixture.h"
#include "support/tempfolder.h"
#include "text/paths.h"

namespace {

// A picture of two by two pixels.
const std::string kPicture(
    "\x89\x50\x4e\x47\x0d\x0a\x1a\x0a\x00\x00\x00\x0d\x49\x48\x44\x52\x00\x00\x00\x02\x00\x00"
    "\x00\x02\x08\x02\x00\x00\x00\xfd\xd4\x9a\x73\x00\x00\x00\x11\x49\x44\x41\x54\x78\x9c\x63"
    "\xb8\x1c\xc2\xc0\x50\x50\xc5\x00\xa1\x00\x1e\x65\x04\x23\x86\x4d\x61\x8f\x00\x00\x00\x00"
    "\x49\x45\x4e\x44\xae\x42\x60\x82",
    74);

}  // namespace

int main(int argc, char** argv) {
  using namespace qs;
  if (argc != 2) {
    std::cerr << "usage: qs_make_site_fixture FOLDER\n";
    return 2;
  }
  const std::string folder = text::WithTrailingSeparator(argv[1]);
  auto project = testsupport::MakeProject(
      {"Index", "Trim", "Pad", "Strings#", "Upper", "Lower", "Guide*", "Notes/Deep*", "All*"});
  project.libraryFile = "/libs/TextKit";
  project.helpFolder = folder + "help/";
  auto& index = *project.FindTopic("Index");
  index.title = "TextKit library";
  index.summary = "Tools for texts. Trimmed, padded and cased.";
  auto& trim = *project.FindTopic("Trim");
  trim.parameters = "(Text$)";
  trim.title = "Trim a text";
  trim.body = "Removes the blanks around a text.\r\nTo make it longer, use Pad.";
  trim.example = "Debug Trim(\"  a  \")\r\n\tDebug \"done\"";
  auto& pad = *project.FindTopic("Pad");
  pad.parameters = "(Text$, Length)";
  pad.title = "Pad a text";
  pad.body = "Fills a text with the zanzibarite character up to a length.";
  project.FindTopic("Upper")->body = "Makes every letter upper case.";
  project.FindTopic("Lower")->body = "Makes every letter lower case.";
  project.FindTopic("Strings")->summary = "Letter case.";
  auto& guide = *project.FindTopic("Guide");
  guide.title = "A guide";
  guide.body =
      "Start with <a href=\"Trim.html\">Trim</a>.<br><img id=\"logo\" src=\"logo.png\" "
      "alt=\"Logo\">";
  project.FindTopic("Notes/Deep")->body = "A page in a sub-folder.";
  auto& all = *project.FindTopic("All");
  all.title = "Every character";
  std::string every;
  for (int c = 1; c < 256; ++c) {
    if (c == '\r' || c == '\n') continue;
    if (!every.empty()) every.push_back(' ');
    every.push_back(static_cast<char>(c));
  }
  all.body = every;

  std::filesystem::create_directories(folder + "help");
  testsupport::WriteBytes(folder + "help/logo.png", kPicture);
  text::Reports reports;
  output::BuildRecord record;
  if (output::BuildHelpFolder(project, {}, project.helpFolder, record, reports).empty() ||
      output::WriteWebsite(project, {}, folder + "site", project.helpFolder, reports).empty()) {
    for (const auto& report : reports) std::cerr << report.text << '\n';
    return 1;
  }
  return 0;
}
