#include "project/DiscImage.h"

#include <sys/stat.h>
#ifdef _WIN32
#include <io.h>
#else
#include <dirent.h>
#endif

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <cwctype>
#include <memory>

#include "platform/Platform.h"
#include "platform/Utf8.h"

namespace corvela {

namespace {

constexpr uint64_t kSectorBytes = 2048;

// The d-characters a Latin-1 letter folds to; empty for anything that is not a letter or digit.
std::string FoldLatin1(uint32_t c) {
  if (c >= 'a' && c <= 'z') return std::string(1, static_cast<char>(c - 'a' + 'A'));
  if ((c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9')) return std::string(1, static_cast<char>(c));
  if (c < 0xC0 || c > 0xFF || c == 0xD7 || c == 0xF7) return {};
  // 0xC0 to 0xFF with the case bit (0x20) cleared.
  static const char* const kUpper[32] = {"A", "A", "A", "A", "A", "A", "AE", "C", "E", "E", "E",
                                         "E", "I", "I", "I", "I", "D", "N", "O", "O", "O", "O",
                                         "O", "",  "O", "U", "U", "U", "U", "Y", "TH", "SS"};
  if (c == 0xFF) return "Y";
  return kUpper[(c - 0xC0) & 0x1F];
}

// The text's characters: decoded as UTF-8 when it is valid UTF-8 with at least one multi-byte
// sequence (a label typed in a UTF-8 terminal), otherwise one character per byte (a caption).
std::vector<uint32_t> Characters(const std::string& text) {
  std::vector<uint32_t> utf8;
  bool multiByte = false;
  for (size_t i = 0; i < text.size();) {
    const auto b = static_cast<unsigned char>(text[i]);
    size_t length = b < 0x80 ? 1 : (b >> 5) == 6 ? 2 : (b >> 4) == 14 ? 3 : (b >> 3) == 30 ? 4 : 0;
    if (length == 0 || i + length > text.size()) {
      multiByte = false;
      break;
    }
    uint32_t c = length == 1 ? b : b & (0x7F >> length);
    for (size_t k = 1; k < length; ++k) {
      const auto next = static_cast<unsigned char>(text[i + k]);
      if ((next & 0xC0) != 0x80) {
        length = 0;
        break;
      }
      c = (c << 6) | (next & 0x3F);
    }
    if (length == 0) {
      multiByte = false;
      break;
    }
    multiByte = multiByte || length > 1;
    utf8.push_back(c);
    i += length;
  }
  if (multiByte) return utf8;
  std::vector<uint32_t> bytes;
  for (char ch : text) bytes.push_back(static_cast<unsigned char>(ch));
  return bytes;
}

bool EndsWithIgnoringCase(const std::string& text, const std::string& suffix) {
  if (text.size() < suffix.size()) return false;
  return std::equal(suffix.rbegin(), suffix.rend(), text.rbegin(), [](char a, char b) {
    return std::tolower(static_cast<unsigned char>(a)) == std::tolower(static_cast<unsigned char>(b));
  });
}

// Size and modification time as the C library reports them.
bool Stat(const NativePath& path, DiscImageEntry& entry) {
#ifdef _WIN32
  struct _stat64 st {};
  if (_wstat64(path.c_str(), &st) != 0) return false;
  entry.ModifiedSeconds = st.st_mtime;
  entry.ModifiedNanoseconds = 0;
#else
  struct stat st {};
  if (::stat(path.c_str(), &st) != 0) return false;
  entry.ModifiedSeconds = st.st_mtim.tv_sec;
  entry.ModifiedNanoseconds = st.st_mtim.tv_nsec;
#endif
  entry.Size = entry.IsFolder ? 0 : static_cast<uint64_t>(st.st_size);
  return true;
}

struct Child {
  NativePath Name;
  bool IsFolder = false;
  bool IsFile = false;
};

// The folder's files and folders in name order, without links (see CollectDiscImageEntries). The
// C runtime's own listing: no std::filesystem (see NativePath).
bool ListFolder(const NativePath& folder, std::vector<Child>& children, std::string& error) {
  children.clear();
#ifdef _WIN32
  // The C runtime passes the system's attributes through; it has no name for this one.
  constexpr unsigned kReparsePointAttribute = 0x400;
  _wfinddata64_t found{};
  const intptr_t search = _wfindfirst64((folder + L"\\*").c_str(), &found);
  if (search == -1) {
    // An empty listing of an existing folder still has "." and "..": this is a failure.
    error = std::strerror(errno);
    return false;
  }
  do {
    const std::wstring name = found.name;
    if (name == L"." || name == L".." || (found.attrib & kReparsePointAttribute) != 0) continue;
    const bool isFolder = (found.attrib & _A_SUBDIR) != 0;
    children.push_back({name, isFolder, !isFolder});
  } while (_wfindnext64(search, &found) == 0);
  _findclose(search);
#else
  DIR* dir = ::opendir(folder.c_str());
  if (!dir) {
    error = std::strerror(errno);
    return false;
  }
  while (const dirent* d = ::readdir(dir)) {
    const std::string name = d->d_name;
    if (name == "." || name == "..") continue;
    struct stat st {};
    if (::lstat((folder + "/" + name).c_str(), &st) != 0) continue;
    children.push_back({name, S_ISDIR(st.st_mode), S_ISREG(st.st_mode)});
  }
  ::closedir(dir);
#endif
  std::sort(children.begin(), children.end(), [](const Child& a, const Child& b) { return a.Name < b.Name; });
  return true;
}

// The name as 8-bit text for the rules on names, which look at ASCII suffixes only.
std::string NarrowName(const NativePath& name) {
  std::string text;
  for (auto c : name) text += static_cast<unsigned>(c) < 0x80 ? static_cast<char>(c) : '?';
  return text;
}

NativePath Joined(const NativePath& folder, const NativePath& name, decltype(kNativeSeparator) separator) {
  if (folder.empty()) return name;
  NativePath path = folder;
  if (path.back() != separator) path += separator;
  return path + name;
}

bool IsSeparator(wchar_t c) {
#ifdef _WIN32
  return c == L'\\' || c == L'/';
#else
  return c == L'/';
#endif
}

// True when path lies in folder or below it; letter case counts on Windows only as Windows
// compares names.
bool IsInside(const NativePath& path, const NativePath& folder) {
  NativePath p = AbsolutePath(path), f = AbsolutePath(folder);
  while (f.size() > 1 && IsSeparator(static_cast<wchar_t>(f.back()))) f.pop_back();
#ifdef _WIN32
  for (NativePath* text : {&p, &f})
    for (wchar_t& c : *text) c = IsSeparator(c) ? L'\\' : static_cast<wchar_t>(std::towlower(c));
#endif
  if (p.compare(0, f.size(), f) != 0) return false;
  return p.size() == f.size() || IsSeparator(static_cast<wchar_t>(p[f.size()])) ||
         IsSeparator(static_cast<wchar_t>(f.back()));
}

// Deeper than any real disc; a loop that is not a link (a folder mounted inside itself) ends here.
constexpr int kMaxDepth = 64;

bool CollectFolder(const NativePath& folder, const NativePath& inImage, int depth, std::vector<DiscImageEntry>& entries,
                   std::string& error) {
  if (depth > kMaxDepth) {
    error = "The folders nest too deeply at \"" + DisplayPath(folder) + "\".";
    return false;
  }
  std::vector<Child> children;
  std::string why;
  if (!ListFolder(folder, children, why)) {
    error = "Cannot read the folder \"" + DisplayPath(folder) + "\". " + why;
    return false;
  }
  for (const Child& child : children) {
    if (!child.IsFolder && !child.IsFile) continue;
    if (child.IsFile && IsInterruptedSaveName(NarrowName(child.Name))) continue;
    DiscImageEntry entry;
    entry.Source = Joined(folder, child.Name, kNativeSeparator);
    entry.InImage = Joined(inImage, child.Name, '/');
    entry.IsFolder = child.IsFolder;
    if (!Stat(entry.Source, entry)) {
      error = "Cannot read \"" + DisplayPath(entry.Source) + "\".";
      return false;
    }
    entries.push_back(entry);
    if (entry.IsFolder && !CollectFolder(entry.Source, entry.InImage, depth + 1, entries, error)) return false;
  }
  return true;
}

}  // namespace

std::string VolumeLabelFrom(const std::string& text) {
  std::string label;
  bool gap = false;
  for (uint32_t c : Characters(text)) {
    const std::string folded = FoldLatin1(c);
    if (folded.empty()) {
      gap = true;
      continue;
    }
    if (gap && !label.empty()) label += '_';
    gap = false;
    label += folded;
  }
  if (label.size() > kVolumeLabelLength) label.resize(kVolumeLabelLength);
  while (!label.empty() && label.back() == '_') label.pop_back();
  return label.empty() ? kFallbackVolumeLabel : label;
}

bool IsInterruptedSaveName(const std::string& fileName) {
  for (const std::string suffix : {kSafeSaveSuffix, kOldSaveSuffix}) {
    if (!EndsWithIgnoringCase(fileName, suffix)) continue;
    const std::string saved = fileName.substr(0, fileName.size() - suffix.size());
    const size_t dot = saved.rfind('.');
    if (dot != std::string::npos && dot > 0 && dot + 1 < saved.size()) return true;
  }
  return false;
}

bool CollectDiscImageEntries(const NativePath& folder, std::vector<DiscImageEntry>& entries, std::string& error) {
  entries.clear();
  DiscImageEntry top;
  top.IsFolder = true;
  if (!Stat(folder, top)) {
    error = "The folder \"" + DisplayPath(folder) + "\" does not exist.";
    return false;
  }
  return CollectFolder(folder, NativePath(), 0, entries, error);
}

uint64_t TemporaryCopyBytes(const std::vector<DiscImageEntry>& entries) {
  uint64_t bytes = 0;
  for (const DiscImageEntry& entry : entries) bytes += (entry.Size + kSectorBytes - 1) / kSectorBytes * kSectorBytes;
  return bytes;
}

uint64_t EstimatedImageBytes(const std::vector<DiscImageEntry>& entries) {
  // System area, descriptors, path tables and padding; then per entry its records in the three
  // trees (ISO 9660, Joliet, Rock Ridge), and per folder its directory sectors.
  uint64_t bytes = TemporaryCopyBytes(entries) + (1u << 20);
  for (const DiscImageEntry& entry : entries) bytes += entry.IsFolder ? 3 * 2 * kSectorBytes : 512;
  return bytes;
}

std::string FreeSpaceShortage(const std::vector<DiscImageEntry>& entries, const VolumeSpace& temp,
                              const VolumeSpace& image, uint64_t oldImageBytes) {
  const uint64_t copyBytes = TemporaryCopyBytes(entries);
  const uint64_t imageBytes = EstimatedImageBytes(entries);
  const bool oneVolume = temp.Capacity == image.Capacity && temp.Available == image.Available;
  const std::string oldImage = oldImageBytes == 0 ? std::string()
                                                  : " The old image (" + ByteCountText(oldImageBytes) +
                                                        ") stays until the new one is complete.";
  const uint64_t tempNeeds = copyBytes + (oneVolume ? imageBytes : 0);
  if (temp.Available < tempNeeds) {
    return "Not enough free space for the image's temporary copy in \"" + DisplayPath(temp.Folder) + "\": " +
           ByteCountText(tempNeeds) + " needed, " + ByteCountText(temp.Available) + " free." +
           (oneVolume ? oldImage : std::string());
  }
  if (!oneVolume && image.Available < imageBytes) {
    return "Not enough free space for the image in \"" + DisplayPath(image.Folder) + "\": " +
           ByteCountText(imageBytes) + " needed, " + ByteCountText(image.Available) + " free." + oldImage;
  }
  return {};
}

NativePath AbsolutePath(const NativePath& path) {
#ifdef _WIN32
  std::unique_ptr<wchar_t, decltype(&std::free)> full(_wfullpath(nullptr, path.c_str(), 0), &std::free);
  return full ? NativePath(full.get()) : path;
#else
  // An existing path is resolved whole, links and all, so that two names of one folder compare
  // equal; otherwise its folder is.
  std::unique_ptr<char, decltype(&std::free)> whole(::realpath(path.c_str(), nullptr), &std::free);
  if (whole) return whole.get();
  size_t cut = path.find_last_of('/');
  const std::string folder = cut == std::string::npos ? "." : cut == 0 ? "/" : path.substr(0, cut);
  const std::string name = cut == std::string::npos ? path : path.substr(cut + 1);
  std::unique_ptr<char, decltype(&std::free)> real(::realpath(folder.c_str(), nullptr), &std::free);
  if (!real) return path;
  std::string resolved = real.get();
  if (name.empty() || name == ".") return resolved;
  if (name == "..") {
    cut = resolved.find_last_of('/');
    return cut == 0 ? "/" : resolved.substr(0, cut);
  }
  return (resolved == "/" ? "" : resolved) + "/" + name;
#endif
}

NativePath ParentFolderOf(const NativePath& path) {
  size_t cut = path.size();
  while (cut > 0 && !IsSeparator(static_cast<wchar_t>(path[cut - 1]))) --cut;
  while (cut > 1 && IsSeparator(static_cast<wchar_t>(path[cut - 1]))) --cut;
  return path.substr(0, cut);
}

std::string ImagePlaceProblem(const NativePath& image, const NativePath& folder) {
  if (!IsInside(image, folder)) return {};
  return "The image \"" + DisplayPath(image) + "\" cannot be written inside the CD folder \"" + DisplayPath(folder) +
         "\": it would hold itself. Choose a place outside that folder.";
}

NativePath ImageTemporaryPath(const NativePath& image) {
  NativePath temp = image;
  for (const char* c = kSafeSaveSuffix; *c; ++c) temp += static_cast<NativePath::value_type>(*c);
  return temp;
}

std::string DisplayPath(const NativePath& path) {
#ifdef _WIN32
  // UTF-16 to the UTF-8 of every message; an unpaired surrogate shows as U+FFFD.
  std::string text;
  text.reserve(path.size());
  for (size_t i = 0; i < path.size(); ++i) {
    uint32_t c = static_cast<uint16_t>(path[i]);
    if (c >= 0xD800 && c <= 0xDBFF && i + 1 < path.size() && path[i + 1] >= 0xDC00 && path[i + 1] <= 0xDFFF)
      c = 0x10000 + ((c - 0xD800) << 10) + (static_cast<uint16_t>(path[++i]) - 0xDC00);
    else if (c >= 0xD800 && c <= 0xDFFF)
      c = 0xFFFD;
    AppendUtf8(text, c);
  }
  return text;
#else
  return path;
#endif
}

std::string ByteCountText(uint64_t bytes) {
  static const char* const kUnits[] = {"bytes", "KB", "MB", "GB", "TB"};
  double value = static_cast<double>(bytes);
  size_t unit = 0;
  while (value >= 1024 && unit + 1 < std::size(kUnits)) {
    value /= 1024;
    ++unit;
  }
  char text[32];
  if (unit == 0)
    std::snprintf(text, sizeof text, "%llu bytes", static_cast<unsigned long long>(bytes));
  else
    std::snprintf(text, sizeof text, value < 10 ? "%.1f %s" : "%.0f %s", value, kUnits[unit]);
  return text;
}

}  // namespace corvela
