// The help folder build of a large generated project against the compiler run on the same
// folder: the build should cost a small fraction of the compile, and the keyword index a small
// fraction of the build; examples written as coloured code beside the same pages' texts with
// examples as markup. Then the auto-linking of descriptions, on names that share their start
// and on names made to cost the most.

#include <benchmark/benchmark.h>
#include <stdlib.h>
#include <unistd.h>

#include <filesystem>
#include <optional>
#include <string>

#include "gadgetproject.h"
#include "output/autolinker.h"
#include "output/helpcompiler.h"
#include "output/helpfolder.h"
#include "output/pagewriter.h"
#include "platform/helpcompilerlocator.h"
#include "platform/systemprogramrunner.h"
#include "support/autolinkreference.h"
#include "support/tempfolder.h"

namespace {

namespace fs = std::filesystem;
using namespace qs;

constexpr std::size_t kFunctions = bench::kGadgetFunctions;

std::string FunctionName(std::size_t i) {
  return bench::GadgetName(i);
}

const project::HelpProject& LargeProject() {
  return bench::GadgetProject();
}

// A folder for the run, removed with everything in it at the end.
const testsupport::TempFolder scratch;

const std::string& BenchFolder() {
  return scratch.Path();
}

void BuildInto(benchmark::State& state, const std::string& folder, bool keywordIndex) {
  const auto& project = LargeProject();
  output::BuildRecord record;
  for (auto _ : state) {
    text::Reports reports;
    const std::string log = output::BuildHelpFolder(project, {}, folder, record, reports,
                                                    output::BuildOptions{keywordIndex});
    if (log.empty()) state.SkipWithError("build failed");
    benchmark::DoNotOptimize(log);
  }
  state.counters["files"] = static_cast<double>(record.files.size());
  // Every iteration but the first writes over the files of the one before.
  state.SetLabel("the folder the previous build wrote");
}

// The same build into a memory file system, where the disk's noise does not reach.
std::string MemoryFolder() {
  if (!fs::is_directory("/dev/shm")) return {};
  return "/dev/shm/qs-output-bench-" + std::to_string(getpid()) + "/";
}

void BM_BuildHelpFolder(benchmark::State& state) {
  BuildInto(state, BenchFolder() + "help/", false);
}
BENCHMARK(BM_BuildHelpFolder)->Unit(benchmark::kMillisecond);

void BM_BuildHelpFolderWithKeywordIndex(benchmark::State& state) {
  BuildInto(state, BenchFolder() + "help/", true);
}
BENCHMARK(BM_BuildHelpFolderWithKeywordIndex)->Unit(benchmark::kMillisecond);

void BM_BuildHelpFolderInMemory(benchmark::State& state) {
  const std::string folder = MemoryFolder();
  if (folder.empty()) return state.SkipWithError("no /dev/shm here");
  BuildInto(state, folder, state.range(0) != 0);
  std::error_code ignored;
  fs::remove_all(folder, ignored);
}
BENCHMARK(BM_BuildHelpFolderInMemory)
    ->ArgName("keywordIndex")
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMillisecond);

// The bytes of the keyword index alone.
void BM_KeywordIndexText(benchmark::State& state) {
  const auto& project = LargeProject();
  for (auto _ : state) benchmark::DoNotOptimize(output::KeywordIndexText(project));
}
BENCHMARK(BM_KeywordIndexText)->Unit(benchmark::kMillisecond);

// Only the bytes of every file, nothing written: the writers' own share of a build, with the
// examples as markup (examplesAsCode 0) and as coloured code (1), every page having one.
void BM_HelpFolderTexts(benchmark::State& state) {
  const auto& project = LargeProject();
  for (auto _ : state) {
    std::optional<output::ExampleCode> examples;
    if (state.range(0) != 0) examples.emplace(project);
    const output::ExampleCode* code = examples ? &*examples : nullptr;
    std::size_t bytes = output::HelpProjectFileText(project).size() +
                        output::ContentsFileText(project, {}).size() +
                        output::IndexPageText(project, {}, code).size();
    output::AutoLinker linker(project);
    for (std::size_t pos = 1; pos < project.TopicCount(); ++pos) {
      bytes += output::TopicPageText(project, project.TopicAt(pos), {}, linker, code).size();
    }
    benchmark::DoNotOptimize(bytes);
  }
}
BENCHMARK(BM_HelpFolderTexts)
    ->ArgName("examplesAsCode")
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMillisecond);

void BM_ChmcmdCompile(benchmark::State& state) {
  const std::string compiler = platform::FindHelpCompiler();
  if (compiler.empty()) {
    state.SkipWithError("chmcmd is not installed");
    return;
  }
  const auto& project = LargeProject();
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

// A compile of a help of a few hundred pages, each with a picture: chmcmd run in the help
// folder itself, as the compile step once did (copy 0), against the compile step as it is,
// which copies the help into a private folder first and places the compiled file back
// (copy 1). The difference is the price of a compile that no link can redirect.
void BM_ChmcmdCompileOfPages(benchmark::State& state) {
  const std::string compiler = platform::FindHelpCompiler();
  if (compiler.empty()) return state.SkipWithError("chmcmd is not installed");
  const std::size_t pages = 300;
  static const project::HelpProject project =
      bench::GeneratedHelp("PageLib", pages, [](std::size_t i) {
        project::Topic topic;
        topic.name = FunctionName(i);
        topic.title = topic.name;
        topic.parameters = "(Value)";
        topic.summary = "Does the thing number " + std::to_string(i) + ".";
        topic.body = "<img src=\"art/" + topic.name + ".png\"> " +
                     std::string(400, 'a' + static_cast<char>(i % 26));
        return topic;
      });
  const std::string folder = BenchFolder() + "pages/";
  output::BuildRecord record;
  text::Reports reports;
  if (output::BuildHelpFolder(project, {}, folder, record, reports).empty()) {
    return state.SkipWithError("build failed");
  }
  for (std::size_t i = 0; i < pages; ++i) {
    testsupport::WriteBytes(folder + "art/" + FunctionName(i) + ".png", std::string(2048, 'p'));
  }
  platform::SystemProgramRunner runner;
  const std::string chm = folder + "PageLib.chm";
  for (auto _ : state) {
    bool compiled = false;
    if (state.range(0) == 0) {
      std::string output;
      fs::remove(chm);
      compiled = runner.RunCollecting(compiler, folder + "PageLib.hhp", folder, output) &&
                 fs::file_size(chm) > 0;
    } else {
      output::CompileOptions options{true, compiler};
      compiled = output::CompileHelp(options, folder, project.libraryFile, runner, reports);
    }
    if (!compiled) state.SkipWithError("compile failed");
  }
  state.counters["bytes"] = static_cast<double>(fs::file_size(chm));
}
BENCHMARK(BM_ChmcmdCompileOfPages)
    ->ArgName("copy")
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(9)
    ->ReportAggregatesOnly(true);

// The links of one description: the trie against the rule written out plainly, which tries
// every name at every place.
void BM_AutoLinkOneDescription(benchmark::State& state) {
  const auto& project = LargeProject();
  const output::AutoLinker linker(project);
  const std::string& body = project.TopicAt(1).body;
  for (auto _ : state) benchmark::DoNotOptimize(linker.Apply(body));
}
BENCHMARK(BM_AutoLinkOneDescription)->Unit(benchmark::kMicrosecond);

void BM_AutoLinkOneDescriptionReference(benchmark::State& state) {
  const auto& project = LargeProject();
  const auto names = output::AutoLinkNames(project);
  const std::string& body = project.TopicAt(1).body;
  for (auto _ : state) benchmark::DoNotOptimize(testsupport::ReferenceAutoLink(body, names));
}
BENCHMARK(BM_AutoLinkOneDescriptionReference)->Unit(benchmark::kMicrosecond);

// 5,000 names in families that share their start, as string libraries name them
// ("TextAAA", "TextAAALeft", "TextAAALeftAll", ...), and a 300-byte description that names
// family members, the bare stem and longer words that merely begin like a name.
void BM_AutoLinkPrefixSharingNames(benchmark::State& state) {
  std::vector<std::string> names;
  const std::vector<std::string> endings = {"", "Left", "LeftAll", "Right", "RightAll"};
  for (std::size_t i = 0; i < kFunctions / endings.size(); ++i) {
    const std::string stem = "Text" + FunctionName(i).substr(6);
    for (const auto& ending : endings) names.push_back(stem + ending);
  }
  const output::AutoLinker linker(names);
  std::string body;
  for (std::size_t i = 0; body.size() < 300; i += 37) {
    const std::string stem = "Text" + FunctionName(i % (kFunctions / endings.size())).substr(6);
    body += stem + "LeftAll trims " + stem + "; " + stem + "Leftmost is no name, " + stem +
            "Right is.\r\n";
  }
  body.resize(300);
  for (auto _ : state) benchmark::DoNotOptimize(linker.Apply(body));
}
BENCHMARK(BM_AutoLinkPrefixSharingNames)->Unit(benchmark::kMicrosecond);

// The most a description can cost: names of up to 63 dots and an "x", and a description of
// 300 dots, where every place starts a walk 63 deep that ends in no name.
void BM_AutoLinkWorstCaseNames(benchmark::State& state) {
  std::vector<std::string> names;
  for (std::size_t dots = 0; dots < 64; ++dots) names.push_back(std::string(dots, '.') + "x");
  const output::AutoLinker linker(names);
  const std::string body(300, '.');
  for (auto _ : state) benchmark::DoNotOptimize(linker.Apply(body));
}
BENCHMARK(BM_AutoLinkWorstCaseNames)->Unit(benchmark::kMicrosecond);

}  // namespace
