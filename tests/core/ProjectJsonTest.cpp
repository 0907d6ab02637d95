#include <gtest/gtest.h>

#include "project/ProjectFile.h"
#include "project/ProjectJson.h"
#include "support/FakePlatform.h"
#include "support/ProjectSamples.h"

namespace corvela {
namespace {

using testing::FakeWorld;

TEST(ProjectJsonText, EveryByteIsOneCharacterAndBack) {
  std::string all;
  for (int b = 0; b < 256; ++b) all.push_back(static_cast<char>(b));
  const std::string text = Latin1ToUtf8(all);
  EXPECT_EQ(text.size(), 128u + 2 * 128u);
  EXPECT_EQ(Latin1ToUtf8("\xE9"), "\xC3\xA9");
  std::string back;
  ASSERT_TRUE(Utf8ToLatin1(text, back));
  EXPECT_EQ(back, all);
}

TEST(ProjectJsonText, RefusesWhatNoByteCanHold) {
  for (const char* text :
       {"\xE2\x82\xAC" /* euro sign */, "\xC4\x80" /* U+0100 */, "\xC3", "\xC3\x41", "\xC0\x80" /* overlong NUL */}) {
    std::string bytes = "unchanged";
    EXPECT_FALSE(Utf8ToLatin1(text, bytes)) << text;
    EXPECT_EQ(bytes, "unchanged");
  }
}

TEST(ProjectJson, UsesTheStoredNamesAndPlainNumbers) {
  FakeWorld world;
  testing::FillEveryKind(world.State);
  const Json json = ProjectToJson(world.State, TickTrailer(world.Ticks));
  EXPECT_EQ(json["Form"]["Left"], -40);
  EXPECT_EQ(json["Form"]["Caption"], "Men\xC3\xBC \xE2\x82\xAC");  // the model's UTF-8 text
  EXPECT_EQ(json["BackColor"], 0x80000005u);  // colours unsigned
  EXPECT_EQ(json["Panel"]["BorderWidth"], -1);
  EXPECT_EQ(json["StartLink"]["Action"], 1);
  const Json& button = json["Objects"][1];
  EXPECT_EQ(button["Kind"], 1);
  EXPECT_EQ(button["Control"]["Margin"], -5);
  EXPECT_EQ(button["Control"]["Flat"], true);
  std::vector<std::string> fontKeys;
  for (auto it = button["HotTrackFont"].begin(); it != button["HotTrackFont"].end(); ++it) fontKeys.push_back(it.key());
  EXPECT_EQ(fontKeys, (std::vector<std::string>{"Name", "Color", "Size", "Style"}));
  EXPECT_FALSE(json["Objects"][3]["Control"].contains("Caption"));  // panes have no caption
  EXPECT_EQ(json["ReservedWord"], -123456789);
  ASSERT_EQ(json["Trailer"].size(), 20u);
  EXPECT_EQ(json["Trailer"][0], 1000u);
  EXPECT_FALSE(json.contains("TrailerTail"));
}

TEST(ProjectJson, DumpThenBuildGivesTheSameBytes) {
  struct Case {
    const char* Why;
    bool EveryKind;
    std::string Trailer;
    bool Extended = false;
  };
  const Case cases[] = {
      {"every kind, trailer of ticks", true, std::string("\x01\x00\x00\x00", 4) + std::string(76, '\xFF')},
      {"new project, cut trailer", false, "abcdefg"},
      {"no trailer at all", true, ""},
      {"an extension block: Greek text and a later version's entry", true, std::string(80, '\0'), true},
  };
  for (const Case& c : cases) {
    FakeWorld world;
    NewProject(world.State);
    if (c.EveryKind) testing::FillEveryKind(world.State);
    if (c.Extended) {
      world.State.Project.Form.Caption = u8"Μενού";
      world.State.Project.UnknownExtensions = {{ExtensionTag("XSET"), std::string("\0\x7F\xFF", 3)}};
    }
    const std::string file = SerializeProject(world.State, c.Trailer).value();
    const std::string text = ProjectToJson(world.State, c.Trailer).dump(2);

    FakeWorld rebuilt;
    std::optional<std::string> trailer;
    std::string error;
    ASSERT_TRUE(ProjectFromJson(Json::parse(text), rebuilt.State, trailer, error)) << c.Why << ": " << error;
    ASSERT_TRUE(trailer.has_value()) << c.Why;
    EXPECT_EQ(*trailer, c.Trailer) << c.Why;
    EXPECT_EQ(SerializeProject(rebuilt.State, *trailer), file) << c.Why;
  }
}

TEST(ProjectJson, MissingKeysTakeTheDefaultsOfNewProjectsAndObjects) {
  FakeWorld expected;
  NewProject(expected.State);
  expected.State.Project.Objects.push_back(MakeNewObject(ObjectKind::Button));
  expected.State.Project.Objects.push_back(MakeNewObject(ObjectKind::Html));

  FakeWorld world;
  world.State.ReservedWord = 9;
  std::optional<std::string> trailer = "stale";
  std::string error;
  ASSERT_TRUE(ProjectFromJson(Json::parse(R"({"Objects": [{"Kind": 1}, {"Kind": 4}]})"), world.State, trailer, error))
      << error;
  EXPECT_FALSE(trailer.has_value());
  EXPECT_EQ(world.State.ReservedWord, 0);
  EXPECT_EQ(SerializeProject(world.State, ""), SerializeProject(expected.State, ""));
  EXPECT_EQ(world.State.Project.Objects[1]->Base().Tag, 1);
  EXPECT_FALSE(world.State.Project.Objects[0]->Selected);
}

TEST(ProjectJson, BadInputNamesTheKeyAndWhatIsWrong) {
  struct Case {
    const char* Json;
    const char* Error;
  };
  const Case cases[] = {
      {R"([])", "(top level): expected an object"},
      {R"({"Captoin": "x"})", "Captoin: unknown key"},
      {R"({"Form": {"Caption": 5}})", "Form.Caption: expected a string"},
      {R"({"TrailerTail": "\u20ac"})", "TrailerTail: has a character above U+00FF"},
      {R"({"Form": {"TransparentColor": 1}})", "Form.TransparentColor: expected true or false"},
      {R"({"GradientStyle": 256})", "GradientStyle: expected an integer from 0 to 255"},
      {R"({"BackColor": -1})", "BackColor: expected an integer from 0 to 4294967295"},
      {R"({"Panel": {"BevelWidth": 2147483648}})", "Panel.BevelWidth: expected an integer from -2147483648"},
      {R"({"Panel": {"BevelWidth": 1.5}})", "Panel.BevelWidth: expected an integer"},
      {R"({"Objects": {}})", "Objects: expected an array"},
      {R"({"Objects": [{"Control": {}}]})", "Objects[0].Kind: missing"},
      {R"({"Objects": [{"Kind": 7}]})", "Objects[0].Kind: expected an integer from 0 to 6"},
      {R"({"Objects": [{"Kind": 2, "Control": {"Caption": "x"}}]})", "Objects[0].Control.Caption: unknown key"},
      {R"({"Objects": [{"Kind": 0, "NormalFont": {"Size": "8"}}]})", "Objects[0].NormalFont.Size: expected an integer"},
      {R"({"StartLink": {"Action": -1}})", "StartLink.Action: expected an integer from 0 to 255"},
      {R"({"Trailer": [1, -2]})", "Trailer[1]: expected an integer from 0 to 4294967295"},
      {R"({"Trailer": 3})", "Trailer: expected an array of integers"},
      {R"({"UnknownExtensions": [{"Tag": 1195462723, "Bytes": ""}]})", "UnknownExtensions[0].Tag: is a tag the file's"},
      {R"({"UnknownExtensions": [{"Tag": 1, "Bytes": "0g"}]})", "UnknownExtensions[0].Bytes: expected pairs"},
  };
  for (const Case& c : cases) {
    FakeWorld world;
    std::optional<std::string> trailer;
    std::string error;
    EXPECT_FALSE(ProjectFromJson(Json::parse(c.Json), world.State, trailer, error)) << c.Json;
    EXPECT_EQ(error.rfind(c.Error, 0), 0u) << c.Json << " gave: " << error;
  }
}

}  // namespace
}  // namespace corvela
