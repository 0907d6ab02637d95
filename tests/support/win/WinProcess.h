#pragma once
// Starting copies of the real exe and finding their windows, for tests under Wine.

#include <windows.h>

#include <string>
#include <vector>

#include "platform/win/Handles.h"

namespace corvela::testing {

// A folder under %TEMP% removed with everything in it when the object goes.
class TempFolder {
 public:
  TempFolder();
  ~TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;
  const std::string& Path() const { return path_; }
  std::string operator/(const std::string& name) const { return path_ + "\\" + name; }

 private:
  std::string path_;
};

bool WriteBytes(const std::string& path, const std::string& bytes);
std::string ReadBytes(const std::string& path);
// The folder that holds the built Corvela.exe and its data files.
std::string ExeFolder();

// A started process, terminated if it still runs when the object goes.
class ChildProcess {
 public:
  explicit ChildProcess(const std::string& exePath, const std::string& args = "");
  ~ChildProcess();
  bool Started() const { return static_cast<bool>(process_); }
  DWORD Id() const { return id_; }
  // Waits for the process to end; true when it ended within timeoutMs.
  bool WaitForExit(DWORD timeoutMs, DWORD* exitCode = nullptr);
  // Waits for a top-level window of this process with the class name, visible or not.
  HWND WaitForWindow(const char* className, DWORD timeoutMs) const;
  // All top-level windows of this process with the class name.
  std::vector<HWND> Windows(const char* className) const;
  // Waits for a visible dialog box (#32770) of this process with the caption.
  HWND WaitForDialog(const std::string& caption, DWORD timeoutMs) const;

 private:
  corvela::win::UniqueKernelHandle process_;
  DWORD id_ = 0;
};

std::string WindowText(HWND hwnd);
// The message text of a message box: its static text children joined.
std::string MessageBoxText(HWND box);
std::string ClassName(HWND hwnd);

}  // namespace corvela::testing
