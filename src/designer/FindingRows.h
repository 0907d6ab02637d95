#pragma once
// The rows of the Check Disc list without its window. Many findings of one kind (thousands of
// unused files) share one line that expands to show them; the others have a line each. Rows are
// looked up by number, so a list control asks for only the rows it shows.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "project/DiscFindings.h"

namespace corvela {

// From this many findings of one severity, subject and message on, they share one line.
inline constexpr size_t kGroupFrom = 10;

enum class FindingColumn { Severity, Object, Message, Path };

struct FindingRow {
  enum class Kind : uint8_t { Single, Group, Member };
  Kind Is = Kind::Single;
  size_t Finding = 0;  // the finding shown; for a group line, its first member
  size_t Group = 0;    // for a group line and its members
};

class FindingRows {
 public:
  // The findings must outlive the rows, unchanged.
  explicit FindingRows(const std::vector<Finding>& findings);

  size_t Count() const { return rowStart_.empty() ? 0 : rowStart_.back(); }
  FindingRow At(size_t row) const;
  // Expands the group of a group line, or collapses it when it is open; false for any other row.
  bool Toggle(size_t row);
  bool Expanded(size_t group) const { return groups_.at(group).Expanded; }
  size_t GroupSize(size_t group) const { return groups_.at(group).Members.size(); }
  // The row of the group's own line.
  size_t GroupRow(size_t group) const;

  std::string Text(size_t row, FindingColumn column) const;

 private:
  struct Group {
    std::vector<size_t> Members;
    bool Expanded = false;
    std::string ObjectText;  // the members' object, or "various"
  };
  struct Entry {
    bool IsGroup = false;
    size_t Index = 0;  // a finding, or a group
  };
  size_t EntryRows(const Entry& entry) const;
  void Recount();

  const std::vector<Finding>& findings_;
  std::vector<Group> groups_;
  std::vector<Entry> entries_;
  std::vector<size_t> groupEntry_;  // each group's place in entries_
  // rowStart_[i] is the first row of entries_[i]; one more at the end, the row count.
  std::vector<size_t> rowStart_;
};

// "Error", "Warning", "Note".
std::string SeverityTitle(Severity level);

}  // namespace corvela
