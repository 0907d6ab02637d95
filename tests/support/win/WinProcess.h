#pragma once
// Processes, windows and message loops for tests under Wine: temp folders, copies of the real exe,
// finding windows, pumping messages and answering message boxes from a second thread. Paths and
// window texts are UTF-8, as the product's.

#include <windows.h>

#include <atomic>
#include <functional>
#include <mutex>
#include <set>
#include <string>
#include <thread>
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
// Copies a file of ExeFolder() to the path.
bool CopyFromExeFolder(const std::string& name, const std::string& to);

std::string WindowText(HWND hwnd);
std::string ClassName(HWND hwnd);
// The message text of a message box: its static text children joined by newlines.
std::string MessageBoxText(HWND box);
// Top-level windows of the process (of any process for 0) with the class name, visible or not.
std::vector<HWND> TopWindows(DWORD pid, const std::string& className);
// The first visible edit box inside a window, however deep (a chooser's name or path box), or null.
HWND FirstVisibleEdit(HWND parent);

// Polls done() every 20 ms without pumping messages; true once it holds within timeoutMs.
bool WaitFor(const std::function<bool()>& done, DWORD timeoutMs);
// Waits for a visible dialog box (#32770) of the process with the caption; null when none came.
HWND WaitForDialogOf(DWORD pid, const std::string& caption, DWORD timeoutMs);

// Runs script on a helper thread once this process shows the dialog with the caption. Once the
// script is done and patienceMs have passed without Finish(), every dialog left open is
// cancelled until Finish(), so that a failure ends the modal loop instead of hanging the test.
class DialogScript {
 public:
  DialogScript(const std::string& caption, std::function<void(HWND)> script, DWORD patienceMs = 15000);
  ~DialogScript() { Finish(); }
  DialogScript(const DialogScript&) = delete;
  DialogScript& operator=(const DialogScript&) = delete;
  void Finish();
  bool Found() const { return found_; }

 private:
  std::atomic<bool> finished_{false};
  std::atomic<bool> found_{false};
  std::thread thread_;
};

// A started process, terminated if it still runs when the object goes.
class ChildProcess {
 public:
  explicit ChildProcess(const std::string& exePath, const std::string& args = "");
  ~ChildProcess();
  bool Started() const { return static_cast<bool>(process_); }
  DWORD Id() const { return id_; }
  // Waits for the process to end; true when it ended within timeoutMs.
  bool WaitForExit(DWORD timeoutMs, DWORD* exitCode = nullptr);
  // Waits until the process has handled what it was given and waits for input.
  bool WaitForIdle(DWORD timeoutMs) const { return process_ && ::WaitForInputIdle(process_.get(), timeoutMs) == 0; }
  // Waits for a top-level window of this process with the class name, visible or not.
  HWND WaitForWindow(const char* className, DWORD timeoutMs) const;
  std::vector<HWND> Windows(const char* className) const { return TopWindows(id_, className); }
  // Waits for a visible dialog box (#32770) of this process with the caption.
  HWND WaitForDialog(const std::string& caption, DWORD timeoutMs) const;

 private:
  corvela::win::UniqueKernelHandle process_;
  DWORD id_ = 0;
};

// Dispatches this thread's messages and notes whether a WM_QUIT came by.
class MessagePump {
 public:
  void For(DWORD ms);
  // Pumps until done() holds; false when it did not within timeoutMs.
  bool Until(const std::function<bool()>& done, DWORD timeoutMs);
  bool QuitSeen = false;
};

// Answers every message box of this process with OK from a second thread and keeps
// "caption: text" of each, so that a box fails a test instead of hanging it.
class BoxAnswerer {
 public:
  BoxAnswerer();
  ~BoxAnswerer();
  std::vector<std::string> Boxes();

 private:
  std::atomic<bool> stop_{false};
  std::set<HWND> answered_;
  std::mutex mutex_;
  std::vector<std::string> boxes_;
  std::thread thread_;
};

}  // namespace corvela::testing
