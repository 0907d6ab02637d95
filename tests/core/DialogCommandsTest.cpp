#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <map>

#include "designer/Commands.h"
#include "designer/DialogCommands.h"
#include "support/FakePlatform.h"

namespace corvela {
namespace {

using testing::FakeWorld;

// Records which dialog opened on what, answers Answer, and makes an edit when it does.
class FakeDialogs : public DialogOpener {
 public:
  bool Answer = true;
  // What Form Properties' OK changes: the border style, or only the size when one is typed here.
  std::optional<Size> TypedSize;
  Size ShownSize;
  std::vector<std::string> Calls;
  bool EditFormProperties(MenuProject& project, Size& menuSize) override {
    ShownSize = menuSize;
    if (Answer && TypedSize)
      menuSize = *TypedSize;
    else if (Answer)
      project.Form.BorderStyle = 2;
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

// Logs into the same list as the menu window, so that their order can be checked.
class FakeDesignWindow : public DesignWindow {
 public:
  explicit FakeDesignWindow(std::vector<std::string>& log) : Log(log) {}
  std::vector<std::string>& Log;
  Size MenuClientSize() override {
    Log.push_back("menu size");
    return {400, 300};
  }
  void CopyMenuWindowLook() override { Log.push_back("copy look"); }
  void SetClientSize(Size s) override {
    Log.push_back("client " + std::to_string(s.Width) + "x" + std::to_string(s.Height));
  }
  void CopyPanelBorder() override { Log.push_back("copy panel"); }
  void RunResizeHandler() override { Log.push_back("resize"); }
  void RefreshSurface() override { Log.push_back("refresh"); }
};

struct DialogCommands : ::testing::Test {
  FakeWorld World;
  AppState& State = World.State;
  std::vector<std::string> Log;
  FakeDialogs Dialogs;
  FakeDesignWindow Window{Log};
  testing::RecordingView Menu{&Log};

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

TEST_F(DialogCommands, FormPropertiesConfirmedUpdatesBothWindowsInOrderAndCancelledNeither) {
  Dialogs.Answer = false;
  EditFormProperties(State, Dialogs, Window);
  EXPECT_EQ(Log, (std::vector<std::string>{"menu size"}));
  EXPECT_FALSE(State.Modified);

  Log.clear();
  Dialogs.Answer = true;
  State.Project.FormIcon = "\\menu.ico";
  World.Files.Files["D:\\Menu\\menu.ico"] = "icon";
  EditFormProperties(State, Dialogs, Window);
  EXPECT_EQ(Log, (std::vector<std::string>{"menu size", "settings", "background", "icon D:\\Menu\\menu.ico",
                                           "copy look", "client 400x300", "copy panel", "background", "resize"}));
  EXPECT_EQ(State.Project.Form.BorderStyle, 2);
  EXPECT_TRUE(State.Modified);
}

// The dialog speaks of the inner area, the window of its client area: the margins go both ways.
TEST_F(DialogCommands, FormPropertiesShowsTheInnerSizeAndGivesATypedOneItsMargins) {
  State.Project.Form.BorderWidth = 3;
  State.Project.Panel.BorderStyle = 1;  // 2 pixels
  State.Project.Panel.BorderWidth = 4;
  Dialogs.TypedSize = Size{640, 480};
  EXPECT_EQ(EditFormProperties(State, Dialogs, Window), FormEdit::SizeOnly);
  EXPECT_EQ(Dialogs.ShownSize, (Size{400 - 18, 300 - 18}));
  EXPECT_NE(std::find(Log.begin(), Log.end(), "client 658x498"), Log.end());

  // A size beyond the limits never reaches the window.
  Log.clear();
  Dialogs.TypedSize = Size{9000, 2};
  EditFormProperties(State, Dialogs, Window);
  EXPECT_NE(std::find(Log.begin(), Log.end(), "client 4114x34"), Log.end());

  Dialogs.TypedSize.reset();
  EXPECT_EQ(EditFormProperties(State, Dialogs, Window), FormEdit::Settings);
}

TEST_F(DialogCommands, StartLinkOnlyMarksTheProjectModified) {
  EditStartLink(State, Dialogs);
  EXPECT_EQ(State.Project.StartLink.Target, "edited");
  EXPECT_TRUE(State.Modified);
  EXPECT_TRUE(Log.empty());  // nothing redrawn

  State.Modified = false;
  Dialogs.Answer = false;
  EditStartLink(State, Dialogs);
  EXPECT_FALSE(State.Modified);
}

// The popup menu shows Ctrl+Alt+P and Ctrl+Alt+L; once no key table had them.
TEST_F(DialogCommands, TheShortcutsThePopupMenuShowsOpenTheirDialogs) {
  Add(ObjectKind::Label, true);
  struct Case {
    CommandId command;
    const char* shown;
    const char* call;
  };
  const Case cases[] = {
      {cmdFormProperties, "Form Properties...\tCtrl+Alt+P", "form"},
      {cmdStartLink, "Start Link...\tCtrl+Alt+L", "link"},
      {cmdObjectProperties, "Object Properties...\tCtrl+P", "label"},
      {cmdObjectLink, "Object Link...\tCtrl+L", "link"},
  };
  for (const auto& c : cases) {
    const CommandInfo* info = FindCommand(c.command);
    ASSERT_NE(info, nullptr);
    EXPECT_EQ(MenuItemText(*info, MenuPlace::SurfacePopup), c.shown);
    const std::optional<CommandId> pressed = CommandForKey(info->Keys.Key, info->Keys.Ctrl, info->Keys.Alt);
    ASSERT_EQ(pressed, std::optional<CommandId>(c.command)) << c.shown;
    Dialogs.Calls.clear();
    EXPECT_TRUE(RunDialogCommand(*pressed, State, Dialogs, Window));
    EXPECT_EQ(Dialogs.Calls, std::vector<std::string>{c.call}) << c.shown;
  }
  // Ctrl+P and Ctrl+Alt+P are different commands.
  EXPECT_EQ(CommandForKey('P', true, false), std::optional<CommandId>(cmdObjectProperties));
  EXPECT_EQ(CommandForKey('Q', true, true), std::nullopt);
}

// Each key press means one command; the editing aids took no key the menus already had.
TEST(CommandKeys, NoTwoCommandsShareAKeyAndTheOldKeysKeepTheirCommands) {
  std::vector<Shortcut> all;
  for (const CommandInfo& c : Commands())
    for (const Shortcut& keys : {c.Keys, c.MoreKeys})
      if (keys.Key) all.push_back(keys);
  for (const KeyBinding& b : NudgeKeys()) all.push_back(b.Keys);
  for (size_t i = 0; i < all.size(); ++i)
    for (size_t j = i + 1; j < all.size(); ++j)
      EXPECT_FALSE(all[i].Key == all[j].Key && all[i].Ctrl == all[j].Ctrl && all[i].Alt == all[j].Alt &&
                   all[i].Shift == all[j].Shift)
          << ShortcutText(all[i]);
  const std::pair<char, CommandId> kept[] = {{'X', cmdExit}, {'P', cmdObjectProperties}, {'L', cmdObjectLink},
                                             {'Z', cmdUndo},  {'Y', cmdRedo},             {'C', cmdCopy},
                                             {'V', cmdPaste}, {'D', cmdDuplicate}};
  for (const auto& [key, id] : kept) EXPECT_EQ(CommandForKey(key, true, false), std::optional<CommandId>(id)) << key;
  EXPECT_EQ(CommandForKey('Z', true, false, true), std::optional<CommandId>(cmdRedo));
  EXPECT_EQ(CommandForKey(kKeyLeft, true, false), std::optional<CommandId>(cmdNudgeLeft));
}

// Alt and a letter must reach one item: "Bring to Front" and "Form Properties..." once both took F
// in the Edit menu, and Alt+F only went back and forth between them.
TEST(CommandKeys, EveryItemOfAMenuHasAnAccessKeyOfItsOwn) {
  // The letter after the one "&" of a caption ("&&" is a plain "&"), as a capital; 0 for none or several.
  auto accessKey = [](const std::string& caption) {
    char key = 0;
    int marks = 0;
    for (size_t i = 0; i + 1 < caption.size(); ++i) {
      if (caption[i] != '&') continue;
      if (caption[i + 1] != '&') {
        key = static_cast<char>(std::toupper(static_cast<unsigned char>(caption[i + 1])));
        ++marks;
      }
      ++i;
    }
    return marks == 1 ? key : 0;
  };
  auto check = [&](const std::string& menu, const std::vector<std::string>& captions) {
    std::map<char, std::string> taken;
    for (const std::string& caption : captions) {
      const char key = accessKey(caption);
      EXPECT_NE(key, 0) << menu << ": " << caption;
      if (key == 0) continue;
      const auto [at, added] = taken.emplace(key, caption);
      EXPECT_TRUE(added) << menu << ": " << caption << " and " << at->second << " share " << key;
    }
  };
  std::vector<std::string> titles;
  for (const MenuLayout& menu : MenuBarLayout()) {
    titles.push_back(menu.Title);
    std::vector<const MenuLayout*> open{&menu};
    while (!open.empty()) {
      const MenuLayout* layout = open.back();
      open.pop_back();
      std::vector<std::string> captions;
      for (unsigned id : layout->Items) {
        if (id == 0) continue;
        if (const MenuLayout* sub = Submenu(id)) {
          captions.push_back(sub->Title);
          open.push_back(sub);
        } else {
          const CommandInfo* command = FindCommand(id);
          ASSERT_NE(command, nullptr) << id;
          captions.push_back(command->Caption);
        }
      }
      check(layout->Title, captions);
    }
  }
  check("menu bar", titles);
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
    Log.clear();
    State.Modified = false;
    Add(c.kind, true);
    EditObjectProperties(State, Dialogs, Window);
    const bool opened = *c.call != '\0';
    EXPECT_EQ(Dialogs.Calls, opened ? std::vector<std::string>{c.call} : std::vector<std::string>{});
    EXPECT_EQ(State.Modified, opened) << c.call;
    EXPECT_EQ(!Log.empty() && Log.back() == "refresh", opened) << c.call;
  }
}

TEST_F(DialogCommands, ObjectPropertiesAppliesTheResourcesOfTheEditedObject) {
  MenuObject& rtf = Add(ObjectKind::Rtf, true);
  EditObjectProperties(State, Dialogs, Window);
  EXPECT_EQ(rtf.FileName, "picked");
  // The resources were applied to the new file before the refresh.
  EXPECT_EQ(Log, (std::vector<std::string>{"rtf picked", "refresh"}));

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
  EXPECT_TRUE(Log.empty());  // nothing redrawn

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
