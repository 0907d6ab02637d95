#pragma once
// The disc image of a CD folder: an ISO 9660 level 3 image with Joliet long names, written by an
// image writer behind a small interface so that callers and tests do not depend on the library.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace corvela {

// A file's path as the platform's own calls take it: wide on Windows, bytes elsewhere.
// std::filesystem is left out on purpose: with MinGW it links the C++ locale machinery, which
// would take the designer's exe past its size limit.
#ifdef _WIN32
using NativePath = std::wstring;
inline constexpr wchar_t kNativeSeparator = L'\\';
#else
using NativePath = std::string;
inline constexpr char kNativeSeparator = '/';
#endif

// The volume identifier of the primary volume descriptor holds at most 32 d-characters.
inline constexpr size_t kVolumeLabelLength = 32;
inline constexpr const char* kFallbackVolumeLabel = "CDROM";

// A volume label from any 8-bit text (a menu caption, a label the user typed): letters folded to
// A-Z (accented Latin-1 letters to their base letter), digits kept, every other run of characters
// one "_", no "_" at either end, cut to 32 characters; kFallbackVolumeLabel when nothing is left.
std::string VolumeLabelFrom(const std::string& text);

// True for a file name an interrupted safe save leaves behind ("AutoRun.mnx.tmp",
// "autorun.inf.saving"): a name with an extension of its own followed by a save suffix.
bool IsInterruptedSaveName(const std::string& fileName);

// One file or folder that goes into the image.
struct DiscImageEntry {
  NativePath Source;   // on disk
  NativePath InImage;  // relative to the folder with "/" between folders, e.g. "docs/read me.txt"
  bool IsFolder = false;
  uint64_t Size = 0;
  int64_t ModifiedSeconds = 0;  // since 1970-01-01 UTC
  long ModifiedNanoseconds = 0;
};

// Every file and folder under folder, parents before children, leaving out what an interrupted
// save left behind and anything that is neither a file nor a folder. False with error set when
// the folder cannot be read.
bool CollectDiscImageEntries(const NativePath& folder, std::vector<DiscImageEntry>& entries,
                             std::string& error);

// Sizes for the free-space check: the writer keeps a temporary copy of every file's data (whole
// 2048-byte sectors) until the image is complete; the image adds its directories and descriptors.
uint64_t TemporaryCopyBytes(const std::vector<DiscImageEntry>& entries);
uint64_t EstimatedImageBytes(const std::vector<DiscImageEntry>& entries);

struct VolumeSpace {
  NativePath Folder;
  uint64_t Capacity = 0;
  uint64_t Available = 0;
};

// The message when the temporary copy (on temp's volume) or the image (on image's) has no room,
// otherwise empty. Two folders that report the same figures are taken as one volume, which then
// needs room for both.
std::string FreeSpaceShortage(const std::vector<DiscImageEntry>& entries, const VolumeSpace& temp,
                              const VolumeSpace& image);

// A path for a message: on Windows, characters beyond ASCII show as "?".
std::string DisplayPath(const NativePath& path);

// "1.5 GB", "700 KB": sizes for messages.
std::string ByteCountText(uint64_t bytes);

struct DiscImageRequest {
  NativePath Folder;
  NativePath Image;
  std::string VolumeLabel;  // mapped with VolumeLabelFrom before it is written
};

// Called now and then with the bytes done and the expected total; returning false cancels.
using DiscImageProgress = std::function<bool(uint64_t done, uint64_t total)>;

enum class DiscImageOutcome { Written, Cancelled, Failed };

struct DiscImageResult {
  DiscImageOutcome Outcome = DiscImageOutcome::Failed;
  std::string Error;  // a sentence for the user when Failed
  uint64_t ImageBytes = 0;
};

class DiscImageWriter {
 public:
  virtual ~DiscImageWriter() = default;
  // Writes the image of request.Folder to request.Image, replacing it. A cancelled or failed
  // write leaves no image behind.
  virtual DiscImageResult Write(const DiscImageRequest& request, const DiscImageProgress& progress) = 0;
};

// The writer built on libarchive's ISO 9660 format.
std::unique_ptr<DiscImageWriter> MakeLibarchiveImageWriter();

}  // namespace corvela
