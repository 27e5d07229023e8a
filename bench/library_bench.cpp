// Reading a large generated library, and merging it into a project of the same size.

#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>

#include "library/libraryreader.h"
#include "library/librarytopics.h"
#include "support/librarygenerator.h"

namespace {

using qs::library::LibraryInfo;
using qs::project::HelpProject;

constexpr std::size_t kFunctions = 20000;

const std::string& LibraryBytes(unsigned variant) {
  static const std::string first =
      qs::testsupport::GenerateLibrary(qs::testsupport::SyntheticLibraryRecipe(kFunctions, 0))
          .bytes;
  static const std::string second =
      qs::testsupport::GenerateLibrary(qs::testsupport::SyntheticLibraryRecipe(kFunctions, 1))
          .bytes;
  return variant == 0 ? first : second;
}

LibraryInfo Parse(unsigned variant) {
  LibraryInfo info;
  qs::text::Reports reports;
  qs::library::ParseUserLibrary(LibraryBytes(variant), "Synthetic", info, reports);
  return info;
}

void BM_ReadUserLibraryFile(benchmark::State& state) {
  const auto path = (std::filesystem::temp_directory_path() / "qs_bench_Synthetic").string();
  qs::testsupport::WriteLibraryFile(path, qs::testsupport::SyntheticLibraryRecipe(kFunctions, 0));
  const auto size = std::filesystem::file_size(path);
  LibraryInfo info;
  for (auto _ : state) {
    qs::text::Reports reports;
    benchmark::DoNotOptimize(qs::library::ReadUserLibrary(path, info, reports));
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * size));
  state.counters["functions"] = static_cast<double>(info.size());
  state.counters["bytes"] = static_cast<double>(size);
  std::filesystem::remove(path);
}
BENCHMARK(BM_ReadUserLibraryFile)->Unit(benchmark::kMillisecond);

void BM_ParseUserLibrary(benchmark::State& state) {
  const std::string& bytes = LibraryBytes(0);
  LibraryInfo info;
  for (auto _ : state) {
    qs::text::Reports reports;
    benchmark::DoNotOptimize(qs::library::ParseUserLibrary(bytes, "Synthetic", info, reports));
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bytes.size()));
}
BENCHMARK(BM_ParseUserLibrary)->Unit(benchmark::kMillisecond);

// A project freshly built from the first release, with a few user topics; the second release
// drops 1% of the functions, adds as many and changes a third of the parameter lists.
HelpProject ReleasedProject() {
  HelpProject project;
  qs::library::BuildFreshTopics(project, "Synthetic", Parse(0));
  for (int i = 0; i < 20; ++i) {
    qs::project::Topic notes;
    notes.name = "Notes" + std::to_string(i);
    notes.isUserTopic = true;
    project.AppendTopic(notes);
  }
  project.RefillItemsFromStore();
  return project;
}

// Times the merge of the second release into a copy of the released project, followed by
// `after` (what the extraction does next to the rows and lists).
template <typename After>
void TimeMerge(benchmark::State& state, After after) {
  const HelpProject original = ReleasedProject();
  const LibraryInfo info = Parse(1);
  for (auto _ : state) {
    state.PauseTiming();
    HelpProject project = original;
    state.ResumeTiming();
    qs::library::MergeLibraryTopics(project, "Synthetic", info);
    after(project);
    benchmark::DoNotOptimize(project.ItemCount());
  }
  state.counters["topics"] = static_cast<double>(original.TopicCount());
}

void BM_MergeLibraryTopics(benchmark::State& state) {
  TimeMerge(state, [](HelpProject&) {});
}
BENCHMARK(BM_MergeLibraryTopics)->Unit(benchmark::kMillisecond);

// The merge plus what the extraction did after it: the rows refilled from the store and the
// Index page's functions list made from them.
void BM_MergeAndRefreshLists(benchmark::State& state) {
  TimeMerge(state, [](HelpProject& project) {
    project.RefillItemsFromStore();
    project.RemakeLists();
    benchmark::DoNotOptimize(project.Body(0).data());
  });
}
BENCHMARK(BM_MergeAndRefreshLists)->Unit(benchmark::kMillisecond);

// The same, with the rows kept in the author's order instead of refilled from the store.
void BM_MergeAndKeepRows(benchmark::State& state) {
  TimeMerge(state, [](HelpProject& project) {
    qs::library::KeepRowsAfterMerge(project);
    project.RemakeLists();
    benchmark::DoNotOptimize(project.Body(0).data());
  });
}
BENCHMARK(BM_MergeAndKeepRows)->Unit(benchmark::kMillisecond);

}  // namespace
