#pragma once
// What the running menu tells screen readers and other assistive tools: one node per object a
// user can perceive or use, with its role, name, description, place and whether it takes the
// focus or can be invoked. Pure data built from the records; the window layer serves it through
// the platform's accessibility interfaces and scales the bounds to the screen.

#include <string>
#include <vector>

#include "platform/Geometry.h"
#include "project/Model.h"

namespace corvela {

enum class AccessibleRole : uint8_t {
  Button,     // a label, button or image with a link
  Hyperlink,  // the same with a web address as its link
  Text,       // a label without a link
  Image,      // an image without a link that has a hint
  Animation,  // an AVI pane
  WebPage,    // an HTML pane
  Document,   // an RTF pane
  Movie,      // a movie pane
};

struct AccessibleNode {
  int ObjectIndex = -1;
  AccessibleRole Role = AccessibleRole::Text;
  // The caption without its "&" marks; an image's, a pane's and a captionless object's hint.
  std::string Name;
  // The hint, when it is not already the name.
  std::string Description;
  // The character the caption's "&" marks, as UTF-8 (empty: none); the window words it as its
  // platform does ("Alt+H").
  std::string AccessKey;
  Rect Bounds;  // on the inner panel, in design pixels
  bool Focusable = false;
  bool Invokable = false;  // running it is a click
};

struct AccessibleMenu {
  std::string Name;  // the window's caption
  bool RightToLeft = false;
  // In reading order (FocusOrder.h), so that reading the menu through goes as the eye does.
  std::vector<AccessibleNode> Nodes;
};

// Left out: an image without a link and without a hint, which only decorates, and a label without
// a link whose caption and hint are both empty, which says nothing.
AccessibleMenu BuildAccessibleTree(const MenuProject& project);

}  // namespace corvela
