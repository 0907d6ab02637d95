#include "project/StoredPath.h"

#include "platform/Platform.h"
#include "project/CopyIn.h"

namespace corvela {

namespace {
bool IsBlank(char c) { return static_cast<unsigned char>(c) <= 32; }

char FoldCase(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

// Windows names d:\disc and D:\Disc the same folder.
bool SameNameIgnoringCase(const std::string& a, size_t from, size_t count, const std::string& b) {
  if (a.size() < from + count || b.size() != count) return false;
  for (size_t i = 0; i < count; ++i)
    if (FoldCase(a[from + i]) != FoldCase(b[i])) return false;
  return true;
}
}  // namespace

std::string TrimBlanks(const std::string& text) {
  size_t begin = 0, end = text.size();
  while (begin < end && IsBlank(text[begin])) ++begin;
  while (end > begin && IsBlank(text[end - 1])) --end;
  return text.substr(begin, end - begin);
}

std::string MakeStoredPath(const std::string& cdFolder, const std::string& chosen) {
  if (cdFolder.empty()) return {};
  const size_t n = cdFolder.size();
  if (!SameNameIgnoringCase(chosen, 0, n, cdFolder)) return {};
  // D:\Menu2\a.wav must not count as inside D:\Menu.
  if (cdFolder.back() != '\\' && (chosen.size() <= n || chosen[n] != '\\')) return {};
  return chosen.substr(n);
}

std::string NormalizeStoredPath(const std::string& text) {
  std::string result = TrimBlanks(text);
  if (!result.empty() && result.front() != '\\') result.insert(result.begin(), '\\');
  return result;
}

std::string ResolveStoredPath(const std::string& cdFolder, const std::string& value) {
  if (!value.empty() && value.front() == '\\') return cdFolder + value;
  return value;
}

std::string RefusalMessage(const std::string& cdFolder, RefusalStyle style) {
  std::string text = "Selected file should be in \"" + cdFolder + "\"";
  text += style == RefusalStyle::Plain ? " directory or its subdirectory directory" : " directory or its subdirectory";
  return text;
}

SelectResult SelectFileInCdFolder(AppState& state, std::string& field, const std::string& filter,
                                  RefusalStyle style, bool mustExist) {
  FileChooserRequest request;
  request.Filter = filter;
  request.MustExist = mustExist;
  std::string text = TrimBlanks(field);
  if (!text.empty()) {
    if (text.front() != '\\') text.insert(text.begin(), '\\');
    request.FileName = state.CDFolder + TrimBlanks(text);
  } else {
    request.InitialDir = state.CDFolder;
  }
  std::optional<std::string> chosen = state.Env.Chooser->ChooseFile(request);
  if (!chosen) return SelectResult::Cancelled;
  std::string stored = MakeStoredPath(state.CDFolder, *chosen);
  // A file from anywhere else is offered a copy in the CD folder; the disc then holds it.
  if (stored.empty() && !state.CDFolder.empty() && state.Env.Files->FileExists(*chosen)) {
    const std::optional<std::string> copy = OfferCopyIntoCdFolder(state, *chosen);
    if (!copy) return SelectResult::Cancelled;
    stored = *copy;
  }
  if (stored.empty()) {
    const std::string message = RefusalMessage(state.CDFolder, style);
    if (style == RefusalStyle::Plain)
      ShowMessage(state.Env, message);
    else
      state.Env.Ui->AskUser(message, "Information", MessageIcon::Information, MessageButtons::Ok);
    return SelectResult::Refused;
  }
  if (stored == field) return SelectResult::Unchanged;
  field = stored;
  return SelectResult::Changed;
}

}  // namespace corvela
