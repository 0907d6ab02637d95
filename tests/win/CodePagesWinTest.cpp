// Windows' code page conversions against the tables the native build and mnx use: a character
// either side converts differently would load or save differently there.
#include <gtest/gtest.h>

#include <vector>

#include "platform/TableCodePages.h"
#include "platform/Utf8.h"
#include "platform/win/Win32CodePages.h"

namespace corvela {
namespace {

TEST(Win32CodePages, AgreeWithTheTablesOnEveryByteAndEveryCharacterOfTheBasicPlane) {
  win::Win32CodePages windows;
  TableCodePages tables;
  std::string everyByte;
  for (int b = 0; b < 256; ++b) everyByte.push_back(static_cast<char>(b));
  // One code point at a time would take minutes under Wine; in one string each still converts
  // alone, one byte for one character in these code pages.
  std::string basicPlane;
  std::vector<uint32_t> points;
  for (uint32_t c = 1; c <= 0xFFFF; ++c) {
    if (c >= 0xD800 && c <= 0xDFFF) continue;
    AppendUtf8(basicPlane, c);
    points.push_back(c);
  }
  for (uint32_t cp = 1250; cp <= 1258; ++cp) {
    SCOPED_TRACE(cp);
    ASSERT_TRUE(windows.Supports(cp));
    EXPECT_TRUE(windows.ToUtf8(cp, everyByte) == tables.ToUtf8(cp, everyByte));
    bool windowsReplaced = false, tablesReplaced = false;
    const std::string fromWindows = windows.FromUtf8(cp, basicPlane, windowsReplaced);
    const std::string fromTables = tables.FromUtf8(cp, basicPlane, tablesReplaced);
    ASSERT_EQ(fromWindows.size(), points.size());
    ASSERT_EQ(fromTables.size(), points.size());
    int differences = 0;
    for (size_t i = 0; i < points.size() && differences < 5; ++i)
      if (fromWindows[i] != fromTables[i]) {
        ADD_FAILURE() << "U+" << std::hex << points[i] << ": Windows " << +static_cast<uint8_t>(fromWindows[i])
                      << ", tables " << +static_cast<uint8_t>(fromTables[i]);
        ++differences;
      }
    EXPECT_TRUE(windowsReplaced);
  }
}

TEST(Win32CodePages, NoLookAlikesAndTheCallerHearsOfEveryReplacement) {
  win::Win32CodePages windows;
  bool replaced = false;
  EXPECT_EQ(windows.FromUtf8(1252, u8"a＼b．c", replaced), "a?b?c");
  EXPECT_TRUE(replaced);
  EXPECT_EQ(windows.FromUtf8(1252, u8"Menü €", replaced), "Men\xFC \x80");
  EXPECT_FALSE(replaced);
  EXPECT_EQ(windows.SystemCodePage(), ::GetACP());
}

}  // namespace
}  // namespace corvela
