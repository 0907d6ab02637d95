#include "support/win/Pixels.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>

namespace corvela::testing {

bool Near(COLORREF a, COLORREF b, int tolerance) {
  return std::abs(GetRValue(a) - GetRValue(b)) <= tolerance && std::abs(GetGValue(a) - GetGValue(b)) <= tolerance &&
         std::abs(GetBValue(a) - GetBValue(b)) <= tolerance;
}

std::string Hex(COLORREF c) {
  char text[16];
  std::snprintf(text, sizeof text, "%06lx", static_cast<unsigned long>(c));
  return text;
}

std::string Describe(const RECT& r) {
  return "{" + std::to_string(r.left) + "," + std::to_string(r.top) + "," + std::to_string(r.right) + "," +
         std::to_string(r.bottom) + "}";
}

bool Empty(const RECT& r) {
  return r.right <= r.left || r.bottom <= r.top;
}

bool Inside(const RECT& inner, const RECT& outer) {
  return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
         inner.bottom <= outer.bottom;
}

int Capture::Count(const RECT& area, const PixelTest& test) const {
  int n = 0;
  for (int y = area.top; y < area.bottom; ++y)
    for (int x = area.left; x < area.right; ++x) n += test(At(x, y));
  return n;
}

RECT Capture::Bounds(const RECT& area, const PixelTest& test) const {
  RECT found{area.right, area.bottom, area.left, area.top};
  for (int y = area.top; y < area.bottom; ++y)
    for (int x = area.left; x < area.right; ++x)
      if (test(At(x, y))) {
        found.left = std::min<LONG>(found.left, x);
        found.top = std::min<LONG>(found.top, y);
        found.right = std::max<LONG>(found.right, x + 1);
        found.bottom = std::max<LONG>(found.bottom, y + 1);
      }
  return found;
}

bool Capture::SaveBmp(const std::string& path) const {
  BITMAPINFOHEADER info{sizeof info, Width, -Height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  BITMAPFILEHEADER file{};
  file.bfType = 0x4D42;
  file.bfOffBits = sizeof file + sizeof info;
  file.bfSize = file.bfOffBits + static_cast<DWORD>(Pixels.size() * 4);
  std::ofstream out(path, std::ios::binary);
  out.write(reinterpret_cast<const char*>(&file), sizeof file);
  out.write(reinterpret_cast<const char*>(&info), sizeof info);
  for (uint32_t c : Pixels) {
    const uint32_t bgrx = ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF);
    out.write(reinterpret_cast<const char*>(&bgrx), 4);
  }
  return out.good();
}

void Capture::Shot(const std::string& name) const {
  if (const char* folder = std::getenv("CORVELA_TEST_SHOTS")) SaveBmp(std::string(folder) + "\\" + name + ".bmp");
}

int Differences(const Capture& a, const Capture& b) {
  if (a.Width != b.Width || a.Height != b.Height) return -1;
  int n = 0;
  for (size_t i = 0; i < a.Pixels.size(); ++i) n += a.Pixels[i] != b.Pixels[i];
  return n;
}

namespace {
Capture FromBgrx(int width, int height, const uint32_t* bits) {
  Capture c{width, height, {}};
  c.Pixels.reserve(static_cast<size_t>(width) * height);
  for (size_t i = 0; i < static_cast<size_t>(width) * height; ++i)
    c.Pixels.push_back(RGB((bits[i] >> 16) & 0xFF, (bits[i] >> 8) & 0xFF, bits[i] & 0xFF));
  return c;
}

HBITMAP MakeDib(int width, int height, uint32_t** bits) {
  BITMAPINFO bmi{};
  bmi.bmiHeader = {sizeof bmi.bmiHeader, width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  return ::CreateDIBSection(nullptr, &bmi, DIB_RGB_COLORS, reinterpret_cast<void**>(bits), nullptr, 0);
}
}  // namespace

Canvas::Canvas(int width, int height)
    : width_(std::max(width, 1)),
      height_(std::max(height, 1)),
      dc_(::CreateCompatibleDC(nullptr)),
      bitmap_(MakeDib(width_, height_, &bits_)),
      select_(dc_.get(), bitmap_.get()) {}

void Canvas::Fill(COLORREF c) {
  win::UniqueBrush brush(::CreateSolidBrush(c));
  const RECT all{0, 0, width_, height_};
  ::FillRect(dc_.get(), &all, brush.get());
}

COLORREF Canvas::At(int x, int y) const {
  ::GdiFlush();
  const uint32_t p = bits_[static_cast<size_t>(y) * width_ + x];
  return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
}

Capture Canvas::Read() const {
  ::GdiFlush();
  return FromBgrx(width_, height_, bits_);
}

Capture PrintClient(HWND hwnd) {
  RECT rc;
  ::GetClientRect(hwnd, &rc);
  Canvas canvas(rc.right, rc.bottom);
  ::SendMessageA(hwnd, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(canvas.dc()), PRF_CLIENT);
  return canvas.Read();
}

Capture ReadBitmap(HBITMAP bitmap) {
  BITMAP info{};
  if (!::GetObjectA(bitmap, sizeof info, &info)) return {};
  BITMAPINFO bi{};
  bi.bmiHeader = {sizeof bi.bmiHeader, info.bmWidth, -info.bmHeight, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  std::vector<uint32_t> bits(static_cast<size_t>(info.bmWidth) * info.bmHeight);
  win::WindowDc screen(nullptr);
  ::GetDIBits(screen.get(), bitmap, 0, info.bmHeight, bits.data(), &bi, DIB_RGB_COLORS);
  return FromBgrx(info.bmWidth, info.bmHeight, bits.data());
}

Capture ReadScreen(const RECT& area) {
  Canvas canvas(area.right - area.left, area.bottom - area.top);
  win::WindowDc screen(nullptr);
  ::BitBlt(canvas.dc(), 0, 0, area.right - area.left, area.bottom - area.top, screen.get(), area.left, area.top,
           SRCCOPY);
  return canvas.Read();
}

COLORREF ScreenPixel(int x, int y) {
  win::WindowDc screen(nullptr);
  return ::GetPixel(screen.get(), x, y);
}

}  // namespace corvela::testing
