#include "designer/win/PagePictures.h"

#include "designer/win/PanelCapture.h"
#include "platform/win/WideText.h"
#include "player/win/ObjectPainter.h"
#include "player/win/Panes.h"

namespace corvela::win {

namespace {

constexpr uint32_t kOpaque = 0xFF000000u;

// A COLORREF (0x00BBGGRR) as a DIB pixel's colour bits (0x00RRGGBB).
uint32_t DibColour(COLORREF c) {
  return (static_cast<uint32_t>(GetRValue(c)) << 16) | (static_cast<uint32_t>(GetGValue(c)) << 8) | GetBValue(c);
}

}  // namespace

IWICImagingFactory* PagePictureWriter::Factory() {
  if (!factory_) factory_ = MakeImagingFactory();
  return factory_.get();
}

bool PagePictureWriter::Encode(const std::vector<uint32_t>& bgra, int32_t width, int32_t height,
                               const std::string& target) {
  IWICImagingFactory* factory = Factory();
  if (!factory || width <= 0 || height <= 0 || bgra.size() != static_cast<size_t>(width) * height) return false;
  ComPtr<IWICStream> stream;
  ComPtr<IWICBitmapEncoder> encoder;
  ComPtr<IWICBitmapFrameEncode> frame;
  ComPtr<IPropertyBag2> options;
  WICPixelFormatGUID format = GUID_WICPixelFormat32bppBGRA;
  const UINT stride = static_cast<UINT>(width) * 4;
  bool written = SUCCEEDED(factory->CreateStream(stream.put())) &&
                 SUCCEEDED(stream->InitializeFromFilename(Wide(target).c_str(), GENERIC_WRITE)) &&
                 SUCCEEDED(factory->CreateEncoder(GUID_ContainerFormatPng, nullptr, encoder.put())) &&
                 SUCCEEDED(encoder->Initialize(stream.get(), WICBitmapEncoderNoCache)) &&
                 SUCCEEDED(encoder->CreateNewFrame(frame.put(), options.put())) &&
                 SUCCEEDED(frame->Initialize(options.get())) && SUCCEEDED(frame->SetSize(width, height)) &&
                 SUCCEEDED(frame->SetPixelFormat(&format)) && IsEqualGUID(format, GUID_WICPixelFormat32bppBGRA) &&
                 SUCCEEDED(frame->WritePixels(static_cast<UINT>(height), stride, stride * static_cast<UINT>(height),
                                              reinterpret_cast<BYTE*>(const_cast<uint32_t*>(bgra.data())))) &&
                 SUCCEEDED(frame->Commit()) && SUCCEEDED(encoder->Commit());
  // A half-written file must not pass for a picture.
  if (!written) ::DeleteFileW(Wide(target).c_str());
  return written;
}

bool PagePictureWriter::WritePng(const std::vector<uint32_t>& pixels, int32_t width, int32_t height,
                                 const std::string& target) {
  std::vector<uint32_t> bgra(pixels.size());
  for (size_t i = 0; i < pixels.size(); ++i) bgra[i] = DibColour(pixels[i] & 0xFFFFFF) | kOpaque;
  return Encode(bgra, width, height, target);
}

bool PagePictureWriter::WriteGraphic(const WinGraphic& graphic, bool keyed, const std::string& target) {
  const int width = graphic.Width(), height = graphic.Height();
  if (width <= 0 || height <= 0) return false;
  std::vector<uint32_t> bgra(static_cast<size_t>(width) * height);
  if (graphic.Metafile()) {
    // A metafile plays its drawing onto white, as the player shows it on a plain picture.
    void* bits = nullptr;
    UniqueBitmap dib = CreateTopDownDib(width, height, &bits);
    UniqueMemoryDc dc(::CreateCompatibleDC(nullptr));
    if (!dib || !dc || !bits) return false;
    {
      SelectScope select(dc.get(), dib.get());
      RECT all{0, 0, width, height};
      ::FillRect(dc.get(), &all, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
      ::PlayEnhMetaFile(dc.get(), graphic.Metafile(), &all);
      ::GdiFlush();
    }
    const auto* from = static_cast<const uint32_t*>(bits);
    for (size_t i = 0; i < bgra.size(); ++i) bgra[i] = (from[i] & 0xFFFFFF) | kOpaque;
    return Encode(bgra, width, height, target);
  }
  DIBSECTION section{};
  if (!graphic.Dib() || ::GetObjectW(graphic.Dib(), sizeof section, &section) != sizeof section ||
      !section.dsBm.bmBits)
    return false;
  const auto* from = static_cast<const uint32_t*>(section.dsBm.bmBits);
  const uint32_t key = DibColour(graphic.TransparentColour());
  for (size_t i = 0; i < bgra.size(); ++i) {
    const uint32_t p = from[i];
    if (!graphic.HasAlpha()) {
      bgra[i] = keyed && (p & 0xFFFFFF) == key ? 0 : (p & 0xFFFFFF) | kOpaque;
      continue;
    }
    // Premultiplied in memory, straight in the file.
    const uint32_t a = p >> 24;
    if (a == 0) {
      bgra[i] = 0;
      continue;
    }
    auto channel = [&](int shift) { return std::min<uint32_t>(255, (((p >> shift) & 0xFF) * 255 + a / 2) / a); };
    bgra[i] = (a << 24) | (channel(16) << 16) | (channel(8) << 8) | channel(0);
  }
  return Encode(bgra, width, height, target);
}

bool PagePictureWriter::ConvertToPng(const std::string& source, bool glyph, bool keyed, const std::string& target) {
  Win32GraphicLoader loader;
  std::unique_ptr<WinGraphic> graphic = glyph ? loader.DecodeBitmap(source) : loader.DecodePicture(source);
  return graphic && WriteGraphic(*graphic, keyed, target);
}

bool PagePictureWriter::WriteFallbackGlyph(const std::string& target) {
  std::unique_ptr<WinGraphic> glyph = LoadFallbackGlyph();
  return glyph && WriteGraphic(*glyph, true, target);
}

bool PagePictureWriter::WritePaneView(const PaneWindow& pane, const std::string& target) {
  const auto* window = dynamic_cast<const Pane*>(&pane);
  RECT bounds{};
  if (!window || !window->Handle() || !::GetWindowRect(window->Handle(), &bounds)) return false;
  const int width = bounds.right - bounds.left, height = bounds.bottom - bounds.top;
  void* bits = nullptr;
  UniqueBitmap dib = CreateTopDownDib(width, height, &bits);
  UniqueMemoryDc dc(::CreateCompatibleDC(nullptr));
  if (width <= 0 || height <= 0 || !dib || !dc || !bits) return false;
  {
    SelectScope select(dc.get(), dib.get());
    // The pane with its frame and scroll bar, and the windows inside it, printed as the design
    // surface prints them.
    PaintWindowWhole(window->Handle(), dc.get());
    ::GdiFlush();
  }
  const auto* from = static_cast<const uint32_t*>(bits);
  std::vector<uint32_t> bgra(static_cast<size_t>(width) * height);
  for (size_t i = 0; i < bgra.size(); ++i) bgra[i] = (from[i] & 0xFFFFFF) | kOpaque;
  return Encode(bgra, width, height, target);
}

}  // namespace corvela::win
