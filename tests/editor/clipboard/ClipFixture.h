// The editor's frame on the headless back end for the clipboard, extended-clipboard and
// drag-and-drop tests: documents opened from a temporary folder, dialogs driven by steps.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "editor/clipboard/ExtClipboard.h"
#include "editor/frame/Frame.h"
#include "editor/text/ChildAccess.h"
#include "editor/text/ChildWindowProc.h"
#include "editor/text/EditChildData.h"
#include "platform/ui/Clipboard.h"
#include "platform/ui/Controls.h"
#include "platform/ui/Dialog.h"
#include "platform/ui/DialogScript.h"
#include "platform/ui/HeadlessBackend.h"
#include "platform/ui/MessageLoop.h"
#include "platform/ui/UiSystem.h"
#include "platform/ui/Window.h"
#include "tests/support/TempDir.h"

class ClipFixture : public ::testing::Test {
 protected:
  void SetUp() override {
    auto backend = std::make_unique<platform::THeadlessBackend>();
    Backend = backend.get();
    platform::InitUi(std::move(backend));
    Frame = std::make_unique<TFrame>();
    Frame->Profile = std::make_unique<platform::TProfileFile>(Dir.File("ZKEdit32.Ini"));
    Frame->ColorFile = Dir.File("ZKColors.Ini");
    Frame->HelpFile = Dir.Write("zkedit32.html", "<html></html>");
    Frame->Options.AutoOpen = 0;
    Frame->Options.ShowLineNumbers = false;
    Frame->Options.DragDropEdit = true;
    Frame->Spawn = [this](const std::vector<std::string>& args) {
      Spawned.push_back(args);
      return 0;
    };
    ASSERT_TRUE(Frame->Create());
    Frame->Show();
    platform::RunPendingMessages();
  }
  void TearDown() override {
    Backend->SetIdleScript(nullptr);
    Frame.reset();
    platform::ShutdownUi();
  }

  // A document with these bytes (lines joined by CR LF), active.
  platform::TWindow Open(const std::string& name, const std::string& bytes, bool readOnly = false) {
    platform::TWindow w = Frame->OpenFile(Dir.Write(name, bytes), readOnly, nullptr, false);
    platform::RunPendingMessages();
    EXPECT_NE(w, 0u);
    return w;
  }
  TEditChildData* Edit(platform::TWindow w) { return dynamic_cast<TEditChildData*>(GetChildData(w)); }
  static std::string Text(TEditChildData* d) {
    std::string out;
    for (int32_t i = 0; i < d->Lines.Count(); ++i) {
      if (i) out += '|';
      out += d->Lines.Text(i);
    }
    return out;
  }
  static void Select(TEditChildData* d, int32_t l1, int32_t c1, int32_t l2, int32_t c2) {
    TTextRange r = MakeTextRange(l1, c1, l2, c2);
    d->SetSelection(&r, 0);
  }
  TExtClipboard& Slots() {
    if (!Frame->ExtClipboard) Frame->ExtClipboard = std::make_shared<TExtClipboard>();
    return *Frame->ExtClipboard;
  }
  // The system clipboard's text in the Windows code page.
  std::optional<std::string> ClipboardText(bool oem = false) {
    return platform::TakeClipboardText(Frame->Window, oem);
  }
  // Runs a command whose modal dialog the steps drive; each step runs when the loop waits.
  void RunWith(uint16_t command, platform::TScriptSteps& steps) {
    Backend->SetIdleScript([&] { return steps.Step(); });
    Frame->Command(command);
    Backend->SetIdleScript(nullptr);
    platform::RunPendingMessages();
  }
  static platform::TWindow FocusDialog() {
    platform::TWindow w = platform::GetFocus();
    while (w && platform::GetClassName(w) != platform::kDialogClass) w = platform::GetParent(w);
    return w;
  }

  TTempDir Dir;
  platform::THeadlessBackend* Backend = nullptr;
  std::unique_ptr<TFrame> Frame;
  std::vector<std::vector<std::string>> Spawned;
};
