// Pictures decoded from real files of every format, and labels, buttons and images painted with
// real GDI into a 32-bit bitmap whose pixels are read back.
#include <gtest/gtest.h>
#include <wincodec.h>
#include <windows.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "platform/win/Win32Graphics.h"
#include "platform/win/Win32Text.h"
#include "player/ObjectLayout.h"
#include "player/win/GradientForm.h"
#include "player/win/ObjectPainter.h"
#include "support/FakePlatform.h"
#include "support/win/GdiObjects.h"
#include "support/win/WinProcess.h"

namespace corvela {
namespace {

using testing::TempFolder;
using win::ComPtr;
using win::WinGraphic;

constexpr COLORREF kRed = RGB(255, 0, 0), kGreen = RGB(0, 255, 0), kBlue = RGB(0, 0, 255);
constexpr COLORREF kYellow = RGB(255, 255, 0), kMagenta = RGB(255, 0, 255), kWhite = RGB(255, 255, 255);
constexpr COLORREF kBlack = RGB(0, 0, 0), kTeal = RGB(0, 128, 128);

// ---------------------------------------------------------------- files written byte by byte

void Put16(std::string& s, uint32_t v) {
  s += static_cast<char>(v & 0xFF);
  s += static_cast<char>((v >> 8) & 0xFF);
}
void Put32(std::string& s, uint32_t v) {
  Put16(s, v & 0xFFFF);
  Put16(s, v >> 16);
}

using PixelFn = std::function<COLORREF(int x, int y)>;

std::string InfoHeader(int w, int h, int bits, uint32_t colours) {
  std::string s;
  Put32(s, 40);
  Put32(s, static_cast<uint32_t>(w));
  Put32(s, static_cast<uint32_t>(h));
  Put16(s, 1);
  Put16(s, static_cast<uint32_t>(bits));
  Put32(s, 0);
  Put32(s, 0);
  Put32(s, 2835);
  Put32(s, 2835);
  Put32(s, colours);
  Put32(s, 0);
  return s;
}

std::string FileHeader(size_t total, size_t offset) {
  std::string s = "BM";
  Put32(s, static_cast<uint32_t>(total));
  Put32(s, 0);
  Put32(s, static_cast<uint32_t>(offset));
  return s;
}

std::string Bmp24(int w, int h, const PixelFn& pixel) {
  std::string rows;
  for (int y = h - 1; y >= 0; --y) {
    for (int x = 0; x < w; ++x) {
      const COLORREF c = pixel(x, y);
      rows += static_cast<char>(GetBValue(c));
      rows += static_cast<char>(GetGValue(c));
      rows += static_cast<char>(GetRValue(c));
    }
    while (rows.size() % 4) rows += '\0';
  }
  return FileHeader(54 + rows.size(), 54) + InfoHeader(w, h, 24, 0) + rows;
}

// 1 bit per pixel, palette black and white; set(x, y) means white.
std::string Bmp1(int w, int h, const std::function<bool(int, int)>& set) {
  std::string rows;
  for (int y = h - 1; y >= 0; --y) {
    std::string row((static_cast<size_t>(w) + 31) / 32 * 4, '\0');
    for (int x = 0; x < w; ++x)
      if (set(x, y)) row[static_cast<size_t>(x / 8)] |= static_cast<char>(0x80 >> (x % 8));
    rows += row;
  }
  std::string palette;
  Put32(palette, 0x000000);
  Put32(palette, 0xFFFFFF);
  return FileHeader(62 + rows.size(), 62) + InfoHeader(w, h, 1, 2) + palette + rows;
}

// One 32-bit image with alpha; argb(x, y) gives 0xAARRGGBB.
std::string Ico32(int w, int h, const std::function<uint32_t(int, int)>& argb) {
  std::string image = InfoHeader(w, h * 2, 32, 0);
  for (int y = h - 1; y >= 0; --y)
    for (int x = 0; x < w; ++x) Put32(image, argb(x, y));
  const size_t maskRow = (static_cast<size_t>(w) + 31) / 32 * 4;
  for (int y = 0; y < h; ++y) image += std::string(maskRow, '\0');
  std::string s;
  Put16(s, 0);
  Put16(s, 1);
  Put16(s, 1);
  s += static_cast<char>(w);
  s += static_cast<char>(h);
  s += '\0';
  s += '\0';
  Put16(s, 1);
  Put16(s, 32);
  Put32(s, static_cast<uint32_t>(image.size()));
  Put32(s, 22);
  return s + image;
}

// A 4-colour GIF; transparentIndex < 0 for none. The LZW stream sends a clear code before every
// pixel, so the code size never grows and no table is needed.
std::string Gif(int w, int h, const COLORREF (&palette)[4], const std::function<int(int, int)>& index,
                int transparentIndex) {
  std::string s = "GIF89a";
  Put16(s, static_cast<uint32_t>(w));
  Put16(s, static_cast<uint32_t>(h));
  s += static_cast<char>(0x81);  // global table of 4 entries
  s += '\0';
  s += '\0';
  for (COLORREF c : palette) {
    s += static_cast<char>(GetRValue(c));
    s += static_cast<char>(GetGValue(c));
    s += static_cast<char>(GetBValue(c));
  }
  if (transparentIndex >= 0) {
    s += "\x21\xF9\x04\x01";
    Put16(s, 0);
    s += static_cast<char>(transparentIndex);
    s += '\0';
  }
  s += ',';
  Put32(s, 0);
  Put16(s, static_cast<uint32_t>(w));
  Put16(s, static_cast<uint32_t>(h));
  s += '\0';
  s += '\x02';  // minimum code size: codes are 3 bits, clear 4, end 5
  std::string data;
  uint32_t bits = 0;
  int count = 0;
  auto code = [&](int c) {
    bits |= static_cast<uint32_t>(c) << count;
    count += 3;
    while (count >= 8) {
      data += static_cast<char>(bits & 0xFF);
      bits >>= 8;
      count -= 8;
    }
  };
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      code(4);
      code(index(x, y));
    }
  code(5);
  if (count > 0) data += static_cast<char>(bits & 0xFF);
  for (size_t i = 0; i < data.size(); i += 255) {
    const std::string block = data.substr(i, 255);
    s += static_cast<char>(block.size());
    s += block;
  }
  s += '\0';
  s += ';';
  return s;
}

// A placeable metafile of one inch by half an inch that fills its whole extent with colour.
std::string PlaceableWmf(COLORREF colour) {
  std::string records;
  auto record = [&](uint32_t function, const std::vector<uint16_t>& params) {
    Put32(records, static_cast<uint32_t>(3 + params.size()));
    Put16(records, function);
    for (uint16_t p : params) Put16(records, p);
  };
  record(0x020B, {0, 0});       // SetWindowOrg
  record(0x020C, {500, 1000});  // SetWindowExt y, x
  record(0x02FC, {BS_SOLID, static_cast<uint16_t>(colour & 0xFFFF), static_cast<uint16_t>(colour >> 16), 0});
  record(0x012D, {0});                    // SelectObject brush
  record(0x02FA, {PS_NULL, 0, 0, 0, 0});  // CreatePenIndirect
  record(0x012D, {1});                    // SelectObject pen
  record(0x041B, {501, 1001, 0, 0});      // Rectangle bottom, right, top, left
  record(0, {});                          // end
  std::string header;
  Put16(header, 1);
  Put16(header, 9);
  Put16(header, 0x0300);
  Put32(header, static_cast<uint32_t>((18 + records.size()) / 2));
  Put16(header, 2);
  Put32(header, 8);
  Put16(header, 0);
  std::string placeable;
  Put32(placeable, 0x9AC6CDD7u);
  Put16(placeable, 0);
  Put16(placeable, 0);
  Put16(placeable, 0);
  Put16(placeable, 1000);
  Put16(placeable, 500);
  Put16(placeable, 1000);  // units per inch
  Put32(placeable, 0);
  uint16_t sum = 0;
  for (size_t i = 0; i < placeable.size(); i += 2)
    sum ^= static_cast<uint16_t>(static_cast<unsigned char>(placeable[i]) |
                                 (static_cast<unsigned char>(placeable[i + 1]) << 8));
  Put16(placeable, sum);
  return placeable + header + records;
}

// Recorded at test time; the frame is in 0.01 mm: 2540 is one inch.
bool WriteEmf(const std::string& path, COLORREF colour) {
  const RECT frame{0, 0, 2540, 1270};
  HDC dc = ::CreateEnhMetaFileA(nullptr, path.c_str(), &frame, nullptr);
  if (!dc) return false;
  win::UniqueBrush brush(::CreateSolidBrush(colour));
  const RECT fill{0, 0, 96, 48};
  ::FillRect(dc, &fill, brush.get());
  win::UniqueEnhMetaFile emf(::CloseEnhMetaFile(dc));
  return static_cast<bool>(emf);
}

// JPEG has no byte-level form worth hand-writing: the imaging component's own encoder makes one.
bool WriteJpeg(const std::string& path, int w, int h, const PixelFn& pixel) {
  ComPtr<IWICImagingFactory> factory;
  ComPtr<IWICStream> stream;
  ComPtr<IWICBitmapEncoder> encoder;
  ComPtr<IWICBitmapFrameEncode> frame;
  ComPtr<IPropertyBag2> options;
  std::vector<BYTE> bgr(static_cast<size_t>(w) * h * 3);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      const COLORREF c = pixel(x, y);
      BYTE* p = &bgr[(static_cast<size_t>(y) * w + x) * 3];
      p[0] = GetBValue(c);
      p[1] = GetGValue(c);
      p[2] = GetRValue(c);
    }
  const std::wstring wide(path.begin(), path.end());
  WICPixelFormatGUID format = GUID_WICPixelFormat24bppBGR;
  return SUCCEEDED(::CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_IWICImagingFactory,
                                      factory.put_void())) &&
         SUCCEEDED(factory->CreateStream(stream.put())) &&
         SUCCEEDED(stream->InitializeFromFilename(wide.c_str(), GENERIC_WRITE)) &&
         SUCCEEDED(factory->CreateEncoder(GUID_ContainerFormatJpeg, nullptr, encoder.put())) &&
         SUCCEEDED(encoder->Initialize(stream.get(), WICBitmapEncoderNoCache)) &&
         SUCCEEDED(encoder->CreateNewFrame(frame.put(), options.put())) &&
         SUCCEEDED(frame->Initialize(options.get())) && SUCCEEDED(frame->SetSize(w, h)) &&
         SUCCEEDED(frame->SetPixelFormat(&format)) && IsEqualGUID(format, GUID_WICPixelFormat24bppBGR) &&
         SUCCEEDED(frame->WritePixels(h, w * 3, static_cast<UINT>(bgr.size()), bgr.data())) &&
         SUCCEEDED(frame->Commit()) && SUCCEEDED(encoder->Commit());
}

// ---------------------------------------------------------------- a bitmap to paint into

class Canvas {
 public:
  Canvas(int w, int h) : w_(w), h_(h), dc_(::CreateCompatibleDC(nullptr)) {
    BITMAPINFO bmi{};
    bmi.bmiHeader = {sizeof bmi.bmiHeader, w, -h, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    bitmap_.reset(::CreateDIBSection(nullptr, &bmi, DIB_RGB_COLORS, reinterpret_cast<void**>(&bits_), nullptr, 0));
    old_ = ::SelectObject(dc_.get(), bitmap_.get());
  }
  ~Canvas() { ::SelectObject(dc_.get(), old_); }
  HDC dc() const { return dc_.get(); }
  void Fill(COLORREF c) {
    win::UniqueBrush brush(::CreateSolidBrush(c));
    const RECT all{0, 0, w_, h_};
    ::FillRect(dc_.get(), &all, brush.get());
  }
  COLORREF At(int x, int y) const {
    ::GdiFlush();
    const uint32_t p = bits_[static_cast<size_t>(y) * w_ + x];
    return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
  }
  // Bounding box of the pixels in the rectangle that differ from c (empty when there are none).
  RECT ExtentNot(const RECT& area, COLORREF c) const {
    RECT r{area.right, area.bottom, area.left, area.top};
    for (int y = area.top; y < area.bottom; ++y)
      for (int x = area.left; x < area.right; ++x)
        if (At(x, y) != c)
          r = {std::min<LONG>(r.left, x), std::min<LONG>(r.top, y), std::max<LONG>(r.right, x + 1),
               std::max<LONG>(r.bottom, y + 1)};
    return r;
  }
  bool SaveBmp(const std::string& path) const {
    ::GdiFlush();
    BITMAPFILEHEADER file{};
    BITMAPINFOHEADER info{sizeof info, w_, -h_, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof file + sizeof info;
    file.bfSize = file.bfOffBits + static_cast<DWORD>(w_ * h_ * 4);
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(&file), sizeof file);
    out.write(reinterpret_cast<const char*>(&info), sizeof info);
    out.write(reinterpret_cast<const char*>(bits_), static_cast<std::streamsize>(w_) * h_ * 4);
    return out.good();
  }
  // Pixels in the rectangle that differ from c.
  int CountNot(const RECT& r, COLORREF c) const {
    int n = 0;
    for (int y = r.top; y < r.bottom; ++y)
      for (int x = r.left; x < r.right; ++x) n += At(x, y) != c;
    return n;
  }
  // Bounding box of the pixels of colour c (empty when there are none).
  RECT Extent(COLORREF c) const {
    RECT r{w_, h_, 0, 0};
    for (int y = 0; y < h_; ++y)
      for (int x = 0; x < w_; ++x)
        if (At(x, y) == c)
          r = {std::min<LONG>(r.left, x), std::min<LONG>(r.top, y), std::max<LONG>(r.right, x + 1),
               std::max<LONG>(r.bottom, y + 1)};
    return r;
  }

 private:
  int w_, h_;
  win::UniqueMemoryDc dc_;
  win::UniqueBitmap bitmap_;
  HGDIOBJ old_ = nullptr;
  uint32_t* bits_ = nullptr;
};

bool Near(COLORREF a, COLORREF b, int tolerance) {
  return std::abs(GetRValue(a) - GetRValue(b)) <= tolerance && std::abs(GetGValue(a) - GetGValue(b)) <= tolerance &&
         std::abs(GetBValue(a) - GetBValue(b)) <= tolerance;
}

std::string Hex(COLORREF c) {
  char text[16];
  std::snprintf(text, sizeof text, "%06lx", static_cast<unsigned long>(c));
  return text;
}

// ---------------------------------------------------------------- decoding

class Decoding : public ::testing::Test {
 protected:
  std::string Write(const std::string& name, const std::string& bytes) {
    const std::string path = folder / name;
    EXPECT_TRUE(testing::WriteBytes(path, bytes));
    return path;
  }
  TempFolder folder;
  win::Win32GraphicLoader loader;
};

// Quadrants: red top left, green top right, blue bottom left, yellow bottom right.
COLORREF Quadrant(int x, int y, int w, int h) {
  const bool right = x >= w / 2, bottom = y >= h / 2;
  return bottom ? (right ? kYellow : kBlue) : (right ? kGreen : kRed);
}

TEST_F(Decoding, EveryListedFormatDecodesWithItsSizeAndColours) {
  const COLORREF gifPalette[4] = {kRed, kGreen, kBlue, kYellow};
  ASSERT_TRUE(WriteEmf(folder / "frame.emf", kTeal));
  struct Case {
    std::string file;
    WinGraphic::Kind kind;
    int w, h;
    bool alpha;
    POINT probe;  // a pixel of the picture drawn at natural size over white
    COLORREF colour;
    int tolerance;
    POINT seeThrough;  // a pixel that shows the white background, or -1
  } cases[] = {
      {Write("quad.bmp", Bmp24(8, 6, [](int x, int y) { return Quadrant(x, y, 8, 6); })),
       WinGraphic::Kind::Bitmap,
       8,
       6,
       false,
       {7, 5},
       kYellow,
       0,
       {-1, -1}},
      {Write("quad.BMP", Bmp24(8, 6, [](int x, int y) { return Quadrant(x, y, 8, 6); })),
       WinGraphic::Kind::Bitmap,
       8,
       6,
       false,
       {0, 0},
       kRed,
       0,
       {-1, -1}},
      // Left half opaque blue, right half fully transparent.
      {Write("half.ico", Ico32(32, 32, [](int x, int) { return x < 16 ? 0xFF0000FFu : 0x00000000u; })),
       WinGraphic::Kind::Icon,
       32,
       32,
       true,
       {3, 3},
       kBlue,
       0,
       {20, 3}},
      {Write("quad.gif", Gif(
                             8, 6, gifPalette, [](int x, int y) { return (y >= 3) * 2 + (x >= 4); }, -1)),
       WinGraphic::Kind::Gif,
       8,
       6,
       false,
       {1, 4},
       kBlue,
       0,
       {-1, -1}},
      // Index 3 is transparent in this one.
      {Write("keyed.gif", Gif(
                              8, 6, gifPalette, [](int x, int y) { return (y >= 3) * 2 + (x >= 4); }, 3)),
       WinGraphic::Kind::Gif,
       8,
       6,
       true,
       {5, 1},
       kGreen,
       0,
       {6, 5}},
      {Write("frame.wmf", PlaceableWmf(kTeal)),
       WinGraphic::Kind::Metafile,
       96,
       48,
       false,
       {48, 24},
       kTeal,
       0,
       {-1, -1}},
      {folder / "frame.emf", WinGraphic::Kind::Metafile, 96, 48, false, {48, 24}, kTeal, 0, {-1, -1}},
  };
  for (const Case& c : cases) {
    std::unique_ptr<Graphic> loaded = loader.LoadPicture(c.file);
    ASSERT_NE(loaded, nullptr) << c.file;
    auto* g = dynamic_cast<WinGraphic*>(loaded.get());
    ASSERT_NE(g, nullptr);
    EXPECT_EQ(g->Source(), c.kind) << c.file;
    EXPECT_EQ(g->Width(), c.w) << c.file;
    EXPECT_EQ(g->Height(), c.h) << c.file;
    EXPECT_EQ(g->HasAlpha(), c.alpha) << c.file;
    Canvas canvas(120, 80);
    canvas.Fill(kWhite);
    g->Draw(canvas.dc(), RECT{0, 0, c.w, c.h});
    EXPECT_TRUE(Near(canvas.At(c.probe.x, c.probe.y), c.colour, c.tolerance))
        << c.file << " reads " << Hex(canvas.At(c.probe.x, c.probe.y));
    if (c.seeThrough.x >= 0) {
      EXPECT_EQ(canvas.At(c.seeThrough.x, c.seeThrough.y), kWhite) << c.file;
    }
    EXPECT_EQ(canvas.CountNot(RECT{c.w, 0, 120, 80}, kWhite), 0) << c.file << " drew past its width";
  }
}

TEST_F(Decoding, JpegDecodesToNearlyItsColours) {
  const std::string path = folder / "quad.jpg";
  ASSERT_TRUE(WriteJpeg(path, 32, 16, [](int x, int y) { return Quadrant(x, y, 32, 16); }));
  for (const std::string& name : {path, Write("copy.JPEG", testing::ReadBytes(path))}) {
    std::unique_ptr<Graphic> loaded = loader.LoadPicture(name);
    ASSERT_NE(loaded, nullptr) << name;
    auto* g = dynamic_cast<WinGraphic*>(loaded.get());
    EXPECT_EQ(g->Source(), WinGraphic::Kind::Jpeg);
    EXPECT_EQ(g->Width(), 32);
    EXPECT_EQ(g->Height(), 16);
    Canvas canvas(32, 16);
    g->Draw(canvas.dc(), RECT{0, 0, 32, 16}, true);  // Transparent has no effect on a JPEG
    EXPECT_TRUE(Near(canvas.At(4, 4), kRed, 40)) << Hex(canvas.At(4, 4));
    EXPECT_TRUE(Near(canvas.At(27, 11), kYellow, 40)) << Hex(canvas.At(27, 11));
  }
}

TEST_F(Decoding, WhatCannotBeDecodedIsNull) {
  const std::string bmp = Bmp24(4, 4, [](int, int) { return kRed; });
  struct Case {
    const char* why;
    std::string path;
  } cases[] = {
      {"an extension not in the list, even over a good bitmap", Write("good.png", bmp)},
      {"no extension", Write("good", bmp)},
      {"a bitmap behind a .jpg name", Write("bitmap.jpg", bmp)},
      {"a bitmap behind a .gif name", Write("bitmap.gif", bmp)},
      {"a damaged bitmap", Write("cut.bmp", bmp.substr(0, 30))},
      {"text behind an .emf name", Write("text.emf", "not a metafile at all")},
      {"a metafile without its placeable header", Write("raw.wmf", PlaceableWmf(kRed).substr(22))},
      {"an empty file", Write("empty.gif", "")},
      {"a missing file", folder / "missing.bmp"},
  };
  for (const Case& c : cases) EXPECT_EQ(loader.LoadPicture(c.path), nullptr) << c.why;
  // Glyphs are Windows bitmaps only, whatever the name says.
  const COLORREF palette[4] = {kRed, kGreen, kBlue, kYellow};
  EXPECT_EQ(loader.LoadGlyphBitmap(Write("glyph.gif", Gif(
                                                     2, 2, palette, [](int, int) { return 0; }, -1))),
            nullptr);
  EXPECT_EQ(loader.LoadGlyphBitmap(Write("glyph.bmp.ico", Ico32(4, 4, [](int, int) { return 0xFF00FF00u; }))), nullptr);
  EXPECT_NE(loader.LoadGlyphBitmap(Write("glyph.dat", bmp)), nullptr) << "a glyph's name is not checked";
}

TEST_F(Decoding, GlyphTransparentColourIsTheBottomLeftPixelOrWhiteForMonochrome) {
  auto colour = loader.DecodeBitmap(
      Write("c.bmp", Bmp24(4, 4, [](int x, int y) { return x == 0 && y == 3 ? kMagenta : kBlue; })));
  ASSERT_NE(colour, nullptr);
  EXPECT_EQ(colour->TransparentColour(), kMagenta);
  // The bottom-left pixel is black here, yet white is the key.
  auto mono = loader.DecodeBitmap(Write("m.bmp", Bmp1(8, 8, [](int x, int) { return x >= 4; })));
  ASSERT_NE(mono, nullptr);
  EXPECT_EQ(mono->TransparentColour(), kWhite);
  Canvas canvas(8, 8);
  canvas.Fill(kRed);
  mono->DrawTransparent(canvas.dc(), 0, 0, mono->TransparentColour());
  EXPECT_EQ(canvas.At(1, 1), kBlack);
  EXPECT_EQ(canvas.At(6, 6), kRed);
  // The built-in glyph is 32 x 32 and keyed the same way.
  auto fallback = win::LoadFallbackGlyph();
  ASSERT_NE(fallback, nullptr);
  EXPECT_EQ(fallback->Width(), 32);
  EXPECT_EQ(fallback->Height(), 32);
}

// ---------------------------------------------------------------- painting

bool Empty(const RECT& r) {
  return r.right <= r.left || r.bottom <= r.top;
}

bool Inside(const RECT& inner, const RECT& outer) {
  return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
         inner.bottom <= outer.bottom;
}

std::string Describe(const RECT& r) {
  return "{" + std::to_string(r.left) + "," + std::to_string(r.top) + "," + std::to_string(r.right) + "," +
         std::to_string(r.bottom) + "}";
}

RECT Offset(const Rect& r, int dx, int dy) {
  return {r.Left + dx, r.Top + dy, r.Right + dx, r.Bottom + dy};
}

class Painting : public ::testing::Test {
 protected:
  MenuObject& Add(ObjectKind kind, int left, int top, int width, int height) {
    state.Project.Objects.push_back(std::make_unique<MenuObject>(kind));
    MenuObject& obj = *state.Project.Objects.back();
    ControlBase& base = obj.Base();
    base.Left = left;
    base.Top = top;
    base.Width = width;
    base.Height = height;
    return obj;
  }
  LabelControl& AddLabel(const std::string& caption, int left, int top, int width, int height) {
    LabelControl& label = *Add(ObjectKind::Label, left, top, width, height).AsLabel();
    label.Caption = caption;
    label.AutoSize = false;
    label.Font.Color = kClBlack;
    return label;
  }
  ButtonControl& AddButton(const std::string& caption, int left, int top, int width, int height,
                           const std::string& glyphFile) {
    MenuObject& obj = Add(ObjectKind::Button, left, top, width, height);
    if (!glyphFile.empty()) {
      obj.Bitmap = loader.LoadGlyphBitmap(glyphFile);
      obj.Shown = obj.Bitmap.get();
    }
    ButtonControl& button = *obj.AsButton();
    button.Caption = caption;
    button.Font = RedFont();
    return button;
  }
  ImageControl& AddImage(const std::string& file, int left, int top, int width, int height) {
    MenuObject& obj = Add(ObjectKind::Image, left, top, width, height);
    obj.Picture = loader.LoadPicture(file);
    obj.Shown = obj.Picture.get();
    EXPECT_NE(obj.Shown, nullptr) << file;
    return *obj.AsImage();
  }
  static FontRecord RedFont() {
    FontRecord font;
    font.Name = "Arial";
    font.Size = 14;
    font.Style = fsBold;
    font.Color = 0x0000FF;
    return font;
  }
  void Paint(Canvas& canvas, COLORREF background, const ButtonStates& states = {}) {
    canvas.Fill(background);
    painter.PaintObjects(canvas.dc(), state, states);
  }
  TextExtent Measure(Canvas& canvas, const std::string& text, const FontRecord& font, int width, bool wrap) {
    win::GdiTextMeasurer measurer(canvas.dc(), fonts);
    return measurer.Measure(text, font, width, wrap);
  }
  std::string Write(const std::string& name, const std::string& bytes) {
    const std::string path = folder / name;
    EXPECT_TRUE(testing::WriteBytes(path, bytes));
    return path;
  }
  // 16 x 16 blue with its first column magenta, so the bottom-left pixel keys that column out.
  std::string Glyph() {
    return Write("glyph.bmp", Bmp24(16, 16, [](int x, int) { return x == 0 ? kMagenta : kBlue; }));
  }

  testing::FakeWorld world;
  AppState& state = world.State;
  win::ObjectPainter painter;
  win::Win32GraphicLoader loader;
  win::FontCache fonts;
  TempFolder folder;
};

TEST_F(Painting, AnOpaqueLabelFillsItsRectangleAndATransparentOneLetsTheBackgroundThrough) {
  LabelControl& opaque = AddLabel("Hi", 10, 10, 80, 30);
  opaque.Color = 0x0000FF;
  AddLabel("Hi", 110, 10, 80, 30).Transparent = true;
  Canvas canvas(200, 60);
  Paint(canvas, kGreen);
  EXPECT_EQ(canvas.At(85, 35), kRed);
  EXPECT_EQ(canvas.At(185, 35), kGreen);
  const RECT opaqueInk = canvas.ExtentNot({10, 10, 90, 40}, kRed);
  const RECT clearInk = canvas.ExtentNot({110, 10, 190, 40}, kGreen);
  EXPECT_FALSE(Empty(opaqueInk));
  EXPECT_FALSE(Empty(clearInk));
  // The same text lands at the same place in both.
  EXPECT_EQ(opaqueInk.left + 100, clearInk.left);
  EXPECT_EQ(opaqueInk.top, clearInk.top);
  EXPECT_EQ(canvas.CountNot({0, 40, 200, 60}, kGreen), 0);
  EXPECT_EQ(canvas.CountNot({90, 0, 110, 60}, kGreen), 0);
}

TEST_F(Painting, LabelTextFollowsAlignmentAndLayout) {
  struct Case {
    uint8_t alignment, layout;
  } cases[] = {{0, 0}, {1, 0}, {2, 0}, {0, 1}, {1, 1}, {2, 1}, {0, 2}, {1, 2}, {2, 2}};
  for (const Case& c : cases) {
    state.Project.Objects.clear();
    LabelControl& label = AddLabel("Xy", 20, 10, 160, 60);
    label.Transparent = true;
    label.Alignment = c.alignment;
    label.Layout = c.layout;
    Canvas canvas(200, 80);
    Paint(canvas, kWhite);
    const TextExtent t = Measure(canvas, "Xy", label.Font, 160, false);
    const int left = c.alignment == 0 ? 20 : c.alignment == 1 ? 180 - t.Width : 20 + (160 - t.Width) / 2;
    const int top = 10 + (c.layout == 0 ? 0 : c.layout == 2 ? 60 - t.Height : (60 - t.Height) / 2);
    const RECT expected{left - 1, top, left + t.Width + 1, top + t.Height};
    const RECT ink = canvas.ExtentNot({0, 0, 200, 80}, kWhite);
    EXPECT_FALSE(Empty(ink));
    EXPECT_TRUE(Inside(ink, expected)) << "alignment " << int{c.alignment} << " layout " << int{c.layout} << ": ink "
                                       << Describe(ink) << " expected within " << Describe(expected);
  }
}

TEST_F(Painting, TextIsCutAtTheLabelEdges) {
  // Three wrapped lines in 12 px, bottom layout: the text moves up past the top.
  LabelControl& tall = AddLabel("one two three", 20, 20, 40, 12);
  tall.WordWrap = true;
  tall.Layout = 2;
  tall.Transparent = true;
  AddLabel("a caption far too long for the label", 100, 20, 40, 20).Transparent = true;
  Canvas canvas(200, 60);
  Paint(canvas, kWhite);
  EXPECT_GT(canvas.CountNot({20, 20, 60, 32}, kWhite), 0);
  EXPECT_GT(canvas.CountNot({100, 20, 140, 40}, kWhite), 0);
  EXPECT_EQ(canvas.CountNot({0, 0, 200, 20}, kWhite), 0);
  EXPECT_EQ(canvas.CountNot({60, 0, 100, 60}, kWhite), 0);
  EXPECT_EQ(canvas.CountNot({140, 0, 200, 60}, kWhite), 0);
  EXPECT_EQ(canvas.CountNot({0, 40, 200, 60}, kWhite), 0);
}

TEST_F(Painting, AcceleratorMarksAreNotDrawnAndUnderlineTheirCharacter) {
  const RECT at{10, 10, 190, 40};
  auto reference = [&](const std::string& text, Canvas& canvas, const FontRecord& font) {
    canvas.Fill(kWhite);
    win::SelectScope select(canvas.dc(), fonts.Get(font, ::GetDeviceCaps(canvas.dc(), LOGPIXELSY)));
    ::SetBkMode(canvas.dc(), TRANSPARENT);
    RECT r = at;
    ::DrawTextA(canvas.dc(), text.c_str(), static_cast<int>(text.size()), &r,
                DT_NOPREFIX | DT_SINGLELINE | DT_EXPANDTABS);
  };
  LabelControl& label = AddLabel("Save && Exit", at.left, at.top, 180, 30);
  label.Transparent = true;
  Canvas painted(200, 50), expected(200, 50);
  Paint(painted, kWhite);
  reference("Save & Exit", expected, label.Font);
  EXPECT_EQ(painted.CountNot(RECT{0, 0, 200, 50}, kWhite), expected.CountNot(RECT{0, 0, 200, 50}, kWhite));
  int differ = 0;
  for (int y = 0; y < 50; ++y)
    for (int x = 0; x < 200; ++x) differ += painted.At(x, y) != expected.At(x, y);
  EXPECT_EQ(differ, 0) << "\"Save && Exit\" shows as \"Save & Exit\"";

  label.Caption = "&Help";
  Paint(painted, kWhite);
  reference("Help", expected, label.Font);
  const TextExtent h = Measure(expected, "H", label.Font, 180, false);
  int extra = 0;
  RECT extraBox{200, 50, 0, 0};
  for (int y = 0; y < 50; ++y)
    for (int x = 0; x < 200; ++x) {
      if (expected.At(x, y) != kWhite) {
        EXPECT_NE(painted.At(x, y), kWhite) << "every pixel of the plain text is there";
      } else if (painted.At(x, y) != kWhite) {
        ++extra;
        extraBox = {std::min<LONG>(extraBox.left, x), std::min<LONG>(extraBox.top, y),
                    std::max<LONG>(extraBox.right, x + 1), std::max<LONG>(extraBox.bottom, y + 1)};
      }
    }
  EXPECT_GT(extra, 0) << "the H is underlined";
  EXPECT_GE(extraBox.left, at.left);
  EXPECT_LE(extraBox.right, at.left + h.Width + 1) << "only the H is underlined";
}

TEST_F(Painting, ButtonGlyphAndCaptionGoWhereTheLayoutPutsThem) {
  const std::string glyph = Glyph();
  const COLORREF face = ::GetSysColor(COLOR_BTNFACE);
  struct Case {
    bool flat, transparent;
    uint8_t layout;
    bool down;
    COLORREF keyShows;  // what the glyph's keyed column shows
  } cases[] = {
      {false, true, 0, false, face}, {false, true, 1, false, face}, {false, true, 2, false, face},
      {false, true, 3, false, face}, {false, true, 0, true, face},  {true, true, 0, false, kGreen},
      {true, true, 2, true, kGreen}, {true, false, 1, false, face}, {false, false, 3, true, face},
  };
  for (const Case& c : cases) {
    state.Project.Objects.clear();
    ButtonControl& button = AddButton("Go", 20, 20, 100, 70, glyph);
    button.Flat = c.flat;
    button.Transparent = c.transparent;
    button.Layout = c.layout;
    ButtonStates states;
    if (c.down) {
      states.PressedIndex = 0;
      states.PressedInside = true;
      states.MouseInsideIndex = 0;
    }
    Canvas canvas(140, 110);
    Paint(canvas, kGreen, states);
    win::GdiTextMeasurer measurer(canvas.dc(), fonts);
    const ButtonPlacement p = LayoutButton(button, c.down, c.down, 16, 16, measurer);
    const RECT g = Offset(p.Glyph, 20, 20), caption = Offset(p.Caption, 20, 20);
    const std::string what = std::string(c.flat ? "flat" : "framed") + (c.transparent ? " transparent" : " opaque") +
                             " layout " + std::to_string(c.layout) + (c.down ? " down" : " up");
    EXPECT_EQ(Describe(canvas.Extent(kBlue)), Describe(RECT{g.left + 1, g.top, g.right, g.bottom})) << what;
    EXPECT_EQ(canvas.At(g.left, g.top + 8), c.keyShows) << what;
    const RECT red = canvas.Extent(kRed);
    EXPECT_FALSE(Empty(red)) << what;
    EXPECT_TRUE(Inside(red, caption)) << what << ": caption ink " << Describe(red) << " in " << Describe(caption);
  }
}

TEST_F(Painting, FlatButtonsShowTheirEdgeOnlyWhileTheMouseIsInsideOrTheyAreDown) {
  const COLORREF face = ::GetSysColor(COLOR_BTNFACE), light = ::GetSysColor(COLOR_BTNHIGHLIGHT);
  const COLORREF shadow = ::GetSysColor(COLOR_BTNSHADOW);
  struct Case {
    const char* why;
    bool transparent;
    int inside;
    bool down;
    COLORREF topLeft, bottomRight, interior;
  } cases[] = {
      {"opaque, mouse elsewhere: all Color", false, -1, false, face, face, face},
      {"opaque, mouse inside: face inside a raised edge", false, 0, false, light, shadow, face},
      {"opaque, down: sunken", false, 0, true, shadow, light, face},
      {"transparent, mouse elsewhere: nothing", true, -1, false, kGreen, kGreen, kGreen},
      {"transparent, mouse inside: the edge alone", true, 0, false, light, shadow, kGreen},
      {"transparent, down: the edge alone", true, 0, true, shadow, light, kGreen},
  };
  for (const Case& c : cases) {
    state.Project.Objects.clear();
    ButtonControl& button = AddButton("", 10, 10, 80, 50, Glyph());
    button.Flat = true;
    button.Transparent = c.transparent;
    ButtonStates states;
    states.MouseInsideIndex = c.inside;
    if (c.down) {
      states.PressedIndex = 0;
      states.PressedInside = true;
    }
    Canvas canvas(100, 70);
    Paint(canvas, kGreen, states);
    EXPECT_EQ(canvas.At(10, 10), c.topLeft) << c.why;
    EXPECT_EQ(canvas.At(89, 59), c.bottomRight) << c.why;
    EXPECT_EQ(canvas.At(14, 14), c.interior) << c.why;
    EXPECT_EQ(canvas.At(9, 9), kGreen) << c.why;
  }
}

TEST_F(Painting, AButtonWithoutAGlyphShowsTheBuiltInOneCentred) {
  ButtonControl& button = AddButton("", 10, 10, 80, 60, "");
  button.Flat = true;
  Canvas painted(100, 80), expected(100, 80);
  Paint(painted, kGreen);
  expected.Fill(kGreen);
  const win::WinGraphic* fallback = painter.FallbackGlyph();
  ASSERT_NE(fallback, nullptr);
  // Interior 78 x 58 from (11, 11): (78 - 32 + 1) div 2 = 23, (58 - 32 + 1) div 2 = 13.
  fallback->DrawTransparent(expected.dc(), 11 + 23, 11 + 13, fallback->TransparentColour());
  int differ = 0;
  for (int y = 0; y < 80; ++y)
    for (int x = 0; x < 100; ++x) differ += painted.At(x, y) != expected.At(x, y);
  EXPECT_EQ(differ, 0);
  EXPECT_GT(painted.CountNot({34, 24, 66, 56}, kGreen), 100) << "the glyph is drawn";
}

TEST_F(Painting, ImagesAreStretchedCentredCutAndKeyed) {
  const std::string quad2 = Write("q2.bmp", Bmp24(2, 2, [](int x, int y) { return Quadrant(x, y, 2, 2); }));
  const std::string quad8 = Write("q8.bmp", Bmp24(8, 6, [](int x, int y) { return Quadrant(x, y, 8, 6); }));
  const std::string quad40 = Write("q40.bmp", Bmp24(40, 30, [](int x, int y) { return Quadrant(x, y, 40, 30); }));
  const std::string keyed = Write("k.bmp", Bmp24(8, 6, [](int x, int) { return x == 0 ? kMagenta : kBlue; }));
  const std::string icon = Write("i.ico", Ico32(32, 32, [](int x, int) { return x < 16 ? 0xFF0000FFu : 0u; }));
  AddImage(quad2, 10, 10, 100, 60).Stretch = true;
  AddImage(quad8, 130, 10, 40, 30).Center = true;
  AddImage(quad8, 130, 50, 40, 30);
  AddImage(quad40, 10, 90, 20, 10).Center = true;
  AddImage(keyed, 60, 90, 8, 6).Transparent = true;
  AddImage(keyed, 80, 90, 8, 6);
  AddImage(icon, 100, 90, 40, 40);
  Canvas canvas(200, 140);
  Paint(canvas, kGreen);
  struct Probe {
    const char* why;
    int x, y;
    COLORREF colour;
  } probes[] = {
      {"stretched: top left", 15, 15, kRed},
      {"stretched: top right", 105, 15, kGreen},
      {"stretched: bottom left", 15, 65, kBlue},
      {"stretched: bottom right", 105, 65, kYellow},
      {"centred: moved by (16, 12)", 146, 22, kRed},
      {"centred: left of the picture", 145, 22, kGreen},
      {"centred: last pixel", 153, 27, kYellow},
      {"natural size at the top left", 130, 50, kRed},
      {"natural size ends at its width", 138, 50, kGreen},
      {"larger centred: middle of the picture's top left", 10, 90, kRed},
      {"larger centred: top right", 29, 90, kGreen},
      {"larger centred: bottom left", 10, 99, kBlue},
      {"larger centred: bottom right", 29, 99, kYellow},
      {"larger centred: cut at the left", 9, 92, kGreen},
      {"larger centred: cut at the right", 30, 92, kGreen},
      {"larger centred: cut at the top", 15, 89, kGreen},
      {"larger centred: cut at the bottom", 15, 100, kGreen},
      {"transparent bitmap: the key colour is left out", 60, 92, kGreen},
      {"transparent bitmap: the rest is drawn", 62, 92, kBlue},
      {"opaque bitmap: the key colour is drawn", 80, 92, kMagenta},
      {"icon: drawn", 103, 93, kBlue},
      {"icon: its own transparency without Transparent", 120, 93, kGreen},
  };
  for (const Probe& p : probes) EXPECT_EQ(Hex(canvas.At(p.x, p.y)), Hex(p.colour)) << p.why;
}

TEST_F(Painting, LaterObjectsCoverEarlierOnes) {
  AddLabel("", 10, 10, 50, 30).Color = 0x0000FF;
  AddLabel("", 40, 20, 50, 30).Color = 0xFF0000;
  Canvas canvas(100, 60);
  Paint(canvas, kWhite);
  EXPECT_EQ(canvas.At(45, 25), kBlue);
  EXPECT_EQ(canvas.At(15, 15), kRed);
  // Only labels, buttons and images are painted here.
  state.Project.Objects.clear();
  Add(ObjectKind::Html, 0, 0, 100, 60);
  Add(ObjectKind::Movie, 0, 0, 100, 60);
  Paint(canvas, kWhite);
  EXPECT_EQ(canvas.CountNot({0, 0, 100, 60}, kWhite), 0);
}

TEST_F(Painting, GdiObjectCountStaysFlatOverRepeatedPaintsAndLoads) {
  if (!testing::GdiObjectsAreCounted()) GTEST_SKIP() << "no way to count GDI objects here";
  const std::string glyph = Glyph();
  const COLORREF palette[4] = {kRed, kGreen, kBlue, kYellow};
  ASSERT_TRUE(WriteEmf(folder / "p.emf", kTeal));
  ASSERT_TRUE(WriteJpeg(folder / "p.jpg", 16, 16, [](int x, int y) { return Quadrant(x, y, 16, 16); }));
  const std::vector<std::string> pictures = {
      Write("p.bmp", Bmp24(8, 6, [](int x, int y) { return Quadrant(x, y, 8, 6); })),
      Write("p.ico", Ico32(16, 16, [](int, int) { return 0x80FF0000u; })),
      Write("p.gif", Gif(
                         4, 4, palette, [](int x, int) { return x % 4; }, 2)),
      Write("p.wmf", PlaceableWmf(kRed)),
      folder / "p.emf",
      folder / "p.jpg",
  };
  for (size_t i = 0; i < pictures.size(); ++i) {
    ImageControl& image = AddImage(pictures[i], static_cast<int>(i) * 30, 100, 25, 25);
    image.Stretch = i % 2 == 0;
    image.Transparent = true;
  }
  AddLabel("&Label with\ttab", 0, 0, 90, 20).Layout = 1;
  LabelControl& wrapped = AddLabel("word wrapped and centred", 100, 0, 60, 50);
  wrapped.WordWrap = true;
  wrapped.Layout = 2;
  AddButton("Flat", 0, 40, 90, 40, glyph).Flat = true;
  AddButton("Framed", 100, 40, 90, 50, "");
  Canvas canvas(200, 140);
  auto once = [&](int i) {
    ButtonStates states;
    states.PressedIndex = i % 3 == 0 ? static_cast<int>(pictures.size()) + 2 : -1;
    states.PressedInside = true;
    states.MouseInsideIndex = static_cast<int>(pictures.size()) + 2 + i % 2;
    // Hot tracking swaps between a few fonts.
    wrapped.Font.Size = 8 + i % 3;
    Paint(canvas, kWhite, states);
    for (const std::string& p : pictures) EXPECT_NE(loader.LoadPicture(p), nullptr) << p;
    EXPECT_NE(loader.LoadGlyphBitmap(glyph), nullptr);
  };
  for (int i = 0; i < 6; ++i) once(i);
  const auto before = testing::GdiObjects();
  for (int i = 0; i < 200; ++i) once(i);
  EXPECT_EQ(testing::GdiObjects(), before);
}

// Not a check: with CORVELA_OBJECTS_SHEET=path.bmp set, paints a menu panel with labels, buttons
// and images of every kind over a gradient, as the real Win32 path draws them, for a person to look at.
TEST_F(Painting, ContactSheet) {
  const char* path = std::getenv("CORVELA_OBJECTS_SHEET");
  if (!path) GTEST_SKIP() << "CORVELA_OBJECTS_SHEET not set";
  constexpr int kW = 640, kH = 420;
  state.Project.BackColor = 0x00803010u;
  state.Project.GradientColor = 0x00F0D8B0u;
  state.Project.GradientStyle = static_cast<uint8_t>(GradientStyle::TopBottom);
  // A disc glyph on a magenta key, and a few pictures.
  const std::string disc = Write("disc.bmp", Bmp24(24, 24, [](int x, int y) {
                                   const double d = std::hypot(x - 11.5, y - 11.5);
                                   if (d > 11) return kMagenta;
                                   if (d < 3) return kWhite;
                                   return d > 9.5 ? RGB(40, 60, 120) : RGB(70 + x * 6, 120 + y * 4, 220);
                                 }));
  const std::string photo =
      Write("photo.bmp", Bmp24(96, 64, [](int x, int y) {
              const double sky = y / 64.0;
              if (y > 40 + 6 * std::sin(x / 9.0)) return RGB(60 + x / 3, 130 - y / 2, 50);
              return RGB(static_cast<int>(120 + 100 * sky), static_cast<int>(170 + 60 * sky), 240);
            }));
  const std::string icon = Write("ball.ico", Ico32(32, 32, [](int x, int y) {
                                   const double d = std::hypot(x - 15.5, y - 15.5);
                                   if (d > 15) return 0u;
                                   const uint32_t shade = static_cast<uint32_t>(255 - d * 6);
                                   return 0xFF000000u | (shade << 16) | ((shade / 2) << 8) | 40u;
                                 }));
  const COLORREF palette[4] = {kRed, RGB(250, 200, 40), RGB(40, 160, 80), kWhite};
  const std::string gif = Write(
      "stripes.gif", Gif(
                         40, 40, palette, [](int x, int y) { return (x / 8 + y / 8) % 2 ? 3 : (x + y) / 16 % 3; }, 3));
  ASSERT_TRUE(WriteEmf(folder / "chart.emf", kTeal));
  const std::string wmf = Write("logo.wmf", PlaceableWmf(RGB(200, 60, 60)));

  FontRecord title;
  title.Name = "Arial";
  title.Size = 20;
  title.Style = fsBold;
  title.Color = 0xFFFFFF;
  LabelControl& heading = AddLabel("Welcome to the Demo CD", 0, 12, kW, 36);
  heading.Font = title;
  heading.Alignment = 2;
  heading.Transparent = true;
  LabelControl& opaque = AddLabel("Opaque, left, top", 20, 60, 180, 24);
  opaque.Color = 0x00C0F0FF;
  LabelControl& right = AddLabel("Right, centred", 220, 60, 180, 24);
  right.Color = 0x00FFE0C0;
  right.Alignment = 1;
  right.Layout = 1;
  LabelControl& bottom = AddLabel("Centre, bottom", 420, 60, 200, 30);
  bottom.Color = kClBtnFace;
  bottom.Alignment = 2;
  bottom.Layout = 2;
  LabelControl& wrap = AddLabel(
      "A transparent label with word wrap shows the gradient behind its text, "
      "&Help is underlined and Save && Exit keeps one ampersand.",
      20, 94, 300, 50);
  wrap.WordWrap = true;
  wrap.Transparent = true;
  wrap.Font.Color = 0xFFFFFF;
  wrap.Font.Size = 9;

  struct ButtonSpec {
    const char* caption;
    int x, y, w, h;
    bool flat, transparent, withGlyph;
    uint8_t layout;
    int margin, spacing;
  } buttons[] = {
      {"&Install", 20, 160, 140, 44, false, true, true, 0, -1, 4},
      {"Browse", 170, 160, 140, 44, false, true, true, 1, 5, -1},
      {"Read me", 20, 214, 90, 70, false, true, true, 2, -1, -1},
      {"Exit", 120, 214, 90, 70, false, true, true, 3, 4, 2},
      {"", 220, 214, 90, 70, false, true, false, 0, -1, 4},
      {"Flat, mouse over", 330, 160, 150, 44, true, true, true, 0, -1, 4},
      {"Flat, pressed", 490, 160, 130, 44, true, false, true, 0, -1, 4},
      {"Flat, transparent", 330, 214, 150, 44, true, true, true, 0, -1, 4},
      {"Flat, opaque", 490, 214, 130, 44, true, false, true, 1, -1, 4},
      {"Framed, pressed", 330, 268, 150, 44, false, true, false, 0, -1, 4},
  };
  ButtonStates states;
  for (const ButtonSpec& b : buttons) {
    ButtonControl& button = AddButton(b.caption, b.x, b.y, b.w, b.h, b.withGlyph ? disc : "");
    button.Font = FontRecord{};
    button.Flat = b.flat;
    button.Transparent = b.transparent;
    button.Layout = b.layout;
    button.Margin = b.margin;
    button.Spacing = b.spacing;
    const int index = static_cast<int>(state.Project.Objects.size()) - 1;
    if (std::string(b.caption) == "Flat, mouse over") states.MouseInsideIndex = index;
    if (std::string(b.caption).find("pressed") != std::string::npos && states.PressedIndex < 0) {
      states.PressedIndex = index;
      states.PressedInside = true;
    }
  }
  AddImage(photo, 20, 310, 140, 90).Stretch = true;
  AddImage(photo, 170, 310, 60, 90).Center = true;
  AddImage(icon, 240, 320, 40, 40).Center = true;
  AddImage(gif, 290, 320, 40, 40);
  AddImage(folder / "chart.emf", 340, 330, 96, 48);
  AddImage(wmf, 450, 330, 160, 60).Stretch = true;
  Canvas canvas(kW, kH);
  const win::UniqueBitmap background = win::RenderBackground(state, kW, kH);
  win::DrawBackground(canvas.dc(), background.get(), kW, kH);
  // One button is pressed at a time: the framed one is painted pressed on its own.
  testing::FakeWorld second;
  auto& objects = state.Project.Objects;
  auto framed = std::find_if(objects.begin(), objects.end(), [](const std::unique_ptr<MenuObject>& o) {
    return o->AsButton() && o->AsButton()->Caption == "Framed, pressed";
  });
  ASSERT_NE(framed, objects.end());
  second.State.Project.Objects.push_back(std::move(*framed));
  objects.erase(framed);
  painter.PaintObjects(canvas.dc(), state, states);
  ButtonStates pressed;
  pressed.PressedIndex = 0;
  pressed.PressedInside = true;
  painter.PaintObjects(canvas.dc(), second.State, pressed);
  EXPECT_TRUE(canvas.SaveBmp(path));
}

}  // namespace
}  // namespace corvela
