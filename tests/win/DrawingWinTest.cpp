// Pictures decoded from real files of every format, and labels, buttons and images painted with
// real GDI into a 32-bit bitmap whose pixels are read back.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "platform/win/Win32Graphics.h"
#include "project/win/Win32Text.h"
#include "player/ObjectLayout.h"
#include "player/win/ObjectPainter.h"
#include "support/FakePlatform.h"
#include "support/win/GdiObjects.h"
#include "support/win/Pixels.h"
#include "support/win/TestFiles.h"
#include "support/win/WinProcess.h"

namespace corvela {
namespace {

using testing::Bmp1, testing::Bmp24, testing::Canvas, testing::Capture, testing::Describe, testing::Differences,
    testing::Empty, testing::Gif, testing::Hex, testing::Ico32, testing::Inside, testing::Is, testing::IsNot,
    testing::Near, testing::PlaceableWmf, testing::TempFolder, testing::WriteEmf, testing::WriteJpeg;
using win::WinGraphic;

constexpr COLORREF kRed = RGB(255, 0, 0), kGreen = RGB(0, 255, 0), kBlue = RGB(0, 0, 255);
constexpr COLORREF kYellow = RGB(255, 255, 0), kMagenta = RGB(255, 0, 255), kWhite = RGB(255, 255, 255);
constexpr COLORREF kBlack = RGB(0, 0, 0), kTeal = RGB(0, 128, 128);

// ---------------------------------------------------------------- decoding

// Files written into a temporary folder and read with the real picture loader.
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
  const COLORREF palette[4] = {kRed, kGreen, kBlue, kYellow};
  const std::string quad = Bmp24(8, 6, [](int x, int y) { return Quadrant(x, y, 8, 6); });
  const auto quadGif = [&](int transparent) {
    return Gif(
        8, 6, palette, [](int x, int y) { return (y >= 3) * 2 + (x >= 4); }, transparent);
  };
  // Left half opaque blue, right half fully transparent.
  const std::string halfIcon = Ico32(32, 32, [](int x, int) { return x < 16 ? 0xFF0000FFu : 0x00000000u; });
  ASSERT_TRUE(WriteEmf(folder / "frame.emf", kTeal));
  // Left half red, right half see-through.
  ASSERT_TRUE(testing::WritePng(folder / "half.png", 8, 6, [](int x, int) { return x < 4 ? 0xFFFF0000u : 0u; }));
  ASSERT_TRUE(testing::WritePng(folder / "quad.png", 8, 6, [](int x, int y) {
    const COLORREF c = Quadrant(x, y, 8, 6);
    return 0xFF000000u | (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c);
  }));
  using K = WinGraphic::Kind;
  struct Case {
    std::string file;
    K kind;
    int w, h;
    bool alpha;
    POINT probe;  // a pixel of the picture drawn at natural size over white
    COLORREF colour;
    POINT seeThrough;  // a pixel that shows the white background, or -1
  } cases[] = {
      {Write("quad.bmp", quad), K::Bitmap, 8, 6, false, {7, 5}, kYellow, {-1, -1}},
      {Write("quad.BMP", quad), K::Bitmap, 8, 6, false, {0, 0}, kRed, {-1, -1}},
      {Write("half.ico", halfIcon), K::Icon, 32, 32, true, {3, 3}, kBlue, {20, 3}},
      {Write("quad.gif", quadGif(-1)), K::Gif, 8, 6, false, {1, 4}, kBlue, {-1, -1}},
      {Write("keyed.gif", quadGif(3)), K::Gif, 8, 6, true, {5, 1}, kGreen, {6, 5}},  // index 3 is transparent
      {folder / "half.png", K::Png, 8, 6, true, {1, 1}, kRed, {6, 1}},
      {folder / "quad.png", K::Png, 8, 6, false, {7, 5}, kYellow, {-1, -1}},
      // A 32-bit bitmap whose fourth byte is used blends; one that leaves it zero is opaque.
      {Write("alpha.bmp", testing::Bmp32(8, 6, [](int x, int) { return x < 4 ? 0xFF0000FFu : 0u; })), K::Bitmap, 8, 6,
       true, {1, 1}, kBlue, {6, 1}},
      {Write("plain32.bmp", testing::Bmp32(8, 6, [](int, int) { return 0x0000FF00u; })), K::Bitmap, 8, 6, false,
       {6, 1}, kGreen, {-1, -1}},
      {Write("frame.wmf", PlaceableWmf(kTeal)), K::Metafile, 96, 48, false, {48, 24}, kTeal, {-1, -1}},
      {folder / "frame.emf", K::Metafile, 96, 48, false, {48, 24}, kTeal, {-1, -1}},
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
    EXPECT_EQ(Hex(canvas.At(c.probe.x, c.probe.y)), Hex(c.colour)) << c.file;
    if (c.seeThrough.x >= 0) {
      EXPECT_EQ(canvas.At(c.seeThrough.x, c.seeThrough.y), kWhite) << c.file;
    }
    EXPECT_EQ(canvas.Count(RECT{c.w, 0, 120, 80}, IsNot(kWhite)), 0) << c.file << " drew past its width";
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
      {"an extension not in the list, even over a good bitmap", Write("good.tif", bmp)},
      {"a bitmap behind a .png name", Write("bitmap.png", bmp)},
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
  ASSERT_TRUE(testing::WritePng(folder / "whole.png", 16, 16, [](int, int) { return 0x80FF0000u; }));
  const std::string png = testing::ReadBytes(folder / "whole.png");
  EXPECT_EQ(loader.LoadPicture(Write("cut.png", png.substr(0, png.size() / 2))), nullptr) << "a damaged PNG";
  EXPECT_EQ(loader.LoadGlyphBitmap(folder / "cut.png"), nullptr) << "a damaged PNG glyph";
  // Glyphs are Windows bitmaps only, whatever the name says.
  const COLORREF palette[4] = {kRed, kGreen, kBlue, kYellow};
  EXPECT_EQ(loader.LoadGlyphBitmap(Write("glyph.gif", Gif(2, 2, palette, [](int, int) { return 0; }))), nullptr);
  EXPECT_EQ(loader.LoadGlyphBitmap(Write("glyph.bmp.ico", Ico32(4, 4, [](int, int) { return 0xFF00FF00u; }))), nullptr);
  EXPECT_NE(loader.LoadGlyphBitmap(Write("glyph.dat", bmp)), nullptr) << "a glyph's name is not checked";
}

// The player's background is made on the prefetch thread while its window shows: one job, run
// there after the pictures, and waited for by the thread that posted it. The loads then take what
// the thread decoded: a prefetch that lost its pictures would go unseen, each load decoding again.
TEST_F(Decoding, AJobAfterThePrefetchRunsOnceOnThePrefetchThreadAndThePrefetchedPicturesAreTaken) {
  EXPECT_FALSE(loader.RunAfterPrefetch([] {})) << "no prefetch thread, no job";
  const std::string glyph = Write("glyph.bmp", Bmp24(4, 4, [](int, int) { return kRed; }));
  const std::string picture = Write("picture.bmp", Bmp24(6, 3, [](int, int) { return kBlue; }));
  loader.Prefetch({{glyph, true}, {picture, false}});
  DWORD ranOn = 0;
  bool done = false;
  ASSERT_TRUE(loader.RunAfterPrefetch([&] {
    ::Sleep(50);
    ranOn = ::GetCurrentThreadId();
    done = true;
  }));
  EXPECT_FALSE(loader.RunAfterPrefetch([] {})) << "a second job";
  loader.WaitForJob();
  EXPECT_TRUE(done);
  EXPECT_NE(ranOn, ::GetCurrentThreadId());

  // The job ran after the pictures were decoded: with the files gone, only the prefetch has them.
  ASSERT_TRUE(::DeleteFileA(glyph.c_str()));
  ASSERT_TRUE(::DeleteFileA(picture.c_str()));
  std::unique_ptr<Graphic> taken = loader.LoadGlyphBitmap(glyph);
  ASSERT_NE(taken, nullptr) << "the prefetched glyph";
  EXPECT_EQ(taken->Width(), 4);
  EXPECT_EQ(loader.LoadPicture(glyph), nullptr) << "a glyph was prefetched, not a picture";
  taken = loader.LoadPicture(picture);
  ASSERT_NE(taken, nullptr) << "the prefetched picture";
  EXPECT_EQ(taken->Width(), 6);
  EXPECT_EQ(loader.LoadPicture(picture), nullptr) << "each is taken once";
  loader.EndPrefetch();
  EXPECT_FALSE(loader.RunAfterPrefetch([] {})) << "after the end";
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

RECT Offset(const Rect& r, int dx, int dy) {
  return {r.Left + dx, r.Top + dy, r.Right + dx, r.Bottom + dy};
}

class Painting : public Decoding {
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
  // Paints the objects over the background; with CORVELA_TEST_SHOTS set, the last picture of each test is kept.
  void Paint(Canvas& canvas, COLORREF background, const ButtonStates& states = {}) {
    canvas.Fill(background);
    painter.PaintObjects(canvas.dc(), state, states);
    canvas.Read().Shot(std::string("painting-") + ::testing::UnitTest::GetInstance()->current_test_info()->name());
  }
  TextExtent Measure(Canvas& canvas, const std::string& text, const FontRecord& font, int width, bool wrap) {
    win::GdiTextMeasurer measurer(canvas.dc(), fonts);
    return measurer.Measure(text, font, width, wrap);
  }
  // 16 x 16 blue with its first column magenta, so the bottom-left pixel keys that column out.
  std::string Glyph() {
    return Write("glyph.bmp", Bmp24(16, 16, [](int x, int) { return x == 0 ? kMagenta : kBlue; }));
  }

  testing::FakeWorld world;
  AppState& state = world.State;
  win::ObjectPainter painter;
  win::FontCache fonts;
};

TEST_F(Painting, AnOpaqueLabelFillsItsRectangleAndATransparentOneLetsTheBackgroundThrough) {
  LabelControl& opaque = AddLabel("Hi", 10, 10, 80, 30);
  opaque.Color = 0x0000FF;
  AddLabel("Hi", 110, 10, 80, 30).Transparent = true;
  Canvas canvas(200, 60);
  Paint(canvas, kGreen);
  EXPECT_EQ(canvas.At(85, 35), kRed);
  EXPECT_EQ(canvas.At(185, 35), kGreen);
  const RECT opaqueInk = canvas.Bounds({10, 10, 90, 40}, IsNot(kRed));
  const RECT clearInk = canvas.Bounds({110, 10, 190, 40}, IsNot(kGreen));
  EXPECT_FALSE(Empty(opaqueInk));
  EXPECT_FALSE(Empty(clearInk));
  // The same text lands at the same place in both.
  EXPECT_EQ(opaqueInk.left + 100, clearInk.left);
  EXPECT_EQ(opaqueInk.top, clearInk.top);
  EXPECT_EQ(canvas.Count({0, 40, 200, 60}, IsNot(kGreen)), 0);
  EXPECT_EQ(canvas.Count({90, 0, 110, 60}, IsNot(kGreen)), 0);
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
    const RECT ink = canvas.Bounds({0, 0, 200, 80}, IsNot(kWhite));
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
  EXPECT_GT(canvas.Count({20, 20, 60, 32}, IsNot(kWhite)), 0);
  EXPECT_GT(canvas.Count({100, 20, 140, 40}, IsNot(kWhite)), 0);
  EXPECT_EQ(canvas.Count({0, 0, 200, 20}, IsNot(kWhite)), 0);
  EXPECT_EQ(canvas.Count({60, 0, 100, 60}, IsNot(kWhite)), 0);
  EXPECT_EQ(canvas.Count({140, 0, 200, 60}, IsNot(kWhite)), 0);
  EXPECT_EQ(canvas.Count({0, 40, 200, 60}, IsNot(kWhite)), 0);
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
  EXPECT_EQ(Differences(painted.Read(), expected.Read()), 0) << "\"Save && Exit\" shows as \"Save & Exit\"";

  label.Caption = "&Help";
  Paint(painted, kWhite);
  reference("Help", expected, label.Font);
  const TextExtent h = Measure(expected, "H", label.Font, 180, false);
  // What the marked caption draws beyond the plain text: the underline alone.
  Capture extra = painted.Read();
  const Capture plain = expected.Read();
  int missing = 0;
  for (size_t i = 0; i < plain.Pixels.size(); ++i)
    if (plain.Pixels[i] != kWhite) {
      missing += extra.Pixels[i] == kWhite;
      extra.Pixels[i] = kWhite;
    }
  EXPECT_EQ(missing, 0) << "every pixel of the plain text is there";
  const RECT underline = extra.Bounds(extra.All(), IsNot(kWhite));
  EXPECT_FALSE(Empty(underline)) << "the H is underlined";
  EXPECT_GE(underline.left, at.left);
  EXPECT_LE(underline.right, at.left + h.Width + 1) << "only the H is underlined";
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
    EXPECT_EQ(Describe(canvas.Bounds(canvas.All(), Is(kBlue))), Describe(RECT{g.left + 1, g.top, g.right, g.bottom}))
        << what;
    EXPECT_EQ(canvas.At(g.left, g.top + 8), c.keyShows) << what;
    const RECT red = canvas.Bounds(canvas.All(), Is(kRed));
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
  EXPECT_EQ(Differences(painted.Read(), expected.Read()), 0);
  EXPECT_GT(painted.Count({34, 24, 66, 56}, IsNot(kGreen)), 100) << "the glyph is drawn";
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
  EXPECT_EQ(canvas.Count({0, 0, 100, 60}, IsNot(kWhite)), 0);
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

}  // namespace
}  // namespace corvela
