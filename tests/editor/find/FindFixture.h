// The editor's frame on the headless back end with helpers to drive the find dialogs.
#pragma once

#include <gtest/gtest.h>

#include <deque>
#include <functional>
#include <vector>
#include <memory>
#include <string>

#include "editor/find/FindController.h"
#include "editor/find/FindDialogs.h"
#include "editor/frame/Frame.h"
#include "editor/text/ChildWindowProc.h"
#include "editor/text/EditChildData.h"
#include "platform/ui/ComboBox.h"
#include "platform/ui/Controls.h"
#include "platform/ui/Dialog.h"
#include "platform/ui/DialogScript.h"
#include "platform/ui/HeadlessBackend.h"
#include "platform/ui/MessageLoop.h"
#include "platform/ui/UiSystem.h"
#include "platform/ui/Window.h"
#include "tests/support/TempDir.h"

class FindTest : public ::testing::Test {
 protected:
  void SetUp() override {
    auto backend = std::make_unique<platform::THeadlessBackend>();
    Backend = backend.get();
    platform::InitUi(std::move(backend));
    Frame = std::make_unique<TFrame>();
    Frame->Profile = std::make_unique<platform::TProfileFile>(Dir.File("ZKEdit32.Ini"));
    Frame->ColorFile = Dir.File("ZKColors.Ini");
    Frame->Options.AutoOpen = 0;
    ASSERT_TRUE(Frame->Create());
    Frame->Show();
    platform::RunPendingMessages();
    // The confirmation dialog is answered as soon as it is open, the steps otherwise.
    Backend->SetIdleScript([this] {
      if (Frame->Modeless && !ConfirmAnswers.empty()) {
        Confirmed.push_back(Active().Selection);
        ReplaceAvailable.push_back(Frame->IsAvailable(178));
        const int32_t id = ConfirmAnswers.front();
        ConfirmAnswers.pop_front();
        Click(Frame->Modeless, id);
        return true;
      }
      return Steps.Step();
    });
  }
  void TearDown() override {
    Frame.reset();
    platform::ShutdownUi();
  }

  // Opens a file with these bytes (lines separated by CR LF).
  TEditChildData& Open(const std::string& name, const std::string& bytes) {
    platform::TWindow w = Frame->OpenFile(Dir.Write(name, bytes), false, nullptr, false);
    EXPECT_NE(w, 0u);
    return *dynamic_cast<TEditChildData*>(GetChildData(w));
  }
  TEditChildData& Active() { return *dynamic_cast<TEditChildData*>(GetChildData(Frame->Active())); }
  // The lines joined by "\n", without the empty line behind a file's last line end.
  std::string Text(TEditChildData& d) {
    std::string all;
    int32_t count = d.Lines.Count();
    if (count > 1 && d.Lines.Length(count - 1) == 0) --count;
    for (int32_t i = 0; i < count; ++i) {
      if (i) all += '\n';
      all += std::string(d.Lines.Text(i));
    }
    return all;
  }

  // The dialog that has the focus.
  static platform::TWindow FocusDialog() {
    platform::TWindow w = platform::GetFocus();
    while (w && platform::GetClassName(w) != platform::kDialogClass) w = platform::GetParent(w);
    return w;
  }
  static void Click(platform::TWindow dialog, int32_t id) {
    platform::SendMessage(platform::GetDlgItem(dialog, id), platform::BM_CLICK, 0, 0);
  }
  static bool Checked(platform::TWindow dialog, int32_t id) {
    return platform::IsDlgButtonChecked(dialog, id) == platform::BST_CHECKED;
  }
  // Fills the find dialog as a user would: the search text typed over what is there, the
  // boxes set, OK pressed.
  void Answer(const std::string& search, std::function<void(platform::TWindow)> boxes = {},
              const std::string* replace = nullptr) {
    auto dialog = std::make_shared<platform::TWindow>(0);
    auto typeInto = [dialog](int32_t id, std::string text) {
      return [dialog, id, text] {
        if (!*dialog) *dialog = FocusDialog();
        ASSERT_NE(*dialog, 0u);
        platform::SetFocus(platform::GetDlgItem(*dialog, id));
        platform::SendDlgItemMessage(*dialog, id, platform::CB_SETEDITSEL, 0, platform::MakeLParam(0, -1));
        platform::ScriptKey(platform::VK_DELETE);
        if (!text.empty()) platform::ScriptType(text);
      };
    };
    Steps.Then(typeInto(idcSearchText, search));
    if (replace) Steps.Then(typeInto(idcReplaceText, *replace));
    Steps.Then([this, dialog, boxes] {
      if (boxes) boxes(*dialog);
      Click(*dialog, platform::IDOK);
      if (AfterOk) AfterOk();
      AfterOk = nullptr;
    });
  }
  void AnswerReplace(const std::string& search, const std::string& replace,
                     std::function<void(platform::TWindow)> boxes = {}) {
    Answer(search, std::move(boxes), &replace);
  }
  static void Set(platform::TWindow d, int32_t id, bool on) {
    if (Checked(d, id) != on) Click(d, id);
  }
  const platform::TShownBox* LastBox() const {
    return Backend->Boxes.empty() ? nullptr : &Backend->Boxes.back();
  }

  TTempDir Dir;
  platform::THeadlessBackend* Backend = nullptr;
  std::unique_ptr<TFrame> Frame;
  platform::TScriptSteps Steps;
  std::deque<int32_t> ConfirmAnswers;
  // Runs right behind the click on OK (input that waits while the command runs).
  std::function<void()> AfterOk;
  std::vector<TTextRange> Confirmed;  // the selection at each question
  std::vector<bool> ReplaceAvailable;
};
