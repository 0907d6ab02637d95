#include <gtest/gtest.h>

#include "platform/TableCodePages.h"

namespace corvela {
namespace {

// Every byte of every code page reads as one character and comes back as itself: undefined bytes
// included, so an 8-bit file loaded and saved keeps its bytes.
TEST(TableCodePages, EveryByteComesBackAsItself) {
  TableCodePages codes;
  for (uint32_t cp = 1250; cp <= 1258; ++cp) {
    ASSERT_TRUE(codes.Supports(cp));
    for (int b = 0; b < 256; ++b) {
      const std::string byte(1, static_cast<char>(b));
      bool replaced = true;
      EXPECT_EQ(codes.FromUtf8(cp, codes.ToUtf8(cp, byte), replaced), byte) << cp << " byte " << b;
      EXPECT_FALSE(replaced) << cp << " byte " << b;
    }
  }
  for (uint32_t cp : {1249u, 1259u, 932u, 65001u}) EXPECT_FALSE(codes.Supports(cp)) << cp;
}

// One character per code page from its chart, so that a table shifted or swapped with another shows.
TEST(TableCodePages, BytesReadAsTheChartsSay) {
  struct Case {
    uint32_t CodePage;
    uint8_t Byte;
    const char* Text;
  };
  const Case cases[] = {
      {1250, 0x8A, u8"Š"},
      {1251, 0xC0, u8"А"},
      {1252, 0x80, u8"€"},
      {1253, 0xC1, u8"Α"},
      {1254, 0xD0, u8"Ğ"},
      {1255, 0xE0, u8"א"},
      {1256, 0xC7, u8"ا"},
      {1257, 0xC0, u8"Ą"},
      {1258, 0xD2, u8"\u0309"},
      // Bytes the charts leave undefined read as Windows reads them.
      {1252, 0x81, u8"\u0081"},
      {1253, 0xAA, u8"\uF8F9"},
      {1255, 0xCA, u8"\u05BA"},
  };
  TableCodePages codes;
  for (const Case& c : cases) {
    EXPECT_EQ(codes.ToUtf8(c.CodePage, std::string(1, static_cast<char>(c.Byte))), c.Text) << c.CodePage;
  }
  EXPECT_EQ(codes.ToUtf8(1252, "Men\xFC \x80"), u8"Menü €");
}

TEST(TableCodePages, WhatHasNoByteBecomesAQuestionMarkNeverALookAlike) {
  struct Case {
    const char* Why;
    uint32_t CodePage;
    std::string Text;
    std::string Bytes;
    bool Replaced;
  };
  const Case cases[] = {
      {"Western text fits", 1252, u8"Café ß €", "Caf\xE9 \xDF \x80", false},
      {"Greek fits its own code page", 1253, u8"Μενού", "\xCC\xE5\xED\xEF\xFD", false},
      {"a full-width backslash and dot stay out of the path", 1252, u8"C:\\dir＼x．exe", "C:\\dir?x?exe", true},
      {"A with macron is no A", 1252, u8"Ā", "?", true},
      {"Greek in a Western code page", 1252, u8"Μενού", "?????", true},
      {"an emoji is one character", 1252, u8"a😀b", "a?b", true},
      {"a byte that is not UTF-8", 1252, "\xC3(", "?(", true},
  };
  TableCodePages codes;
  for (const Case& c : cases) {
    bool replaced = !c.Replaced;
    EXPECT_EQ(codes.FromUtf8(c.CodePage, c.Text, replaced), c.Bytes) << c.Why;
    EXPECT_EQ(replaced, c.Replaced) << c.Why;
  }
}

}  // namespace
}  // namespace corvela
