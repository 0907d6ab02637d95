#include "designer/win/CheckDiscForm.h"

#include <commctrl.h>

#include "dialogs/win/DialogIds.h"

namespace corvela::win {

namespace {

constexpr int kMargin = 10;
constexpr int kGap = 6;

struct Column {
  const char* Title;
  int Width;
};
constexpr Column kColumns[] = {{"Severity", 72}, {"Object", 120}, {"Message", 366}, {"Path", 170}};

std::string SeverityTitle(Severity level) {
  std::string text = SeverityName(level);
  if (!text.empty()) text[0] = static_cast<char>(text[0] - 'a' + 'A');
  return text;
}

Size WindowSize(HWND hwnd) {
  RECT r;
  ::GetWindowRect(hwnd, &r);
  return {r.right - r.left, r.bottom - r.top};
}

}  // namespace

CheckDiscForm::CheckDiscForm() : ModalDialog(IDD_CHECK_DISC) {}

CheckDiscForm::Choice CheckDiscForm::Execute() {
  choice_ = Choice::Closed;
  RunModal();
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
  ::SendMessageA(list, LVM_SETEXTENDEDLISTVIEWSTYLE, 0, LVS_EX_FULLROWSELECT | LVS_EX_LABELTIP);
  const int small = ::GetSystemMetrics(SM_CXSMICON);
  icons_.reset(::ImageList_Create(small, small, ILC_COLOR32 | ILC_MASK, 3, 0));
  // In Severity order, so that a severity is its image's index; the system's icons are shared.
  for (LPCSTR icon : {IDI_ERROR, IDI_WARNING, IDI_INFORMATION})
    ::ImageList_AddIcon(icons_.get(), static_cast<HICON>(::LoadImageA(nullptr, icon, IMAGE_ICON, small, small, LR_SHARED)));
  ::SendMessageA(list, LVM_SETIMAGELIST, LVSIL_SMALL, reinterpret_cast<LPARAM>(icons_.get()));
  for (int i = 0; i < static_cast<int>(std::size(kColumns)); ++i) {
    LVCOLUMNA column{};
    column.mask = LVCF_TEXT | LVCF_WIDTH;
    column.pszText = const_cast<char*>(kColumns[i].Title);
    column.cx = kColumns[i].Width;
    ::SendMessageA(list, LVM_INSERTCOLUMNA, i, reinterpret_cast<LPARAM>(&column));
  }
  FillFindings();
  SetText(IDC_CHECK_SUMMARY, FindingsSummary(Findings));
  if (GoOnCaption.empty())
    ::ShowWindow(Item(IDOK), SW_HIDE);
  else
    SetText(IDOK, GoOnCaption);
  LayOut();
}

void CheckDiscForm::FillFindings() {
  HWND list = Item(IDC_CHECK_LIST);
  for (size_t i = 0; i < Findings.size(); ++i) {
    const Finding& finding = Findings[i];
    const std::string texts[] = {SeverityTitle(finding.Level), FindingObjectText(finding), finding.Message,
                                 finding.Path};
    LVITEMA item{};
    item.mask = LVIF_TEXT | LVIF_IMAGE | LVIF_PARAM;
    item.iItem = static_cast<int>(i);
    item.iImage = static_cast<int>(finding.Level);
    item.lParam = static_cast<LPARAM>(i);
    item.pszText = const_cast<char*>(texts[0].c_str());
    const int row = static_cast<int>(::SendMessageA(list, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item)));
    for (int column = 1; column < static_cast<int>(std::size(texts)); ++column) {
      LVITEMA sub{};
      sub.iSubItem = column;
      sub.pszText = const_cast<char*>(texts[column].c_str());
      ::SendMessageA(list, LVM_SETITEMTEXTA, row, reinterpret_cast<LPARAM>(&sub));
    }
  }
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

bool CheckDiscForm::OnNotify(const NMHDR& header) {
  if (header.idFrom != IDC_CHECK_LIST) return false;
  if (header.code == NM_DBLCLK) {
    Activate(reinterpret_cast<const NMITEMACTIVATE&>(header).iItem);
    return true;
  }
  if (header.code == LVN_KEYDOWN && reinterpret_cast<const NMLVKEYDOWN&>(header).wVKey == VK_RETURN) {
    Activate(static_cast<int>(::SendMessageA(header.hwndFrom, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED)));
    return true;
  }
  return false;
}

void CheckDiscForm::Activate(int item) {
  if (item < 0) return;
  LVITEMA row{};
  row.mask = LVIF_PARAM;
  row.iItem = item;
  if (!::SendMessageA(Item(IDC_CHECK_LIST), LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&row))) return;
  const size_t index = static_cast<size_t>(row.lParam);
  if (index >= Findings.size()) return;
  const Finding& finding = Findings[index];
  if (finding.Subject != FindingSubject::Object || finding.ObjectIndex == kNoObject || !SelectObject) return;
  SelectObject(finding.ObjectIndex);
  choice_ = Choice::ObjectSelected;
  ::EndDialog(hwnd(), IDCANCEL);
}

bool CheckDiscForm::OnOtherMessage(UINT msg, WPARAM, LPARAM lp) {
  switch (msg) {
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
