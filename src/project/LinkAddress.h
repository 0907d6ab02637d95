#pragma once
// Whether the web and e-mail addresses that links and HTML panes hand to the shell are well formed.

#include <string>

namespace corvela {

// What the text of a link or pane names, judged by its scheme once blanks are trimmed.
enum class AddressKind { Empty, Web, Mail, Other };
AddressKind KindOfAddress(const std::string& text);

// "http:", "res:", "about:": a scheme of two letters or more before a colon, so that a drive
// letter is none.
bool HasUrlScheme(const std::string& value);
// Text a browser would take for a web address though it has no scheme: it begins with "www."
// (blanks trimmed, any letter case).
bool LacksWebScheme(const std::string& text);
// What a field that accepts a web address stores for typed text: https:// in front of an address
// LacksWebScheme finds, as browsers do; any other text unchanged.
std::string WithWebScheme(const std::string& typed);
// An http or https address a browser takes as it is: a scheme, "//", a host name, an IPv4 or
// bracketed address, an optional port, and no blanks, control characters, quotes or angle brackets.
bool IsWellFormedWebAddress(const std::string& url);
// What follows "mailto:": one or more addresses separated by commas, each name@host.domain,
// optionally followed by "?" and header fields.
bool IsWellFormedMailAddress(const std::string& text);
// "mailto:" with nothing before it, then well-formed addresses.
bool IsWellFormedMailUrl(const std::string& url);

// What an HTML pane's browser is sent to: a local path (a drive letter's or a share's) as a file:
// address, with forward slashes and the characters that would end or break an address
// percent-encoded; characters beyond ASCII stay as they are, since that browser reads escaped
// bytes of a file address in the system's code page, not as UTF-8. Anything else unchanged.
std::string BrowserAddress(const std::string& target);

}  // namespace corvela
