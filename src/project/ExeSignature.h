#pragma once
// Whether a Windows program carries a code signature: the certificate table of its PE header.
// Windows 11's Smart App Control refuses unsigned programs, and other versions warn of them.

#include <string_view>

namespace corvela {

enum class ExeSignature { NotAProgram, Unsigned, Signed };

// Reads only within bytes.
ExeSignature SignatureOf(std::string_view bytes);

}  // namespace corvela
