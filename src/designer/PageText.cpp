#include "designer/PageText.h"

#include <cstdio>

#include "platform/PathNames.h"
#include "project/LinkAddress.h"
#include "project/StoredPath.h"

namespace corvela {

namespace {

bool Unreserved(unsigned char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' || c == '.' ||
         c == '_' || c == '~';
}

std::string PercentEscaped(const std::string& part, const char* keep = "") {
  std::string out;
  for (const char ch : part) {
    const auto c = static_cast<unsigned char>(ch);
    if (Unreserved(c) || (c != 0 && std::string(keep).find(ch) != std::string::npos)) {
      out += ch;
    } else {
      char hex[4];
      std::snprintf(hex, sizeof hex, "%%%02X", c);
      out += hex;
    }
  }
  return out;
}

// Addresses go out as the author wrote them; only what no address may hold is escaped, so that
// the page validates and the browser reads the same address.
std::string AddressEscaped(const std::string& address) {
  std::string out;
  for (const char ch : address) {
    const auto c = static_cast<unsigned char>(ch);
    if (c <= 0x20 || c == 0x7F || ch == '"' || ch == '<' || ch == '>' || ch == '\\' || ch == '^' || ch == '`' ||
        ch == '{' || ch == '|' || ch == '}') {
      char hex[4];
      std::snprintf(hex, sizeof hex, "%%%02X", c);
      out += hex;
    } else {
      out += ch;
    }
  }
  return out;
}

// The web-safe family that stands in for a face the reader's computer lacks.
const char* GenericFamily(const std::string& name) {
  const std::string upper = UpperAscii(name);
  if (upper.find("COURIER") != std::string::npos || upper.find("MONO") != std::string::npos ||
      upper.find("CONSOL") != std::string::npos || upper.find("FIXED") != std::string::npos)
    return "monospace";
  if (upper.find("SANS") == std::string::npos &&
      (upper.find("TIMES") != std::string::npos || upper.find("SERIF") != std::string::npos ||
       upper.find("GEORGIA") != std::string::npos || upper.find("ROMAN") != std::string::npos))
    return "serif";
  return "sans-serif";
}

// A family name as a CSS string: quotes and backslashes escaped, line ends dropped.
std::string CssString(const std::string& text) {
  std::string out = "\"";
  for (const char ch : text) {
    if (ch == '"' || ch == '\\') out += '\\';
    if (ch != '\n' && ch != '\r' && ch != '<') out += ch;
  }
  return out + "\"";
}

}  // namespace

std::string EscapeHtml(const std::string& text) {
  std::string out;
  out.reserve(text.size());
  for (const char ch : text) {
    switch (ch) {
      case '&': out += "&amp;"; break;
      case '<': out += "&lt;"; break;
      case '>': out += "&gt;"; break;
      case '"': out += "&quot;"; break;
      case '\'': out += "&#39;"; break;
      default: out += ch;
    }
  }
  return out;
}

std::string DiscHref(const std::string& storedPath) {
  std::string path = TrimBlanks(storedPath);
  for (char& c : path)
    if (c == '\\') c = '/';
  if (path.size() >= 2 && path[1] == ':') return "file:///" + PercentEscaped(path, "/:");
  while (!path.empty() && path.front() == '/') path.erase(path.begin());
  if (path.empty()) return "./";
  return PercentEscaped(path, "/");
}

std::optional<std::string> LinkHref(const ObjectLink& link) {
  const std::string target = TrimBlanks(link.Target);
  switch (link.Action) {
    case LinkAction::OpenFile:
    case LinkAction::PlaySound:
    case LinkAction::PrintFile:
      if (target.empty()) return std::nullopt;
      // A file link may name an address itself; it opens as the browser takes it.
      return HasUrlScheme(target) ? AddressEscaped(target) : DiscHref(target);
    case LinkAction::OpenUrl:
      if (target.empty()) return std::nullopt;
      return AddressEscaped(WithWebScheme(target));
    case LinkAction::SendEmail: {
      if (target.empty()) return std::nullopt;
      const bool prefixed = UpperAscii(target.substr(0, 7)) == "MAILTO:";
      return AddressEscaped(prefixed ? target : "mailto:" + target);
    }
    case LinkAction::BrowseCd:
      return std::string("./");
    case LinkAction::None:
    case LinkAction::ExitAutoRun:
      break;
  }
  return std::nullopt;
}

std::string CssColour(Colour colour, SystemColours* colours) {
  const uint32_t rgb = ResolveColour(colour, colours);
  char text[8];
  std::snprintf(text, sizeof text, "#%02X%02X%02X", rgb & 0xFF, (rgb >> 8) & 0xFF, (rgb >> 16) & 0xFF);
  return text;
}

std::string CssFont(const FontRecord& font, SystemColours* colours) {
  std::string css = "font-family:" + CssString(font.Name) + "," + GenericFamily(font.Name) + ";";
  // A negative size gives the player a font of that cell height, near enough the same size.
  const int64_t points = font.Size < 0 ? -int64_t{font.Size} : font.Size;
  css += "font-size:" + std::to_string(points > 0 ? points : 8) + "pt;";
  css += (font.Style & fsBold) ? "font-weight:bold;" : "font-weight:normal;";
  css += (font.Style & fsItalic) ? "font-style:italic;" : "font-style:normal;";
  std::string decoration;
  if (font.Style & fsUnderline) decoration += " underline";
  if (font.Style & fsStrikeOut) decoration += " line-through";
  css += "text-decoration:" + (decoration.empty() ? std::string("none") : decoration.substr(1)) + ";";
  return css + "color:" + CssColour(font.Color, colours) + ";";
}

}  // namespace corvela
