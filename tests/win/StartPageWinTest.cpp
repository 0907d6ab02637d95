// The start page published into a real folder: the pictures go through the imaging component's
// PNG encoder and come back as the player shows them.
#include <gtest/gtest.h>

#include "designer/StartPagePublish.h"
#include "designer/win/PagePictures.h"
#include "platform/win/Win32Colours.h"
#include "platform/win/Win32FileSystem.h"
#include "platform/win/Win32Graphics.h"
#include "player/win/Panes.h"
#include "project/Resources.h"
#include "project/win/Win32Text.h"
#include "support/FakePlatform.h"
#include "support/win/TestFiles.h"
#include "support/win/WinProcess.h"

namespace corvela {
namespace {

using testing::TempFolder;
using testing::WriteBytes;

// The pixel at x, y of a decoded picture, premultiplied 0xAARRGGBB (an opaque one may read alpha 0).
uint32_t PixelOf(const win::WinGraphic& picture, int x, int y) {
  DIBSECTION section{};
  if (::GetObjectW(picture.Dib(), sizeof section, &section) != sizeof section) return 0xDEADBEEF;
  return static_cast<const uint32_t*>(section.dsBm.bmBits)[y * picture.Width() + x];
}

TEST(StartPageWin, PicturesBecomePngsAsThePlayerShowsThemAndTheFolderFollowsTheOption) {
  TempFolder cd;
  // A glyph whose bottom-left red is its transparent colour, with a blue middle.
  ASSERT_TRUE(WriteBytes(cd / "glyph.bmp", testing::Bmp24(8, 8, [](int x, int y) {
    return x >= 2 && x < 6 && y >= 2 && y < 6 ? RGB(0, 0, 255) : RGB(255, 0, 0);
  })));
  ASSERT_TRUE(WriteBytes(cd / "photo.bmp", testing::Bmp24(6, 4, [](int, int) { return RGB(0, 128, 0); })));
  testing::FakeWorld world;
  win::Win32FileSystem files;
  win::Win32GraphicLoader graphics;
  win::Win32TextMeasurer text;
  win::Win32SystemColours colours;
  win::PagePictureWriter pictures;
  world.Env.Files = &files;
  world.Env.Graphics = &graphics;
  world.Env.Text = &text;
  world.Env.Colours = &colours;
  world.Env.Pictures = &pictures;
  AppState& state = world.State;
  state.CDFolder = cd.Path();
  NewProject(state);
  state.Project.Form.Width = 120;
  state.Project.Form.Height = 90;
  state.Project.GradientStyle = static_cast<uint8_t>(GradientStyle::None);
  state.Project.BackColor = 0x00336699u;
  state.Project.PublishStartPage = true;
  state.Project.Objects.push_back(MakeNewObject(ObjectKind::Button));
  state.Project.Objects.back()->BitmapFile = "\\glyph.bmp";
  state.Project.Objects.push_back(MakeNewObject(ObjectKind::Image));
  state.Project.Objects.back()->FileName = "\\photo.bmp";
  RenumberTags(state);
  ApplyAllObjectResources(state);
  const std::string folder = cd / "Start.files";
  ::CreateDirectoryA(folder.c_str(), nullptr);
  ASSERT_TRUE(WriteBytes(folder + "\\o9.png", "left by an object since deleted"));

  ASSERT_TRUE(PublishStartPage(state)) << (world.Ui.Shown.empty() ? "" : world.Ui.Shown[0].Text);
  EXPECT_EQ(testing::ReadBytes(cd / "Start.html").substr(0, 15), "<!DOCTYPE html>");
  EXPECT_EQ(::GetFileAttributesA((folder + "\\o9.png").c_str()), INVALID_FILE_ATTRIBUTES);

  std::unique_ptr<win::WinGraphic> glyph = graphics.DecodePicture(folder + "\\o0.png");
  ASSERT_TRUE(glyph);
  ASSERT_EQ(glyph->Width(), 8);
  EXPECT_EQ(PixelOf(*glyph, 0, 7), 0u) << "the key colour is left out";
  EXPECT_EQ(PixelOf(*glyph, 3, 3), 0xFF0000FFu);
  std::unique_ptr<win::WinGraphic> photo = graphics.DecodePicture(folder + "\\o1.png");
  ASSERT_TRUE(photo);
  EXPECT_EQ(photo->Height(), 4);
  EXPECT_EQ(PixelOf(*photo, 5, 3) & 0xFFFFFF, 0x008000u) << "an image that is not transparent keeps every pixel";
  std::unique_ptr<win::WinGraphic> back = graphics.DecodePicture(folder + "\\background.png");
  ASSERT_TRUE(back);
  EXPECT_EQ(back->Width(), 120);
  EXPECT_EQ(PixelOf(*back, 60, 45) & 0xFFFFFF, 0x996633u) << "BackColor, without a gradient";

  state.Project.PublishStartPage = false;
  ASSERT_TRUE(PublishStartPage(state));
  EXPECT_EQ(::GetFileAttributesA((cd / "Start.html").c_str()), INVALID_FILE_ATTRIBUTES);
  EXPECT_EQ(::GetFileAttributesA(folder.c_str()), INVALID_FILE_ATTRIBUTES);
}

}  // namespace
}  // namespace corvela

namespace corvela {
namespace {

TEST(StartPageWin, ARichTextPaneIsPicturedAsItShowsItsDocument) {
  testing::TempFolder cd;
  ASSERT_TRUE(testing::WriteBytes(cd / "notes.rtf", "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\plain\\fs40 "
                                                    "WWWWWWWW WWWWWWWW}"));
  win::UniqueWindow parent(::CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 300, 200, nullptr, nullptr,
                                        ::GetModuleHandleW(nullptr), nullptr));
  ASSERT_TRUE(parent);
  PaneControl bounds;
  bounds.Width = 160;
  bounds.Height = 90;
  win::RtfPane pane(parent.get(), bounds);
  ASSERT_TRUE(pane.Load(cd / "notes.rtf"));
  win::PagePictureWriter pictures;
  ASSERT_TRUE(pictures.WritePaneView(pane, cd / "pane.png"));
  win::Win32GraphicLoader graphics;
  std::unique_ptr<win::WinGraphic> view = graphics.DecodePicture(cd / "pane.png");
  ASSERT_TRUE(view);
  EXPECT_EQ(view->Width(), 160);
  EXPECT_EQ(view->Height(), 90);
  // The document's black text is in the picture, not only the white of an empty pane.
  int dark = 0;
  for (int y = 0; y < 90; ++y)
    for (int x = 0; x < 140; ++x) dark += (PixelOf(*view, x, y) & 0xFF) < 0x40;
  EXPECT_GT(dark, 40);
}

}  // namespace
}  // namespace corvela
