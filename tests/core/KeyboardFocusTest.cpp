// The running menu without a mouse: captions' mnemonics, reading and focus order,
// arrow keys, and the focus state the window drives.
#include <gtest/gtest.h>

#include "player/CaptionText.h"
#include "player/FocusOrder.h"
#include "player/MenuFocus.h"
#include "support/MenuSamples.h"

namespace corvela {
namespace {

using testing::SampleMenu;
using Indexes = std::vector<int>;
constexpr ObjectKind kLabel = ObjectKind::Label;
constexpr ObjectKind kButton = ObjectKind::Button;

TEST(CaptionText, TheMarkedCharacterIsFoundInUtf8And8BitTextAndMatchesEitherCase) {
  struct Case {
    const char* caption;
    char32_t typed;
    bool matches;
  } cases[] = {
      {"&Help", U'h', true},
      {"&Help", U'e', false},
      {"Save && Exit", U'e', false},            // a doubled mark is an ampersand
      {"A&&B &cd", U'C', true},                 // the first single mark counts
      {"Close &", U'&', false},                 // a mark at the end marks nothing
      {"& Space", U' ', false},                 // nor one before a blank
      {"&\xC3\x89t\xC3\xA9", U'\u00E9', true},  // UTF-8 É typed as é
      {"&\xC9t\xE9", U'\u00E9', true},          // the same in 8-bit Latin-1
      {"&\xCE\xA9mega", U'\u03C9', true},       // Greek capital omega, typed small
      {"&\xD0\x96", U'\u0436', true},           // Cyrillic zhe
      {"&\xC5\xB9le", U'\u017A', true},         // Latin Extended-A with odd capitals
      {"&\xC3\xBF", U'\u0178', true},           // ÿ typed as its capital in another block
  };
  for (const Case& c : cases) EXPECT_EQ(MnemonicMatches(c.caption, c.typed), c.matches) << c.caption;
  EXPECT_EQ(MnemonicOf("&\xE4\xB8\xAD"), U'\u4E2D');
}

TEST(ReadingOrder, RowsGatherObjectsWhoseTopIsAboveTheFirstOnesMiddle) {
  SampleMenu m;
  const int a = m.Add(kButton, 100, 10, 40, 20);  // the row's first: its middle is at 20
  const int b = m.Add(kButton, 10, 19, 40, 20);   // above the middle: same row, and leftmost
  const int c = m.Add(kButton, 60, 20, 40, 5);    // at the middle: the next row
  const int d = m.Add(kButton, 60, 20, 40, 5);    // the same place: object order decides
  const int e = m.Add(kButton, 0, 24, 40, 5);     // above c's middle (22.5)? no: a third row
  EXPECT_EQ(ReadingOrder(m.Project, {a, b, c, d, e}, false), (Indexes{b, a, c, d, e}));
  // Right to left, each row starts from its rightmost right edge.
  EXPECT_EQ(ReadingOrder(m.Project, {a, b, c, d, e}, true), (Indexes{a, b, c, d, e}));
}

TEST(FocusOrder, ActionObjectsInReadingOrderThenPanesAndRoundAgain) {
  SampleMenu m;
  const int rtf = m.Add(ObjectKind::Rtf, 0, 0, 200, 50, false);  // above everything, still after them
  const int avi = m.Add(ObjectKind::Avi, 0, 60, 50, 50);         // an animation takes no keys
  const int right = m.Add(kButton, 200, 100);
  const int plain = m.Add(kLabel, 0, 100, 40, 20, false, "Plain text");
  const int left = m.Add(ObjectKind::Image, 50, 100);
  const int html = m.Add(ObjectKind::Html, 0, 200, 100, 50);
  (void)avi;
  EXPECT_EQ(FocusOrder(m.Project), (Indexes{left, right, rtf, html}));
  EXPECT_EQ(NextInFocusOrder(m.Project, -1, false), left);
  EXPECT_EQ(NextInFocusOrder(m.Project, -1, true), html);
  EXPECT_EQ(NextInFocusOrder(m.Project, html, false), left);
  EXPECT_EQ(NextInFocusOrder(m.Project, left, true), html);
  // From a label the mouse left hot, Tab goes on from where the label stands.
  EXPECT_EQ(NextInFocusOrder(m.Project, plain, false), left);
  EXPECT_EQ(NextInFocusOrder(m.Project, plain, true), html);
}

TEST(FocusOrder, AMenuOfRightToLeftCaptionsReadsFromTheRight) {
  SampleMenu m;
  const char* hebrew = "\xD7\xA9\xD7\x9C\xD7\x95\xD7\x9D";
  // b overlaps a: a starts further left but also ends further right.
  const int a = m.Add(kButton, 0, 0, 150, 20, true, hebrew);
  const int b = m.Add(kButton, 100, 0, 40, 20, true, hebrew);
  const int c = m.Add(kButton, 200, 0, 40, 20);
  m.Add(kLabel, 0, 50, 40, 20, false, "English");  // one left-to-right caption is outvoted
  EXPECT_TRUE(ReadsRightToLeft(m.Project));
  EXPECT_EQ(FocusOrder(m.Project), (Indexes{c, a, b}));
  m.Add(kLabel, 0, 80, 40, 20, false, "More English");
  EXPECT_EQ(FocusOrder(m.Project), (Indexes{a, b, c}));
}

TEST(ArrowKeys, AColumnIsWalkedUpAndDownAndAGridBothWays) {
  SampleMenu m;
  // Two columns of three; the right one slightly lower, so its buttons are nearer diagonally.
  int grid[3][2];
  for (int row = 0; row < 3; ++row)
    for (int col = 0; col < 2; ++col) grid[row][col] = m.Add(kButton, col * 60, row * 30 + col * 12, 50, 24);
  EXPECT_EQ(NearestInDirection(m.Project, grid[0][0], ArrowKey::Down), grid[1][0]);
  EXPECT_EQ(NearestInDirection(m.Project, grid[1][0], ArrowKey::Down), grid[2][0]);
  // The right column's last button is lower, but far more aside than ahead.
  EXPECT_EQ(NearestInDirection(m.Project, grid[2][0], ArrowKey::Down), -1);
  EXPECT_EQ(NearestInDirection(m.Project, grid[2][1], ArrowKey::Up), grid[1][1]);
  EXPECT_EQ(NearestInDirection(m.Project, grid[1][0], ArrowKey::Right), grid[1][1]);
  EXPECT_EQ(NearestInDirection(m.Project, grid[1][1], ArrowKey::Left), grid[1][0]);
  EXPECT_EQ(NearestInDirection(m.Project, grid[0][0], ArrowKey::Left), -1);
  // Down stays in its column even past a nearer button beside it.
  SampleMenu column;
  const int top = column.Add(kButton, 0, 0, 50, 20), bottom = column.Add(kButton, 0, 300, 50, 20);
  column.Add(kButton, 55, 100, 50, 20);
  EXPECT_EQ(NearestInDirection(column.Project, top, ArrowKey::Down), bottom);
}

TEST(ArrowKeys, OverlappingObjectsDoNotTrapTheFocus) {
  SampleMenu m;
  const int a = m.Add(kButton, 0, 0, 100, 40);
  const int b = m.Add(kButton, 10, 10, 100, 40);  // overlaps a, a little lower
  const int c = m.Add(kButton, 0, 100, 100, 40);
  EXPECT_EQ(NearestInDirection(m.Project, a, ArrowKey::Down), b);
  EXPECT_EQ(NearestInDirection(m.Project, b, ArrowKey::Down), c);
  EXPECT_EQ(NearestInDirection(m.Project, b, ArrowKey::Up), a);
  // A pile of objects with one centre is walked in focus order, and back.
  SampleMenu pile;
  const int p0 = pile.Add(kButton, 0, 0), p1 = pile.Add(kButton, 0, 0), p2 = pile.Add(kButton, 0, 0);
  EXPECT_EQ(NearestInDirection(pile.Project, p0, ArrowKey::Right), p1);
  EXPECT_EQ(NearestInDirection(pile.Project, p1, ArrowKey::Down), p2);
  EXPECT_EQ(NearestInDirection(pile.Project, p2, ArrowKey::Left), p1);
  EXPECT_EQ(NearestInDirection(pile.Project, p0, ArrowKey::Up), -1);
}

TEST(MenuFocus, NothingIsFocusedAtStartAndTabShowsTheCueAndTheHotLook) {
  SampleMenu m;
  const int a = m.Add(kButton, 0, 0), b = m.Add(kButton, 100, 0);
  MenuFocus focus;
  EXPECT_EQ(focus.Focused(), -1);
  EXPECT_FALSE(focus.CuesVisible());
  FocusStep step = focus.KeyDown(m.Project, MenuKey::Tab, false, false);
  EXPECT_TRUE(step.Handled && step.FocusMoved && step.CuesShown && step.HotMoved);
  EXPECT_EQ(step.Focused, a);
  EXPECT_EQ(step.Hot, a);
  step = focus.KeyDown(m.Project, MenuKey::Right, false, false);
  EXPECT_EQ(step.Focused, b);
  EXPECT_FALSE(step.CuesShown);  // already showing
  // A held Shift+Tab repeats.
  EXPECT_EQ(focus.KeyDown(m.Project, MenuKey::Tab, true, true).Focused, a);
}

TEST(MenuFocus, EnterAndSpaceRunTheFocusedLinkOncePerPressAndEscapeCloses) {
  SampleMenu m;
  m.Add(kLabel, 0, 0, 40, 20, false, "Title");
  const int go = m.Add(kButton, 0, 50);
  MenuFocus focus;
  EXPECT_FALSE(focus.KeyDown(m.Project, MenuKey::Enter, false, false).Handled);  // nothing focused
  focus.KeyDown(m.Project, MenuKey::Tab, false, false);
  EXPECT_EQ(focus.KeyDown(m.Project, MenuKey::Enter, false, false).RunTag, go);
  const FocusStep held = focus.KeyDown(m.Project, MenuKey::Enter, false, true);
  EXPECT_TRUE(held.Handled);
  EXPECT_EQ(held.RunTag, -1);
  EXPECT_EQ(focus.KeyDown(m.Project, MenuKey::Space, false, false).RunTag, go);
  EXPECT_EQ(focus.KeyDown(m.Project, MenuKey::Space, false, true).RunTag, -1);
  EXPECT_TRUE(focus.KeyDown(m.Project, MenuKey::Escape, false, false).Close);
}

TEST(MenuFocus, TheKeyboardGoesOnFromWhereTheMouseLeftTheHotLook) {
  SampleMenu m;
  const int a = m.Add(kButton, 0, 0), b = m.Add(kButton, 100, 0);
  const int label = m.Add(kLabel, 200, 0, 40, 20, false, "Info");
  const int c = m.Add(kButton, 300, 0);
  MenuFocus focus;
  // Hovering an action object focuses it, quietly: the cue stays hidden.
  FocusStep step = focus.HotChanged(m.Project, b);
  EXPECT_EQ(step.Focused, b);
  EXPECT_FALSE(step.CuesShown || focus.CuesVisible() || step.HotMoved);
  // The mouse moves on to the background: the focus stays, Enter runs what was hot, and Tab
  // goes on from it.
  EXPECT_EQ(focus.HotChanged(m.Project, -1).Focused, b);
  EXPECT_EQ(focus.KeyDown(m.Project, MenuKey::Enter, false, false).RunTag, b);
  EXPECT_EQ(focus.KeyDown(m.Project, MenuKey::Tab, false, false).Focused, c);
  // An unlinked label takes no focus, but the next key starts from it, even once the mouse has
  // left it.
  EXPECT_EQ(focus.HotChanged(m.Project, label).Focused, c);
  focus.HotChanged(m.Project, -1);
  EXPECT_EQ(focus.KeyDown(m.Project, MenuKey::Tab, true, false).Focused, b);
  // The keyboard moved the hot look to b; the mouse over a takes it, and the focus, again.
  EXPECT_EQ(focus.HotChanged(m.Project, a).Focused, a);
}

TEST(MenuFocus, APaneKeepsItsKeysAndTheFocusUntilTabLeavesIt) {
  SampleMenu m;
  const int a = m.Add(kButton, 0, 0);
  const int rtf = m.Add(ObjectKind::Rtf, 0, 100, 200, 100, false);
  MenuFocus focus;
  focus.KeyDown(m.Project, MenuKey::Tab, true, false);
  ASSERT_EQ(focus.Focused(), rtf);
  EXPECT_EQ(focus.Hot(), -1);
  EXPECT_FALSE(focus.KeyDown(m.Project, MenuKey::Up, false, false).Handled);
  EXPECT_FALSE(focus.KeyDown(m.Project, MenuKey::Enter, false, false).Handled);
  // Brushing a button steals nothing; Tab goes on from it, the hot one.
  EXPECT_EQ(focus.HotChanged(m.Project, a).Focused, rtf);
  EXPECT_EQ(focus.KeyDown(m.Project, MenuKey::Tab, false, false).Focused, rtf);
  EXPECT_EQ(focus.Focus(m.Project, a).Focused, a);
}

TEST(MenuFocus, AMnemonicRunsItsObjectUnlessOthersShareIt) {
  SampleMenu m;
  const int help = m.Add(kButton, 0, 0, 40, 20, true, "&Help");
  m.Add(kLabel, 0, 30, 40, 20, false, "&Exit");  // no link: its mnemonic does nothing
  const int exit1 = m.Add(kLabel, 0, 60, 40, 20, true, "&Exit");
  const int exit2 = m.Add(kButton, 0, 90, 40, 20, true, "E&xit &now");
  const int exit3 = m.Add(kButton, 0, 120, 40, 20, true, "&\xC3\x89xit");  // É is not E
  MenuFocus focus;
  FocusStep step = focus.Character(m.Project, U'H');
  EXPECT_TRUE(step.Handled && step.CuesShown);
  EXPECT_EQ(step.RunTag, help);
  EXPECT_FALSE(focus.Character(m.Project, U'q').Handled);
  EXPECT_EQ(focus.Character(m.Project, U'x').RunTag, exit2);
  // Two share E: presses walk them and run neither.
  m[exit2].AsButton()->Caption = "&Exit now";
  step = focus.Character(m.Project, U'e');
  EXPECT_EQ(step.Focused, exit1);
  EXPECT_EQ(step.RunTag, -1);
  EXPECT_EQ(focus.Character(m.Project, U'E').Focused, exit2);
  EXPECT_EQ(focus.Character(m.Project, U'e').Focused, exit1);
  EXPECT_EQ(focus.Character(m.Project, U'\u00E9').RunTag, exit3);
  // Starting from a label without a link that the mouse left hot does not count the label.
  SampleMenu r;
  const int readme = r.Add(kLabel, 0, 0, 40, 20, false, "&Readme");
  const int run = r.Add(kButton, 0, 30, 40, 20, true, "&Run");
  MenuFocus fromLabel;
  fromLabel.HotChanged(r.Project, readme);
  EXPECT_EQ(fromLabel.Character(r.Project, U'r').RunTag, run);
}

}  // namespace
}  // namespace corvela
