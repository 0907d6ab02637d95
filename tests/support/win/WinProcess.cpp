#include "support/win/WinProcess.h"

#include <fstream>
#include <sstream>

namespace corvela::testing {

TempFolder::TempFolder() {
  char base[MAX_PATH];
  ::GetTempPathA(MAX_PATH, base);
  static int counter = 0;
  for (;;) {
    path_ = std::string(base) + "corvela-" + std::to_string(::GetCurrentProcessId()) + "-" + std::to_string(++counter);
    if (::CreateDirectoryA(path_.c_str(), nullptr)) break;
  }
}

namespace {
void RemoveTree(const std::string& path) {
  WIN32_FIND_DATAA data;
  HANDLE find = ::FindFirstFileA((path + "\\*").c_str(), &data);
  if (find != INVALID_HANDLE_VALUE) {
    do {
      std::string name = data.cFileName;
      if (name == "." || name == "..") continue;
      std::string full = path + "\\" + name;
      if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
        RemoveTree(full);
      } else {
        ::SetFileAttributesA(full.c_str(), FILE_ATTRIBUTE_NORMAL);
        ::DeleteFileA(full.c_str());
      }
    } while (::FindNextFileA(find, &data));
    ::FindClose(find);
  }
  ::RemoveDirectoryA(path.c_str());
}
}  // namespace

TempFolder::~TempFolder() {
  RemoveTree(path_);
}

bool WriteBytes(const std::string& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  return static_cast<bool>(out);
}

std::string ReadBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

std::string ExeFolder() {
  std::string dir = CORVELA_EXE_DIR;
  // CMake hands a Unix path; Wine maps the root to drive Z:.
  if (!dir.empty() && dir[0] == '/') {
    for (char& c : dir)
      if (c == '/') c = '\\';
    dir = "Z:" + dir;
  }
  return dir;
}

bool CopyFromExeFolder(const std::string& name, const std::string& to) {
  return ::CopyFileA((ExeFolder() + "\\" + name).c_str(), to.c_str(), FALSE) != FALSE;
}

std::string WindowText(HWND hwnd) {
  char text[1024] = {};
  ::GetWindowTextA(hwnd, text, sizeof text);
  return text;
}

std::string ClassName(HWND hwnd) {
  char name[256] = {};
  ::GetClassNameA(hwnd, name, sizeof name);
  return name;
}

std::string MessageBoxText(HWND box) {
  std::string text;
  for (HWND child = ::GetWindow(box, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
    if (ClassName(child) != "Static") continue;
    std::string part = WindowText(child);
    if (part.empty()) continue;
    if (!text.empty()) text += "\n";
    text += part;
  }
  return text;
}

std::vector<HWND> TopWindows(DWORD pid, const std::string& className) {
  struct Search {
    DWORD Pid;
    const std::string& Class;
    std::vector<HWND> Found;
  } search{pid, className, {}};
  ::EnumWindows(
      [](HWND hwnd, LPARAM lp) -> BOOL {
        auto* s = reinterpret_cast<Search*>(lp);
        DWORD owner = 0;
        ::GetWindowThreadProcessId(hwnd, &owner);
        if ((s->Pid == 0 || owner == s->Pid) && ClassName(hwnd) == s->Class) s->Found.push_back(hwnd);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.Found;
}

bool WaitFor(const std::function<bool()>& done, DWORD timeoutMs) {
  const DWORD start = ::GetTickCount();
  while (!done()) {
    if (::GetTickCount() - start > timeoutMs) return false;
    ::Sleep(20);
  }
  return true;
}

ChildProcess::ChildProcess(const std::string& exePath, const std::string& args) {
  std::string commandLine = "\"" + exePath + "\"" + (args.empty() ? "" : " " + args);
  STARTUPINFOA si{};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi{};
  if (::CreateProcessA(exePath.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) {
    process_.reset(pi.hProcess);
    ::CloseHandle(pi.hThread);
    id_ = pi.dwProcessId;
  }
}

ChildProcess::~ChildProcess() {
  if (process_ && ::WaitForSingleObject(process_.get(), 0) == WAIT_TIMEOUT) {
    ::TerminateProcess(process_.get(), 99);
    ::WaitForSingleObject(process_.get(), 5000);
  }
}

bool ChildProcess::WaitForExit(DWORD timeoutMs, DWORD* exitCode) {
  if (!process_ || ::WaitForSingleObject(process_.get(), timeoutMs) != WAIT_OBJECT_0) return false;
  if (exitCode) ::GetExitCodeProcess(process_.get(), exitCode);
  return true;
}

HWND ChildProcess::WaitForWindow(const char* className, DWORD timeoutMs) const {
  HWND found = nullptr;
  WaitFor(
      [&] {
        const auto windows = Windows(className);
        found = windows.empty() ? nullptr : windows.front();
        return found != nullptr;
      },
      timeoutMs);
  return found;
}

HWND ChildProcess::WaitForDialog(const std::string& caption, DWORD timeoutMs) const {
  HWND found = nullptr;
  WaitFor(
      [&] {
        for (HWND box : Windows("#32770"))
          if (::IsWindowVisible(box) && WindowText(box) == caption) found = box;
        return found != nullptr;
      },
      timeoutMs);
  return found;
}

void MessagePump::For(DWORD ms) {
  const DWORD start = ::GetTickCount();
  do {
    MSG msg;
    while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
      if (msg.message == WM_QUIT) QuitSeen = true;
      ::TranslateMessage(&msg);
      ::DispatchMessageA(&msg);
    }
    ::Sleep(5);
  } while (::GetTickCount() - start < ms);
}

bool MessagePump::Until(const std::function<bool()>& done, DWORD timeoutMs) {
  const DWORD start = ::GetTickCount();
  while (!done()) {
    if (::GetTickCount() - start > timeoutMs) return false;
    For(10);
  }
  return true;
}

BoxAnswerer::BoxAnswerer()
    : thread_([this] {
        while (!stop_) {
          for (HWND box : TopWindows(::GetCurrentProcessId(), "#32770")) {
            if (!::IsWindowVisible(box) || !answered_.insert(box).second) continue;
            {
              std::lock_guard<std::mutex> lock(mutex_);
              boxes_.push_back(WindowText(box) + ": " + MessageBoxText(box));
            }
            ::PostMessageA(box, WM_COMMAND, IDOK, 0);
          }
          ::Sleep(50);
        }
      }) {}

BoxAnswerer::~BoxAnswerer() {
  stop_ = true;
  thread_.join();
}

std::vector<std::string> BoxAnswerer::Boxes() {
  std::lock_guard<std::mutex> lock(mutex_);
  return boxes_;
}

}  // namespace corvela::testing
