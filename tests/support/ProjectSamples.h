#pragma once
// A project with one object of every kind and every stored field set to a value that differs from
// its default: Western text that code page 1252 holds (the file's bytes are those an 8-bit
// version wrote), negative coordinates and margins, system colours.

#include "project/AppState.h"

namespace corvela::testing {

// An image object at l, t of w x h appended to the project, for layout rules that look only at
// bounds and selection.
inline MenuObject& AddBox(MenuProject& project, int32_t l, int32_t t, int32_t w, int32_t h, bool selected) {
  project.Objects.push_back(std::make_unique<MenuObject>(ObjectKind::Image));
  MenuObject& obj = *project.Objects.back();
  obj.Base() = ControlBase{l, t, w, h, {}, {}, 0};
  obj.Selected = selected;
  return obj;
}

inline FontRecord DistinctFont(int seed) {
  FontRecord f;
  f.Name = u8"Font é" + std::to_string(seed);
  f.Color = 0x80000000u + static_cast<uint32_t>(seed);
  f.Size = -10 - seed;
  f.Style = static_cast<uint8_t>(seed & 0x0F);
  return f;
}

inline ObjectLink DistinctLink(int seed) {
  ObjectLink l;
  l.SoundFile = "\\s" + std::to_string(seed) + ".wav";
  l.Action = static_cast<LinkAction>(1 + seed % 7);
  l.ShowCommand = seed + 2;
  l.Target = u8"\\tü" + std::to_string(seed);
  l.Parameters = "/p " + std::to_string(seed);
  l.StartDirectory = "\\d" + std::to_string(seed);
  return l;
}

inline void SetBase(ControlBase& c, int seed) {
  c.Left = -3 - seed;
  c.Top = -7 - seed;
  c.Width = 100 + seed;
  c.Height = 50 + seed;
  c.Name = "Ctl" + std::to_string(seed);
  c.Hint = u8"hint \u00A0" + std::to_string(seed);
}

inline std::unique_ptr<MenuObject> DistinctObject(ObjectKind kind) {
  const int seed = static_cast<int>(kind) + 1;
  auto obj = std::make_unique<MenuObject>(kind);
  obj->Link = DistinctLink(seed);
  obj->ReservedText = std::string(u8"res\0ÿ", 6) + std::to_string(seed);
  obj->HotTrackBitmapFile = "\\hb" + std::to_string(seed) + ".bmp";
  obj->HotTrackImageFile = "\\hi" + std::to_string(seed) + ".gif";
  obj->HotTrackFont = DistinctFont(seed + 20);
  obj->NormalFont = DistinctFont(seed + 40);
  obj->BitmapFile = "\\b" + std::to_string(seed) + ".bmp";
  obj->FileName = u8"\\fÄ" + std::to_string(seed);
  SetBase(obj->Base(), seed);
  if (auto* l = obj->AsLabel()) {
    l->Alignment = 2;
    l->AutoSize = false;
    l->Caption = u8"Caption À\r\nline 2";
    l->Color = 0x8000000Fu;
    l->Font = DistinctFont(60);
    l->Layout = 2;
    l->Transparent = true;
    l->WordWrap = true;
    obj->NormalFont = l->Font;  // loading applies the control's font as the normal one
  } else if (auto* b = obj->AsButton()) {
    b->Caption = u8"Button ß";
    b->Flat = true;
    b->Font = DistinctFont(61);
    b->Layout = 3;
    b->Margin = -5;
    b->Spacing = -2;
    b->Transparent = false;
    obj->NormalFont = b->Font;
  } else if (auto* i = obj->AsImage()) {
    i->AutoSize = true;
    i->Center = true;
    i->Stretch = true;
    i->Transparent = true;
  }
  return obj;
}

inline void FillEveryKind(AppState& state) {
  MenuProject& p = state.Project;
  p.FormIcon = u8"\\iconä.ico";
  p.StartSound = "\\start.wav";
  p.StartLink = DistinctLink(0);
  p.BackColor = 0x80000005u;
  p.GradientColor = 0x00123456u;
  p.GradientStyle = 8;
  p.Form.BorderIcons = biSystemMenu | biMaximize | biHelp;
  p.Form.BorderStyle = 5;
  p.Form.BorderWidth = 7;
  p.Form.Caption = u8"Menü €";
  p.Form.Height = 333;
  p.Form.Left = -40;
  p.Form.Position = 0;
  p.Form.Top = -50;
  p.Form.Width = 444;
  p.Form.WindowState = 2;
  p.Form.TransparentColorValue = 0x00FF00FFu;
  p.Form.TransparentColor = true;
  p.Panel.BorderStyle = 1;
  p.Panel.BevelInner = 3;
  p.Panel.BevelOuter = 2;
  p.Panel.BevelWidth = 9;
  p.Panel.BorderWidth = -1;
  for (uint8_t k = 0; k < kObjectKindCount; ++k) p.Objects.push_back(DistinctObject(static_cast<ObjectKind>(k)));
  RenumberTags(state);
  state.ReservedWord = -123456789;
}

}  // namespace corvela::testing
