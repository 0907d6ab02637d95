// Captions in scripts other than Latin on the menu window: characters the chosen face lacks come
// from the fonts Windows links to it, and right-to-left text is laid out in its reading order.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "platform/win/WideText.h"
#include "project/win/Win32Text.h"
#include "support/win/MenuWindowFixture.h"
#include "support/win/Pixels.h"

namespace corvela {
namespace {

using testing::Capture;
using testing::Describe;
using testing::Empty;
using testing::IsNot;
using Scripts = testing::MenuWindowTest;

constexpr COLORREF kBackground = RGB(255, 255, 255);

FontRecord LargeFont() {
  FontRecord font;
  font.Name = "Arial";
  font.Size = 16;
  font.Color = 0x000000;
  return font;
}

// The ink of an area as rows of '#' and '.', cut to the ink's own bounds, so that the same
// characters drawn at two places compare equal.
std::string InkPattern(const Capture& picture, const RECT& area, RECT* bounds) {
  *bounds = picture.Bounds(area, IsNot(kBackground));
  std::string pattern;
  for (int y = bounds->top; y < bounds->bottom; ++y) {
    for (int x = bounds->left; x < bounds->right; ++x) pattern += picture.At(x, y) == kBackground ? '.' : '#';
    pattern += '\n';
  }
  return pattern;
}

// A face without a character draws the same box for each: distinct characters that draw distinct
// ink, none of it the box, have glyphs of their own.
TEST_F(Scripts, ChineseCaptionsDrawGlyphsOfTheirOwnWhereTheTextIsLaidOut) {
  // Private-use characters, which no font has, give the box.
  const std::vector<std::string> boxes = {"\xEE\x80\x80", "\xEE\x80\x81"};
  const std::vector<std::string> chinese = {"\xE4\xB8\xAD", "\xE6\x96\x87", "\xE8\x8F\x9C", "\xE5\x8D\x95"};
  std::vector<std::string> captions = boxes;
  captions.insert(captions.end(), chinese.begin(), chinese.end());
  state.Project.BackColor = 0xFFFFFF;
  for (size_t i = 0; i < captions.size(); ++i) {
    LabelControl& label = *Add(ObjectKind::Label, 10 + 50 * static_cast<int>(i), 10, 40, 40).AsLabel();
    label.Caption = captions[i];
    label.Font = LargeFont();
    label.Transparent = true;
  }
  Show(320, 80);
  const Capture panel = testing::PrintClient(form.InnerPanel());
  panel.Shot("scripts-chinese");

  std::vector<std::string> patterns;
  for (size_t i = 0; i < captions.size(); ++i) {
    const RECT area{10 + 50 * static_cast<LONG>(i), 10, 50 + 50 * static_cast<LONG>(i), 50};
    RECT ink;
    patterns.push_back(InkPattern(panel, area, &ink));
    ASSERT_FALSE(Empty(ink)) << captions[i];
    if (i < boxes.size()) continue;
    // Left-aligned at the top, within the extent the AutoSize measurer gives the same text.
    const TextExtent extent = text.Measure(captions[i], LargeFont(), 40, false);
    const RECT laidOut{area.left - 1, area.top, area.left + extent.Width + 1, area.top + extent.Height};
    EXPECT_TRUE(testing::Inside(ink, laidOut))
        << captions[i] << ": ink " << Describe(ink) << ", laid out " << Describe(laidOut);
  }
  EXPECT_EQ(patterns[0], patterns[1]) << "the reference does not draw boxes";
  const std::set<std::string> distinct(patterns.begin() + 2, patterns.end());
  EXPECT_EQ(distinct.size(), chinese.size()) << "some characters share their ink";
  EXPECT_EQ(distinct.count(patterns[0]), 0u) << "a character is drawn as the box";
}

// Neutral characters at the end of right-to-left text stand on its left: a label in Arabic draws
// as the system lays the text out in right-to-left reading order, not left-to-right.
TEST_F(Scripts, AnArabicCaptionIsDrawnInRightToLeftReadingOrder) {
  const std::string caption = "\xD9\x85\xD8\xB1\xD8\xAD\xD8\xA8\xD8\xA7!!";
  state.Project.BackColor = 0xFFFFFF;
  LabelControl& label = *Add(ObjectKind::Label, 10, 10, 150, 40).AsLabel();
  label.Caption = caption;
  label.Font = LargeFont();
  label.Transparent = true;
  Show(200, 60);
  const Capture panel = testing::PrintClient(form.InnerPanel());
  panel.Shot("scripts-arabic");

  // The same text drawn straight with and without the right-to-left reading order.
  auto reference = [&](UINT order) {
    testing::Canvas canvas(200, 60);
    canvas.Fill(kBackground);
    win::FontCache fonts;
    win::SelectScope select(canvas.dc(), fonts.Get(label.Font, kDesignDpi));
    ::SetBkMode(canvas.dc(), TRANSPARENT);
    RECT r{10, 10, 160, 50};
    const std::wstring wide = win::Wide(caption);
    ::DrawTextW(canvas.dc(), wide.c_str(), static_cast<int>(wide.size()), &r,
                DT_SINGLELINE | DT_EXPANDTABS | DT_NOCLIP | order);
    return canvas.Read();
  };
  const Capture rightToLeft = reference(DT_RTLREADING), leftToRight = reference(0);
  ASSERT_NE(testing::Differences(rightToLeft, leftToRight), 0) << "the reading order shows in the ink";
  RECT ink, expected, other;
  const std::string drawn = InkPattern(panel, {10, 10, 160, 50}, &ink);
  EXPECT_EQ(drawn, InkPattern(rightToLeft, {10, 10, 160, 50}, &expected));
  EXPECT_EQ(Describe(ink), Describe(expected));
  EXPECT_NE(drawn, InkPattern(leftToRight, {10, 10, 160, 50}, &other));
}

}  // namespace
}  // namespace corvela
