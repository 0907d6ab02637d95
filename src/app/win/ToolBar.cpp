#include "app/win/ToolBar.h"

#include <iterator>

#include "designer/Tools.h"
#include "platform/win/ResourceIds.h"
#include "platform/win/WideText.h"

namespace corvela::win {

namespace {

constexpr int kImageSize = 32;
constexpr int kSeparatorWidth = 8;
constexpr int kToolBarId = 1;
constexpr int kCDIconBarId = 2;

struct ToolButtonInfo {
  unsigned Command;  // 0: a separator
  int Image;
  const wchar_t* Hint;
  BYTE Style;
  BYTE State;
};

constexpr BYTE kButton = BTNS_BUTTON;
constexpr BYTE kCheck = BTNS_CHECKGROUP;

const ToolButtonInfo kToolButtons[] = {
    {cmdOpen, 2, L"Open", kButton, TBSTATE_ENABLED},
    {cmdSave, 3, L"Save", kButton, TBSTATE_ENABLED},
    {cmdSaveAndTest, 5, L"Save and Test", kButton, TBSTATE_ENABLED},
    {cmdCheckDisc, 22, L"Check Disc", kButton, TBSTATE_ENABLED},
    {0, 0, nullptr, BTNS_SEP, 0},
    {cmdFormProperties, 4, L"Form Properties", kButton, TBSTATE_ENABLED},
    {cmdObjectProperties, 6, L"Object Properties", kButton, TBSTATE_ENABLED},
    {cmdObjectLink, 7, L"Object Link", kButton, TBSTATE_ENABLED},
    {0, 0, nullptr, BTNS_SEP, 0},
    // The Select tool shows no hint.
    {cmdToolSelect, 8, nullptr, kCheck, TBSTATE_ENABLED | TBSTATE_CHECKED},
    {cmdToolLabel, 9, L"Add Label", kCheck, TBSTATE_ENABLED},
    {cmdToolButton, 10, L"Add Button", kCheck, TBSTATE_ENABLED},
    {cmdToolImage, 11, L"Add Image", kCheck, TBSTATE_ENABLED},
    {cmdToolAvi, 12, L"Add AVI", kCheck, TBSTATE_ENABLED},
    {cmdToolHtml, 13, L"Add HTML", kCheck, TBSTATE_ENABLED},
    {cmdToolRtf, 14, L"Add RTF", kCheck, TBSTATE_ENABLED},
    // Movies cannot be added: the button exists but is hidden.
    {cmdToolMovie, 15, L"Add Movie", kCheck, TBSTATE_ENABLED | TBSTATE_HIDDEN},
    {0, 0, nullptr, BTNS_SEP, 0},
    {cmdAlignLefts, 16, L"Align Lefts", kButton, TBSTATE_ENABLED},
    {cmdAlignTops, 17, L"Align Tops", kButton, TBSTATE_ENABLED},
    {cmdSameSize, 18, L"Make Same Size", kButton, TBSTATE_ENABLED},
    {cmdSpaceAcross, 19, L"Space Evenly Across", kButton, TBSTATE_ENABLED},
    {cmdSpaceDown, 20, L"Space Evenly Down", kButton, TBSTATE_ENABLED},
    {cmdCentreInWindow, 21, L"Centre in Window", kButton, TBSTATE_ENABLED},
    {0, 0, nullptr, BTNS_SEP, 0},
};

const ToolButtonInfo* FindTool(unsigned command) {
  for (const auto& tool : kToolButtons)
    if (tool.Command == command) return &tool;
  return nullptr;
}

}  // namespace

bool DesignerToolBar::Create(HWND parent) {
  HINSTANCE instance = ::GetModuleHandleW(nullptr);
  const DWORD style =
      WS_CHILD | WS_VISIBLE | TBSTYLE_FLAT | TBSTYLE_TOOLTIPS | CCS_NODIVIDER | CCS_NORESIZE | CCS_NOPARENTALIGN;
  bar_ = ::CreateWindowExW(0, TOOLBARCLASSNAMEW, nullptr, style, 0, 0, 0, 0, parent,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(kToolBarId)), instance, nullptr);
  if (!bar_) return false;
  ::SendMessageW(bar_, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
  images_.reset(::ImageList_LoadImageW(instance, MAKEINTRESOURCEW(IDB_TOOLBAR), kImageSize, 0, RGB(255, 0, 255),
                                       IMAGE_BITMAP, LR_CREATEDIBSECTION));
  ::SendMessageW(bar_, TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(images_.get()));
  ::SendMessageW(bar_, TB_SETBITMAPSIZE, 0, MAKELPARAM(kImageSize, kImageSize));
  TBBUTTON buttons[std::size(kToolButtons)] = {};
  for (size_t i = 0; i < std::size(kToolButtons); ++i) {
    const ToolButtonInfo& tool = kToolButtons[i];
    buttons[i].iBitmap = tool.Command ? tool.Image : kSeparatorWidth;
    buttons[i].idCommand = static_cast<int>(tool.Command);
    buttons[i].fsState = tool.State;
    buttons[i].fsStyle = tool.Style;
  }
  ::SendMessageW(bar_, TB_ADDBUTTONSW, std::size(buttons), reinterpret_cast<LPARAM>(buttons));
  ::SendMessageW(bar_, TB_SETBUTTONSIZE, 0, MAKELPARAM(kButtonWidth, kButtonHeight));

  // The CD icon button sits on a little bar of its own so that its glyph can be redrawn.
  cdIconBar_ = ::CreateWindowExW(0, TOOLBARCLASSNAMEW, nullptr, style, 0, 0, 0, 0, parent,
                                 reinterpret_cast<HMENU>(static_cast<INT_PTR>(kCDIconBarId)), instance, nullptr);
  if (!cdIconBar_) return false;
  ::SendMessageW(cdIconBar_, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
  cdIconImages_.reset(::ImageList_Create(kImageSize, kImageSize, ILC_COLOR32, 1, 0));
  {
    UniqueBitmap initial(static_cast<HBITMAP>(
        ::LoadImageW(instance, MAKEINTRESOURCEW(IDB_CDICON), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
    ::ImageList_AddMasked(cdIconImages_.get(), initial.get(), RGB(255, 0, 255));
  }
  ::SendMessageW(cdIconBar_, TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(cdIconImages_.get()));
  ::SendMessageW(cdIconBar_, TB_SETBITMAPSIZE, 0, MAKELPARAM(kImageSize, kImageSize));
  TBBUTTON cd{};
  cd.iBitmap = 0;
  cd.idCommand = cmdCDIconButton;
  cd.fsState = TBSTATE_ENABLED;
  cd.fsStyle = BTNS_BUTTON;
  ::SendMessageW(cdIconBar_, TB_ADDBUTTONSW, 1, reinterpret_cast<LPARAM>(&cd));
  ::SendMessageW(cdIconBar_, TB_SETBUTTONSIZE, 0, MAKELPARAM(kButtonWidth, kButtonHeight));
  return true;
}

int DesignerToolBar::Layout() {
  const int count = static_cast<int>(::SendMessageW(bar_, TB_BUTTONCOUNT, 0, 0));
  RECT last{};
  ::SendMessageW(bar_, TB_GETITEMRECT, count - 1, reinterpret_cast<LPARAM>(&last));
  // The toolbar ends after its last button; the CD icon button follows it.
  ::MoveWindow(bar_, 0, 0, last.right, kHeight, TRUE);
  ::MoveWindow(cdIconBar_, last.right, 0, kButtonWidth + 2, kHeight, TRUE);
  return last.right + kButtonWidth + 2;
}

void DesignerToolBar::ShowCDIcon(const std::string& iconPath) {
  WindowDc screen(bar_);
  UniqueMemoryDc dc(::CreateCompatibleDC(screen.get()));
  UniqueBitmap glyph(::CreateCompatibleBitmap(screen.get(), kImageSize, kImageSize));
  {
    SelectScope select(dc.get(), glyph.get());
    RECT all{0, 0, kImageSize, kImageSize};
    ::FillRect(dc.get(), &all, ::GetSysColorBrush(COLOR_BTNFACE));
    UniqueIcon loaded;
    if (!iconPath.empty())
      loaded.reset(static_cast<HICON>(
          ::LoadImageW(nullptr, Wide(iconPath).c_str(), IMAGE_ICON, kImageSize, kImageSize, LR_LOADFROMFILE)));
    HICON draw = loaded ? loaded.get() : ::LoadIconW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_APP));
    ::DrawIconEx(dc.get(), 0, 0, draw, kImageSize, kImageSize, 0, nullptr, DI_NORMAL);
  }
  ::ImageList_Replace(cdIconImages_.get(), 0, glyph.get(), nullptr);
  ::InvalidateRect(cdIconBar_, nullptr, TRUE);
}

DesignTool DesignerToolBar::CurrentTool() const {
  for (const ToolInfo& tool : Tools())
    if (tool.Adds && ::SendMessageW(bar_, TB_ISBUTTONCHECKED, tool.Command, 0)) return tool.Tool;
  return DesignTool::Select;
}

void DesignerToolBar::SelectTool() {
  ::SendMessageW(bar_, TB_CHECKBUTTON, cmdToolSelect, TRUE);
}

bool DesignerToolBar::ShowHint(NMHDR* header) {
  // The bars are wide-character windows: their tooltips ask in UTF-16.
  if (header->code != TTN_GETDISPINFOW) return false;
  {
    auto* info = reinterpret_cast<NMTTDISPINFOW*>(header);
    unsigned id = static_cast<unsigned>(header->idFrom);
    if (id == cmdCDIconButton) {
      info->lpszText = const_cast<wchar_t*>(L"CD Icon");
    } else if (const ToolButtonInfo* tool = FindTool(id); tool && tool->Hint) {
      info->lpszText = const_cast<wchar_t*>(tool->Hint);
    }
  }
  return true;
}

}  // namespace corvela::win
