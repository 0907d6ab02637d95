#include <gtest/gtest.h>

#include "player/HighContrast.h"
#include "support/FakePlatform.h"

namespace corvela {
namespace {

using testing::FakeSystemColours;

constexpr Colour kMagenta = 0x00FF00FFu;

// A caption takes the theme's text colour, a link's its link colour, the hot link's the highlight;
// on a button's face the face's own text colour, whatever the link.
TEST(HighContrastTheme, CaptionsTakeTheThemesColourForWhatTheyAre) {
  MenuObject plain(ObjectKind::Label), link(ObjectKind::Label), face(ObjectKind::Button), flat(ObjectKind::Button);
  link.Link.Action = face.Link.Action = flat.Link.Action = LinkAction::ExitAutoRun;
  flat.AsButton()->Flat = true;  // and transparent, as buttons start
  EXPECT_EQ(ThemedTextColour(plain), SystemColourValue(kColourWindowText));
  EXPECT_EQ(ThemedTextColour(link), SystemColourValue(kColourHotLight));
  link.Hot = true;
  EXPECT_EQ(ThemedTextColour(link), SystemColourValue(kColourHighlight));
  EXPECT_EQ(ThemedButton(*face.AsButton(), face).Font.Color, SystemColourValue(kColourButtonText));
  EXPECT_EQ(ThemedButton(*flat.AsButton(), flat).Font.Color, SystemColourValue(kColourHotLight));
}

// A shaped window's key makes its holes: where the designed colour shows and is the key, it stays;
// and the theme's own window colour never becomes the key.
TEST(HighContrastTheme, TheWindowsKeyColourKeepsItsShapeAndTheThemeMakesNoHoles) {
  FakeSystemColours colours;
  MenuProject p;
  p.GradientStyle = static_cast<uint8_t>(GradientStyle::None);
  p.BackColor = kMagenta;
  EXPECT_EQ(ThemedBackColor(p, &colours), SystemColourValue(kColourWindow)) << "no key: the theme's colour";
  p.Form.TransparentColor = true;
  p.Form.TransparentColorValue = kMagenta;
  EXPECT_EQ(ThemedBackColor(p, &colours), kMagenta);
  p.GradientStyle = static_cast<uint8_t>(GradientStyle::TopBottom);
  EXPECT_EQ(ThemedBackColor(p, &colours), SystemColourValue(kColourWindow)) << "under a gradient it never showed";
  MenuObject label(ObjectKind::Label);
  label.AsLabel()->Color = kMagenta;
  EXPECT_EQ(ThemedLabel(*label.AsLabel(), label, p, &colours).Color, kMagenta);
  // A black theme on a window keyed on black: the panel and fills go one step off black.
  colours.Values[kColourWindow] = 0x000000;
  p.Form.TransparentColorValue = 0x000000;
  EXPECT_EQ(ThemedBackColor(p, &colours), 0x000001u);
  label.AsLabel()->Color = kClWhite;
  EXPECT_EQ(ThemedLabel(*label.AsLabel(), label, p, &colours).Color, 0x000001u);
}

}  // namespace
}  // namespace corvela
