// The real dialog templates and classes, driven from a second thread the way a user would: texts
// typed into edits, list entries chosen, boxes ticked, the colour and font dialogs answered, OK or
// Cancel pressed. Choosers and message boxes of the CD-folder rule go to fakes.
#include <gtest/gtest.h>
#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "dialogs/LinkEditorRules.h"
#include "dialogs/win/DialogIds.h"
#include "dialogs/win/PropertyDialogs.h"
#include "platform/win/Win32CodePages.h"
#include "platform/win/WideText.h"
#include "support/FakePlatform.h"
#include "support/win/Pixels.h"
#include "support/win/WinProcess.h"

namespace corvela {
namespace {

using testing::FakeWorld;

// A visible dialog box of this process with the caption (any caption when null), waiting for it.
HWND WaitForDialog(const char* caption, DWORD timeoutMs = 5000) {
  HWND found = nullptr;
  testing::WaitFor(
      [&] {
        for (HWND box : testing::TopWindows(::GetCurrentProcessId(), "#32770"))
          if (::IsWindowVisible(box) && (!caption || testing::WindowText(box) == caption)) found = box;
        return found != nullptr;
      },
      timeoutMs);
  return found;
}

// Drives the dialog that the calling thread is about to open. The script runs on a helper thread
// once the dialog is visible; whatever it leaves open is cancelled after a grace period, so that a
// failing script ends the modal loop instead of hanging the test.
class DialogDriver {
 public:
  DialogDriver(const char* caption, std::function<void(HWND)> script)
      : caption_(caption), script_(std::move(script)), thread_([this] { Run(); }) {}
  ~DialogDriver() { Finish(); }
  // Call when the modal call has returned.
  void Finish() {
    finished_ = true;
    if (thread_.joinable()) thread_.join();
  }
  bool Found() const { return found_; }

 private:
  void Run() {
    HWND dialog = WaitForDialog(caption_);
    found_ = dialog != nullptr;
    if (dialog) script_(dialog);
    const DWORD start = ::GetTickCount();
    while (!finished_ && ::GetTickCount() - start < 15000) {
      ::Sleep(100);
      if (::GetTickCount() - start < 1500) continue;
      while (HWND open = WaitForDialog(nullptr, 0)) {
        ::PostMessageA(open, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
        ::Sleep(100);
        if (finished_) break;
      }
    }
  }

  const char* caption_;
  std::function<void(HWND)> script_;
  std::atomic<bool> finished_{false};
  std::atomic<bool> found_{false};
  std::thread thread_;
};

// What a user does, sent from the helper thread. Texts are UTF-8.
void Type(HWND dialog, int id, const std::string& text) {
  win::SetWindowTextUtf8(::GetDlgItem(dialog, id), text);
}
std::string TextOf(HWND dialog, int id) {
  return testing::WindowText(::GetDlgItem(dialog, id));
}
void Choose(HWND dialog, int id, int entry) {
  HWND list = ::GetDlgItem(dialog, id);
  ::SendMessageA(list, CB_SETCURSEL, static_cast<WPARAM>(entry), 0);
  ::SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE), reinterpret_cast<LPARAM>(list));
}
int EntryOf(HWND dialog, int id) {
  return static_cast<int>(::SendDlgItemMessageA(dialog, id, CB_GETCURSEL, 0, 0));
}
void Tick(HWND dialog, int id) {
  ::SendDlgItemMessageA(dialog, id, BM_CLICK, 0, 0);
}
// A click that opens a nested modal box must not wait for it: it is posted.
void ClickLater(HWND dialog, int id) {
  ::PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(::GetDlgItem(dialog, id)));
}
void Click(HWND dialog, int id) {
  ::SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(::GetDlgItem(dialog, id)));
}
// Answers the nested common dialog (colour or font) with OK or Cancel; false when it never came.
bool Answer(const char* caption, int button) {
  HWND nested = WaitForDialog(caption);
  if (!nested) return false;
  ::PostMessageA(nested, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), 0);
  testing::WaitFor([&] { return !::IsWindow(nested) || !::IsWindowVisible(nested); }, 5000);
  return true;
}

// The tooltip window that belongs to a dialog.
HWND OwnedTooltip(HWND dialog) {
  for (HWND tip : testing::TopWindows(::GetCurrentProcessId(), TOOLTIPS_CLASSA))
    if (::GetWindow(tip, GW_OWNER) == dialog) return tip;
  return nullptr;
}

std::vector<int> TabOrder(HWND dialog) {
  std::vector<int> ids;
  HWND first = ::GetNextDlgTabItem(dialog, nullptr, FALSE);
  for (HWND item = first; item;) {
    ids.push_back(::GetDlgCtrlID(item));
    item = ::GetNextDlgTabItem(dialog, item, FALSE);
    if (item == first) break;
  }
  return ids;
}

// With CORVELA_TEST_SHOTS set, each dialog is kept as it is on screen.
void Screenshot(HWND dialog, const char* name) {
  if (!std::getenv("CORVELA_TEST_SHOTS")) return;
  ::RedrawWindow(dialog, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
  ::Sleep(300);
  RECT r;
  ::GetWindowRect(dialog, &r);
  testing::ReadScreen(r).Shot(std::string("dialog-") + name);
}

struct Dialogs : ::testing::Test {
  FakeWorld World;
  AppState& State = World.State;
  win::PropertyDialogs Boxes{State};
  // The menu's inner area as Form Properties is given it.
  Size MenuSize{320, 200};
  Dialogs() { State.CDFolder = "C:\\Menu"; }
};

// Caption, client size in pixels and where each dialog opens.
TEST_F(Dialogs, EachOpensWithItsCaptionSizeAndPlace) {
  MenuObject label(ObjectKind::Label), button(ObjectKind::Button), image(ObjectKind::Image);
  std::string file;
  struct Case {
    const char* caption;
    SIZE client;
    bool centred;
    std::function<void()> open;
  };
  const Case cases[] = {
      {"Form Properties", {618, 346}, true, [&] { Boxes.EditFormProperties(State.Project, MenuSize); }},
      {"Label Properties", {422, 292}, false, [&] { Boxes.EditLabelProperties(label); }},
      {"Button Properties", {448, 329}, true, [&] { Boxes.EditButtonProperties(button); }},
      {"Image Properties", {488, 203}, true, [&] { Boxes.EditImageProperties(image); }},
      {"Edit Link", {630, 170}, true, [&] { Boxes.EditLink(State.Project.StartLink); }},
      {"File", {427, 155}, true, [&] { Boxes.GetFile(file, false, kAviFilter); }},
      {"File or URL", {427, 155}, true, [&] { Boxes.GetFile(file, true, kHtmlFilter); }},
  };
  for (const Case& c : cases) {
    RECT client{}, window{};
    LONG style = 0;
    DialogDriver driver(c.caption, [&](HWND dialog) {
      ::GetClientRect(dialog, &client);
      ::GetWindowRect(dialog, &window);
      style = ::GetWindowLongA(dialog, GWL_STYLE);
      Screenshot(dialog, c.caption);
      ClickLater(dialog, IDCANCEL);
    });
    c.open();
    driver.Finish();
    ASSERT_TRUE(driver.Found()) << c.caption;
    EXPECT_EQ(client.right, c.client.cx) << c.caption;
    EXPECT_EQ(client.bottom, c.client.cy) << c.caption;
    EXPECT_TRUE(style & WS_SYSMENU) << c.caption;
    EXPECT_FALSE(style & (WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX)) << c.caption;
    if (c.centred) {
      EXPECT_EQ(window.left, (::GetSystemMetrics(SM_CXSCREEN) - (window.right - window.left)) / 2) << c.caption;
      EXPECT_EQ(window.top, (::GetSystemMetrics(SM_CYSCREEN) - (window.bottom - window.top)) / 2) << c.caption;
    } else {
      EXPECT_EQ(window.left, 192);
      EXPECT_EQ(window.top, 107);
    }
  }
}

TEST_F(Dialogs, FormPropertiesLabelsThePositionChoiceCorrectly) {
  bool found = false;
  DialogDriver driver("Form Properties", [&](HWND dialog) {
    for (HWND child = ::GetWindow(dialog, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT))
      found = found || testing::WindowText(child) == "Position:";
    ClickLater(dialog, IDCANCEL);
  });
  Boxes.EditFormProperties(State.Project, MenuSize);
  driver.Finish();
  ASSERT_TRUE(driver.Found());
  EXPECT_TRUE(found);
}

TEST_F(Dialogs, FormPropertiesShowsTheProjectAndWritesItBackOnOk) {
  MenuProject& p = State.Project;
  p.Form.Caption = "Menu";
  p.FormIcon = "\\menu.ico";
  p.GradientStyle = 4;
  p.Form.BorderStyle = 2;
  p.Form.Position = static_cast<uint8_t>(FormPosition::Designed);
  p.Panel.BorderWidth = 4;
  std::vector<int> tabs;
  std::string shownCaption, shownIcon, shownWidth, refusal;
  int shownGradient = -2, shownPosition = -2;
  bool positionEnabled = true, keptOpen = false;
  DialogDriver driver("Form Properties", [&](HWND d) {
    shownWidth = TextOf(d, IDC_MENU_WIDTH);
    // A size the menu cannot take is refused with a word, and the dialog keeps what was typed.
    Type(d, IDC_MENU_HEIGHT, "5");
    Click(d, IDOK);
    if (!World.Ui.Shown.empty()) refusal = World.Ui.Shown[0].Text;
    keptOpen = ::IsWindowVisible(d) && TextOf(d, IDC_MENU_HEIGHT) == "5";
    Type(d, IDC_MENU_WIDTH, "640");
    Type(d, IDC_MENU_HEIGHT, "480");
    shownCaption = TextOf(d, IDC_FORM_CAPTION);
    shownIcon = TextOf(d, IDC_FORM_ICON);
    shownGradient = EntryOf(d, IDC_GRADIENT_STYLE);
    shownPosition = EntryOf(d, IDC_POSITION);
    positionEnabled = ::IsWindowEnabled(::GetDlgItem(d, IDC_POSITION));
    tabs = TabOrder(d);
    Screenshot(d, "form-properties");
    Type(d, IDC_FORM_CAPTION, "  Welcome");
    Type(d, IDC_START_SOUND, "sounds\\intro.wav");
    Choose(d, IDC_GRADIENT_STYLE, 8);
    Choose(d, IDC_BEVEL_INNER, 3);
    // The spin buttons step from what the edit holds, without bounds.
    Type(d, IDC_BEVEL_WIDTH, "-3");
    ::SendDlgItemMessageA(d, IDC_BEVEL_WIDTH, WM_KEYDOWN, VK_DOWN, 0);
    Type(d, IDC_PANEL_BORDER_WIDTH, "junk");
    Tick(d, IDC_TRANSPARENT);
    Type(d, IDC_DISC_LABEL, "Photo Disc");
    ClickLater(d, IDOK);
  });
  const bool written = Boxes.EditFormProperties(p, MenuSize);
  driver.Finish();
  ASSERT_TRUE(driver.Found());
  EXPECT_EQ(shownWidth, "320");
  EXPECT_NE(refusal.find("16 to 4096"), std::string::npos) << refusal;
  EXPECT_TRUE(keptOpen);
  EXPECT_EQ(MenuSize, (Size{640, 480}));
  EXPECT_EQ(shownCaption, "Menu");
  EXPECT_EQ(shownIcon, "\\menu.ico");
  EXPECT_EQ(shownGradient, 4);
  EXPECT_EQ(shownPosition, 1);
  EXPECT_FALSE(positionEnabled);
  EXPECT_EQ(tabs, (std::vector<int>{IDC_FORM_CAPTION, IDC_FORM_ICON, IDC_FORM_ICON_SELECT, IDC_START_SOUND,
                                    IDC_START_SOUND_SELECT, IDC_BACK_COLOR_SELECT, IDC_GRADIENT_STYLE,
                                    IDC_GRADIENT_COLOR_SELECT, IDC_BORDER_STYLE, IDC_TRANSPARENT_COLOR_SELECT,
                                    IDC_TRANSPARENT, IDC_DISC_LABEL, IDC_PANEL_BORDER_STYLE, IDC_PANEL_BORDER_WIDTH,
                                    IDC_BEVEL_INNER, IDC_BEVEL_OUTER, IDC_BEVEL_WIDTH, IDC_MENU_WIDTH, IDC_MENU_HEIGHT,
                                    IDOK, IDCANCEL}));
  ASSERT_TRUE(written);
  EXPECT_EQ(p.Form.Caption, "  Welcome");
  EXPECT_EQ(p.StartSound, "\\sounds\\intro.wav");
  EXPECT_EQ(p.GradientStyle, 8);
  EXPECT_EQ(p.Panel.BevelInner, 3);
  EXPECT_EQ(p.Panel.BevelWidth, -4);
  EXPECT_EQ(p.Panel.BorderWidth, 0);
  EXPECT_TRUE(p.Form.TransparentColor);
  EXPECT_EQ(p.Form.Position, static_cast<uint8_t>(FormPosition::Designed));
  EXPECT_EQ(p.Form.BorderStyle, 2);
  EXPECT_EQ(p.DiscLabel, "Photo Disc");
}

TEST_F(Dialogs, FormPropertiesKeepsADiscLabelAutorunInfCannotHoldFromClosing) {
  win::Win32CodePages codes;
  World.Env.Codes = &codes;
  bool stayed = false;
  DialogDriver driver("Form Properties", [&](HWND d) {
    Type(d, IDC_DISC_LABEL, "Δίσκος");
    Click(d, IDOK);
    stayed = ::IsWindowVisible(d) != FALSE;
    Type(d, IDC_DISC_LABEL, "Disc");
    ClickLater(d, IDOK);
  });
  ASSERT_TRUE(Boxes.EditFormProperties(State.Project, MenuSize));
  driver.Finish();
  EXPECT_TRUE(stayed);
  ASSERT_EQ(World.Ui.Shown.size(), 1u);
  EXPECT_NE(World.Ui.Shown[0].Text.find("code page"), std::string::npos) << World.Ui.Shown[0].Text;
  EXPECT_EQ(State.Project.DiscLabel, "Disc");
}

// OK on an untouched dialog, and Cancel after a change, leave the record alone.
TEST_F(Dialogs, NothingIsWrittenWithoutOkAfterAChange) {
  MenuObject label(ObjectKind::Label), button(ObjectKind::Button), image(ObjectKind::Image);
  State.Project.FormIcon = "menu.ico";  // OK after a change would normalise it
  button.BitmapFile = "play.bmp";
  image.FileName = "logo.gif";
  State.Project.StartLink.Target = "setup.exe";
  State.Project.StartLink.Action = LinkAction::OpenFile;
  std::string file = " clip.avi ";
  struct Case {
    const char* caption;
    int edit;
    std::function<bool()> open;
  };
  const Case cases[] = {
      {"Form Properties", IDC_FORM_CAPTION, [&] { return Boxes.EditFormProperties(State.Project, MenuSize); }},
      {"Label Properties", IDC_CAPTION, [&] { return Boxes.EditLabelProperties(label); }},
      {"Button Properties", IDC_CAPTION, [&] { return Boxes.EditButtonProperties(button); }},
      {"Image Properties", IDC_IMAGE_FILE, [&] { return Boxes.EditImageProperties(image); }},
      {"Edit Link", IDC_LINK_PARAMETERS, [&] { return Boxes.EditLink(State.Project.StartLink); }},
      {"File", IDC_FILE_NAME, [&] { return Boxes.GetFile(file, false, kAviFilter); }},
  };
  for (const Case& c : cases) {
    for (int button : {IDOK, IDCANCEL}) {
      DialogDriver driver(c.caption, [&](HWND d) {
        if (button == IDCANCEL) Type(d, c.edit, "changed");
        ClickLater(d, button);
      });
      EXPECT_FALSE(c.open()) << c.caption << " " << button;
      driver.Finish();
      EXPECT_TRUE(driver.Found()) << c.caption;
    }
  }
  EXPECT_EQ(State.Project.FormIcon, "menu.ico");
  EXPECT_EQ(label.AsLabel()->Caption, "");
  EXPECT_EQ(button.BitmapFile, "play.bmp");
  EXPECT_EQ(image.FileName, "logo.gif");
  EXPECT_EQ(State.Project.StartLink.Target, "setup.exe");
  EXPECT_EQ(file, " clip.avi ");
}

// The controls hold UTF-16: texts in other scripts are shown and come back into the model whole,
// through the write-back rules and the file input's stored-path rule.
TEST_F(Dialogs, GreekAndChineseTextsGoInAndComeBackWhole) {
  MenuObject label(ObjectKind::Label);
  label.AsLabel()->Caption = "Καλημέρα 早上好";
  std::string shown;
  label.AsLabel()->Hint = "Λέει";
  std::string hint;
  DialogDriver driver("Label Properties", [&](HWND d) {
    shown = TextOf(d, IDC_CAPTION);
    hint = TextOf(d, IDC_HINT);
    Type(d, IDC_CAPTION, "你好, κόσμε");
    Type(d, IDC_HINT, "Ανοίγει 手册");
    ClickLater(d, IDOK);
  });
  ASSERT_TRUE(Boxes.EditLabelProperties(label));
  driver.Finish();
  EXPECT_EQ(shown, "Καλημέρα 早上好");
  EXPECT_EQ(hint, "Λέει");
  EXPECT_EQ(label.AsLabel()->Caption, "你好, κόσμε");
  // The hint, read aloud by screen readers, goes into the label's stored Hint.
  EXPECT_EQ(label.AsLabel()->Hint, "Ανοίγει 手册");

  State.CDFolder = "C:\\Μενού";
  std::string file;
  DialogDriver input("File", [&](HWND d) {
    Type(d, IDC_FILE_NAME, "C:\\Μενού\\视频\\片段.avi");
    ClickLater(d, IDOK);
  });
  ASSERT_TRUE(Boxes.GetFile(file, false, kAviFilter));
  input.Finish();
  EXPECT_EQ(file, "\\视频\\片段.avi");
}

TEST_F(Dialogs, AConfirmedColourIsAChangeAndACancelledOneIsNot) {
  State.Project.BackColor = 0x00336699u;
  for (int answer : {IDCANCEL, IDOK}) {
    bool answered = false;
    DialogDriver driver("Form Properties", [&](HWND d) {
      ClickLater(d, answer == IDOK ? IDC_BACK_COLOR : IDC_GRADIENT_COLOR_SELECT);
      answered = Answer("Color", answer);
      ClickLater(d, IDOK);
    });
    const bool written = Boxes.EditFormProperties(State.Project, MenuSize);
    driver.Finish();
    EXPECT_TRUE(answered);
    EXPECT_EQ(written, answer == IDOK);
  }
  EXPECT_EQ(State.Project.BackColor, 0x00336699u);  // the preset colour came back
}

TEST_F(Dialogs, LabelFontsComeFromTheFontDialog) {
  MenuObject label(ObjectKind::Label);
  label.AsLabel()->Caption = "Hello";
  label.AsLabel()->Alignment = 1;
  label.HotTrackFont.Name = "DejaVu Sans";  // a face this system has, so that the dialog keeps its style
  label.HotTrackFont.Style = fsBold | fsUnderline;
  label.AsLabel()->Font.Color = 0x000000FFu;
  bool answered = false;
  int alignment = -2;
  DialogDriver driver("Label Properties", [&](HWND d) {
    alignment = EntryOf(d, IDC_ALIGNMENT);
    Screenshot(d, "label-properties");
    ClickLater(d, IDC_HOT_FONT);
    answered = Answer("Font", IDOK);
    Choose(d, IDC_LAYOUT, 2);
    ClickLater(d, IDOK);
  });
  const bool written = Boxes.EditLabelProperties(label);
  driver.Finish();
  EXPECT_TRUE(answered);
  EXPECT_EQ(alignment, 1);
  ASSERT_TRUE(written);
  EXPECT_FALSE(label.HotTrackFont.Name.empty());
  EXPECT_EQ(label.HotTrackFont.Style & (fsBold | fsUnderline), fsBold | fsUnderline);
  EXPECT_EQ(label.AsLabel()->Layout, 2);
  EXPECT_EQ(label.AsLabel()->Caption, "Hello");
  EXPECT_EQ(label.AsLabel()->Font.Color, 0x000000FFu);  // the other sample kept its font

  // Cancelling the font dialog is no change.
  DialogDriver again("Label Properties", [&](HWND d) {
    ClickLater(d, IDC_FONT_SELECT);
    answered = Answer("Font", IDCANCEL);
    ClickLater(d, IDOK);
  });
  EXPECT_FALSE(Boxes.EditLabelProperties(label));
  again.Finish();
  EXPECT_TRUE(answered);
}

// A menu's large white caption font once showed as white "ont" cut off on the grey face.
TEST_F(Dialogs, AFontSampleShowsALargeWhiteFontWholeAndReadably) {
  MenuObject label(ObjectKind::Label);
  FontRecord& font = label.AsLabel()->Font;
  font.Name = "DejaVu Sans";
  font.Size = 20;
  font.Style = fsBold;
  font.Color = 0x00FFFFFFu;
  testing::Capture sample;
  DialogDriver driver("Label Properties", [&](HWND d) {
    HWND box = ::GetDlgItem(d, IDC_FONT);
    // Painted before it is read: the dialog may not have had its first paint yet.
    ::RedrawWindow(d, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    RECT r;
    ::GetClientRect(box, &r);  // inside its sunken edge, whose light side is white too
    ::MapWindowPoints(box, nullptr, reinterpret_cast<POINT*>(&r), 2);
    sample = testing::ReadScreen(r);
    Screenshot(d, "font-sample");
    ClickLater(d, IDCANCEL);
  });
  Boxes.EditLabelProperties(label);
  driver.Finish();
  ASSERT_GT(sample.Width, 20);
  auto bright = [&](int x, int y) {
    const COLORREF c = sample.At(x, y);
    return GetRValue(c) > 0xE0 && GetGValue(c) > 0xE0 && GetBValue(c) > 0xE0;
  };
  int text = 0, edges = 0;
  for (int y = 0; y < sample.Height; ++y)
    for (int x = 0; x < sample.Width; ++x) {
      const bool edge = x < 2 || x >= sample.Width - 2 || y == 0 || y == sample.Height - 1;
      (edge ? edges : text) += bright(x, y);
    }
  EXPECT_NE(sample.At(sample.Width / 2, 1), ::GetSysColor(COLOR_BTNFACE));  // a background white reads on
  EXPECT_GT(text, 20);
  EXPECT_EQ(edges, 0) << "the word is cut off at the sample's edges";
}

// The longest action was cut off in the closed list.
TEST_F(Dialogs, TheLinkEditorShowsEveryActionWholeInItsList) {
  State.Project.StartLink.Action = LinkAction::OpenUrl;
  int room = 0, widest = 0;
  DialogDriver driver("Edit Link", [&](HWND d) {
    HWND list = ::GetDlgItem(d, IDC_LINK_ACTION);
    COMBOBOXINFO info{};
    info.cbSize = sizeof info;
    ::GetComboBoxInfo(list, &info);
    room = info.rcItem.right - info.rcItem.left;
    HDC dc = ::GetDC(list);
    HGDIOBJ old = ::SelectObject(dc, reinterpret_cast<HGDIOBJ>(::SendMessageW(list, WM_GETFONT, 0, 0)));
    for (const char* entry : kLinkActionEntries) {
      const std::wstring text = win::Wide(entry);
      SIZE size{};
      ::GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
      widest = std::max<int>(widest, size.cx);
    }
    ::SelectObject(dc, old);
    ::ReleaseDC(list, dc);
    Screenshot(d, "edit-link-url");
    ClickLater(d, IDCANCEL);
  });
  Boxes.EditLink(State.Project.StartLink);
  driver.Finish();
  ASSERT_TRUE(driver.Found());
  EXPECT_GT(widest, 200);
  EXPECT_LE(widest, room);
}

TEST_F(Dialogs, ButtonBitmapsSpinsAndChecks) {
  MenuObject button(ObjectKind::Button);
  button.AsButton()->Margin = -1;
  World.Chooser.Answer = "C:\\Elsewhere\\x.bmp";
  std::string shownMargin, afterRefusal;
  std::vector<int> tabs;
  DialogDriver driver("Button Properties", [&](HWND d) {
    shownMargin = TextOf(d, IDC_MARGIN);
    tabs = TabOrder(d);
    Screenshot(d, "button-properties");
    Type(d, IDC_BITMAP, "art\\old.bmp");
    Click(d, IDC_BITMAP_SELECT);  // refused: outside the CD folder
    afterRefusal = TextOf(d, IDC_BITMAP);
    World.Chooser.Answer = "C:\\Menu\\art\\hot.bmp";
    Click(d, IDC_HOT_BITMAP_SELECT);
    ::SendDlgItemMessageA(d, IDC_MARGIN, WM_KEYDOWN, VK_UP, 0);
    ::SendDlgItemMessageA(d, IDC_MARGIN, WM_KEYDOWN, VK_UP, 0);
    Type(d, IDC_SPACING, "");
    Choose(d, IDC_LAYOUT, 3);
    Tick(d, IDC_FLAT);
    ClickLater(d, IDOK);
  });
  const bool written = Boxes.EditButtonProperties(button);
  driver.Finish();
  EXPECT_EQ(shownMargin, "-1");
  EXPECT_EQ(tabs, (std::vector<int>{IDC_CAPTION, IDC_LAYOUT, IDC_FONT_SELECT, IDC_HOT_FONT_SELECT, IDC_BITMAP,
                                    IDC_BITMAP_SELECT, IDC_HOT_BITMAP, IDC_HOT_BITMAP_SELECT, IDC_MARGIN, IDC_SPACING,
                                    IDC_FLAT, IDC_TRANSPARENT, IDC_HINT, IDOK, IDCANCEL}));
  EXPECT_EQ(afterRefusal, "art\\old.bmp");
  ASSERT_EQ(World.Ui.Shown.size(), 1u);
  EXPECT_EQ(World.Ui.Shown[0].Text, "Selected file should be in \"C:\\Menu\" directory or its subdirectory directory");
  EXPECT_EQ(World.Chooser.Requests.at(0).FileName, "C:\\Menu\\art\\old.bmp");
  EXPECT_EQ(World.Chooser.Requests.at(0).Filter, kBitmapFilter);
  ASSERT_TRUE(written);
  EXPECT_EQ(button.BitmapFile, "\\art\\old.bmp");
  EXPECT_EQ(button.HotTrackBitmapFile, "\\art\\hot.bmp");
  EXPECT_EQ(button.AsButton()->Margin, 1);
  EXPECT_EQ(button.AsButton()->Spacing, 0);
  EXPECT_EQ(button.AsButton()->Layout, 3);
  EXPECT_TRUE(button.AsButton()->Flat);
}

TEST_F(Dialogs, LinkEditorEnablesByActionAndBrowseFillsTheStartDirectory) {
  ObjectLink& link = State.Project.StartLink;
  link.Action = LinkAction::OpenUrl;
  link.Target = "http://example.org/";
  link.SoundFile = "\\keep.wav";
  World.Chooser.Answer = "C:\\Menu\\tools\\setup.exe";
  struct Enabled {
    bool target, parameters, directory, browse;
  } asUrl{}, asFile{}, asNone{};
  auto read = [](HWND d) {
    auto on = [&](int id) { return ::IsWindowEnabled(::GetDlgItem(d, id)) != FALSE; };
    return Enabled{on(IDC_LINK_TARGET), on(IDC_LINK_PARAMETERS), on(IDC_LINK_START_DIRECTORY), on(IDC_LINK_BROWSE)};
  };
  std::string target, directory;
  int tools = 0;
  DialogDriver driver("Edit Link", [&](HWND d) {
    asUrl = read(d);
    tools = static_cast<int>(::SendMessageA(OwnedTooltip(d), TTM_GETTOOLCOUNT, 0, 0));
    Choose(d, IDC_LINK_ACTION, 1);
    asFile = read(d);
    Screenshot(d, "edit-link");
    Click(d, IDC_LINK_BROWSE);
    target = TextOf(d, IDC_LINK_TARGET);
    directory = TextOf(d, IDC_LINK_START_DIRECTORY);
    Type(d, IDC_LINK_PARAMETERS, " /quiet ");
    Choose(d, IDC_LINK_ACTION, 0);
    asNone = read(d);
    Choose(d, IDC_LINK_ACTION, 5);
    ClickLater(d, IDOK);
  });
  const bool written = Boxes.EditLink(link);
  driver.Finish();
  EXPECT_TRUE(asUrl.target && !asUrl.parameters && !asUrl.directory && !asUrl.browse);
  EXPECT_TRUE(asFile.target && asFile.parameters && asFile.directory && asFile.browse);
  EXPECT_TRUE(!asNone.target && !asNone.parameters && !asNone.directory && !asNone.browse);
  EXPECT_GE(tools, 1);
  EXPECT_EQ(target, "\\tools\\setup.exe");
  EXPECT_EQ(directory, "\\tools");
  ASSERT_TRUE(written);
  EXPECT_EQ(link.Action, LinkAction::PrintFile);
  EXPECT_EQ(link.Target, "\\tools\\setup.exe");
  EXPECT_EQ(link.StartDirectory, "\\tools");
  EXPECT_EQ(link.Parameters, " /quiet ");
  EXPECT_EQ(link.SoundFile, "\\keep.wav");
}

TEST_F(Dialogs, FileInputAsksByWhetherAUrlIsAllowedAndTrims) {
  std::string prompt;
  std::string file = "\\old.htm";
  DialogDriver driver("File or URL", [&](HWND d) {
    prompt = TextOf(d, IDC_FILE_PROMPT);
    Screenshot(d, "file-input");
    Type(d, IDC_FILE_NAME, "  http://example.org/menu.html ");
    ClickLater(d, IDOK);
  });
  ASSERT_TRUE(Boxes.GetFile(file, true, kHtmlFilter));
  driver.Finish();
  EXPECT_EQ(prompt, "Input file name or URL, or select file");
  EXPECT_EQ(file, "http://example.org/menu.html");

  // "Select..." accepts a name that does not exist yet, inside the CD folder.
  World.Chooser.Answer = "C:\\Menu\\clips\\new.avi";
  DialogDriver select("File", [&](HWND d) {
    prompt = TextOf(d, IDC_FILE_PROMPT);
    Click(d, IDC_FILE_SELECT);
    ClickLater(d, IDOK);
  });
  ASSERT_TRUE(Boxes.GetFile(file, false, kAviFilter));
  select.Finish();
  EXPECT_EQ(prompt, "Input file name or select file");
  EXPECT_EQ(file, "\\clips\\new.avi");
  EXPECT_FALSE(World.Chooser.Requests.at(0).MustExist);
  EXPECT_EQ(World.Chooser.Requests.at(0).Filter, kAviFilter);
}

}  // namespace
}  // namespace corvela
