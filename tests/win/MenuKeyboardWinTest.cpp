// The running menu without a mouse, against real Win32: keys sent to the player's window move the
// focus and the hot look, run links once per press and close the menu; the focus rectangle shows
// only once the keyboard has been used; panes take part in the Tab order; and the UI Automation
// elements answer a screen reader's questions, called in-process through their interfaces.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/win/UiAutomation.h"
#include "platform/win/WideText.h"
#include "support/win/MenuWindowFixture.h"
#include "support/win/Pixels.h"

namespace corvela {
namespace {

using testing::Capture;
using testing::PrintClient;
using win::ComPtr;

constexpr COLORREF kWhite = RGB(255, 255, 255);

// Three linked labels in a column and one without a link beside them, on a white panel.
void ThreeLinks(AppState& s) {
  MenuProject& p = s.Project;
  p.Form.Width = 300;
  p.Form.Height = 200;
  p.Form.Caption = "Keys";
  p.BackColor = kWhite;
  p.GradientStyle = static_cast<uint8_t>(GradientStyle::None);
  const char* captions[] = {"&Install", "&Read me", "E&xit", "Plain"};
  for (int i = 0; i < 4; ++i) {
    auto obj = MakeNewObject(ObjectKind::Label);
    LabelControl& label = *obj->AsLabel();
    label.AutoSize = false;
    label.Transparent = true;
    label.Caption = captions[i];
    label.Font.Color = RGB(0, 0, 255);
    label.Left = i < 3 ? 20 : 200;
    label.Top = i < 3 ? 20 + 50 * i : 20;
    label.Width = 150;
    label.Height = 40;
    label.Name = std::string("Label") + std::to_string(i);
    obj->HotTrackFont = label.Font;
    obj->HotTrackFont.Color = RGB(255, 0, 0);
    if (i < 3) obj->Link = {"", LinkAction::OpenFile, 1, std::string("\\file") + std::to_string(i) + ".txt", "", ""};
    p.Objects.push_back(std::move(obj));
  }
  p.Objects[0]->Base().Hint = "Installs the program";
  RenumberTags(s);
}

class MenuKeys : public testing::MenuWindowTest {
 protected:
  // StartPlayer makes the window; the real pointer stays away from it.
  void SetUp() override { ::SetCursorPos(2, 2); }
  void TearDown() override {
    SetShift(false);
    MenuWindowTest::TearDown();
  }

  LRESULT Key(WPARAM key, bool held = false) {
    return ::SendMessageW(form.hwnd(), WM_KEYDOWN, key, held ? (LPARAM{1} << 30) | 1 : 1);
  }
  LRESULT Char(UINT msg, wchar_t c) { return ::SendMessageW(form.hwnd(), msg, c, 1); }
  static void SetShift(bool down) {
    BYTE keys[256];
    ::GetKeyboardState(keys);
    keys[VK_SHIFT] = down ? 0x80 : 0;
    ::SetKeyboardState(keys);
  }
  int Focused() { return form.Keyboard().Focused(); }
  std::vector<std::string> Opened() {
    std::vector<std::string> files;
    for (const auto& call : shell.Calls) files.push_back(call.File.substr(call.File.rfind('\\') + 1));
    return files;
  }
  // The dots of a focus rectangle along the top of the object: inverted pixels on the white panel.
  int FocusDots(int index) {
    const ControlBase& b = state.Project.Objects[static_cast<size_t>(index)]->Base();
    const Capture c = PrintClient(form.InnerPanel());
    const int y = b.Top + 1;
    return c.Count({b.Left + 60, y, b.Left + b.Width - 2, y + 1}, testing::IsNot(kWhite));
  }
};

TEST_F(MenuKeys, TabArrowsEnterAndSpaceDriveTheMenuAndEscapeClosesIt) {
  StartPlayer(ThreeLinks);
  ASSERT_TRUE(::IsWindow(form.hwnd()));
  // Nothing has the focus at start.
  EXPECT_EQ(Focused(), -1);
  EXPECT_EQ(Key(VK_TAB), 0);
  EXPECT_EQ(Focused(), 0);
  // The hot look goes with the focus.
  EXPECT_TRUE(state.Project.Objects[0]->Hot);
  Key(VK_DOWN);
  EXPECT_EQ(Focused(), 1);
  EXPECT_FALSE(state.Project.Objects[0]->Hot);
  EXPECT_TRUE(state.Project.Objects[1]->Hot);
  Key(VK_UP);
  EXPECT_EQ(Focused(), 0);
  SetShift(true);
  Key(VK_TAB);  // round again, backward: the last linked object
  SetShift(false);
  EXPECT_EQ(Focused(), 2);
  Key(VK_UP);
  // Enter runs the link once, however long it is held; Space runs it again.
  Key(VK_RETURN);
  Key(VK_RETURN, true);
  Key(VK_RETURN, true);
  EXPECT_EQ(Opened(), std::vector<std::string>{"file1.txt"});
  Key(VK_SPACE);
  Key(VK_SPACE, true);
  EXPECT_EQ(Opened(), (std::vector<std::string>{"file1.txt", "file1.txt"}));
  // The mnemonic alone or with Alt: a held letter runs nothing more.
  Char(WM_CHAR, L'x');
  EXPECT_EQ(Focused(), 2);
  ::SendMessageW(form.hwnd(), WM_CHAR, L'x', (LPARAM{1} << 30) | 1);
  Char(WM_SYSCHAR, L'I');
  EXPECT_EQ(Opened(), (std::vector<std::string>{"file1.txt", "file1.txt", "file2.txt", "file0.txt"}));
  EXPECT_EQ(Focused(), 0);
  Key(VK_ESCAPE);
  EXPECT_TRUE(pump.Until([&] { return !form.hwnd(); }, 2000));
  EXPECT_TRUE(pump.QuitSeen);
}

// Windows (and Wine) may be set to show focus cues always; the rule is tested without that.
class KeyboardCuesOff {
 public:
  KeyboardCuesOff() {
    ::SystemParametersInfoW(SPI_GETKEYBOARDCUES, 0, &was_, 0);
    ::SystemParametersInfoW(SPI_SETKEYBOARDCUES, 0, reinterpret_cast<void*>(FALSE), 0);
  }
  ~KeyboardCuesOff() {
    ::SystemParametersInfoW(SPI_SETKEYBOARDCUES, 0, reinterpret_cast<void*>(static_cast<INT_PTR>(was_)), 0);
  }

 private:
  BOOL was_ = FALSE;
};

TEST_F(MenuKeys, TheFocusRectangleShowsOnlyOnceTheKeyboardIsUsed) {
  KeyboardCuesOff cuesOff;
  StartPlayer(ThreeLinks);
  const auto moveTo = [&](int x, int y) {
    ::SendMessageW(form.InnerPanel(), WM_MOUSEMOVE, 0, MAKELPARAM(x, y));
  };
  // The mouse places the highlight, and the focus with it, but no focus cue yet.
  moveTo(40, 30);
  EXPECT_EQ(Focused(), 0);
  EXPECT_EQ(FocusDots(0), 0);
  Key(VK_DOWN);
  ASSERT_EQ(Focused(), 1);
  EXPECT_GT(FocusDots(1), 20);
  EXPECT_EQ(FocusDots(0), 0);
  // From now on the cue follows the mouse too.
  moveTo(40, 130);
  EXPECT_EQ(Focused(), 2);
  EXPECT_GT(FocusDots(2), 20);
  EXPECT_EQ(FocusDots(1), 0);
}

TEST_F(MenuKeys, APaneIsInTheTabOrderAndTabLeavesItAgain) {
  const std::string rtf = File("notes.rtf", "{\\rtf1\\ansi Notes}");
  StartPlayer([&](AppState& s) {
    ThreeLinks(s);
    auto pane = MakeNewObject(ObjectKind::Rtf);
    pane->Base() = {200, 80, 80, 80, "Notes", "", 0};
    pane->FileName = rtf;
    s.Project.Objects.push_back(std::move(pane));
    RenumberTags(s);
  });
  ::SetForegroundWindow(form.hwnd());
  ::SetFocus(form.hwnd());
  HWND edit = PaneOf(*state.Project.Objects[4]);
  ASSERT_TRUE(edit);
  SetShift(true);
  Key(VK_TAB);
  SetShift(false);
  EXPECT_EQ(Focused(), 4);
  EXPECT_EQ(::GetFocus(), edit);
  // Tab typed into the pane leaves it for the first linked object.
  ::PostMessageW(edit, WM_KEYDOWN, VK_TAB, 1);
  pump.For(50);
  EXPECT_EQ(Focused(), 0);
  EXPECT_EQ(::GetFocus(), form.hwnd());
}

// ---------------------------------------------------------------- UI Automation

std::string Text(const VARIANT& v) {
  return v.vt == VT_BSTR ? win::Utf8(std::wstring_view(v.bstrVal, ::SysStringLen(v.bstrVal))) : std::string();
}

// The names of the elements whose focus events a listening client got.
std::vector<std::string> g_focusEvents;

HRESULT WINAPI RecordFocusEvent(IRawElementProviderSimple* element, EVENTID id) {
  VARIANT name;
  if (id == win::kUiaFocusChangedEvent && SUCCEEDED(element->GetPropertyValue(win::kUiaNameProperty, &name))) {
    g_focusEvents.push_back(Text(name));
    ::VariantClear(&name);
  }
  return S_OK;
}

class MenuElements : public MenuKeys {
 protected:
  void SetUp() override {
    MenuKeys::SetUp();
    StartPlayer(ThreeLinks);
    root = form.Accessibility().Root(form.hwnd());
    ASSERT_TRUE(root);
    ASSERT_HRESULT_SUCCEEDED(root->QueryInterface(IID_IRawElementProviderFragmentRoot, fragmentRoot.put_void()));
    ASSERT_HRESULT_SUCCEEDED(root->QueryInterface(IID_IRawElementProviderFragment, fragment.put_void()));
  }
  static ComPtr<IRawElementProviderFragment> Go(IRawElementProviderFragment* from, NavigateDirection direction) {
    ComPtr<IRawElementProviderFragment> to;
    EXPECT_HRESULT_SUCCEEDED(from->Navigate(direction, to.put()));
    return to;
  }
  static std::string Property(IUnknown* element, PROPERTYID property) {
    ComPtr<IRawElementProviderSimple> simple;
    EXPECT_HRESULT_SUCCEEDED(element->QueryInterface(IID_IRawElementProviderSimple, simple.put_void()));
    VARIANT v;
    EXPECT_HRESULT_SUCCEEDED(simple->GetPropertyValue(property, &v));
    std::string text = v.vt == VT_I4 ? std::to_string(v.lVal) : v.vt == VT_BOOL ? (v.boolVal ? "true" : "false") : Text(v);
    ::VariantClear(&v);
    return text;
  }

  ComPtr<IRawElementProviderSimple> root;
  ComPtr<IRawElementProviderFragmentRoot> fragmentRoot;
  ComPtr<IRawElementProviderFragment> fragment;
};

TEST_F(MenuElements, TheWindowAnswersWithItsElementsInReadingOrder) {
  // A client's request loads UI Automation and is answered.
  EXPECT_NE(::SendMessageW(form.hwnd(), WM_GETOBJECT, 0, win::kUiaRootObjectId), 0);
  EXPECT_EQ(Property(root.get(), win::kUiaNameProperty), "Keys");
  std::vector<std::string> names;
  for (auto e = Go(fragment.get(), NavigateDirection_FirstChild); e; e = Go(e.get(), NavigateDirection_NextSibling))
    names.push_back(Property(e.get(), win::kUiaNameProperty));
  // Row by row, from the left: the label without a link stands beside the first.
  EXPECT_EQ(names, (std::vector<std::string>{"Install", "Plain", "Read me", "Exit"}));
  auto first = Go(fragment.get(), NavigateDirection_FirstChild);
  EXPECT_EQ(Property(first.get(), win::kUiaHelpTextProperty), "Installs the program");
  EXPECT_EQ(Property(first.get(), win::kUiaAccessKeyProperty), "Alt+I");
  EXPECT_EQ(Property(first.get(), win::kUiaControlTypeProperty), std::to_string(win::kUiaButtonType));
  EXPECT_EQ(Property(first.get(), win::kUiaIsKeyboardFocusableProperty), "true");
  auto plain = Go(first.get(), NavigateDirection_NextSibling);
  EXPECT_EQ(Property(plain.get(), win::kUiaControlTypeProperty), std::to_string(win::kUiaTextType));
  EXPECT_EQ(Property(plain.get(), win::kUiaIsKeyboardFocusableProperty), "false");
  auto last = Go(fragment.get(), NavigateDirection_LastChild);
  EXPECT_EQ(Property(last.get(), win::kUiaNameProperty), "Exit");
  auto parent = Go(last.get(), NavigateDirection_Parent);
  ASSERT_TRUE(parent);
  EXPECT_EQ(Property(parent.get(), win::kUiaNameProperty), "Keys");

  // Bounds on the screen, and the element found at a point of the screen.
  UiaRect bounds{};
  ASSERT_HRESULT_SUCCEEDED(last->get_BoundingRectangle(&bounds));
  POINT origin{0, 0};
  ::ClientToScreen(form.InnerPanel(), &origin);
  EXPECT_EQ(bounds.left, origin.x + 20);
  EXPECT_EQ(bounds.top, origin.y + 120);
  EXPECT_EQ(bounds.width, 150);
  EXPECT_EQ(bounds.height, 40);
  ComPtr<IRawElementProviderFragment> hit;
  ASSERT_HRESULT_SUCCEEDED(fragmentRoot->ElementProviderFromPoint(origin.x + 60, origin.y + 80, hit.put()));
  ASSERT_TRUE(hit);
  EXPECT_EQ(Property(hit.get(), win::kUiaNameProperty), "Read me");
  ASSERT_HRESULT_SUCCEEDED(fragmentRoot->ElementProviderFromPoint(origin.x + 250, origin.y + 180, hit.put()));
  EXPECT_FALSE(hit);
}

TEST_F(MenuElements, InvokeRunsTheLinkAndTheFocusIsTold) {
  auto readMe = Go(Go(Go(fragment.get(), NavigateDirection_FirstChild).get(), NavigateDirection_NextSibling).get(),
                   NavigateDirection_NextSibling);
  ComPtr<IInvokeProvider> invoke;
  ASSERT_HRESULT_SUCCEEDED(readMe->QueryInterface(win::kIidInvokeProvider, invoke.put_void()));
  ASSERT_HRESULT_SUCCEEDED(invoke->Invoke());
  pump.For(50);
  EXPECT_EQ(Opened(), std::vector<std::string>{"file1.txt"});
  // Only linked objects can be invoked.
  auto plain = Go(Go(fragment.get(), NavigateDirection_FirstChild).get(), NavigateDirection_NextSibling);
  ComPtr<IRawElementProviderSimple> simple;
  ASSERT_HRESULT_SUCCEEDED(plain->QueryInterface(IID_IRawElementProviderSimple, simple.put_void()));
  ComPtr<IUnknown> pattern;
  EXPECT_HRESULT_SUCCEEDED(simple->GetPatternProvider(win::kUiaInvokePattern, pattern.put()));
  EXPECT_FALSE(pattern);

  // The keyboard's focus, as the root and each element tell it, and as a listening client hears it.
  ASSERT_NE(::SendMessageW(form.hwnd(), WM_GETOBJECT, 0, win::kUiaRootObjectId), 0);
  win::UiAutomationLibrary::Get()->ListenForTest(&RecordFocusEvent);
  g_focusEvents.clear();
  ::SetForegroundWindow(form.hwnd());
  ::SetFocus(form.hwnd());
  Key(VK_TAB);
  Key(VK_TAB);
  win::UiAutomationLibrary::Get()->ListenForTest(nullptr);
  EXPECT_EQ(g_focusEvents, (std::vector<std::string>{"Install", "Read me"}));
  SetShift(true);
  Key(VK_TAB);
  SetShift(false);
  ComPtr<IRawElementProviderFragment> focused;
  ASSERT_HRESULT_SUCCEEDED(fragmentRoot->GetFocus(focused.put()));
  ASSERT_TRUE(focused);
  EXPECT_EQ(Property(focused.get(), win::kUiaNameProperty), "Install");
  EXPECT_EQ(Property(focused.get(), win::kUiaHasKeyboardFocusProperty), "true");
  EXPECT_EQ(Property(readMe.get(), win::kUiaHasKeyboardFocusProperty), "false");
  // A screen reader moves the focus itself.
  ASSERT_HRESULT_SUCCEEDED(readMe->SetFocus());
  EXPECT_EQ(Focused(), 1);
}

}  // namespace
}  // namespace corvela
