#pragma once
// The file input (the file of an AVI, HTML or RTF pane) without its window.

#include <string>

#include "dialogs/DialogRules.h"
#include "project/StoredPath.h"
#include "project/AppState.h"

namespace corvela {

struct FileInputTexts {
  const char* Caption;
  const char* Prompt;
};
FileInputTexts FileInputTextsFor(bool allowUrl);

// OK after a change stores the edit's text trimmed and otherwise as typed (a URL, a full path or
// a name typed by hand gets no backslash); returns whether fileName was written.
bool FinishFileInput(const std::string& editText, const DialogFlags& flags, std::string& fileName);

// "Select...": the caller's filter, plain refusal, and a name that does not exist yet is accepted.
SelectResult SelectInputFile(AppState& state, std::string& field, const std::string& filter);

}  // namespace corvela
