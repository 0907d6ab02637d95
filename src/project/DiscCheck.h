#pragma once
// Checking a CD folder before it is burnt: the published files, the project and every file it
// names, the names the disc's file systems accept, and whether the whole fits a medium.
// The parts: the folder walk (DiscFolder), the names (DiscNames), the menu's files and addresses
// (DiscCheckProject), hints and contrast (DiscCheckAccess), the findings and their text
// (DiscFindings).

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "project/DiscCheckProject.h"
#include "project/DiscFindings.h"
#include "project/DiscFolder.h"

namespace corvela {

class CodePages;
class FileSystem;

// Media a folder can be burnt to, smallest first, with what each holds in bytes.
struct Medium {
  const char* Name;
  uint64_t Capacity;
};
inline constexpr Medium kMedia[] = {
    {"CD 700 MB", 737280000ull},
    {"DVD 4.7 GB", 4700372992ull},
    {"DVD DL 8.5 GB", 8543666176ull},
};

// The limits of the Joliet and ISO 9660 file systems of a data disc.
inline constexpr size_t kMaxDiscNameLength = 64;
inline constexpr int kMaxDiscFolderDepth = 8;
inline constexpr uint64_t kDiscBlockSize = 2048;

struct DiscCheckRequest {
  // A path the file system takes, with or without one trailing separator.
  std::string CdFolder;
  // The menu to judge; null: the folder's saved AutoRun.mnx. The saved file is read in both cases,
  // as the player will read it.
  const MenuSnapshot* Menu = nullptr;
  // Told how far the check has come; may be empty. Returning false stops the check.
  DiscCheckProgressFn Progress;
  // The code pages the saved menu's 8-bit strings are read in, as the player's; null: as they are.
  CodePages* Codes = nullptr;
};

// The findings sorted errors first, in the order found within each severity; nothing when the
// progress function stopped the check.
std::optional<std::vector<Finding>> RunDiscCheck(FileSystem& files, const DiscCheckRequest& request);

// The folder with its saved project, to the end.
std::vector<Finding> CheckDisc(FileSystem& files, const std::string& cdFolder, CodePages* codes = nullptr);

// The smallest medium that holds bytes, or null when none does.
const Medium* SmallestMediumFor(uint64_t bytes);

}  // namespace corvela
