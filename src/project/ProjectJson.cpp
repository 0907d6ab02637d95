#include "project/ProjectJson.h"

#include <cstdint>
#include <initializer_list>
#include <limits>
#include <set>

#include "platform/Utf8.h"
#include "project/ProjectExtension.h"
#include "project/ProjectFields.h"
#include "project/ProjectFile.h"

namespace corvela {

std::string Latin1ToUtf8(const std::string& bytes) {
  std::string text;
  text.reserve(bytes.size());
  for (char c : bytes) {
    const auto b = static_cast<uint8_t>(c);
    if (b < 0x80) {
      text.push_back(c);
    } else {
      text.push_back(static_cast<char>(0xC0 | (b >> 6)));
      text.push_back(static_cast<char>(0x80 | (b & 0x3F)));
    }
  }
  return text;
}

bool Utf8ToLatin1(const std::string& text, std::string& bytes) {
  std::string out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    const auto b = static_cast<uint8_t>(text[i]);
    if (b < 0x80) {
      out.push_back(static_cast<char>(b));
      continue;
    }
    // Only U+0080 to U+00FF have a byte: the two-byte forms led by C2 or C3.
    if ((b != 0xC2 && b != 0xC3) || i + 1 >= text.size()) return false;
    const auto next = static_cast<uint8_t>(text[i + 1]);
    if ((next & 0xC0) != 0x80) return false;
    out.push_back(static_cast<char>(((b & 0x03) << 6) | (next & 0x3F)));
    ++i;
  }
  bytes = std::move(out);
  return true;
}

// ---------------------------------------------------------------- to JSON

namespace {

std::string HexOf(const std::string& bytes) {
  static const char kDigits[] = "0123456789abcdef";
  std::string hex;
  hex.reserve(bytes.size() * 2);
  for (char c : bytes) {
    const auto b = static_cast<uint8_t>(c);
    hex.push_back(kDigits[b >> 4]);
    hex.push_back(kDigits[b & 0x0F]);
  }
  return hex;
}

Json ToJsonValue(uint8_t v) {
  return static_cast<unsigned>(v);
}
Json ToJsonValue(bool v) {
  return v;
}
Json ToJsonValue(int32_t v) {
  return v;
}
Json ToJsonValue(uint32_t v) {
  return v;
}
Json ToJsonValue(LinkAction v) {
  return static_cast<unsigned>(v);
}
Json ToJsonValue(const std::string& v) {
  return v;
}
Json ToJsonValue(const FontRecord& font);

auto Into(Json& json) {
  return [&json](const char* name, const auto& value) {
    json[name] = ToJsonValue(value);
    return true;
  };
}

Json ToJsonValue(const FontRecord& font) {
  Json json = Json::object();
  fields::FontFields(font, Into(json));
  return json;
}

Json LinkToJson(const ObjectLink& link) {
  Json json = Json::object();
  fields::LinkFields(link, Into(json));
  return json;
}

Json ObjectToJson(const MenuObject& obj) {
  Json json = Json::object();
  json["Kind"] = static_cast<unsigned>(obj.Kind);
  json["Link"] = LinkToJson(obj.Link);
  fields::ObjectFileFields(obj, Into(json));
  Json control = Json::object();
  fields::ControlFields(obj.Control, Into(control));
  json["Control"] = std::move(control);
  return json;
}

}  // namespace

Json ProjectToJson(const AppState& state, const std::string& trailer) {
  const MenuProject& p = state.Project;
  Json json = Json::object();
  json["FormIcon"] = p.FormIcon;
  json["StartSound"] = p.StartSound;
  json["BackColor"] = p.BackColor;
  json["GradientColor"] = p.GradientColor;
  json["GradientStyle"] = static_cast<unsigned>(p.GradientStyle);
  json["StartLink"] = LinkToJson(p.StartLink);
  Json form = Json::object();
  fields::WindowFields(p.Form, p.Form.Left, p.Form.Top, Into(form));
  json["Form"] = std::move(form);
  Json panel = Json::object();
  fields::PanelFields(p.Panel, Into(panel));
  json["Panel"] = std::move(panel);
  Json objects = Json::array();
  for (const auto& obj : p.Objects) objects.push_back(ObjectToJson(*obj));
  json["Objects"] = std::move(objects);
  json["ReservedWord"] = state.ReservedWord;
  Json words = Json::array();
  size_t pos = 0;
  for (; pos + 4 <= trailer.size(); pos += 4) {
    uint32_t word = 0;
    for (size_t i = 0; i < 4; ++i) word |= static_cast<uint32_t>(static_cast<uint8_t>(trailer[pos + i])) << (8 * i);
    words.push_back(word);
  }
  json["Trailer"] = std::move(words);
  if (pos < trailer.size()) json["TrailerTail"] = Latin1ToUtf8(trailer.substr(pos));
  if (!p.DiscLabel.empty()) json["DiscLabel"] = p.DiscLabel;
  // Only when on, so that the form of every project that never set it stays as it was.
  if (p.PublishStartPage) json["PublishStartPage"] = true;
  if (!p.UnknownExtensions.empty()) {
    Json entries = Json::array();
    for (const ExtensionEntry& e : p.UnknownExtensions) {
      Json entry = Json::object();
      entry["Tag"] = e.Tag;
      entry["Bytes"] = HexOf(e.Bytes);
      entries.push_back(std::move(entry));
    }
    json["UnknownExtensions"] = std::move(entries);
  }
  return json;
}

// ---------------------------------------------------------------- from JSON

namespace {

class JsonReader {
 public:
  explicit JsonReader(std::string& error) : Error(error) {}

  bool Get(const Json& v, const std::string& path, uint8_t& out) {
    int64_t n = 0;
    if (!Integer(v, path, 0, 255, n)) return false;
    out = static_cast<uint8_t>(n);
    return true;
  }
  bool Get(const Json& v, const std::string& path, LinkAction& out) {
    uint8_t byte = 0;
    if (!Get(v, path, byte)) return false;
    out = static_cast<LinkAction>(byte);
    return true;
  }
  bool Get(const Json& v, const std::string& path, int32_t& out) {
    int64_t n = 0;
    if (!Integer(v, path, std::numeric_limits<int32_t>::min(), std::numeric_limits<int32_t>::max(), n)) return false;
    out = static_cast<int32_t>(n);
    return true;
  }
  bool Get(const Json& v, const std::string& path, uint32_t& out) {
    int64_t n = 0;
    if (!Integer(v, path, 0, std::numeric_limits<uint32_t>::max(), n)) return false;
    out = static_cast<uint32_t>(n);
    return true;
  }
  bool Get(const Json& v, const std::string& path, bool& out) {
    if (!v.is_boolean()) return Fail(path, "expected true or false");
    out = v.get<bool>();
    return true;
  }
  // The parser has checked that the text is UTF-8.
  bool Get(const Json& v, const std::string& path, std::string& out) {
    if (!v.is_string()) return Fail(path, "expected a string");
    out = v.get<std::string>();
    return true;
  }
  bool Get(const Json& v, const std::string& path, FontRecord& out) {
    return Fields(v, path, {}, [&](auto&& visit) { return fields::FontFields(out, visit); });
  }

  // Sets the fields that list walks from the keys of v; extraKeys are handled by the caller.
  template <class List>
  bool Fields(const Json& v, const std::string& path, std::initializer_list<const char*> extraKeys, List&& list) {
    if (!v.is_object()) return Fail(path, "expected an object");
    std::set<std::string> known(extraKeys.begin(), extraKeys.end());
    const bool ok = list([&](const char* name, auto& field) {
      known.insert(name);
      auto it = v.find(name);
      return it == v.end() || Get(*it, Join(path, name), field);
    });
    if (!ok) return false;
    for (auto it = v.begin(); it != v.end(); ++it)
      if (!known.count(it.key())) return Fail(Join(path, it.key()), "unknown key");
    return true;
  }

  bool Integer(const Json& v, const std::string& path, int64_t low, int64_t high, int64_t& out) {
    if (v.is_number_unsigned()) {
      const auto u = v.get<uint64_t>();
      if (u <= static_cast<uint64_t>(high)) {
        out = static_cast<int64_t>(u);
        if (out >= low) return true;
      }
    } else if (v.is_number_integer()) {
      out = v.get<int64_t>();
      if (out >= low && out <= high) return true;
    }
    return Fail(path, "expected an integer from " + std::to_string(low) + " to " + std::to_string(high));
  }

  bool Fail(const std::string& path, const std::string& what) {
    Error = path + ": " + what;
    return false;
  }

  static std::string Join(const std::string& path, const std::string& name) {
    return path.empty() ? name : path + "." + name;
  }

 private:
  std::string& Error;
};

bool ObjectFromJson(JsonReader& reader, const Json& v, const std::string& path, std::unique_ptr<MenuObject>& result) {
  if (!v.is_object()) return reader.Fail(path, "expected an object");
  auto kindIt = v.find("Kind");
  if (kindIt == v.end()) return reader.Fail(path + ".Kind", "missing: every object needs its kind");
  int64_t kind = 0;
  if (!reader.Integer(*kindIt, path + ".Kind", 0, kObjectKindCount - 1, kind)) return false;
  auto obj = MakeNewObject(static_cast<ObjectKind>(kind));
  obj->Selected = false;
  if (auto it = v.find("Link"); it != v.end()) {
    if (!reader.Fields(*it, path + ".Link", {}, [&](auto&& visit) { return fields::LinkFields(obj->Link, visit); }))
      return false;
  }
  if (auto it = v.find("Control"); it != v.end()) {
    if (!reader.Fields(*it, path + ".Control", {},
                       [&](auto&& visit) { return fields::ControlFields(obj->Control, visit); }))
      return false;
  }
  if (!reader.Fields(v, path, {"Kind", "Link", "Control"},
                     [&](auto&& visit) { return fields::ObjectFileFields(*obj, visit); }))
    return false;
  result = std::move(obj);
  return true;
}

bool TrailerFromJson(JsonReader& reader, const Json& json, std::optional<std::string>& trailer) {
  trailer.reset();
  auto words = json.find("Trailer");
  auto tail = json.find("TrailerTail");
  if (words == json.end() && tail == json.end()) return true;
  ByteWriter out;
  if (words != json.end()) {
    if (!words->is_array()) return reader.Fail("Trailer", "expected an array of integers");
    for (size_t i = 0; i < words->size(); ++i) {
      uint32_t word = 0;
      if (!reader.Get((*words)[i], "Trailer[" + std::to_string(i) + "]", word)) return false;
      out.U32(word);
    }
  }
  std::string rest;
  if (tail != json.end()) {
    if (!tail->is_string()) return reader.Fail("TrailerTail", "expected a string");
    if (!Utf8ToLatin1(tail->get_ref<const std::string&>(), rest))
      return reader.Fail("TrailerTail", "has a character above U+00FF, which no byte can hold");
  }
  out.Raw(rest);
  trailer = out.Take();
  return true;
}

bool BytesOfHex(const std::string& hex, std::string& bytes) {
  if (hex.size() % 2 != 0) return false;
  auto digit = [](char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
  };
  std::string out;
  out.reserve(hex.size() / 2);
  for (size_t i = 0; i < hex.size(); i += 2) {
    const int high = digit(hex[i]), low = digit(hex[i + 1]);
    if (high < 0 || low < 0) return false;
    out.push_back(static_cast<char>(high * 16 + low));
  }
  bytes = std::move(out);
  return true;
}

bool UnknownExtensionsFromJson(JsonReader& reader, const Json& json, std::vector<ExtensionEntry>& entries) {
  auto it = json.find("UnknownExtensions");
  if (it == json.end()) return true;
  if (!it->is_array()) return reader.Fail("UnknownExtensions", "expected an array");
  for (size_t i = 0; i < it->size(); ++i) {
    const std::string path = "UnknownExtensions[" + std::to_string(i) + "]";
    ExtensionEntry entry;
    std::string hex;
    const bool ok = reader.Fields((*it)[i], path, {}, [&](auto&& visit) {
      return visit("Tag", entry.Tag) && visit("Bytes", hex);
    });
    if (!ok) return false;
    if (IsKnownExtensionTag(entry.Tag))
      return reader.Fail(path + ".Tag", "is a tag the file's writer makes itself from the model");
    if (!BytesOfHex(hex, entry.Bytes)) return reader.Fail(path + ".Bytes", "expected pairs of hexadecimal digits");
    entries.push_back(std::move(entry));
  }
  return true;
}

}  // namespace

bool ProjectFromJson(const Json& json, AppState& state, std::optional<std::string>& trailer, std::string& error) {
  JsonReader reader(error);
  NewProject(state);
  state.ReservedWord = 0;
  MenuProject& p = state.Project;
  if (!json.is_object()) return reader.Fail("(top level)", "expected an object");

  const bool top =
      reader.Fields(json, "", {"StartLink", "Form", "Panel", "Objects", "Trailer", "TrailerTail", "UnknownExtensions", "DiscLabel"},
                    [&](auto&& visit) {
        return visit("FormIcon", p.FormIcon) && visit("StartSound", p.StartSound) && visit("BackColor", p.BackColor) &&
               visit("GradientColor", p.GradientColor) && visit("GradientStyle", p.GradientStyle) &&
               visit("ReservedWord", state.ReservedWord) && visit("PublishStartPage", p.PublishStartPage);
      });
  if (!top) return false;
  if (auto it = json.find("DiscLabel"); it != json.end()) {
    if (!it->is_string()) return reader.Fail("DiscLabel", "expected a string");
    p.DiscLabel = it->get<std::string>();
    if (!IsUtf8(p.DiscLabel)) return reader.Fail("DiscLabel", "expected UTF-8 text");
  }
  if (auto it = json.find("StartLink"); it != json.end()) {
    if (!reader.Fields(*it, "StartLink", {}, [&](auto&& visit) { return fields::LinkFields(p.StartLink, visit); }))
      return false;
  }
  if (auto it = json.find("Form"); it != json.end()) {
    if (!reader.Fields(*it, "Form", {},
                       [&](auto&& visit) { return fields::WindowFields(p.Form, p.Form.Left, p.Form.Top, visit); }))
      return false;
  }
  if (auto it = json.find("Panel"); it != json.end()) {
    if (!reader.Fields(*it, "Panel", {}, [&](auto&& visit) { return fields::PanelFields(p.Panel, visit); }))
      return false;
  }
  if (auto it = json.find("Objects"); it != json.end()) {
    if (!it->is_array()) return reader.Fail("Objects", "expected an array");
    for (size_t i = 0; i < it->size(); ++i) {
      std::unique_ptr<MenuObject> obj;
      if (!ObjectFromJson(reader, (*it)[i], "Objects[" + std::to_string(i) + "]", obj)) return false;
      p.Objects.push_back(std::move(obj));
    }
  }
  RenumberTags(state);
  return TrailerFromJson(reader, json, trailer) && UnknownExtensionsFromJson(reader, json, p.UnknownExtensions);
}

}  // namespace corvela
