// The project loader on arbitrary file contents. Loading must end without reading past the
// data; and whatever it accepts, saving and loading again must reach a fixed point after one
// round: the second save gives the bytes of the first, so nothing the loader produced is
// lost or changed by the writer.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "fuzzscratch.h"
#include "project/projectfile.h"

namespace {

using qs::project::HelpProject;
using qs::project::LoadContext;

void Check(bool condition) {
  if (!condition) std::abort();
}

std::string SaveToBytes(HelpProject& project, const std::string& path) {
  qs::text::Reports reports;
  Check(qs::project::SaveProject(project, path, reports));
  Check(reports.empty());
  return qs::fuzz::ReadScratchFile(path);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const std::string input = qs::fuzz::WriteScratchFile("input.qsp", bytes);
  const std::string saved = qs::fuzz::ScratchFolder() + "saved.qsp";

  HelpProject project;
  qs::text::Reports reports;
  const LoadContext context;  // no relocation question
  if (!qs::project::LoadProject(project, input, context, reports)) {
    Check(reports.size() <= 1);
    return 0;
  }
  Check(reports.empty());
  Check(project.TopicCount() > 0);
  Check(project.shownTopic() == "Index");

  const std::string first = SaveToBytes(project, saved);
  HelpProject again;
  Check(qs::project::LoadProject(again, saved, context, reports));
  Check(reports.empty());
  const std::string second = SaveToBytes(again, saved);
  Check(first == second);
  return 0;
}
