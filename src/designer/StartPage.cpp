#include "designer/StartPage.h"

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

std::string Px(int32_t v) { return std::to_string(v) + "px"; }

std::string Box(const Rect& r) {
  return "left:" + Px(r.Left) + ";top:" + Px(r.Top) + ";width:" + Px(r.Width()) + ";height:" + Px(r.Height()) + ";";
}

Rect BoundsOf(const ControlBase& c) {
  return {c.Left, c.Top, FitInt32(int64_t{c.Left} + c.Width), FitInt32(int64_t{c.Top} + c.Height)};
}

// ---------------------------------------------------------------- the background picture

void Ring(PixelBuffer& px, Rect r, Colour topLeft, Colour bottomRight) {
  if (r.Right <= r.Left || r.Bottom <= r.Top) return;
  px.FillSolid({r.Left, r.Top, r.Right - 1, r.Top + 1}, topLeft);
  px.FillSolid({r.Left, r.Top, r.Left + 1, r.Bottom - 1}, topLeft);
  px.FillSolid({r.Left, r.Bottom - 1, r.Right, r.Bottom}, bottomRight);
  px.FillSolid({r.Right - 1, r.Top, r.Right, r.Bottom}, bottomRight);
}

Rect Deflated(Rect r, int32_t by) { return {r.Left + by, r.Top + by, r.Right - by, r.Bottom - by}; }

void Rings(PixelBuffer& px, Rect& r, int32_t count, Colour topLeft, Colour bottomRight) {
  for (int32_t i = 0; i < count && r.Right > r.Left && r.Bottom > r.Top; ++i) {
    Ring(px, r, topLeft, bottomRight);
    r = Deflated(r, 1);
  }
}

Rect Moved(Rect r, int32_t dx, int32_t dy) { return {r.Left + dx, r.Top + dy, r.Right + dx, r.Bottom + dy}; }

// The outer panel's bands as the player draws them (shadow and highlight rings), then the inner
// panel's gradient or colour.
PixelBuffer PaintBackground(const MenuProject& project, const MenuPanelLayout& panels, int32_t width, int32_t height,
                            SystemColours* colours) {
  auto sys = [colours](int index) { return ResolveColour(SystemColourValue(index), colours); };
  const Colour face = sys(15), shadow = sys(16), highlight = sys(20), dark = sys(21), light = sys(22);
  PixelBuffer px(width, height, face);
  const int32_t dx = panels.Panel.Left, dy = panels.Panel.Top;
  for (const PanelBand& band : panels.Bands) {
    Rect r = Moved(band.Outer, dx, dy);
    switch (band.Look) {
      case BandLook::SunkenBorder: {
        const bool wide = band.Width > kPanelSingleBorderWidth;
        const int32_t outer = wide ? (band.Width + 1) / 2 : 1;
        Rings(px, r, outer, shadow, highlight);
        Rings(px, r, wide ? band.Width - outer : 1, dark, light);
        break;
      }
      case BandLook::Lowered:
        Rings(px, r, band.Width, shadow, highlight);
        break;
      case BandLook::Raised:
        Rings(px, r, band.Width, highlight, shadow);
        break;
      case BandLook::Space:
        break;
    }
  }
  const Rect inner = Moved(panels.Inner, dx, dy);
  const std::optional<PixelBuffer> picture = RenderBackgroundPixels(project, colours, inner.Width(), inner.Height());
  if (!picture) {
    px.FillSolid(inner, ResolveColour(project.BackColor, colours));
    return px;
  }
  for (int32_t y = 0; y < picture->Height(); ++y)
    for (int32_t x = 0; x < picture->Width(); ++x)
      if (inner.Left + x >= 0 && inner.Left + x < width && inner.Top + y >= 0 && inner.Top + y < height)
        px.RowPixels(inner.Top + y)[inner.Left + x] = picture->At(x, y);
  return px;
}

// ---------------------------------------------------------------- objects

class PageWriter {
 public:
  PageWriter(const AppState& state, TextMeasurer& measurer, StartPage& page)
      : state_(state), measurer_(measurer), page_(page), colours_(state.Env.Colours) {}

  void Object(int index, int tabIndex) {
    const MenuObject& obj = *state_.Project.Objects[static_cast<size_t>(index)];
    if (obj.Link.Action == LinkAction::ExitAutoRun) return;
    id_ = "o" + std::to_string(index);
    switch (obj.Kind) {
      case ObjectKind::Label:
        if (const LabelControl* label = obj.AsLabel()) Label(obj, *label, tabIndex);
        break;
      case ObjectKind::Button:
        if (const ButtonControl* button = obj.AsButton()) Button(obj, *button, tabIndex);
        break;
      case ObjectKind::Image:
        if (const ImageControl* image = obj.AsImage()) Image(obj, *image, tabIndex);
        break;
      case ObjectKind::Html:
        Html(obj, tabIndex);
        break;
      default:
        Pane(obj, tabIndex);
        break;
    }
  }

  std::string Css;
  std::string Body;

 private:
  // The element of a painted object: a link when it has one, else a plain box.
  void Open(const MenuObject& obj, int tabIndex, const std::string& name, const std::string& caption) {
    const std::optional<std::string> href = LinkHref(obj.Link);
    tag_ = href ? "a" : "div";
    Body += "<" + tag_ + " id=\"" + id_ + "\" class=\"o\"";
    if (href) Body += " href=\"" + EscapeHtml(*href) + "\"" + TabIndex(tabIndex);
    const std::string& hint = obj.Base().Hint;
    if (caption.empty() && !name.empty() && href) Body += " aria-label=\"" + EscapeHtml(name) + "\"";
    if (!hint.empty()) Body += " title=\"" + EscapeHtml(hint) + "\"";
    Body += ">";
    Css += "#" + id_ + "{" + Box(BoundsOf(obj.Base())) + "}\n";
  }
  void Close() { Body += "</" + tag_ + ">\n"; }

  // The caption as the player draws it: "&" marks gone, the marked character underlined.
  static std::string CaptionHtml(const std::string& caption) {
    const AcceleratedText shown = ParseAccelerators(caption);
    if (shown.Underline < 0) return EscapeHtml(shown.Text);
    size_t end = static_cast<size_t>(shown.Underline);
    NextCodePoint(shown.Text, end);
    const auto at = static_cast<size_t>(shown.Underline);
    return EscapeHtml(shown.Text.substr(0, at)) + "<u>" + EscapeHtml(shown.Text.substr(at, end - at)) + "</u>" +
           EscapeHtml(shown.Text.substr(end));
  }

  // The place in the player's focus order; objects outside it follow in page order.
  static std::string TabIndex(int index) {
    return index > 0 ? " tabindex=\"" + std::to_string(index) + "\"" : "";
  }

  static std::string Dir(const std::string& caption) { return ReadsRightToLeft(caption) ? " dir=\"rtl\"" : ""; }

  static const char* Align(uint8_t alignment) {
    switch (static_cast<TextAlignment>(alignment)) {
      case TextAlignment::RightJustify: return "right";
      case TextAlignment::Center: return "center";
      case TextAlignment::LeftJustify: break;
    }
    return "left";
  }

  // One caption span; a second with the hot font and place when those differ.
  void Caption(const std::string& caption, const std::string& cls, const Rect& normal, const FontRecord& normalFont,
               const Rect& hot, const FontRecord& hotFont, const std::string& extraCss) {
    if (caption.empty()) return;
    const bool differs = hot != normal || hotFont != normalFont;
    const std::string text = CaptionHtml(caption);
    const std::string classes = "t" + (cls.empty() ? "" : " " + cls);
    Body += "<span class=\"" + classes + (differs ? " n" : "") + "\"" + Dir(caption) + ">" + text + "</span>";
    Css += "#" + id_ + " .t{" + Box(normal) + CssFont(normalFont, colours_) + extraCss + "}\n";
    if (!differs) return;
    Body += "<span class=\"" + classes + " h\" aria-hidden=\"true\"" + Dir(caption) + ">" + text + "</span>";
    Css += "#" + id_ + " .t.h{" + Box(hot) + CssFont(hotFont, colours_) + "}\n";
  }

  void Label(const MenuObject& obj, const LabelControl& label, int tabIndex) {
    const std::string name = ParseAccelerators(label.Caption).Text;
    Open(obj, tabIndex, name.empty() ? label.Hint : name, name);
    const LabelLayout normal = LayoutLabel(label, measurer_);
    LabelControl hotLabel = label;
    hotLabel.Font = obj.HotTrackFont;
    const LabelLayout hot = LayoutLabel(hotLabel, measurer_);
    if (normal.Fill) Css += "#" + id_ + "{background:" + CssColour(label.Color, colours_) + ";}\n";
    const std::string extra = std::string("text-align:") + Align(label.Alignment) + ";";
    Caption(label.Caption, label.WordWrap ? "w" : "", normal.Text, label.Font, hot.Text, obj.HotTrackFont, extra);
    Close();
  }

  // A picture of the page: its file name in Start.files, or empty when there is nothing to show.
  std::string AddPicture(const std::string& stored, const std::string& suffix, PagePicture::From from, bool keyed) {
    if (stored.empty()) return "";
    const std::string name = id_ + suffix + ".png";
    const std::string path = ResolveStoredPath(state_.CDFolder, stored);
    const bool png = UpperAscii(FileNamePart(stored)).size() > 4 &&
                     UpperAscii(stored).compare(stored.size() - 4, 4, ".PNG") == 0;
    page_.Pictures.push_back({name, png && !keyed ? PagePicture::From::Copy : from, path, keyed});
    return name;
  }

  void Img(const std::string& name, const Rect& at, const std::string& cls, const std::string& alt) {
    Body += "<img class=\"p" + (cls.empty() ? "" : " " + cls) + "\" src=\"" + kStartFilesFolder + "/" + name + "\" alt=\"" + EscapeHtml(alt) +
            "\" style=\"" + Box(at) + "\">";
  }

  void Button(const MenuObject& obj, const ButtonControl& button, int tabIndex) {
    const std::string name = ParseAccelerators(button.Caption).Text;
    Open(obj, tabIndex, name.empty() ? button.Hint : name, name);
    const Graphic* glyph = obj.Bitmap.get();
    const Graphic* hotGlyph = obj.HotTrackBitmap ? obj.HotTrackBitmap.get() : glyph;
    auto size = [](const Graphic* g, int32_t& w, int32_t& h) {
      w = g ? g->Width() : kFallbackGlyphSize;
      h = g ? g->Height() : kFallbackGlyphSize;
    };
    int32_t gw = 0, gh = 0, hw = 0, hh = 0;
    size(glyph, gw, gh);
    size(hotGlyph, hw, hh);
    const ButtonPlacement normal = LayoutButton(button, false, false, gw, gh, measurer_);
    ButtonControl hotButton = button;
    hotButton.Font = obj.HotTrackFont;
    const ButtonPlacement hot = LayoutButton(hotButton, false, true, hw, hh, measurer_);
    const std::string face = CssColour(kClBtnFace, colours_);
    auto edge = [&](int outer, int inner) {
      auto c = [&](int index) { return CssColour(SystemColourValue(index), colours_); };
      std::string css = "box-shadow:inset 1px 1px " + c(outer) + ",inset -1px -1px " + c(outer == 20 ? 21 : 16);
      if (inner) css += ",inset 2px 2px " + c(inner) + ",inset -2px -2px " + c(16);
      return css + ";";
    };
    if (normal.Frame == ButtonFrame::Push) Css += "#" + id_ + "{background:" + face + ";" + edge(20, 22) + "}\n";
    if (normal.Frame == ButtonFrame::Fill) Css += "#" + id_ + "{background:" + face + ";}\n";
    if (hot.Frame == ButtonFrame::RaisedEdge) {
      Css += "#" + id_ + ":hover,#" + id_ + ":focus{box-shadow:inset 1px 1px " +
             CssColour(SystemColourValue(20), colours_) + ",inset -1px -1px " +
             CssColour(SystemColourValue(16), colours_) + ";" + (hot.FillEdge ? "background:" + face + ";" : "") +
             "}\n";
    }
    // The glyph: the button's own, or the built-in one.
    std::string normalName = glyph ? AddPicture(obj.BitmapFile, "", PagePicture::From::Glyph, true) : "";
    if (normalName.empty()) {
      normalName = "glyph.png";
      AddFallbackGlyph();
    }
    std::string hotName = obj.HotTrackBitmap ? AddPicture(obj.HotTrackBitmapFile, "h", PagePicture::From::Glyph, true)
                                             : normalName;
    const bool twoGlyphs = hotName != normalName || hot.Glyph != normal.Glyph;
    const std::string opaqueClass = button.Transparent ? "" : "g";
    Img(normalName, normal.Glyph, twoGlyphs ? (opaqueClass.empty() ? "n" : "n g") : opaqueClass, "");
    if (twoGlyphs) Img(hotName, hot.Glyph, opaqueClass.empty() ? "h" : "h g", "");
    if (!button.Transparent) Css += "#" + id_ + " .g{background:" + face + ";}\n";
    Caption(button.Caption, "", normal.Caption, button.Font, hot.Caption, obj.HotTrackFont, "text-align:center;");
    Close();
  }

  void AddFallbackGlyph() {
    for (const PagePicture& p : page_.Pictures)
      if (p.Source == PagePicture::From::FallbackGlyph) return;
    page_.Pictures.push_back({"glyph.png", PagePicture::From::FallbackGlyph, "", true});
  }

  void Image(const MenuObject& obj, const ImageControl& image, int tabIndex) {
    Open(obj, tabIndex, image.Hint, "");
    const Graphic* picture = obj.Picture.get();
    const Graphic* hotPicture = obj.HotTrackPicture.get();
    const bool keyed = image.Transparent;
    const std::string normalName =
        picture ? AddPicture(obj.FileName, "", PagePicture::From::Picture, keyed && IsBitmapFile(obj.FileName)) : "";
    const std::string hotName =
        hotPicture ? AddPicture(obj.HotTrackImageFile, "h", PagePicture::From::Picture,
                                keyed && IsBitmapFile(obj.HotTrackImageFile))
                   : "";
    const bool linked = LinkHref(obj.Link).has_value();
    // A linked picture is named by its hint; an unlinked one without a hint only decorates.
    const std::string alt = image.Hint;
    if (!normalName.empty())
      Img(normalName, ImageDestination(image, picture->Width(), picture->Height()), hotName.empty() ? "" : "n", alt);
    if (!hotName.empty())
      Img(hotName, ImageDestination(image, hotPicture->Width(), hotPicture->Height()), normalName.empty() ? "" : "h",
          normalName.empty() ? alt : "");
    if (normalName.empty() && hotName.empty() && linked && !alt.empty())
      Body += "<span class=\"t\">" + EscapeHtml(alt) + "</span>";
    Close();
  }

  static bool IsBitmapFile(const std::string& stored) {
    const std::string upper = UpperAscii(stored);
    return upper.size() > 4 && upper.compare(upper.size() - 4, 4, ".BMP") == 0;
  }

  std::string PaneName(const MenuObject& obj) const {
    const std::string& hint = obj.Base().Hint;
    if (!hint.empty()) return hint;
    return obj.FileName.empty() ? obj.Base().Name : FileNamePart(obj.FileName);
  }

  void Html(const MenuObject& obj, int tabIndex) {
    if (obj.FileName.empty()) return;
    const std::string target = TrimBlanks(obj.FileName);
    const std::string src = HasUrlScheme(target) ? target : DiscHref(target);
    Body += "<iframe id=\"" + id_ + "\" class=\"f\" src=\"" + EscapeHtml(src) + "\" title=\"" +
            EscapeHtml(PaneName(obj)) + "\"" + TabIndex(tabIndex) + "></iframe>\n";
    Css += "#" + id_ + "{" + Box(BoundsOf(obj.Base())) + "}\n";
  }

  // An RTF, AVI or movie pane: a framed box naming its file, with a link to the file.
  void Pane(const MenuObject& obj, int tabIndex) {
    Css += "#" + id_ + "{" + Box(BoundsOf(obj.Base())) + "}\n";
    const std::string name = PaneName(obj);
    if (obj.FileName.empty()) {
      Body += "<div id=\"" + id_ + "\" class=\"o x\"></div>\n";
      return;
    }
    Body += "<a id=\"" + id_ + "\" class=\"o x\" href=\"" + EscapeHtml(DiscHref(obj.FileName)) + "\"" +
            TabIndex(tabIndex) + Dir(name) + ">" + EscapeHtml(name) + "</a>\n";
  }

  const AppState& state_;
  TextMeasurer& measurer_;
  StartPage& page_;
  SystemColours* colours_;
  std::string id_;
  std::string tag_;
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
  page.Background = PaintBackground(project, panels, width, height, state.Env.Colours);
  const Rect inner = Moved(panels.Inner, panels.Panel.Left, panels.Panel.Top);

  PageWriter writer(state, measurer, page);
  // tabindex follows the player's focus order; the other objects have none.
  const std::vector<int> order = FocusOrder(project);
  std::vector<int> tabIndex(project.Objects.size(), 0);
  for (size_t k = 0; k < order.size(); ++k) tabIndex[static_cast<size_t>(order[k])] = static_cast<int>(k) + 1;
  // Painted objects in list order, then the panes, which the player always stacks above them.
  for (int pass = 0; pass < 2; ++pass)
    for (size_t i = 0; i < project.Objects.size(); ++i)
      if ((pass == 0) == IsPainted(project.Objects[i]->Kind))
        writer.Object(static_cast<int>(i), tabIndex[i]);

  const std::string title = project.Form.Caption.empty() ? std::string("Start") : project.Form.Caption;
  std::string& html = page.Html;
  html = "<!DOCTYPE html>\n<html>\n<head>\n<meta charset=\"utf-8\">\n";
  html += "<meta name=\"viewport\" content=\"width=device-width\">\n";
  html += "<title" + std::string(ReadsRightToLeft(title) ? " dir=\"rtl\"" : "") + ">" + EscapeHtml(title) + "</title>\n";
  html += "<style>\n" + std::string(kStyle);
  html += "#m{width:" + Px(width) + ";height:" + Px(height) + ";background-color:" +
          CssColour(kClBtnFace, state.Env.Colours) + ";background-image:url(\"" + kStartFilesFolder + "/" +
          kBackgroundPicture + "\")}\n";
  html += "#i{" + Box(inner) + "}\n";
  html += writer.Css;
  html += "</style>\n</head>\n<body>\n<main id=\"m\"><div id=\"i\">\n" + writer.Body + "</div></main>\n</body>\n</html>\n";
  return page;
}

}  // namespace corvela
