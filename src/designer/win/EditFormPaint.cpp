// The design surface's picture and its painting: the menu window's inner panel captured, the
// marks drawn over it, and the window painted from it.
#include "designer/win/EditForm.h"

#include "designer/DragReadout.h"
#include "designer/win/PanelCapture.h"
#include "platform/win/WideText.h"
#include "player/win/AutoRunForm.h"
#include "player/win/PanelPaint.h"
#include "player/win/Panes.h"

namespace corvela::win {

void EditForm::RepaintSurface() {
  if (!hwnd()) return;
  SetWindowTextUtf8(hwnd(), surface_.Caption());
  Size size = InnerPanelSize();
  WindowDc screen(hwnd());
  const std::optional<RECT> damage =
      picture_.BeginRepaint(screen.get(), size, state_.Project, surface_.DragMode() == DragState::Dragging);
  // Drags and dialogs change the records; the panes on the menu window follow them here.
  for (const auto& obj : state_.Project.Objects) {
    // The picture is the panes printed, and the animation control does not always print its frame.
    if (auto* avi = dynamic_cast<AviPane*>(obj->Pane.get())) avi->DrawFramesItself();
    if (auto* pane = dynamic_cast<Pane*>(obj->Pane.get())) {
      RECT now;
      ::GetWindowRect(pane->Handle(), &now);
      ::MapWindowPoints(nullptr, ::GetParent(pane->Handle()), reinterpret_cast<POINT*>(&now), 2);
      const ControlBase& b = obj->Base();
      if (now.left != b.Left || now.top != b.Top || now.right - now.left != b.Width || now.bottom - now.top != b.Height)
        pane->Place(b);
    }
  }
  UniqueMemoryDc dc(::CreateCompatibleDC(screen.get()));
  SelectScope select(dc.get(), picture_.Bitmap());
  DcStateScope clipped(dc.get());
  if (damage) ::IntersectClipRect(dc.get(), damage->left, damage->top, damage->right, damage->bottom);
  if (menu_ && menu_->InnerPanel()) {
    // Browser panes are left out of the picture: the marks show them as white boxes.
    auto isHtml = [this](HWND child) {
      for (const auto& obj : state_.Project.Objects) {
        if (obj->Kind != ObjectKind::Html || !obj->Pane) continue;
        if (auto* pane = dynamic_cast<Pane*>(obj->Pane.get()); pane && pane->Handle() == child) return true;
      }
      return false;
    };
    PaintWindowTree(menu_->InnerPanel(), dc.get(), isHtml, damage ? &*damage : nullptr);
  }
  DrawMarks(dc.get());
  picture_.EndRepaint(state_.Project);
  if (damage) {
    POINT origin = PictureOrigin();
    RECT onScreen = *damage;
    ::OffsetRect(&onScreen, origin.x, origin.y);
    ::InvalidateRect(hwnd(), &onScreen, FALSE);
  } else {
    ::InvalidateRect(hwnd(), nullptr, FALSE);
  }
}

void EditForm::DrawMarks(HDC dc) {
  DcStateScope saved(dc);
  UniquePen pen(::CreatePen(PS_DOT, 1, RGB(0x80, 0x80, 0x80)));
  UniqueBrush handleBrush(::CreateSolidBrush(RGB(0x80, 0x80, 0x80)));
  UniqueBrush white(::CreateSolidBrush(RGB(0xFF, 0xFF, 0xFF)));
  UniqueBrush light(::CreateSolidBrush(static_cast<COLORREF>(kEmptyImageColour)));
  ::SetBkMode(dc, TRANSPARENT);
  ::SelectObject(dc, ::GetStockObject(DEFAULT_GUI_FONT));
  const std::vector<Rect> panes = PaneBoxes(state_.Project);
  for (const SurfaceMark& mark : surface_.Marks()) {
    RECT box = ToRECT(mark.Box);
    // Panes above the object hide its marks as they hide the object.
    DcStateScope covered(dc);
    for (size_t i = 0; i < mark.CoveredBy && i < panes.size(); ++i) {
      const Rect& pane = panes[i];
      if (pane.Left < mark.Box.Right + 1 && mark.Box.Left - 1 < pane.Right && pane.Top < mark.Box.Bottom + 1 &&
          mark.Box.Top - 1 < pane.Bottom)
        ::ExcludeClipRect(dc, pane.Left, pane.Top, pane.Right, pane.Bottom);
    }
    switch (mark.Kind) {
      case MarkKind::HtmlBackground:
        ::SetROP2(dc, R2_COPYPEN);
        ::FillRect(dc, &box, white.get());
        break;
      case MarkKind::Placeholder: {
        ::SetROP2(dc, R2_COPYPEN);
        ::SetTextColor(dc, RGB(0, 0, 0));
        const std::wstring text = Wide(mark.Text);
        ::TextOutW(dc, box.left, box.top, text.c_str(), static_cast<int>(text.size()));
        break;
      }
      case MarkKind::Frame: {
        ::SetROP2(dc, R2_XORPEN);
        SelectScope p(dc, pen.get());
        SelectScope b(dc, ::GetStockObject(NULL_BRUSH));
        ::Rectangle(dc, box.left, box.top, box.right, box.bottom);
        break;
      }
      case MarkKind::Handle: {
        ::SetROP2(dc, R2_XORPEN);
        SelectScope p(dc, pen.get());
        SelectScope b(dc, handleBrush.get());
        ::Rectangle(dc, box.left, box.top, box.right, box.bottom);
        break;
      }
      case MarkKind::EmptyImage: {
        ::SetROP2(dc, R2_COPYPEN);
        ::FrameRect(dc, &box, light.get());
        ::SetTextColor(dc, static_cast<COLORREF>(kEmptyImageColour));
        const std::wstring name = Wide(mark.Text);
        RECT inside = box;
        ::InflateRect(&inside, -4, -3);
        ::DrawTextW(dc, name.c_str(), static_cast<int>(name.size()), &inside,
                    DT_LEFT | DT_TOP | DT_NOPREFIX | DT_END_ELLIPSIS);
        break;
      }
    }
  }
}

void EditForm::UpdateReadout(POINT pointer) {
  std::optional<RECT> now;
  const std::optional<std::string> text =
      surface_.DragMode() == DragState::Dragging && surface_.Moved() ? DragReadoutText(state_.Project) : std::nullopt;
  if (text) {
    readoutText_ = Wide(*text);
    WindowDc screen(hwnd());
    SelectScope font(screen.get(), ::GetStockObject(DEFAULT_GUI_FONT));
    SIZE extent{};
    ::GetTextExtentPoint32W(screen.get(), readoutText_.c_str(), static_cast<int>(readoutText_.size()), &extent);
    RECT client;
    ::GetClientRect(hwnd(), &client);
    // A pixel of frame and three of room around the text, like a tooltip's.
    const Rect box =
        PlaceReadout({pointer.x, pointer.y}, {extent.cx + 8, extent.cy + 4}, {client.right, client.bottom});
    now = ToRECT(box);
  }
  if (readout_) ::InvalidateRect(hwnd(), &*readout_, FALSE);
  readout_ = now;
  if (readout_) ::InvalidateRect(hwnd(), &*readout_, FALSE);
}

void EditForm::DrawReadout(HDC dc) {
  if (!readout_) return;
  DcStateScope saved(dc);
  RECT box = *readout_;
  ::FillRect(dc, &box, ::GetSysColorBrush(COLOR_INFOBK));
  ::FrameRect(dc, &box, ::GetSysColorBrush(COLOR_INFOTEXT));
  ::SelectObject(dc, ::GetStockObject(DEFAULT_GUI_FONT));
  ::SetBkMode(dc, TRANSPARENT);
  ::SetTextColor(dc, ::GetSysColor(COLOR_INFOTEXT));
  ::TextOutW(dc, box.left + 4, box.top + 2, readoutText_.c_str(), static_cast<int>(readoutText_.size()));
}

void EditForm::Paint(HDC dc, const RECT& client) {
  MenuPanelLayout layout = Layout();
  RECT all = client;
  ::FillRect(dc, &all, ::GetSysColorBrush(COLOR_BTNFACE));
  HBRUSH face = ::GetSysColorBrush(COLOR_BTNFACE);
  {
    DcStateScope state(dc);
    ::SetViewportOrgEx(dc, layout.Panel.Left, layout.Panel.Top, nullptr);
    for (const PanelBand& band : layout.Bands) DrawPanelBand(dc, band, face);
  }
  if (!picture_.Bitmap()) {
    DrawReadout(dc);
    return;
  }
  POINT origin = PictureOrigin();
  UniqueMemoryDc source(::CreateCompatibleDC(dc));
  SelectScope select(source.get(), picture_.Bitmap());
  ::BitBlt(dc, origin.x, origin.y, layout.Inner.Width(), layout.Inner.Height(), source.get(), 0, 0, SRCCOPY);
  if (surface_.BandRect() != kNoBand) {
    const RECT band = BandOnScreen(surface_.BandRect());
    ::DrawFocusRect(dc, &band);
  }
  DrawReadout(dc);
}

}  // namespace corvela::win
