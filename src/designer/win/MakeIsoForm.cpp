#include "designer/win/MakeIsoForm.h"

#include <commctrl.h>

#include <exception>

#include "designer/DiscTasks.h"
#include "dialogs/win/DialogIds.h"

namespace corvela::win {

namespace {
constexpr UINT kProgressMessage = WM_APP + 1;  // wParam: the position
constexpr UINT kDoneMessage = WM_APP + 2;
}  // namespace

MakeIsoForm::MakeIsoForm() : ModalDialog(IDD_MAKE_ISO) {}

DialogPlacement MakeIsoForm::Placement() const {
  RECT client{0, 0, 0, 0};
  ::GetClientRect(hwnd(), &client);
  return {{client.right, client.bottom}, true, {}};
}

void MakeIsoForm::OnInit() {
  Result = {};
  cancel_ = false;
  position_ = -1;
  ::SendMessageW(Item(IDC_ISO_PROGRESS), PBM_SETRANGE32, 0, kProgressSteps);
  SetText(IDC_ISO_STATUS, "Writing " + DisplayPath(Request.Image) + " ...");
  DWORD id = 0;
  thread_.reset(::CreateThread(nullptr, 0, &MakeIsoForm::ThreadStart, this, 0, &id));
  running_ = static_cast<bool>(thread_);
  if (!running_) {
    Result.Error = "The image cannot be written: no thread could be started.";
    Finished();
  }
}

DWORD WINAPI MakeIsoForm::ThreadStart(void* self) {
  static_cast<MakeIsoForm*>(self)->Work();
  return 0;
}

void MakeIsoForm::Work() {
  const HWND dialog = hwnd();
  try {
    Result = Writer->Write(Request, [this, dialog](uint64_t done, uint64_t total) {
      const int position = ProgressPosition(done, total);
      if (position_.exchange(position) != position)
        ::PostMessageW(dialog, kProgressMessage, static_cast<WPARAM>(position), 0);
      return !cancel_;
    });
  } catch (const std::exception& e) {
    Result = {};
    Result.Error = e.what();
  }
  ::PostMessageW(dialog, kDoneMessage, 0, 0);
}

bool MakeIsoForm::OnCancel() {
  if (!running_) return true;
  // The writer stops at its next progress report and removes its unfinished file; the dialog closes
  // when the worker says it is done.
  cancel_ = true;
  Enable(IDCANCEL, false);
  SetText(IDC_ISO_STATUS, "Cancelling ...");
  return false;
}

bool MakeIsoForm::OnOtherMessage(UINT msg, WPARAM wp, LPARAM) {
  switch (msg) {
    case kProgressMessage:
      ::SendMessageW(Item(IDC_ISO_PROGRESS), PBM_SETPOS, wp, 0);
      return true;
    case kDoneMessage:
      ::WaitForSingleObject(thread_.get(), INFINITE);
      thread_.reset();
      running_ = false;
      Finished();
      return true;
  }
  return false;
}

void MakeIsoForm::Finished() {
  if (Result.Outcome == DiscImageOutcome::Cancelled) {
    ::EndDialog(hwnd(), IDCANCEL);
    return;
  }
  if (Result.Outcome == DiscImageOutcome::Written) {
    ::SendMessageW(Item(IDC_ISO_PROGRESS), PBM_SETPOS, kProgressSteps, 0);
    SetText(IDC_ISO_STATUS, ImageDoneText(Result.ImageBytes));
  } else {
    SetText(IDC_ISO_STATUS, Result.Error);
  }
  SetText(IDCANCEL, "Close");
  Enable(IDCANCEL, true);
}

}  // namespace corvela::win
