#pragma once
// The text rules of the start page: escaping for HTML, the addresses its links carry, and the
// CSS that gives a caption the menu's font and colour.

#include <optional>
#include <string>

#include "platform/SystemColours.h"
#include "project/Model.h"

namespace corvela {

// Text and attribute values with &, <, >, " and ' as character references.
std::string EscapeHtml(const std::string& text);

// A path stored in the project ("\Docs\Read me.txt", or one on another drive) as a link from
// the disc's root: relative, "/" between the parts, every byte but letters, digits and -._~
// percent-escaped as UTF-8; a drive's path becomes a file: address.
std::string DiscHref(const std::string& storedPath);

// Where a link takes the reader on the page, or nothing: no action, Exit (the page has no window
// to close) and values the player does not know have no link.
std::optional<std::string> LinkHref(const ObjectLink& link);

// "#RRGGBB" of a stored colour, system colours resolved through colours (null: the classic scheme).
std::string CssColour(Colour colour, SystemColours* colours);

// font-family, font-size (pt), font-weight, font-style, text-decoration and color of a font:
// the author's face first, then a web-safe family of its kind.
std::string CssFont(const FontRecord& font, SystemColours* colours);

}  // namespace corvela
