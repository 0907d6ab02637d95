// Whether captions can be read against what lies behind them.
#include <gtest/gtest.h>

#include "project/Contrast.h"
#include "support/FakePlatform.h"
#include "support/MenuSamples.h"

namespace corvela {
namespace {

using testing::SampleMenu;

constexpr uint32_t kBlack = 0x000000, kWhite = 0xFFFFFF, kYellow = 0x00FFFF;

TEST(Contrast, LuminanceAndRatioFollowTheGuidelinesFigures) {
  EXPECT_DOUBLE_EQ(RelativeLuminance(kBlack), 0.0);
  EXPECT_DOUBLE_EQ(RelativeLuminance(kWhite), 1.0);
  EXPECT_DOUBLE_EQ(ContrastRatio(kBlack, kWhite), 21.0);
  EXPECT_DOUBLE_EQ(ContrastRatio(kWhite, kBlack), 21.0);
  // The usual boundary of small text on white: #767676 passes, #777777 does not.
  EXPECT_NEAR(ContrastRatio(0x767676, kWhite), 4.54, 0.005);
  EXPECT_NEAR(ContrastRatio(0x777777, kWhite), 4.48, 0.005);
  // Pure red weighs less than pure green: channels are not swapped (0x00BBGGRR).
  EXPECT_NEAR(RelativeLuminance(0x0000FF), 0.2126, 1e-9);
  EXPECT_NEAR(RelativeLuminance(0x00FF00), 0.7152, 1e-9);
  FontRecord font;
  for (auto [size, style, large] : {std::tuple{18, 0, true},
                                    {17, 0, false},
                                    {14, fsBold, true},
                                    {13, fsBold, false},
                                    {14, fsItalic, false},
                                    {-18, 0, true}}) {
    font.Size = size, font.Style = static_cast<uint8_t>(style);
    EXPECT_EQ(IsLargeText(font), large) << size << " " << style;
    EXPECT_EQ(MinimumContrast(font), large ? 3.0 : 4.5);
  }
}

struct ContrastMenu : SampleMenu {
  int Label(int32_t top, uint32_t text, bool transparent, uint32_t colour = kWhite) {
    const int i = Add(ObjectKind::Label, 0, top, 100, 20, false, "Text");
    LabelControl& label = *(*this)[i].AsLabel();
    label.Transparent = transparent;
    label.Color = colour;
    label.Font.Color = text;
    (*this)[i].HotTrackFont = label.Font;
    return i;
  }
  std::vector<int> Flagged(SystemColours* colours = nullptr) {
    std::vector<int> out;
    for (const ContrastFinding& f : FindLowContrast(Project, colours, 100, 256)) out.push_back(f.ObjectIndex);
    return out;
  }
};

TEST(Contrast, TextIsJudgedAgainstItsOwnFillOrTheWorstOfTheGradientBeneathIt) {
  ContrastMenu m;
  m.Project.BackColor = kBlack;
  m.Project.GradientColor = kWhite;
  m.Project.GradientStyle = static_cast<uint8_t>(GradientStyle::TopBottom);  // white at the top
  const int onLight = m.Label(0, kWhite, true);
  m.Label(230, kWhite, true);                                 // the bottom rows are near black
  const int ownFill = m.Label(230, 0x777777, false, kWhite);  // would pass on the black beneath
  const int large = m.Label(230, 0x777777, false, kWhite);
  m[large].AsLabel()->Font.Size = 18;
  m[large].HotTrackFont = m[large].AsLabel()->Font;
  // Straddling the middle: the rows that read worst with mid grey decide.
  const int middle = m.Label(100, 0x808080, true);
  const int push = m.Add(ObjectKind::Button, 0, 230, 100, 20, true, "Go");
  m[push].AsButton()->Font.Color = kWhite;  // on the button face
  const int flat = m.Add(ObjectKind::Button, 0, 230, 100, 20, true, "Go");
  m[flat].AsButton()->Flat = true;
  m[flat].AsButton()->Font.Color = kWhite;  // transparent: on the near-black gradient
  for (int button : {push, flat}) m[button].HotTrackFont = m[button].AsButton()->Font;
  m.Label(300, 0x777777, false, kWhite);  // below the panel: nobody sees it
  EXPECT_EQ(m.Flagged(), (std::vector<int>{onLight, ownFill, middle, push}));

  const ContrastFinding first = FindLowContrast(m.Project, nullptr, 100, 256).front();
  EXPECT_EQ(first.BehindRgb, kWhite);
  EXPECT_EQ(first.Required, 4.5);
  EXPECT_LT(first.Ratio, 1.2);

  // Without a gradient the panel's own colour is behind.
  m.Project.GradientStyle = static_cast<uint8_t>(GradientStyle::None);
  EXPECT_EQ(m.Flagged(), (std::vector<int>{ownFill, push}));
}

TEST(Contrast, TheHotFontIsJudgedTooTextOverAPictureIsNotAndSystemColoursResolve) {
  ContrastMenu m;
  m.Project.BackColor = kWhite;
  m.Project.GradientStyle = static_cast<uint8_t>(GradientStyle::None);
  const int hot = m.Label(0, kBlack, true);
  m[hot].HotTrackFont.Color = kYellow;
  const int picture = m.Add(ObjectKind::Image, 0, 40, 100, 60, false);
  m[picture].FileName = "\\photo.jpg";
  m.Label(50, kWhite, true);                                        // over the photo
  const int system = m.Label(120, 0x80000008u, false, kClBtnFace);  // window text on button face

  const std::vector<ContrastFinding> findings = FindLowContrast(m.Project, nullptr, 100, 256);
  ASSERT_EQ(findings.size(), 1u);
  EXPECT_EQ(findings[0].ObjectIndex, hot);
  EXPECT_TRUE(findings[0].HotFont);
  EXPECT_EQ(findings[0].TextRgb, kYellow);
  // While the label is hot its control wears the hot font; the normal one is judged as stored.
  m[hot].Hot = true;
  m[hot].AsLabel()->Font = m[hot].HotTrackFont;
  m[hot].NormalFont.Color = kBlack;
  const std::vector<ContrastFinding> whileHot = FindLowContrast(m.Project, nullptr, 100, 256);
  ASSERT_EQ(whileHot.size(), 1u);
  EXPECT_TRUE(whileHot[0].HotFont);

  testing::FakeSystemColours colours;
  colours.Values[8] = 0xC0C0C0;  // a scheme with light window text
  EXPECT_EQ(m.Flagged(&colours), (std::vector<int>{hot, system}));
}

}  // namespace
}  // namespace corvela
