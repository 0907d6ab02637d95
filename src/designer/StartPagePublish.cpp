#include "designer/StartPagePublish.h"

#include <set>

#include "designer/StartPage.h"
#include "platform/PathNames.h"

namespace corvela {

namespace {

// Without the platform's measurer (a test), captions measure as nothing.
class NoMeasurer : public TextMeasurer {
 public:
  TextExtent Measure(const std::string&, const FontRecord&, int32_t, bool) override { return {}; }
};

void RemovePage(FileSystem& files, const std::string& page, const std::string& folder) {
  if (files.FileExists(page)) files.RemoveFile(page);
  if (!files.DirectoryExists(folder)) return;
  std::vector<FolderEntry> entries;
  if (files.ListFolder(folder, entries))
    for (const FolderEntry& e : entries)
      if (!e.IsFolder) files.RemoveFile(folder + "\\" + e.Name);
  files.RemoveFolder(folder);
}

bool WritePicture(AppState& state, const PagePicture& picture, const std::string& target) {
  FileSystem& files = *state.Env.Files;
  PictureWriter* writer = state.Env.Pictures;
  switch (picture.Source) {
    case PagePicture::From::Copy:
      return files.CopyOneFile(picture.Path, target);
    case PagePicture::From::Picture:
    case PagePicture::From::Glyph:
      return writer && writer->ConvertToPng(picture.Path, picture.Source == PagePicture::From::Glyph, picture.Keyed,
                                            target);
    case PagePicture::From::FallbackGlyph:
      return writer && writer->WriteFallbackGlyph(target);
    case PagePicture::From::PaneView:
      return writer && picture.Pane && writer->WritePaneView(*picture.Pane, target);
  }
  return false;
}

}  // namespace

bool PublishStartPage(AppState& state) {
  FileSystem& files = *state.Env.Files;
  const std::string page = state.CDFolder + "\\" + kStartPageFileName;
  const std::string folder = state.CDFolder + "\\" + kStartFilesFolder;
  if (!state.Project.PublishStartPage) {
    RemovePage(files, page, folder);
    return true;
  }
  NoMeasurer none;
  const StartPage built = BuildStartPage(state, state.Env.Text ? *state.Env.Text : none);
  if (!files.CreateFolder(folder)) {
    ShowError(state.Env, "Cannot create folder \"" + folder + "\"");
    return false;
  }
  std::set<std::string> used;
  const std::string background = folder + "\\" + kBackgroundPicture;
  const PixelBuffer& back = built.Background;
  if (state.Env.Pictures && back.Width() > 0 && back.Height() > 0 &&
      state.Env.Pictures->WritePng(back.Pixels(), back.Width(), back.Height(), background))
    used.insert(UpperAscii(kBackgroundPicture));
  for (const PagePicture& picture : built.Pictures)
    if (WritePicture(state, picture, folder + "\\" + picture.Name)) used.insert(UpperAscii(picture.Name));
  // Pictures of objects since removed or changed would go onto the disc with the rest.
  std::vector<FolderEntry> entries;
  if (files.ListFolder(folder, entries))
    for (const FolderEntry& e : entries)
      if (!e.IsFolder && !used.count(UpperAscii(e.Name))) files.RemoveFile(folder + "\\" + e.Name);
  std::string error;
  if (files.WriteFile(page, built.Html, error)) return true;
  ShowError(state.Env, error);
  return false;
}

}  // namespace corvela
