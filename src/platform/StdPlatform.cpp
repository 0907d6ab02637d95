#include "platform/StdPlatform.h"

#ifndef _WIN32
#include <locale.h>
#include <wctype.h>
#endif

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <iostream>
#include <memory>

#include "platform/Graphic.h"
#include "platform/PathNames.h"
#include "platform/SafeSave.h"
#include "platform/TextLines.h"
#include "platform/Utf8.h"

namespace corvela {

namespace {

namespace fs = std::filesystem;

// Paths are UTF-8 here as everywhere in the core; on Windows a narrow path would be read in the
// ANSI code page, which cannot name a folder in another script.
fs::path P(const std::string& path) { return fs::u8path(path); }

struct FileCloser {
  void operator()(std::FILE* file) const { std::fclose(file); }
};
using FilePtr = std::unique_ptr<std::FILE, FileCloser>;

std::FILE* OpenFile(const std::string& path, const char* mode) {
#ifdef _WIN32
  const std::wstring wideMode(mode, mode + std::strlen(mode));
  return ::_wfopen(P(path).c_str(), wideMode.c_str());
#else
  return std::fopen(path.c_str(), mode);
#endif
}

std::string Describe(const std::string& what, const std::string& path, int err) {
  return what + " \"" + path + "\". " + std::strerror(err);
}

// Creates or truncates path and writes bytes; 0 or the errno of the failure.
int WriteWhole(const std::string& path, const std::string& bytes) {
  FilePtr file(OpenFile(path, "wb"));
  if (!file) return errno ? errno : EIO;
  if (std::fwrite(bytes.data(), 1, bytes.size(), file.get()) != bytes.size() || std::fflush(file.get()) != 0)
    return errno ? errno : EIO;
  if (std::fclose(file.release()) != 0) return errno ? errno : EIO;
  return 0;
}

}  // namespace

bool StdFileSystem::FileExists(const std::string& path) {
  std::error_code ec;
  return fs::exists(P(path), ec) && !fs::is_directory(P(path), ec);
}

bool StdFileSystem::DirectoryExists(const std::string& path) {
  std::error_code ec;
  return fs::is_directory(P(path), ec);
}

bool StdFileSystem::ReadFile(const std::string& path, std::string& bytes, std::string& error) {
  FilePtr file(OpenFile(path, "rb"));
  if (!file) {
    error = Describe("Cannot open file", path, errno);
    return false;
  }
  std::string content;
  char buffer[1 << 16];
  size_t got = 0;
  while ((got = std::fread(buffer, 1, sizeof buffer, file.get())) > 0) content.append(buffer, got);
  if (std::ferror(file.get())) {
    error = Describe("Cannot read file", path, errno);
    return false;
  }
  bytes = std::move(content);
  return true;
}

bool StdFileSystem::ReadTextFile(const std::string& path, std::string& text, std::string& error) {
  if (!ReadFile(path, text, error)) return false;
  DropUtf8Mark(text);
  return true;
}

bool StdFileSystem::WriteFile(const std::string& path, const std::string& bytes, std::string& error) {
  if (int err = WriteWhole(path, bytes)) {
    error = Describe("Cannot create file", path, err);
    return false;
  }
  return true;
}

namespace {
class StdSaveSteps : public SafeSaveSteps {
 public:
  std::optional<std::string> CheckReplaceable(const std::string& path) override {
    std::error_code ec;
    const fs::file_status status = fs::status(P(path), ec);
    if (ec || !fs::exists(status)) return std::nullopt;
    const bool writable = (status.permissions() & fs::perms::owner_write) != fs::perms::none;
    if (fs::is_directory(status) || !writable) return Describe("Cannot create file", path, EACCES);
    return std::nullopt;
  }
  std::optional<std::string> WriteTemporary(const std::string& temp, const std::string& path,
                                            const std::string& bytes) override {
    if (int err = WriteWhole(temp, bytes)) return Describe("Cannot create file", path, err);
    return std::nullopt;
  }
  std::optional<std::string> Replace(const std::string& temp, const std::string& path) override {
    std::error_code ec;
    fs::rename(P(temp), P(path), ec);
    if (ec) return "Cannot create file \"" + path + "\". " + ec.message();
    return std::nullopt;
  }
  void Remove(const std::string& temp) override {
    std::error_code ignored;
    fs::remove(P(temp), ignored);
  }
};
}  // namespace

bool StdFileSystem::SaveFileSafely(const std::string& path, const std::string& bytes, std::string& error) {
  StdSaveSteps steps;
  return SaveSafely(steps, path, bytes, error);
}

bool StdFileSystem::CopyOneFile(const std::string& from, const std::string& to) {
  std::error_code ec;
  return fs::copy_file(P(from), P(to), fs::copy_options::overwrite_existing, ec) && !ec;
}

bool StdFileSystem::RemoveFile(const std::string& path) {
  std::error_code ec;
  fs::remove(P(path), ec);
  return !ec && !FileExists(path);
}

bool StdFileSystem::RemoveFolder(const std::string& path) {
  std::error_code ec;
  fs::remove(P(path), ec);
  return !DirectoryExists(path);
}

bool StdFileSystem::ListFolder(const std::string& path, std::vector<FolderEntry>& entries) {
  std::error_code ec;
  fs::directory_iterator it(P(path), ec), end;
  if (ec) return false;
  entries.clear();
  for (; it != end; it.increment(ec)) {
    if (ec) return false;
    FolderEntry entry;
    entry.Name = it->path().filename().u8string();
    std::error_code statusError;
    entry.IsFolder = it->is_directory(statusError);
    entry.IsLink = it->is_symlink(statusError);
    if (!entry.IsFolder) {
      const uintmax_t size = it->file_size(statusError);
      entry.Size = statusError ? 0 : static_cast<uint64_t>(size);
    }
    entries.push_back(std::move(entry));
  }
  return !ec;
}

bool StdFileSystem::CanWriteFile(const std::string& path) {
  if (!FileExists(path)) return false;
  FilePtr file(OpenFile(path, "r+b"));
  return file != nullptr;
}

bool StdFileSystem::CreateFolder(const std::string& path) {
  std::error_code ec;
  fs::create_directory(P(path), ec);
  return DirectoryExists(path);
}

std::string StdFileSystem::UserSettingsFolder() {
  const char* folder = std::getenv("APPDATA");
  return folder ? folder : "";
}

std::string StdFileSystem::DocumentsFolder() {
  const char* home = std::getenv("HOME");
  if (!home || !*home) return {};
  const std::string documents = std::string(home) + "/Documents";
  return DirectoryExists(documents) ? documents : std::string();
}

bool StdFileSystem::CanCreateFileIn(const std::string& folder) {
  // A name of its own, removed again; a file of that name is never touched.
  const std::string probe = folder + "/.corvela-probe-" + std::to_string(SteadyClock().TickCount());
  if (FileExists(probe)) return false;
  FilePtr file(OpenFile(probe, "wb"));
  if (!file) return false;
  file.reset();
  std::error_code ignored;
  fs::remove(P(probe), ignored);
  return true;
}

std::string StdFileSystem::FoldedName(const std::string& name) { return FoldNameCase(name); }

std::string FoldNameCase(const std::string& name) {
#ifdef _WIN32
  return UpperAscii(name);
#else
  // Made once and never freed: the mapping is the same for the whole run, and a locale object of
  // its own leaves the process's locale alone.
  static const locale_t utf8 = ::newlocale(LC_CTYPE_MASK, "C.UTF-8", static_cast<locale_t>(0));
  if (!utf8) return UpperAscii(name);
  std::string folded;
  folded.reserve(name.size());
  for (size_t pos = 0; pos < name.size();) {
    const size_t start = pos;
    const uint32_t c = DecodeUtf8(name, pos);
    if (c == kNotUtf8)
      folded += name[start];
    else
      AppendUtf8(folded, static_cast<uint32_t>(::towupper_l(static_cast<wint_t>(c), utf8)));
  }
  return folded;
#endif
}

MessageResult StderrUserInterface::AskUser(const std::string& text, const std::string&, MessageIcon,
                                           MessageButtons buttons) {
  std::cerr << prefix_ << text << '\n';
  switch (buttons) {
    case MessageButtons::Ok:
      return MessageResult::Ok;
    case MessageButtons::YesNoCancel:
      return MessageResult::Cancel;
    case MessageButtons::YesNo:
    case MessageButtons::YesNoDefaultNo:
      return MessageResult::No;
  }
  return MessageResult::Ok;
}

std::unique_ptr<Graphic> NullGraphicLoader::LoadGlyphBitmap(const std::string&) {
  return nullptr;
}
std::unique_ptr<Graphic> NullGraphicLoader::LoadPicture(const std::string&) {
  return nullptr;
}

uint32_t SteadyClock::TickCount() {
  const auto ms =
      std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now().time_since_epoch());
  return static_cast<uint32_t>(ms.count());
}

}  // namespace corvela
