#pragma once
// The in-memory model of one menu: plain records holding every stored property, plus the
// runtime pieces (pictures, pane windows) that the platform layer fills. The menu window's
// interface is in MenuView.h, the process-wide state in AppState.h.

#include <cstdint>
#include <memory>
#include <string>
#include <variant>
#include <vector>

#include "platform/Graphic.h"
#include "platform/PaneWindow.h"
#include "platform/SystemColours.h"

namespace corvela {

inline constexpr Colour kClBtnFace = 0x8000000Fu;
inline constexpr Colour kClSilver = 0x00C0C0C0u;
inline constexpr Colour kClBlue = 0x00FF0000u;
inline constexpr Colour kClWhite = 0x00FFFFFFu;
inline constexpr Colour kClBlack = 0x00000000u;

enum class ObjectKind : uint8_t { Label = 0, Button = 1, Image = 2, Avi = 3, Html = 4, Rtf = 5, Movie = 6 };
inline constexpr uint8_t kObjectKindCount = 7;

enum class LinkAction : uint8_t {
  None = 0,
  OpenFile = 1,
  OpenUrl = 2,
  SendEmail = 3,
  PlaySound = 4,
  PrintFile = 5,
  BrowseCd = 6,
  ExitAutoRun = 7,
};

enum class GradientStyle : uint8_t {
  TopBottom = 0,
  BottomTop = 1,
  LeftRight = 2,
  RightLeft = 3,
  FromCenter = 4,
  FromTopLeft = 5,
  FromBottomLeft = 6,
  Radial = 7,
  None = 8,
};

// Font style bits.
inline constexpr uint8_t fsBold = 1;
inline constexpr uint8_t fsItalic = 2;
inline constexpr uint8_t fsUnderline = 4;
inline constexpr uint8_t fsStrikeOut = 8;

struct FontRecord {
  std::string Name = "MS Sans Serif";
  Colour Color = 0x80000008u;  // clWindowText
  int32_t Size = 8;
  uint8_t Style = 0;
  bool operator==(const FontRecord& o) const {
    return Name == o.Name && Color == o.Color && Size == o.Size && Style == o.Style;
  }
  bool operator!=(const FontRecord& o) const { return !(*this == o); }
};

struct ObjectLink {
  std::string SoundFile;
  LinkAction Action = LinkAction::None;  // stored as a byte; values above 7 survive a round trip
  int32_t ShowCommand = 1;
  std::string Target;
  std::string Parameters;
  std::string StartDirectory;
  bool operator==(const ObjectLink& o) const {
    return SoundFile == o.SoundFile && Action == o.Action && ShowCommand == o.ShowCommand && Target == o.Target &&
           Parameters == o.Parameters && StartDirectory == o.StartDirectory;
  }
  bool operator!=(const ObjectLink& o) const { return !(*this == o); }
};

// Window-level properties; the file stores them in this order.
enum BorderIconBits : uint8_t { biSystemMenu = 1, biMinimize = 2, biMaximize = 4, biHelp = 8 };
enum class FormBorderStyle : uint8_t { None = 0, Single = 1, Sizeable = 2, Dialog = 3, ToolWindow = 4, SizeToolWin = 5 };
enum class WindowState : uint8_t { Normal = 0, Minimized = 1, Maximized = 2 };
enum class FormPosition : uint8_t { Designed = 0, ScreenCenter = 4 };
enum class BevelCut : uint8_t { None = 0, Lowered = 1, Raised = 2, Space = 3 };

struct FormSettings {
  uint8_t BorderIcons = biSystemMenu;
  uint8_t BorderStyle = static_cast<uint8_t>(FormBorderStyle::None);
  int32_t BorderWidth = 0;
  std::string Caption = "AutoRun";
  int32_t Height = 0;
  int32_t Left = 0;
  uint8_t Position = static_cast<uint8_t>(FormPosition::ScreenCenter);
  int32_t Top = 0;
  int32_t Width = 0;
  uint8_t WindowState = 0;
  Colour TransparentColorValue = 0;
  bool TransparentColor = false;
};

// The outer panel's border settings.
struct PanelSettings {
  uint8_t BorderStyle = 0;  // 0 bsNone, 1 bsSingle
  uint8_t BevelInner = 0;
  uint8_t BevelOuter = 0;
  int32_t BevelWidth = 1;
  int32_t BorderWidth = 0;
};

// Properties every control has.
struct ControlBase {
  int32_t Left = 0;
  int32_t Top = 0;
  int32_t Width = 0;
  int32_t Height = 0;
  std::string Name;
  std::string Hint;
  int32_t Tag = 0;
};

enum class TextAlignment : uint8_t { LeftJustify = 0, RightJustify = 1, Center = 2 };
enum class TextLayout : uint8_t { Top = 0, Center = 1, Bottom = 2 };
enum class ButtonLayout : uint8_t { GlyphLeft = 0, GlyphRight = 1, GlyphTop = 2, GlyphBottom = 3 };

struct LabelControl : ControlBase {
  uint8_t Alignment = 0;
  bool AutoSize = true;
  std::string Caption;
  Colour Color = kClBtnFace;
  FontRecord Font;
  uint8_t Layout = 0;
  bool Transparent = false;
  bool WordWrap = false;
  LabelControl() { Width = 65; Height = 17; }
};

struct ButtonControl : ControlBase {
  std::string Caption;
  bool Flat = false;
  FontRecord Font;
  uint8_t Layout = 0;
  int32_t Margin = -1;
  int32_t Spacing = 4;
  bool Transparent = true;
  ButtonControl() { Width = 23; Height = 22; }
};

struct ImageControl : ControlBase {
  bool AutoSize = false;
  bool Center = false;
  bool Stretch = false;
  bool Transparent = false;
  ImageControl() { Width = 105; Height = 105; }
};

// AVI, HTML, RTF and Movie panes carry only the common properties.
struct PaneControl : ControlBase {
  PaneControl() { Width = 100; Height = 80; }
};

using ControlRecord = std::variant<LabelControl, ButtonControl, ImageControl, PaneControl>;

struct MenuObject {
  ObjectKind Kind = ObjectKind::Label;
  ObjectLink Link;
  std::string ReservedText;
  FontRecord NormalFont;
  FontRecord HotTrackFont;
  std::string BitmapFile;
  std::string HotTrackBitmapFile;
  std::string FileName;
  std::string HotTrackImageFile;
  bool Selected = false;
  bool Hot = false;
  ControlRecord Control;
  // Runtime caches, never saved.
  std::unique_ptr<Graphic> Bitmap;
  std::unique_ptr<Graphic> HotTrackBitmap;
  std::unique_ptr<Graphic> Picture;
  std::unique_ptr<Graphic> HotTrackPicture;
  // What the control shows now, one of the caches above or null: for a button null means the
  // built-in fallback glyph, for an image no picture.
  const Graphic* Shown = nullptr;
  std::unique_ptr<PaneWindow> Pane;

  explicit MenuObject(ObjectKind kind = ObjectKind::Label);
  ~MenuObject();
  MenuObject(const MenuObject&) = delete;
  MenuObject& operator=(const MenuObject&) = delete;

  ControlBase& Base();
  const ControlBase& Base() const;
  LabelControl* AsLabel() { return std::get_if<LabelControl>(&Control); }
  ButtonControl* AsButton() { return std::get_if<ButtonControl>(&Control); }
  ImageControl* AsImage() { return std::get_if<ImageControl>(&Control); }
  const LabelControl* AsLabel() const { return std::get_if<LabelControl>(&Control); }
  const ButtonControl* AsButton() const { return std::get_if<ButtonControl>(&Control); }
  const ImageControl* AsImage() const { return std::get_if<ImageControl>(&Control); }
  // The control shows the hand cursor when the object has a link.
  bool HasLink() const { return Link.Action != LinkAction::None; }
};

// The control record that a kind starts with (the control class's own defaults).
ControlRecord DefaultControlFor(ObjectKind kind);
// Defaults that the designer gives a freshly placed object on top of the control defaults.
std::unique_ptr<MenuObject> MakeNewObject(ObjectKind kind);
bool IsValidKind(uint8_t kind);
// "Label", "Button", ..., "AVI": how lists name an object without a name of its own.
const char* KindName(ObjectKind kind);
// Frees an object with its caches and pane.
void DisposeObject(std::unique_ptr<MenuObject> obj);

// An entry of the project file's extension block that this version does not know: kept as read
// and written back unchanged, so a newer designer's settings survive a save by this one.
struct ExtensionEntry {
  uint32_t Tag = 0;
  std::string Bytes;
  bool operator==(const ExtensionEntry& other) const { return Tag == other.Tag && Bytes == other.Bytes; }
};

struct MenuProject {
  std::string FormIcon;
  std::string StartSound;
  ObjectLink StartLink;
  Colour BackColor = kClSilver;
  Colour GradientColor = kClWhite;
  uint8_t GradientStyle = static_cast<uint8_t>(GradientStyle::BottomTop);
  std::vector<std::unique_ptr<MenuObject>> Objects;
  FormSettings Form;
  PanelSettings Panel;
  // The disc's volume label, UTF-8; empty: none set (autorun.inf and the image go without).
  std::string DiscLabel;
  // Save also writes a start page that any browser opens, for computers that never start the
  // player (Start.html and Start.files beside it). Kept in the extension block.
  bool PublishStartPage = false;
  std::vector<ExtensionEntry> UnknownExtensions;
};

}  // namespace corvela
