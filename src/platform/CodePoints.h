#pragma once
// The code points of UTF-8 text and the direction their scripts run. A byte that does not start a
// well-formed sequence counts as the Latin-1 character of the same value, so that 8-bit Western
// text still finds its letters. The direction decides a menu's reading order and the order in
// which a caption's characters are laid out, both where it is drawn and where it is measured.

#include <cstddef>
#include <string>

namespace corvela {

// The code point that starts at text[pos]; pos moves past it. pos must be inside text.
char32_t NextCodePoint(const std::string& text, size_t& pos);

// The UTF-8 bytes of a code point.
std::string Utf8Of(char32_t c);

enum class TextDirection { Neutral, LeftToRight, RightToLeft };

// The direction of the first strong character (a letter of a script that has a direction, or a
// direction mark); Neutral when digits, blanks, punctuation and symbols are all there is.
TextDirection DirectionOf(const std::string& text);

// A text whose first strong character runs right to left (Arabic, Hebrew, ...) is laid out in
// right-to-left reading order: its neutral characters at the ends stand on its left.
inline bool ReadsRightToLeft(const std::string& text) {
  return DirectionOf(text) == TextDirection::RightToLeft;
}

}  // namespace corvela
