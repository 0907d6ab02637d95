#include "platform/TextLines.h"

#include "platform/PathNames.h"

namespace corvela {

bool DropUtf8Mark(std::string& text) {
  const std::string mark = kUtf8Mark;
  if (text.compare(0, mark.size(), mark) != 0) return false;
  text.erase(0, mark.size());
  return true;
}

std::vector<std::string> SplitLines(const std::string& text) {
  std::vector<std::string> lines;
  std::string line;
  for (size_t i = 0; i < text.size(); ++i) {
    char c = text[i];
    if (c == '\r' || c == '\n') {
      lines.push_back(line);
      line.clear();
      if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
    } else {
      line += c;
    }
  }
  if (!line.empty()) lines.push_back(line);
  return lines;
}

std::string IniValue(const std::vector<std::string>& lines, const std::string& key) {
  for (const std::string& line : lines) {
    size_t eq = line.find('=');
    if (eq == std::string::npos) continue;
    if (EqualsIgnoringAsciiCase(line.substr(0, eq), key)) return line.substr(eq + 1);
  }
  return {};
}

}  // namespace corvela
