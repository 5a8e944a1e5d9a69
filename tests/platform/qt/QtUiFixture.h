// A Qt offscreen session per test with a recording window class, for the clipboard and drag
// tests.
#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <cstdlib>
#include <vector>

#include "platform/qt/QtBackend.h"
#include "platform/ui/HeadlessBackend.h"
#include "platform/ui/MessageLoop.h"
#include "platform/ui/UiSystem.h"
#include "platform/ui/Window.h"

namespace qttest {

inline std::vector<platform::TMsg>& Seen() {
  static std::vector<platform::TMsg> seen;
  return seen;
}

inline intptr_t RecordingProc(platform::TWindow w, uint32_t m, uintptr_t wp, intptr_t lp) {
  Seen().push_back({w, m, wp, lp});
  return platform::DefWindowProc(w, m, wp, lp);
}

class QtUiTest : public ::testing::Test {
 protected:
  void SetUp() override {
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    auto owned = std::make_unique<platform::TQtBackend>();
    Backend = owned.get();
    platform::InitUi(std::move(owned));
    Seen().clear();
    platform::TWindowClass cls;
    cls.Name = "QtRecorder";
    cls.Proc = RecordingProc;
    ASSERT_TRUE(platform::RegisterWindowClass(cls));
  }
  void TearDown() override { platform::ShutdownUi(); }

  platform::TWindow Make(const platform::TRect& r, platform::TWindow parent = 0) {
    uint32_t style = platform::WS_VISIBLE | (parent ? platform::WS_CHILD : 0);
    return platform::CreateWindowEx(0, "QtRecorder", "R", style, r, parent, nullptr);
  }
  static void Pump() {
    for (int i = 0; i < 10; ++i) {
      QCoreApplication::processEvents();
      platform::RunPendingMessages();
    }
  }
  static int Count(uint32_t message) {
    int n = 0;
    for (const platform::TMsg& m : Seen()) n += m.Message == message;
    return n;
  }

  platform::TQtBackend* Backend = nullptr;
};

}  // namespace qttest
