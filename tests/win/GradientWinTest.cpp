// The gradient through real GDI: the hidden renderer's PatBlt fills must give exactly the pixels of
// the portable fill, and rebuilding the picture must not leak GDI objects.
#include <gtest/gtest.h>

#include <random>

#include "platform/win/Win32Colours.h"
#include "player/win/AutoRunForm.h"
#include "player/win/GradientForm.h"
#include "support/FakePlatform.h"
#include "support/win/GdiObjects.h"
#include "support/win/Pixels.h"

namespace corvela {
namespace {

using testing::GdiObjects;
using win::UniqueBitmap;

class GradientWin : public ::testing::Test {
 protected:
  GradientWin() { world.Env.Colours = &colours; }
  void SetUp() override { ASSERT_TRUE(form.Create()); }
  testing::FakeWorld world;
  win::Win32SystemColours colours;
  win::GradientForm form;
};

TEST_F(GradientWin, GdiPicturesMatchThePortableOnesPixelForPixel) {
  struct Colours {
    Colour back, gradient;
  };
  // Every channel rising and falling; a system colour resolved by the session.
  const Colours pairs[] = {{0x00336699u, 0x00F0E0A0u}, {kClBlue, kClWhite}, {0x80000005u, 0x00102030u}};
  const std::pair<int, int> sizes[] = {{1, 1}, {2, 3}, {7, 5}, {61, 17}, {120, 300}, {300, 280}};
  for (const Colours& c : pairs) {
    world.State.Project.BackColor = c.back;
    world.State.Project.GradientColor = c.gradient;
    for (uint8_t style = 0; style <= 8; ++style) {
      world.State.Project.GradientStyle = style;
      for (auto [w, h] : sizes) {
        SCOPED_TRACE(::testing::Message()
                     << "style " << int(style) << ", " << w << "x" << h << ", back " << std::hex << c.back);
        const auto expected = RenderBackgroundPixels(world.State.Project, &colours, w, h);
        const UniqueBitmap picture = form.RenderBackground(world.State, w, h);
        ASSERT_EQ(static_cast<bool>(picture), expected.has_value());
        if (!picture) continue;
        const testing::Capture actual = testing::ReadBitmap(picture.get());
        ASSERT_EQ(actual.Width, w);
        ASSERT_EQ(actual.Height, h);
        EXPECT_EQ(actual.Pixels, expected->Pixels());
        if (&c == pairs && w == 300) actual.Shot("gradient-style-" + std::to_string(style));
        // The renderer keeps the (W + 2) x (H + 2) size, window and surface alike.
        RECT rc;
        ::GetWindowRect(form.hwnd(), &rc);
        EXPECT_EQ(rc.right - rc.left, w + 2);
        EXPECT_EQ(form.Renderer().Height(), h + 2);
      }
    }
  }
  EXPECT_FALSE(::IsWindowVisible(form.hwnd()));
}

TEST_F(GradientWin, GdiObjectCountStaysFlatOverRepeatedRenders) {
  world.State.Project.BackColor = 0x00204080u;
  world.State.Project.GradientColor = 0x00F0C080u;
  if (!testing::GdiObjectsAreCounted()) GTEST_SKIP() << "no way to count GDI objects here";
  // Warm up so that one-time allocations (the renderer's DC and bitmap) are counted before.
  form.RenderBackground(world.State, 50, 40);
  const auto before = GdiObjects();
  for (int i = 0; i < 200; ++i) {
    world.State.Project.GradientStyle = static_cast<uint8_t>(i % 9);
    const int w = 40 + i % 7 * 13, h = 30 + i % 5 * 11;
    UniqueBitmap picture = form.RenderBackground(world.State, w, h);
    UniqueBitmap once = win::RenderBackground(world.State, h, w);
    ASSERT_EQ(static_cast<bool>(picture), i % 9 != 8);
  }
  EXPECT_EQ(GdiObjects(), before);
}

TEST_F(GradientWin, MenuWindowRebuildsItsPictureOnResizeAndDropsItForNone) {
  world.State.DesignerMode = true;  // Timer1 then only switches itself off
  world.State.Project.BackColor = kClBlue;
  world.State.Project.GradientColor = kClWhite;
  world.State.Project.GradientStyle = static_cast<uint8_t>(GradientStyle::FromCenter);
  win::AutoRunForm menu(world.State);
  ASSERT_TRUE(menu.Create());
  menu.SetGradientForm(&form);
  const auto expectShown = [&](int w, int h) {
    const testing::Capture shown = testing::PrintClient(menu.InnerPanel());
    ASSERT_EQ(shown.Width, w);
    ASSERT_EQ(shown.Height, h);
    const auto expected = RenderBackgroundPixels(world.State.Project, &colours, w, h);
    EXPECT_EQ(shown.Pixels, (expected ? *expected : PixelBuffer(w, h, world.State.Project.BackColor)).Pixels());
  };
  // Every size change rebuilds the picture for the new size.
  for (auto [w, h] : {std::pair{90, 70}, {131, 47}}) {
    ::SetWindowPos(menu.hwnd(), nullptr, 0, 0, w, h, SWP_NOZORDER | SWP_NOACTIVATE);
    SCOPED_TRACE(::testing::Message() << w << "x" << h);
    expectShown(w, h);
  }
  world.State.Project.GradientStyle = static_cast<uint8_t>(GradientStyle::None);
  menu.PaintBackground();
  expectShown(131, 47);
  // Without a TGradientForm the picture is the same.
  world.State.Project.GradientStyle = static_cast<uint8_t>(GradientStyle::Radial);
  menu.SetGradientForm(nullptr);
  menu.PaintBackground();
  expectShown(131, 47);
}

TEST(MulDivWin, MatchesTheSystemFunction) {
  std::mt19937 random(7);
  std::uniform_int_distribution<int32_t> small(-1000, 1000), any(INT32_MIN, INT32_MAX);
  // Wine negates 32-bit operands for a negative divisor, which wraps at -2^31 (INT_MIN * 1 / -2
  // comes out negative there): those few cases are left out.
  const auto comparable = [](int32_t a, int32_t c) { return c != INT32_MIN && !(a == INT32_MIN && c < 0); };
  const int32_t edges[] = {0, 1, -1, 2, -2, 3, 255, -255, 256, 65536, INT32_MAX, INT32_MIN, INT32_MIN + 1};
  for (int32_t a : edges)
    for (int32_t b : edges)
      for (int32_t c : edges) {
        if (!comparable(a, c)) continue;
        EXPECT_EQ(corvela::MulDiv(a, b, c), ::MulDiv(a, b, c)) << a << " " << b << " " << c;
      }
  for (int i = 0; i < 20000; ++i) {
    const int32_t a = i % 2 ? small(random) : any(random), b = small(random), c = i % 3 ? small(random) : any(random);
    if (!comparable(a, c)) continue;
    ASSERT_EQ(corvela::MulDiv(a, b, c), ::MulDiv(a, b, c)) << a << " " << b << " " << c;
  }
}

}  // namespace
}  // namespace corvela
