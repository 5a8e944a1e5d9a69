// Recent files in the menus and their dialog, frequent files, file groups, special help
// files, and applications started with the current file.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <chrono>
#include <fstream>
#include <thread>

#include "SettingsFixture.h"
#include "editor/settings/Applications.h"
#include "editor/settings/FileListDialogs.h"
#include "editor/settings/SettingsIds.h"
#include "editor/text/ChildAccess.h"
#include "platform/ui/ComboBox.h"
#include "platform/ui/ListBox.h"
#include "platform/ui/Menu.h"

using namespace platform;

class FileListsTest : public SettingsFixture {
 protected:
  TWindow Dialog() const { return FocusDialog(); }
  int32_t Count(TWindow dialog, int32_t id) {
    return static_cast<int32_t>(SendDlgItemMessage(dialog, id, LB_GETCOUNT, 0, 0));
  }
  std::vector<std::string> FileMenu(TMenu bar) {
    std::vector<std::string> items;
    TMenu file = GetSubMenu(bar, 0);
    for (uint32_t id = 128; id <= 131; ++id) {
      if (GetMenuState(file, id, MF_BYCOMMAND) != kNoMenuItem) items.push_back(GetMenuString(file, id, MF_BYCOMMAND));
    }
    return items;
  }
};

TEST_F(FileListsTest, ShortenedPathsKeepHeadAndFileName) {
  auto width = [](std::string_view t) { return static_cast<int32_t>(t.size()); };
  EXPECT_EQ(ShortenPath("/home/u/a.txt", 40, width), "/home/u/a.txt");
  EXPECT_EQ(ShortenPath("/home/user/projekte/alt/quelle/a.txt", 30, width), "/home/.../alt/quelle/a.txt");
  EXPECT_EQ(ShortenPath("/home/user/projekte/alt/quelle/a.txt", 10, width), "/home/.../a.txt");
  EXPECT_EQ(ShortenPath("a.txt", 2, width), "a.txt");
}

TEST_F(FileListsTest, RecentMenuShowsFourWithLiteralAmpersandAndTheDialogTheRest) {
  for (int i = 0; i < 25; ++i) Frame->Lists.Recent.Add("/d/f" + std::to_string(i) + ".txt", {i + 1, 1, false});
  Frame->Lists.Recent.Delete(0);
  (void)Frame->Lists.Recent.Insert(0, "/d/A&B.txt", {3, 4, false});
  Start();
  EXPECT_EQ(FileMenu(Frame->MenuNoDocuments),
            (std::vector<std::string>{"&1 /d/A&&B.txt", "&2 /d/f1.txt", "&3 /d/f2.txt", "&4 /d/f3.txt"}));
  EXPECT_EQ(MenuLabel(GetMenuString(GetSubMenu(Frame->MenuDocuments, 0), 128, MF_BYCOMMAND)), "1 /d/A&B.txt");
  int32_t shown = 0;
  std::string caption;
  TScriptSteps steps;
  steps.Then([&] {
    TWindow d = Dialog();
    caption = GetWindowText(d);
    shown = Count(d, idFileList);
    EXPECT_FALSE(IsWindowVisible(GetDlgItem(d, idFileAddCurrent)));
    // The first line is the fifth entry; deleting it selects its successor.
    Click(d, idFileDelete);
    EXPECT_EQ(SendDlgItemMessage(d, idFileList, LB_GETCURSEL, 0, 0), 0);
    Cancel();
  });
  RunWith(120, steps);
  EXPECT_EQ(caption, "Zuletzt geöffnete Dateien");
  EXPECT_EQ(shown, 21);
  EXPECT_EQ(Frame->Lists.Recent.Size(), 24u);
  EXPECT_EQ(Frame->Lists.Recent.IndexOf("/d/f4.txt"), -1);
  // Saved: twenty of them.
  Frame->Shutdown();
  TProfileFile saved(Dir.File("ZKEdit32.Ini"));
  ASSERT_EQ(saved.Load(), 0);
  TFileList back;
  ReadFileList(saved, "Files", back);
  EXPECT_EQ(back.Size(), 20u);
}

TEST_F(FileListsTest, ClosingTheSameFileTwiceLeavesOneEntryWithTheLatestPosition) {
  std::string path = Dir.Write("x.txt", "1\r\n2\r\n3\r\n4\r\n");
  Start();
  for (int32_t line : {2, 4}) {
    TWindow w = Frame->OpenFile(path, false, nullptr, false);
    ChildGoto(w, line - 1, 0, false);
    Frame->Command(117);
    RunPendingMessages();
  }
  ASSERT_EQ(Frame->Lists.Recent.Size(), 1u);
  EXPECT_EQ(Frame->Lists.Recent[0].Position, (TFilePosition{4, 1, false}));
  EXPECT_EQ(FileMenu(Frame->MenuNoDocuments).size(), 1u);
}

TEST_F(FileListsTest, FrequentFilesTakeTheActiveFileAtTheSelectedPlace) {
  std::string a = Dir.Write("a.txt", "a\r\nb\r\n");
  Frame->Lists.Frequent.Add("/f/one", {});
  Frame->Lists.Frequent.Add(a, {});
  Frame->Lists.Frequent.Add("/f/two", {});
  Start();
  Frame->Command(112);  // untitled: nothing to add
  size_t beeps = Backend->Beeps.size();
  TScriptSteps none;
  none.Then([&] {
    Click(Dialog(), idFileAddCurrent);
    Cancel();
  });
  RunWith(121, none);
  EXPECT_EQ(Backend->Beeps.size(), beeps + 1);
  TWindow w = Frame->OpenFile(a, false, nullptr, false);
  ChildGoto(w, 1, 1, false);
  TScriptSteps add;
  add.Then([&] {
    TWindow d = Dialog();
    EXPECT_TRUE(IsWindowVisible(GetDlgItem(d, idFileAddCurrent)));
    Choose(d, idFileList, 0);
    Click(d, idFileAddCurrent);
    Cancel();
  });
  RunWith(121, add);
  ASSERT_EQ(Frame->Lists.Frequent.Size(), 3u);
  EXPECT_EQ(Frame->Lists.Frequent[0].Name, a);
  EXPECT_EQ(Frame->Lists.Frequent[0].Position, (TFilePosition{2, 2, false}));
  EXPECT_EQ(Frame->Lists.Frequent[1].Name, "/f/one");
}

TEST_F(FileListsTest, GroupsAreSetUpAndOpenedAndHoldAtMostTwentyFiles) {
  std::string a = Dir.Write("a.txt", "1\r\n2\r\n3\r\n");
  std::string b = Dir.Write("b.txt", "x\r\n");
  Start();
  Frame->OpenFile(a, false, nullptr, false);
  Frame->OpenFile(b, false, nullptr, false);
  std::string caption;
  TScriptSteps setup;
  setup.Then([&] {
    TWindow d = Dialog();
    Click(d, idGroupSetup);
    caption = GetWindowText(d);
    EXPECT_EQ(GetDlgItemText(d, IDOK), "OK");
    Click(d, idGroupAddNew);
    EXPECT_EQ(GetDlgItemText(d, idGroupEditName), "Neue Dateigruppe");
    Type(d, idGroupEditName, "Projekt");
    Click(d, idGroupAddOpen);
    EXPECT_EQ(Count(d, idGroupFiles), 2);
    Click(d, IDOK);
  });
  RunWith(119, setup);
  EXPECT_EQ(caption, "Z&K Quellwerk: Dateigruppen einrichten");
  ASSERT_EQ(Frame->Lists.Groups.Size(), 1u);
  EXPECT_EQ(Frame->Lists.Groups[0].Name, "Projekt");
  EXPECT_EQ(Frame->Lists.Groups[0].Files.Size(), 2u);
  Frame->Command(118);
  RunPendingMessages();
  ASSERT_TRUE(Frame->Documents().empty());
  TScriptSteps open;
  open.Then([&] { Click(Dialog(), IDOK); });
  RunWith(119, open);
  EXPECT_EQ(Frame->Documents().size(), 2u);

  // A full group takes no further file.
  TFileGroup& g = Frame->Lists.Groups[0];
  for (int i = 0; g.Files.Size() < 20; ++i) g.Files.Add("/g/" + std::to_string(i), {});
  bool addEnabled = true;
  size_t beeps = Backend->Beeps.size();
  TScriptSteps full;
  full.Then([&] {
    TWindow d = Dialog();
    Click(d, idGroupSetup);
    addEnabled = IsWindowEnabled(GetDlgItem(d, idGroupAddOpen)) || IsWindowEnabled(GetDlgItem(d, idGroupAddFiles));
    SendMessage(d, WM_COMMAND, idGroupAddOpen, 0);
    Click(d, IDOK);
  });
  RunWith(119, full);
  EXPECT_FALSE(addEnabled);
  EXPECT_EQ(Frame->Lists.Groups[0].Files.Size(), 20u);
  EXPECT_EQ(Backend->Beeps.size(), beeps + 1);
}

TEST_F(FileListsTest, HelpFilesAreAddedAndDeleted) {
  std::string help = Dir.Write("extra.hlp", "x");
  Start();
  TScriptSteps steps;
  steps.Then([&] {
    TWindow d = Dialog();
    QueueFileAnswer([&](TFileDialog& fd) {
      EXPECT_EQ(fd.Filter, "Hilfedateien (*.hlp)|*.hlp");
      fd.Files = {help};
      return true;
    });
    Click(d, idHelpNew);
    Click(d, IDOK);
  });
  RunWith(243, steps);
  EXPECT_EQ(Frame->Options.HelpFiles, (std::vector<std::string>{help}));
  Frame->Command(245);
  ASSERT_FALSE(Spawned.empty());
  EXPECT_EQ(Spawned.back(), (std::vector<std::string>{"xdg-open", help}));
}

TEST(AppCommandTest, PlaceholdersStayInsideTheirArguments) {
  TAppEntry app{"E", "/bin/prog", "", "", false};
  TAppContext c;
  c.HasFile = true;
  c.FileName = "/tmp/a b\"; rm -rf $HOME.txt";
  c.HasLine = true;
  c.CursorLine = "int x = %S;";
  c.HasSelection = true;
  c.Selection = "sel";
  auto args = [&](const std::string& tmpl) { return BuildAppCommand(app, tmpl, c).Args; };
  EXPECT_EQ(args("%1"), (std::vector<std::string>{"/bin/prog", c.FileName}));
  EXPECT_EQ(args("-f \"%1\" -l %l"), (std::vector<std::string>{"/bin/prog", "-f", c.FileName, "-l", "int x = %S;"}));
  EXPECT_EQ(args("%s --x=%1"), (std::vector<std::string>{"/bin/prog", "sel", "--x=" + c.FileName}));
  // Only the first %1 is replaced.
  EXPECT_EQ(args("%1 %1"), (std::vector<std::string>{"/bin/prog", c.FileName, "%1"}));
  // An untitled window: only the further text follows the program.
  TAppContext untitled;
  EXPECT_EQ(BuildAppCommand(app, "%1 -n 5", untitled).Args, (std::vector<std::string>{"/bin/prog", "-n", "5"}));
  EXPECT_EQ(BuildAppCommand(app, "x%1y", untitled).Args, (std::vector<std::string>{"/bin/prog", "xy"}));
}

TEST_F(FileListsTest, ApplicationGetsATrickyFileNameAsExactlyOneArgument) {
  std::string out = Dir.File("args.out");
  std::string script = Dir.Write("show-args", "#!/bin/sh\n{ echo \"$#\"; for a in \"$@\"; do echo \"[$a]\"; done; } > \"" + out + "\"\n");
  ::chmod(script.c_str(), 0755);
  std::string tricky = Dir.Write("a b\"; echo x $HOME.txt", "text\r\n");
  TAppEntry app{"Zeigen", script, "%1", Dir.Path(), false};
  Frame->Options.Apps.Add(app);
  Frame->Spawn = nullptr;  // a real start
  Start();
  Frame->OpenFile(tricky, false, nullptr, false);
  Frame->Command(209);
  std::string text;
  for (int i = 0; i < 500 && text.find(']') == std::string::npos; ++i) {
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
    std::ifstream in(out);
    text.assign(std::istreambuf_iterator<char>(in), {});
  }
  EXPECT_EQ(text, "1\n[" + tricky + "]\n");
}

TEST_F(FileListsTest, ModifiedFileIsSavedOrTheStartCancelledAndAFailedStartReported) {
  std::string file = Dir.Write("m.txt", "alt\r\n");
  Frame->Options.Apps.Add({"Prog", "/bin/true", "%1", "", false});
  Frame->Options.Apps.Add({"Kaputt", Dir.File("fehlt"), "", Dir.File("kein-verzeichnis"), false});
  Start();
  TWindow w = Frame->OpenFile(file, false, nullptr, false);
  Edit(w)->InsertTextAtCaret("neu ");
  Backend->QueueAnswer(IDCANCEL);
  Frame->Command(209);
  EXPECT_TRUE(Spawned.empty());
  EXPECT_NE(Backend->Boxes.back().Text.find("wurde verändert"), std::string::npos);
  Backend->QueueAnswer(IDYES);
  Frame->Command(209);
  ASSERT_EQ(Spawned.size(), 1u);
  EXPECT_EQ(Spawned[0], (std::vector<std::string>{"/bin/true", file}));
  EXPECT_FALSE(ChildModified(w));
  Frame->Command(210);
  EXPECT_EQ(Backend->Boxes.back().Text, "Das Programm\n" + Dir.File("fehlt") + "\nkann nicht ausgeführt werden!");
}

TEST_F(FileListsTest, RecentDialogOpensAtTheStoredPositionOnlyWhenAsked) {
  std::string path = Dir.Write("r.txt", "1\r\n2\r\n3\r\n4\r\n5\r\n");
  for (int i = 0; i < 4; ++i) Frame->Lists.Recent.Add("/menu/" + std::to_string(i), {});
  Frame->Lists.Recent.Add(path, {5, 2, false});
  Start();
  TScriptSteps plain;
  plain.Then([&] {
    Click(Dialog(), idFileGotoPos);  // off (kept while the program runs)
    Click(Dialog(), idFileOpen);
  });
  RunWith(120, plain);
  TWindow w = Frame->Active();
  ASSERT_NE(w, 0u);
  EXPECT_EQ(Edit(w)->Caret.Line, 0);
  Frame->Command(117);
  RunPendingMessages();
  Frame->Lists.Recent.Delete(0);
  Frame->Lists.Recent.Add(path, {5, 2, false});
  bool keptOff = true;
  TScriptSteps positioned;
  positioned.Then([&] {
    keptOff = !IsChecked(Dialog(), idFileGotoPos);
    Click(Dialog(), idFileGotoPos);
    SendMessage(GetDlgItem(Dialog(), idFileList), kCtlUserActivate, 0, 0);
  });
  RunWith(120, positioned);
  EXPECT_TRUE(keptOff);
  w = Frame->Active();
  ASSERT_NE(w, 0u);
  EXPECT_EQ(Edit(w)->Caret, (TTextPos{1, 4}));
}

TEST_F(FileListsTest, AskedArgumentsAreEditedBeforeTheStartOrCancelIt) {
  Frame->Options.Apps.Add({"Frag", "/bin/echo", "-n %1", "", true});
  Start();
  TScriptSteps cancel;
  cancel.Then([&] { Cancel(); });
  RunWith(209, cancel);
  EXPECT_TRUE(Spawned.empty());
  TScriptSteps edit;
  edit.Then([&] {
    TWindow d = Dialog();
    EXPECT_EQ(GetDlgItemText(d, idRunProgram), "/bin/echo");
    EXPECT_EQ(GetDlgItemText(d, idRunArguments), "-n %1");
    Type(d, idRunArguments, "\"a b\" %1");
    Click(d, IDOK);
  });
  RunWith(209, edit);
  ASSERT_EQ(Spawned.size(), 1u);
  EXPECT_EQ(Spawned[0], (std::vector<std::string>{"/bin/echo", "a b"}));
}
