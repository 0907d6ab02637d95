#include "dialogs/DialogRules.h"

#include <algorithm>
#include <limits>

#include "project/Contrast.h"

namespace corvela {

namespace {
bool IsBlank(char c) {
  return static_cast<unsigned char>(c) <= 32;
}
}  // namespace

int32_t SpinValue(const std::string& text) {
  size_t i = 0, end = text.size();
  while (i < end && IsBlank(text[i])) ++i;
  while (end > i && IsBlank(text[end - 1])) --end;
  bool negative = false;
  if (i < end && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';
  if (i == end) return 0;
  // Accumulated as a negative number, so that the most negative 32-bit value is reachable.
  constexpr int64_t kLimit = static_cast<int64_t>(std::numeric_limits<int32_t>::max()) + 1;
  int64_t magnitude = 0;
  for (; i < end; ++i) {
    const char c = text[i];
    if (c < '0' || c > '9') return 0;
    magnitude = magnitude * 10 + (c - '0');
    if (magnitude > kLimit) return 0;
  }
  if (!negative && magnitude == kLimit) return 0;
  return static_cast<int32_t>(negative ? -magnitude : magnitude);
}

std::string SpinText(int32_t value) {
  return std::to_string(value);
}

std::string SpinStep(const std::string& text, int32_t delta) {
  int64_t next = static_cast<int64_t>(SpinValue(text)) + delta;
  if (next > std::numeric_limits<int32_t>::max()) next = std::numeric_limits<int32_t>::max();
  if (next < std::numeric_limits<int32_t>::min()) next = std::numeric_limits<int32_t>::min();
  return SpinText(static_cast<int32_t>(next));
}

int ListEntryFor(int value, int entryCount) {
  return value >= 0 && value < entryCount ? value : -1;
}

namespace {
// value * to / from, rounded half away from zero.
int32_t ScaleEdge(int32_t value, int32_t from, int32_t to) {
  const int64_t product = static_cast<int64_t>(value) * to;
  const int64_t half = from / 2;
  return static_cast<int32_t>(product >= 0 ? (product + half) / from : (product - half) / from);
}
}  // namespace

Rect ScaleToDesignedClient(const Rect& control, Size made, Size designed) {
  if (made.Width <= 0 || made.Height <= 0) return control;
  return {ScaleEdge(control.Left, made.Width, designed.Width), ScaleEdge(control.Top, made.Height, designed.Height),
          ScaleEdge(control.Right, made.Width, designed.Width), ScaleEdge(control.Bottom, made.Height, designed.Height)};
}

Point CentredOnScreen(Size screen, Size window) {
  return {(screen.Width - window.Width) / 2, (screen.Height - window.Height) / 2};
}

void TakeCaptionFont(FontRecord& font, FontRecord& hotTrackFont, const FontRecord& chosen) {
  if (hotTrackFont == font) hotTrackFont = chosen;
  font = chosen;
}

uint32_t FontSampleBackground(uint32_t textRgb, uint32_t faceRgb) {
  constexpr double kReadable = 3.0;
  constexpr uint32_t kDark = 0x404040u, kLight = 0xFFFFFFu;
  if (ContrastRatio(textRgb, faceRgb) >= kReadable) return faceRgb;
  return ContrastRatio(textRgb, kDark) >= ContrastRatio(textRgb, kLight) ? kDark : kLight;
}

int32_t FontSampleHeight(int32_t height, Size text, Size room) {
  int64_t h = height;
  if (text.Width > room.Width && text.Width > 0) h = h * std::max(room.Width, 0) / text.Width;
  if (text.Height > room.Height && text.Height > 0)
    h = std::min<int64_t>(h, int64_t{height} * std::max(room.Height, 0) / text.Height);
  return static_cast<int32_t>(std::max<int64_t>(h, 1));
}

}  // namespace corvela
