// The designer on a CD folder of many files (bench/disc_check.sh makes one of 100,000): File >
// Check Disc run as the menu runs it, while a second thread asks the designer's window for an
// answer every 20 ms. Prints how long the findings took to show and the longest any answer took,
// which is how long the designer looked frozen. Runs under Wine:
//   scripts/wine-session.sh wine build/windows/bench/designer_check_bench.exe FOLDER
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include "app/win/Application.h"
#include "app/win/MainForm.h"
#include "designer/Commands.h"
#include "dialogs/win/DialogIds.h"

#include "WinBenchClock.h"

namespace {

std::string Text(HWND hwnd) {
  char text[256] = {};
  ::GetWindowTextA(hwnd, text, sizeof text);
  return text;
}

}  // namespace

int main(int argc, char** argv) {
  using namespace corvela;
  if (argc < 2) {
    std::fprintf(stderr, "usage: designer_check_bench FOLDER\n");
    return 2;
  }
  char temp[MAX_PATH];
  ::GetTempPathA(MAX_PATH, temp);
  const std::string tools = std::string(temp) + "corvela-designer-check-bench";
  ::CreateDirectoryA(tools.c_str(), nullptr);
  std::ofstream(tools + "\\Corvela.ini") << "DefaultPath=" << argv[1] << "\r\n";

  win::Application app;
  if (!app.Start(tools + "\\Corvela.exe")) return 1;
  app.State().Modified = false;
  const HWND main = app.Main()->hwnd();

  std::atomic<bool> done{false};
  double asked = 0, shown = 0, listed = 0, longest = 0;
  std::vector<double> answers;
  int rows = -1;
  std::thread pinger([&] {
    HWND dialog = nullptr;
    while (!done) {
      const double before = bench::Seconds();
      DWORD_PTR result = 0;
      ::SendMessageTimeoutA(main, WM_NULL, 0, 0, SMTO_NORMAL, 10000, &result);
      const double took = bench::Seconds() - before;
      answers.push_back(took);
      longest = std::max(longest, took);
      if (!dialog) {
        dialog = ::FindWindowA("#32770", "Check Disc");
        if (dialog) shown = bench::Seconds();
      }
      if (dialog && Text(::GetDlgItem(dialog, IDCANCEL)) == "Close") {
        listed = bench::Seconds();
        rows = static_cast<int>(::SendMessageA(::GetDlgItem(dialog, IDC_CHECK_LIST), LVM_GETITEMCOUNT, 0, 0));
        ::PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
        return;
      }
      ::Sleep(20);
    }
  });
  asked = bench::Seconds();
  ::SendMessageA(main, WM_COMMAND, cmdCheckDisc, 0);
  const double closed = bench::Seconds();
  done = true;
  pinger.join();

  std::sort(answers.begin(), answers.end());
  const double median = answers.empty() ? 0 : answers[answers.size() / 2];
  std::printf("  Check Disc to its window        %9.1f ms\n", (shown - asked) * 1000);
  std::printf("  Check Disc to the findings      %9.1f ms   (%d rows)\n", (listed - asked) * 1000, rows);
  std::printf("  window's answers meanwhile      %9.2f ms median, %.1f ms longest, %zu asked\n", median * 1000,
              longest * 1000, answers.size());
  std::printf("  whole command                   %9.1f ms\n", (closed - asked) * 1000);
  app.State().Modified = false;
  app.Main()->ClosingAllowed = true;
  return listed > 0 ? 0 : 1;
}
