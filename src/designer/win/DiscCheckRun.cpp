#include "designer/win/DiscCheckRun.h"

#include <exception>

#include "platform/win/Win32CodePages.h"
#include "platform/win/Win32FileSystem.h"

namespace corvela::win {

DiscCheckRun::DiscCheckRun(std::string cdFolder, MenuSnapshot menu, FileSystem* files)
    : cdFolder_(std::move(cdFolder)), menu_(std::move(menu)), files_(files) {
  thread_.reset(::CreateThread(nullptr, 0, &DiscCheckRun::ThreadStart, this, 0, nullptr));
  if (!thread_) Work();
}

DiscCheckRun::~DiscCheckRun() {
  if (!thread_) return;
  cancel_ = true;
  ::WaitForSingleObject(thread_.get(), INFINITE);
}

bool DiscCheckRun::WaitFor(DWORD milliseconds) {
  if (thread_ && !ended_) ::WaitForSingleObject(thread_.get(), milliseconds);
  return ended_;
}

DiscCheckProgress DiscCheckRun::Progress() const {
  DiscCheckProgress progress;
  progress.Now = static_cast<DiscCheckProgress::Step>(step_.load());
  progress.Files = fileCount_;
  progress.Folders = folderCount_;
  return progress;
}

DWORD WINAPI DiscCheckRun::ThreadStart(void* self) {
  static_cast<DiscCheckRun*>(self)->Work();
  return 0;
}

void DiscCheckRun::Work() {
  Win32FileSystem own;
  FileSystem& files = files_ ? *files_ : own;
  Win32CodePages codes;
  DiscCheckRequest request;
  request.CdFolder = cdFolder_;
  request.Codes = &codes;
  request.Menu = &menu_;
  request.Progress = [this](const DiscCheckProgress& progress) {
    step_ = static_cast<int>(progress.Now);
    fileCount_ = progress.Files;
    folderCount_ = progress.Folders;
    return !cancel_;
  };
  try {
    result_ = RunDiscCheck(files, request);
  } catch (const std::exception& e) {
    // Out of memory on a folder too large, most likely: said as a finding, not lost.
    std::vector<Finding> findings;
    AddFinding(findings, Severity::Error, kDiscOwner, "", std::string("The check stopped: ") + e.what());
    result_ = std::move(findings);
  }
  ended_ = true;
}

}  // namespace corvela::win
