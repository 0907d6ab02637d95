#pragma once
// The base of the property dialogs: a modal dialog from a resource template with its fields going
// in at OnInit and coming back out at OnOK. It keeps the two flags of a call (OK pressed, changed),
// stretches the template to its designed pixel size and places it, steps spin edits without bounds,
// and draws the decorative picture. No exception leaves the dialog procedure.

#include <windows.h>

#include <cstddef>
#include <string>
#include <vector>

#include "dialogs/DialogRules.h"
#include "platform/win/Handles.h"

namespace corvela::win {

// Where the dialog opens and how large its client area is, in pixels.
struct DialogPlacement {
  Size Client;
  bool Centred = true;
  Point Position;  // the window's top-left corner when not centred
};

// A control whose size is fixed in pixels (swatches, samples); its top-left corner follows the
// stretched layout. The 32 x 32 picture is always one.
struct FixedSizeControl {
  int Id;
  Size Size;
};

class ModalDialog {
 public:
  virtual ~ModalDialog() = default;
  ModalDialog(const ModalDialog&) = delete;
  ModalDialog& operator=(const ModalDialog&) = delete;

  // Owner of the dialogs; null: the active window at the time of the call.
  HWND Owner = nullptr;

 protected:
  explicit ModalDialog(int templateId) : templateId_(templateId) {}

  // Shows the dialog modally and returns when it is closed; true when closed with OK. The flags of
  // the call are in Flags afterwards.
  bool RunModal();

  virtual DialogPlacement Placement() const = 0;
  virtual std::vector<FixedSizeControl> FixedSizes() const { return {}; }
  // Fields into the controls. Afterwards both flags are cleared, so filling is no change.
  virtual void OnInit() = 0;
  // OK was pressed: false keeps the dialog open (after telling the user what to mend).
  virtual bool CanClose() { return true; }
  // Controls back into the fields; called when OK is pressed, before the dialog closes.
  virtual void OnOK() = 0;
  // WM_COMMAND of one control, after the base has marked edits, list choices and check boxes as
  // changes.
  virtual void OnCommand(int id, int code) {
    (void)id;
    (void)code;
  }
  // WM_NOTIFY of a control other than a spin button; true when handled.
  virtual bool OnNotify(const NMHDR& header) {
    (void)header;
    return false;
  }
  // The Cancel button, Escape or the close box; false keeps the dialog open.
  virtual bool OnCancel() { return true; }
  // Any other message (sizing, messages of a worker thread); true when handled.
  virtual bool OnOtherMessage(UINT msg, WPARAM wp, LPARAM lp) {
    (void)msg;
    (void)wp;
    (void)lp;
    return false;
  }
  // Owner-drawn controls other than the picture; true when drawn.
  virtual bool OnDrawItem(const DRAWITEMSTRUCT& item) {
    (void)item;
    return false;
  }

  HWND hwnd() const { return hwnd_; }
  HWND Item(int id) const { return ::GetDlgItem(hwnd_, id); }
  // Texts in and out of the controls are UTF-8.
  std::string Text(int id) const;
  void SetText(int id, const std::string& text);
  void FillList(int id, const char* const* entries, size_t count, int selected);
  template <typename Entries>
  void FillList(int id, const Entries& entries, int selected) {
    FillList(id, entries.data(), entries.size(), selected);
  }
  int ListEntry(int id) const;
  bool Checked(int id) const;
  void SetChecked(int id, bool checked);
  void Enable(int id, bool enabled);
  void Redraw(int id);
  void MarkChanged() { Flags.Changed = true; }

  DialogFlags Flags;

 private:
  static INT_PTR CALLBACK Procedure(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
  INT_PTR HandleMessage(UINT msg, WPARAM wp, LPARAM lp);
  void Initialise();
  void FitAndPlace();
  void Command(int id, int code, HWND control);
  bool Notify(const NMHDR& header);
  void DrawPicture(const DRAWITEMSTRUCT& item);

  int templateId_;
  HWND hwnd_ = nullptr;
  UniqueBitmap picture_;
};

}  // namespace corvela::win
