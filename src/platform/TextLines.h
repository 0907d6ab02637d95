#pragma once
// Lines of the small text files the system reads: its settings file and autorun.inf.

#include <string>
#include <vector>

namespace corvela {

// UTF-8's byte-order mark: a text file that starts with it is UTF-8.
inline constexpr char kUtf8Mark[] = "\xEF\xBB\xBF";
// Drops the mark from the front of text; false when text does not start with it.
bool DropUtf8Mark(std::string& text);

// Lines of a text file, split at CR LF, LF or CR.
std::vector<std::string> SplitLines(const std::string& text);
// The value of the first line whose name equals key without regard to ASCII case; empty if none.
std::string IniValue(const std::vector<std::string>& lines, const std::string& key);

}  // namespace corvela
