#include "platform/win/Win32FileSystem.h"

#include <windows.h>
#include <shlobj.h>

#include <climits>
#include <vector>

#include "platform/SafeSave.h"
#include "platform/TextLines.h"
#include "platform/win/Handles.h"
#include "platform/win/WideText.h"

namespace corvela::win {

std::string SystemErrorText(unsigned long code) {
  wchar_t* buffer = nullptr;
  DWORD n =
      ::FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                       nullptr, code, 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
  std::string text = n && buffer ? Utf8(std::wstring_view(buffer, n)) : "Error " + std::to_string(code) + ".";
  if (buffer) ::LocalFree(buffer);
  while (!text.empty() && (text.back() == '\n' || text.back() == '\r' || text.back() == ' ')) text.pop_back();
  return text;
}

std::vector<std::wstring> MultimediaNames(const std::string& path) {
  std::vector<std::wstring> names{Wide(path)};
  wchar_t shortName[MAX_PATH];
  const DWORD n = ::GetShortPathNameW(names[0].c_str(), shortName, MAX_PATH);
  if (n > 0 && n < MAX_PATH && names[0] != shortName) names.emplace_back(shortName, n);
  return names;
}

namespace {

std::string Failure(const char* what, const std::string& path, DWORD code) {
  return std::string(what) + " \"" + path + "\". " + SystemErrorText(code);
}

bool WriteAll(HANDLE file, const std::string& bytes) {
  size_t done = 0;
  while (done < bytes.size()) {
    DWORD chunk = static_cast<DWORD>(std::min<size_t>(bytes.size() - done, 1u << 30));
    DWORD written = 0;
    if (!::WriteFile(file, bytes.data() + done, chunk, &written, nullptr) || written == 0) return false;
    done += written;
  }
  return true;
}

// Symbolic links and junctions. Other reparse points (cloud placeholders, deduplicated files) are
// plain files and folders to whoever reads them. Wine marks a link made on the Linux side with
// the attribute but no tag.
bool IsLinkReparsePoint(const WIN32_FIND_DATAW& found) {
  if (!(found.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT)) return false;
  const DWORD tag = found.dwReserved0;
  return tag == IO_REPARSE_TAG_SYMLINK || tag == IO_REPARSE_TAG_MOUNT_POINT || tag == 0;
}

// 8-bit text of the system's code page as UTF-8. Text files written before UTF-8 are the one place
// where the system's own code page is the right one.
std::string SystemCodePageToUtf8(const std::string& bytes) {
  if (bytes.empty() || bytes.size() > static_cast<size_t>(INT_MAX)) return {};
  const int length = static_cast<int>(bytes.size());
  const int n = ::MultiByteToWideChar(CP_ACP, 0, bytes.data(), length, nullptr, 0);
  if (n <= 0) return {};
  std::wstring wide(static_cast<size_t>(n), L'\0');
  ::MultiByteToWideChar(CP_ACP, 0, bytes.data(), length, wide.data(), n);
  return Utf8(wide);
}

}  // namespace

bool Win32FileSystem::FileExists(const std::string& path) {
  DWORD attributes = ::GetFileAttributesW(Wide(path).c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool Win32FileSystem::DirectoryExists(const std::string& path) {
  DWORD attributes = ::GetFileAttributesW(Wide(path).c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool Win32FileSystem::ReadFile(const std::string& path, std::string& bytes, std::string& error) {
  UniqueFile file(::CreateFileW(Wide(path).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) {
    error = Failure("Cannot open file", path, ::GetLastError());
    return false;
  }
  LARGE_INTEGER size{};
  if (!::GetFileSizeEx(file.get(), &size)) {
    error = Failure("Cannot read file", path, ::GetLastError());
    return false;
  }
  // Nothing this program reads is near that size; refusing it keeps memory use bounded.
  if (size.QuadPart > (1LL << 31)) {
    error = "Cannot read file \"" + path + "\". The file is too large.";
    return false;
  }
  bytes.assign(static_cast<size_t>(size.QuadPart), '\0');
  size_t done = 0;
  while (done < bytes.size()) {
    DWORD got = 0;
    if (!::ReadFile(file.get(), bytes.data() + done, static_cast<DWORD>(bytes.size() - done), &got, nullptr)) {
      error = Failure("Cannot read file", path, ::GetLastError());
      return false;
    }
    if (got == 0) break;
    done += got;
  }
  bytes.resize(done);
  return true;
}

bool Win32FileSystem::ReadTextFile(const std::string& path, std::string& text, std::string& error) {
  if (!ReadFile(path, text, error)) return false;
  if (!DropUtf8Mark(text)) text = SystemCodePageToUtf8(text);
  return true;
}

bool Win32FileSystem::WriteFile(const std::string& path, const std::string& bytes, std::string& error) {
  UniqueFile file(
      ::CreateFileW(Wide(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) {
    error = Failure("Cannot create file", path, ::GetLastError());
    return false;
  }
  if (!WriteAll(file.get(), bytes)) {
    error = Failure("Cannot write file", path, ::GetLastError());
    return false;
  }
  return true;
}

namespace {
class Win32SaveSteps : public SafeSaveSteps {
 public:
  std::optional<std::string> CheckReplaceable(const std::string& path) override {
    const DWORD attributes = ::GetFileAttributesW(Wide(path).c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY)))
      return Failure("Cannot create file", path, ERROR_ACCESS_DENIED);
    return std::nullopt;
  }
  std::optional<std::string> WriteTemporary(const std::string& temp, const std::string& path,
                                            const std::string& bytes) override {
    UniqueFile file(
        ::CreateFileW(Wide(temp).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return Failure("Cannot create file", path, ::GetLastError());
    if (!WriteAll(file.get(), bytes) || !::FlushFileBuffers(file.get()))
      return Failure("Cannot write file", path, ::GetLastError());
    return std::nullopt;
  }
  std::optional<std::string> Replace(const std::string& temp, const std::string& path) override {
    if (!::MoveFileExW(Wide(temp).c_str(), Wide(path).c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
      return Failure("Cannot create file", path, ::GetLastError());
    return std::nullopt;
  }
  void Remove(const std::string& temp) override { ::DeleteFileW(Wide(temp).c_str()); }
};
}  // namespace

bool Win32FileSystem::SaveFileSafely(const std::string& path, const std::string& bytes, std::string& error) {
  Win32SaveSteps steps;
  return SaveSafely(steps, path, bytes, error);
}

bool Win32FileSystem::CopyOneFile(const std::string& from, const std::string& to) {
  return ::CopyFileW(Wide(from).c_str(), Wide(to).c_str(), FALSE) != 0;
}

bool Win32FileSystem::RemoveFile(const std::string& path) {
  return ::DeleteFileW(Wide(path).c_str()) != 0 || !FileExists(path);
}

bool Win32FileSystem::RemoveFolder(const std::string& path) {
  return ::RemoveDirectoryW(Wide(path).c_str()) != 0 || !DirectoryExists(path);
}

bool Win32FileSystem::ListFolder(const std::string& path, std::vector<FolderEntry>& entries) {
  WIN32_FIND_DATAW found{};
  UniqueFind find(::FindFirstFileW(Wide(path + "\\*").c_str(), &found));
  if (!find) return false;
  entries.clear();
  do {
    const std::string name = Utf8(found.cFileName);
    if (name == "." || name == "..") continue;
    FolderEntry entry;
    entry.Name = name;
    entry.IsFolder = (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    entry.IsLink = IsLinkReparsePoint(found);
    if (!entry.IsFolder) entry.Size = (uint64_t{found.nFileSizeHigh} << 32) | found.nFileSizeLow;
    entries.push_back(std::move(entry));
  } while (::FindNextFileW(find.get(), &found));
  return ::GetLastError() == ERROR_NO_MORE_FILES;
}

bool Win32FileSystem::CanWriteFile(const std::string& path) {
  const DWORD attributes = ::GetFileAttributesW(Wide(path).c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_READONLY)))
    return false;
  // Rights come from the folder's access list (Program Files): only an open for writing tells.
  UniqueFile file(::CreateFileW(Wide(path).c_str(), GENERIC_WRITE,
                                FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
  return static_cast<bool>(file);
}

bool Win32FileSystem::CreateFolder(const std::string& path) {
  return ::CreateDirectoryW(Wide(path).c_str(), nullptr) || DirectoryExists(path);
}

std::string Win32FileSystem::UserSettingsFolder() {
  // The environment first, as the shell sets it for the user, so that a test can point it elsewhere.
  std::vector<wchar_t> buffer(MAX_PATH);
  DWORD n = ::GetEnvironmentVariableW(L"APPDATA", buffer.data(), static_cast<DWORD>(buffer.size()));
  if (n >= buffer.size()) {
    buffer.resize(n + 1);
    n = ::GetEnvironmentVariableW(L"APPDATA", buffer.data(), static_cast<DWORD>(buffer.size()));
  }
  if (n > 0 && n < buffer.size()) return Utf8(std::wstring_view(buffer.data(), n));
  wchar_t folder[MAX_PATH] = {};
  if (SUCCEEDED(::SHGetFolderPathW(nullptr, CSIDL_APPDATA | CSIDL_FLAG_CREATE, nullptr, SHGFP_TYPE_CURRENT, folder)))
    return Utf8(folder);
  return {};
}

std::string Win32FileSystem::DocumentsFolder() {
  wchar_t folder[MAX_PATH] = {};
  if (SUCCEEDED(::SHGetFolderPathW(nullptr, CSIDL_PERSONAL | CSIDL_FLAG_CREATE, nullptr, SHGFP_TYPE_CURRENT, folder))) {
    const std::string path = Utf8(folder);
    if (DirectoryExists(path)) return path;
  }
  return {};
}

bool Win32FileSystem::CanCreateFileIn(const std::string& folder) {
  // A name of its own, gone again when the handle closes.
  const std::string probe = folder + "\\~corvela-" + std::to_string(::GetCurrentProcessId()) + "-" +
                            std::to_string(::GetTickCount()) + ".tmp";
  UniqueFile file(::CreateFileW(Wide(probe).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr));
  return static_cast<bool>(file);
}

std::string Win32FileSystem::FoldedName(const std::string& name) {
  const std::wstring wide = Wide(name);
  if (wide.empty() || wide.size() > static_cast<size_t>(INT_MAX)) return name;
  const int length = static_cast<int>(wide.size());
  // Without linguistic casing the mapping is the file system's: the one a disc's names meet too.
  const int n = ::LCMapStringEx(LOCALE_NAME_INVARIANT, LCMAP_UPPERCASE, wide.c_str(), length, nullptr, 0, nullptr,
                                nullptr, 0);
  if (n <= 0) return name;
  std::wstring upper(static_cast<size_t>(n), L'\0');
  ::LCMapStringEx(LOCALE_NAME_INVARIANT, LCMAP_UPPERCASE, wide.c_str(), length, upper.data(), n, nullptr, nullptr, 0);
  return Utf8(upper);
}

std::string MoveFileReplacing(const std::wstring& from, const std::wstring& to) {
  if (::MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) return {};
  return SystemErrorText(::GetLastError());
}

}  // namespace corvela::win
