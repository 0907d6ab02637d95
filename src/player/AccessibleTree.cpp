#include "player/AccessibleTree.h"

#include "player/CaptionText.h"
#include "player/FocusOrder.h"
#include "player/ObjectLayout.h"
#include "project/LinkAddress.h"

namespace corvela {

namespace {

bool IsWebLink(const ObjectLink& link) {
  return link.Action == LinkAction::OpenUrl ||
         (link.Action == LinkAction::OpenFile && KindOfAddress(link.Target) == AddressKind::Web);
}

// The node of one object, or false when the object is left out.
bool NodeOf(const MenuObject& obj, AccessibleNode& node) {
  const std::string& hint = obj.Base().Hint;
  if (const std::string* caption = CaptionOf(obj)) {
    node.Name = ParseAccelerators(*caption).Text;
    if (const char32_t key = MnemonicOf(*caption)) node.AccessKey = Utf8Of(key);
  }
  if (node.Name.empty()) node.Name = hint;
  if (hint != node.Name) node.Description = hint;
  node.Focusable = TakesFocus(obj);
  node.Invokable = IsActionObject(obj);
  if (node.Invokable) {
    node.Role = IsWebLink(obj.Link) ? AccessibleRole::Hyperlink : AccessibleRole::Button;
    return true;
  }
  switch (obj.Kind) {
    case ObjectKind::Label:
      node.Role = AccessibleRole::Text;
      return !node.Name.empty();
    case ObjectKind::Button:
      // A button without a link still looks like one and says so, though it does nothing.
      node.Role = AccessibleRole::Button;
      return true;
    case ObjectKind::Image:
      node.Role = AccessibleRole::Image;
      return !hint.empty();
    case ObjectKind::Avi:
      node.Role = AccessibleRole::Animation;
      return true;
    case ObjectKind::Html:
      node.Role = AccessibleRole::WebPage;
      return true;
    case ObjectKind::Rtf:
      node.Role = AccessibleRole::Document;
      return true;
    case ObjectKind::Movie:
      node.Role = AccessibleRole::Movie;
      return true;
  }
  return false;
}

}  // namespace

AccessibleMenu BuildAccessibleTree(const MenuProject& project) {
  AccessibleMenu menu;
  menu.Name = project.Form.Caption;
  menu.RightToLeft = ReadsRightToLeft(project);
  std::vector<AccessibleNode> nodes(project.Objects.size());
  std::vector<int> shown;
  for (size_t i = 0; i < project.Objects.size(); ++i) {
    const MenuObject& obj = *project.Objects[i];
    AccessibleNode& node = nodes[i];
    node.ObjectIndex = static_cast<int>(i);
    const ControlBase& b = obj.Base();
    node.Bounds = {b.Left, b.Top, FitInt32(int64_t{b.Left} + b.Width), FitInt32(int64_t{b.Top} + b.Height)};
    if (NodeOf(obj, node)) shown.push_back(static_cast<int>(i));
  }
  for (int index : ReadingOrder(project, shown, menu.RightToLeft))
    menu.Nodes.push_back(std::move(nodes[static_cast<size_t>(index)]));
  return menu;
}

}  // namespace corvela
