#include "platform/win/Win32CodePages.h"

#include <limits>

#include "platform/Utf8.h"
#include "platform/win/WideText.h"

namespace corvela::win {

namespace {

constexpr size_t kMaxLength = static_cast<size_t>(std::numeric_limits<int>::max());

std::wstring WideOf(UINT codePage, std::string_view bytes) {
  if (bytes.empty() || bytes.size() > kMaxLength) return {};
  const int length = static_cast<int>(bytes.size());
  const int n = ::MultiByteToWideChar(codePage, 0, bytes.data(), length, nullptr, 0);
  std::wstring wide(static_cast<size_t>(n > 0 ? n : 0), L'\0');
  if (n > 0) ::MultiByteToWideChar(codePage, 0, bytes.data(), length, wide.data(), n);
  return wide;
}

}  // namespace

bool Win32CodePages::Supports(uint32_t codePage) {
  if (codePage == CP_UTF8) return true;
  CPINFO info{};
  if (!::IsValidCodePage(codePage) || !::GetCPInfo(codePage, &info) || info.MaxCharSize > 2) return false;
  char ascii[128];
  for (int i = 0; i < 128; ++i) ascii[i] = static_cast<char>(i);
  const std::wstring wide = WideOf(codePage, std::string_view(ascii, sizeof ascii));
  if (wide.size() != 128) return false;
  for (size_t i = 0; i < 128; ++i)
    if (wide[i] != static_cast<wchar_t>(i)) return false;
  return true;
}

std::string Win32CodePages::ToUtf8(uint32_t codePage, std::string_view bytes) {
  if (IsAscii(bytes)) return std::string(bytes);
  // Bytes that are not UTF-8 read as U+FFFD.
  if (codePage == CP_UTF8) return Utf8(Wide(bytes));
  return Utf8(WideOf(codePage, bytes));
}

std::string Win32CodePages::FromUtf8(uint32_t codePage, std::string_view text, bool& replaced) {
  replaced = false;
  if (IsAscii(text)) return std::string(text);
  const std::wstring wide = Wide(text);
  if (codePage == CP_UTF8) {
    std::string bytes = Utf8(wide);
    replaced = bytes != text;
    return bytes;
  }
  if (wide.size() > kMaxLength) {
    replaced = true;
    return {};
  }
  const int length = static_cast<int>(wide.size());
  BOOL used = FALSE;
  const int n = ::WideCharToMultiByte(codePage, WC_NO_BEST_FIT_CHARS, wide.data(), length, nullptr, 0, nullptr, &used);
  if (n <= 0) {
    replaced = true;
    return std::string(wide.size(), '?');
  }
  std::string bytes(static_cast<size_t>(n), '\0');
  used = FALSE;
  ::WideCharToMultiByte(codePage, WC_NO_BEST_FIT_CHARS, wide.data(), length, bytes.data(), n, nullptr, &used);
  replaced = used != FALSE;
  return bytes;
}

}  // namespace corvela::win
