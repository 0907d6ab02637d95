#pragma once
// What the disc check reports: one finding per fault, about the disc, the menu or one object,
// and the text a finding and a list of them read as.

#include <cstdint>
#include <string>
#include <vector>

namespace corvela {

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

// Whom a finding is about, as the check's parts hand it on.
struct FindingOwner {
  FindingSubject Subject = FindingSubject::Menu;
  int32_t Index = kNoObject;
  std::string Name;
};
inline const FindingOwner kDiscOwner{FindingSubject::Disc, kNoObject, ""};
inline const FindingOwner kMenuOwner{FindingSubject::Menu, kNoObject, ""};

void AddFinding(std::vector<Finding>& findings, Severity level, const FindingOwner& owner, const std::string& path,
                const std::string& message);

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

// A count with thousands separated: "12,345".
std::string CountText(uint64_t count);

}  // namespace corvela
