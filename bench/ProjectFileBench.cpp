// Loading and saving a 10,000-object project against reading and writing the same bytes raw,
// in memory (serialiser and parser against a copy of the bytes) and through a real temp file
// (SaveProjectFile and LoadProject against plain writes and reads). Prints the times and the
// ratios to their floors.

#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <map>
#include <string>

#include "platform/StdPlatform.h"
#include "project/ProjectFile.h"

namespace corvela {
namespace {

constexpr int kObjects = 10000;

void FillLargeProject(AppState& state) {
  NewProject(state);
  auto& objects = state.Project.Objects;
  for (int i = 0; i < kObjects; ++i) {
    auto obj = MakeNewObject(static_cast<ObjectKind>(i % kObjectKindCount));
    obj->Selected = false;
    obj->Link.Action = LinkAction::OpenFile;
    obj->Link.Target = "\\docs\\file" + std::to_string(i) + ".pdf";
    obj->Base().Left = i % 600;
    obj->Base().Top = i % 400;
    obj->Base().Name = "Object" + std::to_string(i);
    objects.push_back(std::move(obj));
  }
  RenumberTags(state);
}

struct Fixture {
  StdPlatform Platform;
  AppState State{Platform.Env};
  std::string Bytes;
  std::string Path;
  Fixture() {
    FillLargeProject(State);
    Bytes = SerializeProject(State, TickTrailer(Platform.Ticks)).value();
    Path = (std::filesystem::temp_directory_path() / "corvela-bench.mnx").string();
  }
  ~Fixture() {
    std::error_code ec;
    std::filesystem::remove(Path, ec);
  }
};

Fixture& Shared() {
  static Fixture fixture;
  return fixture;
}

void SetBytes(benchmark::State& run) {
  run.SetBytesProcessed(static_cast<int64_t>(run.iterations()) * static_cast<int64_t>(Shared().Bytes.size()));
}

void MemoryRawCopy(benchmark::State& run) {
  const std::string& bytes = Shared().Bytes;
  for (auto _ : run) {
    std::string copy(bytes);
    benchmark::DoNotOptimize(copy.data());
  }
  SetBytes(run);
}

void MemorySerialize(benchmark::State& run) {
  Fixture& f = Shared();
  const std::string trailer(80, '\0');
  for (auto _ : run) {
    auto bytes = SerializeProject(f.State, trailer);
    benchmark::DoNotOptimize(bytes->data());
  }
  SetBytes(run);
}

void MemoryParse(benchmark::State& run) {
  Fixture& f = Shared();
  AppState state(f.Platform.Env);
  for (auto _ : run) {
    if (ParseProject(state, f.Bytes) != ParseOutcome::Loaded) run.SkipWithError("parse failed");
    benchmark::DoNotOptimize(state.Project.Objects.data());
  }
  SetBytes(run);
}

void FileRawWrite(benchmark::State& run) {
  Fixture& f = Shared();
  for (auto _ : run) {
    std::FILE* file = std::fopen(f.Path.c_str(), "wb");
    std::fwrite(f.Bytes.data(), 1, f.Bytes.size(), file);
    std::fclose(file);
  }
  SetBytes(run);
}

void FileSave(benchmark::State& run) {
  Fixture& f = Shared();
  for (auto _ : run)
    if (!SaveProjectFile(f.State, f.Path)) run.SkipWithError("save failed");
  SetBytes(run);
}

void FileRawRead(benchmark::State& run) {
  Fixture& f = Shared();
  std::string error;
  f.Platform.Files.WriteFile(f.Path, f.Bytes, error);
  for (auto _ : run) {
    std::string bytes;
    std::FILE* file = std::fopen(f.Path.c_str(), "rb");
    char buffer[1 << 16];
    size_t got = 0;
    while ((got = std::fread(buffer, 1, sizeof buffer, file)) > 0) bytes.append(buffer, got);
    std::fclose(file);
    benchmark::DoNotOptimize(bytes.data());
  }
  SetBytes(run);
}

void FileLoad(benchmark::State& run) {
  Fixture& f = Shared();
  std::string error;
  f.Platform.Files.WriteFile(f.Path, f.Bytes, error);
  AppState state(f.Platform.Env);
  state.CDFolder = std::filesystem::temp_directory_path().string();
  for (auto _ : run)
    if (!LoadProject(state, f.Path)) run.SkipWithError("load failed");
  SetBytes(run);
}

BENCHMARK(MemoryRawCopy)->Unit(benchmark::kMicrosecond);
BENCHMARK(MemorySerialize)->Unit(benchmark::kMicrosecond);
BENCHMARK(MemoryParse)->Unit(benchmark::kMicrosecond);
BENCHMARK(FileRawWrite)->Unit(benchmark::kMicrosecond);
BENCHMARK(FileSave)->Unit(benchmark::kMicrosecond);
BENCHMARK(FileRawRead)->Unit(benchmark::kMicrosecond);
BENCHMARK(FileLoad)->Unit(benchmark::kMicrosecond);

// Keeps each benchmark's time per iteration for the ratios printed at the end.
class RatioReporter : public benchmark::ConsoleReporter {
 public:
  struct Times {
    double Real = 0;
    double Cpu = 0;
  };
  std::map<std::string, Times> Seconds;
  void ReportRuns(const std::vector<Run>& runs) override {
    for (const Run& run : runs) {
      if (run.iterations <= 0) continue;
      const auto n = static_cast<double>(run.iterations);
      Seconds[run.benchmark_name()] = {run.real_accumulated_time / n, run.cpu_accumulated_time / n};
    }
    ConsoleReporter::ReportRuns(runs);
  }
};

// Wall-clock and CPU ratios: on a busy machine the CPU figure is the steadier one.
void PrintRatio(const RatioReporter& r, const char* what, const char* name, const char* floor) {
  auto a = r.Seconds.find(name);
  auto b = r.Seconds.find(floor);
  if (a == r.Seconds.end() || b == r.Seconds.end() || b->second.Real <= 0 || b->second.Cpu <= 0) return;
  std::printf("  %-30s wall %9.1f us / %8.1f us = %5.1f x   cpu %9.1f us / %8.1f us = %5.1f x\n", what,
              a->second.Real * 1e6, b->second.Real * 1e6, a->second.Real / b->second.Real, a->second.Cpu * 1e6,
              b->second.Cpu * 1e6, a->second.Cpu / b->second.Cpu);
}

}  // namespace
}  // namespace corvela

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  corvela::RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  std::printf("\n%d objects, %zu bytes; ratios to the raw floor:\n", corvela::kObjects, corvela::Shared().Bytes.size());
  PrintRatio(reporter, "serialise vs copy (memory)", "MemorySerialize", "MemoryRawCopy");
  PrintRatio(reporter, "parse vs copy (memory)", "MemoryParse", "MemoryRawCopy");
  PrintRatio(reporter, "SaveProjectFile vs raw write", "FileSave", "FileRawWrite");
  PrintRatio(reporter, "LoadProject vs raw read", "FileLoad", "FileRawRead");
  benchmark::Shutdown();
  return 0;
}
