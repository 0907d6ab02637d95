#include "designer/FindingRows.h"

#include <gtest/gtest.h>

#include "designer/DiscTasks.h"

namespace corvela {
namespace {

Finding Made(Severity level, const std::string& message, const std::string& path, int32_t object = kNoObject) {
  Finding f;
  f.Level = level;
  f.Subject = object == kNoObject ? FindingSubject::Disc : FindingSubject::Object;
  f.ObjectIndex = object;
  f.ObjectName = "Button";
  f.Path = path;
  f.Message = message;
  return f;
}

std::string Row(const FindingRows& rows, size_t row) {
  return rows.Text(row, FindingColumn::Severity) + "|" + rows.Text(row, FindingColumn::Object) + "|" +
         rows.Text(row, FindingColumn::Message) + "|" + rows.Text(row, FindingColumn::Path);
}

// As the check sorts them: errors, then warnings, then the notes with thousands of unused files.
std::vector<Finding> SortedFindings() {
  std::vector<Finding> findings;
  for (int i = 0; i < 12; ++i) findings.push_back(Made(Severity::Error, "Glyph not found in the CD folder", "\\g.bmp", i));
  for (int i = 0; i < 3; ++i) findings.push_back(Made(Severity::Warning, "Name longer than 64 characters", "\\n" + std::to_string(i)));
  findings.push_back(Made(Severity::Note, "Total size 0.0 MB", ""));
  for (int i = 0; i < 2000; ++i) findings.push_back(Made(Severity::Note, "Nothing in the menu uses this file", "\\u" + std::to_string(i)));
  return findings;
}

TEST(FindingRows, ManyFindingsOfOneKindShareOneLineThatOpens) {
  const std::vector<Finding> findings = SortedFindings();
  FindingRows rows(findings);
  // Fewer than kGroupFrom of a kind keep a line each.
  ASSERT_EQ(rows.Count(), 6u);
  EXPECT_EQ(Row(rows, 0), "Error|various|[+] Glyph not found in the CD folder (12 findings)|");
  EXPECT_EQ(Row(rows, 1), "Warning|disc|Name longer than 64 characters|\\n0");
  EXPECT_EQ(Row(rows, 4), "Note|disc|Total size 0.0 MB|");
  EXPECT_EQ(Row(rows, 5), "Note|disc|[+] Nothing in the menu uses this file (2,000 findings)|");
  EXPECT_FALSE(rows.Toggle(1));

  ASSERT_TRUE(rows.Toggle(5));
  ASSERT_EQ(rows.Count(), 2006u);
  EXPECT_EQ(Row(rows, 5), "Note|disc|[-] Nothing in the menu uses this file (2,000 findings)|");
  EXPECT_EQ(Row(rows, 2005), "Note|disc|Nothing in the menu uses this file|\\u1999");
  EXPECT_EQ(rows.At(2005).Is, FindingRow::Kind::Member);
  EXPECT_EQ(rows.At(2005).Finding, findings.size() - 1);

  // The first group opened too: the second group's line moves down, its members stay reachable.
  ASSERT_TRUE(rows.Toggle(0));
  ASSERT_EQ(rows.Count(), 2018u);
  EXPECT_EQ(Row(rows, 12), "Error|Button #11|Glyph not found in the CD folder|\\g.bmp");
  EXPECT_EQ(rows.At(12).Finding, 11u);
  EXPECT_EQ(rows.GroupRow(1), 17u);
  EXPECT_EQ(rows.At(18).Finding, 16u);
  ASSERT_TRUE(rows.Toggle(17));
  EXPECT_EQ(rows.Count(), 18u);
  EXPECT_EQ(Row(rows, 99), "|||");
}

TEST(FindingRows, TheProgressLineCountsWhatTheCheckHasRead) {
  DiscCheckProgress progress;
  progress.Files = 123456;
  progress.Folders = 1;
  EXPECT_EQ(DiscCheckProgressText(progress), "Reading the CD folder: 123,456 files in 1 folder ...");
  progress.Now = DiscCheckProgress::Step::Checking;
  progress.Files = 1;
  EXPECT_EQ(DiscCheckProgressText(progress), "Checking 1 file against the menu ...");
  EXPECT_EQ(CountText(999), "999");
  EXPECT_EQ(CountText(1000), "1,000");
  EXPECT_EQ(CountText(0), "0");
}

}  // namespace
}  // namespace corvela
