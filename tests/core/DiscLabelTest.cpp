// The disc label from the dialog to autorun.inf, the project file and the image's volume names,
// and the signature the disc check looks for in the player.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "designer/History.h"
#include "platform/TableCodePages.h"
#include "project/DiscImage.h"
#include "project/DiscLabel.h"
#include "project/ExeSignature.h"
#include "project/ProjectFile.h"
#include "project/Publish.h"
#include "support/FakePlatform.h"

namespace corvela {
namespace {

namespace fs = std::filesystem;

const std::string kGreek = u8"Δίσκος μενού";

TEST(DiscLabel, TheDialogRefusesWhatAutorunInfCannotHold) {
  TableCodePages western(1252), greek(1253);
  EXPECT_EQ(DiscLabelProblem("", &western), "");
  EXPECT_EQ(DiscLabelProblem(std::string(32, 'x'), &western), "");
  EXPECT_NE(DiscLabelProblem(std::string(33, 'x'), &western), "");
  // Characters, not bytes: 32 Greek letters are 64 bytes.
  std::string greek32;
  for (int i = 0; i < 32; ++i) greek32 += u8"α";
  EXPECT_EQ(DiscLabelProblem(greek32, &greek), "");
  EXPECT_NE(DiscLabelProblem("Disc\r\nOPEN=x.exe", &western), "") << "a line of its own in autorun.inf";
  EXPECT_NE(DiscLabelProblem(kGreek, &western).find("code page (1252)"), std::string::npos);
}

TEST(DiscLabel, AutorunInfNamesItInTheCodePageOrStaysAsBefore) {
  TableCodePages greek(1253), western(1252);
  EXPECT_EQ(AutorunInfText("", &greek), kAutorunInf);
  EXPECT_EQ(AutorunInfText(kGreek, &greek),
            std::string(kAutorunInf) + "label=\xC4\xDF\xF3\xEA\xEF\xF2 \xEC\xE5\xED\xEF\xFD\r\n");
  // Never "?" in its place.
  EXPECT_EQ(AutorunInfText(kGreek, &western), kAutorunInf);
}

TEST(DiscLabel, JolietTakesTheFirstSixteenUnitsWithoutSplittingAPair) {
  auto units = [](const std::string& field) {
    std::u16string out;
    for (size_t i = 0; i + 1 < field.size(); i += 2)
      out.push_back(static_cast<char16_t>(static_cast<uint8_t>(field[i]) << 8 | static_cast<uint8_t>(field[i + 1])));
    return out;
  };
  EXPECT_EQ(units(JolietVolumeField(kGreek)), u"Δίσκος μενού    ");
  EXPECT_EQ(units(JolietVolumeField(u8"ABCDEFGHIJKLMNOPQRST")), u"ABCDEFGHIJKLMNOP");
  // 15 letters and an emoji that needs two units: the pair does not fit and is left out whole.
  EXPECT_EQ(units(JolietVolumeField(u8"ABCDEFGHIJKLMNO😀")), u"ABCDEFGHIJKLMNO ");
}

TEST(DiscLabel, TheProjectFileKeepsItAndUndoTakesItBack) {
  testing::FakeWorld world;
  TableCodePages codes(1252);
  world.Env.Codes = &codes;
  AppState& state = world.State;
  const std::string trailer(80, '\0');
  const std::string plain = SerializeProject(state, trailer).value();
  const std::optional<ProjectSnapshot> before = SnapshotProject(state);
  const std::optional<std::string> content = ProjectContent(state);
  state.Project.DiscLabel = kGreek;
  EXPECT_NE(ProjectContent(state), content) << "a changed label is a change to save";
  History history;
  ASSERT_TRUE(before);
  ASSERT_TRUE(history.RecordProject(EditKind::FormProperties, *before, SnapshotProject(state).value()));
  const std::string labelled = SerializeProject(state, trailer).value();
  EXPECT_EQ(labelled.compare(0, plain.size(), plain), 0) << "the 8-bit file is unchanged before the block";
  EXPECT_GT(labelled.size(), plain.size());
  testing::FakeWorld reader;
  reader.Env.Codes = &codes;
  ASSERT_EQ(ParseProject(reader.State, labelled, nullptr), ParseOutcome::Loaded);
  EXPECT_EQ(reader.State.Project.DiscLabel, kGreek);
  ASSERT_TRUE(history.Undo(state));
  EXPECT_EQ(state.Project.DiscLabel, "");
  ASSERT_TRUE(history.Redo(state));
  EXPECT_EQ(state.Project.DiscLabel, kGreek);
}

// A 64-bit program's headers with the certificate table's entry as given.
std::string Program(uint32_t tableOffset, uint32_t tableSize, size_t fileSize = 1024) {
  std::string bytes(fileSize, '\0');
  auto put = [&bytes](size_t at, uint32_t v, int size) {
    for (int i = 0; i < size; ++i) bytes[at + i] = static_cast<char>((v >> (8 * i)) & 0xFF);
  };
  bytes[0] = 'M';
  bytes[1] = 'Z';
  put(0x3C, 0x80, 4);
  bytes.replace(0x80, 4, std::string("PE\0\0", 4));
  put(0x80 + 20, 240, 2);           // size of the optional header
  put(0x80 + 24, 0x20B, 2);         // PE32+
  put(0x80 + 24 + 108, 16, 4);      // data directories
  put(0x80 + 24 + 144, tableOffset, 4);
  put(0x80 + 24 + 148, tableSize, 4);
  return bytes;
}

TEST(ExeSignature, OnlyACertificateTableInsideTheFileCounts) {
  EXPECT_EQ(SignatureOf(Program(0, 0)), ExeSignature::Unsigned);
  EXPECT_EQ(SignatureOf(Program(800, 200)), ExeSignature::Signed);
  EXPECT_EQ(SignatureOf(Program(800, 300)), ExeSignature::Unsigned) << "a table claimed past the end";
  EXPECT_EQ(SignatureOf(Program(800, 200).substr(0, 0x100)), ExeSignature::NotAProgram);
  EXPECT_EQ(SignatureOf("MZ"), ExeSignature::NotAProgram);
}

TEST(DiscLabel, TheImageNamesTheVolumeFoldedAndJolietAsItIs) {
  const fs::path root = fs::temp_directory_path() / "corvela-disc-label-image";
  fs::remove_all(root);
  fs::create_directories(root / "cd");
  std::ofstream(root / "cd" / "a.txt") << "a";
  const DiscImageRequest request{(root / "cd").native(), (root / "cd.iso").native(), u8"Café Δίσκος menu"};
  const DiscImageResult result = MakeLibarchiveImageWriter([](const NativePath& from, const NativePath& to) {
                                   std::error_code ec;
                                   fs::rename(from, to, ec);
                                   return ec ? ec.message() : std::string();
                                 })->Write(request, {});
  ASSERT_EQ(result.Outcome, DiscImageOutcome::Written) << result.Error;
  std::ifstream in(root / "cd.iso", std::ios::binary);
  const std::string image(std::istreambuf_iterator<char>(in), {});
  fs::remove_all(root);
  ASSERT_GT(image.size(), 20u * 2048);
  EXPECT_EQ(image.substr(16 * 2048 + 40, 32), "CAFE_MENU" + std::string(23, ' '));
  bool joliet = false;
  for (size_t sector = 17; sector < 20; ++sector) {
    const std::string d = image.substr(sector * 2048, 2048);
    if (d[0] != 2 || d.compare(88, 2, "%/") != 0) continue;
    joliet = true;
    EXPECT_EQ(d.substr(40, 32), JolietVolumeField(u8"Café Δίσκος menu"));
  }
  EXPECT_TRUE(joliet);
}

}  // namespace
}  // namespace corvela
