#pragma once
// Check Disc: the findings of the disc check in a list (severity, object, message, path), errors
// first, with a summary line. Many findings of one kind share one line that a double-click (or
// Enter, or the right arrow) opens. A double-click on a finding about an object selects that
// object; an optional second button lets the user go on despite the findings (test, make the
// image). Given a running check, the dialog shows its progress line and a Cancel button until it
// ends, and may then close by itself when the findings need no look.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "designer/FindingRows.h"
#include "dialogs/win/ModalDialog.h"
#include "project/DiscCheck.h"

namespace corvela::win {

class DiscCheckRun;

class CheckDiscForm : public ModalDialog {
 public:
  CheckDiscForm();

  enum class Choice { Closed, GoOn, ObjectSelected, Cancelled };

  // The check to wait for; null: Findings are given.
  DiscCheckRun* Run = nullptr;
  std::vector<Finding> Findings;  // in the order shown; the check's result once it has ended
  // After a check: false when the findings need no look, and the dialog ends as if the user went on.
  std::function<bool(const std::vector<Finding>&)> NeedsLook;
  // The caption of the button that goes on ("Test Anyway"); empty: only Close shows.
  std::string GoOnCaption;
  // Called with the object's index when a finding about it is double-clicked; the dialog then
  // closes so that the user sees the object.
  std::function<void(int32_t)> SelectObject;

  Choice Execute();

 protected:
  DialogPlacement Placement() const override;
  void OnInit() override;
  void OnOK() override { choice_ = Choice::GoOn; }
  bool OnCancel() override;
  bool OnNotify(const NMHDR& header) override;
  bool OnOtherMessage(UINT msg, WPARAM wp, LPARAM lp) override;

 private:
  void Poll();
  void ShowFindings();
  void LayOut();
  void Activate(int row);
  // Opens or closes the group of the row; the row stays selected.
  void Toggle(int row, bool open);
  void GetRowText(NMLVDISPINFOW& info) const;

  Choice choice_ = Choice::Closed;
  std::unique_ptr<FindingRows> rows_;
  UniqueImageList icons_;
  Size minimum_;
};

}  // namespace corvela::win
