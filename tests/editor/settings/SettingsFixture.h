// The editor's frame on the headless back end with a scripted user for the settings sheet
// and the file-list dialogs.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "editor/frame/Frame.h"
#include "editor/text/ChildWindowProc.h"
#include "editor/text/EditChildData.h"
#include "platform/ui/Controls.h"
#include "platform/ui/DialogScript.h"
#include "platform/ui/HeadlessBackend.h"
#include "platform/ui/MessageLoop.h"
#include "platform/ui/PropertySheet.h"
#include "platform/ui/UiSystem.h"
#include "platform/ui/Window.h"
#include "tests/support/TempDir.h"

class SettingsFixture : public ::testing::Test {
 protected:
  void SetUp() override {
    auto backend = std::make_unique<platform::THeadlessBackend>();
    Backend = backend.get();
    platform::InitUi(std::move(backend));
    Frame = std::make_unique<TFrame>();
    Frame->Profile = std::make_unique<platform::TProfileFile>(Dir.File("ZKEdit32.Ini"));
    Frame->ColorFile = Dir.File("ZKColors.Ini");
    Frame->Options.AutoOpen = 0;
    Frame->Spawn = [this](const std::vector<std::string>& args) {
      Spawned.push_back(args);
      return 0;
    };
  }
  void TearDown() override {
    Frame.reset();
    platform::ShutdownUi();
  }
  void Start() {
    ASSERT_TRUE(Frame->Create());
    Frame->Show();
    platform::RunPendingMessages();
  }
  // Runs a command whose modal dialog the steps drive; each step runs when the loop waits.
  void RunWith(uint16_t command, platform::TScriptSteps& steps) {
    Backend->SetIdleScript([&] { return steps.Step(); });
    Frame->Command(command);
    Backend->SetIdleScript(nullptr);
    platform::RunPendingMessages();
  }
  // The dialog that has the focus (for a sheet: the sheet itself).
  platform::TWindow FocusDialog() const {
    platform::TWindow w = platform::GetFocus();
    while (w && platform::GetParent(w) && (platform::GetWindowStyle(w) & platform::WS_CHILD)) w = platform::GetParent(w);
    return w;
  }
  platform::TWindow Sheet() const { return FocusDialog(); }
  platform::TWindow Page() const {
    return static_cast<platform::TWindow>(platform::SendMessage(Sheet(), platform::PSM_GETCURRENTPAGEHWND, 0, 0));
  }
  void ShowPage(int32_t index) { platform::SendMessage(Sheet(), platform::PSM_SETCURSEL, static_cast<uintptr_t>(index), 0); }
  static void Click(platform::TWindow dialog, int32_t id) {
    platform::SendMessage(platform::GetDlgItem(dialog, id), platform::BM_CLICK, 0, 0);
  }
  static void Type(platform::TWindow dialog, int32_t id, std::string text) {
    platform::SendMessage(platform::GetDlgItem(dialog, id), platform::kCtlUserText, 0, reinterpret_cast<intptr_t>(&text));
  }
  static void Choose(platform::TWindow dialog, int32_t id, int32_t index) {
    platform::SendMessage(platform::GetDlgItem(dialog, id), platform::kCtlUserSelect, static_cast<uintptr_t>(index), 0);
  }
  static bool IsChecked(platform::TWindow dialog, int32_t id) {
    return platform::IsDlgButtonChecked(dialog, id) == platform::BST_CHECKED;
  }
  void Ok() { platform::ScriptKey(platform::VK_RETURN); }
  void Cancel() { platform::ScriptKey(platform::VK_ESCAPE); }
  TEditChildData* Edit(platform::TWindow w) { return dynamic_cast<TEditChildData*>(GetChildData(w)); }

  TTempDir Dir;
  platform::THeadlessBackend* Backend = nullptr;
  std::unique_ptr<TFrame> Frame;
  std::vector<std::vector<std::string>> Spawned;
};
