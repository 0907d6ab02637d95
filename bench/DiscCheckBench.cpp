// The disc check on a large CD folder (bench/disc_check.sh makes one of 100,000 files): how long
// the check takes on its thread against a bare listing of the same folder, and what keeps the
// designer responsive meanwhile: the copy of the menu and the list's rows made on the window's
// thread, the longest wait between two progress reports (how stale the progress line gets), and
// how long Cancel waits. Built natively (the standard library's file system) and for Windows (the
// designer's own, run under Wine).
//   disc_check_bench FOLDER [RUNS]
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "designer/FindingRows.h"
#include "platform/StdPlatform.h"
#include "project/AppState.h"
#include "project/DiscCheck.h"
#include "project/ProjectFile.h"

#ifdef _WIN32
#include "platform/win/Win32FileSystem.h"
using BenchFiles = corvela::win::Win32FileSystem;
#else
using BenchFiles = corvela::StdFileSystem;
#endif

namespace corvela {
namespace {

using Clock = std::chrono::steady_clock;

double Ms(Clock::duration d) { return std::chrono::duration<double, std::milli>(d).count(); }

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

// The floor: every folder listed, nothing else.
uint64_t ListAll(FileSystem& files, const std::string& folder) {
  std::vector<FolderEntry> entries;
  if (!files.ListFolder(folder, entries)) return 0;
  uint64_t count = entries.size();
  for (const FolderEntry& e : entries)
    if (e.IsFolder && !e.IsLink) count += ListAll(files, ChildPath(folder, e.Name));
  return count;
}

int Run(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: disc_check_bench FOLDER [RUNS]\n");
    return 2;
  }
  const std::string folder = argv[1];
  const int runs = argc > 2 ? std::max(1, std::atoi(argv[2])) : 5;
  BenchFiles files;

  // The menu on screen: the folder's own project, loaded as the designer loads it.
  StdPlatform platform;
  platform.Env.Files = &files;
  AppState state(platform.Env);
  std::string bytes, error;
  if (!files.ReadFile(ChildPath(folder, "AutoRun.mnx"), bytes, error) ||
      ParseProject(state, bytes, nullptr) != ParseOutcome::Loaded) {
    std::fprintf(stderr, "no readable AutoRun.mnx in %s\n", folder.c_str());
    return 1;
  }

  std::vector<double> listing, check, snapshot, rows, gaps;
  size_t findings = 0, rowCount = 0;
  uint64_t entries = 0;
  for (int run = 0; run < runs; ++run) {
    Clock::time_point start = Clock::now();
    entries = ListAll(files, folder);
    listing.push_back(Ms(Clock::now() - start));

    start = Clock::now();
    const MenuSnapshot menu = TakeMenuSnapshot(state.Project, false);
    snapshot.push_back(Ms(Clock::now() - start));

    DiscCheckRequest request;
    request.CdFolder = folder;
    request.Menu = &menu;
    Clock::time_point last = Clock::now();
    double longest = 0;
    request.Progress = [&](const DiscCheckProgress&) {
      const Clock::time_point now = Clock::now();
      longest = std::max(longest, Ms(now - last));
      last = now;
      return true;
    };
    start = Clock::now();
    const std::vector<Finding> found = RunDiscCheck(files, request).value();
    const Clock::time_point end = Clock::now();
    check.push_back(Ms(end - start));
    gaps.push_back(std::max(longest, Ms(end - last)));
    findings = found.size();

    // What the window's thread does when the check ends: the rows, and the lines it first shows.
    start = Clock::now();
    FindingRows list(found);
    for (size_t row = 0; row < std::min<size_t>(list.Count(), 40); ++row)
      for (FindingColumn column : {FindingColumn::Severity, FindingColumn::Object, FindingColumn::Message, FindingColumn::Path})
        list.Text(row, column);
    rows.push_back(Ms(Clock::now() - start));
    rowCount = list.Count();
  }

  // Cancel a quarter of the way through: the time from the answer "stop" to the check's return.
  std::vector<double> cancel;
  for (int run = 0; run < runs; ++run) {
    DiscCheckRequest request;
    request.CdFolder = folder;
    Clock::time_point asked{};
    request.Progress = [&](const DiscCheckProgress& p) {
      if (p.Files < entries / 4) return true;
      asked = Clock::now();
      return false;
    };
    const bool stopped = !RunDiscCheck(files, request).has_value();
    if (stopped) cancel.push_back(Ms(Clock::now() - asked));
  }

  std::printf("  folder                          %s\n", folder.c_str());
  std::printf("  files and folders               %llu, %zu findings in %zu rows\n",
              static_cast<unsigned long long>(entries), findings, rowCount);
  std::printf("  bare listing (floor)            %9.1f ms\n", Median(listing));
  std::printf("  disc check, on its thread       %9.1f ms   ratio %.2f\n", Median(check), Median(check) / Median(listing));
  std::printf("  longest wait between reports    %9.1f ms\n", Median(gaps));
  std::printf("  Cancel to the check's return    %9.2f ms\n", cancel.empty() ? -1.0 : Median(cancel));
  std::printf("  window thread: copy of the menu %9.3f ms\n", Median(snapshot));
  std::printf("  window thread: rows, first 40   %9.1f ms\n", Median(rows));
  std::printf("  (medians of %d runs)\n", runs);
  return 0;
}

}  // namespace
}  // namespace corvela

int main(int argc, char** argv) { return corvela::Run(argc, argv); }
