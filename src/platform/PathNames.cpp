#include "platform/PathNames.h"

namespace corvela {

namespace {
size_t AfterLastSeparator(const std::string& path) {
  size_t pos = path.find_last_of("\\:");
  return pos == std::string::npos ? 0 : pos + 1;
}
}  // namespace

std::string FileNamePart(const std::string& path) {
  return path.substr(AfterLastSeparator(path));
}

std::string FolderPart(const std::string& path) {
  std::string folder = path.substr(0, AfterLastSeparator(path));
  if (!folder.empty() && folder.back() == '\\') folder.pop_back();
  return folder;
}

std::string UpperAscii(std::string text) {
  for (char& c : text)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  return text;
}

bool EqualsIgnoringAsciiCase(const std::string& a, const std::string& b) {
  return UpperAscii(a) == UpperAscii(b);
}

}  // namespace corvela
