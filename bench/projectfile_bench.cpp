// Saving and loading a project of 20,000 topics (about 10 MB), next to writing and reading the
// same bytes with a plain loop, so that the cost of the format itself shows.

#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/atomicfile.h"
#include "project/helpproject.h"
#include "project/projectfile.h"

namespace {

namespace fs = std::filesystem;
using qs::project::HelpProject;
using qs::project::Topic;
using qs::project::TopicIcon;

constexpr int kTopics = 20'000;

HelpProject LargeProject() {
  HelpProject project;
  project.projectFile = "/home/author/Work/Big.qsp";
  project.libraryFile = "/opt/purebasic/PureLibraries/UserLibraries/Big";
  project.helpFolder = "/home/author/Work/Help/";
  std::vector<Topic> topics;
  topics.reserve(kTopics);
  Topic index;
  index.name = "Index";
  index.title = "Big library";
  index.summary = "This is a purebasic user library.";
  index.icon = TopicIcon::IndexIcon;
  topics.push_back(index);
  for (int i = 1; i < kTopics; ++i) {
    Topic topic;
    topic.name = "Function" + std::to_string(i);
    topic.parameters = "(Value.l, Text$, *Buffer)";
    topic.title = topic.name + "()";
    topic.summary = topic.name + topic.parameters;
    topic.body =
        "Does something useful with the value and the text, and writes the result into the\r\n"
        "buffer, which must be large enough. Returns non-zero on success.\r\n"
        "\r\n"
        "See also the <b>other</b> functions of this library. The text is long enough that\r\n"
        "a project of this size holds about ten megabytes, as a large real library would.";
    topic.example =
        "Define Text$ = \"Hello\"\r\n"
        "If " +
        topic.name +
        "(42, Text$, *Memory)\r\n"
        "  Debug \"done\"\r\n"
        "EndIf\r\n";
    topics.push_back(std::move(topic));
  }
  project.SetTopics(std::move(topics));
  project.RefillItemsFromStore();
  return project;
}

std::string BenchFolder() {
  const fs::path dir =
      fs::temp_directory_path() / ("qs_projectfile_bench_" + std::to_string(::getpid()));
  fs::create_directories(dir);
  return dir.string() + "/";
}

std::string ReadPlain(const std::string& path) {
  std::string data;
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (file == nullptr) return data;
  char buffer[65536];
  std::size_t got = 0;
  while ((got = std::fread(buffer, 1, sizeof buffer, file)) > 0) data.append(buffer, got);
  std::fclose(file);
  return data;
}

void WritePlain(const std::string& path, const std::string& bytes, bool sync) {
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (file == nullptr) return;
  for (std::size_t pos = 0; pos < bytes.size(); pos += 65536) {
    std::fwrite(bytes.data() + pos, 1, std::min<std::size_t>(65536, bytes.size() - pos), file);
  }
  std::fflush(file);
  if (sync) qs::platform::FlushToDisk(file);
  std::fclose(file);
}

struct Fixture {
  Fixture() : folder(BenchFolder()), project(LargeProject()) {
    qs::text::Reports reports;
    path = folder + "big.qsp";
    qs::project::SaveProject(project, path, reports);
    bytes = ReadPlain(path);
  }
  ~Fixture() {
    std::error_code ignored;
    fs::remove_all(folder, ignored);
  }
  std::string folder;
  HelpProject project;
  std::string path;
  std::string bytes;
};

Fixture& Shared() {
  static Fixture fixture;
  return fixture;
}

void BM_SaveProject(benchmark::State& state) {
  Fixture& f = Shared();
  qs::text::Reports reports;
  for (auto _ : state) {
    if (!qs::project::SaveProject(f.project, f.folder + "save.qsp", reports)) {
      state.SkipWithError("save failed");
    }
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * f.bytes.size()));
}
BENCHMARK(BM_SaveProject)->Unit(benchmark::kMillisecond);

void BM_PlainWrite(benchmark::State& state) {
  Fixture& f = Shared();
  for (auto _ : state) WritePlain(f.folder + "plain.qsp", f.bytes, false);
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * f.bytes.size()));
}
BENCHMARK(BM_PlainWrite)->Unit(benchmark::kMillisecond);

// The plain loop with the same flush to the disk that a save does before its rename.
void BM_PlainWriteSynced(benchmark::State& state) {
  Fixture& f = Shared();
  for (auto _ : state) WritePlain(f.folder + "plain.qsp", f.bytes, true);
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * f.bytes.size()));
}
BENCHMARK(BM_PlainWriteSynced)->Unit(benchmark::kMillisecond);

void BM_LoadProject(benchmark::State& state) {
  Fixture& f = Shared();
  qs::text::Reports reports;
  for (auto _ : state) {
    HelpProject loaded;
    if (!qs::project::LoadProject(loaded, f.path, {}, reports) ||
        loaded.TopicCount() != static_cast<std::size_t>(kTopics)) {
      state.SkipWithError("load failed");
    }
    benchmark::DoNotOptimize(loaded.TopicCount());
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * f.bytes.size()));
}
BENCHMARK(BM_LoadProject)->Unit(benchmark::kMillisecond);

void BM_PlainRead(benchmark::State& state) {
  Fixture& f = Shared();
  for (auto _ : state) {
    std::string data = ReadPlain(f.path);
    benchmark::DoNotOptimize(data.data());
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * f.bytes.size()));
}
BENCHMARK(BM_PlainRead)->Unit(benchmark::kMillisecond);

// What a load costs beyond reading and parsing: making the 20,000 topics with their texts,
// the name index and the rows, and dropping them again, from a copy already in memory.
void BM_BuildModelOnly(benchmark::State& state) {
  Fixture& f = Shared();
  for (auto _ : state) {
    HelpProject loaded;
    loaded.SetTopics(f.project.topics());
    loaded.RefillItemsFromStore();
    benchmark::DoNotOptimize(loaded.TopicCount());
  }
}
BENCHMARK(BM_BuildModelOnly)->Unit(benchmark::kMillisecond);

}  // namespace
