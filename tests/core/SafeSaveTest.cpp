#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "platform/SafeSave.h"
#include "platform/StdPlatform.h"

namespace corvela {
namespace {

namespace fs = std::filesystem;

// Logs each step; fails the one named in FailAt.
class RecordingSteps : public SafeSaveSteps {
 public:
  std::string FailAt;
  std::vector<std::string> Log;
  std::optional<std::string> CheckReplaceable(const std::string& path) override {
    return Step("check " + path, "check");
  }
  std::optional<std::string> WriteTemporary(const std::string& temp, const std::string&, const std::string&) override {
    return Step("write " + temp, "write");
  }
  std::optional<std::string> Replace(const std::string& temp, const std::string& path) override {
    return Step("replace " + temp + " " + path, "replace");
  }
  void Remove(const std::string& temp) override { Log.push_back("remove " + temp); }

 private:
  std::optional<std::string> Step(const std::string& entry, const std::string& name) {
    Log.push_back(entry);
    if (FailAt == name) return name + " failed";
    return std::nullopt;
  }
};

TEST(SafeSave, EveryFailureLeavesTheTargetAloneAndNoTemporaryFileBehind) {
  struct Case {
    const char* failAt;
    std::vector<std::string> log;
  };
  const Case cases[] = {
      {"", {"check a.mnx", "write a.mnx.saving", "replace a.mnx.saving a.mnx"}},
      {"check", {"check a.mnx"}},  // nothing written for a read-only target
      {"write", {"check a.mnx", "write a.mnx.saving", "remove a.mnx.saving"}},
      {"replace", {"check a.mnx", "write a.mnx.saving", "replace a.mnx.saving a.mnx", "remove a.mnx.saving"}},
  };
  for (const Case& c : cases) {
    RecordingSteps steps;
    steps.FailAt = c.failAt;
    std::string error;
    EXPECT_EQ(SaveSafely(steps, "a.mnx", "bytes", error), *c.failAt == '\0') << c.failAt;
    EXPECT_EQ(steps.Log, c.log) << c.failAt;
    EXPECT_EQ(error, *c.failAt ? std::string(c.failAt) + " failed" : "") << c.failAt;
  }
}

// The mnx tool once replaced read-only files that the designer refused.
TEST(SafeSave, TheStandardFileSystemRefusesAReadOnlyTargetAndLeavesNoTrace) {
  const fs::path folder = fs::temp_directory_path() /
                          ("corvela-safesave-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()));
  fs::create_directories(folder);
  const std::string target = (folder / "AutoRun.mnx").string();
  StdFileSystem files;
  std::string error;
  ASSERT_TRUE(files.SaveFileSafely(target, "first", error)) << error;
  EXPECT_FALSE(fs::exists(SafeSaveTemporary(target)));

  fs::permissions(target, fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                  fs::perm_options::remove);
  EXPECT_FALSE(files.SaveFileSafely(target, "second", error));
  EXPECT_NE(error.find("Cannot create file"), std::string::npos);
  std::ifstream in(target);
  std::string kept((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  EXPECT_EQ(kept, "first");
  EXPECT_FALSE(fs::exists(SafeSaveTemporary(target)));
  fs::permissions(target, fs::perms::owner_write, fs::perm_options::add);
  fs::remove_all(folder);
}

}  // namespace
}  // namespace corvela
