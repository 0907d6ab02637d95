#include "project/DiscCheckStrings.h"

#include <type_traits>

#include "project/DiscCheckProject.h"
#include "project/FileStrings.h"
#include "project/ProjectFields.h"

namespace corvela {

namespace {

class StringNotes {
 public:
  StringNotes(CodePages& codes, uint32_t codePage, std::vector<Finding>& findings)
      : codes_(codes), encoder_(&codes, codePage), findings_(findings) {}

  void SetOwner(const FindingOwner& owner) { owner_ = owner; }

  // A visitor of the field lists: strings are judged, fonts opened, every other field passed by.
  template <class Field>
  bool operator()(const char* name, const Field& value) {
    if constexpr (std::is_same_v<Field, std::string>) {
      Judge(name, value);
    } else if constexpr (std::is_same_v<Field, FontRecord>) {
      fields::FontFields(value, [&](const char*, const auto& part) {
        if constexpr (std::is_same_v<std::decay_t<decltype(part)>, std::string>) Judge(name, part);
        return true;
      });
    }
    return true;
  }

 private:
  void Judge(const char* field, const std::string& text) {
    const size_t before = encoder_.Unicode().size();
    const std::string& bytes = encoder_.Encode(text);
    if (encoder_.Unicode().size() == before) return;
    AddFinding(findings_, Severity::Note, owner_, "",
               std::string(field) + " \"" + text + "\" is shown in Unicode; 8-bit readers see \"" +
                   codes_.ToUtf8(encoder_.Page(), bytes) + "\"");
  }

  CodePages& codes_;
  StringEncoder encoder_;
  std::vector<Finding>& findings_;
  FindingOwner owner_ = kMenuOwner;
};

}  // namespace

void NoteUnicodeOnlyStrings(const MenuProject& project, CodePages& codes, uint32_t codePage,
                            std::vector<Finding>& findings) {
  StringNotes notes(codes, codePage, findings);
  notes("FormIcon", project.FormIcon);
  notes("StartSound", project.StartSound);
  fields::LinkFields(project.StartLink, notes);
  const int32_t left = project.Form.Left, top = project.Form.Top;
  fields::WindowFields(project.Form, left, top, notes);
  for (size_t i = 0; i < project.Objects.size(); ++i) {
    const MenuObject& obj = *project.Objects[i];
    MenuSnapshot::Object who;
    who.Kind = obj.Kind;
    who.Name = obj.Base().Name;
    notes.SetOwner(OwnerOf(who, static_cast<int32_t>(i)));
    fields::LinkFields(obj.Link, notes);
    fields::ObjectFileFields(obj, notes);
    fields::ControlFields(obj.Control, notes);
  }
}

}  // namespace corvela
