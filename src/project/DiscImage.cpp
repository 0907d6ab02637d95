#include "project/DiscImage.h"

#include <sys/stat.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <system_error>

#include "platform/Platform.h"

namespace corvela {

namespace fs = std::filesystem;

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

// Size and modification time as the C library reports them (the file clock of std::filesystem
// has no portable conversion to calendar time before C++20).
bool Stat(const fs::path& path, DiscImageEntry& entry) {
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

// Deeper than any real disc; a link from a folder to one of its parents gets no further.
constexpr int kMaxDepth = 64;

bool CollectFolder(const fs::path& folder, const fs::path& inImage, int depth, std::vector<DiscImageEntry>& entries,
                   std::string& error) {
  if (depth > kMaxDepth) {
    error = "The folders nest too deeply at \"" + DisplayPath(folder) + "\"; does a link point to a parent?";
    return false;
  }
  std::error_code ec;
  std::vector<fs::directory_entry> children;
  for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) children.push_back(*it);
  if (ec) {
    error = "Cannot read the folder \"" + DisplayPath(folder) + "\". " + ec.message();
    return false;
  }
  std::sort(children.begin(), children.end(),
            [](const fs::directory_entry& a, const fs::directory_entry& b) { return a.path() < b.path(); });
  for (const fs::directory_entry& child : children) {
    const fs::file_status status = child.status(ec);  // follows links: the disc holds what they point to
    if (ec) continue;
    DiscImageEntry entry;
    entry.Source = child.path();
    entry.InImage = inImage / child.path().filename();
    entry.IsFolder = fs::is_directory(status);
    if (!entry.IsFolder && !fs::is_regular_file(status)) continue;
    if (!entry.IsFolder && IsInterruptedSaveName(child.path().filename().u8string())) continue;
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

bool CollectDiscImageEntries(const fs::path& folder, std::vector<DiscImageEntry>& entries, std::string& error) {
  entries.clear();
  std::error_code ec;
  if (!fs::is_directory(folder, ec)) {
    error = "The folder \"" + DisplayPath(folder) + "\" does not exist.";
    return false;
  }
  return CollectFolder(folder, fs::path(), 0, entries, error);
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
                              const VolumeSpace& image) {
  const uint64_t copyBytes = TemporaryCopyBytes(entries);
  const uint64_t imageBytes = EstimatedImageBytes(entries);
  const bool oneVolume = temp.Capacity == image.Capacity && temp.Available == image.Available;
  const uint64_t tempNeeds = copyBytes + (oneVolume ? imageBytes : 0);
  if (temp.Available < tempNeeds) {
    return "Not enough free space for the image's temporary copy in \"" + DisplayPath(temp.Folder) + "\": " +
           ByteCountText(tempNeeds) + " needed, " + ByteCountText(temp.Available) + " free.";
  }
  if (!oneVolume && image.Available < imageBytes) {
    return "Not enough free space for the image in \"" + DisplayPath(image.Folder) + "\": " +
           ByteCountText(imageBytes) + " needed, " + ByteCountText(image.Available) + " free.";
  }
  return {};
}

std::string DisplayPath(const fs::path& path) {
#ifdef _WIN32
  // The console and the message boxes of this program show 8-bit text.
  std::string text;
  for (wchar_t c : path.native()) text += c < 0x80 ? static_cast<char>(c) : '?';
  return text;
#else
  return path.string();
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
