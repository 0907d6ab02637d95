#include "player/win/AviClip.h"

#include <algorithm>
#include <cstdlib>

#include "platform/win/Win32FileSystem.h"

namespace corvela::win {

namespace {

// The library is entered once for the process, on the first clip, and left at its end.
bool LibraryEntered() {
  struct Library {
    Library() { ::AVIFileInit(); }
    ~Library() { ::AVIFileExit(); }
  };
  static Library library;
  return true;
}

// Where the pixels of a packed DIB start: after the header, the colour masks and the palette.
const void* BitsOf(const BITMAPINFOHEADER* h) {
  DWORD colours = h->biClrUsed;
  if (colours == 0 && h->biBitCount <= 8) colours = 1u << h->biBitCount;
  DWORD masks = h->biCompression == BI_BITFIELDS && h->biSize == sizeof(BITMAPINFOHEADER) ? 3 : 0;
  return reinterpret_cast<const BYTE*>(h) + h->biSize + (colours + masks) * sizeof(RGBQUAD);
}

}  // namespace

bool AviClip::Open(const std::string& path) {
  reader_.reset();
  stream_.reset();
  count_ = width_ = height_ = 0;
  LibraryEntered();
  PAVISTREAM stream = nullptr;
  constexpr UINT kMode = OF_READ | OF_SHARE_DENY_WRITE;
  for (const std::wstring& name : MultimediaNames(path)) {
    if (::AVIStreamOpenFromFileW(&stream, name.c_str(), streamtypeVIDEO, 0, kMode, nullptr) == 0) break;
    stream = nullptr;
  }
  if (!stream) return false;
  stream_.reset(stream);
  AVISTREAMINFOW info{};
  if (::AVIStreamInfoW(stream, &info, sizeof info) != 0) return false;
  const LONG length = ::AVIStreamLength(stream);
  if (length <= 0) return false;
  reader_.reset(::AVIStreamGetFrameOpen(stream, nullptr));
  if (!reader_) return false;
  start_ = ::AVIStreamStart(stream);
  count_ = static_cast<int>(length);
  width_ = static_cast<int>(info.rcFrame.right - info.rcFrame.left);
  height_ = static_cast<int>(info.rcFrame.bottom - info.rcFrame.top);
  if (info.dwRate > 0) interval_ = std::max<UINT>(1, ::MulDiv(1000, static_cast<int>(info.dwScale), static_cast<int>(info.dwRate)));
  // The frame rectangle is optional in a stream's header; the first frame knows its size.
  if (width_ <= 0 || height_ <= 0) {
    const AviFrame first = Frame(0);
    if (!first) {
      reader_.reset();
      return false;
    }
    width_ = first.Info->bmiHeader.biWidth;
    height_ = std::abs(first.Info->bmiHeader.biHeight);
  }
  return true;
}

AviFrame AviClip::Frame(int index) {
  if (!reader_ || index < 0 || index >= count_) return {};
  const auto* header = static_cast<const BITMAPINFOHEADER*>(::AVIStreamGetFrame(reader_.get(), start_ + index));
  if (!header) return {};
  return AviFrame{reinterpret_cast<const BITMAPINFO*>(header), BitsOf(header)};
}

}  // namespace corvela::win
