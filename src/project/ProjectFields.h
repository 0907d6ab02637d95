#pragma once
// The stored fields of each record in file order, under the names the JSON form of a project uses.
// The binary reader and writer and the JSON conversion all walk these lists, so a field cannot be
// named, ordered or typed differently in one of them.
//
// Each list calls visit(name, field) once per field and stops at the first call that returns
// false. Field types decide the encoding: uint8_t u8, bool bool, int32_t i32, Colour (uint32_t)
// colour, std::string str, FontRecord font, LinkAction u8.

#include "project/Model.h"

namespace corvela::fields {

template <class Font, class Visit>
bool FontFields(Font& font, Visit&& visit) {
  return visit("Name", font.Name) && visit("Color", font.Color) && visit("Size", font.Size) &&
         visit("Style", font.Style);
}

// The file order is not the order of the members of ObjectLink.
template <class Link, class Visit>
bool LinkFields(Link& link, Visit&& visit) {
  return visit("Action", link.Action) && visit("ShowCommand", link.ShowCommand) && visit("SoundFile", link.SoundFile) &&
         visit("Target", link.Target) && visit("Parameters", link.Parameters) &&
         visit("StartDirectory", link.StartDirectory);
}

// Left and Top are passed apart because reading stores them elsewhere: the loaded window is
// always centred.
template <class Window, class Int, class Visit>
bool WindowFields(Window& window, Int& left, Int& top, Visit&& visit) {
  return visit("BorderIcons", window.BorderIcons) && visit("BorderStyle", window.BorderStyle) &&
         visit("BorderWidth", window.BorderWidth) && visit("Caption", window.Caption) &&
         visit("Height", window.Height) && visit("Left", left) && visit("Position", window.Position) &&
         visit("Top", top) && visit("Width", window.Width) && visit("WindowState", window.WindowState) &&
         visit("TransparentColorValue", window.TransparentColorValue) &&
         visit("TransparentColor", window.TransparentColor);
}

template <class Panel, class Visit>
bool PanelFields(Panel& panel, Visit&& visit) {
  return visit("BorderStyle", panel.BorderStyle) && visit("BevelInner", panel.BevelInner) &&
         visit("BevelOuter", panel.BevelOuter) && visit("BevelWidth", panel.BevelWidth) &&
         visit("BorderWidth", panel.BorderWidth);
}

template <class Label, class Visit>
bool LabelFields(Label& c, Visit&& visit) {
  return visit("Alignment", c.Alignment) && visit("AutoSize", c.AutoSize) && visit("Caption", c.Caption) &&
         visit("Color", c.Color) && visit("Font", c.Font) && visit("Height", c.Height) && visit("Hint", c.Hint) &&
         visit("Layout", c.Layout) && visit("Left", c.Left) && visit("Name", c.Name) && visit("Top", c.Top) &&
         visit("Transparent", c.Transparent) && visit("Width", c.Width) && visit("WordWrap", c.WordWrap);
}

template <class Button, class Visit>
bool ButtonFields(Button& c, Visit&& visit) {
  return visit("Caption", c.Caption) && visit("Flat", c.Flat) && visit("Font", c.Font) && visit("Height", c.Height) &&
         visit("Hint", c.Hint) && visit("Layout", c.Layout) && visit("Left", c.Left) && visit("Margin", c.Margin) &&
         visit("Name", c.Name) && visit("Spacing", c.Spacing) && visit("Top", c.Top) &&
         visit("Transparent", c.Transparent) && visit("Width", c.Width);
}

template <class Image, class Visit>
bool ImageFields(Image& c, Visit&& visit) {
  return visit("AutoSize", c.AutoSize) && visit("Center", c.Center) && visit("Height", c.Height) &&
         visit("Hint", c.Hint) && visit("Left", c.Left) && visit("Name", c.Name) && visit("Stretch", c.Stretch) &&
         visit("Top", c.Top) && visit("Transparent", c.Transparent) && visit("Width", c.Width);
}

// AVI, HTML, RTF and Movie.
template <class Pane, class Visit>
bool PaneFields(Pane& c, Visit&& visit) {
  return visit("Height", c.Height) && visit("Hint", c.Hint) && visit("Left", c.Left) && visit("Name", c.Name) &&
         visit("Top", c.Top) && visit("Width", c.Width);
}

// The control record that goes with the variant's alternative. The caller checks that the
// alternative matches the object's kind.
template <class Control, class Visit>
bool ControlFields(Control& control, Visit&& visit) {
  return std::visit(
      [&](auto& c) {
        using C = std::remove_const_t<std::remove_reference_t<decltype(c)>>;
        if constexpr (std::is_same_v<C, LabelControl>)
          return LabelFields(c, visit);
        else if constexpr (std::is_same_v<C, ButtonControl>)
          return ButtonFields(c, visit);
        else if constexpr (std::is_same_v<C, ImageControl>)
          return ImageFields(c, visit);
        else
          return PaneFields(c, visit);
      },
      control);
}

// Object fields 3 to 9, between the link and the control record.
template <class Object, class Visit>
bool ObjectFileFields(Object& obj, Visit&& visit) {
  return visit("ReservedText", obj.ReservedText) && visit("HotTrackBitmapFile", obj.HotTrackBitmapFile) &&
         visit("HotTrackImageFile", obj.HotTrackImageFile) && visit("HotTrackFont", obj.HotTrackFont) &&
         visit("NormalFont", obj.NormalFont) && visit("BitmapFile", obj.BitmapFile) && visit("FileName", obj.FileName);
}

// True when the control record's alternative is the one the kind reads and writes.
inline bool ControlMatchesKind(const MenuObject& obj) {
  switch (obj.Kind) {
    case ObjectKind::Label:
      return std::holds_alternative<LabelControl>(obj.Control);
    case ObjectKind::Button:
      return std::holds_alternative<ButtonControl>(obj.Control);
    case ObjectKind::Image:
      return std::holds_alternative<ImageControl>(obj.Control);
    case ObjectKind::Avi:
    case ObjectKind::Html:
    case ObjectKind::Rtf:
    case ObjectKind::Movie:
      return std::holds_alternative<PaneControl>(obj.Control);
  }
  return false;
}

}  // namespace corvela::fields
