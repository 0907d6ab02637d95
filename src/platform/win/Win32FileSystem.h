#pragma once
// Files through the Win32 API: UTF-8 paths to the wide-character functions, so that a name in any
// script works, with the platform's own error texts.

#include <string>
#include <vector>

#include "platform/Platform.h"

namespace corvela::win {

class Win32FileSystem : public FileSystem {
 public:
  bool FileExists(const std::string& path) override;
  bool DirectoryExists(const std::string& path) override;
  bool ReadFile(const std::string& path, std::string& bytes, std::string& error) override;
  bool ReadTextFile(const std::string& path, std::string& text, std::string& error) override;
  bool WriteFile(const std::string& path, const std::string& bytes, std::string& error) override;
  bool SaveFileSafely(const std::string& path, const std::string& bytes, std::string& error) override;
  bool CopyOneFile(const std::string& from, const std::string& to) override;
  bool RemoveFile(const std::string& path) override;
  bool RemoveFolder(const std::string& path) override;
  bool ListFolder(const std::string& path, std::vector<FolderEntry>& entries) override;
  bool CanWriteFile(const std::string& path) override;
  bool CreateFolder(const std::string& path) override;
  std::string UserSettingsFolder() override;
  std::string DocumentsFolder() override;
  bool CanCreateFileIn(const std::string& folder) override;
  // Windows' own upper case of file names, as it compares them.
  std::string FoldedName(const std::string& name) override;
};

// Moves from onto to, replacing a file there in one step; empty when done, otherwise the
// system's reason.
std::string MoveFileReplacing(const std::wstring& from, const std::wstring& to);

// The system's text for an error code, without the trailing line break.
std::string SystemErrorText(unsigned long code);

// The names a multimedia reader (MCI, the AVI file library, the animation control) is offered
// for a file, in turn: its own, then its short name when that differs. Those readers open files
// through the multimedia I/O, which on some systems (Wine) takes a wide name through the 8-bit
// code page and so loses a name in another script; the short name is plain ASCII.
std::vector<std::wstring> MultimediaNames(const std::string& path);

}  // namespace corvela::win
