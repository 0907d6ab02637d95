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

// A volume label from a menu caption or a label the user typed (UTF-8, or 8-bit text): letters folded to
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
// save left behind, anything that is neither a file nor a folder, and links (symbolic links,
// junctions): the disc holds the folder itself, never what a link leads to outside it or a loop
// back up it. False with error set when the folder cannot be read.
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
// needs room for both. An old image of oldImageBytes stays until the new one is complete, so its
// room is not counted as free; the message says so.
std::string FreeSpaceShortage(const std::vector<DiscImageEntry>& entries, const VolumeSpace& temp,
                              const VolumeSpace& image, uint64_t oldImageBytes = 0);

// The absolute form of a path whose last step need not exist yet, resolved against the current
// directory, with its folders resolved as far as the system resolves them.
NativePath AbsolutePath(const NativePath& path);
// Everything before the last step of path, without the separator.
NativePath ParentFolderOf(const NativePath& path);

// Why the image cannot be written at image, or empty: an image inside the folder it is made of
// would hold itself.
std::string ImagePlaceProblem(const NativePath& image, const NativePath& folder);

// Where a new image is written until it is complete: beside the image, under a name the disc
// check and the image's own walk know as a cut-short save.
NativePath ImageTemporaryPath(const NativePath& image);

// A path for a message, in UTF-8.
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
  // Writes the image of request.Folder to a temporary file beside request.Image and puts it in
  // the image's place once it is complete. A cancelled or failed write leaves an existing image
  // exactly as it was and removes the temporary file.
  virtual DiscImageResult Write(const DiscImageRequest& request, const DiscImageProgress& progress) = 0;
};

// Moves the complete file from onto to, replacing a file there in one step; empty when done,
// otherwise the system's reason. Only the platform layer can replace a file in one step on
// Windows, so the caller hands it in.
using ReplaceFileStep = std::function<std::string(const NativePath& from, const NativePath& to)>;

// The writer built on libarchive's ISO 9660 format.
std::unique_ptr<DiscImageWriter> MakeLibarchiveImageWriter(ReplaceFileStep replace);

}  // namespace corvela
