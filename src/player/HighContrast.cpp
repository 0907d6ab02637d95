#include "player/HighContrast.h"

#include "platform/Platform.h"

namespace corvela {

namespace {

// The colour keyed out of a shaped window, or none.
bool KeyedOut(const MenuProject& project, Colour colour, SystemColours* colours) {
  const FormSettings& form = project.Form;
  return form.TransparentColor &&
         ResolveColour(colour, colours) == ResolveColour(form.TransparentColorValue, colours);
}

// The theme's window colour, unless it is the key itself: then one step off it, so that the theme
// never cuts holes into the menu.
Colour WindowColourBeside(const MenuProject& project, SystemColours* colours) {
  const Colour window = SystemColourValue(kColourWindow);
  if (!KeyedOut(project, window, colours)) return window;
  const uint32_t rgb = ResolveColour(window, colours);
  return (rgb & 0xFF) == 0 ? rgb + 1 : rgb - 1;
}

}  // namespace

Colour ThemedBackColor(const MenuProject& project, SystemColours* colours) {
  // Under a gradient the designed colour never showed, and keyed out nothing.
  const bool plain = project.GradientStyle == static_cast<uint8_t>(GradientStyle::None);
  if (plain && KeyedOut(project, project.BackColor, colours)) return project.BackColor;
  return WindowColourBeside(project, colours);
}

Colour ThemedTextColour(const MenuObject& obj) {
  if (obj.Hot && obj.HasLink()) return SystemColourValue(kColourHighlight);
  return SystemColourValue(obj.HasLink() ? kColourHotLight : kColourWindowText);
}

LabelControl ThemedLabel(LabelControl label, const MenuObject& obj, const MenuProject& project,
                         SystemColours* colours) {
  label.Font.Color = ThemedTextColour(obj);
  if (!KeyedOut(project, label.Color, colours)) label.Color = WindowColourBeside(project, colours);
  return label;
}

ButtonControl ThemedButton(ButtonControl button, const MenuObject& obj) {
  // A push button and an opaque flat one draw on the button face, which the theme sets.
  const bool onFace = !(button.Flat && button.Transparent);
  button.Font.Color = onFace ? SystemColourValue(kColourButtonText) : ThemedTextColour(obj);
  return button;
}

}  // namespace corvela
