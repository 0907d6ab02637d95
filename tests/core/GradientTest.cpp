#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <tuple>
#include <vector>

#include "platform/SystemColours.h"
#include "project/Gradient.h"
#include "support/FakePlatform.h"

namespace corvela {
namespace {

constexpr Colour Rgb(uint32_t r, uint32_t g, uint32_t b) {
  return r | (g << 8) | (b << 16);
}
constexpr Colour Grey(uint32_t level) {
  return Rgb(level, level, level);
}
constexpr Colour kSentinel = 0x00ABCDEFu;

PixelBuffer Filled(int w, int h, FillGeometry geometry, Colour start, Colour end) {
  PixelBuffer buffer(w, h, kSentinel);
  FillGradientRect(buffer, {0, 0, w, h}, geometry, start, end, nullptr);
  return buffer;
}

// With start black and end red = d, the red channel of BandColour(k, d) is k itself, so the band
// indices of the worked examples can be read straight off the pixels.
std::vector<std::vector<int>> Indices(const PixelBuffer& b) {
  std::vector<std::vector<int>> rows(static_cast<size_t>(b.Height()));
  for (int y = 0; y < b.Height(); ++y)
    for (int x = 0; x < b.Width(); ++x) rows[static_cast<size_t>(y)].push_back(static_cast<int>(b.At(x, y) & 0xFF));
  return rows;
}

TEST(MulDiv, RoundsHalvesAwayFromZeroInSixtyFourBits) {
  struct Case {
    int32_t a, b, c, expected;
  };
  const Case cases[] = {
      {1, 255, 2, 128},
      {1, -255, 2, -128},
      {3, -10, 4, -8},
      {-3, 10, 4, -8},
      {3, 10, -4, -8},
      {-3, -10, 4, 8},
      {5, 1, 3, 2},
      {4, 1, 3, 1},
      {-5, 1, 3, -2},
      {0, -7, 3, 0},
      {1, 300, 256, 1},
      {3, 300, 256, 4},
      {4, 300, 256, 5},
      {7, 0, 0, -1},
      {0, 0, 0, -1},
      // The product needs more than 32 bits; the result does not.
      {100000, 100000, 100000, 100000},
      // Results beyond 32 bits give -1, and so does -2^31, as on Windows.
      {65536, 65536, 2, -1},
      {INT32_MIN, 1, 1, -1},
      {INT32_MAX, 1, 1, INT32_MAX},
  };
  for (const Case& c : cases) EXPECT_EQ(MulDiv(c.a, c.b, c.c), c.expected) << c.a << " * " << c.b << " / " << c.c;
}

TEST(BandColour, InterpolatesEachChannelWithItsOwnSignedDelta) {
  const BandColours bands(Rgb(0x10, 0xF0, 0x80), Rgb(0x80, 0x10, 0xF0));
  EXPECT_EQ(bands.BandColour(0, 7), Rgb(0x10, 0xF0, 0x80));
  EXPECT_EQ(bands.BandColour(7, 7), Rgb(0x80, 0x10, 0xF0));
  EXPECT_EQ(bands.BandColour(1, 2), Rgb(72, 128, 184));
  // 37.33 rounds down, -74.67 rounds away from zero.
  EXPECT_EQ(bands.BandColour(1, 3), Rgb(53, 165, 165));
  // A single band is the start colour, not MulDiv's -1 off it.
  EXPECT_EQ(bands.BandColour(0, 0), Rgb(0x10, 0xF0, 0x80));
}

TEST(FillGradientRect, LinearBandsOfSixPixelsStepBy51) {
  const PixelBuffer up = Filled(2, 6, FillGeometry::BottomUp, kClBlack, kClWhite);
  const PixelBuffer left = Filled(6, 2, FillGeometry::RightToLeft, kClBlack, kClWhite);
  const Colour expected[] = {Grey(255), Grey(204), Grey(153), Grey(102), Grey(51), Grey(0)};
  for (int i = 0; i < 6; ++i) {
    EXPECT_EQ(up.At(0, i), expected[i]) << "row " << i;
    EXPECT_EQ(up.At(1, i), expected[i]) << "row " << i;
    EXPECT_EQ(left.At(i, 0), expected[i]) << "column " << i;
    EXPECT_EQ(left.At(i, 1), expected[i]) << "column " << i;
  }
}

TEST(FillGradientRect, ExtentsBeyond256GetExactly256BandsOfRoundedThickness) {
  // 300 rows: band boundaries 0, 1, 2, 4, 5 from the bottom, grey levels 0, 1, 2, 3.
  const PixelBuffer small = Filled(1, 300, FillGeometry::BottomUp, kClBlack, kClWhite);
  const Colour fromBottom[] = {Grey(0), Grey(1), Grey(2), Grey(2), Grey(3)};
  for (int t = 0; t < 5; ++t) EXPECT_EQ(small.At(0, 299 - t), fromBottom[t]) << "row " << t << " from the bottom";

  // 600 columns: 256 bands, each 2 or 3 pixels.
  const PixelBuffer wide = Filled(600, 1, FillGeometry::RightToLeft, kClBlack, kClWhite);
  std::vector<int> runs{1};
  for (int x = 1; x < 600; ++x) {
    if (wide.At(x, 0) == wide.At(x - 1, 0))
      ++runs.back();
    else
      runs.push_back(1);
  }
  ASSERT_EQ(runs.size(), 256u);
  for (int r : runs) EXPECT_TRUE(r == 2 || r == 3) << r;
  EXPECT_EQ(wide.At(0, 0), kClWhite);
  EXPECT_EQ(wide.At(599, 0), kClBlack);
}

TEST(FillGradientRect, RingsOfANineBySixRectangle) {
  const PixelBuffer b = Filled(9, 6, FillGeometry::Rings, kClBlack, Rgb(7, 0, 0));
  const std::vector<std::vector<int>> expected = {
      {0, 0, 0, 0, 0, 0, 0, 0, 0}, {0, 2, 2, 2, 2, 2, 2, 2, 0}, {0, 2, 4, 6, 6, 6, 4, 2, 0},
      {0, 2, 4, 6, 6, 6, 4, 2, 0}, {0, 2, 2, 2, 2, 2, 2, 2, 0}, {0, 0, 0, 0, 0, 0, 0, 0, 0},
  };
  EXPECT_EQ(Indices(b), expected);
}

TEST(FillGradientRect, RingsOfTallAndSquareRectanglesStopShortOfTheEndColour) {
  // Taller than wide: the middle column is painted from the outside toward the centre, last with D - 1.
  const PixelBuffer tall = Filled(3, 7, FillGeometry::Rings, kClBlack, Rgb(4, 0, 0));
  const std::vector<std::vector<int>> expectedTall = {{0, 0, 0}, {0, 2, 0}, {0, 3, 0}, {0, 3, 0},
                                                      {0, 3, 0}, {0, 2, 0}, {0, 0, 0}};
  EXPECT_EQ(Indices(tall), expectedTall);
  // Equal halves: the centre gets D - 2.
  const PixelBuffer square = Filled(6, 6, FillGeometry::Rings, kClBlack, Rgb(6, 0, 0));
  EXPECT_EQ(square.At(2, 2) & 0xFF, 4u);
  EXPECT_EQ(square.At(3, 3) & 0xFF, 4u);
  EXPECT_EQ(square.At(1, 4) & 0xFF, 2u);
}

// For 7 x 4 the closed form gives the worked example's rows 0 2 4 6 8 9 10 / 2 2 4 6 8 9 10 /
// 4 4 4 6 8 9 10 / 6 6 6 6 8 9 10, and the bottom-left corner the same rows upside down.
TEST(FillGradientRect, CornerPixelsFollowTheClosedFormForAnyShape) {
  // Taller-than-wide shapes exercise the fills that run one column past the right edge.
  for (auto [w, h] : {std::pair{7, 4}, {4, 7}, {5, 5}, {1, 3}, {3, 1}, {2, 9}, {12, 2}}) {
    const int d = w + h;
    const PixelBuffer top = Filled(w, h, FillGeometry::TopLeftCorner, kClBlack, Rgb(d, 0, 0));
    const PixelBuffer bottom = Filled(w, h, FillGeometry::BottomLeftCorner, kClBlack, Rgb(d, 0, 0));
    for (int y = 0; y < h; ++y) {
      for (int x = 0; x < w; ++x) {
        const auto index = [&](int r) { return x <= r ? r + std::min(r, w) : x + std::min(x, h); };
        EXPECT_EQ(static_cast<int>(top.At(x, y) & 0xFF), index(y)) << w << "x" << h << " at " << x << "," << y;
        EXPECT_EQ(static_cast<int>(bottom.At(x, y) & 0xFF), index(h - 1 - y))
            << w << "x" << h << " at " << x << "," << y;
      }
    }
  }
}

TEST(FillGradientRect, RendererValuesOutsideTheProgramsSet) {
  for (uint8_t value : {0, 2, 7, 8, 9, 200}) {
    PixelBuffer b = Filled(5, 4, static_cast<FillGeometry>(value), kClBlack, kClWhite);
    if (value == 0)
      EXPECT_EQ(b.Pixels(), Filled(5, 4, FillGeometry::BottomUp, kClBlack, kClWhite).Pixels());
    else if (value == 2)
      EXPECT_EQ(b.Pixels(), Filled(5, 4, FillGeometry::RightToLeft, kClBlack, kClWhite).Pixels());
    else
      EXPECT_EQ(b.Pixels(), PixelBuffer(5, 4, kSentinel).Pixels()) << "value " << int(value) << " paints nothing";
  }
}

TEST(FillGradientRect, PaintsOnlyTheNormalisedRectangleOfALargerSurface) {
  for (auto geometry : {FillGeometry::BottomUp, FillGeometry::RightToLeft, FillGeometry::Rings,
                        FillGeometry::TopLeftCorner, FillGeometry::BottomLeftCorner}) {
    PixelBuffer forward(12, 10, kSentinel), swapped(12, 10, kSentinel);
    FillGradientRect(forward, {2, 3, 9, 7}, geometry, kClBlack, kClWhite, nullptr);
    FillGradientRect(swapped, {9, 7, 2, 3}, geometry, kClBlack, kClWhite, nullptr);
    EXPECT_EQ(forward.Pixels(), swapped.Pixels());
    for (int y = 0; y < 10; ++y)
      for (int x = 0; x < 12; ++x) {
        const bool inside = x >= 2 && x < 9 && y >= 3 && y < 7;
        EXPECT_EQ(forward.At(x, y) == kSentinel, !inside) << int(geometry) << " at " << x << "," << y;
      }
  }
}

TEST(FillRadialRect, CentreToCornersMonotonicAndSymmetric) {
  for (auto [w, h] : {std::pair{9, 7}, {10, 6}, {3, 3}, {2, 2}, {1, 1}, {4, 11}, {602, 202}}) {
    PixelBuffer b(w, h, kSentinel);
    FillRadialRect(b, {0, 0, w, h}, kClBlack, kClWhite, nullptr);
    SCOPED_TRACE(::testing::Message() << w << "x" << h);
    // Grey level by squared distance (in half pixels) from the centre.
    std::vector<std::pair<int64_t, uint32_t>> byDistance;
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x) {
        const Colour c = b.At(x, y);
        ASSERT_NE(c, kSentinel) << "unpainted " << x << "," << y;
        ASSERT_EQ(c, Grey(c & 0xFF));
        ASSERT_EQ(c, b.At(w - 1 - x, y));
        ASSERT_EQ(c, b.At(x, h - 1 - y));
        const int64_t dx = 2 * x + 1 - w, dy = 2 * y + 1 - h;
        byDistance.push_back({dx * dx + dy * dy, c & 0xFF});
      }
    std::sort(byDistance.begin(), byDistance.end());
    for (size_t i = 1; i < byDistance.size(); ++i) ASSERT_LE(byDistance[i - 1].second, byDistance[i].second);
    EXPECT_EQ(b.At(0, 0), w * h == 1 ? kClBlack : kClWhite);
    EXPECT_EQ(b.At(w / 2, h / 2), (w == 2 && h == 2) ? kClWhite : kClBlack);
  }
  // Large enough for the full 256 bands.
  PixelBuffer big(602, 202);
  FillRadialRect(big, {0, 0, 602, 202}, kClBlack, kClWhite, nullptr);
  EXPECT_EQ(std::set<Colour>(big.Pixels().begin(), big.Pixels().end()).size(), 256u);
}

// GDI surfaces only fill rectangles; a picture in memory takes shortcuts (rows written or copied
// directly, fills replayed in strips). Both must give the same pixels.
TEST(FillGradientRect, RectanglesOnlySurfaceGetsThePixelsOfTheInMemoryOne) {
  class RectanglesOnly final : public FillSurface {
   public:
    explicit RectanglesOnly(PixelBuffer& b) : b_(b) {}
    int32_t Width() const override { return b_.Width(); }
    int32_t Height() const override { return b_.Height(); }
    void FillSolid(const PixelRect& r, Colour rgb) override { b_.FillSolid(r, rgb); }

   private:
    PixelBuffer& b_;
  };
  for (auto geometry : {FillGeometry::RightToLeft, FillGeometry::Rings, FillGeometry::TopLeftCorner,
                        FillGeometry::BottomLeftCorner, FillGeometry::Radial})
    for (auto [w, h] : {std::pair{9, 7}, {10, 6}, {1, 5}, {61, 17}, {17, 61}, {602, 202}}) {
      PixelBuffer direct(w, h, kSentinel), plain(w, h, kSentinel);
      RectanglesOnly rectangles(plain);
      for (FillSurface* s : {static_cast<FillSurface*>(&direct), static_cast<FillSurface*>(&rectangles)}) {
        if (geometry == FillGeometry::Radial)
          FillRadialRect(*s, {0, 0, w, h}, 0x00336699u, 0x00F0E0A0u, nullptr);
        else
          FillGradientRect(*s, {0, 0, w, h}, geometry, 0x00336699u, 0x00F0E0A0u, nullptr);
      }
      EXPECT_EQ(direct.Pixels(), plain.Pixels()) << int(geometry) << " " << w << "x" << h;
    }
}

// Blue and white as in the examples: red and green step together, blue stays 255.
constexpr Colour BlueToWhite(uint32_t level) {
  return Rgb(level, level, 255);
}

TEST(RenderBackground, EachStyleOnASevenByFivePanel) {
  struct Case {
    int style;
    Colour topLeft, topRight, bottomLeft, bottomRight, middle, rendererCentre;
  };
  // The renderer is 9 x 7; its rightmost two columns and bottom two rows are cut off.
  const Case cases[] = {
      {0, BlueToWhite(255), BlueToWhite(255), BlueToWhite(85), BlueToWhite(85), BlueToWhite(170), BlueToWhite(128)},
      {1, BlueToWhite(0), BlueToWhite(0), BlueToWhite(170), BlueToWhite(170), BlueToWhite(85), BlueToWhite(127)},
      {2, BlueToWhite(255), BlueToWhite(64), BlueToWhite(255), BlueToWhite(64), BlueToWhite(159), BlueToWhite(128)},
      {3, BlueToWhite(0), BlueToWhite(191), BlueToWhite(0), BlueToWhite(191), BlueToWhite(96), BlueToWhite(127)},
      {4, BlueToWhite(0), BlueToWhite(0), BlueToWhite(0), BlueToWhite(146), BlueToWhite(146), BlueToWhite(219)},
      {5, BlueToWhite(0), BlueToWhite(191), BlueToWhite(128), BlueToWhite(191), BlueToWhite(96), BlueToWhite(128)},
      {6, BlueToWhite(191), BlueToWhite(191), BlueToWhite(64), BlueToWhite(191), BlueToWhite(128), BlueToWhite(128)},
      {7, BlueToWhite(255), BlueToWhite(204), BlueToWhite(204), BlueToWhite(102), BlueToWhite(51), BlueToWhite(0)},
  };
  for (const Case& c : cases) {
    MenuProject project;
    project.BackColor = kClBlue;
    project.GradientColor = kClWhite;
    project.GradientStyle = static_cast<uint8_t>(c.style);
    const auto picture = RenderBackgroundPixels(project, nullptr, 7, 5);
    ASSERT_TRUE(picture) << "style " << c.style;
    ASSERT_EQ(picture->Width(), 7);
    ASSERT_EQ(picture->Height(), 5);
    SCOPED_TRACE(::testing::Message() << "style " << c.style);
    EXPECT_EQ(picture->At(0, 0), c.topLeft);
    EXPECT_EQ(picture->At(6, 0), c.topRight);
    EXPECT_EQ(picture->At(0, 4), c.bottomLeft);
    EXPECT_EQ(picture->At(6, 4), c.bottomRight);
    EXPECT_EQ(picture->At(3, 2), c.middle);
    EXPECT_EQ(picture->At(4, 3), c.rendererCentre);
  }
}

TEST(RenderBackground, NoPictureForNoneButtonFaceOrUnknownStyles) {
  MenuProject project;
  project.BackColor = kClBlue;
  project.GradientColor = kClWhite;
  const std::tuple<uint8_t, Colour, bool> cases[] = {
      {8, kClWhite, false},
      {9, kClWhite, false},
      {255, kClWhite, false},
      // The stored values are compared, not what they resolve to.
      {0, kClBtnFace, false},
      {4, kClBtnFace, false},
      {7, kClBtnFace, false},
      {0, ClassicSystemColour(15), true},
      {0, 0x80000005u, true},
  };
  for (auto [style, gradient, shown] : cases) {
    project.GradientStyle = style;
    project.GradientColor = gradient;
    EXPECT_EQ(RenderBackgroundPixels(project, nullptr, 7, 5).has_value(), shown)
        << "style " << int(style) << " gradient " << std::hex << gradient;
  }
}

TEST(RenderBackground, PanelSizesAtTheEdges) {
  MenuProject project;
  project.BackColor = kClBlue;
  project.GradientColor = kClWhite;
  project.GradientStyle = static_cast<uint8_t>(GradientStyle::TopBottom);
  // A zero-sized panel still has a (2 x 2 renderer and an) empty picture.
  for (auto [w, h] : {std::pair{0, 0}, {-5, 3}}) {
    const auto empty = RenderBackgroundPixels(project, nullptr, w, h);
    ASSERT_TRUE(empty);
    EXPECT_EQ(empty->Width(), 0);
    EXPECT_TRUE(empty->Pixels().empty());
  }
  // 598 rows: top row white, the bottom row one band from blue (band 0 lies in the cut-off rows).
  const auto tall = RenderBackgroundPixels(project, nullptr, 3, 598);
  EXPECT_EQ(tall->At(1, 0), kClWhite);
  EXPECT_EQ(tall->At(1, 597), BlueToWhite(1));
  // 100 columns, style 2: 102 one-pixel bands; the panel shows bands 101 down to 2.
  project.GradientStyle = static_cast<uint8_t>(GradientStyle::LeftRight);
  const auto wide = RenderBackgroundPixels(project, nullptr, 100, 2);
  const BandColours bands(kClBlue, kClWhite);
  for (int x = 0; x < 100; ++x) EXPECT_EQ(wide->At(x, 1), bands.BandColour(101 - x, 101)) << "column " << x;
}

TEST(RenderBackground, SystemColoursResolveThroughThePlatform) {
  testing::FakeWorld world;
  world.Colours.Values[5] = Rgb(0x12, 0x34, 0x56);
  MenuProject project;
  project.BackColor = 0x80000005u;
  project.GradientColor = 0x80000012u;  // button text: black in the classic scheme
  project.GradientStyle = static_cast<uint8_t>(GradientStyle::FromTopLeft);
  const auto picture = RenderBackgroundPixels(project, world.Env.Colours, 6, 6);
  EXPECT_EQ(picture->At(0, 0), Rgb(0x12, 0x34, 0x56));
  const auto classic = RenderBackgroundPixels(project, nullptr, 6, 6);
  EXPECT_EQ(classic->At(0, 0), kClWhite);
  EXPECT_EQ(ResolveColour(0x80000012u, nullptr), kClBlack);
}

}  // namespace
}  // namespace corvela
