#include "dialogs/win/DialogControls.h"

#include <commdlg.h>

#include <iterator>

#include "dialogs/DialogRules.h"
#include "platform/win/Handles.h"
#include "platform/win/WideText.h"
#include "project/win/Win32Text.h"

namespace corvela::win {

void DrawColourSwatch(const DRAWITEMSTRUCT& item, Colour colour) {
  UniqueBrush brush(::CreateSolidBrush(GdiColour(colour)));
  ::FillRect(item.hDC, &item.rcItem, brush.get());
}

void DrawFontSample(const DRAWITEMSTRUCT& item, const FontRecord& font) {
  static constexpr wchar_t kSample[] = L"Font";
  HDC dc = item.hDC;
  const COLORREF text = GdiColour(font.Color);
  UniqueBrush back(::CreateSolidBrush(FontSampleBackground(text, ::GetSysColor(COLOR_BTNFACE))));
  ::FillRect(dc, &item.rcItem, back.get());
  RECT r = item.rcItem;
  ::InflateRect(&r, -2, -1);
  // A large font is drawn smaller, so that the whole word shows in its face and style.
  LOGFONTW logFont = MakeLogFont(font, ::GetDeviceCaps(dc, LOGPIXELSY));
  UniqueFont gdiFont(::CreateFontIndirectW(&logFont));
  DcStateScope state(dc);
  SIZE extent{};
  {
    SelectScope measure(dc, gdiFont.get());
    ::GetTextExtentPoint32W(dc, kSample, static_cast<int>(std::size(kSample)) - 1, &extent);
  }
  const int32_t height = logFont.lfHeight < 0 ? -logFont.lfHeight : logFont.lfHeight;
  const int32_t fitted = FontSampleHeight(height, {extent.cx, extent.cy}, {r.right - r.left, r.bottom - r.top});
  if (fitted != height) {
    logFont.lfHeight = logFont.lfHeight < 0 ? -fitted : fitted;
    logFont.lfWidth = 0;
    gdiFont.reset(::CreateFontIndirectW(&logFont));
  }
  SelectScope select(dc, gdiFont.get());
  ::SetBkMode(dc, TRANSPARENT);
  ::SetTextColor(dc, text);
  ::DrawTextW(dc, kSample, -1, &r, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
}

void DrawFolderButton(const DRAWITEMSTRUCT& item) {
  HDC dc = item.hDC;
  RECT r = item.rcItem;
  ::FillRect(dc, &r, ::GetSysColorBrush(COLOR_BTNFACE));
  const bool pressed = (item.itemState & ODS_SELECTED) != 0;
  const bool disabled = (item.itemState & ODS_DISABLED) != 0;
  if (pressed) ::DrawEdge(dc, &r, BDR_SUNKENOUTER, BF_RECT);
  // A 16 x 13 folder centred in the button, one pixel lower while pressed.
  const int x = r.left + (r.right - r.left - 16) / 2 + (pressed ? 1 : 0);
  const int y = r.top + (r.bottom - r.top - 13) / 2 + (pressed ? 1 : 0);
  const COLORREF outline = disabled ? ::GetSysColor(COLOR_GRAYTEXT) : RGB(128, 96, 16);
  const COLORREF back = disabled ? ::GetSysColor(COLOR_BTNFACE) : RGB(232, 184, 64);
  const COLORREF front = disabled ? ::GetSysColor(COLOR_BTNFACE) : RGB(252, 216, 104);
  UniquePen pen(::CreatePen(PS_SOLID, 1, outline));
  UniqueBrush backBrush(::CreateSolidBrush(back));
  UniqueBrush frontBrush(::CreateSolidBrush(front));
  DcStateScope state(dc);
  SelectScope selectPen(dc, pen.get());
  {
    SelectScope selectBrush(dc, backBrush.get());
    const POINT body[] = {{x, y + 1},      {x + 1, y},       {x + 6, y}, {x + 7, y + 2},
                          {x + 15, y + 2}, {x + 15, y + 12}, {x, y + 12}};
    ::Polygon(dc, body, static_cast<int>(std::size(body)));
  }
  SelectScope selectBrush(dc, frontBrush.get());
  const POINT flap[] = {{x, y + 12}, {x + 3, y + 5}, {x + 16, y + 5}, {x + 14, y + 12}};
  ::Polygon(dc, flap, static_cast<int>(std::size(flap)));
  if (item.itemState & ODS_FOCUS) {
    RECT focus = r;
    ::InflateRect(&focus, -3, -3);
    ::DrawFocusRect(dc, &focus);
  }
}

std::optional<Colour> ColourChooser::Choose(HWND owner, Colour initial) {
  CHOOSECOLORW request{};
  request.lStructSize = sizeof request;
  request.hwndOwner = owner;
  request.rgbResult = GdiColour(initial);
  request.lpCustColors = custom_;
  request.Flags = CC_RGBINIT;
  if (!::ChooseColorW(&request)) return std::nullopt;
  return static_cast<Colour>(request.rgbResult & 0x00FFFFFF);
}

std::optional<FontRecord> ChooseFontRecord(HWND owner, const FontRecord& initial) {
  WindowDc screen(nullptr);
  LOGFONTW logFont = MakeLogFont(initial, ::GetDeviceCaps(screen.get(), LOGPIXELSY));
  CHOOSEFONTW request{};
  request.lStructSize = sizeof request;
  request.hwndOwner = owner;
  request.lpLogFont = &logFont;
  request.Flags = CF_SCREENFONTS | CF_EFFECTS | CF_INITTOLOGFONTSTRUCT;
  request.rgbColors = GdiColour(initial.Color);
  if (!::ChooseFontW(&request)) return std::nullopt;
  FontRecord chosen;
  chosen.Name = Utf8(logFont.lfFaceName);
  chosen.Size = (request.iPointSize + 5) / 10;
  chosen.Style =
      static_cast<uint8_t>((logFont.lfWeight >= FW_BOLD ? fsBold : 0) | (logFont.lfItalic ? fsItalic : 0) |
                           (logFont.lfUnderline ? fsUnderline : 0) | (logFont.lfStrikeOut ? fsStrikeOut : 0));
  chosen.Color = static_cast<Colour>(request.rgbColors & 0x00FFFFFF);
  return chosen;
}

}  // namespace corvela::win
