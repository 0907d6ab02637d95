#include <gtest/gtest.h>

#include "platform/PictureRules.h"

namespace corvela {
namespace {

TEST(PictureRules, TheExtensionInAnyCaseChoosesTheDecoder) {
  struct Case {
    const char* path;
    PictureFormat format;
  };
  const Case cases[] = {
      {"E:\\a.bmp", PictureFormat::Bitmap},
      {"E:\\a.ICO", PictureFormat::Icon},
      {"E:\\a.Jpg", PictureFormat::Jpeg},
      {"E:\\a.jpeg", PictureFormat::Jpeg},
      {"E:\\a.gif", PictureFormat::Gif},
      {"E:\\a.emf", PictureFormat::EnhancedMetafile},
      {"E:\\a.WMF", PictureFormat::WindowsMetafile},
      {"E:\\a.Png", PictureFormat::Png},
      {"E:\\a.apng", PictureFormat::None},
      {"E:\\a.bmp.txt", PictureFormat::None},
      {"E:\\dir.bmp\\picture", PictureFormat::None},  // the dot belongs to a folder
      {"E:\\bmp", PictureFormat::None},
  };
  for (const Case& c : cases) EXPECT_EQ(PictureFormatFor(c.path), c.format) << c.path;
}

// A placeable header (key, handle, bounds, inch, reserved, checksum) and a standard header.
std::string Placeable(int16_t left, int16_t top, int16_t right, int16_t bottom, uint16_t inch, uint16_t type = 1) {
  std::string b;
  auto word = [&b](uint16_t w) {
    b += static_cast<char>(w & 0xFF);
    b += static_cast<char>(w >> 8);
  };
  word(0xCDD7);
  word(0x9AC6);
  word(0);
  for (int16_t v : {left, top, right, bottom}) word(static_cast<uint16_t>(v));
  word(inch);
  word(0);
  word(0);
  word(0);
  word(type);
  word(9);  // header size in words
  b.resize(b.size() + 14, '\0');
  return b;
}

TEST(PictureRules, APlaceableMetafileGivesItsExtentInItsOwnUnits) {
  const auto header = ParsePlaceableMetafile(Placeable(10, 20, 1450, 740, 1440));
  ASSERT_TRUE(header);
  EXPECT_EQ(header->UnitsWide, 1440);
  EXPECT_EQ(header->UnitsHigh, 720);
  EXPECT_EQ(header->UnitsPerInch, 1440);
  EXPECT_EQ(header->RecordsOffset, kPlaceableHeaderSize);
  // Bounds given right to left still have a width.
  EXPECT_EQ(ParsePlaceableMetafile(Placeable(100, 0, 0, 50, 96))->UnitsWide, 100);
}

TEST(PictureRules, WhatIsNotAPlaceableMetafileIsRefused) {
  std::string wrongKey = Placeable(0, 0, 10, 10, 96);
  wrongKey[0] = 0;
  const std::string cases[] = {
      wrongKey,
      Placeable(0, 0, 10, 10, 0),                 // no units per inch
      Placeable(0, 0, 0, 10, 96),                 // no width
      Placeable(0, 0, 10, 10, 96, 3),             // neither memory nor disk metafile
      Placeable(0, 0, 10, 10, 96).substr(0, 39),  // cut inside the standard header
  };
  for (const std::string& bytes : cases) EXPECT_FALSE(ParsePlaceableMetafile(bytes)) << bytes.size();
}

TEST(PictureRules, AnIconShowsTheImageOfTheSystemSizeWithTheMostColours) {
  const std::vector<IconImage> images = {{48, 48, 32}, {32, 32, 4}, {32, 32, 32}, {32, 32, 8}, {16, 16, 32}};
  EXPECT_EQ(BestIconImage(images, 32, 32), 2u);
  // Without one of the system's size: the largest, then the most colours.
  EXPECT_EQ(BestIconImage({{16, 16, 32}, {48, 48, 4}, {48, 48, 8}}, 32, 32), 2u);
  // An image that could not be read (no size, -1 bits) is never chosen over a readable one.
  EXPECT_EQ(BestIconImage({{0, 0, -1}, {16, 16, 1}}, 32, 32), 1u);
  EXPECT_EQ(BestIconImage({}, 32, 32), 0u);
}

TEST(PictureRules, ABitmapLeavesOutItsBottomLeftColourOrWhiteWhenMonochrome) {
  // 2 x 2, top-down, 0xAARRGGBB: the bottom-left pixel is red 0x11, green 0x22, blue 0x33.
  const uint32_t pixels[] = {0x00FFFFFF, 0x00000000, 0x00112233, 0x00445566};
  EXPECT_EQ(BitmapTransparentColour(pixels, 2, 2, false), 0x00332211u);
  EXPECT_EQ(BitmapTransparentColour(pixels, 2, 2, true), 0x00FFFFFFu);
}

TEST(PictureRules, OnlyPicturesWithSeeThroughPixelsKeepTheirAlpha) {
  uint32_t opaque[] = {0xFF102030, 0xFF405060};
  EXPECT_FALSE(SettleAlpha(opaque, 2));
  EXPECT_EQ(opaque[0], 0x00102030u);
  uint32_t partly[] = {0xFF102030, 0x80405060};
  EXPECT_TRUE(SettleAlpha(partly, 2));
  EXPECT_EQ(partly[0], 0xFF102030u);
}

TEST(PictureRules, ABitmapsFourthByteIsAlphaOnlyWhenSomePixelSetsIt) {
  uint32_t unused[] = {0x00102030, 0x00FFFFFF};
  EXPECT_FALSE(PremultiplyBitmapAlpha(unused, 2));
  EXPECT_EQ(unused[1], 0x00FFFFFFu);
  // Half-transparent white becomes premultiplied grey; fully transparent colour becomes zero.
  uint32_t soft[] = {0x80FFFFFF, 0x00FF0000, 0xFF102030};
  EXPECT_TRUE(PremultiplyBitmapAlpha(soft, 3));
  EXPECT_EQ(soft[0], 0x80808080u);
  EXPECT_EQ(soft[1], 0x00000000u);
  EXPECT_EQ(soft[2], 0xFF102030u);
  uint32_t solid[] = {0xFF102030, 0xFFFFFFFF};
  EXPECT_FALSE(PremultiplyBitmapAlpha(solid, 2));
  EXPECT_EQ(solid[0], 0x00102030u);
}

}  // namespace
}  // namespace corvela
