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

TempFolder::~TempFolder() { RemoveTree(path_); }

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

std::vector<HWND> ChildProcess::Windows(const char* className) const {
  struct Search {
    DWORD pid;
    const char* cls;
    std::vector<HWND> found;
  } search{id_, className, {}};
  ::EnumWindows(
      [](HWND hwnd, LPARAM lp) -> BOOL {
        auto* s = reinterpret_cast<Search*>(lp);
        DWORD pid = 0;
        ::GetWindowThreadProcessId(hwnd, &pid);
        if (pid == s->pid && ClassName(hwnd) == s->cls) s->found.push_back(hwnd);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.found;
}

HWND ChildProcess::WaitForWindow(const char* className, DWORD timeoutMs) const {
  DWORD start = ::GetTickCount();
  do {
    auto found = Windows(className);
    if (!found.empty()) return found.front();
    ::Sleep(20);
  } while (::GetTickCount() - start < timeoutMs);
  return nullptr;
}

HWND ChildProcess::WaitForDialog(const std::string& caption, DWORD timeoutMs) const {
  DWORD start = ::GetTickCount();
  do {
    for (HWND box : Windows("#32770"))
      if (::IsWindowVisible(box) && WindowText(box) == caption) return box;
    ::Sleep(20);
  } while (::GetTickCount() - start < timeoutMs);
  return nullptr;
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

std::string WindowText(HWND hwnd) {
  char text[512] = {};
  ::GetWindowTextA(hwnd, text, sizeof text);
  return text;
}

std::string ClassName(HWND hwnd) {
  char name[256] = {};
  ::GetClassNameA(hwnd, name, sizeof name);
  return name;
}

}  // namespace corvela::testing
