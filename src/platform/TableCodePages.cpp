#include "platform/TableCodePages.h"

#include <algorithm>

#include "platform/CodePageCharts.h"
#include "platform/Utf8.h"

namespace corvela {

TableCodePages::TableCodePages(uint32_t systemCodePage) : System(systemCodePage) {
  for (size_t page = 0; page < Bytes.size(); ++page) {
    auto& bytes = Bytes[page];
    for (size_t i = 0; i < 128; ++i) bytes[i] = {kCodePageUpperHalves[page][i], static_cast<uint8_t>(0x80 + i)};
    std::sort(bytes.begin(), bytes.end());
  }
}

bool TableCodePages::Supports(uint32_t codePage) {
  return codePage >= kFirstChartedCodePage && codePage <= kLastChartedCodePage;
}

size_t TableCodePages::PageIndex(uint32_t codePage) const {
  if (codePage < kFirstChartedCodePage || codePage > kLastChartedCodePage) codePage = System;
  if (codePage < kFirstChartedCodePage || codePage > kLastChartedCodePage) codePage = 1252;
  return codePage - kFirstChartedCodePage;
}

std::string TableCodePages::ToUtf8(uint32_t codePage, std::string_view bytes) {
  const uint16_t* upper = kCodePageUpperHalves[PageIndex(codePage)];
  std::string text;
  text.reserve(bytes.size() + bytes.size() / 2);
  for (char c : bytes) {
    const auto b = static_cast<uint8_t>(c);
    if (b < 0x80)
      text.push_back(c);
    else
      AppendUtf8(text, upper[b - 0x80]);
  }
  return text;
}

std::string TableCodePages::FromUtf8(uint32_t codePage, std::string_view text, bool& replaced) {
  const auto& bytes = Bytes[PageIndex(codePage)];
  replaced = false;
  std::string out;
  out.reserve(text.size());
  for (size_t pos = 0; pos < text.size();) {
    const uint32_t c = DecodeUtf8(text, pos);
    if (c < 0x80) {
      out.push_back(static_cast<char>(c));
      continue;
    }
    // Only the characters of the chart itself: no look-alikes.
    const auto it =
        std::lower_bound(bytes.begin(), bytes.end(), c,
                         [](const std::pair<uint16_t, uint8_t>& entry, uint32_t v) { return entry.first < v; });
    if (c <= 0xFFFF && it != bytes.end() && it->first == c) {
      out.push_back(static_cast<char>(it->second));
    } else {
      out.push_back('?');
      replaced = true;
    }
  }
  return out;
}

}  // namespace corvela
