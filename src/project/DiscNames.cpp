#include "project/DiscNames.h"

#include <algorithm>
#include <unordered_map>

#include "platform/Utf8.h"
#include "project/DiscCheck.h"

namespace corvela {

namespace {

// Characters the Joliet file system refuses, and those Windows cannot read back from any disc.
constexpr const char* kRefusedCharacters = "*/:;?\\<>\"|";

std::string RefusedCharactersIn(const std::string& name) {
  std::string refused;
  for (char c : name) {
    const bool bad = static_cast<unsigned char>(c) < 0x20 || std::string(kRefusedCharacters).find(c) != std::string::npos;
    if (bad && refused.find(c) == std::string::npos) refused += c;
  }
  std::string shown;
  for (char c : refused) shown += static_cast<unsigned char>(c) < 0x20 ? std::string("a control character") : std::string(1, c);
  return shown;
}

void CheckFolder(const DiscNode& folder, int depth, std::vector<Finding>& findings) {
  // By the folded name: a folder of a hundred thousand files is one pass, not a pass per file.
  std::unordered_map<std::string, const DiscNode*> seen;
  seen.reserve(folder.Children.size());
  for (const DiscNode& child : folder.Children) {
    if (DiscNameLength(child.Name) > kMaxDiscNameLength)
      AddFinding(findings, Severity::Warning, kDiscOwner, child.Path,
                 "Name longer than " + std::to_string(kMaxDiscNameLength) + " characters: a disc cuts or refuses it");
    const std::string refused = RefusedCharactersIn(child.Name);
    if (!refused.empty())
      AddFinding(findings, Severity::Warning, kDiscOwner, child.Path, "Name holds characters a disc refuses: " + refused);
    const auto [first, isNew] = seen.emplace(child.Folded, &child);
    if (!isNew)
      AddFinding(findings, Severity::Warning, kDiscOwner, child.Path,
                 "Differs from \"" + first->second->Name + "\" only in letter case: a disc keeps only one of them");
    if (!child.IsFolder) continue;
    // Only the first folder too deep on each branch is reported, not everything below it.
    if (depth + 1 == kMaxDiscFolderDepth + 1)
      AddFinding(findings, Severity::Warning, kDiscOwner, child.Path,
                 "Folder " + std::to_string(depth + 1) + " levels deep: a disc takes at most " +
                     std::to_string(kMaxDiscFolderDepth));
    CheckFolder(child, depth + 1, findings);
  }
}

}  // namespace

size_t DiscNameLength(const std::string& name) {
  size_t units = 0;
  for (size_t pos = 0; pos < name.size();) {
    const uint32_t c = DecodeUtf8(name, pos);
    if (c == kNotUtf8) return name.size();
    units += c > 0xFFFF ? 2 : 1;
  }
  return units;
}

void CheckDiscNames(const DiscNode& folder, std::vector<Finding>& findings) { CheckFolder(folder, 0, findings); }

std::vector<std::string> StoredPathsADiscRefuses(const MenuProject& project) {
  std::vector<std::string> refused;
  auto judge = [&](const std::string& path) {
    // Only a path with its leading backslash lies in the CD folder; anything else is an address
    // or lies outside, which the disc check reports in its own words.
    if (path.empty() || path[0] != '\\') return;
    size_t begin = 1;
    while (begin <= path.size()) {
      size_t end = path.find_first_of("\\/", begin);
      if (end == std::string::npos) end = path.size();
      const std::string step = path.substr(begin, end - begin);
      if (DiscNameLength(step) > kMaxDiscNameLength || !RefusedCharactersIn(step).empty()) {
        if (std::find(refused.begin(), refused.end(), path) == refused.end()) refused.push_back(path);
        return;
      }
      begin = end + 1;
    }
  };
  auto judgeLink = [&](const ObjectLink& link) {
    if (link.Action == LinkAction::OpenFile || link.Action == LinkAction::PlaySound ||
        link.Action == LinkAction::PrintFile) {
      judge(link.Target);
      judge(link.StartDirectory);
    }
  };
  judge(project.FormIcon);
  judge(project.StartSound);
  judgeLink(project.StartLink);
  for (const auto& obj : project.Objects) {
    judgeLink(obj->Link);
    for (const std::string* path : {&obj->BitmapFile, &obj->HotTrackBitmapFile, &obj->FileName, &obj->HotTrackImageFile})
      judge(*path);
  }
  return refused;
}

}  // namespace corvela
