#pragma once
// Checking a CD folder before it is burnt: the published files, the project and every file it
// names, the names the disc's file systems accept, and whether the whole fits a medium.

#include <cstdint>
#include <string>
#include <vector>

namespace corvela {

class FileSystem;

// Declared in the order a list shows them: errors first.
enum class Severity : uint8_t { Error = 0, Warning = 1, Note = 2 };

// What a finding is about: the folder's contents, the menu's own settings (icon, start sound,
// start link, the project file) or one object.
enum class FindingSubject : uint8_t { Disc, Menu, Object };

inline constexpr int32_t kNoObject = -1;

struct Finding {
  Severity Level = Severity::Note;
  FindingSubject Subject = FindingSubject::Disc;
  int32_t ObjectIndex = kNoObject;  // index into Objects (the object's Tag) for an object
  // The object's Name, or its kind ("Button") when it has none; empty for the disc and the menu.
  std::string ObjectName;
  // The stored path or the file's path inside the CD folder (a backslash in front); may be empty.
  std::string Path;
  std::string Message;  // one line
};

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

// Checks the CD folder (a path the file system takes, with or without one trailing separator)
// and returns the findings sorted errors first, in the order found within each severity.
std::vector<Finding> CheckDisc(FileSystem& files, const std::string& cdFolder);

// Sorts errors first, then warnings, then notes; keeps the order within each severity.
void SortFindings(std::vector<Finding>& findings);

// "error", "warning", "note".
const char* SeverityName(Severity level);
// "disc", "menu", or the object's name and index: "InstallButton #2", "Button #2".
std::string FindingObjectText(const Finding& finding);
// One line: "error: InstallButton #2: Glyph not found [\Glyphs\install.bmp]".
std::string FindingLine(const Finding& finding);
// "1 error, 2 warnings, 0 notes".
std::string FindingsSummary(const std::vector<Finding>& findings);
int CountFindings(const std::vector<Finding>& findings, Severity level);

// The smallest medium that holds bytes, or null when none does.
const Medium* SmallestMediumFor(uint64_t bytes);

}  // namespace corvela
