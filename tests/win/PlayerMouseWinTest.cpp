// The running menu's mouse against real Win32: hot looks, the pressed look, the hand cursor and
// clicks on the painted objects of the inner panel, and the links of the player's start. Pixels
// are read back through WM_PRINTCLIENT; the shell and the sound device are fakes.
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <functional>
#include <mutex>
#include <set>
#include <thread>
#include <tuple>

#include "platform/win/Win32FileSystem.h"
#include "platform/win/Win32Graphics.h"
#include "platform/win/Win32Services.h"
#include "platform/win/Win32Text.h"
#include "player/win/AutoRunForm.h"
#include "project/ProjectFile.h"
#include "project/Resources.h"
#include "support/FakePlatform.h"
#include "support/win/GdiObjects.h"
#include "support/win/WinProcess.h"

namespace corvela {
namespace {

using testing::TempFolder;

constexpr COLORREF kRed = RGB(255, 0, 0), kGreen = RGB(0, 255, 0), kBlue = RGB(0, 0, 255);
constexpr COLORREF kYellow = RGB(255, 255, 0), kTeal = RGB(0, 128, 128), kMagenta = RGB(255, 0, 255);

bool g_quitSeen = false;

void PumpFor(DWORD ms) {
  const DWORD start = ::GetTickCount();
  do {
    MSG msg;
    while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
      if (msg.message == WM_QUIT) g_quitSeen = true;
      ::TranslateMessage(&msg);
      ::DispatchMessageA(&msg);
    }
    ::Sleep(5);
  } while (::GetTickCount() - start < ms);
}

bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs) {
  const DWORD start = ::GetTickCount();
  while (!done()) {
    if (::GetTickCount() - start > timeoutMs) return false;
    PumpFor(10);
  }
  return true;
}

// Answers every message box of this process from a second thread and keeps caption and text, so
// that a box fails the test instead of hanging it.
class BoxAnswerer {
 public:
  BoxAnswerer()
      : thread_([this] {
          while (!stop_) {
            ::EnumWindows(
                [](HWND hwnd, LPARAM lp) -> BOOL {
                  auto* self = reinterpret_cast<BoxAnswerer*>(lp);
                  DWORD pid = 0;
                  ::GetWindowThreadProcessId(hwnd, &pid);
                  if (pid == ::GetCurrentProcessId() && ::IsWindowVisible(hwnd) &&
                      testing::ClassName(hwnd) == "#32770" && self->answered_.insert(hwnd).second) {
                    std::lock_guard<std::mutex> lock(self->mutex_);
                    self->boxes_.push_back(testing::WindowText(hwnd) + ": " + testing::MessageBoxText(hwnd));
                    ::PostMessageA(hwnd, WM_COMMAND, IDOK, 0);
                  }
                  return TRUE;
                },
                reinterpret_cast<LPARAM>(this));
            ::Sleep(50);
          }
        }) {}
  ~BoxAnswerer() {
    stop_ = true;
    thread_.join();
  }
  // "caption: text" of each box answered.
  std::vector<std::string> Boxes() {
    std::lock_guard<std::mutex> lock(mutex_);
    return boxes_;
  }

 private:
  std::atomic<bool> stop_{false};
  std::set<HWND> answered_;
  std::mutex mutex_;
  std::vector<std::string> boxes_;
  std::thread thread_;
};

std::string Le(uint32_t value, int bytes) {
  std::string out;
  for (int i = 0; i < bytes; ++i) out.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
  return out;
}

// A 24-bit bitmap file in one colour, whose bottom-left pixel (a glyph's transparent colour) is
// corner.
std::string Bmp(int w, int h, COLORREF body, COLORREF corner) {
  const int stride = (w * 3 + 3) & ~3;
  std::string rows;
  for (int y = 0; y < h; ++y) {
    std::string row;
    for (int x = 0; x < w; ++x) {
      const COLORREF c = (x == 0 && y == 0) ? corner : body;
      row += {static_cast<char>(GetBValue(c)), static_cast<char>(GetGValue(c)), static_cast<char>(GetRValue(c))};
    }
    row.resize(static_cast<size_t>(stride), '\0');
    rows += row;
  }
  const auto size = static_cast<uint32_t>(54 + rows.size());
  return "BM" + Le(size, 4) + Le(0, 4) + Le(54, 4) + Le(40, 4) + Le(static_cast<uint32_t>(w), 4) +
         Le(static_cast<uint32_t>(h), 4) + Le(1, 2) + Le(24, 2) + Le(0, 4) + Le(static_cast<uint32_t>(rows.size()), 4) +
         Le(2835, 4) + Le(2835, 4) + Le(0, 4) + Le(0, 4) + rows;
}

struct Capture {
  int Width = 0;
  int Height = 0;
  std::vector<COLORREF> Pixels;
  COLORREF At(int x, int y) const { return Pixels[static_cast<size_t>(y) * Width + x]; }
  // The smallest rectangle inside area that holds every pixel that is.
  RECT BoundsOf(const RECT& area, const std::function<bool(COLORREF)>& is) const {
    RECT found{area.right, area.bottom, area.left, area.top};
    for (int y = area.top; y < area.bottom; ++y)
      for (int x = area.left; x < area.right; ++x)
        if (is(At(x, y))) {
          found.left = std::min<LONG>(found.left, x);
          found.top = std::min<LONG>(found.top, y);
          found.right = std::max<LONG>(found.right, x + 1);
          found.bottom = std::max<LONG>(found.bottom, y + 1);
        }
    return found;
  }
  int Count(const RECT& area, const std::function<bool(COLORREF)>& is) const {
    int n = 0;
    for (int y = area.top; y < area.bottom; ++y)
      for (int x = area.left; x < area.right; ++x) n += is(At(x, y));
    return n;
  }
};

Capture PrintClient(HWND hwnd) {
  RECT rc;
  ::GetClientRect(hwnd, &rc);
  Capture c;
  c.Width = rc.right;
  c.Height = rc.bottom;
  win::WindowDc screen(nullptr);
  win::UniqueMemoryDc dc(::CreateCompatibleDC(screen.get()));
  win::UniqueBitmap bitmap(::CreateCompatibleBitmap(screen.get(), c.Width, c.Height));
  {
    win::SelectScope select(dc.get(), bitmap.get());
    ::SendMessageA(hwnd, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc.get()), PRF_CLIENT);
  }
  BITMAPINFO bi{};
  bi.bmiHeader.biSize = sizeof bi.bmiHeader;
  bi.bmiHeader.biWidth = c.Width;
  bi.bmiHeader.biHeight = -c.Height;
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 32;
  std::vector<uint32_t> bits(static_cast<size_t>(c.Width) * c.Height);
  ::GetDIBits(dc.get(), bitmap.get(), 0, c.Height, bits.data(), &bi, DIB_RGB_COLORS);
  for (uint32_t p : bits) c.Pixels.push_back(RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF));
  return c;
}

bool Reddish(COLORREF c) {
  return GetRValue(c) > 160 && GetGValue(c) < 90 && GetBValue(c) < 90;
}
bool Bluish(COLORREF c) {
  return GetBValue(c) > 160 && GetRValue(c) < 90 && GetGValue(c) < 90;
}
bool Dark(COLORREF c) {
  return GetRValue(c) < 60 && GetGValue(c) < 60 && GetBValue(c) < 60;
}

// The update rectangle of every WM_PAINT the watched window receives, taken before it paints.
std::vector<RECT>* g_paints = nullptr;
HWND g_painted = nullptr;
LRESULT CALLBACK RecordPaints(int code, WPARAM wp, LPARAM lp) {
  const auto* msg = reinterpret_cast<const CWPSTRUCT*>(lp);
  if (code == HC_ACTION && g_paints && msg->hwnd == g_painted && msg->message == WM_PAINT) {
    RECT rc{};
    ::GetUpdateRect(msg->hwnd, &rc, FALSE);
    g_paints->push_back(rc);
  }
  return ::CallNextHookEx(nullptr, code, wp, lp);
}

class PlayerMouse : public ::testing::Test {
 protected:
  PlayerMouse() {
    env.Files = &files;
    env.Ui = &ui;
    env.Display = &screen;
    env.Ticks = &clock;
    env.Graphics = &graphics;
    env.Text = &text;
    env.Launcher = &shell;
    env.Sound = &sound;
  }

  void SetUp() override {
    state.Project.GradientStyle = static_cast<uint8_t>(GradientStyle::None);
    state.CDFolder = folder.Path();
    // Away from the window, so that the real pointer sends it nothing.
    ::SetCursorPos(2, 2);
    ASSERT_TRUE(form.Create());
    state.View = &form;
    // Timer1 fires in designer mode and only switches itself off; then the window is a player's.
    PumpFor(50);
    state.DesignerMode = false;
  }

  void TearDown() override {
    // WM_DESTROY of a player window ends the message loop: none here.
    state.DesignerMode = true;
    EXPECT_EQ(boxes.Boxes(), expectedBoxes);
    EXPECT_EQ(ui.Texts(), std::vector<std::string>{});
  }

  // Applies the objects and shows the borderless window at 100, 100.
  void Show(int w = 300, int h = 200) {
    FormSettings& f = state.Project.Form;
    f.Left = f.Top = 100;
    f.Width = w;
    f.Height = h;
    form.FormSettingsChanged();
    ApplyAllObjectResources(state);
    ::ShowWindow(form.hwnd(), SW_SHOWNA);
    ::SetWindowPos(form.hwnd(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    ::RedrawWindow(form.hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    PumpFor(100);
  }

  MenuObject& Add(ObjectKind kind, int left, int top, int width, int height) {
    auto obj = std::make_unique<MenuObject>(kind);
    ControlBase& b = obj->Base();
    b.Left = left;
    b.Top = top;
    b.Width = width;
    b.Height = height;
    if (LabelControl* label = obj->AsLabel()) label->AutoSize = false;
    state.Project.Objects.push_back(std::move(obj));
    RenumberTags(state);
    return *state.Project.Objects.back();
  }

  std::string File(const std::string& name, const std::string& bytes) {
    EXPECT_TRUE(testing::WriteBytes(folder / name, bytes));
    return "\\" + name;
  }

  LRESULT Mouse(UINT msg, int x, int y) {
    const WPARAM keys = msg == WM_LBUTTONDOWN ? MK_LBUTTON : 0;
    return ::SendMessageA(form.InnerPanel(), msg, keys, MAKELPARAM(static_cast<WORD>(x), static_cast<WORD>(y)));
  }
  void Click(int x, int y) {
    Mouse(WM_MOUSEMOVE, x, y);
    Mouse(WM_LBUTTONDOWN, x, y);
    Mouse(WM_LBUTTONUP, x, y);
  }

  BoxAnswerer boxes;
  std::vector<std::string> expectedBoxes;
  TempFolder folder;
  win::Win32FileSystem files;
  testing::FakeUi ui;
  win::Win32Screen screen;
  testing::FakeClock clock;
  win::Win32GraphicLoader graphics;
  win::Win32TextMeasurer text;
  testing::FakeShell shell;
  testing::FakeSoundPlayer sound;
  Platform env;
  AppState state{env};
  win::AutoRunForm form{state};
};

// A label, a flat button with glyphs and an image with pictures, each with a hot look.
class HotLooks : public PlayerMouse {
 protected:
  void SetUp() override {
    PlayerMouse::SetUp();
    FontRecord normal;
    normal.Name = "Arial";
    normal.Size = 14;
    normal.Color = kBlue;
    FontRecord hot = normal;
    hot.Color = kRed;
    hot.Style = fsBold;

    MenuObject& label = Add(ObjectKind::Label, 10, 10, 120, 30);
    label.AsLabel()->Caption = "Label";
    label.AsLabel()->Color = RGB(255, 255, 255);
    label.AsLabel()->Font = normal;
    label.HotTrackFont = hot;

    MenuObject& button = Add(ObjectKind::Button, 10, 60, 120, 40);
    button.AsButton()->Flat = true;
    button.AsButton()->Caption = "Go";
    button.AsButton()->Font = normal;
    button.HotTrackFont = hot;
    button.BitmapFile = File("glyph.bmp", Bmp(16, 16, kGreen, kMagenta));
    button.HotTrackBitmapFile = File("glyph_hot.bmp", Bmp(16, 16, kYellow, kMagenta));

    MenuObject& image = Add(ObjectKind::Image, 160, 10, 60, 60);
    image.AsImage()->Stretch = true;
    image.FileName = File("normal.bmp", Bmp(8, 8, kGreen, kGreen));
    image.HotTrackImageFile = File("hot.bmp", Bmp(8, 8, kTeal, kTeal));
    Show();
  }

  // What each object shows now, read from the panel's pixels.
  struct Looks {
    bool LabelHot;
    bool ButtonHot;
    COLORREF Glyph;
    COLORREF Image;
  };
  Looks Read() {
    const Capture c = PrintClient(form.InnerPanel());
    const RECT label{10, 10, 130, 40}, caption{40, 60, 130, 100};
    EXPECT_EQ(c.Count(label, Bluish) > 0, c.Count(label, Reddish) == 0) << "label in both fonts or neither";
    EXPECT_EQ(c.Count(caption, Bluish) > 0, c.Count(caption, Reddish) == 0) << "caption in both fonts or neither";
    const RECT glyph = c.BoundsOf({10, 60, 130, 100}, [](COLORREF p) { return p == kGreen || p == kYellow; });
    return {c.Count(label, Reddish) > 0, c.Count(caption, Reddish) > 0,
            c.At((glyph.left + glyph.right) / 2, (glyph.top + glyph.bottom) / 2), c.At(190, 40)};
  }
};

TEST_F(HotLooks, EachObjectShowsItsHotLookUnderTheMouseAndGetsItsOwnBack) {
  struct Step {
    int X, Y;
    bool LabelHot, ButtonHot;
    COLORREF Glyph, Image;
  };
  const Step steps[] = {
      {250, 150, false, false, kGreen, kGreen},  // the background
      {20, 20, true, false, kGreen, kGreen},     // the label
      {20, 80, false, true, kYellow, kGreen},    // straight onto the button: both change in one move
      {180, 30, false, false, kGreen, kTeal},    // the image
      {250, 150, false, false, kGreen, kGreen},
  };
  for (const Step& s : steps) {
    SCOPED_TRACE(::testing::Message() << s.X << "," << s.Y);
    Mouse(WM_MOUSEMOVE, s.X, s.Y);
    const Looks looks = Read();
    EXPECT_EQ(looks.LabelHot, s.LabelHot);
    EXPECT_EQ(looks.ButtonHot, s.ButtonHot);
    EXPECT_EQ(looks.Glyph, s.Glyph);
    EXPECT_EQ(looks.Image, s.Image);
  }
}

TEST_F(HotLooks, TheChangedObjectsArePaintedAtOnceAndNothingWhenNothingChanged) {
  std::vector<RECT> paints;
  g_paints = &paints;
  g_painted = form.InnerPanel();
  HHOOK hook = ::SetWindowsHookExA(WH_CALLWNDPROC, &RecordPaints, nullptr, ::GetCurrentThreadId());
  auto paintedRects = [&](int x, int y) {
    paints.clear();
    Mouse(WM_MOUSEMOVE, x, y);  // no message is pumped: what is painted, is painted inside the move
    std::vector<std::tuple<LONG, LONG, LONG, LONG>> out;
    for (const RECT& r : paints) out.emplace_back(r.left, r.top, r.right, r.bottom);
    return out;
  };
  using Rects = std::vector<std::tuple<LONG, LONG, LONG, LONG>>;
  EXPECT_EQ(paintedRects(20, 20), (Rects{{10, 10, 130, 40}}));
  EXPECT_EQ(paintedRects(25, 22), Rects{});
  // Label and flat button in one paint.
  EXPECT_EQ(paintedRects(20, 80), (Rects{{10, 10, 130, 100}}));
  EXPECT_EQ(paintedRects(250, 150), (Rects{{10, 60, 130, 100}}));
  EXPECT_EQ(paintedRects(251, 150), Rects{});
  ::UnhookWindowsHookEx(hook);
  g_paints = nullptr;
}

TEST_F(HotLooks, LeavingThePanelDropsTheFlatButtonsEdgeButKeepsTheHotObject) {
  const COLORREF light = ::GetSysColor(COLOR_BTNHIGHLIGHT);
  // The real pointer must be there too: asking for the leave elsewhere is answered at once.
  POINT pt{20, 80};
  ::ClientToScreen(form.InnerPanel(), &pt);
  ::SetCursorPos(pt.x, pt.y);
  Mouse(WM_MOUSEMOVE, 20, 80);
  EXPECT_EQ(PrintClient(form.InnerPanel()).At(60, 60), light) << "no raised edge under the mouse";
  // The panel has asked to be told when the mouse leaves it.
  TRACKMOUSEEVENT query{sizeof query, TME_QUERY, nullptr, 0};
  ASSERT_TRUE(::TrackMouseEvent(&query));
  EXPECT_TRUE(query.dwFlags & TME_LEAVE);
  EXPECT_EQ(query.hwndTrack, form.InnerPanel());
  // Off the window: the system reports the leave.
  ::SetCursorPos(2, 2);
  EXPECT_TRUE(PumpUntil([&] { return PrintClient(form.InnerPanel()).At(60, 60) != light; }, 2000));
  EXPECT_TRUE(Read().ButtonHot);
}

TEST_F(HotLooks, GdiObjectsStayFlatOver200HoverCycles) {
  if (!testing::GdiObjectsAreCounted()) GTEST_SKIP() << "no way to count GDI objects here";
  auto cycle = [&] {
    for (POINT p : {POINT{20, 20}, POINT{250, 150}, POINT{20, 80}, POINT{180, 30}, POINT{250, 150}})
      Mouse(WM_MOUSEMOVE, p.x, p.y);
  };
  cycle();
  cycle();
  const auto before = testing::GdiObjects();
  for (int i = 0; i < 200; ++i) cycle();
  EXPECT_EQ(testing::GdiObjects(), before);
}

TEST_F(PlayerMouse, PressingAButtonShiftsGlyphAndCaptionUntilReleaseAndOnlyAReleaseOverItClicks) {
  MenuObject& button = Add(ObjectKind::Button, 20, 20, 140, 50);
  button.AsButton()->Caption = "Install";
  button.AsButton()->Font.Name = "Arial";
  button.AsButton()->Font.Size = 14;
  button.AsButton()->Font.Color = RGB(0, 0, 0);
  // The hot look is another test's business: here it must not move the caption.
  button.HotTrackFont = button.AsButton()->Font;
  button.BitmapFile = File("glyph.bmp", Bmp(20, 20, kGreen, kMagenta));
  button.Link.Action = LinkAction::OpenFile;
  button.Link.Target = "\\setup.exe";
  button.Link.Parameters = "/s";
  Show();
  // Inside the push frame, clear of its dark outer ring.
  const RECT inside{24, 24, 156, 66};
  auto glyphAndCaption = [&] {
    const Capture c = PrintClient(form.InnerPanel());
    return std::make_pair(c.BoundsOf(inside, [](COLORREF p) { return p == kGreen; }), c.BoundsOf(inside, Dark));
  };
  Mouse(WM_MOUSEMOVE, 60, 40);
  const auto up = glyphAndCaption();
  ASSERT_LT(up.first.left, up.first.right);
  ASSERT_LT(up.second.left, up.second.right) << "no caption";

  Mouse(WM_LBUTTONDOWN, 60, 40);
  EXPECT_EQ(::GetCapture(), form.InnerPanel());
  const auto down = glyphAndCaption();
  for (auto [before, after] : {std::make_pair(up.first, down.first), std::make_pair(up.second, down.second)}) {
    EXPECT_EQ(after.left, before.left + 1);
    EXPECT_EQ(after.top, before.top + 1);
    EXPECT_EQ(after.right, before.right + 1);
    EXPECT_EQ(after.bottom, before.bottom + 1);
  }
  // Dragged off, the button comes up; released there, nothing runs.
  Mouse(WM_MOUSEMOVE, 250, 150);
  EXPECT_EQ(glyphAndCaption().first.left, up.first.left);
  Mouse(WM_LBUTTONUP, 250, 150);
  EXPECT_EQ(::GetCapture(), nullptr);
  EXPECT_TRUE(shell.Calls.empty());

  Click(60, 40);
  EXPECT_EQ(glyphAndCaption().first.left, up.first.left);
  ASSERT_EQ(shell.Calls.size(), 1u);
  const testing::ShellCall& call = shell.Calls[0];
  EXPECT_EQ(call.Verb, "open");
  EXPECT_EQ(call.File, folder / "setup.exe");
  EXPECT_EQ(call.Parameters, "/s");
  EXPECT_EQ(call.Directory, folder.Path());
  EXPECT_EQ(call.ShowCommand, 1);
}

TEST_F(PlayerMouse, LabelsAndImagesRunTheirLinksAndShowTheHandPanesNever) {
  MenuObject& label = Add(ObjectKind::Label, 10, 10, 100, 20);
  label.Link.Action = LinkAction::SendEmail;
  label.Link.Target = "me@example.org";
  MenuObject& image = Add(ObjectKind::Image, 10, 40, 60, 60);
  image.Link.Action = LinkAction::BrowseCd;
  Add(ObjectKind::Image, 100, 40, 60, 60);  // no link
  MenuObject& movie = Add(ObjectKind::Movie, 180, 40, 60, 60);
  movie.Link.Action = LinkAction::OpenUrl;
  movie.Link.Target = "http://example.org/";
  Show();

  Click(20, 15);
  Click(20, 50);
  Click(120, 50);
  // The pane's own window takes its clicks, and it has no click handler.
  HWND pane = dynamic_cast<win::Pane*>(movie.Pane.get())->Handle();
  ::SendMessageA(pane, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
  ::SendMessageA(pane, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
  ASSERT_EQ(shell.Calls.size(), 2u);
  EXPECT_EQ(shell.Calls[0].File, "mailto:me@example.org");
  EXPECT_EQ(shell.Calls[1].Verb, "explore");
  EXPECT_EQ(shell.Calls[1].File, folder.Path());

  struct CursorCase {
    int X, Y;
    LPCSTR Cursor;
  };
  const CursorCase cases[] = {{20, 15, IDC_HAND}, {20, 50, IDC_HAND}, {120, 50, IDC_ARROW}, {250, 150, IDC_ARROW}};
  HWND panel = form.InnerPanel();
  for (const CursorCase& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.X << "," << c.Y);
    POINT pt{c.X, c.Y};
    ::ClientToScreen(panel, &pt);
    ::SetCursorPos(pt.x, pt.y);
    EXPECT_EQ(::SendMessageA(panel, WM_SETCURSOR, reinterpret_cast<WPARAM>(panel), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE)),
              TRUE);
    EXPECT_EQ(::GetCursor(), ::LoadCursorA(nullptr, c.Cursor));
  }
  ::SetCursorPos(2, 2);
}

TEST_F(PlayerMouse, AMissingSoundFileIsReportedInAnErrorBox) {
  win::Win32Ui realUi;
  env.Ui = &realUi;
  MenuObject& label = Add(ObjectKind::Label, 10, 10, 100, 20);
  label.Link.Action = LinkAction::PlaySound;
  label.Link.Target = "\\missing.wav";
  Show();
  Click(20, 15);
  expectedBoxes = {"Error: The specified file was not found."};
  EXPECT_EQ(boxes.Boxes(), expectedBoxes);
  EXPECT_TRUE(sound.Calls.empty());
  // Answered: the window goes on.
  EXPECT_TRUE(::IsWindow(form.hwnd()));
}

TEST_F(PlayerMouse, ExitAutoRunClosesThePlayer) {
  Add(ObjectKind::Button, 10, 10, 80, 30).Link.Action = LinkAction::ExitAutoRun;
  Show();
  g_quitSeen = false;
  Click(20, 20);
  EXPECT_TRUE(PumpUntil([&] { return form.hwnd() == nullptr; }, 3000));
  PumpFor(20);
  EXPECT_TRUE(g_quitSeen);
  EXPECT_TRUE(shell.Calls.empty());
}

// ---------------------------------------------------------------- the player's start

// Notes how many sound requests had been made when the shell was called.
class OrderedShell : public testing::FakeShell {
 public:
  explicit OrderedShell(testing::FakeSoundPlayer& sound) : sound_(sound) {}
  std::vector<size_t> SoundCallsBefore;
  int Execute(const char* verb, const std::string& file, const char* parameters, const char* directory,
              int32_t showCommand) override {
    SoundCallsBefore.push_back(sound_.Calls.size());
    return FakeShell::Execute(verb, file, parameters, directory, showCommand);
  }

 private:
  testing::FakeSoundPlayer& sound_;
};

class StartLinks : public PlayerMouse {
 protected:
  void SetUp() override {
    env.Launcher = &ordered;
    state.DesignerMode = false;
    state.CDFolder = folder.Path();
    state.ProjectFileName = folder / "AutoRun.mnx";
  }
  void TearDown() override {
    state.DesignerMode = true;
    EXPECT_EQ(boxes.Boxes(), std::vector<std::string>{});
  }
  void Start(const std::string& startSound, LinkAction action) {
    testing::FakeUi quiet;
    Platform writerEnv = env;
    writerEnv.Ui = &quiet;
    AppState writer(writerEnv);
    writer.Project.Form.Width = 200;
    writer.Project.Form.Height = 100;
    writer.Project.StartSound = startSound;
    writer.Project.StartLink.Action = action;
    writer.Project.StartLink.Target = "\\setup.exe";
    ASSERT_TRUE(SaveProjectFile(writer, state.ProjectFileName));
    ASSERT_TRUE(form.Create());
    state.View = &form;
    ::ShowWindow(form.hwnd(), SW_SHOW);
    PumpFor(300);
  }
  OrderedShell ordered{sound};
};

TEST_F(StartLinks, TheStartSoundPlaysAndThenTheStartLinkRuns) {
  ASSERT_TRUE(testing::WriteBytes(folder / "start.wav", "RIFF"));
  Start("\\start.wav", LinkAction::OpenFile);
  EXPECT_EQ(sound.Calls, (std::vector<std::string>{"close", "open " + folder.Path() + "\\\\start.wav", "play"}));
  ASSERT_EQ(ordered.Calls.size(), 1u);
  EXPECT_EQ(ordered.Calls[0].File, folder / "setup.exe");
  EXPECT_EQ(ordered.SoundCallsBefore, std::vector<size_t>{3});
  EXPECT_TRUE(::IsWindowVisible(form.hwnd()));
  EXPECT_EQ(ui.Texts(), std::vector<std::string>{});
}

TEST_F(StartLinks, AMissingStartSoundIsReportedAndTheStartLinkStillRuns) {
  Start("\\gone.wav", LinkAction::OpenFile);
  EXPECT_EQ(ui.Texts(), std::vector<std::string>{"The specified file was not found."});
  EXPECT_TRUE(sound.Calls.empty());
  EXPECT_EQ(ordered.Calls.size(), 1u);
}

// The window's visibility and size when its WM_CLOSE was taken from the queue.
struct ClosedAs {
  bool Seen = false;
  bool Visible = false;
  SIZE Size{};
};
ClosedAs g_closed;
LRESULT CALLBACK RecordClose(int code, WPARAM wp, LPARAM lp) {
  const auto* msg = reinterpret_cast<const MSG*>(lp);
  if (code == HC_ACTION && msg->message == WM_CLOSE && testing::ClassName(msg->hwnd) == "TAutoRunForm") {
    RECT rc;
    ::GetWindowRect(msg->hwnd, &rc);
    g_closed = {true, ::IsWindowVisible(msg->hwnd) != FALSE, {rc.right - rc.left, rc.bottom - rc.top}};
  }
  return ::CallNextHookEx(nullptr, code, wp, lp);
}

TEST_F(StartLinks, AnExitAutoRunStartLinkClosesThePlayerOnceItHasItsSize) {
  g_quitSeen = false;
  g_closed = {};
  HHOOK hook = ::SetWindowsHookExA(WH_GETMESSAGE, &RecordClose, nullptr, ::GetCurrentThreadId());
  Start("", LinkAction::ExitAutoRun);
  EXPECT_TRUE(PumpUntil([&] { return form.hwnd() == nullptr; }, 3000));
  ::UnhookWindowsHookEx(hook);
  EXPECT_TRUE(g_closed.Seen);
  EXPECT_TRUE(g_closed.Visible);
  EXPECT_EQ(g_closed.Size.cx, 200);
  EXPECT_EQ(g_closed.Size.cy, 100);
  PumpFor(20);
  EXPECT_TRUE(g_quitSeen);
  EXPECT_EQ(ui.Texts(), std::vector<std::string>{});
  EXPECT_TRUE(ordered.Calls.empty());
}

}  // namespace
}  // namespace corvela
