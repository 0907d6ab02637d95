#pragma once
// What a caption says beyond its look: the character its "&" marks, which a typed key is matched
// against, and the direction its script runs, which decides a menu's reading order. Captions are
// UTF-8; a byte that does not start a well-formed sequence counts as the Latin-1 character of the
// same value, so that 8-bit Western text still finds its letters.

#include <cstddef>
#include <string>

#include "project/Model.h"

namespace corvela {

// A label's or button's caption; null for other objects.
const std::string* CaptionOf(const MenuObject& obj);

// The code point that starts at text[pos]; pos moves past it. pos must be inside text.
char32_t NextCodePoint(const std::string& text, size_t& pos);

// The UTF-8 bytes of a code point.
std::string Utf8Of(char32_t c);

// The lower-case form used to compare mnemonics: ASCII, Latin-1, Latin Extended-A, Greek,
// Cyrillic and Armenian; anything else is returned as it is.
char32_t FoldCase(char32_t c);

// The character a caption's first single "&" marks ("&&" is a literal ampersand), or 0 when none
// is marked or the mark stands before a blank or a control character.
char32_t MnemonicOf(const std::string& caption);

// The typed character is the caption's mnemonic, whatever the case of either.
bool MnemonicMatches(const std::string& caption, char32_t typed);

enum class TextDirection { Neutral, LeftToRight, RightToLeft };

// The direction of the first strong character (a letter of a script that has a direction, or a
// direction mark); Neutral when digits, blanks, punctuation and symbols are all there is.
TextDirection DirectionOf(const std::string& text);

}  // namespace corvela
