// The background gradient of a 1920 x 1080 panel in each style against one solid fill of the same
// (renderer) area, both on a pixel buffer. Prints the times, the number of solid fills each style
// costs, and the ratio of each style to the single fill.

#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include "project/Gradient.h"

namespace corvela {
namespace {

constexpr int32_t kPanelWidth = 1920, kPanelHeight = 1080;
const char* const kStyleNames[] = {"TopBottom",   "BottomTop",      "LeftRight", "RightLeft", "FromCenter",
                                   "FromTopLeft", "FromBottomLeft", "Radial",    "None"};

MenuProject ProjectWithStyle(int style) {
  MenuProject project;
  project.BackColor = 0x00A03010u;
  project.GradientColor = 0x0060E0FFu;
  project.GradientStyle = static_cast<uint8_t>(style);
  return project;
}

// Counts the fills a style asks for.
class CountingSurface final : public FillSurface {
 public:
  explicit CountingSurface(FillSurface& target) : target_(target) {}
  int32_t Width() const override { return target_.Width(); }
  int32_t Height() const override { return target_.Height(); }
  void FillSolid(const PixelRect& r, Colour rgb) override {
    ++Fills;
    target_.FillSolid(r, rgb);
  }
  int64_t Fills = 0;

 private:
  FillSurface& target_;
};

void SolidFill(benchmark::State& run) {
  PixelBuffer renderer(kPanelWidth + 2, kPanelHeight + 2);
  Colour colour = 0;
  for (auto _ : run) {
    renderer.FillSolid({0, 0, renderer.Width(), renderer.Height()}, ++colour);
    benchmark::DoNotOptimize(renderer.Pixels().data());
  }
}

// PaintBackground's work for one style: the decisions and the whole renderer's fill.
void Style(benchmark::State& run) {
  const MenuProject project = ProjectWithStyle(static_cast<int>(run.range(0)));
  PixelBuffer renderer(kPanelWidth + 2, kPanelHeight + 2);
  for (auto _ : run) {
    if (const auto fill = PlanBackground(project, kPanelWidth, kPanelHeight)) FillBackground(renderer, *fill, nullptr);
    benchmark::DoNotOptimize(renderer.Pixels().data());
  }
  CountingSurface counter(renderer);
  if (const auto fill = PlanBackground(project, kPanelWidth, kPanelHeight)) FillBackground(counter, *fill, nullptr);
  run.counters["fills"] = static_cast<double>(counter.Fills);
  run.SetLabel(kStyleNames[run.range(0)]);
}

BENCHMARK(SolidFill)->Unit(benchmark::kMicrosecond);
BENCHMARK(Style)->DenseRange(0, 8)->Unit(benchmark::kMicrosecond);

// Keeps each benchmark's median CPU time per iteration for the ratios printed at the end. The
// repetitions run in random order, so that a drift of the machine's speed reaches the floor and
// the styles alike rather than only the ones measured later.
class RatioReporter : public benchmark::ConsoleReporter {
 public:
  std::map<std::string, double> Seconds;
  void ReportRuns(const std::vector<Run>& runs) override {
    for (const Run& run : runs)
      if (run.run_type == Run::RT_Aggregate && run.aggregate_name == "median" && run.iterations > 0)
        Seconds[run.run_name.str()] = run.cpu_accumulated_time / run.iterations;
    ConsoleReporter::ReportRuns(runs);
  }
};

}  // namespace
}  // namespace corvela

int main(int argc, char** argv) {
  // Defaults first, so that the command line can override them.
  std::vector<char*> args{argv[0], const_cast<char*>("--benchmark_repetitions=7"),
                          const_cast<char*>("--benchmark_enable_random_interleaving=true"),
                          const_cast<char*>("--benchmark_report_aggregates_only=true")};
  args.insert(args.end(), argv + 1, argv + argc);
  argc = static_cast<int>(args.size());
  argv = args.data();
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  corvela::RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  const auto floor = reporter.Seconds.find("SolidFill");
  if (floor != reporter.Seconds.end() && floor->second > 0) {
    std::printf("\n%dx%d panel, ratio of each style to one solid fill (%.1f us, cpu):\n", corvela::kPanelWidth,
                corvela::kPanelHeight, floor->second * 1e6);
    for (int style = 0; style <= 8; ++style) {
      const auto it = reporter.Seconds.find("Style/" + std::to_string(style));
      if (it == reporter.Seconds.end()) continue;
      std::printf("  %-15s %9.1f us  %6.2f x\n", corvela::kStyleNames[style], it->second * 1e6,
                  it->second / floor->second);
    }
  }
  benchmark::Shutdown();
  return 0;
}
