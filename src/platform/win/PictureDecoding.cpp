#include "platform/win/Win32Graphics.h"

// Pictures decoded: Windows bitmaps, icons, JPEG, GIF and PNG through the imaging component,
// metafiles through GDI.

#include <algorithm>
#include <cstdint>
#include <optional>
#include <vector>

#include "platform/PictureRules.h"
#include "platform/win/WideText.h"

namespace corvela::win {

namespace {

// Larger pictures would not fit CopyPixels' 32-bit buffer size; no menu needs them.
constexpr uint64_t kMaxPixelBytes = 0x7FFFFFFFu;

// Plain Win32 reads: file streams would link the C++ locale machinery into the exe.
bool ReadAll(const std::string& path, std::string& bytes) {
  UniqueFile file(::CreateFileW(Wide(path).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
  LARGE_INTEGER size{};
  if (!file || !::GetFileSizeEx(file.get(), &size) || size.QuadPart > 0x7FFFFFFF) return false;
  bytes.resize(static_cast<size_t>(size.QuadPart));
  DWORD got = 0;
  return bytes.empty() ||
         (::ReadFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &got, nullptr) && got == bytes.size());
}

int ScreenPixelsPerInch(int axis) {
  WindowDc screen(nullptr);
  const int dpi = screen.get() ? ::GetDeviceCaps(screen.get(), axis) : 0;
  return dpi > 0 ? dpi : 96;
}

std::unique_ptr<WinGraphic> FromEnhMetaFile(UniqueEnhMetaFile emf) {
  if (!emf) return nullptr;
  ENHMETAHEADER header{};
  if (!::GetEnhMetaFileHeader(emf.get(), sizeof header, &header) || header.dSignature != ENHMETA_SIGNATURE)
    return nullptr;
  // The frame is in 0.01 mm.
  const int w = ::MulDiv(header.rclFrame.right - header.rclFrame.left, ScreenPixelsPerInch(LOGPIXELSX), 2540);
  const int h = ::MulDiv(header.rclFrame.bottom - header.rclFrame.top, ScreenPixelsPerInch(LOGPIXELSY), 2540);
  if (w <= 0 || h <= 0) return nullptr;
  return std::make_unique<WinGraphic>(std::move(emf), w, h);
}

std::unique_ptr<WinGraphic> LoadEnhMetaFile(const std::string& path) {
  return FromEnhMetaFile(UniqueEnhMetaFile(::GetEnhMetaFileW(Wide(path).c_str())));
}

// Only the placeable form carries a size; GDI reads the records behind its header once told
// the picture's extent.
std::unique_ptr<WinGraphic> LoadWindowsMetaFile(const std::string& path) {
  std::string bytes;
  if (!ReadAll(path, bytes)) return nullptr;
  const std::optional<PlaceableMetafile> header = ParsePlaceableMetafile(bytes);
  if (!header) return nullptr;
  const int inch = header->UnitsPerInch;
  METAFILEPICT mfp{MM_ANISOTROPIC, ::MulDiv(header->UnitsWide, 2540, inch), ::MulDiv(header->UnitsHigh, 2540, inch),
                   nullptr};
  const auto* records = reinterpret_cast<const BYTE*>(bytes.data() + header->RecordsOffset);
  UniqueEnhMetaFile emf(
      ::SetWinMetaFileBits(static_cast<UINT>(bytes.size() - header->RecordsOffset), records, nullptr, &mfp));
  if (!emf) return nullptr;
  const int w = ::MulDiv(header->UnitsWide, ScreenPixelsPerInch(LOGPIXELSX), inch);
  const int h = ::MulDiv(header->UnitsHigh, ScreenPixelsPerInch(LOGPIXELSY), inch);
  if (w <= 0 || h <= 0) return nullptr;
  return std::make_unique<WinGraphic>(std::move(emf), w, h);
}

int BitsPerPixel(const WICPixelFormatGUID& format) {
  struct Entry {
    const GUID* format;
    int bits;
  } static const table[] = {
      {&GUID_WICPixelFormat32bppBGRA, 32},  {&GUID_WICPixelFormat32bppPBGRA, 32}, {&GUID_WICPixelFormat32bppBGR, 24},
      {&GUID_WICPixelFormat24bppBGR, 24},   {&GUID_WICPixelFormat8bppIndexed, 8}, {&GUID_WICPixelFormat4bppIndexed, 4},
      {&GUID_WICPixelFormat1bppIndexed, 1}, {&GUID_WICPixelFormatBlackWhite, 1},
  };
  for (const Entry& e : table)
    if (IsEqualGUID(format, *e.format)) return e.bits;
  return 0;
}

UINT BestIconFrame(IWICBitmapDecoder* decoder) {
  UINT count = 0;
  if (FAILED(decoder->GetFrameCount(&count))) return 0;
  std::vector<IconImage> images(count, IconImage{0, 0, -1});  // a frame that cannot be read is never chosen
  for (UINT i = 0; i < count; ++i) {
    ComPtr<IWICBitmapFrameDecode> frame;
    UINT w = 0, h = 0;
    WICPixelFormatGUID format{};
    if (FAILED(decoder->GetFrame(i, frame.put())) || FAILED(frame->GetSize(&w, &h)) ||
        FAILED(frame->GetPixelFormat(&format)))
      continue;
    images[i] = IconImage{w, h, BitsPerPixel(format)};
  }
  return static_cast<UINT>(BestIconImage(images, static_cast<UINT>(::GetSystemMetrics(SM_CXICON)),
                                         static_cast<UINT>(::GetSystemMetrics(SM_CYICON))));
}

// The imaging component's decoder for each kind of picture, and the container format it reads;
// null for the kinds it does not decode.
struct Codec {
  const CLSID* Decoder;
  const GUID* Container;
};

Codec CodecFor(WinGraphic::Kind kind) {
  switch (kind) {
    case WinGraphic::Kind::Bitmap: return {&CLSID_WICBmpDecoder, &GUID_ContainerFormatBmp};
    case WinGraphic::Kind::Icon: return {&CLSID_WICIcoDecoder, &GUID_ContainerFormatIco};
    case WinGraphic::Kind::Jpeg: return {&CLSID_WICJpegDecoder, &GUID_ContainerFormatJpeg};
    case WinGraphic::Kind::Gif: return {&CLSID_WICGifDecoder, &GUID_ContainerFormatGif};
    case WinGraphic::Kind::Png: return {&CLSID_WICPngDecoder, &GUID_ContainerFormatPng};
    case WinGraphic::Kind::Metafile: break;
  }
  return {nullptr, nullptr};
}

// The imaging component's own entry points. Going through them rather than through COM's class
// registry saves the player's start hundreds of registry reads, each a round trip to the system,
// on the thread that decodes while the window is made; where they are missing, COM is asked.
HMODULE ImagingModule() {
  static const HMODULE module = ::LoadLibraryW(L"windowscodecs.dll");
  return module;
}

template <typename Fn>
Fn ImagingExport(const char* name) {
  HMODULE module = ImagingModule();
  return module ? reinterpret_cast<Fn>(reinterpret_cast<void*>(::GetProcAddress(module, name))) : nullptr;
}

}  // namespace

ComPtr<IWICImagingFactory> MakeImagingFactory() {
  ComPtr<IWICImagingFactory> factory;
  using CreateFactory = HRESULT(WINAPI*)(UINT, IWICImagingFactory**);
  if (auto create = ImagingExport<CreateFactory>("WICCreateImagingFactory_Proxy");
      create && SUCCEEDED(create(WINCODEC_SDK_VERSION, factory.put())) && factory)
    return factory;
  factory = {};
  ::CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_IWICImagingFactory,
                     factory.put_void());
  return factory;
}

namespace {

// The decoder of the format the extension names, made from the component's class object and
// opened on the file; false when the file is not of that format or cannot be read.
bool OpenDecoder(IWICImagingFactory* factory, const std::wstring& path, WinGraphic::Kind kind,
                 ComPtr<IWICBitmapDecoder>& decoder) {
  using GetClassObject = HRESULT(WINAPI*)(REFCLSID, REFIID, void**);
  static const auto get = ImagingExport<GetClassObject>("DllGetClassObject");
  const CLSID* clsid = CodecFor(kind).Decoder;
  ComPtr<IClassFactory> classObject;
  if (!get || !clsid || FAILED(get(*clsid, IID_IClassFactory, classObject.put_void())) ||
      FAILED(classObject->CreateInstance(nullptr, IID_IWICBitmapDecoder, decoder.put_void())) || !decoder) {
    decoder = {};
    return SUCCEEDED(factory->CreateDecoderFromFilename(path.c_str(), nullptr, GENERIC_READ,
                                                        WICDecodeMetadataCacheOnLoad, decoder.put()));
  }
  ComPtr<IWICStream> stream;
  return SUCCEEDED(factory->CreateStream(stream.put())) &&
         SUCCEEDED(stream->InitializeFromFilename(path.c_str(), GENERIC_READ)) &&
         SUCCEEDED(decoder->Initialize(stream.get(), WICDecodeMetadataCacheOnLoad));
}

std::unique_ptr<WinGraphic> Decode(IWICImagingFactory* factory, const std::string& path, WinGraphic::Kind kind) {
  if (!factory || path.empty()) return nullptr;
  const std::wstring wide = Wide(path);
  ComPtr<IWICBitmapDecoder> decoder;
  if (!OpenDecoder(factory, wide, kind, decoder)) return nullptr;
  // The extension promised a format: another one behind it is a broken file.
  GUID container{};
  const GUID* expected = CodecFor(kind).Container;
  if (FAILED(decoder->GetContainerFormat(&container)) || !expected || !IsEqualGUID(container, *expected))
    return nullptr;
  ComPtr<IWICBitmapFrameDecode> frame;
  const UINT index = kind == WinGraphic::Kind::Icon ? BestIconFrame(decoder.get()) : 0;
  UINT w = 0, h = 0;
  WICPixelFormatGUID format{};
  if (FAILED(decoder->GetFrame(index, frame.put())) || FAILED(frame->GetSize(&w, &h)) ||
      FAILED(frame->GetPixelFormat(&format)))
    return nullptr;
  if (w == 0 || h == 0 || uint64_t{w} * h * 4 > kMaxPixelBytes) return nullptr;
  void* bits = nullptr;
  UniqueBitmap dib = CreateTopDownDib(static_cast<int>(w), static_cast<int>(h), &bits);
  if (!dib) return nullptr;
  auto* pixels = static_cast<uint32_t*>(bits);
  bool alpha = false;
  if (IsEqualGUID(format, GUID_WICPixelFormat32bppBGR)) {
    // The decoder calls a plain 32-bit bitmap's fourth byte unused; read it as it is, since
    // many tools keep their alpha there.
    if (FAILED(frame->CopyPixels(nullptr, w * 4, w * h * 4, static_cast<BYTE*>(bits)))) return nullptr;
    alpha = PremultiplyBitmapAlpha(pixels, size_t{w} * h);
  } else {
    ComPtr<IWICFormatConverter> converter;
    if (FAILED(factory->CreateFormatConverter(converter.put())) ||
        FAILED(converter->Initialize(frame.get(), GUID_WICPixelFormat32bppPBGRA, WICBitmapDitherTypeNone, nullptr, 0.0,
                                     WICBitmapPaletteTypeCustom)) ||
        FAILED(converter->CopyPixels(nullptr, w * 4, w * h * 4, static_cast<BYTE*>(bits))))
      return nullptr;
    alpha = SettleAlpha(pixels, size_t{w} * h);
  }
  const COLORREF key =
      BitmapTransparentColour(pixels, static_cast<int32_t>(w), static_cast<int32_t>(h), BitsPerPixel(format) == 1);
  return std::make_unique<WinGraphic>(kind, std::move(dib), static_cast<int>(w), static_cast<int>(h), alpha, key);
}

}  // namespace

std::unique_ptr<WinGraphic> DecodeBitmapWith(IWICImagingFactory* factory, const std::string& path) {
  // A glyph is a Windows bitmap whatever its name, unless the name says PNG.
  return Decode(factory, path,
                PictureFormatFor(path) == PictureFormat::Png ? WinGraphic::Kind::Png : WinGraphic::Kind::Bitmap);
}

std::unique_ptr<WinGraphic> DecodePictureWith(IWICImagingFactory* factory, const std::string& path) {
  switch (PictureFormatFor(path)) {
    case PictureFormat::Bitmap: return Decode(factory, path, WinGraphic::Kind::Bitmap);
    case PictureFormat::Icon: return Decode(factory, path, WinGraphic::Kind::Icon);
    case PictureFormat::Jpeg: return Decode(factory, path, WinGraphic::Kind::Jpeg);
    case PictureFormat::Gif: return Decode(factory, path, WinGraphic::Kind::Gif);
    case PictureFormat::Png: return Decode(factory, path, WinGraphic::Kind::Png);
    case PictureFormat::EnhancedMetafile: return LoadEnhMetaFile(path);
    case PictureFormat::WindowsMetafile: return LoadWindowsMetaFile(path);
    case PictureFormat::None: break;
  }
  return nullptr;
}

}  // namespace corvela::win
