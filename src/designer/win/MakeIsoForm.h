#pragma once
// Make ISO Image: writes the image on a worker thread with a progress bar and Cancel. The worker
// reports progress to the dialog by posted messages, so the window stays responsive; Cancel stops
// the writer, which removes its unfinished file and leaves an older image as it was. The dialog
// ends showing the image's size and the medium it fits, or why it failed.

#include <atomic>

#include "dialogs/win/ModalDialog.h"
#include "platform/win/Handles.h"
#include "project/DiscImage.h"

namespace corvela::win {

class MakeIsoForm : public ModalDialog {
 public:
  MakeIsoForm();

  DiscImageRequest Request;
  DiscImageWriter* Writer = nullptr;
  // Out: what the writer did.
  DiscImageResult Result;

  void Execute() { RunModal(); }

 protected:
  DialogPlacement Placement() const override;
  void OnInit() override;
  void OnOK() override {}
  bool OnCancel() override;
  bool OnOtherMessage(UINT msg, WPARAM wp, LPARAM lp) override;

 private:
  static DWORD WINAPI ThreadStart(void* self);
  void Work();
  void Finished();

  UniqueKernelHandle thread_;
  std::atomic<bool> cancel_{false};
  std::atomic<int> position_{-1};  // the last position posted: each step is posted once
  bool running_ = false;
};

}  // namespace corvela::win
