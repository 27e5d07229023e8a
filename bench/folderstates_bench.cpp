// The help folder build of 5,000 pages in the three states a help folder is found in, each
// beside a plain C loop that writes the same bytes to the same paths in the same state, and
// says in its label which state it measures:
//   NewFolder           a folder made for this build, under a name no iteration used before;
//   SameFolder          the folder the previous build wrote;
//   CompiledAndRebuilt  a folder whose files were replaced ten times, the way a writer that
//                       puts new files in the place of the old leaves a folder, and that the
//                       help compiler then compiled.
// BM_*Writer* writes the same bytes through the page writer alone, without making the texts.
// The loop for a new folder makes each file (open with O_CREAT | O_TRUNC, write, close); in
// the two other states it writes over each file in place (open, write, close) and, beside
// it, the way that truncates first. The build should stay within 1.2 times its loop in every
// state, and within a tenth of the help compiler's run on the last folder (BM_Chmcmd).
//
// Nothing is deleted while the run lasts: on ext4 a folder of thousands of files deleted
// makes the files created after it far slower for minutes, so a run that deleted between
// iterations would measure that state instead. Each iteration of the new folder gets a
// fresh name, and the files replaced in the aging are moved aside; all goes at the end, so
// a run started right after another meets that state: leave a few minutes between runs.
//
// Run the pairs interleaved, so that the machine's noise falls on both alike:
//   build/bench/folderstates_bench --benchmark_repetitions=9
//     --benchmark_enable_random_interleaving=true --benchmark_report_aggregates_only=true

#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "gadgetproject.h"
#include "output/autolinker.h"
#include "output/helpcompiler.h"
#include "output/helpfolder.h"
#include "output/pagewriter.h"
#include "platform/helpcompilerlocator.h"
#include "platform/outputfolder.h"
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

// How the plain loop opens each file: truncating it (or making it), or writing over it in
// place (the bytes are those already there, so nothing is left over to cut off).
enum class LoopOpen { Truncating, InPlace };

void PlainLoop(const std::string& folder, LoopOpen how = LoopOpen::Truncating) {
  const int flags = O_WRONLY | O_CREAT | O_CLOEXEC | (how == LoopOpen::Truncating ? O_TRUNC : 0);
  for (const auto& file : BuildFiles()) {
    const int fd = ::open((folder + file.relative).c_str(), flags, 0666);
    if (fd < 0) continue;
    if (::write(fd, file.bytes.data(), file.bytes.size()) < 0) std::abort();
    ::close(fd);
  }
}

// The page writer alone on the same bytes: what the build adds to the loop besides making
// the pages' texts.
void WriterLoop(const std::string& folder) {
  platform::OutputFolder out;
  if (!out.Open(folder)) std::abort();
  for (const auto& file : BuildFiles()) {
    if (!out.Write(file.relative, file.bytes)) std::abort();
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

// Ten rebuilds that replace every file by a new one, then a compile. The files replaced are
// moved aside rather than deleted.
const std::string& CompiledAndRebuiltFolder() {
  static const std::string folder = [] {
    const std::string made = scratch.Path() + "aged/";
    Build(made);
    for (int rebuild = 0; rebuild < 10; ++rebuild) {
      const std::string aside = scratch.Path() + "replaced-" + std::to_string(rebuild) + "/";
      fs::create_directories(aside);
      for (const auto& file : BuildFiles()) {
        if (::rename((made + file.relative).c_str(), (aside + file.relative).c_str()) != 0) {
          std::abort();
        }
      }
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

// Each new folder is made outside the measured time, and stays until the end of the run.
enum class Writing { Build, Writer, PlainLoop };

void BM_NewFolder(benchmark::State& state, Writing writing) {
  BuildFiles();
  for (auto _ : state) {
    state.PauseTiming();
    const std::string folder = NewFolder();
    state.ResumeTiming();
    if (writing == Writing::Build) {
      if (!Build(folder)) state.SkipWithError("build failed");
    } else if (writing == Writing::Writer) {
      WriterLoop(folder);
    } else {
      PlainLoop(folder);
    }
  }
  state.SetLabel(writing == Writing::PlainLoop
                     ? "new folder, a fresh name each iteration; open O_TRUNC, write, close"
                     : "new folder, a fresh name each iteration");
}
BENCHMARK_CAPTURE(BM_NewFolder, Build, Writing::Build)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_NewFolder, Writer, Writing::Writer)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_NewFolder, PlainLoop, Writing::PlainLoop)->Unit(benchmark::kMillisecond);

// A folder in a given state, made once and kept for every repetition, and what it is.
struct PreparedFolder {
  const std::string& (*made)();
  const char* state;
};
constexpr PreparedFolder kSameFolder{&SameFolder, "the folder the previous build wrote"};
constexpr PreparedFolder kAgedFolder{&CompiledAndRebuiltFolder,
                                     "files replaced ten times, then compiled"};

void BM_Build(benchmark::State& state, PreparedFolder prepared) {
  const std::string& folder = prepared.made();
  for (auto _ : state) {
    if (!Build(folder)) state.SkipWithError("build failed");
  }
  state.SetLabel(prepared.state);
}
BENCHMARK_CAPTURE(BM_Build, SameFolder, kSameFolder)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Build, CompiledAndRebuilt, kAgedFolder)->Unit(benchmark::kMillisecond);

void BM_Writer(benchmark::State& state, PreparedFolder prepared) {
  const std::string& folder = prepared.made();
  BuildFiles();
  for (auto _ : state) WriterLoop(folder);
  state.SetLabel(prepared.state);
}
BENCHMARK_CAPTURE(BM_Writer, SameFolder, kSameFolder)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Writer, CompiledAndRebuilt, kAgedFolder)->Unit(benchmark::kMillisecond);

void BM_PlainLoop(benchmark::State& state, PreparedFolder prepared, LoopOpen how) {
  const std::string& folder = prepared.made();
  BuildFiles();
  for (auto _ : state) PlainLoop(folder, how);
  state.SetLabel(std::string(prepared.state) + (how == LoopOpen::InPlace
                                                    ? "; open, write in place, close"
                                                    : "; open O_TRUNC, write, close"));
}
BENCHMARK_CAPTURE(BM_PlainLoop, SameFolder_InPlace, kSameFolder, LoopOpen::InPlace)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_PlainLoop, SameFolder_Truncating, kSameFolder, LoopOpen::Truncating)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_PlainLoop, CompiledAndRebuilt_InPlace, kAgedFolder, LoopOpen::InPlace)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_PlainLoop, CompiledAndRebuilt_Truncating, kAgedFolder, LoopOpen::Truncating)
    ->Unit(benchmark::kMillisecond);

void BM_Chmcmd_CompiledAndRebuilt(benchmark::State& state) {
  const std::string compiler = platform::FindHelpCompiler();
  if (compiler.empty()) {
    state.SkipWithError("chmcmd is not installed");
    return;
  }
  const std::string& folder = CompiledAndRebuiltFolder();
  state.SetLabel(kAgedFolder.state);
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
