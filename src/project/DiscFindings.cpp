#include "project/DiscFindings.h"

#include <algorithm>

namespace corvela {

void AddFinding(std::vector<Finding>& findings, Severity level, const FindingOwner& owner, const std::string& path,
                const std::string& message) {
  Finding f;
  f.Level = level;
  f.Subject = owner.Subject;
  f.ObjectIndex = owner.Index;
  f.ObjectName = owner.Name;
  f.Path = path;
  f.Message = message;
  findings.push_back(std::move(f));
}

void SortFindings(std::vector<Finding>& findings) {
  std::stable_sort(findings.begin(), findings.end(),
                   [](const Finding& a, const Finding& b) { return a.Level < b.Level; });
}

const char* SeverityName(Severity level) {
  switch (level) {
    case Severity::Error:
      return "error";
    case Severity::Warning:
      return "warning";
    case Severity::Note:
      return "note";
  }
  return "note";
}

std::string FindingObjectText(const Finding& finding) {
  switch (finding.Subject) {
    case FindingSubject::Disc:
      return "disc";
    case FindingSubject::Menu:
      return "menu";
    case FindingSubject::Object:
      break;
  }
  return finding.ObjectName + " #" + std::to_string(finding.ObjectIndex);
}

std::string FindingLine(const Finding& finding) {
  std::string line = std::string(SeverityName(finding.Level)) + ": " + FindingObjectText(finding) + ": " + finding.Message;
  if (!finding.Path.empty()) line += " [" + finding.Path + "]";
  return line;
}

int CountFindings(const std::vector<Finding>& findings, Severity level) {
  return static_cast<int>(
      std::count_if(findings.begin(), findings.end(), [level](const Finding& f) { return f.Level == level; }));
}

std::string FindingsSummary(const std::vector<Finding>& findings) {
  auto count = [&](Severity level, const char* one, const char* many) {
    const int n = CountFindings(findings, level);
    return CountText(static_cast<uint64_t>(n)) + " " + (n == 1 ? one : many);
  };
  return count(Severity::Error, "error", "errors") + ", " + count(Severity::Warning, "warning", "warnings") + ", " +
         count(Severity::Note, "note", "notes");
}

std::string CountText(uint64_t count) {
  std::string digits = std::to_string(count);
  for (size_t cut = digits.size(); cut > 3; cut -= 3) digits.insert(cut - 3, ",");
  return digits;
}

}  // namespace corvela
