#include "app/win/MainForm.h"

#include <shellapi.h>

#include "BuildInfo.h"
#include "app/Help.h"
#include "app/win/AboutBox.h"
#include "designer/win/Clipboard.h"
#include "designer/win/CommandMenus.h"
#include "platform/Platform.h"
#include "platform/win/FolderPicker.h"
#include "platform/win/ResourceIds.h"
#include "platform/win/WideText.h"
#include "project/CdFolder.h"

namespace corvela::win {

bool MainForm::Create() {
  WindowClassArgs cls;
  cls.Name = "TMainForm";
  HINSTANCE instance = ::GetModuleHandleW(nullptr);
  cls.Icon = ::LoadIconW(instance, MAKEINTRESOURCEW(IDI_APP));
  cls.Background = ::GetSysColorBrush(COLOR_BTNFACE);
  WindowArgs args;
  args.Style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_THICKFRAME | WS_CLIPCHILDREN;
  args.Title = "Corvela";
  args.X = 0;
  args.Y = 0;
  args.Width = 800;
  args.Height = 120;
  if (!Window::Create(cls, args)) return false;
  if (!CreateMenuBar() || !toolBar_.Create(hwnd())) return false;
  logo_.reset(static_cast<HBITMAP>(::LoadImageW(instance, MAKEINTRESOURCEW(IDB_LOGO), IMAGE_BITMAP, 0, 0, 0)));
  accelerators_ = CreateShortcuts();
  FormCreate();
  return true;
}

void MainForm::FormCreate() {
  BaseCaption = WindowTextUtf8(hwnd());
  ClosingAllowed = false;
  RECT rc;
  ::GetWindowRect(hwnd(), &rc);
  ::SetWindowPos(hwnd(), nullptr, 0, 0, ::GetSystemMetrics(SM_CXSCREEN), rc.bottom - rc.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
  FormResize();
}

bool MainForm::CreateMenuBar() {
  HMENU bar = win::CreateMenuBar();
  // The window owns its menu bar from here on and destroys it with itself.
  return ::SetMenu(hwnd(), bar) != 0;
}

void MainForm::FormResize() {
  if (!toolBar_.Bar()) return;
  RECT client;
  ::GetClientRect(hwnd(), &client);
  const int barHeight = DesignerToolBar::kHeight;
  // The logo panel reaches from after the CD icon button to the right end of the strip.
  logoLeft_ = toolBar_.Layout();
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
  ::GetObjectW(logo_.get(), sizeof bm, &bm);
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
  const bool shown = FirstShow(state_, *this, BaseCaption);
  ForgetHistory();
  if (!shown) {
    ClosingAllowed = true;
    editForm_.ClosingAllowed = true;
    Destroy();
  }
}

bool MainForm::TranslateShortcut(MSG& msg) {
  if (!accelerators_ || !hwnd()) return false;
  HWND active = ::GetActiveWindow();
  if (active != hwnd() && active != editForm_.hwnd()) return false;
  // Escape cancels a drag whichever of the two windows has the keyboard.
  if (msg.message == WM_KEYDOWN && msg.wParam == VK_ESCAPE && editForm_.AbortPress()) return true;
  return ::TranslateAcceleratorW(hwnd(), accelerators_.get(), &msg) != 0;
}

void MainForm::Execute(unsigned id) {
  if (editForm_.Surface().PressInProgress() && !RunsDuringPress(id)) return;
  switch (id) {
    case cmdOpen:
      if (OpenCommand(state_, *this, BaseCaption)) ForgetHistory();
      return;
    case cmdSave:
      SaveCommand(state_);
      return;
    case cmdSaveAs:
      SaveAsCommand(state_, *this, BaseCaption);
      return;
    case cmdSaveAndTest:
      SaveAndTestCommand(state_, *this);
      return;
    case cmdExit:
      ::PostMessageW(hwnd(), WM_CLOSE, 0, 0);
      return;
    case cmdSelectCDIcon:
    case cmdCDIconButton: {
      IconSnapshot before{CDIconBytes()};
      SelectCDIconCommand(state_, *this);
      editForm_.Surface().Steps().RecordIcon(std::move(before), IconSnapshot{CDIconBytes()});
      return;
    }
    case cmdUndo:
    case cmdRedo:
      editForm_.ExecuteCommand(id);
      // A CD icon step has written the icon file back.
      UpdateCDIconButton();
      return;
    case cmdStartPage:
      StartPageCommand(state_, editForm_.Surface().Steps());
      return;
    case cmdCheckDisc:
      CheckDiscCommand();
      return;
    case cmdMakeIsoImage:
      MakeIsoImageCommand();
      return;
    case cmdHelpContents:
      HelpContents();
      return;
    case cmdTechnicalSupport:
      ::ShellExecuteW(hwnd(), nullptr, Wide(std::string("mailto: ") + build::kSupportEmail).c_str(), nullptr, nullptr,
                      SW_SHOWNORMAL);
      return;
    case cmdHomePage:
      ::ShellExecuteW(hwnd(), L"Open", Wide(build::kHomePage).c_str(), nullptr, nullptr, SW_SHOW);
      return;
    case cmdAbout:
      About();
      return;
    default:
      if (IsSurfaceCommand(id)) editForm_.ExecuteCommand(id);
      return;
  }
}

void MainForm::ForgetHistory() { editForm_.Surface().Steps().Clear(); }

std::optional<std::string> MainForm::CDIconBytes() {
  const std::string icon = CdIconPath(state_.CDFolder);
  std::string bytes, error;
  if (state_.CDFolder.empty() || !state_.Env.Files->FileExists(icon) || !state_.Env.Files->ReadFile(icon, bytes, error))
    return std::nullopt;
  return bytes;
}

void MainForm::UpdateEditMenu(HMENU menu) {
  const History& steps = editForm_.Surface().Steps();
  auto setText = [menu](unsigned id, const std::string& caption, bool enabled) {
    const CommandInfo* info = FindCommand(id);
    const std::string text = "&" + caption + "\t" + ShortcutText(info->Keys);
    ::ModifyMenuW(menu, id, MF_BYCOMMAND | MF_STRING | (enabled ? MF_ENABLED : MF_GRAYED), id, Wide(text).c_str());
  };
  setText(cmdUndo, steps.UndoText(), steps.CanUndo());
  setText(cmdRedo, steps.RedoText(), steps.CanRedo());
  const size_t selected = SelectedIndices(state_.Project).size();
  auto enable = [menu](unsigned id, bool enabled) {
    ::EnableMenuItem(menu, id, MF_BYCOMMAND | (enabled ? MF_ENABLED : MF_GRAYED));
  };
  enable(cmdCopy, selected > 0);
  enable(cmdDuplicate, selected > 0);
  enable(cmdPaste, ClipboardHasObjects());
  enable(cmdSizeToFit, editForm_.Surface().CanSizeSelectionToFit());
  ::CheckMenuItem(menu, cmdStartPage, MF_BYCOMMAND | (state_.Project.PublishStartPage ? MF_CHECKED : MF_UNCHECKED));
  for (unsigned id = cmdAlignLefts; id <= cmdCentreInWindow; ++id)
    enable(id, selected >= MinimumSelection(static_cast<AlignCommand>(id - cmdAlignLefts)));
}

void MainForm::HelpContents() {
  const HelpChoice help = ChooseHelp(*state_.Env.Files, state_.ExeFileName);
  switch (help.Kind) {
    case HelpKind::HelpFile:
      ::WinHelpW(hwnd(), Wide(help.Path).c_str(), HELP_FINDER, 0);
      return;
    case HelpKind::Guide:
      ::ShellExecuteW(hwnd(), L"open", Wide(help.Path).c_str(), nullptr, nullptr, SW_SHOWNORMAL);
      return;
    case HelpKind::Missing:
      ShowError(state_.Env, MissingHelpMessage(help));
      return;
  }
}

void MainForm::About() {
  AboutBox about;
  about.Owner = hwnd();
  about.Execute();
}

std::optional<std::string> MainForm::BrowseForFolder(const std::string& title, const std::string& preselected) {
  return PickFolder(hwnd(), title, preselected);
}

void MainForm::FitDesignSurface() { editForm_.FitToMenuWindow(); }

void MainForm::SetMainCaption(const std::string& caption) { SetWindowTextUtf8(hwnd(), caption); }

void MainForm::ShowModifiedMark() {
  const std::string caption = MainCaption(BaseCaption, state_.CDFolder, state_.Modified);
  if (hwnd() && WindowTextUtf8(hwnd()) != caption) SetWindowTextUtf8(hwnd(), caption);
}

void MainForm::UpdateCDIconButton() {
  const std::string icon = CdIconPath(state_.CDFolder);
  const bool present = !state_.CDFolder.empty() && state_.Env.Files->FileExists(icon);
  toolBar_.ShowCDIcon(present ? icon : std::string());
}

void MainForm::StartProgram(const std::string& path, const std::string& workingFolder) {
  // The full path named and quoted: an unquoted one with spaces would let the system try
  // "C:\My.exe" for "C:\My CD\AutoRun.exe".
  const std::wstring program = Wide(path), folder = Wide(workingFolder);
  std::wstring commandLine = L"\"" + program + L"\"";
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESHOWWINDOW;
  startup.wShowWindow = SW_SHOWNORMAL;
  PROCESS_INFORMATION started{};
  if (!::CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        folder.empty() ? nullptr : folder.c_str(), &startup, &started))
    return;
  UniqueKernelHandle process(started.hProcess);
  UniqueKernelHandle thread(started.hThread);
}

DesignTool MainForm::CurrentTool() { return toolBar_.CurrentTool(); }

void MainForm::SelectTool() { toolBar_.SelectTool(); }

LRESULT MainForm::OnMessage(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_COMMAND:
      Execute(LOWORD(wp));
      return 0;
    case WM_INITMENUPOPUP:
      UpdateEditMenu(reinterpret_cast<HMENU>(wp));
      return 0;
    case WM_NOTIFY:
      toolBar_.ShowHint(reinterpret_cast<NMHDR*>(lp));
      return 0;
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
      // Not while the mouse holds objects on the surface: the question would save half a drag.
      if (editForm_.Surface().PressInProgress() || !CloseQuery(state_)) return 0;
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
