// The gradient through real GDI: the hidden renderer's PatBlt fills must give exactly the pixels of
// the portable fill, and rebuilding the picture must not leak GDI objects.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <optional>
#include <random>
#include <vector>

#include "platform/win/Win32Colours.h"
#include "player/win/AutoRunForm.h"
#include "player/win/GradientForm.h"
#include "support/FakePlatform.h"

namespace corvela {
namespace {

using win::UniqueBitmap;

// A bitmap's pixels as 0x00BBGGRR, top row first.
PixelBuffer ReadBitmap(HBITMAP bitmap) {
  BITMAP info{};
  if (!::GetObjectA(bitmap, sizeof info, &info)) return {};
  BITMAPINFO bi{};
  bi.bmiHeader.biSize = sizeof bi.bmiHeader;
  bi.bmiHeader.biWidth = info.bmWidth;
  bi.bmiHeader.biHeight = -info.bmHeight;
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 32;
  bi.bmiHeader.biCompression = BI_RGB;
  std::vector<uint32_t> bits(static_cast<size_t>(info.bmWidth) * info.bmHeight);
  win::UniqueMemoryDc dc(::CreateCompatibleDC(nullptr));
  ::GetDIBits(dc.get(), bitmap, 0, info.bmHeight, bits.data(), &bi, DIB_RGB_COLORS);
  PixelBuffer out(info.bmWidth, info.bmHeight);
  for (int y = 0; y < info.bmHeight; ++y)
    for (int x = 0; x < info.bmWidth; ++x) {
      const uint32_t p = bits[static_cast<size_t>(y) * info.bmWidth + x];
      out.FillSolid({x, y, x + 1, y + 1}, ((p & 0xFF) << 16) | (p & 0xFF00) | ((p >> 16) & 0xFF));
    }
  return out;
}

// The process's live GDI objects. GetGuiResources counts them on Windows but answers 0 under Wine,
// which keeps the process's GDI handle table where Windows keeps its shared one (PEB + 0xF8):
// 24-byte entries whose byte 14 is the object type, cleared when the object is deleted.
std::optional<size_t> GdiObjects() {
  if (DWORD n = ::GetGuiResources(::GetCurrentProcess(), GR_GDIOBJECTS)) return n;
  using GetPeb = const unsigned char*(WINAPI*)();
  const FARPROC proc = ::GetProcAddress(::GetModuleHandleA("ntdll.dll"), "RtlGetCurrentPeb");
  if (!proc) return std::nullopt;
  const auto* peb = reinterpret_cast<GetPeb>(reinterpret_cast<void (*)()>(proc))();
  const auto* table = *reinterpret_cast<const unsigned char* const*>(peb + 0xF8);
  MEMORY_BASIC_INFORMATION region{};
  if (!table || !::VirtualQuery(table, &region, sizeof region) || region.State != MEM_COMMIT) return std::nullopt;
  const auto* end = static_cast<const unsigned char*>(region.BaseAddress) + region.RegionSize;
  size_t count = 0;
  for (const unsigned char* entry = table; entry + 24 <= end; entry += 24) count += entry[14] != 0;
  return count;
}

// Whether GdiObjects() sees objects come and go in this session.
bool GdiObjectsAreCounted() {
  const auto before = GdiObjects();
  if (!before) return false;
  std::vector<win::UniqueBrush> brushes;
  for (int i = 0; i < 3; ++i) brushes.emplace_back(::CreateSolidBrush(RGB(i, 1, 2)));
  const auto during = GdiObjects();
  brushes.clear();
  return during && *during == *before + 3 && GdiObjects() == before;
}

class GradientWin : public ::testing::Test {
 protected:
  GradientWin() { world.Env.Colours = &colours; }
  void SetUp() override { ASSERT_TRUE(form.Create()); }
  testing::FakeWorld world;
  win::Win32SystemColours colours;
  win::GradientForm form;
};

TEST_F(GradientWin, GdiPicturesMatchThePortableOnesPixelForPixel) {
  struct Colours {
    Colour back, gradient;
  };
  // Every channel rising and falling; a system colour resolved by the session.
  const Colours pairs[] = {{0x00336699u, 0x00F0E0A0u}, {kClBlue, kClWhite}, {0x80000005u, 0x00102030u}};
  const std::pair<int, int> sizes[] = {{1, 1}, {2, 3}, {7, 5}, {61, 17}, {120, 300}, {300, 280}};
  for (const Colours& c : pairs) {
    world.State.Project.BackColor = c.back;
    world.State.Project.GradientColor = c.gradient;
    for (uint8_t style = 0; style <= 8; ++style) {
      world.State.Project.GradientStyle = style;
      for (auto [w, h] : sizes) {
        SCOPED_TRACE(::testing::Message()
                     << "style " << int(style) << ", " << w << "x" << h << ", back " << std::hex << c.back);
        const auto expected = RenderBackgroundPixels(world.State.Project, &colours, w, h);
        const UniqueBitmap picture = form.RenderBackground(world.State, w, h);
        ASSERT_EQ(static_cast<bool>(picture), expected.has_value());
        if (!picture) continue;
        const PixelBuffer actual = ReadBitmap(picture.get());
        ASSERT_EQ(actual.Width(), w);
        ASSERT_EQ(actual.Height(), h);
        EXPECT_EQ(actual.Pixels(), expected->Pixels());
        // The renderer keeps the (W + 2) x (H + 2) size, window and surface alike.
        RECT rc;
        ::GetWindowRect(form.hwnd(), &rc);
        EXPECT_EQ(rc.right - rc.left, w + 2);
        EXPECT_EQ(form.Renderer().Height(), h + 2);
      }
    }
  }
  EXPECT_FALSE(::IsWindowVisible(form.hwnd()));
}

TEST_F(GradientWin, GdiObjectCountStaysFlatOverRepeatedRenders) {
  world.State.Project.BackColor = 0x00204080u;
  world.State.Project.GradientColor = 0x00F0C080u;
  if (!GdiObjectsAreCounted()) GTEST_SKIP() << "no way to count GDI objects here";
  // Warm up so that one-time allocations (the renderer's DC and bitmap) are counted before.
  form.RenderBackground(world.State, 50, 40);
  const auto before = GdiObjects();
  for (int i = 0; i < 200; ++i) {
    world.State.Project.GradientStyle = static_cast<uint8_t>(i % 9);
    const int w = 40 + i % 7 * 13, h = 30 + i % 5 * 11;
    UniqueBitmap picture = form.RenderBackground(world.State, w, h);
    UniqueBitmap once = win::RenderBackground(world.State, h, w);
    ASSERT_EQ(static_cast<bool>(picture), i % 9 != 8);
  }
  EXPECT_EQ(GdiObjects(), before);
}

// What a window paints through WM_PRINTCLIENT, as 0x00BBGGRR.
PixelBuffer PrintClient(HWND hwnd) {
  RECT rc;
  ::GetClientRect(hwnd, &rc);
  win::DibSurface dib;
  if (!dib.Resize(rc.right, rc.bottom)) return {};
  ::SendMessageA(hwnd, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dib.Dc()), PRF_CLIENT);
  ::GdiFlush();
  PixelBuffer out(rc.right, rc.bottom);
  for (int y = 0; y < rc.bottom; ++y)
    for (int x = 0; x < rc.right; ++x) {
      const uint32_t p = dib.Pixels()[static_cast<size_t>(y) * rc.right + x];
      out.FillSolid({x, y, x + 1, y + 1}, ((p & 0xFF) << 16) | (p & 0xFF00) | ((p >> 16) & 0xFF));
    }
  return out;
}

TEST_F(GradientWin, MenuWindowRebuildsItsPictureOnResizeAndDropsItForNone) {
  world.State.DesignerMode = true;  // Timer1 then only switches itself off
  world.State.Project.BackColor = kClBlue;
  world.State.Project.GradientColor = kClWhite;
  world.State.Project.GradientStyle = static_cast<uint8_t>(GradientStyle::FromCenter);
  win::AutoRunForm menu(world.State);
  ASSERT_TRUE(menu.Create());
  menu.SetGradientForm(&form);
  const auto expectShown = [&](int w, int h) {
    const PixelBuffer shown = PrintClient(menu.InnerPanel());
    ASSERT_EQ(shown.Width(), w);
    ASSERT_EQ(shown.Height(), h);
    const auto expected = RenderBackgroundPixels(world.State.Project, &colours, w, h);
    if (expected)
      EXPECT_EQ(shown.Pixels(), expected->Pixels());
    else
      EXPECT_EQ(shown.Pixels(), PixelBuffer(w, h, world.State.Project.BackColor).Pixels());
  };
  // Every size change rebuilds the picture for the new size.
  for (auto [w, h] : {std::pair{90, 70}, {131, 47}}) {
    ::SetWindowPos(menu.hwnd(), nullptr, 0, 0, w, h, SWP_NOZORDER | SWP_NOACTIVATE);
    SCOPED_TRACE(::testing::Message() << w << "x" << h);
    expectShown(w, h);
  }
  world.State.Project.GradientStyle = static_cast<uint8_t>(GradientStyle::None);
  menu.PaintBackground();
  expectShown(131, 47);
  // Without a TGradientForm the picture is the same.
  world.State.Project.GradientStyle = static_cast<uint8_t>(GradientStyle::Radial);
  menu.SetGradientForm(nullptr);
  menu.PaintBackground();
  expectShown(131, 47);
}

TEST(MulDivWin, MatchesTheSystemFunction) {
  std::mt19937 random(7);
  std::uniform_int_distribution<int32_t> small(-1000, 1000), any(INT32_MIN, INT32_MAX);
  // Wine negates 32-bit operands for a negative divisor, which wraps at -2^31 (INT_MIN * 1 / -2
  // comes out negative there): those few cases are left out.
  const auto comparable = [](int32_t a, int32_t c) { return c != INT32_MIN && !(a == INT32_MIN && c < 0); };
  const int32_t edges[] = {0, 1, -1, 2, -2, 3, 255, -255, 256, 65536, INT32_MAX, INT32_MIN, INT32_MIN + 1};
  for (int32_t a : edges)
    for (int32_t b : edges)
      for (int32_t c : edges) {
        if (!comparable(a, c)) continue;
        EXPECT_EQ(corvela::MulDiv(a, b, c), ::MulDiv(a, b, c)) << a << " " << b << " " << c;
      }
  for (int i = 0; i < 20000; ++i) {
    const int32_t a = i % 2 ? small(random) : any(random), b = small(random), c = i % 3 ? small(random) : any(random);
    if (!comparable(a, c)) continue;
    ASSERT_EQ(corvela::MulDiv(a, b, c), ::MulDiv(a, b, c)) << a << " " << b << " " << c;
  }
}

// Not a check: with CORVELA_GRADIENT_SHEET=path.bmp set, writes every style side by side, as
// the real Win32 path draws them, for a person to look at.
TEST_F(GradientWin, ContactSheet) {
  const char* path = std::getenv("CORVELA_GRADIENT_SHEET");
  if (!path) GTEST_SKIP() << "CORVELA_GRADIENT_SHEET not set";
  constexpr int kTileW = 240, kTileH = 160, kGap = 8, kColumns = 3;
  const int sheetW = kColumns * (kTileW + kGap) + kGap, sheetH = 3 * (kTileH + kGap) + kGap;
  PixelBuffer sheet(sheetW, sheetH, 0x00303030u);
  world.State.Project.BackColor = 0x00A03010u;      // a dark blue
  world.State.Project.GradientColor = 0x0060E0FFu;  // a warm yellow
  for (uint8_t style = 0; style <= 8; ++style) {
    world.State.Project.GradientStyle = style;
    const UniqueBitmap picture = form.RenderBackground(world.State, kTileW, kTileH);
    const int left = kGap + style % kColumns * (kTileW + kGap), top = kGap + style / kColumns * (kTileH + kGap);
    if (!picture) {
      sheet.FillSolid({left, top, left + kTileW, top + kTileH}, world.State.Project.BackColor);
      continue;
    }
    const PixelBuffer tile = ReadBitmap(picture.get());
    for (int y = 0; y < kTileH; ++y)
      for (int x = 0; x < kTileW; ++x) sheet.FillSolid({left + x, top + y, left + x + 1, top + y + 1}, tile.At(x, y));
  }
  BITMAPFILEHEADER file{};
  BITMAPINFOHEADER info{};
  info.biSize = sizeof info;
  info.biWidth = sheetW;
  info.biHeight = -sheetH;
  info.biPlanes = 1;
  info.biBitCount = 32;
  info.biCompression = BI_RGB;
  file.bfType = 0x4D42;
  file.bfOffBits = sizeof file + sizeof info;
  file.bfSize = file.bfOffBits + static_cast<DWORD>(sheetW * sheetH * 4);
  std::ofstream out(path, std::ios::binary);
  out.write(reinterpret_cast<const char*>(&file), sizeof file);
  out.write(reinterpret_cast<const char*>(&info), sizeof info);
  for (Colour c : sheet.Pixels()) {
    const uint32_t p = ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF);
    out.write(reinterpret_cast<const char*>(&p), 4);
  }
  EXPECT_TRUE(out.good());
}

}  // namespace
}  // namespace corvela
