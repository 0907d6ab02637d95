#pragma once
// The disc check on a thread of its own, so that the designer's window stays responsive on a
// folder of a hundred thousand files. It works on a copy of the menu taken before it starts and
// on a file system of its own; the window asks how far it has come and may cancel it.

#include <windows.h>

#include <atomic>
#include <optional>
#include <string>
#include <vector>

#include "platform/win/Handles.h"
#include "project/DiscCheck.h"

namespace corvela::win {

class DiscCheckRun {
 public:
  // Starts at once; when no thread can be started, the check runs here, to its end. files: the
  // file system to read through (a test's), null for the check's own.
  DiscCheckRun(std::string cdFolder, MenuSnapshot menu, FileSystem* files = nullptr);
  // Cancels a check still running and waits for its thread.
  ~DiscCheckRun();
  DiscCheckRun(const DiscCheckRun&) = delete;
  DiscCheckRun& operator=(const DiscCheckRun&) = delete;

  // Waits up to milliseconds for the end; true when the check has ended.
  bool WaitFor(DWORD milliseconds);
  bool Ended() const { return ended_; }
  DiscCheckProgress Progress() const;
  // The check stops at its next progress report.
  void Cancel() { cancel_ = true; }
  // Once ended: the findings, or nothing when it was cancelled.
  const std::optional<std::vector<Finding>>& Result() const { return result_; }
  // The same, moved out: a hundred thousand findings are not copied on the window's thread.
  std::optional<std::vector<Finding>> TakeResult() { return std::move(result_); }

 private:
  static DWORD WINAPI ThreadStart(void* self);
  void Work();

  std::string cdFolder_;
  MenuSnapshot menu_;
  FileSystem* files_;
  std::atomic<bool> cancel_{false};
  std::atomic<bool> ended_{false};
  std::atomic<int> step_{0};
  std::atomic<uint64_t> fileCount_{0};
  std::atomic<uint64_t> folderCount_{0};
  std::optional<std::vector<Finding>> result_;
  UniqueKernelHandle thread_;
};

}  // namespace corvela::win
