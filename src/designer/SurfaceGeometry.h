#pragma once
// The arithmetic of the design surface: hit tests, the marks it draws over the menu picture,
// the pointer shapes and the clamp of object positions. Coordinates are those of the menu
// window's inner panel, which are also those of the surface's picture.

#include <cstdint>
#include <string>
#include <vector>

#include "platform/Geometry.h"
#include "project/Model.h"

namespace corvela {

// The band when none is drawn.
inline constexpr Rect kNoBand{-1, -1, -1, -1};

// Hit codes: nothing, the body (move), then the eight handles 1 (top-left) clockwise to 8 (left).
inline constexpr int32_t kHitNothing = -1;
inline constexpr int32_t kHitBody = 0;
inline constexpr int32_t kHitTopLeft = 1;
inline constexpr int32_t kHitTop = 2;
inline constexpr int32_t kHitTopRight = 3;
inline constexpr int32_t kHitRight = 4;
inline constexpr int32_t kHitBottomRight = 5;
inline constexpr int32_t kHitBottom = 6;
inline constexpr int32_t kHitBottomLeft = 7;
inline constexpr int32_t kHitLeft = 8;

// Half the side of a handle: boxes and squares reach 3 pixels either way of the centre.
inline constexpr int32_t kHandleReach = 3;
// Pixels of the panel that stay right of and below an object's top-left corner.
inline constexpr int32_t kClampMargin = 5;

// 1 to 8 for a handle (the highest number wins where boxes overlap), 0 for the body,
// -1 outside. The right and bottom boxes are centred on the object's last pixel.
int32_t HitTestHandles(int32_t x, int32_t y, const MenuObject& obj);
// The object's pixel rectangle L..L+W-1 by T..T+H-1, both ends included.
bool ContainsPoint(const MenuObject& obj, int32_t x, int32_t y);
// Strictly inside: L < x < L+W-1 and T < y < T+H-1, so the one-pixel border does not count.
bool StrictlyInside(const MenuObject& obj, int32_t x, int32_t y);
// Whether the object's pixel rectangle touches the band (band right and bottom included).
bool TouchesBand(const MenuObject& obj, const Rect& band);
// The band from its fixed corner to the pointer: smaller coordinates left and top.
Rect NormalisedBand(Point a, Point b);

// Keeps every object's top-left corner on the panel: left and top not below 0, and not above
// the panel's width and height minus 5 (the later rule wins on a panel narrower than that).
void ClampObjectPositions(MenuProject& project, Size panel);

// One drag step of a selected object with the pressed hit code; a resize leaves at least 1 by 1.
void ApplyDragStep(ControlBase& control, int32_t hitCode, int32_t dx, int32_t dy);

// Pointer shapes; the Win32 side maps them to IDC_ARROW, IDC_SIZEALL, IDC_SIZENWSE, ...
enum class CursorShape : uint8_t { Arrow, SizeAll, SizeNWSE, SizeNS, SizeNESW, SizeWE };
CursorShape CursorForHitCode(int32_t hitCode);
// What a press at the point would do, shown while no button is down.
CursorShape CursorAt(const MenuProject& project, int32_t x, int32_t y);

// The marks drawn over the menu picture, in drawing order.
enum class MarkKind : uint8_t {
  // Opaque white fill of Box without an outline: HTML panes are left out of the picture.
  HtmlBackground,
  // Text in the default font, transparent background, top-left corner at Box.Left, Box.Top;
  // Box.Right and Box.Bottom are the object's far edges.
  Placeholder,
  // Outline of Box only: dotted pen of kMarkColour mixed by XOR, hollow brush.
  Frame,
  // Box filled with solid kMarkColour and outlined with the dotted pen, both mixed by XOR.
  Handle,
  // An image without a picture: a solid frame of kEmptyImageColour just inside Box and Text, the
  // object's name (or "Image" without one), in that colour at its top-left corner, so that it can
  // be found and selected.
  EmptyImage,
};

inline constexpr Colour kMarkColour = 0x808080u;
inline constexpr Colour kHtmlBackgroundColour = 0xFFFFFFu;
inline constexpr Colour kEmptyImageColour = 0xA0A0A0u;

struct SurfaceMark {
  MarkKind Kind = MarkKind::Frame;
  Rect Box;
  std::string Text;  // Placeholder and EmptyImage only
  // The mark is drawn under the first CoveredBy boxes of PaneBoxes: the panes that lie above its
  // object on screen, where its frame and handles do not show.
  size_t CoveredBy = 0;
};

// "[AVI]", "[HTML]", "[RTF]", "[Movie]"; empty for labels, buttons and images.
std::string PlaceholderText(ObjectKind kind);
// The panes' boxes as they stack on screen, topmost first: panes lie above every painted object,
// and among themselves in list order.
std::vector<Rect> PaneBoxes(const MenuProject& project);
// The eight drawn handle squares of an object, in handle order (right and bottom on R and B).
std::vector<Rect> HandleSquares(const MenuObject& obj);
// Every object's marks from the topmost object down to index 0.
std::vector<SurfaceMark> BuildSurfaceMarks(const MenuProject& project);

}  // namespace corvela
