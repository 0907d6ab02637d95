#include "support/win/TestFiles.h"

#include <wincodec.h>

#include "platform/win/Handles.h"

namespace corvela::testing {

std::string Le(uint32_t value, int bytes) {
  std::string out;
  for (int i = 0; i < bytes; ++i) out.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
  return out;
}

namespace {
std::string Bgr(COLORREF c) {
  return {static_cast<char>(GetBValue(c)), static_cast<char>(GetGValue(c)), static_cast<char>(GetRValue(c))};
}

std::string InfoHeader(int w, int h, int bits, uint32_t colours) {
  return Le(40, 4) + Le(static_cast<uint32_t>(w), 4) + Le(static_cast<uint32_t>(h), 4) + Le(1, 2) +
         Le(static_cast<uint32_t>(bits), 2) + Le(0, 4) + Le(0, 4) + Le(2835, 4) + Le(2835, 4) + Le(colours, 4) +
         Le(0, 4);
}

std::string BmpFile(const std::string& info, const std::string& palette, const std::string& rows) {
  const auto offset = static_cast<uint32_t>(14 + info.size() + palette.size());
  return "BM" + Le(offset + static_cast<uint32_t>(rows.size()), 4) + Le(0, 4) + Le(offset, 4) + info + palette + rows;
}
}  // namespace

std::string Bmp24(int w, int h, const PixelFn& pixel) {
  std::string rows;
  for (int y = h - 1; y >= 0; --y) {
    for (int x = 0; x < w; ++x) rows += Bgr(pixel(x, y));
    while (rows.size() % 4) rows += '\0';
  }
  return BmpFile(InfoHeader(w, h, 24, 0), "", rows);
}

std::string Bmp32(int w, int h, const std::function<uint32_t(int, int)>& argb) {
  std::string rows;
  for (int y = h - 1; y >= 0; --y)
    for (int x = 0; x < w; ++x) rows += Le(argb(x, y), 4);
  return BmpFile(InfoHeader(w, h, 32, 0), "", rows);
}

std::string Bmp1(int w, int h, const std::function<bool(int, int)>& white) {
  std::string rows;
  for (int y = h - 1; y >= 0; --y) {
    std::string row((static_cast<size_t>(w) + 31) / 32 * 4, '\0');
    for (int x = 0; x < w; ++x)
      if (white(x, y)) row[static_cast<size_t>(x / 8)] |= static_cast<char>(0x80 >> (x % 8));
    rows += row;
  }
  return BmpFile(InfoHeader(w, h, 1, 2), Le(0x000000, 4) + Le(0xFFFFFF, 4), rows);
}

std::string Ico32(int w, int h, const std::function<uint32_t(int, int)>& argb) {
  std::string image = InfoHeader(w, h * 2, 32, 0);
  for (int y = h - 1; y >= 0; --y)
    for (int x = 0; x < w; ++x) image += Le(argb(x, y), 4);
  image += std::string((static_cast<size_t>(w) + 31) / 32 * 4 * h, '\0');  // the AND mask
  return Le(0, 2) + Le(1, 2) + Le(1, 2) + Le(static_cast<uint32_t>(w), 1) + Le(static_cast<uint32_t>(h), 1) + Le(0, 2) +
         Le(1, 2) + Le(32, 2) + Le(static_cast<uint32_t>(image.size()), 4) + Le(22, 4) + image;
}

// The LZW stream sends a clear code before every pixel, so the code size never grows and no
// table is needed.
std::string Gif(int w, int h, const COLORREF (&palette)[4], const std::function<int(int, int)>& index,
                int transparentIndex) {
  std::string s = "GIF89a" + Le(static_cast<uint32_t>(w), 2) + Le(static_cast<uint32_t>(h), 2) + "\x81" +
                  std::string(2, '\0');  // a global table of 4 entries
  for (COLORREF c : palette)
    s += {static_cast<char>(GetRValue(c)), static_cast<char>(GetGValue(c)), static_cast<char>(GetBValue(c))};
  if (transparentIndex >= 0) s += "\x21\xF9\x04\x01" + Le(0, 2) + Le(static_cast<uint32_t>(transparentIndex), 1) + '\0';
  s += "," + Le(0, 4) + Le(static_cast<uint32_t>(w), 2) + Le(static_cast<uint32_t>(h), 2) + '\0';
  s += '\x02';  // minimum code size: codes are 3 bits, clear 4, end 5
  std::string data;
  uint32_t bits = 0;
  int count = 0;
  auto code = [&](int c) {
    bits |= static_cast<uint32_t>(c) << count;
    for (count += 3; count >= 8; count -= 8, bits >>= 8) data += static_cast<char>(bits & 0xFF);
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
    s += static_cast<char>(block.size()) + block;
  }
  return s + '\0' + ';';
}

std::string PlaceableWmf(COLORREF colour) {
  std::string records;
  auto record = [&](uint32_t function, const std::vector<uint16_t>& params) {
    records += Le(static_cast<uint32_t>(3 + params.size()), 4) + Le(function, 2);
    for (uint16_t p : params) records += Le(p, 2);
  };
  record(0x020B, {0, 0});       // SetWindowOrg
  record(0x020C, {500, 1000});  // SetWindowExt y, x
  record(0x02FC, {BS_SOLID, static_cast<uint16_t>(colour & 0xFFFF), static_cast<uint16_t>(colour >> 16), 0});
  record(0x012D, {0});                    // SelectObject brush
  record(0x02FA, {PS_NULL, 0, 0, 0, 0});  // CreatePenIndirect
  record(0x012D, {1});                    // SelectObject pen
  record(0x041B, {501, 1001, 0, 0});      // Rectangle bottom, right, top, left
  record(0, {});                          // end
  const std::string header = Le(1, 2) + Le(9, 2) + Le(0x0300, 2) +
                             Le(static_cast<uint32_t>((18 + records.size()) / 2), 4) + Le(2, 2) + Le(8, 4) + Le(0, 2);
  // Key, handle, bounds 0, 0, 1000, 500, 1000 units per inch, reserved, then the checksum.
  std::string placeable = Le(0x9AC6CDD7u, 4) + std::string(6, '\0') + Le(1000, 2) + Le(500, 2) + Le(1000, 2) + Le(0, 4);
  uint16_t sum = 0;
  for (size_t i = 0; i < placeable.size(); i += 2)
    sum ^= static_cast<uint16_t>(static_cast<unsigned char>(placeable[i]) |
                                 (static_cast<unsigned char>(placeable[i + 1]) << 8));
  return placeable + Le(sum, 2) + header + records;
}

bool WriteEmf(const std::string& path, COLORREF colour) {
  const RECT frame{0, 0, 2540, 1270};  // in 0.01 mm: 2540 is one inch
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
  win::ComPtr<IWICImagingFactory> factory;
  win::ComPtr<IWICStream> stream;
  win::ComPtr<IWICBitmapEncoder> encoder;
  win::ComPtr<IWICBitmapFrameEncode> frame;
  win::ComPtr<IPropertyBag2> options;
  std::string bgr;
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) bgr += Bgr(pixel(x, y));
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
         SUCCEEDED(frame->WritePixels(h, w * 3, static_cast<UINT>(bgr.size()), reinterpret_cast<BYTE*>(bgr.data()))) &&
         SUCCEEDED(frame->Commit()) && SUCCEEDED(encoder->Commit());
}

bool WritePng(const std::string& path, int w, int h, const std::function<uint32_t(int, int)>& argb) {
  win::ComPtr<IWICImagingFactory> factory;
  win::ComPtr<IWICStream> stream;
  win::ComPtr<IWICBitmapEncoder> encoder;
  win::ComPtr<IWICBitmapFrameEncode> frame;
  win::ComPtr<IPropertyBag2> options;
  std::string bgra;
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) bgra += Le(argb(x, y), 4);
  const std::wstring wide(path.begin(), path.end());
  WICPixelFormatGUID format = GUID_WICPixelFormat32bppBGRA;
  return SUCCEEDED(::CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_IWICImagingFactory,
                                      factory.put_void())) &&
         SUCCEEDED(factory->CreateStream(stream.put())) &&
         SUCCEEDED(stream->InitializeFromFilename(wide.c_str(), GENERIC_WRITE)) &&
         SUCCEEDED(factory->CreateEncoder(GUID_ContainerFormatPng, nullptr, encoder.put())) &&
         SUCCEEDED(encoder->Initialize(stream.get(), WICBitmapEncoderNoCache)) &&
         SUCCEEDED(encoder->CreateNewFrame(frame.put(), options.put())) &&
         SUCCEEDED(frame->Initialize(options.get())) && SUCCEEDED(frame->SetSize(w, h)) &&
         SUCCEEDED(frame->SetPixelFormat(&format)) && IsEqualGUID(format, GUID_WICPixelFormat32bppBGRA) &&
         SUCCEEDED(frame->WritePixels(h, w * 4, static_cast<UINT>(bgra.size()), reinterpret_cast<BYTE*>(bgra.data()))) &&
         SUCCEEDED(frame->Commit()) && SUCCEEDED(encoder->Commit());
}

namespace {
std::string Chunk(const char* id, const std::string& data) {
  return std::string(id, 4) + Le(static_cast<uint32_t>(data.size()), 4) + data + (data.size() % 2 ? "\0" : "");
}
std::string List(const char* type, const std::string& data) {
  return "LIST" + Le(static_cast<uint32_t>(data.size() + 4), 4) + std::string(type, 4) + data;
}
std::string Le32s(std::initializer_list<uint32_t> values) {
  std::string out;
  for (uint32_t v : values) out += Le(v, 4);
  return out;
}
}  // namespace

std::string SolidAvi(int w, int h, const std::vector<COLORREF>& frames, uint32_t fps) {
  const uint32_t stride = (static_cast<uint32_t>(w) * 3 + 3) & ~3u;
  const uint32_t size = stride * static_cast<uint32_t>(h), n = static_cast<uint32_t>(frames.size());
  const auto uw = static_cast<uint32_t>(w), uh = static_cast<uint32_t>(h);
  const std::string avih = Le32s({1000000u / fps, size * fps, 0u, 0x10u, n, 0u, 1u, size, uw, uh, 0u, 0u, 0u, 0u});
  const std::string strh = "vidsDIB " + Le32s({0u, 0u, 0u, 1u, fps, 0u, n, size, 0xFFFFFFFFu, 0u, 0u, uw | uh << 16});
  const std::string strf = Le32s({40u, uw, uh, 1u | 24u << 16, 0u, size, 0u, 0u, 0u, 0u});
  std::string movi, index;
  for (COLORREF c : frames) {
    std::string row;
    for (int x = 0; x < w; ++x) row += Bgr(c);
    row.resize(stride, '\0');
    std::string data;
    for (int y = 0; y < h; ++y) data += row;
    index += "00db" + Le32s({0x10, static_cast<uint32_t>(4 + movi.size()), size});
    movi += Chunk("00db", data);
  }
  const std::string body = List("hdrl", Chunk("avih", avih) + List("strl", Chunk("strh", strh) + Chunk("strf", strf))) +
                           List("movi", movi) + Chunk("idx1", index);
  return "RIFF" + Le(static_cast<uint32_t>(body.size() + 4), 4) + "AVI " + body;
}

std::string TinyWav() {
  std::string samples;
  for (int i = 0; i < 800; ++i) samples.push_back(static_cast<char>((i / 10) % 2 ? 0xA0 : 0x60));
  const std::string fmt = "fmt " + Le(16, 4) + Le(1, 2) + Le(1, 2) + Le(8000, 4) + Le(8000, 4) + Le(1, 2) + Le(8, 2);
  const std::string data = "data" + Le(static_cast<uint32_t>(samples.size()), 4) + samples;
  return "RIFF" + Le(static_cast<uint32_t>(4 + fmt.size() + data.size()), 4) + "WAVE" + fmt + data;
}

}  // namespace corvela::testing
