#pragma once
// The portable core holds text and paths as UTF-8; Windows takes and gives UTF-16. These are the
// only conversions between the two: every wide-character call gets its text through them.

#include <windows.h>

#include <string>
#include <string_view>

namespace corvela::win {

// UTF-8 as UTF-16. Bytes that are not UTF-8 become U+FFFD, so a damaged string never stops a call.
std::wstring Wide(std::string_view utf8);
// UTF-16 as UTF-8; an unpaired surrogate becomes U+FFFD.
std::string Utf8(std::wstring_view wide);
// A NUL-terminated buffer filled by a call (GetWindowTextW, a file name), as UTF-8.
inline std::string Utf8(const wchar_t* wide) { return wide ? Utf8(std::wstring_view(wide)) : std::string(); }

// The text of a window (a control, a dialog item) as UTF-8.
std::string WindowTextUtf8(HWND hwnd);
void SetWindowTextUtf8(HWND hwnd, std::string_view text);

// A text that may be absent, as UTF-16 for a call that takes null for none.
class OptionalWide {
 public:
  explicit OptionalWide(const char* utf8) : present_(utf8 != nullptr), text_(utf8 ? Wide(utf8) : std::wstring()) {}
  const wchar_t* get() const { return present_ ? text_.c_str() : nullptr; }

 private:
  bool present_;
  std::wstring text_;
};

}  // namespace corvela::win
