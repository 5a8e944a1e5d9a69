// The compilers' front ends on the headless window layer: settings file, port dialog,
// status dialog with "Abbruch", the loader and editor command lines, and velwcomp's flow.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "bench/compiler/GenerateSource.h"
#include "compiler/core/Compile.h"
#include "compiler/standalone/CompilerSettings.h"
#include "compiler/standalone/DialogFlow.h"
#include "compiler/standalone/FrontEnd.h"
#include "compiler/standalone/PortDialog.h"
#include "compiler/standalone/StatusDialog.h"
#include "platform/process/CommandLine.h"
#include "platform/ui/Controls.h"
#include "platform/ui/DialogScript.h"
#include "platform/ui/HeadlessBackend.h"
#include "platform/ui/MessageLoop.h"
#include "platform/ui/UiSystem.h"
#include "platform/ui/Window.h"
#include "resources/velcomp/Dialogs.h"
#include "tests/support/TempDir.h"

using namespace platform;

namespace {

const std::string kSamples = std::string(ZK_SOURCE_DIR) + "/samples/vel";

class FrontEndTest : public ::testing::Test {
 protected:
  void SetUp() override {
    auto backend = std::make_unique<THeadlessBackend>();
    Backend = backend.get();
    InitUi(std::move(backend));
  }
  void TearDown() override { ShutdownUi(); }

  // Clicks a control of the dialog that has the focus, as the user would.
  static void Click(int32_t id) {
    TWindow focus = GetFocus();
    TWindow dialog = GetParent(focus);
    TWindow button = GetDlgItem(dialog, id);
    ASSERT_NE(button, 0u) << id;
    SendMessage(button, BM_CLICK, 0, 0);
  }

  // A starter that records what would have been started.
  TProgramStarter Recorder(bool succeed = true) {
    return [this, succeed](const std::string& line, std::string* reason) {
      Started.push_back(line);
      if (!succeed && reason) *reason = "Datei nicht gefunden";
      return succeed;
    };
  }

  TVelwcompJob SampleJob(const std::string& sourceText) {
    TVelwcompJob job;
    job.ProgramDir = "/opt/zk";
    job.Editor = "/opt/zk/zkedit32.exe";
    const std::string source = Dir.Write("prog.vel", sourceText);
    job.MessageFile = Dir.File("prog.err");
    job.SettingsPath = Dir.File("cfg/velwcomp.ini");
    job.Compile = {source, kSamples + "/ZIRE.CFG", kSamples + "/ZIRE.DRV", 4096,
                   Dir.File("prog.ved")};
    job.Start = Recorder();
    return job;
  }

  THeadlessBackend* Backend = nullptr;
  TTempDir Dir;
  std::vector<std::string> Started;
};

TEST_F(FrontEndTest, SettingsRoundTripAndBadValues) {
  const std::string path = Dir.File("sub/velwcomp.ini");
  TCompilerSettings s;
  s.ComPort = 2;
  s.DriverTrans = 7;
  s.Modem = 1;
  s.ModemNr = std::string(40, '5');
  ASSERT_TRUE(SaveCompilerSettings(path, s));
  const TCompilerSettings back = LoadCompilerSettings(path);
  EXPECT_EQ(back.ComPort, 2);
  EXPECT_EQ(back.DriverTrans, 7);
  EXPECT_EQ(back.Modem, 1);
  EXPECT_EQ(back.ModemNr, std::string(32, '5'));
  EXPECT_NE(TTempDir::Read(path).find("[System]"), std::string::npos);
  // A port outside COM1 to COM4 would leave no button checked.
  Dir.Write("bad.ini", "[System]\r\ncomport=9\r\nmodem=x\r\n");
  EXPECT_EQ(LoadCompilerSettings(Dir.File("bad.ini")).ComPort, 0);
  EXPECT_EQ(LoadCompilerSettings(Dir.File("missing.ini")).ComPort, 0);
  EXPECT_NE(CompilerSettingsPath("velwcomp").find("/zkedit32/velwcomp.ini"), std::string::npos);
}

TEST_F(FrontEndTest, RecordSizeAndLoaderCommandLine) {
  EXPECT_EQ(RecordKBytes(999, true), 1u);
  EXPECT_EQ(RecordKBytes(999, false), 0u);
  EXPECT_EQ(RecordKBytes(2500, true), 2u);
  EXPECT_EQ(RecordKBytes(2500, false), 2u);
  EXPECT_EQ(RecordKBytes(0, true), 1u);
  // COM3 is the stored port 2.
  EXPECT_EQ(LoaderCommandLine("/opt/zk", 2, "/p/prog.ved"), "/opt/zk/krladwin32.exe -3 -I/p/prog.ved");
  EXPECT_EQ(SplitCommandLine(LoaderCommandLine("/a b", 0, "/x y/p.ved")),
            (std::vector<std::string>{"/a b/krladwin32.exe", "-1", "-I/x y/p.ved"}));
  EXPECT_EQ(EditorCommandLine("/e/zkedit32.exe", "/p/prog.vel", 12), "/e/zkedit32.exe /L12 /p/prog.vel");
  EXPECT_EQ(EditorCommandLine("/e/zkedit32.exe", "/p/prog.err"), "/e/zkedit32.exe /p/prog.err");
}

TEST_F(FrontEndTest, PortDialogShowsStoredPortAndReturnsTheChosenOne) {
  TCompilerSettings settings;
  settings.ComPort = 1;
  std::vector<std::string> seen;
  TScriptSteps steps;
  steps.Then([&] {
         TWindow dialog = GetParent(GetFocus());
         EXPECT_EQ(GetWindowText(dialog), "VEL Compilieren & Übertragen");
         EXPECT_EQ(IsDlgButtonChecked(dialog, idcCom1 + 1), BST_CHECKED);
         EXPECT_FALSE(IsWindowEnabled(GetDlgItem(dialog, idcModem)));
         EXPECT_FALSE(IsWindowEnabled(GetDlgItem(dialog, idcModemNumber)));
         EXPECT_FALSE(IsWindowEnabled(GetDlgItem(dialog, idcModemSetup)));
         Click(idcCom1 + 2);
       })
      .Then([&] { Click(idcCompileTransfer); });
  Backend->SetIdleScript([&] { return steps.Step(); });
  const TPortChoice choice = VELCompilerDialog::Run(0, settings, [&](TWindow, TPortChoice c) {
    seen.push_back(c == pcCompileTransfer ? "transfer" : "compile");
  });
  EXPECT_EQ(choice, pcCompileTransfer);
  EXPECT_EQ(settings.ComPort, 2);
  EXPECT_EQ(seen, std::vector<std::string>{"transfer"});

  // "&Schließen" compiles nothing and keeps the port.
  TScriptSteps close;
  close.Then([&] { Click(idcCom1 + 3); }).Then([&] { Click(idcClose); });
  Backend->SetIdleScript([&] { return close.Step(); });
  EXPECT_EQ(VELCompilerDialog::Run(0, settings, [&](TWindow, TPortChoice) { seen.push_back("x"); }),
            pcNone);
  EXPECT_EQ(settings.ComPort, 2);
  EXPECT_EQ(seen.size(), 1u);
}

TEST_F(FrontEndTest, AbbruchStopsALongCompile) {
  const std::string source = Dir.Write("long.vel", GenerateVelSource(200000));
  TMessageList messages;
  VELCompilerMld dialog(messages);
  ASSERT_TRUE(dialog.Create(0));
  // The click waits in the queue until the compile's callback lets messages run.
  TWindow cancel = GetDlgItem(dialog.Window(), idcStatusCancel);
  PostMessage(dialog.Window(), WM_COMMAND, MakeWParam(idcStatusCancel, BN_CLICKED),
              static_cast<intptr_t>(cancel));
  const int32_t result =
      VelCompile(source.c_str(), (kSamples + "/ZIRE.CFG").c_str(), (kSamples + "/ZIRE.DRV").c_str(),
                 nullptr, 64 * 1024, VELCompilerMld::Progress, &dialog,
                 Dir.File("long.ved").c_str(), messages);
  (void)result;
  EXPECT_TRUE(dialog.Cancelled());
  // The compile stopped near the start: its record is a small part of the whole one.
  TMessageList full;
  ASSERT_EQ(VelCompile(source.c_str(), (kSamples + "/ZIRE.CFG").c_str(),
                       (kSamples + "/ZIRE.DRV").c_str(), nullptr, 64 * 1024, nullptr, nullptr,
                       Dir.File("full.ved").c_str(), full),
            kCompileOk);
  EXPECT_LT(TTempDir::Read(Dir.File("long.ved")).size() * 20,
            TTempDir::Read(Dir.File("full.ved")).size());
  EXPECT_EQ(GetDlgItemText(dialog.Window(), idcGaugeText), std::to_string(dialog.Percent()) + "%");
  EXPECT_FALSE(GetDlgItemText(dialog.Window(), idcInfo).empty());
  dialog.Close();
  EXPECT_EQ(dialog.Window(), 0u);
}

TEST_F(FrontEndTest, VelwcompTransfersAfterAYesWithTheStoredPort) {
  TVelwcompJob job = SampleJob(TTempDir::Read(kSamples + "/BEISPIEL.vel"));
  TScriptSteps steps;
  steps.Then([&] { Click(idcCom1 + 2); }).Then([&] { Click(idcCompileTransfer); });
  Backend->SetIdleScript([&] { return steps.Step(); });
  Backend->QueueAnswer(IDYES);
  EXPECT_EQ(RunVelwcompDialogs(job), 0);
  ASSERT_EQ(Backend->Boxes.size(), 1u);
  const uint64_t size = TTempDir::Read(job.Compile.Record).size();
  ASSERT_GT(size, 0u);
  EXPECT_EQ(Backend->Boxes[0].Text,
            "Die Datensatzgröße ist " + std::to_string(RecordKBytes(size, true)) + " kByte.\nÜbertragen ?");
  EXPECT_EQ(Started, std::vector<std::string>{"/opt/zk/krladwin32.exe -3 -I" + job.Compile.Record});
  EXPECT_EQ(LoadCompilerSettings(job.SettingsPath).ComPort, 2);
  EXPECT_EQ(TTempDir::Read(job.MessageFile), "");
}

TEST_F(FrontEndTest, VelwcompOpensTheEditorAfterAnyMessageAndNeverTransfers) {
  TVelwcompJob job = SampleJob(";-TZIRE.DRV\n;--\nSTART:\n  NOSUCH(1)\n");
  TScriptSteps steps;
  steps.Then([&] { Click(idcCompileTransfer); });
  Backend->SetIdleScript([&] { return steps.Step(); });
  EXPECT_EQ(RunVelwcompDialogs(job), 1);
  EXPECT_TRUE(Backend->Boxes.empty());
  EXPECT_EQ(Started, std::vector<std::string>{"/opt/zk/zkedit32.exe " + job.MessageFile});
  EXPECT_NE(TTempDir::Read(job.MessageFile).find("[Zeile:4]"), std::string::npos);

  // No answer Yes, no loader; a loader that cannot start is reported, not ignored.
  Started.clear();
  job = SampleJob(TTempDir::Read(kSamples + "/BEISPIEL.vel"));
  job.Start = Recorder(false);
  TScriptSteps again;
  again.Then([&] { Click(idcCompileTransfer); });
  Backend->SetIdleScript([&] { return again.Step(); });
  Backend->QueueAnswer(IDYES);
  EXPECT_EQ(RunVelwcompDialogs(job), 0);
  ASSERT_EQ(Backend->Boxes.size(), 2u);
  EXPECT_EQ(Backend->Boxes[1].Text,
            "Das Programm \"/opt/zk/krladwin32\" konnte nicht gestartet werden (Datei nicht gefunden) !");
}

TEST_F(FrontEndTest, PlainCompileAsksNothingAndNoIsTheEnd) {
  TVelwcompJob job = SampleJob(TTempDir::Read(kSamples + "/BEISPIEL.vel"));
  TScriptSteps steps;
  steps.Then([&] { Click(idcCompile); });
  Backend->SetIdleScript([&] { return steps.Step(); });
  EXPECT_EQ(RunVelwcompDialogs(job), 0);
  EXPECT_TRUE(Backend->Boxes.empty());
  EXPECT_TRUE(Started.empty());
  EXPECT_FALSE(TTempDir::Read(job.Compile.Record).empty());

  TScriptSteps no;
  no.Then([&] { Click(idcCompileTransfer); });
  Backend->SetIdleScript([&] { return no.Step(); });
  Backend->QueueAnswer(IDNO);
  EXPECT_EQ(RunVelwcompDialogs(job), 0);
  EXPECT_EQ(Backend->Boxes.size(), 1u);
  EXPECT_TRUE(Started.empty());
}

}  // namespace

namespace {

TEST_F(FrontEndTest, PluginCountsA999ByteRecordAsZeroKByte) {
  const std::string record = Dir.Write("small.ved", std::string(999, 'x'));
  Backend->QueueAnswer(IDNO);
  EXPECT_FALSE(AskAndTransfer(0, Recorder(), false, "/opt/zk", 0, record));
  Backend->QueueAnswer(IDNO);
  EXPECT_FALSE(AskAndTransfer(0, Recorder(), true, "/opt/zk", 0, record));
  ASSERT_EQ(Backend->Boxes.size(), 2u);
  EXPECT_EQ(Backend->Boxes[0].Text, "Die Datensatzgröße ist 0 kByte.\nÜbertragen ?");
  EXPECT_EQ(Backend->Boxes[1].Text, "Die Datensatzgröße ist 1 kByte.\nÜbertragen ?");
  // A record whose size cannot be read asks nothing.
  EXPECT_FALSE(AskAndTransfer(0, Recorder(), true, "/opt/zk", 0, Dir.File("none.ved")));
  EXPECT_EQ(Backend->Boxes.size(), 2u);
  EXPECT_TRUE(Started.empty());
}

}  // namespace
