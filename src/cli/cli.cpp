#include "cli/cli.h"

#include <functional>
#include <ostream>
#include <string_view>

#include "cli/librarycommands.h"
#include "cli/outputcommands.h"

namespace qs::cli {
namespace {

constexpr std::string_view kVersion = "1.03.99";

constexpr std::string_view kUsageText =
    "Usage:\n"
    "  quillsmith-cli list LIBRARY\n"
    "  quillsmith-cli extract LIBRARY PROJECT.qsp [--fresh] [--help-folder FOLDER]\n"
    "  quillsmith-cli build PROJECT.qsp [--out FOLDER] [--compile] [--compiler PATH] [--erase]\n"
    "                       [--language-file FILE.lng]\n"
    "  quillsmith-cli unique PROJECT.qsp [--out FOLDER]\n"
    "  quillsmith-cli --help | --version\n";

using Command =
    std::function<int(const std::vector<std::string>& args, std::ostream& out, std::ostream& err)>;

struct CommandEntry {
  std::string_view name;
  Command run;
};

// One entry per command; each takes the arguments after its name.
const std::vector<CommandEntry>& Commands() {
  static const std::vector<CommandEntry> commands = {
      {"list", RunListCommand},
      {"extract", RunExtractCommand},
      {"build", RunBuildCommand},
      {"unique", RunUniqueCommand},
  };
  return commands;
}

}  // namespace

int Run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  if (args.size() == 1 && args[0] == "--version") {
    out << "quillsmith-cli " << kVersion << "\n";
    return kSuccess;
  }
  if (args.size() == 1 && args[0] == "--help") {
    out << kUsageText;
    return kSuccess;
  }
  if (!args.empty()) {
    for (const auto& command : Commands()) {
      if (args[0] == command.name) {
        const int status =
            command.run(std::vector<std::string>(args.begin() + 1, args.end()), out, err);
        if (status == kUsage) err << kUsageText;
        return status;
      }
    }
  }
  err << kUsageText;
  return kUsage;
}

}  // namespace qs::cli
