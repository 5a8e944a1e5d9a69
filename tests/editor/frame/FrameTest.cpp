// The editor's frame on the headless back end: start-up requests, opening, saving and
// closing with scripted answers, menus, tool bar and status bar, and the settings at the end.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <memory>

#include "editor/frame/Frame.h"
#include "editor/text/ChildAccess.h"
#include "editor/text/ChildWindowProc.h"
#include "editor/text/EditChildData.h"
#include "platform/ui/DialogScript.h"
#include "platform/ui/HeadlessBackend.h"
#include "platform/ui/Mdi.h"
#include "platform/ui/Menu.h"
#include "platform/ui/MessageLoop.h"
#include "platform/ui/StatusBar.h"
#include "platform/ui/ToolBar.h"
#include "platform/ui/UiSystem.h"
#include "platform/ui/Window.h"
#include "tests/support/TempDir.h"

using namespace platform;

class FrameTest : public ::testing::Test {
 protected:
  void SetUp() override {
    auto backend = std::make_unique<THeadlessBackend>();
    Backend = backend.get();
    InitUi(std::move(backend));
    Frame = std::make_unique<TFrame>();
    Frame->Profile = std::make_unique<TProfileFile>(Dir.File("ZKEdit32.Ini"));
    Frame->ColorFile = Dir.File("ZKColors.Ini");
    Frame->Options.AutoOpen = 0;
    Frame->Spawn = [this](const std::vector<std::string>& args) {
      Spawned.push_back(args);
      return 0;
    };
  }
  void TearDown() override {
    Frame.reset();
    ShutdownUi();
  }

  void Start(std::vector<std::string> args = {}) {
    Frame->Args = std::move(args);
    ASSERT_TRUE(Frame->Create());
    Frame->Show();
    RunPendingMessages();
  }
  TEditChildData* Edit(TWindow w) { return dynamic_cast<TEditChildData*>(GetChildData(w)); }
  std::string Part(int32_t part) { return StatusBarText(Frame->StatusBar, part); }
  const TShownBox& LastBox() { return Backend->Boxes.back(); }
  std::string Lines(int32_t n) {
    std::string text;
    for (int32_t i = 1; i <= n; ++i) text += "Zeile " + std::to_string(i) + "\r\n";
    return text;
  }

  TTempDir Dir;
  THeadlessBackend* Backend = nullptr;
  std::unique_ptr<TFrame> Frame;
  std::vector<std::vector<std::string>> Spawned;
};

TEST_F(FrameTest, CommandLineFileOpensAtLineAndColumnWithMenusAndStatus) {
  std::string path = Dir.Write("a.txt", Lines(20));
  EXPECT_EQ(GetMenu(Frame->Window), 0u);
  Start({path, "/L12", "/C5"});
  ASSERT_EQ(Frame->Documents().size(), 1u);
  TWindow w = Frame->Active();
  EXPECT_EQ(GetWindowText(w), path);
  EXPECT_EQ(Edit(w)->Caret, (TTextPos{4, 11}));
  EXPECT_EQ(GetMenu(Frame->Window), Frame->MenuDocuments);
  EXPECT_EQ(GetWindowText(Frame->Window), "Z&K Quellwerk");
  EXPECT_EQ(Part(0), "Z:  12");
  EXPECT_EQ(Part(1), "S:  5");
  EXPECT_EQ(Part(2), "Einfügen");
  EXPECT_EQ(Part(4), "WIN");
  EXPECT_NE(Part(5).find(std::to_string(Lines(20).size()) + " Byte"), std::string::npos);
  EXPECT_EQ(StatusBarParts(Frame->StatusBar).size(), 6u);
}

TEST_F(FrameTest, UntitledWindowsCountAndNoWindowStatus) {
  Frame->Options.AutoOpen = 1;
  Start();
  ASSERT_EQ(Frame->Documents().size(), 1u);
  EXPECT_EQ(GetWindowText(Frame->Active()), "Neue Datei 1");
  Frame->Command(112);
  EXPECT_EQ(GetWindowText(Frame->Active()), "Neue Datei 2");
  Frame->Command(118);
  RunPendingMessages();
  EXPECT_TRUE(Frame->Documents().empty());
  EXPECT_EQ(Part(0), "Keine Datei in Bearbeitung!");
  EXPECT_EQ(StatusBarParts(Frame->StatusBar).size(), 1u);
  EXPECT_EQ(GetMenu(Frame->Window), Frame->MenuNoDocuments);
  EXPECT_EQ(Frame->ClosedByCloseAll, 2);
}

TEST_F(FrameTest, OpenActivatesAnOpenFileAlsoInOtherCaseAndRefusesRecoveryNames) {
  std::string path = Dir.Write("Doc.txt", "x\r\n");
  Dir.Write("Other.txt", "y\r\n");
  Start({path});
  Frame->OpenFile(Dir.File("Other.txt"), false, nullptr, false);
  ASSERT_EQ(Frame->Documents().size(), 2u);
  std::string upper = Dir.File("DOC.TXT");
  TWindow again = Frame->OpenFile(upper, false, nullptr, false);
  EXPECT_EQ(Frame->Documents().size(), 2u);
  EXPECT_EQ(again, Frame->Active());
  EXPECT_EQ(ChildFileName(again), path);
  size_t beeps = Backend->Beeps.size();
  EXPECT_EQ(Frame->OpenFile(Dir.File("x.~zk"), false, nullptr, false), 0u);
  EXPECT_EQ(Backend->Beeps.size(), beeps + 1);
  // The file dialog's answer opens too, with its read-only box.
  QueueFileAnswer([&](TFileDialog& d) {
    EXPECT_EQ(d.Title, "Datei öffnen");
    EXPECT_EQ(d.HistoryLabel, "&Verzeichnisse:");
    EXPECT_EQ(d.CheckLabel, "In den HE&X-Editor laden");
    d.Files = {Dir.Write("third.txt", "z")};
    d.Flags |= OFN_READONLY;
    return true;
  });
  Frame->Command(113);
  ASSERT_EQ(Frame->Documents().size(), 3u);
  EXPECT_TRUE(ChildReadOnly(Frame->Active()));
}

TEST_F(FrameTest, SaveWritesTheFileAndSaveAsRenamesTheWindow) {
  std::string path = Dir.Write("s.txt", "eins\r\nzwei\r\n");
  Start({path});
  TWindow w = Frame->Active();
  Edit(w)->SetCaret(4, 0, false, false);
  Edit(w)->InsertTextAtCaret("!");
  EXPECT_EQ(Part(3), "geändert !");
  Frame->Command(114);
  EXPECT_EQ(TTempDir::Read(path), "eins!\r\nzwei\r\n");
  EXPECT_FALSE(ChildModified(w));
  EXPECT_EQ(Part(3), "");
  std::string other = Dir.File("t.txt");
  QueueFileAnswer([&](TFileDialog& d) {
    EXPECT_EQ(d.Title, "Datei speichern");
    EXPECT_EQ(d.FileName, path);
    EXPECT_EQ(d.Format, 0);
    d.Files = {other};
    d.Format = 1;
    return true;
  });
  Frame->Command(115);
  EXPECT_EQ(TTempDir::Read(other), "eins!\nzwei\n");
  EXPECT_EQ(ChildFileName(w), other);
  EXPECT_EQ(GetWindowText(w), other);
  // The next save keeps the format chosen.
  Edit(w)->InsertTextAtCaret("?");
  Frame->Command(114);
  EXPECT_EQ(TTempDir::Read(other), "eins!?\nzwei\n");
}

TEST_F(FrameTest, SavingAFileReadWithAnyLineEndKeepsTheLineEndsItHad) {
  // Read with any line end (the default), a Unix file stays a Unix file; a file with mixed
  // line ends is written in the Windows format.
  ASSERT_EQ(Frame->Options.LineEnds, lemAny);
  std::string unix = Dir.Write("u.sh", "#!/bin/sh\necho eins\n");
  std::string mixed = Dir.Write("m.txt", "a\r\nb\nc\n");
  Start({unix});
  TWindow w = Frame->Active();
  Edit(w)->InsertTextAtCaret("#");
  Frame->Command(114);
  EXPECT_EQ(TTempDir::Read(unix), "##!/bin/sh\necho eins\n");
  QueueFileAnswer([&](TFileDialog& d) {
    EXPECT_EQ(d.Format, 1) << "the format found is preselected";
    return false;
  });
  Frame->Command(115);
  TWindow m = Frame->OpenFile(mixed, false, nullptr, false);
  ASSERT_NE(m, 0u);
  Edit(m)->InsertTextAtCaret("!");
  Frame->Command(114);
  EXPECT_EQ(TTempDir::Read(mixed), "!a\r\nb\r\nc\r\n");
}

TEST_F(FrameTest, SavesRefusedForAnOpenFileTheOwnFileOfASelectionAndAFailedWrite) {
  std::string a = Dir.Write("a.txt", "aaa\r\n");
  std::string b = Dir.Write("b.txt", "bbb\r\n");
  Start({a});
  Frame->OpenFile(b, false, nullptr, false);
  TWindow wb = Frame->Active();
  EXPECT_FALSE(Frame->SaveToName(wb, a, 0, false));
  EXPECT_EQ(LastBox().Caption, "Z&K Quellwerk: Datei speichern");
  EXPECT_EQ(LastBox().Text, "Die Datei \"" + a + "\"\nist bereits geöffnet.\nWählen Sie einen anderen Namen!");
  EXPECT_EQ(TTempDir::Read(a), "aaa\r\n");
  Edit(wb)->SetSelection(nullptr, 0);
  EXPECT_FALSE(Frame->SaveToName(wb, b, 0, true));
  EXPECT_EQ(LastBox().Text, "Markierter Bereich kann nicht in dieselbe Datei\ngespeichert werden!");
  // A failed write keeps the window and its text.
  Edit(wb)->InsertTextAtCaret("neu");
  EXPECT_FALSE(Frame->SaveToName(wb, Dir.File("missing/dir/x.txt"), 0, false));
  EXPECT_EQ(LastBox().Text, "Kann Datei nicht speichern:\n\n" + Dir.File("missing/dir/x.txt"));
  EXPECT_TRUE(IsWindow(wb));
  EXPECT_TRUE(ChildModified(wb));
}

TEST_F(FrameTest, ClosePromptAnswersAndTheRecentList) {
  std::string path = Dir.Write("c.txt", "c\r\n");
  Start({path});
  TWindow w = Frame->Active();
  Edit(w)->InsertTextAtCaret("x");
  Backend->QueueAnswer(IDCANCEL);
  SendMessage(Frame->Window, WM_CLOSE, 0, 0);
  RunPendingMessages();
  ASSERT_TRUE(IsWindow(Frame->Window));
  EXPECT_TRUE(IsWindow(w));
  EXPECT_EQ(LastBox().Caption, "Z&K Quellwerk: Datei schließen");
  EXPECT_EQ(LastBox().Text, "Die Datei  \"" + path + "\"\nwurde verändert.\n\nÄnderungen jetzt speichern ?");
  EXPECT_EQ(Frame->Options.OpenedFiles, 0);
  // No: closed without saving; the file goes to the top of the recent list and menus.
  Backend->QueueAnswer(IDNO);
  Frame->Command(117);
  RunPendingMessages();
  EXPECT_FALSE(IsWindow(w));
  EXPECT_EQ(TTempDir::Read(path), "c\r\n");
  ASSERT_EQ(Frame->Lists.Recent.Size(), 1u);
  EXPECT_EQ(Frame->Lists.Recent[0].Name, path);
  EXPECT_EQ(GetMenuString(Frame->MenuNoDocuments, 128, MF_BYCOMMAND), "&1 " + path);
  // An untitled window is named by its title; Yes saves through save-as.
  Frame->Command(112);
  TWindow u = Frame->Active();
  Edit(u)->InsertTextAtCaret("neu");
  std::string target = Dir.File("neu.txt");
  QueueFileAnswer([&](TFileDialog& d) {
    d.Files = {target};
    return true;
  });
  Backend->QueueAnswer(IDYES);
  Frame->Command(117);
  RunPendingMessages();
  EXPECT_NE(LastBox().Text.find("<Neue Datei 1>"), std::string::npos) << LastBox().Text;
  EXPECT_FALSE(IsWindow(u));
  EXPECT_EQ(TTempDir::Read(target), "neu");
}

TEST_F(FrameTest, UnreadableAndNonTextFiles) {
  Start();
  EXPECT_EQ(Frame->OpenFile(Dir.File("none.txt"), false, nullptr, false), 0u);
  EXPECT_EQ(LastBox().Text, "Kann Datei nicht öffnen/lesen:\n\n" + Dir.File("none.txt"));
  EXPECT_EQ(LastBox().Caption, "Z&K Quellwerk: Datei öffnen");
  EXPECT_TRUE(Frame->Documents().empty());
  // NULs converted to blanks, read-only, when the option says so.
  Frame->Options.NonText = 2;
  std::string bin = Dir.Write("bin.dat", std::string("a\0b\r\n", 5));
  TWindow w = Frame->OpenFile(bin, false, nullptr, false);
  ASSERT_NE(w, 0u);
  EXPECT_TRUE(ChildReadOnly(w));
  EXPECT_EQ(Edit(w)->Lines.Text(0), "a b");
}

TEST_F(FrameTest, MenusGreyByAvailabilityAndShowHints) {
  std::string path = Dir.Write("m.txt", "m\r\n");
  Start({path});
  TMenu file = OpenMenuPopup(Frame->Window, 0);
  ASSERT_NE(file, 0u);
  EXPECT_EQ(GetMenuState(file, 114, MF_BYCOMMAND) & MF_GRAYED, 0u);
  EXPECT_EQ(GetMenuState(file, 122, MF_BYCOMMAND) & MF_GRAYED, 0u);  // printing has landed
  MenuClosed(Frame->Window);
  TMenu edit = OpenMenuPopup(Frame->Window, 1);
  EXPECT_NE(GetMenuState(edit, 169, MF_BYCOMMAND) & MF_GRAYED, 0u);  // no selection
  EXPECT_EQ(GetMenuState(edit, 150, MF_BYCOMMAND) & MF_GRAYED, 0u);
  HoverMenuItem(Frame->Window, edit, 0);
  EXPECT_TRUE(StatusBarIsSimple(Frame->StatusBar));
  EXPECT_EQ(StatusBarText(Frame->StatusBar, SB_SIMPLEID), "Letzten Bearbeitungsschritt widerrufen");
  MenuClosed(Frame->Window);
  EXPECT_FALSE(StatusBarIsSimple(Frame->StatusBar));
  // A greyed command from its accelerator only beeps (find next without a search text).
  size_t beeps = Backend->Beeps.size();
  Frame->Command(177);
  EXPECT_EQ(Backend->Beeps.size(), beeps + 1);
  EXPECT_FALSE(ChooseMenuItem(Frame->Window, 169));  // greyed without a selection
}

TEST_F(FrameTest, ToolBarFollowsTheWindowAndTheIdleStep) {
  Frame->Options.ToolBarButtons = "F";
  Start();
  EXPECT_EQ(Frame->ToolBarLayoutString(), "FF0001020419FF070809FF0506FF0BFF0C0D0E0FFF1617FF1312");
  EXPECT_EQ(ToolBarToolTip(Frame->ToolBar, 112), "Neue Datei");
  EXPECT_EQ(ToolBarButtonState(Frame->ToolBar, 114) & TBSTATE_ENABLED, 0);
  Frame->Command(112);
  EXPECT_NE(ToolBarButtonState(Frame->ToolBar, 114) & TBSTATE_ENABLED, 0);
  EXPECT_EQ(ToolBarButtonState(Frame->ToolBar, 144) & TBSTATE_ENABLED, 0);
  Edit(Frame->Active())->InsertTextAtCaret("x");
  Frame->IdleStep();
  EXPECT_NE(ToolBarButtonState(Frame->ToolBar, 144) & TBSTATE_ENABLED, 0);
  Frame->Command(197);
  EXPECT_NE(ToolBarButtonState(Frame->ToolBar, 197) & TBSTATE_CHECKED, 0);
  EXPECT_EQ(Part(4), "DOS");
}

TEST_F(FrameTest, FileChangedOnDiskIsReloadedOnYes) {
  std::string path = Dir.Write("d.txt", "alt\r\n");
  Start({path});
  TWindow w = Frame->Active();
  Dir.Write("d.txt", "neuer Inhalt\r\n");
  Backend->QueueAnswer(IDYES);
  Frame->CheckFileTimes();
  EXPECT_EQ(LastBox().Caption, "Z&K Quellwerk: Datei geändert");
  EXPECT_EQ(Edit(w)->Lines.Text(0), "neuer Inhalt");
  size_t boxes = Backend->Boxes.size();
  Frame->CheckFileTimes();
  EXPECT_EQ(Backend->Boxes.size(), boxes);
}

TEST_F(FrameTest, ShutdownWritesSettingsAndListsOnce) {
  std::string path = Dir.Write("r.txt", "r\r\n");
  Start({path});
  Frame->Command(117);
  RunPendingMessages();
  Frame->Shutdown();
  std::string ini = TTempDir::Read(Dir.File("ZKEdit32.Ini"));
  EXPECT_NE(ini.find(path), std::string::npos);
  ::unlink(Dir.File("ZKEdit32.Ini").c_str());
  Frame->Shutdown();
  struct stat st;
  EXPECT_NE(::stat(Dir.File("ZKEdit32.Ini").c_str(), &st), 0);
}

TEST_F(FrameTest, SingleWindowModeClosesOthersAndStaysOffWhenOneRefuses) {
  Start();
  Frame->Command(112);
  Frame->Command(112);
  TWindow second = Frame->Active();
  Edit(Frame->Documents()[0])->InsertTextAtCaret("x");
  Backend->QueueAnswer(IDCANCEL);
  Frame->Command(230);
  EXPECT_FALSE(Frame->SingleWindow);
  EXPECT_EQ(Frame->Documents().size(), 2u);
  Backend->QueueAnswer(IDNO);
  SendMessage(Frame->Client, WM_MDIACTIVATE, second, 0);
  Frame->Command(230);
  RunPendingMessages();
  EXPECT_TRUE(Frame->SingleWindow);
  ASSERT_EQ(Frame->Documents().size(), 1u);
  // A new window replaces the one there.
  Frame->Command(112);
  RunPendingMessages();
  EXPECT_EQ(Frame->Documents().size(), 1u);
}

TEST_F(FrameTest, SettingsChangesReachEveryTextWindowAndTheBars) {
  Start();
  Frame->Command(112);
  Frame->Command(112);
  SendMessage(Frame->Window, wm_SettingsChanged, 11, 4);
  SendMessage(Frame->Window, wm_SettingsChanged, 17, 1);
  for (TWindow w : Frame->Documents()) {
    EXPECT_EQ(Edit(w)->TabWidth, 4);
    EXPECT_TRUE(Edit(w)->WordWrap);
  }
  EXPECT_EQ(Frame->Options.TabCols, 4);
  Frame->Options.StatusBar = false;
  SendMessage(Frame->Window, wm_SettingsChanged, 31, 0);
  EXPECT_FALSE(IsWindowVisible(Frame->StatusBar));
  EXPECT_EQ(GetWindowRect(Frame->Client).Bottom, GetClientRect(Frame->Window).Bottom);
  Frame->Options.ToolBarButtons = "FF0001";
  SendMessage(Frame->Window, wm_SettingsChanged, 34, 0);
  EXPECT_EQ(Frame->ToolBarLayoutString(), "FF0001");
}
