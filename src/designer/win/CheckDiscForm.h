#pragma once
// Check Disc: the findings of the disc check in a list (severity, object, message, path), errors
// first, with a summary line. A double-click on a finding about an object selects that object;
// an optional second button lets the user go on despite the findings (test, make the image).

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "dialogs/win/ModalDialog.h"
#include "project/DiscCheck.h"

namespace corvela::win {

class CheckDiscForm : public ModalDialog {
 public:
  CheckDiscForm();

  enum class Choice { Closed, GoOn, ObjectSelected };

  std::vector<Finding> Findings;  // in the order shown
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
  bool OnNotify(const NMHDR& header) override;
  bool OnOtherMessage(UINT msg, WPARAM wp, LPARAM lp) override;

 private:
  void FillFindings();
  void LayOut();
  void Activate(int item);

  Choice choice_ = Choice::Closed;
  UniqueImageList icons_;
  Size minimum_;
};

}  // namespace corvela::win
