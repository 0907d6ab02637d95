#include "dialogs/FileInputRules.h"

namespace corvela {

FileInputTexts FileInputTextsFor(bool allowUrl) {
  if (allowUrl) return {"File or URL", "Input file name or URL, or select file"};
  return {"File", "Input file name or select file"};
}

bool FinishFileInput(const std::string& editText, const DialogFlags& flags, std::string& fileName) {
  if (!flags.ShouldWrite()) return false;
  fileName = TrimBlanks(editText);
  return true;
}

SelectResult SelectInputFile(AppState& state, std::string& field, const std::string& filter) {
  return SelectFileInCdFolder(state, field, filter, RefusalStyle::Plain, /*mustExist=*/false);
}

}  // namespace corvela
