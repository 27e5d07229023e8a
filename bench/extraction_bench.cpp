// A whole re-extraction of a 20,000-function library as the window runs it: made on a copy of
// the project and compared with it for the report, against the extraction made in place.

#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>

#include "flows/diskports.h"
#include "flows/projectflows.h"
#include "library/librarytopics.h"
#include "support/librarygenerator.h"

namespace {

constexpr std::size_t kFunctions = 20000;

struct Released {
  std::string path = (std::filesystem::temp_directory_path() / "qs_bench_Extraction").string();
  qs::project::HelpProject project;

  // The project of the first release; the file then holds the second release.
  Released() {
    qs::testsupport::WriteLibraryFile(path, qs::testsupport::SyntheticLibraryRecipe(kFunctions));
    project.libraryFile = path;
    qs::library::LibraryInfo info;
    qs::text::Reports reports;
    qs::library::ExtractLibraryInfo(project, false, info, reports);
    qs::testsupport::WriteLibraryFile(path, qs::testsupport::SyntheticLibraryRecipe(kFunctions, 1));
  }
  ~Released() { std::filesystem::remove(path); }
};

void BM_ExtractInPlace(benchmark::State& state) {
  const Released released;
  qs::library::LibraryInfo info;
  for (auto _ : state) {
    state.PauseTiming();
    qs::project::HelpProject project = released.project;
    state.ResumeTiming();
    qs::text::Reports reports;
    benchmark::DoNotOptimize(qs::library::ExtractLibraryInfo(project, true, info, reports));
  }
}
BENCHMARK(BM_ExtractInPlace)->Unit(benchmark::kMillisecond);

void BM_ExtractAsideWithReport(benchmark::State& state) {
  const Released released;
  qs::flows::DiskLibraryReader reader;
  for (auto _ : state) {
    state.PauseTiming();
    qs::project::HelpProject project = released.project;
    state.ResumeTiming();
    benchmark::DoNotOptimize(qs::flows::ExtractLibrary(reader, project, true).changesLine);
  }
}
BENCHMARK(BM_ExtractAsideWithReport)->Unit(benchmark::kMillisecond);

}  // namespace
