#pragma once
// CRC-32 as zip and PNG compute it (polynomial 0xEDB88320, reflected, initial and final value
// 0xFFFFFFFF): the checksum of the project file's extension block.

#include <cstdint>
#include <string_view>

namespace corvela {

uint32_t Crc32(std::string_view bytes);

}  // namespace corvela
