// The direction of text: which reading order a caption is drawn and measured in, and which way a
// menu reads.
#include <gtest/gtest.h>

#include "platform/CodePoints.h"

namespace corvela {
namespace {

TEST(CodePoints, TheFirstStrongCharacterGivesTheDirection) {
  struct Case {
    const char* text;
    TextDirection direction;
  } cases[] = {
      {"Install", TextDirection::LeftToRight},
      {"12 \xD7\xA9\xD7\x9C\xD7\x95\xD7\x9D", TextDirection::RightToLeft},         // digits are weak: Hebrew decides
      {"(\xD9\x85\xD8\xB1\xD8\xAD\xD8\xA8\xD8\xA7)", TextDirection::RightToLeft},  // Arabic in brackets
      {"\xD9\xA1\xD9\xA2 OK", TextDirection::LeftToRight},                         // Arabic-Indic digits are weak too
      {"\xCE\x95\xCE\xBB\xCE\xBB\xCE\xAC\xCE\xB4\xCE\xB1", TextDirection::LeftToRight},  // Greek
      {"\xE4\xB8\xAD\xE6\x96\x87", TextDirection::LeftToRight},                          // Chinese
      {"\xE2\x80\x8F-abc", TextDirection::RightToLeft},                                  // a right-to-left mark
      {"&& -- 42!", TextDirection::Neutral},
  };
  for (const Case& c : cases) EXPECT_EQ(DirectionOf(c.text), c.direction) << c.text;
}

// A caption is laid out right to left only when its first strong character says so: the first,
// not the most, and a caption of digits and signs alone stays left to right.
TEST(CodePoints, ACaptionReadsRightToLeftFromItsFirstStrongCharacter) {
  struct Case {
    const char* text;
    bool rightToLeft;
  } cases[] = {
      {"&\xD7\xA9\xD7\x9C\xD7\x95\xD7\x9D", true},                        // the mnemonic mark is neutral
      {"\xD9\x85\xD8\xB1\xD8\xAD\xD8\xA8\xD8\xA7 OK OK OK", true},        // Arabic first, Latin after
      {"OK \xD9\x85\xD8\xB1\xD8\xAD\xD8\xA8\xD8\xA7 \xD8\xB1\xD8\xAD", false},  // Latin first
      {"2024 - 2025 !", false},                                           // nothing strong
      {"\xEF\xBA\x8D\xEF\xBB\xA0", true},                                 // Arabic presentation forms
      {"\xC9t\xE9 2025", false},                                          // 8-bit Latin-1 reads as its letters
      {"", false},
  };
  for (const Case& c : cases) EXPECT_EQ(ReadsRightToLeft(c.text), c.rightToLeft) << c.text;
}

}  // namespace
}  // namespace corvela
