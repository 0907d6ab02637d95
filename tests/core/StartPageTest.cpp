#include <gtest/gtest.h>

#include "designer/StartPage.h"
#include "designer/StartPagePublish.h"
#include "project/Gradient.h"
#include "support/FakePlatform.h"

namespace corvela {
namespace {

using testing::FakeWorld;

const std::string kCd = "D:\\Menu CD";

// Every character 6 px wide, lines Size + 5 px high, one line.
class LineMeasurer : public TextMeasurer {
 public:
  TextExtent Measure(const std::string& text, const FontRecord& font, int32_t, bool) override {
    return {static_cast<int32_t>(text.size()) * 6, font.Size + 5};
  }
};

MenuObject& Add(AppState& state, ObjectKind kind, Rect at) {
  state.Project.Objects.push_back(MakeNewObject(kind));
  MenuObject& obj = *state.Project.Objects.back();
  obj.Base().Left = at.Left;
  obj.Base().Top = at.Top;
  obj.Base().Width = at.Width();
  obj.Base().Height = at.Height();
  RenumberTags(state);
  return obj;
}

MenuObject& AddLabel(AppState& state, const std::string& caption, Rect at, LinkAction action = LinkAction::None,
                     const std::string& target = "") {
  MenuObject& obj = Add(state, ObjectKind::Label, at);
  obj.AsLabel()->Caption = caption;
  obj.Link.Action = action;
  obj.Link.Target = target;
  obj.HotTrackFont = obj.AsLabel()->Font;
  return obj;
}

struct Menu {
  FakeWorld World;
  LineMeasurer Text;
  Menu() {
    World.State.CDFolder = kCd;
    NewProject(World.State);
    MenuProject& p = World.State.Project;
    p.Form.Width = 300;
    p.Form.Height = 200;
    p.Panel.BevelOuter = static_cast<uint8_t>(BevelCut::Raised);
    p.Panel.BevelWidth = 3;
    p.GradientStyle = static_cast<uint8_t>(GradientStyle::TopBottom);
    p.BackColor = 0x00402010u;
    p.GradientColor = 0x00F0E0D0u;
  }
  StartPage Build() { return BuildStartPage(World.State, Text); }
};

bool Has(const std::string& html, const std::string& part) { return html.find(part) != std::string::npos; }

TEST(StartPage, ObjectsStandAtTheirDesignPlacesInTheirFontsOverThePlayersBackground) {
  Menu m;
  MenuObject& title = AddLabel(m.World.State, "Title", {20, 14, 440, 58});
  title.AsLabel()->Font = {"DejaVu Sans", 0x00FFFFFFu, 26, fsBold | fsItalic};
  title.HotTrackFont = title.AsLabel()->Font;
  title.AsLabel()->Alignment = static_cast<uint8_t>(TextAlignment::Center);
  title.AsLabel()->Transparent = true;
  // Centred vertically: the player's layout puts the 13-px line 14 px down in a 41-px label.
  MenuObject& middle = AddLabel(m.World.State, "Mid", {10, 100, 110, 141});
  middle.AsLabel()->Layout = static_cast<uint8_t>(TextLayout::Center);
  middle.AsLabel()->Transparent = false;
  const StartPage page = m.Build();
  // The inner panel sits inside the 3-px bevel; objects are placed on it.
  EXPECT_TRUE(Has(page.Html, "#i{left:3px;top:3px;width:294px;height:194px;}")) << page.Html;
  EXPECT_TRUE(Has(page.Html, "#o0{left:20px;top:14px;width:420px;height:44px;}"));
  EXPECT_TRUE(Has(page.Html, "#o0 .t{left:0px;top:0px;width:420px;height:44px;font-family:\"DejaVu Sans\",sans-serif;"
                             "font-size:26pt;font-weight:bold;font-style:italic;text-decoration:none;color:#FFFFFF;"
                             "text-align:center;}"));
  EXPECT_TRUE(Has(page.Html, "#o1 .t{left:0px;top:14px;"));
  // A label that is not transparent shows its colour, the system's button face.
  EXPECT_TRUE(Has(page.Html, "#o1{background:#D4D0C8;}"));
  // Nothing differs when hot: one caption.
  EXPECT_TRUE(Has(page.Html, "<div id=\"o0\" class=\"o\"><span class=\"t w\">Title</span></div>")) << page.Html;
  EXPECT_FALSE(Has(page.Html, "#o0{background"));
  // The background is the window's client area: the bevel's highlight, then the gradient the
  // player renders for the inner panel.
  ASSERT_EQ(page.Background.Width(), 300);
  ASSERT_EQ(page.Background.Height(), 200);
  EXPECT_EQ(page.Background.At(0, 0), 0x00FFFFFFu);
  const PixelBuffer gradient = RenderBackgroundPixels(m.World.State.Project, nullptr, 294, 194).value();
  EXPECT_EQ(page.Background.At(3, 3), gradient.At(0, 0));
  EXPECT_EQ(page.Background.At(150, 196), gradient.At(147, 193));
}

TEST(StartPage, LinksAreTheWebsOwnAndExitIsLeftOut) {
  Menu m;
  AppState& s = m.World.State;
  s.Project.StartLink = {"", LinkAction::OpenUrl, 1, "https://start.example/", "", ""};
  s.Project.StartSound = "\\start.wav";
  AddLabel(s, "Read", {0, 0, 60, 20}, LinkAction::OpenFile, u8"\\Docs\\Read me ü#1.pdf");
  AddLabel(s, "Web", {0, 20, 60, 40}, LinkAction::OpenUrl, "www.example.com/a b");
  AddLabel(s, "Mail", {0, 40, 60, 60}, LinkAction::SendEmail, "help@example.com");
  MenuObject& setup = AddLabel(s, "Setup", {0, 60, 60, 80}, LinkAction::OpenFile, "\\Setup\\setup.exe");
  setup.Link.Parameters = "/quiet";
  AddLabel(s, "Tune", {0, 80, 60, 100}, LinkAction::PlaySound, "\\Media\\tune.wav");
  AddLabel(s, "Print", {0, 100, 60, 120}, LinkAction::PrintFile, "\\Docs\\form.txt");
  AddLabel(s, "Quit", {0, 120, 60, 140}, LinkAction::ExitAutoRun);
  AddLabel(s, "Plain", {0, 140, 60, 160});
  const std::string html = m.Build().Html;
  EXPECT_TRUE(Has(html, "<a id=\"o0\" class=\"o\" href=\"Docs/Read%20me%20%C3%BC%231.pdf\"")) << html;
  EXPECT_TRUE(Has(html, "href=\"https://www.example.com/a%20b\""));
  EXPECT_TRUE(Has(html, "href=\"mailto:help@example.com\""));
  // A program's parameters cannot travel with a link.
  EXPECT_TRUE(Has(html, "href=\"Setup/setup.exe\""));
  EXPECT_FALSE(Has(html, "quiet"));
  EXPECT_TRUE(Has(html, "href=\"Media/tune.wav\""));
  EXPECT_TRUE(Has(html, "href=\"Docs/form.txt\""));
  EXPECT_FALSE(Has(html, "Quit"));
  EXPECT_FALSE(Has(html, "id=\"o6\""));
  EXPECT_TRUE(Has(html, "<div id=\"o7\" class=\"o\">"));
  EXPECT_FALSE(Has(html, "start.example"));
  EXPECT_FALSE(Has(html, "start.wav"));
}

TEST(StartPage, TextAndNamesAreEscapedInAnyScriptAndRightToLeftCaptionsSaySo) {
  Menu m;
  AppState& s = m.World.State;
  s.Project.Form.Caption = u8"Menü <Ω> & 菜单";
  MenuObject& quote = AddLabel(s, "<b>\"Tom && Jerry's\"</b>", {0, 0, 200, 20});
  quote.Base().Hint = "say \"hi\" <now>";
  AddLabel(s, u8"&مرحبا بكم", {0, 20, 200, 40}, LinkAction::OpenFile, "\\a.txt");
  MenuObject& pictureLink = Add(s, ObjectKind::Image, {0, 40, 50, 90});
  pictureLink.Link = {"", LinkAction::OpenUrl, 1, "https://example.com/", "", ""};
  pictureLink.Base().Hint = u8"Ссылка \"A&B\"";
  const std::string html = m.Build().Html;
  EXPECT_TRUE(Has(html, u8"<title>Menü &lt;Ω&gt; &amp; 菜单</title>")) << html;
  EXPECT_TRUE(Has(html, "&lt;b&gt;&quot;Tom &amp; Jerry&#39;s&quot;&lt;/b&gt;"));
  EXPECT_TRUE(Has(html, "title=\"say &quot;hi&quot; &lt;now&gt;\""));
  // The "&" marks the access key: underlined, not shown.
  EXPECT_TRUE(Has(html, u8"dir=\"rtl\"><u>م</u>رحبا بكم</span>"));
  // A captionless link is named by its hint.
  EXPECT_TRUE(Has(html, u8"aria-label=\"Ссылка &quot;A&amp;B&quot;\""));
  EXPECT_FALSE(Has(html, "<b>"));
  EXPECT_FALSE(Has(html, "<script"));
}

TEST(StartPage, TabOrderIsThePlayersFocusOrder) {
  Menu m;
  AppState& s = m.World.State;
  // Listed bottom first: the player walks them top first, and the HTML pane after both.
  Add(s, ObjectKind::Html, {0, 0, 100, 50}).FileName = "\\page.html";
  AddLabel(s, "Lower", {0, 120, 60, 140}, LinkAction::OpenFile, "\\b.txt");
  AddLabel(s, "Upper", {0, 60, 60, 80}, LinkAction::OpenFile, "\\a.txt");
  const std::string html = m.Build().Html;
  EXPECT_TRUE(Has(html, "id=\"o2\" class=\"o\" href=\"a.txt\" tabindex=\"1\"")) << html;
  EXPECT_TRUE(Has(html, "id=\"o1\" class=\"o\" href=\"b.txt\" tabindex=\"2\""));
  EXPECT_TRUE(Has(html, "<iframe id=\"o0\" class=\"f\" src=\"page.html\" title=\"page.html\" tabindex=\"3\">"));
  // The pane is stacked above the painted objects, as the player's child windows are.
  EXPECT_LT(html.find("id=\"o1\""), html.find("<iframe"));
}

// Writes "png:" and where the picture came from, so that a test can see what went where.
class FakePictures : public PictureWriter {
 public:
  explicit FakePictures(testing::FakeFileSystem& files) : Files(files) {}
  bool ConvertToPng(const std::string& source, bool, bool, const std::string& target) override {
    if (!Files.FileExists(source)) return false;
    Files.Files[target] = "png:" + source;
    return true;
  }
  bool WritePng(const std::vector<uint32_t>&, int32_t, int32_t, const std::string& target) override {
    Files.Files[target] = "png:background";
    return true;
  }
  bool WriteFallbackGlyph(const std::string& target) override {
    Files.Files[target] = "png:glyph";
    return true;
  }
  bool WritePaneView(const PaneWindow&, const std::string& target) override {
    Files.Files[target] = "png:pane";
    return true;
  }
  testing::FakeFileSystem& Files;
};

TEST(PublishStartPage, WritesThePageKeepsItsPicturesCurrentAndSwitchedOffRemovesBoth) {
  Menu m;
  AppState& s = m.World.State;
  auto& files = m.World.Files;
  FakePictures pictures(files);
  s.Env.Pictures = &pictures;
  files.Directories = {kCd};
  files.Files[kCd + "\\art\\photo.jpg"] = "jpeg";
  files.Files[kCd + "\\art\\logo.png"] = "png bytes";
  files.Files[kCd + "\\notes.rtf"] = "{\\rtf1 notes}";
  MenuObject& photo = Add(s, ObjectKind::Image, {0, 0, 50, 50});
  photo.FileName = "\\art\\photo.jpg";
  photo.Picture = std::make_unique<testing::FakeGraphic>("photo", nullptr, 40, 30);
  photo.AsImage()->Center = true;
  MenuObject& logo = Add(s, ObjectKind::Image, {60, 0, 110, 50});
  logo.FileName = "\\art\\logo.png";
  logo.Picture = std::make_unique<testing::FakeGraphic>("logo", nullptr);
  // A rich-text pane showing its document: its picture goes over the link to the file.
  MenuObject& notes = Add(s, ObjectKind::Rtf, {0, 60, 100, 140});
  notes.FileName = "\\notes.rtf";
  notes.Pane = std::make_unique<PaneWindow>();
  s.Project.PublishStartPage = true;
  const std::string folder = kCd + "\\Start.files";
  files.Directories.insert(folder);
  files.Files[folder + "\\o7.png"] = "a picture of an object since deleted";

  ASSERT_TRUE(PublishStartPage(s));
  EXPECT_EQ(files.Files[kCd + "\\Start.html"], m.Build().Html);
  EXPECT_EQ(files.Files[folder + "\\background.png"], "png:background");
  EXPECT_EQ(files.Files[folder + "\\o0.png"], "png:" + kCd + "\\art\\photo.jpg");
  // A PNG goes over as it is.
  EXPECT_EQ(files.Files[folder + "\\o1.png"], "png bytes");
  EXPECT_FALSE(files.FileExists(folder + "\\o7.png"));
  EXPECT_EQ(files.Files[folder + "\\o2.png"], "png:pane");
  EXPECT_TRUE(Has(files.Files[kCd + "\\Start.html"],
                  "<a id=\"o2\" class=\"o x\" href=\"notes.rtf\" tabindex=\"1\">notes.rtf<img class=\"p\" src=\"Start.files/o2.png\""));
  EXPECT_TRUE(Has(files.Files[kCd + "\\Start.html"], "src=\"Start.files/o0.png\" alt=\"\" style=\"left:5px;top:10px;"));

  s.Project.PublishStartPage = false;
  ASSERT_TRUE(PublishStartPage(s));
  EXPECT_FALSE(files.FileExists(kCd + "\\Start.html"));
  EXPECT_FALSE(files.DirectoryExists(folder));
  for (const auto& [path, bytes] : files.Files) EXPECT_EQ(path.find("Start.files"), std::string::npos) << path;
  EXPECT_TRUE(m.World.Ui.Shown.empty());
}

}  // namespace
}  // namespace corvela
