#pragma once
// Splitting Windows path names, and the ASCII-only letter case their comparisons use.

#include <string>

namespace corvela {

// Everything after the last backslash or colon.
std::string FileNamePart(const std::string& path);
// Everything up to and including the last backslash or colon, with one trailing backslash removed.
std::string FolderPart(const std::string& path);
// Only the letters a to z are folded.
std::string UpperAscii(std::string text);
bool EqualsIgnoringAsciiCase(const std::string& a, const std::string& b);

}  // namespace corvela
