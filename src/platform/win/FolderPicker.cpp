#include "platform/win/FolderPicker.h"

#include <shlobj.h>
#include <shobjidl.h>

#include <memory>

#include "platform/win/Handles.h"
#include "platform/win/WideText.h"

namespace corvela::win {

namespace {

int CALLBACK BrowseCallback(HWND hwnd, UINT msg, LPARAM, LPARAM data) {
  if (msg == BFFM_INITIALIZED && data) ::SendMessageW(hwnd, BFFM_SETSELECTIONW, TRUE, data);
  return 0;
}

std::optional<std::string> Browse(HWND owner, const std::string& title, const std::string& start) {
  const std::wstring wideTitle = Wide(title), wideStart = Wide(start);
  BROWSEINFOW info{};
  info.hwndOwner = owner;
  info.lpszTitle = wideTitle.c_str();
  info.ulFlags = BIF_RETURNONLYFSDIRS;
  info.lpfn = &BrowseCallback;
  info.lParam = wideStart.empty() ? 0 : reinterpret_cast<LPARAM>(wideStart.c_str());
  std::unique_ptr<ITEMIDLIST, CoTaskMemFreer> item(::SHBrowseForFolderW(&info));
  if (!item) return std::nullopt;
  wchar_t path[MAX_PATH] = {};
  if (!::SHGetPathFromIDListW(item.get(), path)) return std::nullopt;
  return Utf8(path);
}

// Nothing in chosen when the user cancelled; false when the dialog could not be shown at all.
bool ShowItemDialog(HWND owner, const std::string& title, const std::string& start,
                    std::optional<std::string>& chosen) {
  // Wine's dialog takes the desktop folder without checking that there is one: in a profile whose
  // Desktop leads nowhere it would crash inside CoCreateInstance. The browser copes without it.
  ComPtr<IShellFolder> desktop;
  if (FAILED(::SHGetDesktopFolder(desktop.put())) || !desktop) return false;
  ComPtr<IFileOpenDialog> dialog;
  if (FAILED(::CoCreateInstance(CLSID_FileOpenDialog, nullptr, CLSCTX_INPROC_SERVER, IID_IFileOpenDialog,
                                dialog.put_void())))
    return false;
  FILEOPENDIALOGOPTIONS options = 0;
  if (FAILED(dialog->GetOptions(&options)) ||
      FAILED(dialog->SetOptions(options | FOS_PICKFOLDERS | FOS_FORCEFILESYSTEM | FOS_PATHMUSTEXIST)))
    return false;
  dialog->SetTitle(Wide(title).c_str());
  if (!start.empty()) {
    ComPtr<IShellItem> folder;
    if (SUCCEEDED(::SHCreateItemFromParsingName(Wide(start).c_str(), nullptr, IID_IShellItem, folder.put_void())))
      dialog->SetFolder(folder.get());
  }
  const HRESULT shown = dialog->Show(owner);
  if (shown == HRESULT_FROM_WIN32(ERROR_CANCELLED)) return true;
  if (FAILED(shown)) return false;
  ComPtr<IShellItem> result;
  PWSTR path = nullptr;
  if (FAILED(dialog->GetResult(result.put())) || FAILED(result->GetDisplayName(SIGDN_FILESYSPATH, &path))) return true;
  std::unique_ptr<wchar_t, CoTaskMemFreer> owned(path);
  chosen = Utf8(path);
  return true;
}

}  // namespace

std::optional<std::string> PickFolder(HWND owner, const std::string& title, const std::string& start,
                                      FolderPickerKind* kind) {
  std::optional<std::string> chosen;
  if (ShowItemDialog(owner, title, start, chosen)) {
    if (kind) *kind = FolderPickerKind::ItemDialog;
    return chosen;
  }
  if (kind) *kind = FolderPickerKind::Browser;
  return Browse(owner, title, start);
}

}  // namespace corvela::win
