#include <gtest/gtest.h>

#include "designer/DialogCommands.h"
#include "support/FakePlatform.h"

namespace corvela {
namespace {

using testing::FakeWorld;

// Records which dialog opened on what, answers Answer, and makes an edit when it does.
class FakeDialogs : public DialogOpener {
 public:
  bool Answer = true;
  std::vector<std::string> Calls;
  bool EditFormProperties(MenuProject& project) override {
    if (Answer) project.Form.BorderStyle = 2;
    return Record("form");
  }
  bool EditLabelProperties(MenuObject& obj) override {
    if (Answer) obj.AsLabel()->Font.Name = "Edited";
    return Record("label");
  }
  bool EditButtonProperties(MenuObject&) override { return Record("button"); }
  bool EditImageProperties(MenuObject&) override { return Record("image"); }
  bool EditLink(ObjectLink& link) override {
    if (Answer) link.Target = "edited";
    return Record("link");
  }
  bool GetFile(std::string& field, bool allowUrl, const std::string& filter) override {
    if (Answer) field = "picked";
    return Record(std::string("file ") + (allowUrl ? "url " : "") + filter);
  }

 private:
  bool Record(const std::string& call) {
    Calls.push_back(call);
    return Answer;
  }
};

// One log for the surface window and the menu window, so that their order can be checked.
struct CallLog {
  std::vector<std::string> Calls;
};

class FakeDesignWindow : public DesignWindow {
 public:
  explicit FakeDesignWindow(CallLog& log) : Log(log) {}
  CallLog& Log;
  ClientSize Menu{400, 300};
  ClientSize MenuClientSize() override {
    Log.Calls.push_back("menu size");
    return Menu;
  }
  void CopyMenuWindowLook() override { Log.Calls.push_back("copy look"); }
  void SetClientSize(ClientSize s) override {
    Log.Calls.push_back("client " + std::to_string(s.Width) + "x" + std::to_string(s.Height));
  }
  void CopyPanelBorder() override { Log.Calls.push_back("copy panel"); }
  void RunResizeHandler() override { Log.Calls.push_back("resize"); }
  void RefreshSurface() override { Log.Calls.push_back("refresh"); }
};

class FakeMenuView : public MenuView {
 public:
  explicit FakeMenuView(CallLog& log) : Log(log) {}
  CallLog& Log;
  void FormSettingsChanged() override { Log.Calls.push_back("menu settings"); }
  void PaintBackground() override { Log.Calls.push_back("menu background"); }
  bool LoadWindowIcon(const std::string& path) override {
    Log.Calls.push_back("menu icon " + path);
    return true;
  }
  void UseApplicationIcon() override {}
  void PlayAvi(MenuObject&, const std::string& path) override { Log.Calls.push_back("avi " + path); }
  void NavigateHtml(MenuObject&, const std::string&) override {}
  void LoadRtf(MenuObject&, const std::string& path) override { Log.Calls.push_back("rtf " + path); }
  void WireObjects() override {}
  void CloseMenu() override {}
};

struct DialogCommands : ::testing::Test {
  FakeWorld World;
  AppState& State = World.State;
  CallLog Log;
  FakeDialogs Dialogs;
  FakeDesignWindow Window{Log};
  FakeMenuView Menu{Log};

  DialogCommands() {
    State.View = &Menu;
    State.CDFolder = "D:\\Menu";
  }
  MenuObject& Add(ObjectKind kind, bool selected) {
    auto obj = MakeNewObject(kind);
    obj->Selected = selected;
    State.Project.Objects.push_back(std::move(obj));
    return *State.Project.Objects.back();
  }
};

TEST_F(DialogCommands, FormPropertiesConfirmedUpdatesBothWindowsInOrder) {
  State.Project.FormIcon = "\\menu.ico";
  World.Files.Files["D:\\Menu\\menu.ico"] = "icon";
  EditFormProperties(State, Dialogs, Window);
  EXPECT_EQ(Log.Calls,
            (std::vector<std::string>{"menu size", "menu settings", "menu background", "menu icon D:\\Menu\\menu.ico",
                                      "copy look", "client 400x300", "copy panel", "menu background", "resize"}));
  EXPECT_EQ(State.Project.Form.BorderStyle, 2);
  EXPECT_TRUE(State.Modified);
}

TEST_F(DialogCommands, FormPropertiesCancelledChangesNothing) {
  Dialogs.Answer = false;
  EditFormProperties(State, Dialogs, Window);
  EXPECT_EQ(Log.Calls, (std::vector<std::string>{"menu size"}));
  EXPECT_FALSE(State.Modified);
}

TEST_F(DialogCommands, StartLinkOnlyMarksTheProjectModified) {
  EditStartLink(State, Dialogs);
  EXPECT_EQ(State.Project.StartLink.Target, "edited");
  EXPECT_TRUE(State.Modified);
  EXPECT_TRUE(Log.Calls.empty());  // nothing redrawn

  State.Modified = false;
  Dialogs.Answer = false;
  EditStartLink(State, Dialogs);
  EXPECT_FALSE(State.Modified);
}

TEST_F(DialogCommands, ObjectPropertiesOpensTheDialogOfTheKind) {
  struct Case {
    ObjectKind kind;
    const char* call;  // empty: no dialog
  };
  const Case cases[] = {
      {ObjectKind::Label, "label"},
      {ObjectKind::Button, "button"},
      {ObjectKind::Image, "image"},
      {ObjectKind::Avi, "file AVI files (*.avi)|*.avi"},
      {ObjectKind::Html, "file url HTML files (*.html,*.htm)|*.html;*.htm"},
      {ObjectKind::Rtf, "file RTF files (*.rtf)|*.rtf"},
      {ObjectKind::Movie, ""},
  };
  for (const auto& c : cases) {
    State.Project.Objects.clear();
    Dialogs.Calls.clear();
    Log.Calls.clear();
    State.Modified = false;
    Add(c.kind, true);
    EditObjectProperties(State, Dialogs, Window);
    const bool opened = *c.call != '\0';
    EXPECT_EQ(Dialogs.Calls, opened ? std::vector<std::string>{c.call} : std::vector<std::string>{});
    EXPECT_EQ(State.Modified, opened) << c.call;
    EXPECT_EQ(!Log.Calls.empty() && Log.Calls.back() == "refresh", opened) << c.call;
  }
}

TEST_F(DialogCommands, ObjectPropertiesAppliesTheResourcesOfTheEditedObject) {
  MenuObject& rtf = Add(ObjectKind::Rtf, true);
  EditObjectProperties(State, Dialogs, Window);
  EXPECT_EQ(rtf.FileName, "picked");
  // The resources were applied to the new file before the refresh.
  EXPECT_EQ(Log.Calls, (std::vector<std::string>{"rtf picked", "refresh"}));

  rtf.Selected = false;
  MenuObject& label = Add(ObjectKind::Label, true);
  EditObjectProperties(State, Dialogs, Window);
  EXPECT_EQ(label.NormalFont.Name, "Edited");  // the control's new font became the normal one
}

TEST_F(DialogCommands, ObjectCommandsNeedExactlyOneSelectedObject) {
  Add(ObjectKind::Label, false);
  EditObjectProperties(State, Dialogs, Window);
  EditObjectLink(State, Dialogs);
  Add(ObjectKind::Button, true);
  Add(ObjectKind::Image, true);
  EditObjectProperties(State, Dialogs, Window);
  EditObjectLink(State, Dialogs);
  EXPECT_TRUE(Dialogs.Calls.empty());
  EXPECT_TRUE(World.Ui.Shown.empty());
  EXPECT_FALSE(State.Modified);
}

TEST_F(DialogCommands, ObjectLinkEditsLabelsButtonsAndImagesAndRefusesPanes) {
  for (ObjectKind kind : {ObjectKind::Label, ObjectKind::Button, ObjectKind::Image}) {
    State.Project.Objects.clear();
    State.Modified = false;
    MenuObject& obj = Add(kind, true);
    EditObjectLink(State, Dialogs);
    EXPECT_EQ(obj.Link.Target, "edited");
    EXPECT_TRUE(State.Modified);
  }
  EXPECT_TRUE(Log.Calls.empty());  // nothing redrawn

  for (ObjectKind kind : {ObjectKind::Avi, ObjectKind::Html, ObjectKind::Rtf, ObjectKind::Movie}) {
    State.Project.Objects.clear();
    State.Modified = false;
    World.Ui.Shown.clear();
    Dialogs.Calls.clear();
    Add(kind, true);
    EditObjectLink(State, Dialogs);
    EXPECT_TRUE(Dialogs.Calls.empty());
    ASSERT_EQ(World.Ui.Shown.size(), 1u);
    EXPECT_EQ(World.Ui.Shown[0].Text, "AVI, HTML or RTF do not support link.");
    EXPECT_EQ(World.Ui.Shown[0].Caption, "Information");
    EXPECT_EQ(World.Ui.Shown[0].Icon, MessageIcon::Information);
    EXPECT_EQ(World.Ui.Shown[0].Buttons, MessageButtons::Ok);
    EXPECT_FALSE(State.Modified);
  }
}

}  // namespace
}  // namespace corvela
