#include "project/Resources.h"

#include <algorithm>

#include "platform/Platform.h"
#include "project/AutoSize.h"
#include "project/CdFolder.h"
#include "project/StoredPath.h"

namespace corvela {

namespace {

void ReportMissing(AppState& state, const MenuObject& obj, const std::string& path) {
  if (state.CollectMissing) {
    const std::string name = obj.Base().Name.empty() ? KindName(obj.Kind) : obj.Base().Name;
    state.CollectMissing->push_back({path, name + " #" + std::to_string(IndexOf(state, &obj))});
    return;
  }
  if (state.ReportMissingOnce) {
    auto& seen = state.ReportedMissing;
    if (std::find(seen.begin(), seen.end(), path) != seen.end()) return;
    seen.push_back(path);
  }
  ShowError(state.Env, "File \"" + path + "\" not found");
}

void ApplyButton(AppState& state, MenuObject& obj, ButtonControl& button) {
  FileSystem& files = *state.Env.Files;
  GraphicLoader& loader = *state.Env.Graphics;
  obj.Shown = nullptr;
  obj.Bitmap.reset();
  obj.HotTrackBitmap.reset();
  obj.NormalFont = button.Font;
  if (!obj.BitmapFile.empty()) {
    const std::string path = ResolveStoredPath(state.CDFolder, obj.BitmapFile);
    if (files.FileExists(path)) {
      obj.Bitmap = loader.LoadGlyphBitmap(path);
      obj.Shown = obj.Bitmap.get();
    } else {
      ReportMissing(state, obj, path);
    }
  }
  if (obj.HotTrackBitmapFile.empty()) return;
  const std::string hot = ResolveStoredPath(state.CDFolder, obj.HotTrackBitmapFile);
  if (files.FileExists(hot))
    obj.HotTrackBitmap = loader.LoadGlyphBitmap(hot);
  else
    ReportMissing(state, obj, hot);
}

void ApplyImage(AppState& state, MenuObject& obj) {
  FileSystem& files = *state.Env.Files;
  GraphicLoader& loader = *state.Env.Graphics;
  obj.Shown = nullptr;
  obj.Picture.reset();
  obj.HotTrackPicture.reset();
  if (!obj.FileName.empty()) {
    const std::string path = ResolveStoredPath(state.CDFolder, obj.FileName);
    if (!files.FileExists(path)) ReportMissing(state, obj, path);
    obj.Picture = loader.LoadPicture(path);
    obj.Shown = obj.Picture.get();
  }
  if (!obj.HotTrackImageFile.empty()) {
    const std::string hot = ResolveStoredPath(state.CDFolder, obj.HotTrackImageFile);
    if (!files.FileExists(hot)) ReportMissing(state, obj, hot);
    obj.HotTrackPicture = loader.LoadPicture(hot);
  }
}

}  // namespace

void ApplyObjectResources(AppState& state, MenuObject& obj) {
  MenuView* view = state.View;
  switch (obj.Kind) {
    case ObjectKind::Label:
      obj.NormalFont = obj.AsLabel()->Font;
      // Caption and font come from the file or a dialog: an AutoSize label fits them now.
      ApplyAutoSize(obj, state.Env.Text);
      break;
    case ObjectKind::Button:
      ApplyButton(state, obj, *obj.AsButton());
      break;
    case ObjectKind::Image:
      ApplyImage(state, obj);
      ApplyAutoSize(obj, state.Env.Text);
      break;
    case ObjectKind::Avi:
      if (!obj.FileName.empty()) {
        const std::string path = ResolveStoredPath(state.CDFolder, obj.FileName);
        if (!state.Env.Files->FileExists(path)) ReportMissing(state, obj, path);
        if (view) view->PlayAvi(obj, path);
      }
      break;
    case ObjectKind::Html:
      // The designer keeps its browser panes empty; a URL is used as it is.
      if (!state.DesignerMode && !obj.FileName.empty() && view)
        view->NavigateHtml(obj, ResolveStoredPath(state.CDFolder, obj.FileName));
      break;
    case ObjectKind::Rtf:
      if (!obj.FileName.empty()) {
        const std::string path = ResolveStoredPath(state.CDFolder, obj.FileName);
        if (!state.Env.Files->FileExists(path)) ReportMissing(state, obj, path);
        if (view) view->LoadRtf(obj, path);
      }
      break;
    case ObjectKind::Movie:
      break;
  }
}

void ApplyAllObjectResources(AppState& state) {
  for (auto& obj : state.Project.Objects) ApplyObjectResources(state, *obj);
  if (state.View) state.View->WireObjects();
}

std::vector<PictureRequest> PictureRequests(const AppState& state) {
  std::vector<PictureRequest> requests;
  const auto add = [&](const std::string& stored, bool glyph) {
    if (!stored.empty()) requests.push_back({ResolveStoredPath(state.CDFolder, stored), glyph});
  };
  for (const auto& obj : state.Project.Objects) {
    if (!obj) continue;
    if (obj->Kind == ObjectKind::Button) {
      add(obj->BitmapFile, true);
      add(obj->HotTrackBitmapFile, true);
    } else if (obj->Kind == ObjectKind::Image) {
      add(obj->FileName, false);
      add(obj->HotTrackImageFile, false);
    }
  }
  return requests;
}

void ApplyFormSettings(AppState& state) {
  if (!state.View) return;
  // The panel colour is BackColor itself; the background is rebuilt from it.
  state.View->PaintBackground();
  ApplyFormIcon(state);
}

void ApplyFormIcon(AppState& state) {
  MenuView* view = state.View;
  if (!view) return;
  FileSystem& files = *state.Env.Files;
  const std::string& icon = state.Project.FormIcon;
  // FormIcon is always stored with its leading backslash, so it is appended as it is.
  if (!icon.empty() && files.FileExists(state.CDFolder + icon)) {
    if (view->LoadWindowIcon(state.CDFolder + icon)) return;
  }
  const std::string fallback = CdIconPath(state.CDFolder);
  if (files.FileExists(fallback)) view->LoadWindowIcon(fallback);
}

}  // namespace corvela
