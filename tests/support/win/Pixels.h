#pragma once
// Pixels read back from a window (WM_PRINTCLIENT), a bitmap, the screen or a canvas painted in the
// test, and saved as bitmap files for a person to look at.

#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "platform/win/Handles.h"

namespace corvela::testing {

using PixelTest = std::function<bool(COLORREF)>;
inline PixelTest Is(COLORREF c) {
  return [c](COLORREF p) { return p == c; };
}
inline PixelTest IsNot(COLORREF c) {
  return [c](COLORREF p) { return p != c; };
}
bool Near(COLORREF a, COLORREF b, int tolerance);
// A COLORREF as six hex digits (bbggrr), for messages.
std::string Hex(COLORREF c);
std::string Describe(const RECT& r);
bool Empty(const RECT& r);
bool Inside(const RECT& inner, const RECT& outer);

// Pixels as COLORREFs (0x00BBGGRR), top row first.
struct Capture {
  int Width = 0;
  int Height = 0;
  std::vector<uint32_t> Pixels;
  COLORREF At(int x, int y) const { return Pixels[static_cast<size_t>(y) * Width + x]; }
  RECT All() const { return {0, 0, Width, Height}; }
  // How many pixels of the area pass the test, and the smallest rectangle that holds them (empty when none).
  int Count(const RECT& area, const PixelTest& test) const;
  RECT Bounds(const RECT& area, const PixelTest& test) const;
  bool SaveBmp(const std::string& path) const;
  // With CORVELA_TEST_SHOTS set to a folder, saves the pixels there as name.bmp.
  void Shot(const std::string& name) const;
};

// How many pixels differ; -1 when the sizes do.
int Differences(const Capture& a, const Capture& b);

// A 32-bit top-down DIB section selected into a memory DC, to paint into and read back.
class Canvas {
 public:
  Canvas(int width, int height);
  HDC dc() const { return dc_.get(); }
  void Fill(COLORREF c);
  COLORREF At(int x, int y) const;
  Capture Read() const;
  RECT All() const { return {0, 0, width_, height_}; }
  int Count(const RECT& area, const PixelTest& test) const { return Read().Count(area, test); }
  RECT Bounds(const RECT& area, const PixelTest& test) const { return Read().Bounds(area, test); }

 private:
  int width_, height_;
  uint32_t* bits_ = nullptr;
  win::UniqueMemoryDc dc_;
  win::UniqueBitmap bitmap_;
  win::SelectScope select_;
};

// What the window paints into a DC through WM_PRINTCLIENT.
Capture PrintClient(HWND hwnd);
Capture ReadBitmap(HBITMAP bitmap);
Capture ReadScreen(const RECT& area);
COLORREF ScreenPixel(int x, int y);

}  // namespace corvela::testing
