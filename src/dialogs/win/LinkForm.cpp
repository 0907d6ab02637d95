#include "dialogs/win/LinkForm.h"

#include <commctrl.h>

#include <algorithm>

#include "dialogs/win/DialogControls.h"
#include "dialogs/win/DialogIds.h"
#include "platform/win/WideText.h"

namespace corvela::win {

LinkForm::LinkForm(AppState& state) : ModalDialog(IDD_LINK), state_(state) {}

bool LinkForm::Execute(ObjectLink* link) {
  if (!link) return false;
  fields_ = FillLinkEditor(*link);
  RunModal();
  tooltip_.reset();
  return WriteBackLinkEditor(fields_, Flags, *link);
}

std::vector<FixedSizeControl> LinkForm::FixedSizes() const {
  return {{IDC_LINK_BROWSE, {27, 26}}};
}

void LinkForm::OnInit() {
  FillList(IDC_LINK_ACTION, kLinkActionEntries, fields_.Action);
  WidenActionList();
  ApplyEnabling(fields_.Action);
  SetText(IDC_LINK_TARGET, fields_.Target);
  SetText(IDC_LINK_PARAMETERS, fields_.Parameters);
  SetText(IDC_LINK_START_DIRECTORY, fields_.StartDirectory);
  AddBrowseTip();
}

void LinkForm::OnOK() {
  fields_.Action = ListEntry(IDC_LINK_ACTION);
  fields_.Target = Text(IDC_LINK_TARGET);
  fields_.Parameters = Text(IDC_LINK_PARAMETERS);
  fields_.StartDirectory = Text(IDC_LINK_START_DIRECTORY);
}

void LinkForm::OnCommand(int id, int code) {
  if (id == IDC_LINK_ACTION && code == CBN_SELCHANGE) ApplyEnabling(ListEntry(IDC_LINK_ACTION));
  if (id == IDC_LINK_BROWSE && code == BN_CLICKED) Browse();
}

void LinkForm::ApplyEnabling(int action) {
  const LinkFieldStates states = EnabledLinkFields(action);
  Enable(IDC_LINK_TARGET, states.Target);
  Enable(IDC_LINK_PARAMETERS, states.Parameters);
  Enable(IDC_LINK_START_DIRECTORY, states.StartDirectory);
  Enable(IDC_LINK_BROWSE, states.Browse);
}

void LinkForm::Browse() {
  LinkEditorFields current;
  current.Target = Text(IDC_LINK_TARGET);
  current.StartDirectory = Text(IDC_LINK_START_DIRECTORY);
  LinkEditorFields browsed = current;
  BrowseLinkTarget(state_, browsed);
  // Setting a text marks the change; an unchanged text is left alone so that it does not.
  if (browsed.Target != current.Target) SetText(IDC_LINK_TARGET, browsed.Target);
  if (browsed.StartDirectory != current.StartDirectory) SetText(IDC_LINK_START_DIRECTORY, browsed.StartDirectory);
}

void LinkForm::AddBrowseTip() {
  tooltip_.reset(::CreateWindowExW(0, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP, CW_USEDEFAULT, CW_USEDEFAULT,
                                   CW_USEDEFAULT, CW_USEDEFAULT, hwnd(), nullptr, ::GetModuleHandleW(nullptr),
                                   nullptr));
  if (!tooltip_) return;
  TOOLINFOW tool{};
  tool.cbSize = sizeof tool;
  tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
  tool.hwnd = hwnd();
  tool.uId = reinterpret_cast<UINT_PTR>(Item(IDC_LINK_BROWSE));
  wchar_t text[] = L"Browse";
  tool.lpszText = text;
  ::SendMessageW(tooltip_.get(), TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
}

void LinkForm::WidenActionList() {
  // Should a font make the Open URL entry longer than the list is wide, the dropped list grows to
  // show it whole.
  HWND list = Item(IDC_LINK_ACTION);
  WindowDc dc(list);
  SelectScope font(dc.get(), reinterpret_cast<HGDIOBJ>(::SendMessageW(list, WM_GETFONT, 0, 0)));
  int widest = 0;
  for (const char* entry : kLinkActionEntries) {
    SIZE size{};
    const std::wstring text = Wide(entry);
    ::GetTextExtentPoint32W(dc.get(), text.c_str(), static_cast<int>(text.size()), &size);
    widest = std::max<int>(widest, size.cx);
  }
  const int padding = 2 * ::GetSystemMetrics(SM_CXEDGE) + ::GetSystemMetrics(SM_CXVSCROLL) + 8;
  ::SendMessageW(list, CB_SETDROPPEDWIDTH, static_cast<WPARAM>(widest + padding), 0);
}

bool LinkForm::OnDrawItem(const DRAWITEMSTRUCT& item) {
  if (item.CtlID != IDC_LINK_BROWSE) return false;
  DrawFolderButton(item);
  return true;
}

}  // namespace corvela::win
