#include "designer/StartPage.h"

#include <initializer_list>
#include <string_view>

#include "designer/PageBackground.h"
#include "designer/PageText.h"
#include "platform/CodePoints.h"
#include "platform/PathNames.h"
#include "player/FocusOrder.h"
#include "player/HotTracking.h"
#include "player/MenuFrame.h"
#include "player/ObjectLayout.h"
#include "project/LinkAddress.h"
#include "project/StoredPath.h"

namespace corvela {

namespace {

// The page is built by appending parts rather than by adding strings: the player carries this
// code, and a chain of temporaries costs it far more bytes.
void Put(std::string& out, std::initializer_list<std::string_view> parts) {
  for (std::string_view part : parts) out.append(part.data(), part.size());
}

void PutNumber(std::string& out, int64_t v) { out += std::to_string(v); }

// left, top, width and height in CSS pixels.
void PutBox(std::string& out, const Rect& r) {
  const int64_t values[] = {r.Left, r.Top, int64_t{r.Right} - r.Left, int64_t{r.Bottom} - r.Top};
  const char* names[] = {"left:", "px;top:", "px;width:", "px;height:"};
  for (int i = 0; i < 4; ++i) {
    out += names[i];
    PutNumber(out, values[i]);
  }
  out += "px;";
}

Rect BoundsOf(const ControlBase& c) {
  return {c.Left, c.Top, FitInt32(int64_t{c.Left} + c.Width), FitInt32(int64_t{c.Top} + c.Height)};
}

bool EndsWith(const std::string& stored, const char* extension) {
  const std::string upper = UpperAscii(stored);
  const size_t n = std::char_traits<char>::length(extension);
  return upper.size() > n && upper.compare(upper.size() - n, n, extension) == 0;
}

const char* AlignOf(uint8_t alignment) {
  switch (static_cast<TextAlignment>(alignment)) {
    case TextAlignment::RightJustify: return "text-align:right;";
    case TextAlignment::Center: return "text-align:center;";
    case TextAlignment::LeftJustify: break;
  }
  return "text-align:left;";
}

const char* DirOf(const std::string& text) { return ReadsRightToLeft(text) ? " dir=\"rtl\"" : ""; }

// The caption as the player draws it: "&" marks gone, the marked character underlined.
std::string CaptionHtml(const std::string& caption) {
  const AcceleratedText shown = ParseAccelerators(caption);
  if (shown.Underline < 0) return EscapeHtml(shown.Text);
  const auto at = static_cast<size_t>(shown.Underline);
  size_t end = at;
  NextCodePoint(shown.Text, end);
  std::string html = EscapeHtml(shown.Text.substr(0, at));
  Put(html, {"<u>", EscapeHtml(shown.Text.substr(at, end - at)), "</u>", EscapeHtml(shown.Text.substr(end))});
  return html;
}

class PageWriter {
 public:
  PageWriter(const AppState& state, TextMeasurer& measurer, StartPage& page)
      : state_(state), measurer_(measurer), page_(page), colours_(state.Env.Colours) {}

  void Object(int index, int tabIndex) {
    const MenuObject& obj = *state_.Project.Objects[static_cast<size_t>(index)];
    if (obj.Link.Action == LinkAction::ExitAutoRun) return;
    id_ = "o" + std::to_string(index);
    tabIndex_ = tabIndex > 0 ? " tabindex=\"" + std::to_string(tabIndex) + "\"" : "";
    Put(Css, {"#", id_, "{"});
    PutBox(Css, BoundsOf(obj.Base()));
    Css += "}\n";
    if (const LabelControl* label = obj.AsLabel(); label && obj.Kind == ObjectKind::Label)
      Label(obj, *label);
    else if (const ButtonControl* button = obj.AsButton(); button && obj.Kind == ObjectKind::Button)
      Button(obj, *button);
    else if (const ImageControl* image = obj.AsImage(); image && obj.Kind == ObjectKind::Image)
      Image(obj, *image);
    else if (obj.Kind == ObjectKind::Html && !HasUrlScheme(TrimBlanks(obj.FileName)))
      Html(obj);
    else
      Pane(obj);
  }

  std::string Css;
  std::string Body;

 private:
  // A rule for this object: "#o3" then the selector's rest, then the declarations.
  void Rule(std::initializer_list<std::string_view> selectorRest, std::initializer_list<std::string_view> body) {
    Put(Css, {"#", id_});
    Put(Css, selectorRest);
    Css += "{";
    Put(Css, body);
    Css += "}\n";
  }

  // The element of a painted object: a link when it has one, else a plain box.
  void Open(const MenuObject& obj, const std::string& caption, const std::string& name) {
    const std::optional<std::string> href = LinkHref(obj.Link);
    tag_ = href ? "a" : "div";
    Put(Body, {"<", tag_, " id=\"", id_, "\" class=\"o\""});
    if (href) Put(Body, {" href=\"", EscapeHtml(*href), "\"", tabIndex_});
    if (href && caption.empty() && !name.empty()) Put(Body, {" aria-label=\"", EscapeHtml(name), "\""});
    if (!obj.Base().Hint.empty()) Put(Body, {" title=\"", EscapeHtml(obj.Base().Hint), "\""});
    Body += ">";
  }
  void Close() { Put(Body, {"</", tag_, ">\n"}); }

  // One caption span; a second with the hot font and place when those differ.
  void Caption(const std::string& caption, bool wrap, const Rect& normal, const FontRecord& normalFont, const Rect& hot,
               const FontRecord& hotFont, const char* align) {
    if (caption.empty()) return;
    const bool differs = hot != normal || hotFont != normalFont;
    const std::string text = CaptionHtml(caption);
    const char* classes = wrap ? "t w" : "t";
    Put(Body, {"<span class=\"", classes, differs ? " n\"" : "\"", DirOf(caption), ">", text, "</span>"});
    std::string box;
    PutBox(box, normal);
    Rule({" .t"}, {box, CssFont(normalFont, colours_), align});
    if (!differs) return;
    Put(Body, {"<span class=\"", classes, " h\" aria-hidden=\"true\"", DirOf(caption), ">", text, "</span>"});
    box.clear();
    PutBox(box, hot);
    Rule({" .t.h"}, {box, CssFont(hotFont, colours_)});
  }

  void Label(const MenuObject& obj, const LabelControl& label) {
    const std::string name = ParseAccelerators(label.Caption).Text;
    Open(obj, name, name.empty() ? label.Hint : name);
    const LabelLayout normal = LayoutLabel(label, measurer_);
    LabelControl hotLabel = label;
    hotLabel.Font = obj.HotTrackFont;
    const LabelLayout hot = LayoutLabel(hotLabel, measurer_);
    if (normal.Fill) Rule({}, {"background:", CssColour(label.Color, colours_), ";"});
    Caption(label.Caption, label.WordWrap, normal.Text, label.Font, hot.Text, obj.HotTrackFont, AlignOf(label.Alignment));
    Close();
  }

  // A picture of the page: its file name in Start.files. A PNG the player would show as it is
  // goes over unchanged.
  std::string AddPicture(const std::string& stored, const char* suffix, PagePicture::From from, bool keyed) {
    std::string name = id_ + suffix + ".png";
    const bool copy = EndsWith(stored, ".PNG") && !keyed;
    page_.Pictures.push_back({name, copy ? PagePicture::From::Copy : from, ResolveStoredPath(state_.CDFolder, stored), keyed});
    return name;
  }

  void Img(const std::string& name, const Rect& at, const char* classes, const std::string& alt) {
    Put(Body, {"<img class=\"", classes, "\" src=\"", kStartFilesFolder, "/", name, "\" alt=\"", EscapeHtml(alt),
               "\" style=\""});
    PutBox(Body, at);
    Body += "\">";
  }

  void Button(const MenuObject& obj, const ButtonControl& button) {
    const std::string name = ParseAccelerators(button.Caption).Text;
    Open(obj, name, name.empty() ? button.Hint : name);
    // A button without a glyph of its own shows the built-in one, hot or not.
    const Graphic* glyph = obj.Bitmap.get();
    const Graphic* hotGlyph = obj.HotTrackBitmap ? obj.HotTrackBitmap.get() : glyph;
    const int32_t gw = glyph ? glyph->Width() : kFallbackGlyphSize, gh = glyph ? glyph->Height() : kFallbackGlyphSize;
    const int32_t hw = hotGlyph ? hotGlyph->Width() : gw, hh = hotGlyph ? hotGlyph->Height() : gh;
    const ButtonPlacement normal = LayoutButton(button, false, false, gw, gh, measurer_);
    ButtonControl hotButton = button;
    hotButton.Font = obj.HotTrackFont;
    const ButtonPlacement hot = LayoutButton(hotButton, false, true, hw, hh, measurer_);
    auto sys = [this](int index) { return CssColour(SystemColourValue(index), colours_); };
    const std::string face = sys(15), shadow = sys(16), highlight = sys(20);
    // The push-button frame: highlight over dark shadow outside, light over shadow inside.
    if (normal.Frame == ButtonFrame::Push)
      Rule({}, {"background:", face, ";box-shadow:inset 1px 1px ", highlight, ",inset -1px -1px ", sys(21),
                ",inset 2px 2px ", sys(22), ",inset -2px -2px ", shadow, ";"});
    if (normal.Frame == ButtonFrame::Fill) Rule({}, {"background:", face, ";"});
    if (hot.Frame == ButtonFrame::RaisedEdge)
      Rule({":hover,#", id_, ":focus"}, {"box-shadow:inset 1px 1px ", highlight, ",inset -1px -1px ", shadow, ";",
                                         hot.FillEdge ? "background:" + face + ";" : ""});
    std::string normalName = "glyph.png";
    if (glyph)
      normalName = AddPicture(obj.BitmapFile, "", PagePicture::From::Glyph, true);
    else
      AddFallbackGlyph();
    const std::string hotName =
        obj.HotTrackBitmap ? AddPicture(obj.HotTrackBitmapFile, "h", PagePicture::From::Glyph, true) : normalName;
    const bool two = hotName != normalName || hot.Glyph != normal.Glyph;
    const bool opaque = !button.Transparent;
    Img(normalName, normal.Glyph, two ? (opaque ? "p n g" : "p n") : (opaque ? "p g" : "p"), "");
    if (two) Img(hotName, hot.Glyph, opaque ? "p h g" : "p h", "");
    if (opaque) Rule({" .g"}, {"background:", face, ";"});
    Caption(button.Caption, false, normal.Caption, button.Font, hot.Caption, obj.HotTrackFont, "text-align:center;");
    Close();
  }

  void AddFallbackGlyph() {
    for (const PagePicture& p : page_.Pictures)
      if (p.Source == PagePicture::From::FallbackGlyph) return;
    page_.Pictures.push_back({"glyph.png", PagePicture::From::FallbackGlyph, "", true});
  }

  void Image(const MenuObject& obj, const ImageControl& image) {
    Open(obj, "", image.Hint);
    const Graphic* picture = obj.FileName.empty() ? nullptr : obj.Picture.get();
    const Graphic* hotPicture = obj.HotTrackImageFile.empty() ? nullptr : obj.HotTrackPicture.get();
    // Transparent leaves out a bitmap's key colour; other formats bring their own transparency.
    std::string normalName, hotName;
    if (picture)
      normalName = AddPicture(obj.FileName, "", PagePicture::From::Picture,
                              image.Transparent && EndsWith(obj.FileName, ".BMP"));
    if (hotPicture)
      hotName = AddPicture(obj.HotTrackImageFile, "h", PagePicture::From::Picture,
                           image.Transparent && EndsWith(obj.HotTrackImageFile, ".BMP"));
    // A picture is named by its hint; one without a hint only decorates.
    if (picture)
      Img(normalName, ImageDestination(image, picture->Width(), picture->Height()), hotPicture ? "p n" : "p", image.Hint);
    if (hotPicture)
      Img(hotName, ImageDestination(image, hotPicture->Width(), hotPicture->Height()), picture ? "p h" : "p",
          picture ? "" : image.Hint);
    Close();
  }

  std::string PaneName(const MenuObject& obj) const {
    const std::string& hint = obj.Base().Hint;
    if (!hint.empty()) return hint;
    return obj.FileName.empty() ? obj.Base().Name : FileNamePart(obj.FileName);
  }

  // The HTML pane shows its page of the disc in a frame.
  void Html(const MenuObject& obj) {
    Put(Body, {"<iframe id=\"", id_, "\" class=\"f\" src=\"", EscapeHtml(DiscHref(obj.FileName)), "\" title=\"",
               EscapeHtml(PaneName(obj)), "\"", tabIndex_, "></iframe>\n"});
  }

  // An RTF, AVI or movie pane, or an HTML pane of a web address (the page loads nothing from the
  // network itself): a framed box naming its file, with a link to the file. An RTF or AVI pane
  // that shows something now has that picture over the name, which shows if the picture fails.
  void Pane(const MenuObject& obj) {
    const std::string target = TrimBlanks(obj.FileName);
    if (target.empty()) {
      Put(Body, {"<div id=\"", id_, "\" class=\"o x\"></div>\n"});
      return;
    }
    const std::string name = PaneName(obj);
    const std::string href =
        HasUrlScheme(target) ? LinkHref({"", LinkAction::OpenUrl, 1, target, "", ""}).value_or("") : DiscHref(target);
    Put(Body, {"<a id=\"", id_, "\" class=\"o x\" href=\"", EscapeHtml(href), "\"", tabIndex_, DirOf(name), ">",
               EscapeHtml(name)});
    // A pane whose file is missing shows nothing worth a picture: the name stays in sight.
    if (obj.Pane && (obj.Kind == ObjectKind::Rtf || obj.Kind == ObjectKind::Avi) && !HasUrlScheme(target) &&
        state_.Env.Files && state_.Env.Files->FileExists(ResolveStoredPath(state_.CDFolder, target))) {
      const std::string picture = id_ + ".png";
      page_.Pictures.push_back({picture, PagePicture::From::PaneView, "", false, obj.Pane.get()});
      // Over the frame, as the pane's own edge is part of its picture.
      Img(picture, {-1, -1, obj.Base().Width - 1, obj.Base().Height - 1}, "p", "");
    }
    Put(Body, {"</a>\n"});
  }

  const AppState& state_;
  TextMeasurer& measurer_;
  StartPage& page_;
  SystemColours* colours_;
  std::string id_;
  std::string tag_;
  std::string tabIndex_;
};

constexpr const char* kStyle =
    "html,body{margin:0;height:100%}\n"
    "body{display:flex}\n"
    "#m{position:relative;margin:auto;flex:none;overflow:hidden;background-repeat:no-repeat}\n"
    "#i{position:absolute;overflow:hidden}\n"
    ".o,.f,.p,.t{position:absolute;display:block;margin:0;padding:0;border:0}\n"
    ".o{overflow:hidden;color:inherit;text-decoration:none}\n"
    ".t{white-space:pre;line-height:normal}\n"
    ".t.w{white-space:pre-wrap;overflow-wrap:break-word}\n"
    ".x{box-sizing:border-box;border:1px solid #808080;background:#FFFFFF;color:#000000;"
    "font:10pt sans-serif;padding:4px;overflow:hidden}\n"
    ".o .h{display:none}\n"
    ".o:hover .n,.o:focus .n{display:none}\n"
    ".o:hover .h,.o:focus .h{display:block}\n";

}  // namespace

StartPage BuildStartPage(const AppState& state, TextMeasurer& measurer) {
  StartPage page;
  const MenuProject& project = state.Project;
  const int32_t width = std::max(project.Form.Width, 0), height = std::max(project.Form.Height, 0);
  const MenuPanelLayout panels = LayoutMenuPanels(width, height, project.Form.BorderWidth, project.Panel);
  page.Background = PaintPageBackground(project, panels, width, height, state.Env.Colours);

  PageWriter writer(state, measurer, page);
  // tabindex follows the player's focus order; the other objects have none.
  const std::vector<int> order = FocusOrder(project);
  std::vector<int> tabIndex(project.Objects.size(), 0);
  for (size_t k = 0; k < order.size(); ++k) tabIndex[static_cast<size_t>(order[k])] = static_cast<int>(k) + 1;
  // Painted objects in list order, then the panes, which the player always stacks above them.
  for (int pass = 0; pass < 2; ++pass)
    for (size_t i = 0; i < project.Objects.size(); ++i)
      if ((pass == 0) == IsPainted(project.Objects[i]->Kind)) writer.Object(static_cast<int>(i), tabIndex[i]);

  const std::string& caption = project.Form.Caption;
  std::string& html = page.Html;
  Put(html, {"<!DOCTYPE html>\n<html>\n<head>\n<meta charset=\"utf-8\">\n"
             "<meta name=\"viewport\" content=\"width=device-width\">\n<title",
             DirOf(caption), ">", caption.empty() ? std::string("Start") : EscapeHtml(caption), "</title>\n<style>\n",
             kStyle, "#m{width:"});
  PutNumber(html, width);
  html += "px;height:";
  PutNumber(html, height);
  Put(html, {"px;background-color:", CssColour(kClBtnFace, state.Env.Colours), ";background-image:url(\"",
             kStartFilesFolder, "/", kBackgroundPicture, "\")}\n#i{"});
  PutBox(html, InnerPanelInClient(panels));
  Put(html, {"}\n", writer.Css, "</style>\n</head>\n<body>\n<main id=\"m\"><div id=\"i\">\n", writer.Body,
             "</div></main>\n</body>\n</html>\n"});
  return page;
}

}  // namespace corvela
