// Player start: the time from process start to the first complete paint of the demo menu, against
// a bare Win32 window exe (bare_window.exe) measured in the same run. "Complete" means every probe
// pixel on screen shows its final colour: the gradient at the top and bottom of the inner panel,
// a label, a button's glyph and two pictures for the player, the solid colour for the bare window.
// The panes (rich text, clip) come after the first paint; the time until the rich-text pane shows
// its text is printed beside it.
// Runs under Wine; bench/player_start.sh prepares the published demo disc and calls it:
//   player_start_bench.exe CD\AutoRun.exe bare_window.exe [RUNS]
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "platform/win/Handles.h"

#include "WinBenchClock.h"

namespace {

using bench::Seconds;
using corvela::win::UniqueFile;
using corvela::win::UniqueKernelHandle;
using corvela::win::WindowDc;

// A pixel relative to the window's top-left corner and the colour it ends with.
struct Probe {
  int X, Y;
  COLORREF Colour;
  int Tolerance;
};

struct Target {
  const char* Name;
  std::string Exe;
  const char* WindowClass;
  int Width, Height;
  std::vector<Probe> Probes;
  // Pixels that show once the panes are filled, after the first paint.
  std::vector<Probe> PaneProbes;
};

struct StartTimes {
  double FirstPaint = -1;
  double Panes = -1;
};

bool Near(COLORREF a, COLORREF b, int tolerance) {
  return std::abs(GetRValue(a) - GetRValue(b)) <= tolerance && std::abs(GetGValue(a) - GetGValue(b)) <= tolerance &&
         std::abs(GetBValue(a) - GetBValue(b)) <= tolerance;
}

HWND FindWindowOf(DWORD pid, const char* cls) {
  struct Search {
    DWORD Pid;
    const char* Class;
    HWND Found;
  } search{pid, cls, nullptr};
  ::EnumWindows(
      [](HWND hwnd, LPARAM lp) -> BOOL {
        auto* s = reinterpret_cast<Search*>(lp);
        DWORD owner = 0;
        ::GetWindowThreadProcessId(hwnd, &owner);
        char name[64] = {};
        ::GetClassNameA(hwnd, name, sizeof name);
        if (owner != s->Pid || std::string(name) != s->Class) return TRUE;
        s->Found = hwnd;
        return FALSE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.Found;
}

bool Painted(const Target& t, HWND hwnd, const std::vector<Probe>& probes) {
  if (!::IsWindowVisible(hwnd)) return false;
  RECT rc;
  ::GetWindowRect(hwnd, &rc);
  if (rc.right - rc.left != t.Width || rc.bottom - rc.top != t.Height) return false;
  WindowDc screen(nullptr);
  for (const Probe& p : probes)
    if (!Near(::GetPixel(screen.get(), rc.left + p.X, rc.top + p.Y), p.Colour, p.Tolerance)) return false;
  return true;
}

// Seconds from CreateProcess to the complete first paint and to the filled panes; negative on
// failure. Ends the process.
StartTimes TimeToFirstPaint(const Target& t) {
  SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
  UniqueFile null(::CreateFileA("NUL", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, &inherit,
                                OPEN_EXISTING, 0, nullptr));
  STARTUPINFOA si{};
  si.cb = sizeof si;
  si.dwFlags = STARTF_USESTDHANDLES;
  si.hStdInput = si.hStdOutput = si.hStdError = null.get();
  std::string commandLine = "\"" + t.Exe + "\"";
  const std::string folder = t.Exe.substr(0, t.Exe.find_last_of('\\'));
  PROCESS_INFORMATION pi{};
  const double start = Seconds();
  StartTimes times;
  if (!::CreateProcessA(t.Exe.c_str(), commandLine.data(), nullptr, nullptr, TRUE, 0, nullptr, folder.c_str(), &si,
                        &pi))
    return times;
  UniqueKernelHandle process(pi.hProcess);
  UniqueKernelHandle thread(pi.hThread);
  HWND hwnd = nullptr;
  while (Seconds() - start < 30) {
    if (!hwnd) hwnd = FindWindowOf(pi.dwProcessId, t.WindowClass);
    if (hwnd && times.FirstPaint < 0 && Painted(t, hwnd, t.Probes)) times.FirstPaint = Seconds() - start;
    if (hwnd && times.FirstPaint >= 0 && Painted(t, hwnd, t.PaneProbes)) {
      times.Panes = Seconds() - start;
      break;
    }
    if (::WaitForSingleObject(process.get(), 1) == WAIT_OBJECT_0) break;
  }
  if (hwnd) ::PostMessageA(hwnd, WM_CLOSE, 0, 0);
  if (::WaitForSingleObject(process.get(), 10000) != WAIT_OBJECT_0) ::TerminateProcess(process.get(), 1);
  return times;
}

double Median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v[v.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: player_start_bench PLAYER_EXE BARE_WINDOW_EXE [RUNS]\n");
    return 2;
  }
  const int runs = argc > 3 ? std::max(1, std::atoi(argv[3])) : 7;
  const COLORREF gold = RGB(240, 192, 48);
  const COLORREF white = RGB(255, 255, 255);
  const Target player{"player (demo menu)",
                      argv[1],
                      "TAutoRunForm",
                      640,
                      480,
                      {{6, 6, RGB(20, 90, 120), 12},
                       {6, 472, RGB(12, 32, 74), 12},
                       {620, 368, gold, 6},
                       {52, 125, white, 6},
                       {500, 172, gold, 12},
                       {470, 215, RGB(224, 60, 49), 12}},
                      {{400, 330, white, 0}}};
  // As many probes as the player's first paint has: each is a read from the screen, and the
  // time a poll takes must not favour either side.
  const Target bare{"bare window",
                    argv[2],
                    "BareWindow",
                    640,
                    480,
                    {{6, 6, gold, 0},
                     {6, 472, gold, 0},
                     {620, 368, gold, 0},
                     {52, 125, gold, 0},
                     {500, 172, gold, 0},
                     {470, 215, gold, 0}},
                    {}};

  // One start of each first: the files are then in the cache for both alike.
  TimeToFirstPaint(player);
  TimeToFirstPaint(bare);
  std::vector<double> playerTimes, paneTimes, bareTimes;
  for (int i = 0; i < runs; ++i) {
    const StartTimes b = TimeToFirstPaint(bare);
    const StartTimes p = TimeToFirstPaint(player);
    if (b.FirstPaint < 0 || p.Panes < 0) {
      std::fprintf(stderr, "run %d: %s never showed its complete first paint\n", i + 1,
                   b.FirstPaint < 0 ? bare.Name : player.Name);
      return 1;
    }
    bareTimes.push_back(b.FirstPaint);
    playerTimes.push_back(p.FirstPaint);
    paneTimes.push_back(p.Panes);
  }
  // Each player run follows its own bare run, so their ratio is fair even while the machine's
  // speed drifts; the spread of those ratios says how noisy the run was.
  std::vector<double> ratios;
  for (size_t i = 0; i < playerTimes.size(); ++i) ratios.push_back(playerTimes[i] / bareTimes[i]);
  const double p = Median(playerTimes), b = Median(bareTimes);
  const auto line = [](const char* name, const std::vector<double>& times) {
    std::printf("  %-20s %8.1f ms   (%.1f to %.1f)\n", name, Median(times) * 1000,
                *std::min_element(times.begin(), times.end()) * 1000, *std::max_element(times.begin(), times.end()) * 1000);
  };
  std::printf("start to first complete paint, median of %d runs\n", runs);
  line(player.Name, playerTimes);
  line(bare.Name, bareTimes);
  std::printf("  ratio of medians     %8.2f   goal <= 1.3\n", p / b);
  std::printf("  ratio of each pair   %8.2f   median (%.2f to %.2f)\n", Median(ratios),
              *std::min_element(ratios.begin(), ratios.end()), *std::max_element(ratios.begin(), ratios.end()));
  line("player, panes filled", paneTimes);
  return 0;
}
