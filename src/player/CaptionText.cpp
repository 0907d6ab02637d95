#include "player/CaptionText.h"

#include "player/ObjectLayout.h"

namespace corvela {

const std::string* CaptionOf(const MenuObject& obj) {
  if (const LabelControl* label = obj.AsLabel()) return &label->Caption;
  if (const ButtonControl* button = obj.AsButton()) return &button->Caption;
  return nullptr;
}

char32_t FoldCase(char32_t c) {
  if (c < 0x80) return (c >= 'A' && c <= 'Z') ? c + 0x20 : c;
  if (c >= 0xC0 && c <= 0xDE && c != 0xD7) return c + 0x20;
  if (c == 0x178) return 0xFF;
  if (c == 0x17F) return 's';
  // Latin Extended-A pairs capitals and small letters as even and odd, except in 0x139 to 0x148
  // and 0x179 to 0x17E, where the capitals are odd; 0x130, 0x131, 0x138 and 0x149 have no pair.
  if (c >= 0x100 && c <= 0x17E && c != 0x130 && c != 0x131 && c != 0x138 && c != 0x149) {
    const bool oddCapitals = (c >= 0x139 && c <= 0x148) || c >= 0x179;
    const bool capital = (c % 2 == 1) == oddCapitals;
    return capital ? c + 1 : c;
  }
  if (c >= 0x391 && c <= 0x3AB && c != 0x3A2) return c + 0x20;
  if (c == 0x3C2) return 0x3C3;  // final sigma
  if (c == 0x386) return 0x3AC;
  if (c >= 0x388 && c <= 0x38A) return c + 0x25;
  if (c == 0x38C) return 0x3CC;
  if (c == 0x38E || c == 0x38F) return c + 0x3F;
  if (c >= 0x400 && c <= 0x40F) return c + 0x50;
  if (c >= 0x410 && c <= 0x42F) return c + 0x20;
  if (c >= 0x531 && c <= 0x556) return c + 0x30;
  return c;
}

char32_t MnemonicOf(const std::string& caption) {
  const AcceleratedText parsed = ParseAccelerators(caption);
  if (parsed.Underline < 0) return 0;
  size_t pos = static_cast<size_t>(parsed.Underline);
  const char32_t c = NextCodePoint(parsed.Text, pos);
  return c <= 0x20 || c == 0x7F ? 0 : c;
}

bool MnemonicMatches(const std::string& caption, char32_t typed) {
  const char32_t mnemonic = MnemonicOf(caption);
  return mnemonic != 0 && FoldCase(mnemonic) == FoldCase(typed);
}

}  // namespace corvela
