// What screen readers are told about a menu.
#include <gtest/gtest.h>

#include "player/AccessibleTree.h"
#include "support/MenuSamples.h"

namespace corvela {
namespace {

using testing::SampleMenu;

TEST(AccessibleTree, EachObjectGetsItsRoleNameAndDescriptionAndDecorationIsLeftOut) {
  SampleMenu m;
  m.Project.Form.Caption = "Setup disc";
  const int readme = m.Add(ObjectKind::Rtf, 0, 100, 200, 100, false);  // first in the list, last to read
  const int install = m.Add(ObjectKind::Button, 0, 0, 80, 24, true, "&Install");
  m[install].Base().Hint = "Installs the program";
  const int web = m.Add(ObjectKind::Label, 100, 0, 80, 24, true, "Our &web site");
  m[web].Link.Action = LinkAction::OpenUrl;
  const int glyphOnly = m.Add(ObjectKind::Button, 200, 0, 24, 24, true, "");
  m[glyphOnly].Base().Hint = "Help";
  const int logo = m.Add(ObjectKind::Image, 0, 40, 50, 50, false);  // decoration: left out
  const int photo = m.Add(ObjectKind::Image, 60, 40, 50, 50, false);
  m[photo].Base().Hint = "The team";
  const int note = m.Add(ObjectKind::Label, 120, 40, 80, 24, false, "Fish && chips");
  m.Add(ObjectKind::Label, 120, 70, 80, 24, false, "");  // says nothing: left out
  (void)logo;

  const AccessibleMenu menu = BuildAccessibleTree(m.Project);
  EXPECT_EQ(menu.Name, "Setup disc");
  EXPECT_FALSE(menu.RightToLeft);
  ASSERT_EQ(menu.Nodes.size(), 6u);
  struct Expected {
    int index;
    AccessibleRole role;
    const char* name;
    const char* description;
    const char* accessKey;
    bool focusable;
    bool invokable;
  } expected[] = {
      {install, AccessibleRole::Button, "Install", "Installs the program", "I", true, true},
      {web, AccessibleRole::Hyperlink, "Our web site", "", "w", true, true},
      {glyphOnly, AccessibleRole::Button, "Help", "", "", true, true},  // the hint names it, once
      {photo, AccessibleRole::Image, "The team", "", "", false, false},
      {note, AccessibleRole::Text, "Fish & chips", "", "", false, false},
      {readme, AccessibleRole::Document, "", "", "", true, false},
  };
  for (size_t i = 0; i < menu.Nodes.size(); ++i) {
    const AccessibleNode& node = menu.Nodes[i];
    const Expected& e = expected[i];
    SCOPED_TRACE(i);
    EXPECT_EQ(node.ObjectIndex, e.index);
    EXPECT_EQ(node.Role, e.role);
    EXPECT_EQ(node.Name, e.name);
    EXPECT_EQ(node.Description, e.description);
    EXPECT_EQ(node.AccessKey, e.accessKey);
    EXPECT_EQ(node.Focusable, e.focusable);
    EXPECT_EQ(node.Invokable, e.invokable);
  }
  EXPECT_EQ(menu.Nodes[1].Bounds, (Rect{100, 0, 180, 24}));
}

TEST(AccessibleTree, WebAddressesOpenedAsFilesAreLinksAndHugeBoundsStayInRange) {
  SampleMenu m;
  const int page = m.Add(ObjectKind::Image, 2147483000, 0, 2000, 10, true);
  m[page].Link.Target = " https://example.org/";
  const AccessibleMenu menu = BuildAccessibleTree(m.Project);
  ASSERT_EQ(menu.Nodes.size(), 1u);
  EXPECT_EQ(menu.Nodes[0].Role, AccessibleRole::Hyperlink);
  EXPECT_EQ(menu.Nodes[0].Bounds.Right, 2147483647);
}

}  // namespace
}  // namespace corvela
