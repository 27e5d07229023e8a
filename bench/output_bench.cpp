// The help folder build of a large generated project against the compiler run on the same
// folder: the build should cost a small fraction of the compile.

#include <benchmark/benchmark.h>
#include <stdlib.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include "gadgetproject.h"
#include "output/autolinker.h"
#include "output/helpcompiler.h"
#include "output/helpfolder.h"
#include "output/pagewriter.h"
#include "platform/helpcompilerlocator.h"
#include "platform/systemprogramrunner.h"

namespace {

namespace fs = std::filesystem;
using namespace qs;

// A scratch folder for the run, removed with everything in it at the end.
struct ScratchFolder {
  std::string path;
  ScratchFolder() {
    std::string pattern = (fs::temp_directory_path() / "qs-output-bench-XXXXXX").string();
    if (mkdtemp(pattern.data()) != nullptr) path = pattern + "/";
  }
  ~ScratchFolder() {
    std::error_code ignored;
    if (!path.empty()) fs::remove_all(path, ignored);
  }
} scratch;

const std::string& BenchFolder() {
  return scratch.path;
}

void BM_BuildHelpFolder(benchmark::State& state) {
  const auto& project = bench::GadgetProject();
  const std::string folder = BenchFolder() + "help/";
  output::BuildRecord record;
  for (auto _ : state) {
    text::Reports reports;
    const std::string log = output::BuildHelpFolder(project, {}, folder, record, reports);
    if (log.empty()) state.SkipWithError("build failed");
    benchmark::DoNotOptimize(log);
  }
  state.counters["pages"] = static_cast<double>(record.files.size() - 2);
}
BENCHMARK(BM_BuildHelpFolder)->Unit(benchmark::kMillisecond);

// The same build into a memory file system, where the disk's noise does not reach.
void BM_BuildHelpFolderInMemory(benchmark::State& state) {
  const std::string folder = "/dev/shm/qs-output-bench-" + std::to_string(getpid()) + "/";
  if (!fs::is_directory("/dev/shm")) {
    state.SkipWithError("no /dev/shm here");
    return;
  }
  const auto& project = bench::GadgetProject();
  output::BuildRecord record;
  for (auto _ : state) {
    text::Reports reports;
    const std::string log = output::BuildHelpFolder(project, {}, folder, record, reports);
    if (log.empty()) state.SkipWithError("build failed");
    benchmark::DoNotOptimize(log);
  }
  std::error_code ignored;
  fs::remove_all(folder, ignored);
}
BENCHMARK(BM_BuildHelpFolderInMemory)->Unit(benchmark::kMillisecond);

// Only the bytes of every file, nothing written: the writers' own share of a build.
void BM_HelpFolderTexts(benchmark::State& state) {
  const auto& project = bench::GadgetProject();
  for (auto _ : state) {
    std::size_t bytes = output::HelpProjectFileText(project).size() +
                        output::ContentsFileText(project, {}).size() +
                        output::IndexPageText(project, {}).size();
    output::AutoLinker linker(project);
    for (std::size_t pos = 1; pos < project.TopicCount(); ++pos) {
      bytes += output::TopicPageText(project, project.TopicAt(pos), {}, linker).size();
    }
    benchmark::DoNotOptimize(bytes);
  }
}
BENCHMARK(BM_HelpFolderTexts)->Unit(benchmark::kMillisecond);

void BM_ChmcmdCompile(benchmark::State& state) {
  const std::string compiler = platform::FindHelpCompiler();
  if (compiler.empty()) {
    state.SkipWithError("chmcmd is not installed");
    return;
  }
  const auto& project = bench::GadgetProject();
  const std::string folder = BenchFolder() + "help/";
  output::BuildRecord record;
  text::Reports reports;
  if (output::BuildHelpFolder(project, {}, folder, record, reports).empty()) {
    state.SkipWithError("build failed");
    return;
  }
  platform::SystemProgramRunner runner;
  for (auto _ : state) {
    output::CompileOptions options{true, compiler};
    if (!output::CompileHelp(options, folder, project.libraryFile, runner, reports)) {
      state.SkipWithError("compile failed");
    }
  }
}
BENCHMARK(BM_ChmcmdCompile)->Unit(benchmark::kMillisecond)->Iterations(1);

// The links of one description: the automaton against trying every name in turn.
void BM_AutoLinkOneDescription(benchmark::State& state) {
  const auto& project = bench::GadgetProject();
  output::AutoLinker linker(project);
  const std::string& body = project.TopicAt(1).body;
  for (auto _ : state) benchmark::DoNotOptimize(linker.Apply(body));
}
BENCHMARK(BM_AutoLinkOneDescription)->Unit(benchmark::kMicrosecond);

void BM_AutoLinkOneDescriptionNameByName(benchmark::State& state) {
  const auto& project = bench::GadgetProject();
  const auto names = output::AutoLinkNames(project);
  const std::string& body = project.TopicAt(1).body;
  for (auto _ : state) benchmark::DoNotOptimize(output::AutoLinkSequential(body, names));
}
BENCHMARK(BM_AutoLinkOneDescriptionNameByName)->Unit(benchmark::kMicrosecond);

}  // namespace
