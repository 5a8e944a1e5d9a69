// The velcomp plug-in loaded by our host program on the headless window layer: its menu
// items and enablers, version text, host events, the window "Meldungen", the edit command,
// and the whole road from the compile to the terminal simulator over a pseudo-terminal.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <thread>

#include "compiler/plugin/HostShapes.h"
#include "platform/ui/Controls.h"
#include "platform/ui/DialogScript.h"
#include "platform/ui/HeadlessBackend.h"
#include "platform/ui/MessageLoop.h"
#include "platform/ui/ListBox.h"
#include "platform/ui/Mdi.h"
#include "platform/ui/Menu.h"
#include "platform/ui/UiSystem.h"
#include "platform/ui/Window.h"
#include "resources/velcomp/Dialogs.h"
#include "tests/support/TempDir.h"
#include "tools/termsim/TermSim.h"
#include "tools/velhost/VelHost.h"

using namespace platform;
using namespace velhost;

namespace {

const std::string kSamples = std::string(ZK_SOURCE_DIR) + "/samples/vel";

// Polls until `done` holds; false after the generous time-out.
template <class TDone>
bool WaitFor(TDone done, int seconds = 120) {
  const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(seconds);
  while (!done()) {
    if (std::chrono::steady_clock::now() > end) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  return true;
}

class PluginTest : public ::testing::Test {
 protected:
  // One window layer and one loaded plug-in for the whole suite: the plug-in keeps its
  // state (the window "Meldungen") between calls, as in a host.
  static void SetUpTestSuite() {
    Install = new TTempDir;
    namespace fs = std::filesystem;
    fs::copy_file(VELCOMP_PLUGIN, Install->File("velcomp.so"));
    fs::copy_file(kSamples + "/ZIRE.CFG", Install->File("ZIRE.CFG"));
    fs::create_symlink(KRLADWIN32_PROGRAM, Install->File("krladwin32"));
    // The editor records its arguments, one per line.
    const std::string editor = Install->Write(
        "zkedit32", "#!/bin/sh\nfor a in \"$@\"; do printf '%s\\n' \"$a\"; done > \"$0.args.tmp\"\n"
                    "mv \"$0.args.tmp\" \"$0.args\"\n");
    ::chmod(editor.c_str(), 0755);
    ::setenv("XDG_CONFIG_HOME", Install->File("config").c_str(), 1);
    // The loader works on the console, as without a display.
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) ::unsetenv(name);

    auto backend = std::make_unique<THeadlessBackend>();
    Backend = backend.get();
    InitUi(std::move(backend));
    Host = new TVelHost;
    std::string reason;
    ASSERT_TRUE(Host->LoadPlugin(Install->File("velcomp.so"), &reason)) << reason;
    ASSERT_TRUE(Host->Create());
  }
  static void TearDownTestSuite() {
    delete Host;
    Host = nullptr;
    ShutdownUi();
    delete Install;
    Install = nullptr;
  }

  void SetUp() override {
    Backend->Boxes.clear();
    ::unlink(Install->File("zkedit32.args").c_str());
  }

  // A project in the test's directory with the sample driver.
  std::string MakeProject(const std::string& source) {
    Dir.Write("ZIRE.DRV", TTempDir::Read(kSamples + "/ZIRE.DRV"));
    if (!source.empty()) Dir.Write("proj.vel", source);
    const std::string project = Dir.Write("proj.vpj", "[Projekt]\nTreiber=ZIRE.DRV\nDatenspeicher=4\n");
    EXPECT_TRUE(Host->OpenProject(project));
    return project;
  }

  static void Click(int32_t id) {
    TWindow dialog = GetParent(GetFocus());
    TWindow button = GetDlgItem(dialog, id);
    ASSERT_NE(button, 0u) << id;
    SendMessage(button, BM_CLICK, 0, 0);
  }

  // Runs command 15000 with the port dialog answered by the clicks.
  int32_t CompileWith(std::vector<int32_t> clicks) {
    TScriptSteps steps;
    for (int32_t id : clicks) steps.Then([id] { Click(id); });
    Backend->SetIdleScript([&] { return steps.Step(); });
    const int32_t result = Host->RunCommand(cmVelCompile);
    Backend->SetIdleScript(nullptr);
    return result;
  }

  static std::string EditorArgs() {
    std::string args;
    WaitFor([&] {
      args = TTempDir::Read(Install->File("zkedit32.args"));
      return !args.empty();
    });
    return args;
  }

  static inline TTempDir* Install = nullptr;
  static inline THeadlessBackend* Backend = nullptr;
  static inline TVelHost* Host = nullptr;
  TTempDir Dir;
};

TEST_F(PluginTest, MenuItemsAndEnablers) {
  TMenu menu = CreatePopupMenu();
  AppendMenu(menu, MF_STRING, 7, "&Eigenes");
  THostMenu hostMenu{menu};
  EXPECT_EQ(Host->Entries().MergeMenu(&hostMenu, 0, 2), -1);
  EXPECT_EQ(GetMenuItemCount(menu), 1);
  EXPECT_EQ(Host->Entries().MergeMenu(&hostMenu, -1, 1), 1);
  EXPECT_EQ(Host->Entries().MergeMenu(&hostMenu, 0, 0), 1);
  ASSERT_EQ(GetMenuItemCount(menu), 3);
  EXPECT_EQ(GetMenuItemID(menu, 0), 15000u);
  EXPECT_EQ(GetMenuString(menu, 0, MF_BYPOSITION), "&VEL Compilieren && Übertragen");
  EXPECT_EQ(GetMenuItemID(menu, 1), 7u);
  EXPECT_EQ(GetMenuItemID(menu, 2), 15001u);
  EXPECT_EQ(GetMenuString(menu, 2, MF_BYPOSITION), "&VEL Editieren");
  DestroyMenu(menu);

  EXPECT_EQ(Host->CommandState(15000), 1);
  EXPECT_EQ(Host->CommandState(15001), 1);
  EXPECT_EQ(Host->CommandState(15002), -1);
  // The host's own menu got both items.
  TMenu holder = 0;
  int32_t position = -1;
  EXPECT_TRUE(FindMenuCommand(GetMenu(Host->Frame()), 15000, holder, position));
  EXPECT_TRUE(FindMenuCommand(GetMenu(Host->Frame()), 15001, holder, position));
}

TEST_F(PluginTest, VersionTextCarriesTheDefinitionsVersion) {
  const std::string version = Host->PluginVersion();
  EXPECT_EQ(version.rfind("VEL Compiler Version 01.05#01, (Jul 31 2001)\n", 0), 0u) << version;
  const size_t lines = static_cast<size_t>(std::count(version.begin(), version.end(), '\n'));
  EXPECT_EQ(lines, 2u) << version;  // banner, definition version, maker's notice
  EXPECT_EQ(version.substr(version.rfind('\n') + 1), "Z&K Quellwerk für Linux");
}

TEST_F(PluginTest, HostEventsCopySourcesAndKeepTheChangedFlag) {
  MakeProject("; alt\n");
  EXPECT_EQ(Host->Notify(heClearChanged), 0);
  EXPECT_EQ(Host->Notify(heQueryChanged), 0);
  // A missing source is skipped without a word.
  EXPECT_EQ(Host->CopySourceIntoProject(Dir.File("none.txt")), 0);
  EXPECT_TRUE(Backend->Boxes.empty());
  // The extension of the named file is replaced by "vel".
  const std::string text(2000, 'a');
  Dir.Write("neu.vel", text);
  Backend->QueueAnswer(IDNO);
  EXPECT_EQ(Host->CopySourceIntoProject(Dir.File("neu.prj")), 0);
  EXPECT_EQ(TTempDir::Read(Dir.File("proj.vel")), "; alt\n");
  ASSERT_EQ(Backend->Boxes.size(), 1u);
  EXPECT_EQ(Backend->Boxes[0].Text, "Vorhandene Datei:\"" + Dir.File("proj.vel") + "\" \rersetzen ? ");
  EXPECT_EQ(Host->Notify(heQueryChanged), 0);
  Backend->QueueAnswer(IDYES);
  EXPECT_EQ(Host->CopySourceIntoProject(Dir.File("neu.vel")), 1);
  EXPECT_EQ(TTempDir::Read(Dir.File("proj.vel")), text);
  EXPECT_EQ(Host->Notify(heQueryChanged), 1);
  EXPECT_EQ(Host->Notify(heClearChanged), 0);
  EXPECT_EQ(Host->Notify(heQueryChanged), 0);
  // The project's own source copied onto itself stays whole.
  Backend->Boxes.clear();
  EXPECT_EQ(Host->CopySourceIntoProject(Dir.File("proj.vpj")), 0);
  EXPECT_EQ(TTempDir::Read(Dir.File("proj.vel")), text);
  EXPECT_TRUE(Backend->Boxes.empty());
  EXPECT_EQ(Host->Notify(99), 0);
  EXPECT_EQ(Host->Notify(heCloseProject), 0);
}

TEST_F(PluginTest, MessagesWindowListsTheFileAndOpensTheSourceAtTheLine) {
  MakeProject(";-TZIRE.DRV\n;--\nSTART:\n  NOSUCH(1)\n");
  EXPECT_EQ(CompileWith({idcCompileTransfer}), 1);
  // Errors: no transfer question.
  EXPECT_TRUE(Backend->Boxes.empty());
  TWindow client = Host->MdiClient();
  std::vector<TWindow> children = MdiChildren(client);
  ASSERT_EQ(children.size(), 1u);
  EXPECT_EQ(GetWindowText(children[0]), "Meldungen");
  TWindow list = GetDlgItem(children[0], 100);
  ASSERT_NE(list, 0u);
  const intptr_t count = SendMessage(list, LB_GETCOUNT, 0, 0);
  ASSERT_GE(count, 1);
  std::string entry;
  SendMessage(list, LB_GETTEXT, 0, reinterpret_cast<intptr_t>(&entry));
  EXPECT_EQ(entry.rfind("Fehler : [Zeile:4]", 0), 0u) << entry;
  // Choosing the entry opens the source in the editor at that line.
  SendMessage(list, LB_SETCURSEL, 0, 0);
  SendMessage(children[0], WM_COMMAND, MakeWParam(100, LBN_DBLCLK), static_cast<intptr_t>(list));
  EXPECT_EQ(EditorArgs(), "/L4\n" + Dir.File("proj.vel") + "\n");

  // The window is reused by the next compile, and closed when there is no message file.
  EXPECT_EQ(CompileWith({idcCompile}), 1);
  EXPECT_EQ(MdiChildren(client).size(), 1u);
  ::chmod(Dir.Path().c_str(), 0500);
  EXPECT_EQ(CompileWith({idcCompile}), 1);
  ::chmod(Dir.Path().c_str(), 0700);
  if (::geteuid() != 0) {
    EXPECT_TRUE(MdiChildren(client).empty());
    ASSERT_FALSE(Backend->Boxes.empty());
    EXPECT_EQ(Backend->Boxes.back().Text,
              "Die Datei \"" + Dir.File("proj.err") + "\" konnte nicht geschrieben werden !");
  }
}

TEST_F(PluginTest, EditCreatesAMissingSourceAndStartsTheEditor) {
  MakeProject("");
  EXPECT_FALSE(std::filesystem::exists(Dir.File("proj.vel")));
  EXPECT_EQ(Host->RunCommand(cmVelEdit), 1);
  EXPECT_TRUE(std::filesystem::exists(Dir.File("proj.vel")));
  EXPECT_EQ(EditorArgs(), Dir.File("proj.vel") + "\n");
  // An existing source is left as it is.
  Dir.Write("proj.vel", "START:\n");
  EXPECT_EQ(Host->RunCommand(cmVelEdit), 1);
  EXPECT_EQ(TTempDir::Read(Dir.File("proj.vel")), "START:\n");
}

TEST_F(PluginTest, CompiledRecordReachesTheTerminalByteForByte) {
  termsim::TTermSimConfig config;
  termsim::TTermSim sim(config);
  ASSERT_TRUE(sim.Start()) << sim.Error();
  ::setenv("ZK_COM3", sim.PortName().c_str(), 1);
  MakeProject(TTempDir::Read(kSamples + "/BEISPIEL.vel"));
  Backend->QueueAnswer(IDYES);
  EXPECT_EQ(CompileWith({idcCom1 + 2, idcCompileTransfer}), 1);
  ASSERT_EQ(Backend->Boxes.size(), 1u);
  EXPECT_NE(Backend->Boxes[0].Text.find("Übertragen ?"), std::string::npos);
  const std::string record = TTempDir::Read(Dir.File("proj.ved"));
  ASSERT_FALSE(record.empty());
  ASSERT_TRUE(WaitFor([&] {
    for (const termsim::TReceivedFile& f : sim.Received())
      if (f.Complete) return true;
    return false;
  })) << "the loader delivered nothing";
  const std::vector<termsim::TReceivedFile> received = sim.Received();
  ASSERT_EQ(received.size(), 1u);
  // Blocks are 128 bytes; the tail of the last one is filling.
  const std::string bytes(received[0].Bytes.begin(), received[0].Bytes.end());
  ASSERT_GE(bytes.size(), record.size());
  EXPECT_EQ(bytes.substr(0, record.size()), record);
  EXPECT_EQ(bytes.find_first_not_of('\0', record.size()), std::string::npos);
  ::unsetenv("ZK_COM3");
}

}  // namespace
