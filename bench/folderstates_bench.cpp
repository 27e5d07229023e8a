// The help folder build of 5,000 pages in the three states a help folder is found in, each
// beside a plain loop that writes the same bytes to the same paths (fopen, fwrite, fclose):
//   NewFolder           a folder made for this build;
//   SameFolder          the folder the previous build wrote;
//   CompiledAndRebuilt  a folder whose files were replaced ten times, the way a writer that
//                       deletes and re-creates its files leaves a folder, and that the help
//                       compiler then compiled.
// The build should stay within 1.5 times its loop in every state, and within a tenth of the
// help compiler's run on the last folder (BM_Chmcmd).
//
// Run the pairs interleaved, so that the machine's noise falls on both alike:
//   build/bench/folderstates_bench --benchmark_repetitions=9
//     --benchmark_enable_random_interleaving=true --benchmark_report_aggregates_only=true

#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "gadgetproject.h"
#include "output/autolinker.h"
#include "output/helpcompiler.h"
#include "output/helpfolder.h"
#include "output/pagewriter.h"
#include "platform/helpcompilerlocator.h"
#include "platform/systemprogramrunner.h"
#include "support/tempfolder.h"

namespace {

namespace fs = std::filesystem;
using namespace qs;

testsupport::TempFolder scratch;

// Every file of the build, by its path below the help folder, with its bytes.
struct BuildFile {
  std::string relative;
  std::string bytes;
};

const std::vector<BuildFile>& BuildFiles() {
  static const std::vector<BuildFile> files = [] {
    const auto& project = bench::GadgetProject();
    std::vector<BuildFile> all;
    all.push_back({"BigLib.hhp", output::HelpProjectFileText(project)});
    all.push_back({"BigLib.hhc", output::ContentsFileText(project, {})});
    all.push_back({"Index.html", output::IndexPageText(project, {})});
    output::AutoLinker linker(project);
    for (std::size_t pos = 1; pos < project.TopicCount(); ++pos) {
      const auto& topic = project.TopicAt(pos);
      all.push_back({*output::PagePathInFolder({}, topic.name),
                     output::TopicPageText(project, topic, {}, linker)});
    }
    return all;
  }();
  return files;
}

void PlainLoop(const std::string& folder) {
  for (const auto& file : BuildFiles()) {
    std::FILE* out = std::fopen((folder + file.relative).c_str(), "wb");
    if (out == nullptr) continue;
    std::fwrite(file.bytes.data(), 1, file.bytes.size(), out);
    std::fclose(out);
  }
}

bool Build(const std::string& folder) {
  output::BuildRecord record;
  text::Reports reports;
  return !output::BuildHelpFolder(bench::GadgetProject(), {}, folder, record, reports).empty();
}

std::string NewFolder() {
  static int count = 0;
  const std::string folder = scratch.Path() + "new-" + std::to_string(count++) + "/";
  fs::create_directories(folder);
  return folder;
}

const std::string& SameFolder() {
  static const std::string folder = [] {
    const std::string made = scratch.Path() + "same/";
    Build(made);
    return made;
  }();
  return folder;
}

// Ten rebuilds that replace every file by a new one, then a compile.
const std::string& CompiledAndRebuiltFolder() {
  static const std::string folder = [] {
    const std::string made = scratch.Path() + "aged/";
    Build(made);
    for (int rebuild = 0; rebuild < 10; ++rebuild) {
      for (const auto& file : BuildFiles()) ::unlink((made + file.relative).c_str());
      PlainLoop(made);
    }
    const std::string compiler = platform::FindHelpCompiler();
    if (!compiler.empty()) {
      platform::SystemProgramRunner runner;
      output::CompileOptions options{true, compiler};
      text::Reports reports;
      output::CompileHelp(options, made, bench::GadgetProject().libraryFile, runner, reports);
    }
    return made;
  }();
  return folder;
}

// Each new folder is made, and the last one removed, outside the measured time.
void BM_NewFolder(benchmark::State& state, bool build) {
  BuildFiles();
  for (auto _ : state) {
    state.PauseTiming();
    const std::string folder = NewFolder();
    state.ResumeTiming();
    if (build) {
      if (!Build(folder)) state.SkipWithError("build failed");
    } else {
      PlainLoop(folder);
    }
    state.PauseTiming();
    fs::remove_all(folder);
    state.ResumeTiming();
  }
}
BENCHMARK_CAPTURE(BM_NewFolder, Build, true)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_NewFolder, PlainLoop, false)->Unit(benchmark::kMillisecond);

// A folder in a given state, made once and kept for every repetition.
using PreparedFolder = const std::string& (*)();

void BM_Build(benchmark::State& state, PreparedFolder prepared) {
  const std::string& folder = prepared();
  for (auto _ : state) {
    if (!Build(folder)) state.SkipWithError("build failed");
  }
}
BENCHMARK_CAPTURE(BM_Build, SameFolder, &SameFolder)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Build, CompiledAndRebuilt, &CompiledAndRebuiltFolder)
    ->Unit(benchmark::kMillisecond);

void BM_PlainLoop(benchmark::State& state, PreparedFolder prepared) {
  const std::string& folder = prepared();
  BuildFiles();
  for (auto _ : state) PlainLoop(folder);
}
BENCHMARK_CAPTURE(BM_PlainLoop, SameFolder, &SameFolder)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_PlainLoop, CompiledAndRebuilt, &CompiledAndRebuiltFolder)
    ->Unit(benchmark::kMillisecond);

void BM_Chmcmd_CompiledAndRebuilt(benchmark::State& state) {
  const std::string compiler = platform::FindHelpCompiler();
  if (compiler.empty()) {
    state.SkipWithError("chmcmd is not installed");
    return;
  }
  const std::string& folder = CompiledAndRebuiltFolder();
  platform::SystemProgramRunner runner;
  for (auto _ : state) {
    output::CompileOptions options{true, compiler};
    text::Reports reports;
    if (!output::CompileHelp(options, folder, bench::GadgetProject().libraryFile, runner,
                             reports)) {
      state.SkipWithError("compile failed");
    }
  }
}
BENCHMARK(BM_Chmcmd_CompiledAndRebuilt)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace
