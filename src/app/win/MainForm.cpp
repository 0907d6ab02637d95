#include "app/win/MainForm.h"

#include <shellapi.h>
#include <shlobj.h>

#include <iterator>

#include "BuildInfo.h"
#include "app/Startup.h"
#include "app/win/ResourceIds.h"
#include "platform/Platform.h"

namespace corvela::win {

namespace {

constexpr int kButtonWidth = 39;
constexpr int kButtonHeight = 38;
constexpr int kImageSize = 32;
constexpr int kSeparatorWidth = 8;
constexpr int kToolBarId = 1;
constexpr int kCDIconBarId = 2;

struct ToolButtonInfo {
  unsigned Command;  // 0: a separator
  int Image;
  const char* Hint;
  BYTE Style;
  BYTE State;
};

constexpr BYTE kButton = BTNS_BUTTON;
constexpr BYTE kCheck = BTNS_CHECKGROUP;

const ToolButtonInfo kToolButtons[] = {
    {cmdOpen, 2, "Open", kButton, TBSTATE_ENABLED},
    {cmdSave, 3, "Save", kButton, TBSTATE_ENABLED},
    {cmdSaveAndTest, 5, "Save and Test", kButton, TBSTATE_ENABLED},
    {0, 0, nullptr, BTNS_SEP, 0},
    {cmdFormProperties, 4, "Form Properties", kButton, TBSTATE_ENABLED},
    {cmdObjectProperties, 6, "Object Properties", kButton, TBSTATE_ENABLED},
    {cmdObjectLink, 7, "Object Link", kButton, TBSTATE_ENABLED},
    {0, 0, nullptr, BTNS_SEP, 0},
    // The Select tool shows no hint.
    {cmdToolSelect, 8, nullptr, kCheck, TBSTATE_ENABLED | TBSTATE_CHECKED},
    {cmdToolLabel, 9, "Add Label", kCheck, TBSTATE_ENABLED},
    {cmdToolButton, 10, "Add Button", kCheck, TBSTATE_ENABLED},
    {cmdToolImage, 11, "Add Image", kCheck, TBSTATE_ENABLED},
    {cmdToolAvi, 12, "Add AVI", kCheck, TBSTATE_ENABLED},
    {cmdToolHtml, 13, "Add HTML", kCheck, TBSTATE_ENABLED},
    {cmdToolRtf, 14, "Add RTF", kCheck, TBSTATE_ENABLED},
    // Movies cannot be added: the button exists but is hidden.
    {cmdToolMovie, 15, "Add Movie", kCheck, TBSTATE_ENABLED | TBSTATE_HIDDEN},
    {0, 0, nullptr, BTNS_SEP, 0},
};

struct MenuItemSpec {
  unsigned Command;  // 0: a separator
  const char* Text;
};

const MenuItemSpec kFileMenu[] = {
    {cmdOpen, "&Open...\tCtrl+O"}, {cmdSave, "&Save\tCtrl+S"}, {cmdSaveAndTest, "Save and &Test\tCtrl+T"}, {0, nullptr},
    {cmdExit, "E&xit...\tCtrl+X"},
};
const MenuItemSpec kEditMenu[] = {
    {cmdFormProperties, "&Form Properties..."},
    {cmdStartLink, "&Start Link..."},
    {cmdObjectProperties, "Object &Properties...\tCtrl+P"},
    {cmdObjectLink, "Object &Link...\tCtrl+L"},
    {0, nullptr},
    {cmdDelete, "&Delete\tDel"},
    {cmdClear, "&Clear"},
    {0, nullptr},
    {cmdBringToFront, "Bring to &Front\tCtrl+F"},
    {cmdSendToBack, "Send to &Back\tCtrl+B"},
    {0, nullptr},
    {cmdSelectAll, "Select &All"},
    {0, nullptr},
    {cmdSelectCDIcon, "Select CD &Icon..."},
};
const MenuItemSpec kHelpMenu[] = {
    {cmdHelpContents, "&Help Contents...\tF1"},
    {cmdTechnicalSupport, "&Technical Support..."},
    {cmdHomePage, "H&ome Page..."},
    {0, nullptr},
    {cmdAbout, "&About..."},
};

template <size_t N>
HMENU BuildPopup(const MenuItemSpec (&items)[N]) {
  HMENU popup = ::CreatePopupMenu();
  for (const auto& item : items) {
    if (item.Command == 0)
      ::AppendMenuA(popup, MF_SEPARATOR, 0, nullptr);
    else
      ::AppendMenuA(popup, MF_STRING, item.Command, item.Text);
  }
  return popup;
}

const ACCEL kShortcuts[] = {
    {FVIRTKEY | FCONTROL, 'O', cmdOpen},
    {FVIRTKEY | FCONTROL, 'S', cmdSave},
    {FVIRTKEY | FCONTROL, 'T', cmdSaveAndTest},
    {FVIRTKEY | FCONTROL, 'X', cmdExit},
    {FVIRTKEY | FCONTROL, 'P', cmdObjectProperties},
    {FVIRTKEY | FCONTROL, 'L', cmdObjectLink},
    {FVIRTKEY, VK_DELETE, cmdDelete},
    {FVIRTKEY | FCONTROL, 'F', cmdBringToFront},
    {FVIRTKEY | FCONTROL, 'B', cmdSendToBack},
    {FVIRTKEY, VK_F1, cmdHelpContents},
};

const ToolButtonInfo* FindTool(unsigned command) {
  for (const auto& tool : kToolButtons)
    if (tool.Command == command) return &tool;
  return nullptr;
}

int CALLBACK BrowseCallback(HWND hwnd, UINT msg, LPARAM, LPARAM data) {
  if (msg == BFFM_INITIALIZED && data) ::SendMessageA(hwnd, BFFM_SETSELECTIONA, TRUE, data);
  return 0;
}

struct CoTaskMemFreer {
  void operator()(void* p) const { ::CoTaskMemFree(p); }
};

}  // namespace

bool MainForm::Create() {
  WindowClassArgs cls;
  cls.Name = "TMainForm";
  HINSTANCE instance = ::GetModuleHandleA(nullptr);
  cls.Icon = ::LoadIconA(instance, MAKEINTRESOURCEA(IDI_APP));
  cls.Background = ::GetSysColorBrush(COLOR_BTNFACE);
  WindowArgs args;
  args.Style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_THICKFRAME | WS_CLIPCHILDREN;
  args.Title = "Corvela";
  args.X = 0;
  args.Y = 0;
  args.Width = 800;
  args.Height = 120;
  if (!Window::Create(cls, args)) return false;
  if (!CreateMenuBar() || !CreateToolBar()) return false;
  logo_.reset(static_cast<HBITMAP>(::LoadImageA(instance, MAKEINTRESOURCEA(IDB_LOGO), IMAGE_BITMAP, 0, 0, 0)));
  accelerators_.reset(::CreateAcceleratorTableA(const_cast<ACCEL*>(kShortcuts), static_cast<int>(std::size(kShortcuts))));
  FormCreate();
  return true;
}

void MainForm::FormCreate() {
  char caption[256] = {};
  ::GetWindowTextA(hwnd(), caption, sizeof caption);
  BaseCaption = caption;
  ClosingAllowed = false;
  RECT rc;
  ::GetWindowRect(hwnd(), &rc);
  ::SetWindowPos(hwnd(), nullptr, 0, 0, ::GetSystemMetrics(SM_CXSCREEN), rc.bottom - rc.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
  FormResize();
}

bool MainForm::CreateMenuBar() {
  HMENU bar = ::CreateMenu();
  ::AppendMenuA(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(BuildPopup(kFileMenu)), "&File");
  ::AppendMenuA(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(BuildPopup(kEditMenu)), "&Edit");
  ::AppendMenuA(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(BuildPopup(kHelpMenu)), "&Help");
  // The window owns its menu bar from here on and destroys it with itself.
  return ::SetMenu(hwnd(), bar) != 0;
}

bool MainForm::CreateToolBar() {
  HINSTANCE instance = ::GetModuleHandleA(nullptr);
  const DWORD style = WS_CHILD | WS_VISIBLE | TBSTYLE_FLAT | TBSTYLE_TOOLTIPS | CCS_NODIVIDER | CCS_NORESIZE |
                      CCS_NOPARENTALIGN;
  toolBar_ = ::CreateWindowExA(0, TOOLBARCLASSNAMEA, nullptr, style, 0, 0, 0, 0, hwnd(),
                               reinterpret_cast<HMENU>(static_cast<INT_PTR>(kToolBarId)), instance, nullptr);
  if (!toolBar_) return false;
  ::SendMessageA(toolBar_, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
  images_.reset(::ImageList_LoadImageA(instance, MAKEINTRESOURCEA(IDB_TOOLBAR), kImageSize, 0, RGB(255, 0, 255),
                                       IMAGE_BITMAP, LR_CREATEDIBSECTION));
  ::SendMessageA(toolBar_, TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(images_.get()));
  ::SendMessageA(toolBar_, TB_SETBITMAPSIZE, 0, MAKELPARAM(kImageSize, kImageSize));
  TBBUTTON buttons[std::size(kToolButtons)] = {};
  for (size_t i = 0; i < std::size(kToolButtons); ++i) {
    const ToolButtonInfo& tool = kToolButtons[i];
    buttons[i].iBitmap = tool.Command ? tool.Image : kSeparatorWidth;
    buttons[i].idCommand = static_cast<int>(tool.Command);
    buttons[i].fsState = tool.State;
    buttons[i].fsStyle = tool.Style;
  }
  ::SendMessageA(toolBar_, TB_ADDBUTTONSA, std::size(buttons), reinterpret_cast<LPARAM>(buttons));
  ::SendMessageA(toolBar_, TB_SETBUTTONSIZE, 0, MAKELPARAM(kButtonWidth, kButtonHeight));

  // The CD icon button sits on a little bar of its own so that its glyph can be redrawn.
  cdIconBar_ = ::CreateWindowExA(0, TOOLBARCLASSNAMEA, nullptr, style, 0, 0, 0, 0, hwnd(),
                                 reinterpret_cast<HMENU>(static_cast<INT_PTR>(kCDIconBarId)), instance, nullptr);
  if (!cdIconBar_) return false;
  ::SendMessageA(cdIconBar_, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
  cdIconImages_.reset(::ImageList_Create(kImageSize, kImageSize, ILC_COLOR32, 1, 0));
  {
    UniqueBitmap initial(static_cast<HBITMAP>(
        ::LoadImageA(instance, MAKEINTRESOURCEA(IDB_CDICON), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
    ::ImageList_AddMasked(cdIconImages_.get(), initial.get(), RGB(255, 0, 255));
  }
  ::SendMessageA(cdIconBar_, TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(cdIconImages_.get()));
  ::SendMessageA(cdIconBar_, TB_SETBITMAPSIZE, 0, MAKELPARAM(kImageSize, kImageSize));
  TBBUTTON cd{};
  cd.iBitmap = 0;
  cd.idCommand = cmdCDIconButton;
  cd.fsState = TBSTATE_ENABLED;
  cd.fsStyle = BTNS_BUTTON;
  ::SendMessageA(cdIconBar_, TB_ADDBUTTONSA, 1, reinterpret_cast<LPARAM>(&cd));
  ::SendMessageA(cdIconBar_, TB_SETBUTTONSIZE, 0, MAKELPARAM(kButtonWidth, kButtonHeight));
  return true;
}

void MainForm::FormResize() {
  if (!toolBar_) return;
  RECT client;
  ::GetClientRect(hwnd(), &client);
  int count = static_cast<int>(::SendMessageA(toolBar_, TB_BUTTONCOUNT, 0, 0));
  RECT last{};
  ::SendMessageA(toolBar_, TB_GETITEMRECT, count - 1, reinterpret_cast<LPARAM>(&last));
  const int barHeight = kButtonHeight + 4;
  // The toolbar ends after its last button; the logo panel takes the rest of the strip.
  ::MoveWindow(toolBar_, 0, 0, last.right, barHeight, TRUE);
  const int cdLeft = last.right;
  ::MoveWindow(cdIconBar_, cdLeft, 0, kButtonWidth + 2, barHeight, TRUE);
  // The logo panel reaches from after the CD icon button to the right end of the strip.
  logoLeft_ = cdLeft + kButtonWidth + 2;
  ::InvalidateRect(hwnd(), nullptr, FALSE);
  // Only the menu bar and the toolbar show: the client keeps the toolbar's height.
  if (client.bottom != barHeight && client.right > 0 && !::IsIconic(hwnd())) {
    RECT window;
    ::GetWindowRect(hwnd(), &window);
    ::SetWindowPos(hwnd(), nullptr, 0, 0, window.right - window.left,
                   window.bottom - window.top + barHeight - client.bottom, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
}

void MainForm::PaintLogo(HDC dc, const RECT& client) {
  RECT panel{logoLeft_, 0, client.right, client.bottom};
  ::FillRect(dc, &panel, ::GetSysColorBrush(COLOR_BTNFACE));
  if (!logo_) return;
  BITMAP bm{};
  ::GetObjectA(logo_.get(), sizeof bm, &bm);
  UniqueMemoryDc source(::CreateCompatibleDC(dc));
  SelectScope select(source.get(), logo_.get());
  // Right-aligned, centred vertically; drawn only where it fits.
  const int x = client.right - bm.bmWidth - 4;
  const int y = (client.bottom - bm.bmHeight) / 2;
  if (x >= logoLeft_) ::BitBlt(dc, x, y, bm.bmWidth, bm.bmHeight, source.get(), 0, 0, SRCCOPY);
}

void MainForm::FormShow() {
  // The menu window first takes the screen; the project loaded next sets its real size.
  state_.Project.Form.Width = ::GetSystemMetrics(SM_CXSCREEN);
  state_.Project.Form.Height = ::GetSystemMetrics(SM_CYSCREEN);
  if (state_.View) state_.View->FormSettingsChanged();
  ::ShowWindow(editForm_.hwnd(), SW_SHOW);
  editForm_.RefreshSurface();
  if (!FirstShow(state_, *this, BaseCaption)) {
    ClosingAllowed = true;
    editForm_.ClosingAllowed = true;
    Destroy();
  }
}

bool MainForm::TranslateShortcut(MSG& msg) {
  if (!accelerators_ || !hwnd()) return false;
  HWND active = ::GetActiveWindow();
  if (active != hwnd() && active != editForm_.hwnd()) return false;
  return ::TranslateAcceleratorA(hwnd(), accelerators_.get(), &msg) != 0;
}

void MainForm::Execute(unsigned id) {
  switch (id) {
    case cmdOpen:
      OpenCommand(state_, *this, BaseCaption);
      return;
    case cmdSave:
      SaveCommand(state_);
      return;
    case cmdSaveAndTest:
      SaveAndTestCommand(state_, *this);
      return;
    case cmdExit:
      ::PostMessageA(hwnd(), WM_CLOSE, 0, 0);
      return;
    case cmdSelectCDIcon:
    case cmdCDIconButton:
      SelectCDIconCommand(state_, *this);
      return;
    case cmdHelpContents:
      HelpContents();
      return;
    case cmdTechnicalSupport:
      ::ShellExecuteA(hwnd(), nullptr, (std::string("mailto: ") + build::kSupportEmail).c_str(), nullptr, nullptr,
                      SW_SHOWNORMAL);
      return;
    case cmdHomePage:
      ::ShellExecuteA(hwnd(), "Open", build::kHomePage, nullptr, nullptr, SW_SHOW);
      return;
    case cmdAbout:
      About();
      return;
    default:
      if (IsSurfaceCommand(id)) editForm_.ExecuteCommand(id);
      return;
  }
}

void MainForm::HelpContents() {
  const std::string folder = FolderPart(state_.ExeFileName);
  const std::string hlp = folder + "\\Corvela.hlp";
  if (state_.Env.Files->FileExists(hlp)) {
    ::WinHelpA(hwnd(), hlp.c_str(), HELP_FINDER, 0);
    return;
  }
  // Current Windows has no engine for .hlp files; the guide ships as a web page instead.
  const std::string guide = folder + "\\Corvela.html";
  if (state_.Env.Files->FileExists(guide))
    ::ShellExecuteA(hwnd(), "open", guide.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
  else
    ShowError(state_.Env, "File \"" + guide + "\" not found");
}

void MainForm::About() {
  struct Local {
    static INT_PTR CALLBACK Proc(HWND dialog, UINT msg, WPARAM wp, LPARAM) {
      switch (msg) {
        case WM_INITDIALOG: {
          HICON icon = ::LoadIconA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDI_APP));
          ::SendDlgItemMessageA(dialog, IDC_ABOUT_ICON, STM_SETICON, reinterpret_cast<WPARAM>(icon), 0);
          return TRUE;
        }
        case WM_COMMAND:
          if (LOWORD(wp) == IDOK || LOWORD(wp) == IDCANCEL) ::EndDialog(dialog, LOWORD(wp));
          return TRUE;
      }
      return FALSE;
    }
  };
  ::DialogBoxParamA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_ABOUT), hwnd(), &Local::Proc, 0);
}

std::optional<std::string> MainForm::BrowseForFolder(const std::string& title, const std::string& preselected) {
  BROWSEINFOA info{};
  info.hwndOwner = hwnd();
  info.lpszTitle = title.c_str();
  info.ulFlags = BIF_RETURNONLYFSDIRS;
  info.lpfn = &BrowseCallback;
  info.lParam = preselected.empty() ? 0 : reinterpret_cast<LPARAM>(preselected.c_str());
  std::unique_ptr<ITEMIDLIST, CoTaskMemFreer> item(::SHBrowseForFolderA(&info));
  if (!item) return std::nullopt;
  char path[MAX_PATH] = {};
  if (!::SHGetPathFromIDListA(item.get(), path)) return std::nullopt;
  return std::string(path);
}

void MainForm::FitDesignSurface() { editForm_.FitToMenuWindow(); }

void MainForm::SetMainCaption(const std::string& caption) { ::SetWindowTextA(hwnd(), caption.c_str()); }

void MainForm::UpdateCDIconButton() {
  WindowDc screen(hwnd());
  UniqueMemoryDc dc(::CreateCompatibleDC(screen.get()));
  UniqueBitmap glyph(::CreateCompatibleBitmap(screen.get(), kImageSize, kImageSize));
  {
    SelectScope select(dc.get(), glyph.get());
    RECT all{0, 0, kImageSize, kImageSize};
    ::FillRect(dc.get(), &all, ::GetSysColorBrush(COLOR_BTNFACE));
    const std::string icon = state_.CDFolder + "\\AutoRun.ico";
    UniqueIcon loaded;
    if (!state_.CDFolder.empty() && state_.Env.Files->FileExists(icon))
      loaded.reset(static_cast<HICON>(
          ::LoadImageA(nullptr, icon.c_str(), IMAGE_ICON, kImageSize, kImageSize, LR_LOADFROMFILE)));
    HICON draw = loaded ? loaded.get() : ::LoadIconA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDI_APP));
    ::DrawIconEx(dc.get(), 0, 0, draw, kImageSize, kImageSize, 0, nullptr, DI_NORMAL);
  }
  ::ImageList_Replace(cdIconImages_.get(), 0, glyph.get(), nullptr);
  ::InvalidateRect(cdIconBar_, nullptr, TRUE);
}

void MainForm::StartProgram(const std::string& path) { ::WinExec(path.c_str(), SW_SHOWNORMAL); }

std::optional<ObjectKind> MainForm::CurrentTool() {
  static const std::pair<unsigned, ObjectKind> kTools[] = {
      {cmdToolLabel, ObjectKind::Label}, {cmdToolButton, ObjectKind::Button}, {cmdToolImage, ObjectKind::Image},
      {cmdToolAvi, ObjectKind::Avi},     {cmdToolHtml, ObjectKind::Html},     {cmdToolRtf, ObjectKind::Rtf},
      {cmdToolMovie, ObjectKind::Movie},
  };
  for (const auto& [command, kind] : kTools)
    if (::SendMessageA(toolBar_, TB_ISBUTTONCHECKED, command, 0)) return kind;
  return std::nullopt;
}

void MainForm::SelectTool() { ::SendMessageA(toolBar_, TB_CHECKBUTTON, cmdToolSelect, TRUE); }

LRESULT MainForm::OnNotify(NMHDR* header) {
  if (header->code == TTN_GETDISPINFOA) {
    auto* info = reinterpret_cast<NMTTDISPINFOA*>(header);
    unsigned id = static_cast<unsigned>(header->idFrom);
    if (id == cmdCDIconButton) {
      info->lpszText = const_cast<char*>("CD Icon");
    } else if (const ToolButtonInfo* tool = FindTool(id); tool && tool->Hint) {
      info->lpszText = const_cast<char*>(tool->Hint);
    }
  }
  return 0;
}

LRESULT MainForm::OnMessage(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_COMMAND:
      Execute(LOWORD(wp));
      return 0;
    case WM_NOTIFY:
      return OnNotify(reinterpret_cast<NMHDR*>(lp));
    case WM_SIZE:
      FormResize();
      return 0;
    case WM_PAINT: {
      PaintScope ps(hwnd());
      RECT rc;
      ::GetClientRect(hwnd(), &rc);
      PaintLogo(ps.get(), rc);
      return 0;
    }
    case WM_CLOSE:
      if (!CloseQuery(state_)) return 0;
      ClosingAllowed = true;
      editForm_.ClosingAllowed = true;
      Destroy();
      return 0;
    case WM_DESTROY:
      ::PostQuitMessage(0);
      return 0;
  }
  return Default(msg, wp, lp);
}

}  // namespace corvela::win
