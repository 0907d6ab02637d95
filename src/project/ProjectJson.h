#pragma once
// The JSON form of a project file, under the field names of the model: how the mnx tool, scripts
// and version control see a project. Strings are the model's UTF-8 text; the raw bytes of a
// trailer's tail map one to one onto the characters U+0000 to U+00FF.

#include <nlohmann/json.hpp>
#include <optional>
#include <string>

#include "project/AppState.h"

namespace corvela {

// Keys keep the order of the fields in the file.
using Json = nlohmann::ordered_json;

std::string Latin1ToUtf8(const std::string& bytes);
// False for text with a character above U+00FF.
bool Utf8ToLatin1(const std::string& text, std::string& bytes);

// Every stored field of the project with the window's Left and Top as the model holds them,
// then ReservedWord and the trailer (whole words as "Trailer", a remainder of fewer than four
// bytes as "TrailerTail"), then the extension entries this version does not know, when there are
// any ("UnknownExtensions": each its "Tag" and its "Bytes" in hexadecimal).
Json ProjectToJson(const AppState& state, const std::string& trailer);

// Sets up state as a new project (NewProject) and sets every field the JSON gives; a new object
// starts as MakeNewObject makes it and needs its Kind. ReservedWord becomes the given value or 0;
// trailer is the given one, or nothing when the JSON has none. Unknown keys and values of the
// wrong type or range, and a tag of UnknownExtensions that this version writes itself, fail with
// an error that names them.
bool ProjectFromJson(const Json& json, AppState& state, std::optional<std::string>& trailer, std::string& error);

}  // namespace corvela
