#pragma once
// The Windows code pages 1250 to 1258 from tables of their own, for programs that do not run on
// Windows' conversions: the native build, the tests and the mnx tool. The exe uses Windows' own.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>

#include "platform/Platform.h"

namespace corvela {

class TableCodePages : public CodePages {
 public:
  // systemCodePage: the one this machine is taken to use; one of 1250 to 1258.
  explicit TableCodePages(uint32_t systemCodePage = 1252);

  uint32_t SystemCodePage() override { return System; }
  // 1250 to 1258.
  bool Supports(uint32_t codePage) override;
  // A code page it does not support converts as the system's.
  std::string ToUtf8(uint32_t codePage, std::string_view bytes) override;
  std::string FromUtf8(uint32_t codePage, std::string_view text, bool& replaced) override;

 private:
  size_t PageIndex(uint32_t codePage) const;

  uint32_t System;
  // Per code page, the characters of bytes 0x80 to 0xFF in ascending order, each with its byte.
  std::array<std::array<std::pair<uint16_t, uint8_t>, 128>, 9> Bytes{};
};

}  // namespace corvela
