#pragma once
// The disc's label: the name Windows shows for the disc or stick (autorun.inf's label= line) and
// the volume names of the disc image. UTF-8 in the model; each place gets the form it can hold.

#include <cstddef>
#include <string>

namespace corvela {

class CodePages;

// Characters a label may have: a stick's label in autorun.inf has no stated limit, the image's
// volume name holds 32.
inline constexpr size_t kDiscLabelLength = 32;
// Joliet's volume name, the one Explorer shows for a disc, holds 16 UTF-16 units.
inline constexpr size_t kJolietLabelLength = 16;

// What names the disc image: the label, or the menu's caption when there is none.
inline const std::string& ImageLabel(const std::string& discLabel, const std::string& caption) {
  return discLabel.empty() ? caption : discLabel;
}

// Why the label cannot be used (too long, a line break, a character autorun.inf cannot hold in the
// code page the file is written in), as a sentence for the user; empty when it can.
std::string DiscLabelProblem(const std::string& label, CodePages* codes);

// autorun.inf for the label, in the system code page; without a label exactly the file of old.
// A label that cannot be written whole is left out rather than written with "?" in it.
std::string AutorunInfText(const std::string& label, CodePages* codes);

// Joliet's volume identifier field: the label's first 16 UTF-16 units (a pair is never split),
// big-endian, padded with spaces to 32 bytes.
std::string JolietVolumeField(const std::string& label);

}  // namespace corvela
