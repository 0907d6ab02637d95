#include "designer/FindingRows.h"

#include <algorithm>
#include <unordered_map>

namespace corvela {

namespace {

std::string KindKey(const Finding& f) {
  return std::string(1, static_cast<char>('0' + static_cast<int>(f.Level))) +
         static_cast<char>('0' + static_cast<int>(f.Subject)) + f.Message;
}

}  // namespace

FindingRows::FindingRows(const std::vector<Finding>& findings) : findings_(findings) {
  std::unordered_map<std::string, std::vector<size_t>> kinds;
  std::vector<std::string> keys;  // in the order first found
  for (size_t i = 0; i < findings.size(); ++i) {
    std::string key = KindKey(findings[i]);
    auto [it, isNew] = kinds.try_emplace(key);
    if (isNew) keys.push_back(std::move(key));
    it->second.push_back(i);
  }
  // A group stands where its first member stood; the others keep their places.
  constexpr size_t kNoGroup = static_cast<size_t>(-1);
  std::vector<size_t> groupStartingAt(findings.size(), kNoGroup);
  std::vector<bool> grouped(findings.size(), false);
  for (const std::string& key : keys) {
    std::vector<size_t>& members = kinds[key];
    if (members.size() < kGroupFrom) continue;
    Group group;
    group.ObjectText = FindingObjectText(findings[members.front()]);
    for (size_t m : members) {
      grouped[m] = true;
      if (FindingObjectText(findings[m]) != group.ObjectText) group.ObjectText = "various";
    }
    groupStartingAt[members.front()] = groups_.size();
    group.Members = std::move(members);
    groups_.push_back(std::move(group));
  }
  groupEntry_.resize(groups_.size());
  for (size_t i = 0; i < findings.size(); ++i) {
    if (groupStartingAt[i] != kNoGroup) {
      groupEntry_[groupStartingAt[i]] = entries_.size();
      entries_.push_back({true, groupStartingAt[i]});
    } else if (!grouped[i]) {
      entries_.push_back({false, i});
    }
  }
  Recount();
}

size_t FindingRows::EntryRows(const Entry& entry) const {
  if (!entry.IsGroup) return 1;
  const Group& group = groups_[entry.Index];
  return group.Expanded ? 1 + group.Members.size() : 1;
}

void FindingRows::Recount() {
  rowStart_.assign(1, 0);
  rowStart_.reserve(entries_.size() + 1);
  for (const Entry& entry : entries_) rowStart_.push_back(rowStart_.back() + EntryRows(entry));
}

FindingRow FindingRows::At(size_t row) const {
  if (row >= Count()) return {};
  const size_t e = static_cast<size_t>(std::upper_bound(rowStart_.begin(), rowStart_.end(), row) - rowStart_.begin()) - 1;
  const Entry& entry = entries_[e];
  if (!entry.IsGroup) return {FindingRow::Kind::Single, entry.Index, 0};
  const Group& group = groups_[entry.Index];
  const size_t offset = row - rowStart_[e];
  if (offset == 0) return {FindingRow::Kind::Group, group.Members.front(), entry.Index};
  return {FindingRow::Kind::Member, group.Members[offset - 1], entry.Index};
}

bool FindingRows::Toggle(size_t row) {
  const FindingRow at = At(row);
  if (row >= Count() || at.Is != FindingRow::Kind::Group) return false;
  groups_[at.Group].Expanded = !groups_[at.Group].Expanded;
  Recount();
  return true;
}

size_t FindingRows::GroupRow(size_t group) const { return rowStart_.at(groupEntry_.at(group)); }

std::string FindingRows::Text(size_t row, FindingColumn column) const {
  if (row >= Count()) return {};
  const FindingRow at = At(row);
  const Finding& f = findings_[at.Finding];
  const bool groupLine = at.Is == FindingRow::Kind::Group;
  switch (column) {
    case FindingColumn::Severity:
      return SeverityTitle(f.Level);
    case FindingColumn::Object:
      return groupLine ? groups_[at.Group].ObjectText : FindingObjectText(f);
    case FindingColumn::Message:
      if (!groupLine) return f.Message;
      return std::string(Expanded(at.Group) ? "[-] " : "[+] ") + f.Message + " (" + CountText(GroupSize(at.Group)) +
             " findings)";
    case FindingColumn::Path:
      return groupLine ? std::string() : f.Path;
  }
  return {};
}

std::string SeverityTitle(Severity level) {
  std::string text = SeverityName(level);
  if (!text.empty()) text[0] = static_cast<char>(text[0] - 'a' + 'A');
  return text;
}

}  // namespace corvela
