#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/Resample.h"

namespace corvela {
namespace {

std::string Describe(const Rect& r) {
  return std::to_string(r.Left) + "," + std::to_string(r.Top) + " - " + std::to_string(r.Right) + "," +
         std::to_string(r.Bottom);
}

uint32_t Grey(uint32_t v, uint32_t a = 0xFF) {
  return (a << 24) | (v << 16) | (v << 8) | v;
}

// The whole picture scaled to width x height, or empty when nothing was done.
std::vector<uint32_t> Scaled(const SourcePixels& source, int32_t width, int32_t height, bool* seeThrough = nullptr) {
  std::vector<uint32_t> out(static_cast<size_t>(std::max(width, 0)) * static_cast<size_t>(std::max(height, 0)));
  const ResampleResult r = ResamplePart(source, width, height, Rect{0, 0, width, height}, out.data());
  if (seeThrough) *seeThrough = r.SeeThrough;
  return r.Done ? out : std::vector<uint32_t>{};
}

SourcePixels Premultiplied(const uint32_t* pixels, int32_t width, int32_t height) {
  return SourcePixels{pixels, width, height, true};
}

TEST(Resample, EnlargingInterpolatesReducingAveragesAndOneColourStaysOne) {
  // Nearest-pixel scaling would give 0, 0, 255, 255: the jagged look smooth scaling avoids.
  const uint32_t ramp[] = {Grey(0), Grey(255)};
  EXPECT_EQ(Scaled(Premultiplied(ramp, 2, 1), 4, 1), (std::vector<uint32_t>{Grey(0), Grey(64), Grey(191), Grey(255)}));
  const uint32_t stripes[] = {Grey(0), Grey(255), Grey(0), Grey(255)};
  EXPECT_EQ(Scaled(Premultiplied(stripes, 4, 1), 2, 1), (std::vector<uint32_t>{Grey(128), Grey(128)}));
  EXPECT_EQ(Scaled(Premultiplied(stripes, 1, 4), 1, 3), (std::vector<uint32_t>{Grey(64), Grey(128), Grey(191)}));
  const std::vector<uint32_t> flat(6, 0xFF336699u);
  for (auto [w, h] : {std::pair{7, 5}, {1, 1}, {3, 2}, {12, 1}})
    EXPECT_EQ(Scaled(Premultiplied(flat.data(), 3, 2), w, h),
              std::vector<uint32_t>(static_cast<size_t>(w * h), 0xFF336699u))
        << w << "x" << h;
  EXPECT_TRUE(Scaled(Premultiplied(flat.data(), 3, 2), 0, 4).empty());
}

TEST(Resample, ASoftEdgeStaysPremultipliedAndKeyedPixelsBecomeSeeThrough) {
  std::vector<uint32_t> edge;
  for (uint32_t a = 0; a <= 255; a += 51) edge.push_back(Grey(a, a));  // white fading in, premultiplied
  for (uint32_t p : Scaled(Premultiplied(edge.data(), static_cast<int32_t>(edge.size()), 1), 17, 3))
    for (int k = 0; k < 3; ++k) ASSERT_LE((p >> (8 * k)) & 0xFF, p >> 24) << std::hex << p;

  const uint32_t pixels[] = {0x00FF00FF, 0x000000FF};
  bool seeThrough = false;
  EXPECT_EQ(Scaled(SourcePixels{pixels, 2, 1, false, true, 0x00FF00FF}, 2, 1, &seeThrough),
            (std::vector<uint32_t>{0u, 0xFF0000FFu}));
  EXPECT_TRUE(seeThrough);
  EXPECT_EQ(Scaled(SourcePixels{pixels, 2, 1, false, false, 0x00FF00FF}, 2, 1, &seeThrough),
            (std::vector<uint32_t>{0xFFFF00FFu, 0xFF0000FFu}))
      << "an opaque picture's unused alpha";
  EXPECT_FALSE(seeThrough);
  const uint32_t alpha[] = {0x80404040, 0xFF000000};
  EXPECT_EQ(Scaled(SourcePixels{alpha, 2, 1, true, true, 0x00404040}, 2, 1),
            (std::vector<uint32_t>{0x80404040u, 0xFF000000u}))
      << "a picture with alpha is not keyed";
}

// A stretched picture too large to scale whole is scaled where it shows; the pieces must be the
// very pixels of the whole, or the seams between two paints would show.
TEST(Resample, APartIsThatPartOfTheWholeScaledPicture) {
  std::vector<uint32_t> source;
  for (uint32_t y = 0; y < 7; ++y)
    for (uint32_t x = 0; x < 9; ++x) source.push_back(Grey((x * 37 + y * 91) % 256, 0xFF));
  for (auto [w, h] : {std::pair{23, 17}, {5, 3}, {9, 20}, {40, 4}}) {
    const SourcePixels s = Premultiplied(source.data(), 9, 7);
    const std::vector<uint32_t> whole = Scaled(s, w, h);
    for (const Rect part : {Rect{0, 0, w, h}, Rect{1, 2, w - 1, h}, Rect{w / 2, h / 3, w / 2 + 2, h / 3 + 1}}) {
      std::vector<uint32_t> piece(static_cast<size_t>(part.Width()) * static_cast<size_t>(part.Height()));
      ASSERT_TRUE(ResamplePart(s, w, h, part, piece.data()).Done) << Describe(part);
      for (int32_t y = part.Top; y < part.Bottom; ++y)
        for (int32_t x = part.Left; x < part.Right; ++x)
          ASSERT_EQ(piece[static_cast<size_t>((y - part.Top) * part.Width() + x - part.Left)],
                    whole[static_cast<size_t>(y * w + x)])
              << w << "x" << h << " part " << Describe(part) << " at " << x << "," << y;
    }
  }
  uint32_t out = 0;
  EXPECT_FALSE(ResamplePart(Premultiplied(source.data(), 9, 7), 4, 4, Rect{3, 3, 5, 4}, &out).Done) << "not inside";
}

// A 10 x 10 picture stretched over 20,000 x 20,000 design pixels at 150 % scaled whole took
// gigabytes on every paint that found another size; what is scaled now stays within the budget.
TEST(Resample, WhatIsScaledStaysWithinTheBudgetWholeWhenSmallElseTheVisiblePartElseNothing) {
  const Rect window{0, 0, 1920, 1080};
  EXPECT_EQ(PartToScale(640, 1920, 1080, window), (Rect{0, 0, 1920, 1080})) << "a full-screen background, whole";
  EXPECT_EQ(PartToScale(10, 30000, 30000, Rect{-200, 100, 1720, 1180}), (Rect{0, 100, 1720, 1180}));
  EXPECT_EQ(PartToScale(10, 30000, 30000, Rect{40000, 0, 41000, 100}), std::nullopt) << "nothing of it shows";
  EXPECT_EQ(PartToScale(10, 30000, 30000, Rect{0, 0, 9000, 9000}), std::nullopt) << "too much shows";
  for (int32_t size : {1000, 4000, 8000, 30000, 1000000})
    if (const auto part = PartToScale(size / 10, size, size, window)) {
      EXPECT_LE(ResampleBytes(size / 10, size, *part), kMaxResampleBytes) << size;
    }
}

}  // namespace
}  // namespace corvela
