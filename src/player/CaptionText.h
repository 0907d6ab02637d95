#pragma once
// What a caption says beyond its look: the character its "&" marks, which a typed key is matched
// against. The direction its script runs, which decides a menu's reading order and how a caption
// is drawn, is the code points' own (platform/CodePoints.h).

#include <string>

#include "platform/CodePoints.h"
#include "project/Model.h"

namespace corvela {

// A label's or button's caption; null for other objects.
const std::string* CaptionOf(const MenuObject& obj);

// The lower-case form used to compare mnemonics: ASCII, Latin-1, Latin Extended-A, Greek,
// Cyrillic and Armenian; anything else is returned as it is.
char32_t FoldCase(char32_t c);

// The character a caption's first single "&" marks ("&&" is a literal ampersand), or 0 when none
// is marked or the mark stands before a blank or a control character.
char32_t MnemonicOf(const std::string& caption);

// The typed character is the caption's mnemonic, whatever the case of either.
bool MnemonicMatches(const std::string& caption, char32_t typed);

}  // namespace corvela
