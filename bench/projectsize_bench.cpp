// Loading, extracting into and saving projects of 25 MB and 250 MB (the file limit is 256 MB),
// each beside a plain read and write of the same bytes in the same run, with the memory each
// step takes.
//
// The projects have the shape of a large real one: 20,000 function pages with long
// descriptions and examples, and three pages whose description and example hold a third of
// the file between them. "extract" is the whole `quillsmith-cli extract LIBRARY PROJECT`
// (load, merge a newer release of the library, save), run in-process.
//
// Memory: before each step the peak resident size of the process is reset (writing "5" to
// /proc/self/clear_refs), and afterwards the peak (VmHWM in /proc/self/status) less the resident
// size at the start of the step is reported as peak_MB: what the step added, without the
// fixtures the benchmark keeps in memory (memory freed before the step is handed back to the
// system first, so that the step's own allocations raise the peak). A child process per step would
// give the same figure with the cost of starting it; the reset gives it in the same run as the
// times.

#include <benchmark/benchmark.h>
#include <malloc.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "cli/cli.h"
#include "library/librarytopics.h"
#include "platform/atomicfile.h"
#include "project/helpproject.h"
#include "project/projectfile.h"
#include "support/librarygenerator.h"

namespace {

namespace fs = std::filesystem;
using qs::project::HelpProject;

constexpr std::size_t kFunctions = 20'000;

// A value of /proc/self/status in kB ("VmHWM:", "VmRSS:"), or 0 when it cannot be read.
long StatusKilobytes(const std::string& key) {
  std::ifstream status("/proc/self/status");
  std::string line;
  while (std::getline(status, line)) {
    if (line.starts_with(key)) return std::stol(line.substr(key.size()));
  }
  return 0;
}

// Starts a measurement of the peak memory: the resident size now. Memory freed by earlier
// steps is first given back to the system, or a step reusing it would not show in the peak.
long ResetPeak() {
  ::malloc_trim(0);
  std::ofstream("/proc/self/clear_refs") << "5";
  return StatusKilobytes("VmRSS:");
}

void ReportPeak(benchmark::State& state, long startKilobytes) {
  const long peak = StatusKilobytes("VmHWM:");
  state.counters["peak_MB"] = static_cast<double>(peak - startKilobytes) / 1024.0;
}

std::string ReadPlain(const std::string& path) {
  std::string data;
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (file == nullptr) return data;
  std::fseek(file, 0, SEEK_END);
  data.resize(static_cast<std::size_t>(std::ftell(file)));
  std::fseek(file, 0, SEEK_SET);
  data.resize(std::fread(data.data(), 1, data.size(), file));
  std::fclose(file);
  return data;
}

// Written and flushed to the disk as a save does before it replaces the file.
void WritePlain(const std::string& path, const std::string& bytes) {
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (file == nullptr) return;
  std::fwrite(bytes.data(), 1, bytes.size(), file);
  std::fflush(file);
  qs::platform::FlushToDisk(file);
  std::fclose(file);
}

// `count` lines of about 90 bytes, joined by CR LF.
std::string Lines(std::size_t count, const std::string& line) {
  std::string text;
  text.reserve(count * (line.size() + 2));
  for (std::size_t i = 0; i < count; ++i) {
    if (i > 0) text += "\r\n";
    text += line;
  }
  return text;
}

struct SizedProject {
  std::string folder;
  std::string library;  // the newer release, which the extraction merges
  std::string path;     // the project as saved
  std::string bytes;    // its bytes
  HelpProject loaded;   // what saving writes

  explicit SizedProject(std::size_t megabytes) {
    folder = (fs::temp_directory_path() / ("qs_projectsize_bench_" + std::to_string(::getpid()) +
                                           "_" + std::to_string(megabytes)))
                 .string() +
             "/";
    fs::create_directories(folder);
    library = folder + "Big";
    path = folder + "Big.qsp";
    qs::testsupport::WriteLibraryFile(library, qs::testsupport::SyntheticLibraryRecipe(kFunctions));
    HelpProject project;
    project.libraryFile = library;
    project.projectFile = path;
    project.helpFolder = folder + "Help/";
    qs::library::LibraryInfo info;
    qs::text::Reports reports;
    qs::library::ExtractLibraryInfo(project, false, info, reports);

    const std::size_t target = megabytes * 1000 * 1000;
    const std::string description =
        "Works on the object and returns its state; the handle must come from the function "
        "that made it.";
    const std::string code = "  Result = Work(Handle, \"Text\", #Flags) : Debug Result ; check";
    // Two thirds over the function pages, one third over three huge ones.
    const std::size_t perPage = target * 2 / 3 / kFunctions;
    const std::size_t pageLines = perPage / (description.size() + code.size() + 4);
    const std::size_t hugeLines = target / 3 / 3 / (description.size() + code.size() + 4);
    for (std::size_t pos = 1; pos + 1 < project.TopicCount(); ++pos) {
      auto& topic = project.TopicAt(pos);
      const std::size_t lines = pos <= 3 ? hugeLines : pageLines;
      topic.body += "\r\n" + Lines(lines, description);
      topic.example = Lines(lines, code);
    }
    project.modified = false;
    qs::project::SaveProject(project, path, reports);
    qs::testsupport::WriteLibraryFile(library,
                                      qs::testsupport::SyntheticLibraryRecipe(kFunctions, 1));
    bytes = ReadPlain(path);
    loaded = std::move(project);
  }
  ~SizedProject() {
    std::error_code ignored;
    fs::remove_all(folder, ignored);
  }
};

SizedProject& Sized(std::size_t megabytes) {
  static std::map<std::size_t, std::unique_ptr<SizedProject>> projects;
  auto& project = projects[megabytes];
  if (!project) project = std::make_unique<SizedProject>(megabytes);
  return *project;
}

void Processed(benchmark::State& state, const SizedProject& project) {
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * project.bytes.size()));
}

void BM_PlainReadWrite(benchmark::State& state) {
  SizedProject& project = Sized(static_cast<std::size_t>(state.range(0)));
  for (auto _ : state) {
    const long start = ResetPeak();
    std::string data = ReadPlain(project.path);
    WritePlain(project.folder + "plain.qsp", data);
    ReportPeak(state, start);
  }
  Processed(state, project);
}

void BM_PlainRead(benchmark::State& state) {
  SizedProject& project = Sized(static_cast<std::size_t>(state.range(0)));
  for (auto _ : state) {
    const long start = ResetPeak();
    std::string data = ReadPlain(project.path);
    benchmark::DoNotOptimize(data.data());
    ReportPeak(state, start);
  }
  Processed(state, project);
}

void BM_Load(benchmark::State& state) {
  SizedProject& project = Sized(static_cast<std::size_t>(state.range(0)));
  for (auto _ : state) {
    const long start = ResetPeak();
    HelpProject loaded;
    qs::text::Reports reports;
    if (!qs::project::LoadProject(loaded, project.path, {}, reports)) {
      state.SkipWithError("load failed");
    }
    ReportPeak(state, start);
  }
  Processed(state, project);
}

void BM_PlainWrite(benchmark::State& state) {
  SizedProject& project = Sized(static_cast<std::size_t>(state.range(0)));
  for (auto _ : state) {
    const long start = ResetPeak();
    WritePlain(project.folder + "plain.qsp", project.bytes);
    ReportPeak(state, start);
  }
  Processed(state, project);
}

void BM_Save(benchmark::State& state) {
  SizedProject& project = Sized(static_cast<std::size_t>(state.range(0)));
  for (auto _ : state) {
    const long start = ResetPeak();
    qs::text::Reports reports;
    if (!qs::project::SaveProject(project.loaded, project.folder + "saved.qsp", reports)) {
      state.SkipWithError("save failed");
    }
    ReportPeak(state, start);
  }
  Processed(state, project);
}

void BM_CliExtract(benchmark::State& state) {
  SizedProject& project = Sized(static_cast<std::size_t>(state.range(0)));
  const std::string target = project.folder + "extracted.qsp";
  for (auto _ : state) {
    state.PauseTiming();
    fs::copy_file(project.path, target, fs::copy_options::overwrite_existing);
    state.ResumeTiming();
    const long start = ResetPeak();
    std::ostringstream out;
    std::ostringstream err;
    if (qs::cli::Run({"extract", project.library, target}, out, err) != 0) {
      state.SkipWithError(err.str().c_str());
    }
    ReportPeak(state, start);
  }
  Processed(state, project);
}

// 25 MB and 250 MB; one step at a time, the median of a few runs.
void Sizes(benchmark::internal::Benchmark* bench) {
  bench->Unit(benchmark::kMillisecond)->Iterations(1)->Repetitions(3)->DisplayAggregatesOnly();
  bench->Arg(25)->Arg(250);
}

BENCHMARK(BM_PlainRead)->Apply(Sizes);
BENCHMARK(BM_Load)->Apply(Sizes);
BENCHMARK(BM_PlainWrite)->Apply(Sizes);
BENCHMARK(BM_Save)->Apply(Sizes);
BENCHMARK(BM_PlainReadWrite)->Apply(Sizes);
BENCHMARK(BM_CliExtract)->Apply(Sizes);

}  // namespace
