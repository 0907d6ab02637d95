#include "support/win/WinProcess.h"

#include <cstdio>
#include <iterator>
#include <memory>

#include "platform/win/WideText.h"

namespace corvela::testing {

using win::Utf8;
using win::Wide;

TempFolder::TempFolder() {
  wchar_t base[MAX_PATH];
  ::GetTempPathW(MAX_PATH, base);
  static int counter = 0;
  for (;;) {
    path_ = Utf8(base) + "corvela-" + std::to_string(::GetCurrentProcessId()) + "-" + std::to_string(++counter);
    if (::CreateDirectoryW(Wide(path_).c_str(), nullptr)) break;
  }
}

namespace {
// Wide names throughout: a test may leave files named in any script.
void RemoveTree(const std::wstring& path) {
  WIN32_FIND_DATAW data;
  HANDLE find = ::FindFirstFileW((path + L"\\*").c_str(), &data);
  if (find != INVALID_HANDLE_VALUE) {
    do {
      const std::wstring name = data.cFileName;
      if (name == L"." || name == L"..") continue;
      const std::wstring full = path + L"\\" + name;
      if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
        RemoveTree(full);
      } else {
        ::SetFileAttributesW(full.c_str(), FILE_ATTRIBUTE_NORMAL);
        ::DeleteFileW(full.c_str());
      }
    } while (::FindNextFileW(find, &data));
    ::FindClose(find);
  }
  ::RemoveDirectoryW(path.c_str());
}

struct FileCloser {
  void operator()(FILE* file) const { std::fclose(file); }
};
using UniqueStdFile = std::unique_ptr<FILE, FileCloser>;
}  // namespace

TempFolder::~TempFolder() {
  RemoveTree(Wide(path_));
}

bool WriteBytes(const std::string& path, const std::string& bytes) {
  UniqueStdFile out(::_wfopen(Wide(path).c_str(), L"wb"));
  return out && std::fwrite(bytes.data(), 1, bytes.size(), out.get()) == bytes.size() && std::fflush(out.get()) == 0;
}

std::string ReadBytes(const std::string& path) {
  UniqueStdFile in(::_wfopen(Wide(path).c_str(), L"rb"));
  std::string bytes;
  if (!in) return bytes;
  char buffer[65536];
  for (size_t n; (n = std::fread(buffer, 1, sizeof buffer, in.get())) > 0;) bytes.append(buffer, n);
  return bytes;
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
  return ::CopyFileW(Wide(ExeFolder() + "\\" + name).c_str(), Wide(to).c_str(), FALSE) != FALSE;
}

std::string WindowText(HWND hwnd) {
  return win::WindowTextUtf8(hwnd);
}

std::string ClassName(HWND hwnd) {
  wchar_t name[256] = {};
  ::GetClassNameW(hwnd, name, static_cast<int>(std::size(name)));
  return Utf8(name);
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

HWND FirstVisibleEdit(HWND parent) {
  HWND found = nullptr;
  ::EnumChildWindows(
      parent,
      [](HWND child, LPARAM out) -> BOOL {
        if (ClassName(child) != "Edit" || !::IsWindowVisible(child)) return TRUE;
        *reinterpret_cast<HWND*>(out) = child;
        return FALSE;
      },
      reinterpret_cast<LPARAM>(&found));
  return found;
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
  std::wstring commandLine = Wide("\"" + exePath + "\"" + (args.empty() ? "" : " " + args));
  STARTUPINFOW si{};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi{};
  if (::CreateProcessW(Wide(exePath).c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si,
                       &pi)) {
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

HWND WaitForDialogOf(DWORD pid, const std::string& caption, DWORD timeoutMs) {
  HWND found = nullptr;
  WaitFor(
      [&] {
        for (HWND box : TopWindows(pid, "#32770"))
          if (::IsWindowVisible(box) && WindowText(box) == caption) found = box;
        return found != nullptr;
      },
      timeoutMs);
  return found;
}

HWND ChildProcess::WaitForDialog(const std::string& caption, DWORD timeoutMs) const {
  return WaitForDialogOf(id_, caption, timeoutMs);
}

DialogScript::DialogScript(const std::string& caption, std::function<void(HWND)> script, DWORD patienceMs)
    : thread_([this, caption, script, patienceMs] {
        HWND dialog = WaitForDialogOf(::GetCurrentProcessId(), caption, 5000);
        found_ = dialog != nullptr;
        if (dialog) script(dialog);
        for (DWORD waited = 0; waited < patienceMs && !finished_; waited += 100) ::Sleep(100);
        // Whatever shows instead (another chooser, a message) is cancelled as well.
        while (!finished_) {
          for (HWND box : TopWindows(::GetCurrentProcessId(), "#32770"))
            if (::IsWindowVisible(box)) ::PostMessageW(box, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
          ::Sleep(200);
        }
      }) {}

void DialogScript::Finish() {
  finished_ = true;
  if (thread_.joinable()) thread_.join();
}

void MessagePump::For(DWORD ms) {
  const DWORD start = ::GetTickCount();
  do {
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      if (msg.message == WM_QUIT) QuitSeen = true;
      ::TranslateMessage(&msg);
      ::DispatchMessageW(&msg);
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
