#pragma once
// The link editor "Edit Link" without its window.

#include <array>
#include <string>

#include "dialogs/DialogRules.h"
#include "project/StoredPath.h"
#include "project/AppState.h"

namespace corvela {

// The stored Action is the entry's index. The trailing blank of entry 2 is part of its text.
inline constexpr std::array<const char*, 8> kLinkActionEntries = {
    "None",       "Open or Execute File", "Open URL to Visit(or download file from) Internet ",
    "Send Email", "Play Sound File",      "Print File",
    "Browse CD",  "Exit AutoRun"};

struct LinkEditorFields {
  int Action = -1;
  std::string Target;
  std::string Parameters;
  std::string StartDirectory;
};

// Which controls an action enables; a disabled edit keeps its text, and the text is still stored.
struct LinkFieldStates {
  bool Target = false;
  bool Parameters = false;
  bool StartDirectory = false;
  bool Browse = false;
  bool operator==(const LinkFieldStates& o) const {
    return Target == o.Target && Parameters == o.Parameters && StartDirectory == o.StartDirectory && Browse == o.Browse;
  }
};
LinkFieldStates EnabledLinkFields(int action);

// The actions whose target and start directory are files of the CD folder.
bool ActionTakesFile(int action);

LinkEditorFields FillLinkEditor(const ObjectLink& link);
// Action, Target, Parameters and StartDirectory back as typed, then for the file actions Target and
// StartDirectory normalised as stored paths, and for Open URL a web address typed without a scheme
// given https://. SoundFile and ShowCommand are not touched.
bool WriteBackLinkEditor(const LinkEditorFields& fields, const DialogFlags& flags, ObjectLink& link);

// The folder part of a stored path, for the start directory: everything before the last
// backslash, or a single backslash for a file directly in the CD folder.
std::string StoredFolderOf(const std::string& storedPath);

// Browse: chooses the target among all files (refusal in the information style); an accepted file
// also puts its folder into the start directory, enabled or not. Changed when either text changed.
SelectResult BrowseLinkTarget(AppState& state, LinkEditorFields& fields);

}  // namespace corvela
