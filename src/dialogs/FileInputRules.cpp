#include "dialogs/FileInputRules.h"

#include "project/LinkAddress.h"

namespace corvela {

FileInputTexts FileInputTextsFor(bool allowUrl) {
  if (allowUrl) return {"File or URL", "Input file name or URL, or select file"};
  return {"File", "Input file name or select file"};
}

std::string StoredFileInput(const std::string& cdFolder, const std::string& editText, bool allowUrl) {
  const std::string text = TrimBlanks(editText);
  if (allowUrl && LacksWebScheme(text)) return WithWebScheme(text);
  if (text.empty() || text.front() == '\\' || HasUrlScheme(text)) return text;
  const bool fullPath = text.size() >= 2 && text[1] == ':';
  if (!fullPath) return "\\" + text;
  // A full path inside the CD folder travels with the disc only as a stored path.
  const std::string stored = MakeStoredPath(cdFolder, text);
  return stored.empty() ? text : NormalizeStoredPath(stored);
}

bool FinishFileInput(const std::string& cdFolder, const std::string& editText, bool allowUrl,
                     const DialogFlags& flags, std::string& fileName) {
  if (!flags.ShouldWrite()) return false;
  fileName = StoredFileInput(cdFolder, editText, allowUrl);
  return true;
}

SelectResult SelectInputFile(AppState& state, std::string& field, const std::string& filter) {
  return SelectFileInCdFolder(state, field, filter, RefusalStyle::Plain, /*mustExist=*/false);
}

}  // namespace corvela
