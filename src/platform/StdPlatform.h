#pragma once
// Platform services from the C++ standard library alone, for programs without a window: the mnx
// tool, the fuzzer and the benchmarks. Paths are passed to the C library as they are.

#include <cstdint>
#include <string>

#include "platform/Platform.h"
#include "platform/TableCodePages.h"

namespace corvela {

class StdFileSystem : public FileSystem {
 public:
  bool FileExists(const std::string& path) override;
  bool DirectoryExists(const std::string& path) override;
  bool ReadFile(const std::string& path, std::string& bytes, std::string& error) override;
  // The systems these programs run on keep their text in UTF-8.
  bool ReadTextFile(const std::string& path, std::string& text, std::string& error) override;
  bool WriteFile(const std::string& path, const std::string& bytes, std::string& error) override;
  // The safe save's steps with the standard library.
  bool SaveFileSafely(const std::string& path, const std::string& bytes, std::string& error) override;
  bool CopyOneFile(const std::string& from, const std::string& to) override;
  bool RemoveFile(const std::string& path) override;
  bool RemoveFolder(const std::string& path) override;
  bool ListFolder(const std::string& path, std::vector<FolderEntry>& entries) override;
  bool CanWriteFile(const std::string& path) override;
  bool CreateFolder(const std::string& path) override;
  std::string UserSettingsFolder() override;
  // $HOME/Documents when it is there.
  std::string DocumentsFolder() override;
  bool CanCreateFileIn(const std::string& folder) override;
  // FoldNameCase: the simple upper case of the C library.
  std::string FoldedName(const std::string& name) override;
};

// Each character of UTF-8 text in its simple upper case, as the C library's UTF-8 locale maps it
// (ASCII alone where there is none); bytes that are not UTF-8 stay as they are. Natively this
// stands in for Windows' own mapping of file names.
std::string FoldNameCase(const std::string& name);

// Prints every message as one line on stderr and answers questions with Cancel (or No), so that
// nothing is done on the user's behalf.
class StderrUserInterface : public UserInterface {
 public:
  explicit StderrUserInterface(std::string prefix = {}) : prefix_(std::move(prefix)) {}
  MessageResult AskUser(const std::string& text, const std::string& caption, MessageIcon icon,
                        MessageButtons buttons) override;
  std::string ApplicationTitle() override { return "Corvela"; }

 private:
  std::string prefix_;
};

// A screen of a fixed size; without a display, windows are centred on it.
class FixedScreen : public Screen {
 public:
  FixedScreen(int32_t width = 1024, int32_t height = 768) : width_(width), height_(height) {}
  int32_t Width() override { return width_; }
  int32_t Height() override { return height_; }

 private:
  int32_t width_;
  int32_t height_;
};

// Milliseconds of the monotonic clock, wrapping at 2^32 like the system's tick count.
class SteadyClock : public Clock {
 public:
  uint32_t TickCount() override;
};

// Decodes nothing: programs without a window show no pictures.
class NullGraphicLoader : public GraphicLoader {
 public:
  std::unique_ptr<Graphic> LoadGlyphBitmap(const std::string& path) override;
  std::unique_ptr<Graphic> LoadPicture(const std::string& path) override;
};

// All of the above, wired into one Platform (no file chooser), with the code pages from tables
// and codePage (one of 1250 to 1258) as the system's.
struct StdPlatform {
  explicit StdPlatform(std::string messagePrefix = {}, uint32_t codePage = 1252)
      : Ui(std::move(messagePrefix)), Codes(codePage) {
    Env.Files = &Files;
    Env.Ui = &Ui;
    Env.Display = &Display;
    Env.Ticks = &Ticks;
    Env.Graphics = &Graphics;
    Env.Codes = &Codes;
  }
  StdPlatform(const StdPlatform&) = delete;
  StdPlatform& operator=(const StdPlatform&) = delete;

  StdFileSystem Files;
  StderrUserInterface Ui;
  FixedScreen Display;
  SteadyClock Ticks;
  NullGraphicLoader Graphics;
  TableCodePages Codes;
  Platform Env;
};

}  // namespace corvela
