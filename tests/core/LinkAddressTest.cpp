#include <gtest/gtest.h>

#include "project/LinkAddress.h"

namespace corvela {
namespace {

TEST(LinkAddress, WebAndMailAddressesAreJudgedAsTheShellWouldTakeThem) {
  struct Case {
    const char* Text;
    bool Web;
    bool WellFormed;
  };
  const Case cases[] = {
      {"https://example.com/", true, true},
      {"HTTP://user@www.example.co.uk:8080/a%20b?q=1#top", true, true},
      {"http://[2001:db8::1]/", true, true},
      {"http://192.168.0.1", true, true},
      {"https://", true, false},
      {"https:example.com", true, false},
      {"https://exa mple.com/", true, false},
      {"https://example.com/a b", true, false},
      {" https://example.com/", true, false},  // a leading blank reaches the shell as it is
      {"https://-example.com/", true, false},
      {"https://example..com/", true, false},
      {"https://example.com:99999/", true, false},
      {"https://example.com/%zz", true, false},
      {"help@example.com", false, true},
      {"a.b+c@example.com,d@example.org?subject=Hello%20there", false, true},
      {"help@localhost", false, false},  // a disc goes out into the world, where no such host is
      {"help.@example.com", false, false},
      {"help example@example.com", false, false},
      {"@example.com", false, false},
      {"help@example.com,", false, false},
      {"", false, false},
  };
  for (const Case& c : cases)
    EXPECT_EQ(c.Web ? IsWellFormedWebAddress(c.Text) : IsWellFormedMailAddress(c.Text), c.WellFormed) << c.Text;
}

TEST(LinkAddress, KindIsTheSchemeOfTheTrimmedText) {
  EXPECT_EQ(KindOfAddress(" \t"), AddressKind::Empty);
  EXPECT_EQ(KindOfAddress("  HTTPS://example.com"), AddressKind::Web);
  EXPECT_EQ(KindOfAddress("MailTo:help@example.com"), AddressKind::Mail);
  EXPECT_EQ(KindOfAddress("www.example.com"), AddressKind::Other);
  // The scheme must start the text itself: the shell gets the blanks too.
  EXPECT_FALSE(IsWellFormedMailUrl(" mailto:help@example.com"));
  EXPECT_TRUE(IsWellFormedMailUrl("mailto:help@example.com?subject=Hi"));
  EXPECT_FALSE(HasUrlScheme("C:\\index.html"));
  EXPECT_TRUE(HasUrlScheme("about:blank"));
}

// An HTML pane's file reaches the browser as an address: a path whose blanks or "#" went as they
// are would name another file or none, and a name in another script must stay whole.
TEST(LinkAddress, ALocalPathReachesTheBrowserAsAFileAddress) {
  const struct {
    const char* Target;
    const char* Address;
  } cases[] = {
      {"C:\\Disc\\page.html", "file:///C:/Disc/page.html"},
      {"d:\\My Menu\\100% #1 {new}.htm", "file:///d:/My%20Menu/100%25%20%231%20%7Bnew%7D.htm"},
      {"C:\\\xCE\x9C\xCE\xB5\xCE\xBD\xCE\xBF\xCF\x8D\\\xE4\xB8\xAD.html",
       "file:///C:/\xCE\x9C\xCE\xB5\xCE\xBD\xCE\xBF\xCF\x8D/\xE4\xB8\xAD.html"},  // Greek folder, Chinese file
      {"\\\\server\\share\\a[1].html", "file://server/share/a%5B1%5D.html"},
      {"http://example.org/a b.html", "http://example.org/a b.html"},  // an address is the author's
      {"about:blank", "about:blank"},
      {"page.html", "page.html"},
      {"\\\\\\odd", "\\\\\\odd"},
      {"", ""},
  };
  for (const auto& c : cases) EXPECT_EQ(BrowserAddress(c.Target), c.Address) << c.Target;
}

}  // namespace
}  // namespace corvela
