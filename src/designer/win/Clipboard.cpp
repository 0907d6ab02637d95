#include "designer/win/Clipboard.h"

#include <cstdint>
#include <cstring>

#include "designer/ClipboardRecords.h"
#include "platform/win/Handles.h"
#include "platform/win/WideText.h"

namespace corvela::win {

namespace {

// Another process may hold the clipboard for a moment (a viewer reading what we just put).
bool OpenWithRetry(HWND owner) {
  for (int attempt = 0; attempt < 20; ++attempt) {
    if (::OpenClipboard(owner)) return true;
    ::Sleep(10);
  }
  return false;
}

class OpenClipboardScope {
 public:
  explicit OpenClipboardScope(HWND owner) : open_(OpenWithRetry(owner)) {}
  ~OpenClipboardScope() {
    if (open_) ::CloseClipboard();
  }
  OpenClipboardScope(const OpenClipboardScope&) = delete;
  OpenClipboardScope& operator=(const OpenClipboardScope&) = delete;
  bool IsOpen() const { return open_; }

 private:
  bool open_;
};

UniqueGlobal GlobalCopy(const void* data, size_t size) {
  UniqueGlobal memory(::GlobalAlloc(GMEM_MOVEABLE, size));
  if (!memory) return memory;
  void* target = ::GlobalLock(memory.get());
  if (!target) return UniqueGlobal();
  std::memcpy(target, data, size);
  ::GlobalUnlock(memory.get());
  return memory;
}

bool Put(UINT format, UniqueGlobal memory) {
  if (!memory || !::SetClipboardData(format, memory.get())) return false;
  // The clipboard owns it now.
  memory.release();
  return true;
}

}  // namespace

UINT ObjectClipboardFormat() {
  static const UINT format = ::RegisterClipboardFormatW(Wide(kClipboardFormatName).c_str());
  return format;
}

bool PutObjectsOnClipboard(HWND owner, const std::string& records, const std::string& text) {
  const UINT format = ObjectClipboardFormat();
  if (!format) return false;
  OpenClipboardScope clipboard(owner);
  if (!clipboard.IsOpen() || !::EmptyClipboard()) return false;
  // The system may round a block's size up: the records go behind their exact length.
  std::string framed(sizeof(uint32_t), '\0');
  const uint32_t length = static_cast<uint32_t>(records.size());
  std::memcpy(framed.data(), &length, sizeof length);
  framed += records;
  const bool ours = Put(format, GlobalCopy(framed.data(), framed.size()));
  // The system makes the 8-bit forms from this one for whoever asks for them.
  const std::wstring unicode = Wide(text);
  Put(CF_UNICODETEXT, GlobalCopy(unicode.c_str(), (unicode.size() + 1) * sizeof(wchar_t)));
  return ours;
}

std::optional<std::string> ObjectsOnClipboard(HWND owner) {
  const UINT format = ObjectClipboardFormat();
  if (!format || !::IsClipboardFormatAvailable(format)) return std::nullopt;
  OpenClipboardScope clipboard(owner);
  if (!clipboard.IsOpen()) return std::nullopt;
  HGLOBAL memory = ::GetClipboardData(format);
  if (!memory) return std::nullopt;
  const size_t size = ::GlobalSize(memory);
  const char* data = static_cast<const char*>(::GlobalLock(memory));
  if (!data) return std::nullopt;
  std::optional<std::string> bytes;
  uint32_t length = 0;
  if (size >= sizeof length) {
    std::memcpy(&length, data, sizeof length);
    if (length <= size - sizeof length) bytes = std::string(data + sizeof length, length);
  }
  ::GlobalUnlock(memory);
  return bytes;
}

bool ClipboardHasObjects() {
  const UINT format = ObjectClipboardFormat();
  return format && ::IsClipboardFormatAvailable(format);
}

}  // namespace corvela::win
