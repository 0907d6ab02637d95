// The e2e driver: publishes a CD folder with the real publishing code, starts the published player
// as its own process, watches its windows and message boxes, and closes it again. Shell scripts
// run it under Wine between their own steps (screenshots, pixel checks).
//
//   e2e_driver publish DESIGNER_EXE CD_FOLDER
//   e2e_driver play PLAYER_EXE WIDTH HEIGHT TIMEOUT_MS     prints "pid left top width height"
//   e2e_driver close PID
//   e2e_driver start PLAYER_EXE                             starts a player, prints its pid
//   e2e_driver run PLAYER_EXE ENDS_MS                       starts a player that must end by itself
//   e2e_driver mouse PID move|press|release|click X Y [ENDS_MS]
//                                                           the real mouse at X, Y of the menu window
//   e2e_driver key PID tab|shift+tab|enter|space|escape|up|down|left|right [ENDS_MS]
//                                                           the real keyboard, into the menu window
//   e2e_driver pointer X Y                                  the real mouse to X, Y of the screen
//   e2e_driver box PID CAPTION TEXT TIMEOUT_MS [ENDS_MS]    waits for that message box, prints the menu
//                                                           window as "visible|hidden width height",
//                                                           answers OK
//   e2e_driver windows CLASS                                prints the visible top-level windows of any
//                                                           process with the class name, one a line
// With ENDS_MS the player must then end by itself within that time, with code 0 and no message box.
#include <windows.h>
#include <shellapi.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/Startup.h"
#include "designer/StartPagePublish.h"
#include "designer/win/PagePictures.h"
#include "platform/StdPlatform.h"
#include "platform/win/Dpi.h"
#include "platform/win/Handles.h"
#include "platform/win/Win32CodePages.h"
#include "platform/win/WideText.h"
#include "platform/win/Win32Colours.h"
#include "platform/win/Win32FileSystem.h"
#include "platform/win/Win32Graphics.h"
#include "platform/win/Win32Services.h"
#include "player/win/Panes.h"
#include "project/ProjectFile.h"
#include "project/DiscLabel.h"
#include "project/Publish.h"
#include "project/Resources.h"
#include "project/StoredPath.h"
#include "project/win/Win32Text.h"
#include "support/win/WinProcess.h"

namespace {

using corvela::testing::MessageBoxText;
using corvela::testing::TopWindows;
using corvela::testing::WaitFor;
using corvela::testing::WindowText;
using corvela::win::UniqueFile;
using corvela::win::UniqueKernelHandle;

int Fail(const std::string& why) {
  std::fprintf(stderr, "e2e_driver: %s\n", why.c_str());
  return 1;
}

HWND VisibleBox(DWORD pid) {
  for (HWND box : TopWindows(pid, "#32770"))
    if (::IsWindowVisible(box)) return box;
  return nullptr;
}

// Starts the player with its standard output and error on NUL, so that it holds no pipe of ours.
bool StartPlayer(const std::string& exe, PROCESS_INFORMATION& pi) {
  SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
  UniqueFile null(::CreateFileA("NUL", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, &inherit,
                                OPEN_EXISTING, 0, nullptr));
  STARTUPINFOW si{};
  si.cb = sizeof si;
  si.dwFlags = STARTF_USESTDHANDLES;
  si.hStdInput = si.hStdOutput = si.hStdError = null.get();
  std::wstring commandLine = corvela::win::Wide("\"" + exe + "\"");
  const std::wstring folder = corvela::win::Wide(corvela::FolderPart(exe));
  return ::CreateProcessW(corvela::win::Wide(exe).c_str(), commandLine.data(), nullptr, nullptr, TRUE, 0, nullptr,
                          folder.c_str(), &si, &pi) != FALSE;
}

int Publish(const std::string& designerExe, const std::string& cd) {
  corvela::win::Win32FileSystem files;
  corvela::StderrUserInterface ui;
  corvela::win::Win32Screen screen;
  corvela::win::Win32Clock clock;
  // Text in UTF-8, as the designer holds it: the start page is written from it.
  corvela::win::Win32CodePages codes;
  corvela::Platform env;
  env.Files = &files;
  env.Ui = &ui;
  env.Display = &screen;
  env.Ticks = &clock;
  env.Codes = &codes;
  corvela::AppState state(env);
  state.ExeFileName = designerExe;
  state.CDFolder = cd;
  std::string bytes, error;
  if (!files.ReadFile(cd + "\\AutoRun.mnx", bytes, error)) return Fail(error);
  if (corvela::ParseProject(state, bytes) != corvela::ParseOutcome::Loaded)
    return Fail("the demo project does not load");
  const size_t objects = state.Project.Objects.size();
  if (!corvela::PublishCDFolder(state, cd)) return Fail("publishing failed");
  if (state.Project.PublishStartPage) {
    // As the designer's Save goes on: the page is laid out over the pictures as decoded.
    corvela::win::Win32GraphicLoader graphics;
    corvela::win::Win32TextMeasurer text;
    corvela::win::Win32SystemColours colours;
    corvela::win::PagePictureWriter pictures;
    env.Graphics = &graphics;
    env.Text = &text;
    env.Colours = &colours;
    env.Pictures = &pictures;
    corvela::ApplyAllObjectResources(state);
    // The designer's RTF and AVI panes show their files when it saves: made here the same way in
    // a window never shown, so that the page pictures what they show.
    corvela::win::UniqueWindow host(::CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, state.Project.Form.Width,
                                                      state.Project.Form.Height, nullptr, nullptr,
                                                      ::GetModuleHandleW(nullptr), nullptr));
    for (auto& obj : state.Project.Objects) {
      if (obj->Kind != corvela::ObjectKind::Rtf && obj->Kind != corvela::ObjectKind::Avi) continue;
      std::unique_ptr<corvela::win::Pane> pane = corvela::win::CreatePane(obj->Kind, host.get(), obj->Base());
      const std::string path = corvela::ResolveStoredPath(cd, obj->FileName);
      if (auto* rtf = dynamic_cast<corvela::win::RtfPane*>(pane.get())) rtf->Load(path);
      if (auto* avi = dynamic_cast<corvela::win::AviPane*>(pane.get())) {
        avi->DrawFramesItself();
        avi->Play(path);
      }
      obj->Pane = std::move(pane);
    }
    const bool written = corvela::PublishStartPage(state);
    corvela::ClearObjects(state);
    env.Graphics = nullptr;
    env.Text = nullptr;
    env.Colours = nullptr;
    env.Pictures = nullptr;
    if (!written) return Fail("the start page was not written");
  }

  for (const char* name : {"AutoRun.exe", "AutoRun.ico", "autorun.inf", "AutoRun.mnx"})
    if (!files.FileExists(cd + "\\" + name)) return Fail(std::string(name) + " was not published");
  std::string inf;
  files.ReadFile(cd + "\\autorun.inf", inf, error);
  if (inf != corvela::AutorunInfText(state.Project.DiscLabel, &codes))
    return Fail("autorun.inf is not as expected: " + inf);
  std::string copy, original;
  files.ReadFile(cd + "\\AutoRun.exe", copy, error);
  files.ReadFile(designerExe, original, error);
  if (copy != original) return Fail("AutoRun.exe is not a copy of the designer");
  corvela::AppState reread(env);
  files.ReadFile(cd + "\\AutoRun.mnx", bytes, error);
  if (corvela::ParseProject(reread, bytes) != corvela::ParseOutcome::Loaded || reread.Project.Objects.size() != objects)
    return Fail("the published project does not read back");
  std::printf("published %zu objects\n", objects);
  return 0;
}

int Play(const std::string& exe, int width, int height, DWORD timeoutMs) {
  PROCESS_INFORMATION pi{};
  if (!StartPlayer(exe, pi)) return Fail("cannot start " + exe);
  UniqueKernelHandle process(pi.hProcess);
  UniqueKernelHandle thread(pi.hThread);
  const DWORD start = ::GetTickCount();
  DWORD shownAt = 0;
  RECT rc{};
  // Every size the window has while visible must be none or the project's: never a design size.
  for (;;) {
    if (::GetTickCount() - start > timeoutMs) {
      ::TerminateProcess(process.get(), 99);
      return Fail("the menu window did not appear at " + std::to_string(width) + " x " + std::to_string(height));
    }
    if (::WaitForSingleObject(process.get(), 0) == WAIT_OBJECT_0) return Fail("the player ended");
    if (HWND box = VisibleBox(pi.dwProcessId)) {
      const std::string text = MessageBoxText(box);
      ::PostMessageA(box, WM_COMMAND, IDOK, 0);
      ::TerminateProcess(process.get(), 99);
      return Fail("the player showed a message: " + text);
    }
    auto menus = TopWindows(pi.dwProcessId, "TAutoRunForm");
    if (!menus.empty() && ::IsWindowVisible(menus.front())) {
      ::GetWindowRect(menus.front(), &rc);
      const int w = rc.right - rc.left, h = rc.bottom - rc.top;
      if (w == width && h == height) {
        if (!shownAt) shownAt = ::GetTickCount();
      } else if (w != 0 || h != 0) {
        ::TerminateProcess(process.get(), 99);
        return Fail("the menu window showed at " + std::to_string(w) + " x " + std::to_string(h));
      }
    }
    // Give the first paints and the panes time to settle before anyone looks.
    if (shownAt && ::GetTickCount() - shownAt > 1500) break;
    ::Sleep(5);
  }
  const int cx = ::GetSystemMetrics(SM_CXSCREEN), cy = ::GetSystemMetrics(SM_CYSCREEN);
  if (rc.left != (cx - width) / 2 || rc.top != (cy - height) / 2) {
    ::TerminateProcess(process.get(), 99);
    return Fail("the menu window is not centred");
  }
  std::printf("%lu %ld %ld %d %d\n", pi.dwProcessId, rc.left, rc.top, width, height);
  return 0;
}

int Close(DWORD pid) {
  UniqueKernelHandle process(::OpenProcess(SYNCHRONIZE | PROCESS_QUERY_INFORMATION | PROCESS_TERMINATE, FALSE, pid));
  if (!process) return Fail("no process " + std::to_string(pid));
  auto menus = TopWindows(pid, "TAutoRunForm");
  if (menus.empty()) return Fail("no menu window");
  ::PostMessageA(menus.front(), WM_CLOSE, 0, 0);
  if (::WaitForSingleObject(process.get(), 10000) != WAIT_OBJECT_0) {
    ::TerminateProcess(process.get(), 99);
    return Fail("the player did not end after its window was closed");
  }
  DWORD code = 1;
  ::GetExitCodeProcess(process.get(), &code);
  if (code != 0) return Fail("the player ended with code " + std::to_string(code));
  return 0;
}

HWND MenuWindow(DWORD pid) {
  const auto menus = TopWindows(pid, "TAutoRunForm");
  return menus.empty() ? nullptr : menus.front();
}

int Start(const std::string& exe) {
  PROCESS_INFORMATION pi{};
  if (!StartPlayer(exe, pi)) return Fail("cannot start " + exe);
  UniqueKernelHandle process(pi.hProcess);
  UniqueKernelHandle thread(pi.hThread);
  std::printf("%lu\n", pi.dwProcessId);
  return 0;
}

// Input goes through the system's queue as a user's would, so the player sees the moves, the
// capture and the cursor exactly as from a real mouse.
bool SendMouse(DWORD flags, int screenX, int screenY) {
  INPUT input{};
  input.type = INPUT_MOUSE;
  input.mi.dwFlags = flags;
  if (flags & MOUSEEVENTF_ABSOLUTE) {
    // The inverse of the system's x * 65536 / width, rounded up so that it lands on x exactly.
    const int cx = ::GetSystemMetrics(SM_CXSCREEN), cy = ::GetSystemMetrics(SM_CYSCREEN);
    input.mi.dx = static_cast<LONG>((static_cast<long long>(screenX) * 65536 + cx - 1) / cx);
    input.mi.dy = static_cast<LONG>((static_cast<long long>(screenY) * 65536 + cy - 1) / cy);
  }
  return ::SendInput(1, &input, sizeof input) == 1;
}

// Waits for the player to end by itself, with code 0 and no message box on the way.
int ExpectEnd(HANDLE process, DWORD pid, DWORD timeoutMs) {
  const DWORD start = ::GetTickCount();
  while (::WaitForSingleObject(process, 20) != WAIT_OBJECT_0) {
    if (HWND box = VisibleBox(pid)) {
      const std::string text = MessageBoxText(box);
      ::TerminateProcess(process, 99);
      return Fail("the player showed a message: " + text);
    }
    if (::GetTickCount() - start > timeoutMs) {
      ::TerminateProcess(process, 99);
      return Fail("the player is still running");
    }
  }
  DWORD code = 1;
  ::GetExitCodeProcess(process, &code);
  if (code != 0) return Fail("the player ended with code " + std::to_string(code));
  std::printf("ended after %lu ms\n", ::GetTickCount() - start);
  return 0;
}

UniqueKernelHandle OpenPlayer(DWORD pid) {
  return UniqueKernelHandle(::OpenProcess(SYNCHRONIZE | PROCESS_QUERY_INFORMATION | PROCESS_TERMINATE, FALSE, pid));
}

int Run(const std::string& exe, DWORD timeoutMs) {
  PROCESS_INFORMATION pi{};
  if (!StartPlayer(exe, pi)) return Fail("cannot start " + exe);
  UniqueKernelHandle process(pi.hProcess);
  UniqueKernelHandle thread(pi.hThread);
  return ExpectEnd(process.get(), pi.dwProcessId, timeoutMs);
}

int Mouse(DWORD pid, const std::string& action, int x, int y, DWORD endsMs) {
  // Opened first: a player that ends at this click is gone before anyone could open it later.
  UniqueKernelHandle process = OpenPlayer(pid);
  if (!process) return Fail("no process " + std::to_string(pid));
  HWND menu = MenuWindow(pid);
  if (!menu || !::IsWindowVisible(menu)) return Fail("no visible menu window");
  RECT rc;
  ::GetWindowRect(menu, &rc);
  const int sx = rc.left + x, sy = rc.top + y;
  if (!SendMouse(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE, sx, sy)) return Fail("cannot move the mouse");
  ::Sleep(50);
  POINT at;
  ::GetCursorPos(&at);
  if (at.x != sx || at.y != sy)
    return Fail("the mouse went to " + std::to_string(at.x) + "," + std::to_string(at.y) + " instead of " +
                std::to_string(sx) + "," + std::to_string(sy));
  if ((action == "press" || action == "click") && !SendMouse(MOUSEEVENTF_LEFTDOWN, 0, 0)) return Fail("cannot press");
  if (action == "click") ::Sleep(50);
  if ((action == "release" || action == "click") && !SendMouse(MOUSEEVENTF_LEFTUP, 0, 0)) return Fail("cannot release");
  if (endsMs) return ExpectEnd(process.get(), pid, endsMs);
  // Long enough for the player to repaint before anyone takes a screenshot.
  ::Sleep(300);
  return 0;
}

bool SendKey(WORD key, bool up) {
  INPUT input{};
  input.type = INPUT_KEYBOARD;
  input.ki.wVk = key;
  input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
  return ::SendInput(1, &input, sizeof input) == 1;
}

int Key(DWORD pid, const std::string& name, DWORD endsMs) {
  const struct {
    const char* Name;
    WORD Key;
  } keys[] = {{"tab", VK_TAB},       {"shift+tab", VK_TAB}, {"enter", VK_RETURN}, {"space", VK_SPACE},
              {"escape", VK_ESCAPE}, {"up", VK_UP},         {"down", VK_DOWN},    {"left", VK_LEFT},
              {"right", VK_RIGHT}};
  WORD key = 0;
  for (const auto& k : keys)
    if (name == k.Name) key = k.Key;
  if (!key) return Fail("no key " + name);
  UniqueKernelHandle process = OpenPlayer(pid);
  if (!process) return Fail("no process " + std::to_string(pid));
  HWND menu = MenuWindow(pid);
  if (!menu || !::IsWindowVisible(menu)) return Fail("no visible menu window");
  // The keyboard goes to the window in front, as a user's does.
  if (::GetForegroundWindow() != menu) ::SetForegroundWindow(menu);
  if (!WaitFor([&] { return ::GetForegroundWindow() == menu; }, 2000)) return Fail("the menu window is not in front");
  const bool shift = name == "shift+tab";
  if ((shift && !SendKey(VK_SHIFT, false)) || !SendKey(key, false) || !SendKey(key, true) ||
      (shift && !SendKey(VK_SHIFT, true)))
    return Fail("cannot type " + name);
  if (endsMs) return ExpectEnd(process.get(), pid, endsMs);
  // Long enough for the player to repaint before anyone takes a screenshot.
  ::Sleep(300);
  return 0;
}

int Pointer(int x, int y) {
  return SendMouse(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE, x, y) ? 0 : Fail("cannot move the mouse");
}

int Box(DWORD pid, const std::string& caption, const std::string& text, DWORD timeoutMs, DWORD endsMs) {
  UniqueKernelHandle process = OpenPlayer(pid);
  if (!process) return Fail("no process " + std::to_string(pid));
  HWND box = nullptr;
  const DWORD start = ::GetTickCount();
  while (!(box = VisibleBox(pid))) {
    if (::GetTickCount() - start > timeoutMs) return Fail("no message box");
    if (::WaitForSingleObject(process.get(), 0) == WAIT_OBJECT_0) return Fail("the player ended without a box");
    ::Sleep(20);
  }
  // Let the box finish building its texts.
  ::Sleep(100);
  const std::string gotText = MessageBoxText(box), gotCaption = WindowText(box);
  HWND menu = MenuWindow(pid);
  RECT rc{};
  if (menu) ::GetWindowRect(menu, &rc);
  std::printf("%s %ld %ld\n", menu && ::IsWindowVisible(menu) ? "visible" : "hidden", rc.right - rc.left,
              rc.bottom - rc.top);
  ::PostMessageA(box, WM_COMMAND, IDOK, 0);
  if (gotCaption != caption || gotText != text)
    return Fail("the box says \"" + gotCaption + "\": " + gotText + "; expected \"" + caption + "\": " + text);
  return endsMs ? ExpectEnd(process.get(), pid, endsMs) : 0;
}

int Windows(const std::string& cls) {
  for (HWND hwnd : TopWindows(0, cls))
    if (::IsWindowVisible(hwnd)) std::printf("%p %s\n", static_cast<void*>(hwnd), WindowText(hwnd).c_str());
  return 0;
}

}  // namespace

int main() {
  // Window rectangles and mouse positions in the screen's own pixels, as the player has them.
  corvela::win::DeclarePerMonitorDpiAwareness();
  // The wide command line: folders named in any script arrive whole, not through the code page.
  int argc = 0;
  wchar_t** argv = ::CommandLineToArgvW(::GetCommandLineW(), &argc);
  std::vector<std::string> args;
  for (int i = 1; argv && i < argc; ++i) args.push_back(corvela::win::Utf8(argv[i]));
  if (argv) ::LocalFree(argv);
  if (args.size() == 3 && args[0] == "publish") return Publish(args[1], args[2]);
  if (args.size() == 5 && args[0] == "play")
    return Play(args[1], std::atoi(args[2].c_str()), std::atoi(args[3].c_str()),
                static_cast<DWORD>(std::atoi(args[4].c_str())));
  if (args.size() == 2 && args[0] == "close")
    return Close(static_cast<DWORD>(std::strtoul(args[1].c_str(), nullptr, 10)));
  auto pid = [&] { return static_cast<DWORD>(std::strtoul(args[1].c_str(), nullptr, 10)); };
  auto ms = [&](size_t i) { return i < args.size() ? static_cast<DWORD>(std::atoi(args[i].c_str())) : DWORD{0}; };
  if (args.size() == 2 && args[0] == "start") return Start(args[1]);
  if (args.size() == 3 && args[0] == "run") return Run(args[1], ms(2));
  if (args.size() == 2 && args[0] == "windows") return Windows(args[1]);
  if ((args.size() == 5 || args.size() == 6) && args[0] == "mouse")
    return Mouse(pid(), args[2], std::atoi(args[3].c_str()), std::atoi(args[4].c_str()), ms(5));
  if ((args.size() == 5 || args.size() == 6) && args[0] == "box") return Box(pid(), args[2], args[3], ms(4), ms(5));
  if ((args.size() == 3 || args.size() == 4) && args[0] == "key") return Key(pid(), args[2], ms(3));
  if (args.size() == 3 && args[0] == "pointer") return Pointer(std::atoi(args[1].c_str()), std::atoi(args[2].c_str()));
  return Fail(
      "usage: publish DESIGNER_EXE CD | play EXE W H TIMEOUT_MS | close PID | start EXE |"
      " run EXE TIMEOUT_MS | mouse PID move|press|release|click X Y [ENDS_MS] |"
      " key PID NAME [ENDS_MS] | pointer X Y | box PID CAPTION TEXT TIMEOUT_MS [ENDS_MS] | windows CLASS");
}
