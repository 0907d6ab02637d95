#include <gtest/gtest.h>

#include <vector>

#include "platform/Resample.h"

namespace corvela {
namespace {

uint32_t Grey(uint32_t v, uint32_t a = 0xFF) {
  return (a << 24) | (v << 16) | (v << 8) | v;
}

TEST(Resample, EnlargingInterpolatesReducingAveragesAndOneColourStaysOne) {
  // Nearest-pixel scaling would give 0, 0, 255, 255: the jagged look smooth scaling avoids.
  const uint32_t ramp[] = {Grey(0), Grey(255)};
  EXPECT_EQ(ResamplePremultiplied(ramp, 2, 1, 4, 1), (std::vector<uint32_t>{Grey(0), Grey(64), Grey(191), Grey(255)}));
  const uint32_t stripes[] = {Grey(0), Grey(255), Grey(0), Grey(255)};
  EXPECT_EQ(ResamplePremultiplied(stripes, 4, 1, 2, 1), (std::vector<uint32_t>{Grey(128), Grey(128)}));
  EXPECT_EQ(ResamplePremultiplied(stripes, 1, 4, 1, 3), (std::vector<uint32_t>{Grey(64), Grey(128), Grey(191)}));
  const std::vector<uint32_t> flat(6, 0xFF336699u);
  for (auto [w, h] : {std::pair{7, 5}, {1, 1}, {3, 2}, {12, 1}})
    EXPECT_EQ(ResamplePremultiplied(flat.data(), 3, 2, w, h), std::vector<uint32_t>(static_cast<size_t>(w * h), 0xFF336699u))
        << w << "x" << h;
  EXPECT_TRUE(ResamplePremultiplied(flat.data(), 3, 2, 0, 4).empty());
}

TEST(Resample, ASoftEdgeStaysPremultipliedAndKeyedPixelsBecomeSeeThrough) {
  std::vector<uint32_t> edge;
  for (uint32_t a = 0; a <= 255; a += 51) edge.push_back(Grey(a, a));  // white fading in, premultiplied
  for (uint32_t p : ResamplePremultiplied(edge.data(), static_cast<int32_t>(edge.size()), 1, 17, 3))
    for (int k = 0; k < 3; ++k) ASSERT_LE((p >> (8 * k)) & 0xFF, p >> 24) << std::hex << p;

  std::vector<uint32_t> keyed = {0x00FF00FF, 0x000000FF};
  EXPECT_TRUE(PrepareForBlending(keyed, false, true, 0x00FF00FF));
  EXPECT_EQ(keyed, (std::vector<uint32_t>{0u, 0xFF0000FFu}));
  std::vector<uint32_t> opaque = {0x00FF00FF, 0x000000FF};
  EXPECT_FALSE(PrepareForBlending(opaque, false, false, 0x00FF00FF));
  EXPECT_EQ(opaque[0], 0xFFFF00FFu);
  std::vector<uint32_t> alpha = {0x80404040, 0xFF000000};
  EXPECT_TRUE(PrepareForBlending(alpha, true, true, 0x00404040)) << "a picture with alpha is not keyed";
  EXPECT_EQ(alpha[0], 0x80404040u);
}

}  // namespace
}  // namespace corvela
