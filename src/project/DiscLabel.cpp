#include "project/DiscLabel.h"

#include "platform/Platform.h"
#include "platform/Utf8.h"
#include "project/Publish.h"

namespace corvela {

namespace {
// The label's code points; empty for text that is not UTF-8.
std::u32string CodePointsOf(const std::string& label) {
  std::u32string out;
  for (size_t pos = 0; pos < label.size();) {
    const uint32_t c = DecodeUtf8(label, pos);
    if (c == kNotUtf8) return {};
    out.push_back(c);
  }
  return out;
}
}  // namespace

std::string DiscLabelProblem(const std::string& label, CodePages* codes) {
  const std::u32string points = CodePointsOf(label);
  if (points.empty() != label.empty()) return "The disc label is not readable text.";
  if (points.size() > kDiscLabelLength)
    return "The disc label can have at most " + std::to_string(kDiscLabelLength) + " characters.";
  for (char32_t c : points)
    if (c < 0x20 || c == 0x7F) return "The disc label cannot hold a line break or a control character.";
  if (codes && !IsAscii(label)) {
    bool replaced = false;
    const uint32_t page = codes->SystemCodePage();
    codes->FromUtf8(page, label, replaced);
    if (replaced)
      return "The disc label has characters that autorun.inf cannot hold in this Windows' code page (" +
             std::to_string(page) + "). Leave them out, or leave the label empty.";
  }
  return {};
}

std::string AutorunInfText(const std::string& label, CodePages* codes) {
  std::string text = kAutorunInf;
  if (label.empty() || !DiscLabelProblem(label, codes).empty()) return text;
  bool replaced = false;
  text += "label=";
  text += codes && !IsAscii(label) ? codes->FromUtf8(codes->SystemCodePage(), label, replaced) : label;
  text += "\r\n";
  return text;
}

std::string JolietVolumeField(const std::string& label) {
  std::string field;
  for (char32_t c : CodePointsOf(label)) {
    const size_t units = c > 0xFFFF ? 2 : 1;
    if (field.size() / 2 + units > kJolietLabelLength) break;
    auto put = [&field](uint32_t unit) {
      field += static_cast<char>(unit >> 8);
      field += static_cast<char>(unit & 0xFF);
    };
    if (units == 2) {
      put(0xD800 + ((c - 0x10000) >> 10));
      put(0xDC00 + ((c - 0x10000) & 0x3FF));
    } else {
      put(c);
    }
  }
  while (field.size() < 2 * kJolietLabelLength) field += std::string("\0 ", 2);
  return field;
}

}  // namespace corvela
