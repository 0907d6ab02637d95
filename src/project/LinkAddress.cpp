#include "project/LinkAddress.h"

#include <algorithm>
#include <string_view>

#include "platform/PathNames.h"
#include "project/StoredPath.h"

namespace corvela {

namespace {

bool IsAsciiLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
bool IsAsciiDigit(char c) { return c >= '0' && c <= '9'; }
bool IsAsciiAlnum(char c) { return IsAsciiLetter(c) || IsAsciiDigit(c); }
bool IsHexDigit(char c) { return IsAsciiDigit(c) || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F'); }
bool IsHighByte(char c) { return static_cast<unsigned char>(c) >= 0x80; }

bool StartsWithIgnoringCase(const std::string& text, const std::string& prefix) {
  return text.size() >= prefix.size() && EqualsIgnoringAsciiCase(text.substr(0, prefix.size()), prefix);
}

// A host name (labels of letters, digits and hyphens, not beginning or ending with a hyphen;
// bytes above 127 pass for international names), an IPv4 address, or a bracketed IPv6 one.
bool IsWellFormedHost(const std::string& host, bool needsDot) {
  if (host.empty()) return false;
  if (host.front() == '[') {
    if (needsDot || host.size() < 4 || host.back() != ']') return false;
    return std::all_of(host.begin() + 1, host.end() - 1, [](char c) { return IsHexDigit(c) || c == ':' || c == '.'; });
  }
  size_t labels = 0;
  for (size_t begin = 0; begin <= host.size();) {
    size_t end = host.find('.', begin);
    if (end == std::string::npos) end = host.size();
    const std::string label = host.substr(begin, end - begin);
    if (label.empty() || label.front() == '-' || label.back() == '-') return false;
    if (!std::all_of(label.begin(), label.end(), [](char c) { return IsAsciiAlnum(c) || c == '-' || IsHighByte(c); }))
      return false;
    ++labels;
    begin = end + 1;
  }
  return !needsDot || labels >= 2;
}

// Characters no address may hold as they are: blanks, controls, quotes, angle brackets and the
// backslash of a mistyped https:\\ address; a percent sign must start an escape.
bool HasOnlyAddressCharacters(const std::string& text) {
  for (size_t i = 0; i < text.size(); ++i) {
    const auto c = static_cast<unsigned char>(text[i]);
    if (c <= 0x20 || c == 0x7F || c == '"' || c == '<' || c == '>' || c == '\\') return false;
    if (c == '%' && (i + 2 >= text.size() || !IsHexDigit(text[i + 1]) || !IsHexDigit(text[i + 2]))) return false;
  }
  return true;
}

bool IsWellFormedMailbox(const std::string& address) {
  const size_t at = address.rfind('@');
  if (at == std::string::npos || at == 0) return false;
  const std::string local = address.substr(0, at);
  if (local.front() == '.' || local.back() == '.' || local.find("..") != std::string::npos) return false;
  const std::string allowed = "!#$%&'*+-/=^_`{|}~.";
  for (char c : local)
    if (!IsAsciiAlnum(c) && !IsHighByte(c) && allowed.find(c) == std::string::npos) return false;
  return IsWellFormedHost(address.substr(at + 1), true);
}

}  // namespace

AddressKind KindOfAddress(const std::string& text) {
  const std::string trimmed = TrimBlanks(text);
  if (trimmed.empty()) return AddressKind::Empty;
  if (StartsWithIgnoringCase(trimmed, "http:") || StartsWithIgnoringCase(trimmed, "https:")) return AddressKind::Web;
  if (StartsWithIgnoringCase(trimmed, "mailto:")) return AddressKind::Mail;
  return AddressKind::Other;
}

bool HasUrlScheme(const std::string& value) {
  const size_t colon = value.find(':');
  if (colon == std::string::npos || colon < 2 || !IsAsciiLetter(value[0])) return false;
  return std::all_of(value.begin(), value.begin() + static_cast<std::ptrdiff_t>(colon),
                     [](char c) { return IsAsciiAlnum(c) || c == '+' || c == '-' || c == '.'; });
}

bool LacksWebScheme(const std::string& text) {
  // "www.example.com:8080" has a colon but no scheme.
  return StartsWithIgnoringCase(TrimBlanks(text), "www.");
}

std::string WithWebScheme(const std::string& typed) {
  return LacksWebScheme(typed) ? "https://" + TrimBlanks(typed) : typed;
}

bool IsWellFormedWebAddress(const std::string& url) {
  size_t schemeEnd = 0;
  if (StartsWithIgnoringCase(url, "http://"))
    schemeEnd = 7;
  else if (StartsWithIgnoringCase(url, "https://"))
    schemeEnd = 8;
  else
    return false;
  if (!HasOnlyAddressCharacters(url)) return false;
  const size_t authorityEnd = std::min(url.find_first_of("/?#", schemeEnd), url.size());
  std::string authority = url.substr(schemeEnd, authorityEnd - schemeEnd);
  const size_t at = authority.rfind('@');
  if (at != std::string::npos) authority.erase(0, at + 1);
  std::string host = authority;
  const size_t colon = authority.rfind(':');
  if (colon != std::string::npos && authority.find(']', colon) == std::string::npos) {
    const std::string port = authority.substr(colon + 1);
    if (port.empty() || port.size() > 5 || !std::all_of(port.begin(), port.end(), IsAsciiDigit) ||
        std::stoul(port) > 65535)
      return false;
    host = authority.substr(0, colon);
  }
  return IsWellFormedHost(host, false);
}

bool IsWellFormedMailAddress(const std::string& text) {
  const size_t query = text.find('?');
  const std::string addresses = text.substr(0, query);
  if (!HasOnlyAddressCharacters(text) || addresses.empty()) return false;
  for (size_t begin = 0; begin <= addresses.size();) {
    size_t end = addresses.find(',', begin);
    if (end == std::string::npos) end = addresses.size();
    if (!IsWellFormedMailbox(addresses.substr(begin, end - begin))) return false;
    begin = end + 1;
  }
  return true;
}

bool IsWellFormedMailUrl(const std::string& url) {
  return StartsWithIgnoringCase(url, "mailto:") && IsWellFormedMailAddress(url.substr(7));
}

std::string BrowserAddress(const std::string& target) {
  const bool drive = target.size() >= 3 && IsAsciiLetter(target[0]) && target[1] == ':' && target[2] == '\\';
  const bool share = target.size() >= 3 && target[0] == '\\' && target[1] == '\\' && target[2] != '\\';
  if (!drive && !share) return target;
  // A share's server is the address's host: file://server/share/...; a drive has none: file:///C:/...
  std::string address = drive ? "file:///" : "file:";
  static constexpr char kHex[] = "0123456789ABCDEF";
  for (const char c : target) {
    const auto byte = static_cast<unsigned char>(c);
    if (c == '\\') {
      address += '/';
    } else if (byte <= 0x20 || byte == 0x7F || std::string_view("%#?\"<>^`{|}[]").find(c) != std::string_view::npos) {
      address += '%';
      address += kHex[byte >> 4];
      address += kHex[byte & 0x0F];
    } else {
      address += c;
    }
  }
  return address;
}

}  // namespace corvela
