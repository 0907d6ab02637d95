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

// What OK stores for the edit's text: trimmed; a name typed without a leading backslash gets one,
// so that it means a file of the CD folder and never one of the current folder; a URL and a full
// path outside the CD folder stay as typed, a full path inside it becomes its stored path. Where a
// URL is allowed, "www." begins a web address, which gets https:// in front.
std::string StoredFileInput(const std::string& cdFolder, const std::string& editText, bool allowUrl);
// OK after a change stores StoredFileInput of the edit's text; returns whether fileName was written.
bool FinishFileInput(const std::string& cdFolder, const std::string& editText, bool allowUrl,
                     const DialogFlags& flags, std::string& fileName);

// "Select...": the caller's filter, plain refusal, and a name that does not exist yet is accepted.
SelectResult SelectInputFile(AppState& state, std::string& field, const std::string& filter);

}  // namespace corvela
