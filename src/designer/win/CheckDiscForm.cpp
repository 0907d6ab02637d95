#include "designer/win/CheckDiscForm.h"

#include <commctrl.h>

#include "designer/DiscTasks.h"
#include "designer/win/DiscCheckRun.h"
#include "dialogs/win/DialogIds.h"
#include "platform/win/WideText.h"

namespace corvela::win {

namespace {

constexpr int kMargin = 10;
constexpr int kGap = 6;
constexpr UINT_PTR kPollTimer = 1;
constexpr UINT kPollMs = 100;

struct Column {
  const char* Title;
  int Width;
  FindingColumn Shows;
};
constexpr Column kColumns[] = {{"Severity", 72, FindingColumn::Severity},
                               {"Object", 120, FindingColumn::Object},
                               {"Message", 366, FindingColumn::Message},
                               {"Path", 170, FindingColumn::Path}};

Size WindowSize(HWND hwnd) {
  RECT r;
  ::GetWindowRect(hwnd, &r);
  return {r.right - r.left, r.bottom - r.top};
}

// A dialog hands Enter to its default button; the list keeps it, so that Enter opens a group or
// selects a finding's object as a double-click does (the list reports it as LVN_KEYDOWN).
LRESULT CALLBACK ListKeepsEnter(HWND h, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR id, DWORD_PTR) {
  if (msg == WM_GETDLGCODE && lp) {
    const MSG& key = *reinterpret_cast<const MSG*>(lp);
    if (key.message == WM_KEYDOWN && key.wParam == VK_RETURN) return DLGC_WANTMESSAGE | ::DefSubclassProc(h, msg, wp, lp);
  }
  if (msg == WM_NCDESTROY) ::RemoveWindowSubclass(h, &ListKeepsEnter, id);
  return ::DefSubclassProc(h, msg, wp, lp);
}

int SelectedRow(HWND list) {
  return static_cast<int>(::SendMessageW(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
}

}  // namespace

CheckDiscForm::CheckDiscForm() : ModalDialog(IDD_CHECK_DISC) {}

CheckDiscForm::Choice CheckDiscForm::Execute() {
  choice_ = Choice::Closed;
  RunModal();
  rows_.reset();
  return choice_;
}

DialogPlacement CheckDiscForm::Placement() const {
  RECT client{0, 0, 0, 0};
  ::GetClientRect(hwnd(), &client);
  return {{client.right, client.bottom}, true, {}};
}

void CheckDiscForm::OnInit() {
  minimum_ = WindowSize(hwnd());
  HWND list = Item(IDC_CHECK_LIST);
  ::SendMessageW(list, LVM_SETEXTENDEDLISTVIEWSTYLE, 0, LVS_EX_FULLROWSELECT | LVS_EX_LABELTIP);
  ::SetWindowSubclass(list, &ListKeepsEnter, 0, 0);
  const int small = ::GetSystemMetrics(SM_CXSMICON);
  icons_.reset(::ImageList_Create(small, small, ILC_COLOR32 | ILC_MASK, 3, 0));
  // In Severity order, so that a severity is its image's index; the system's icons are shared.
  for (LPCWSTR icon : {IDI_ERROR, IDI_WARNING, IDI_INFORMATION})
    ::ImageList_AddIcon(icons_.get(),
                        static_cast<HICON>(::LoadImageW(nullptr, icon, IMAGE_ICON, small, small, LR_SHARED)));
  ::SendMessageW(list, LVM_SETIMAGELIST, LVSIL_SMALL, reinterpret_cast<LPARAM>(icons_.get()));
  for (int i = 0; i < static_cast<int>(std::size(kColumns)); ++i) {
    std::wstring title = Wide(kColumns[i].Title);
    LVCOLUMNW column{};
    column.mask = LVCF_TEXT | LVCF_WIDTH;
    column.pszText = title.data();
    column.cx = kColumns[i].Width;
    ::SendMessageW(list, LVM_INSERTCOLUMNW, i, reinterpret_cast<LPARAM>(&column));
  }
  ::ShowWindow(Item(IDOK), SW_HIDE);
  LayOut();
  if (!Run) {
    ShowFindings();
    return;
  }
  // The progress line stands where the summary will; Cancel where Close will.
  SetText(IDCANCEL, "Cancel");
  Enable(IDC_CHECK_LIST, false);
  SetText(IDC_CHECK_SUMMARY, DiscCheckProgressText(Run->Progress()));
  ::SetTimer(hwnd(), kPollTimer, kPollMs, nullptr);
  Poll();
}

void CheckDiscForm::Poll() {
  if (!Run->Ended()) {
    // While Cancel is pending the line says so.
    if (::IsWindowEnabled(Item(IDCANCEL))) SetText(IDC_CHECK_SUMMARY, DiscCheckProgressText(Run->Progress()));
    return;
  }
  ::KillTimer(hwnd(), kPollTimer);
  std::optional<std::vector<Finding>> result = Run->TakeResult();
  if (!result) {
    choice_ = Choice::Cancelled;
    ::EndDialog(hwnd(), IDCANCEL);
    return;
  }
  Findings = std::move(*result);
  if (NeedsLook && !NeedsLook(Findings)) {
    choice_ = Choice::GoOn;
    ::EndDialog(hwnd(), IDOK);
    return;
  }
  SetText(IDCANCEL, "Close");
  Enable(IDC_CHECK_LIST, true);
  ShowFindings();
  LayOut();
}

void CheckDiscForm::ShowFindings() {
  rows_ = std::make_unique<FindingRows>(Findings);
  ::SendMessageW(Item(IDC_CHECK_LIST), LVM_SETITEMCOUNT, rows_->Count(), 0);
  SetText(IDC_CHECK_SUMMARY, FindingsSummary(Findings));
  if (!GoOnCaption.empty()) {
    SetText(IDOK, GoOnCaption);
    ::ShowWindow(Item(IDOK), SW_SHOW);
  }
}

bool CheckDiscForm::OnCancel() {
  if (!Run || Run->Ended() || rows_) return true;
  // The check stops at its next report; the dialog ends when the poll sees it has.
  Run->Cancel();
  Enable(IDCANCEL, false);
  SetText(IDC_CHECK_SUMMARY, "Cancelling ...");
  return false;
}

void CheckDiscForm::LayOut() {
  RECT client;
  ::GetClientRect(hwnd(), &client);
  RECT button;
  ::GetWindowRect(Item(IDCANCEL), &button);
  const int buttonWidth = button.right - button.left;
  const int buttonHeight = button.bottom - button.top;
  const int buttonTop = client.bottom - kMargin - buttonHeight;
  int x = client.right - kMargin - buttonWidth;
  ::MoveWindow(Item(IDCANCEL), x, buttonTop, buttonWidth, buttonHeight, TRUE);
  if (::IsWindowVisible(Item(IDOK))) {
    RECT goOn;
    ::GetWindowRect(Item(IDOK), &goOn);
    x -= kGap + (goOn.right - goOn.left);
    ::MoveWindow(Item(IDOK), x, buttonTop, goOn.right - goOn.left, buttonHeight, TRUE);
  }
  RECT summary;
  ::GetWindowRect(Item(IDC_CHECK_SUMMARY), &summary);
  const int summaryHeight = summary.bottom - summary.top;
  ::MoveWindow(Item(IDC_CHECK_SUMMARY), kMargin, buttonTop + (buttonHeight - summaryHeight) / 2,
               std::max(0, x - kGap - kMargin), summaryHeight, TRUE);
  ::MoveWindow(Item(IDC_CHECK_LIST), kMargin, kMargin, std::max(0, static_cast<int>(client.right) - 2 * kMargin),
               std::max(0, buttonTop - kGap - kMargin), TRUE);
}

void CheckDiscForm::GetRowText(NMLVDISPINFOW& info) const {
  LVITEMW& item = info.item;
  if (!rows_ || item.iItem < 0) return;
  const auto row = static_cast<size_t>(item.iItem);
  if ((item.mask & LVIF_TEXT) && item.pszText && item.cchTextMax > 0 && item.iSubItem >= 0 &&
      item.iSubItem < static_cast<int>(std::size(kColumns))) {
    const std::string text = rows_->Text(row, kColumns[item.iSubItem].Shows);
    ::lstrcpynW(item.pszText, Wide(text).c_str(), item.cchTextMax);
  }
  const FindingRow at = rows_->At(row);
  if (item.mask & LVIF_IMAGE) item.iImage = static_cast<int>(Findings[at.Finding].Level);
  if (item.mask & LVIF_INDENT) item.iIndent = at.Is == FindingRow::Kind::Member ? 1 : 0;
}

bool CheckDiscForm::OnNotify(const NMHDR& header) {
  if (header.idFrom != IDC_CHECK_LIST || !rows_) return false;
  switch (header.code) {
    // The dialog is a wide-character window: the list asks for its rows in UTF-16.
    case LVN_GETDISPINFOW:
      GetRowText(const_cast<NMLVDISPINFOW&>(reinterpret_cast<const NMLVDISPINFOW&>(header)));
      return true;
    case NM_DBLCLK:
      Activate(reinterpret_cast<const NMITEMACTIVATE&>(header).iItem);
      return true;
    case LVN_KEYDOWN: {
      const WORD key = reinterpret_cast<const NMLVKEYDOWN&>(header).wVKey;
      const int row = SelectedRow(header.hwndFrom);
      if (key == VK_RETURN) Activate(row);
      if (key == VK_RIGHT || key == VK_LEFT) Toggle(row, key == VK_RIGHT);
      return key == VK_RETURN;
    }
  }
  return false;
}

void CheckDiscForm::Activate(int row) {
  if (row < 0 || static_cast<size_t>(row) >= rows_->Count()) return;
  const FindingRow at = rows_->At(static_cast<size_t>(row));
  if (at.Is == FindingRow::Kind::Group) {
    Toggle(row, !rows_->Expanded(at.Group));
    return;
  }
  const Finding& finding = Findings[at.Finding];
  if (finding.Subject != FindingSubject::Object || finding.ObjectIndex == kNoObject || !SelectObject) return;
  SelectObject(finding.ObjectIndex);
  choice_ = Choice::ObjectSelected;
  ::EndDialog(hwnd(), IDCANCEL);
}

void CheckDiscForm::Toggle(int row, bool open) {
  if (row < 0 || static_cast<size_t>(row) >= rows_->Count()) return;
  const FindingRow at = rows_->At(static_cast<size_t>(row));
  if (at.Is == FindingRow::Kind::Single || rows_->Expanded(at.Group) == open) return;
  // From a member, Left closes its group and moves to the group's line.
  const auto groupRow = static_cast<int>(rows_->GroupRow(at.Group));
  rows_->Toggle(static_cast<size_t>(groupRow));
  HWND list = Item(IDC_CHECK_LIST);
  ::SendMessageW(list, LVM_SETITEMCOUNT, rows_->Count(), LVSICF_NOSCROLL);
  LVITEMW state{};
  state.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
  state.state = LVIS_SELECTED | LVIS_FOCUSED;
  ::SendMessageW(list, LVM_SETITEMSTATE, static_cast<WPARAM>(groupRow), reinterpret_cast<LPARAM>(&state));
  ::SendMessageW(list, LVM_ENSUREVISIBLE, static_cast<WPARAM>(groupRow), FALSE);
  ::InvalidateRect(list, nullptr, TRUE);
}

bool CheckDiscForm::OnOtherMessage(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_TIMER:
      if (wp != kPollTimer || !Run) return false;
      Poll();
      return true;
    case WM_SIZE:
      LayOut();
      return true;
    case WM_GETMINMAXINFO: {
      auto* info = reinterpret_cast<MINMAXINFO*>(lp);
      // Down to half the template: the buttons and the summary keep their room.
      info->ptMinTrackSize.x = minimum_.Width / 2;
      info->ptMinTrackSize.y = minimum_.Height / 2;
      return true;
    }
  }
  return false;
}

}  // namespace corvela::win
