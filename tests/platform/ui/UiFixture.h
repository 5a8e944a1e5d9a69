// A headless user interface per test, and a recording window class.
#pragma once

#include <gtest/gtest.h>

#include <vector>

#include "platform/ui/HeadlessBackend.h"
#include "platform/ui/MessageLoop.h"
#include "platform/ui/UiSystem.h"
#include "platform/ui/Window.h"

namespace uitest {

struct TSeen {
  platform::TWindow Window;
  uint32_t Message;
  uintptr_t WParam;
  intptr_t LParam;
};

inline std::vector<TSeen>& Seen() {
  static std::vector<TSeen> seen;
  return seen;
}

// Records every message; WM_CREATE answers -1 when the create parameter says so.
inline intptr_t RecordingProc(platform::TWindow w, uint32_t m, uintptr_t wp, intptr_t lp) {
  Seen().push_back({w, m, wp, lp});
  if (m == platform::WM_CREATE) {
    auto* cs = reinterpret_cast<const platform::TCreateStruct*>(lp);
    if (cs->CreateParams && *static_cast<const int*>(cs->CreateParams) == -1) return -1;
  }
  if (m == platform::WM_USER + 7) return static_cast<intptr_t>(wp) * 2;
  return platform::DefWindowProc(w, m, wp, lp);
}

class UiTest : public ::testing::Test {
 protected:
  void SetUp() override {
    auto backend = std::make_unique<platform::THeadlessBackend>();
    Backend = backend.get();
    platform::InitUi(std::move(backend));
    Seen().clear();
    platform::TWindowClass cls;
    cls.Name = "Recorder";
    cls.Proc = RecordingProc;
    cls.Style = platform::CS_DBLCLKS;
    ASSERT_TRUE(platform::RegisterWindowClass(cls));
  }
  void TearDown() override { platform::ShutdownUi(); }

  platform::TWindow Make(int32_t w = 200, int32_t h = 100, platform::TWindow parent = 0) {
    return platform::CreateWindowEx(0, "Recorder", "R", platform::WS_VISIBLE,
                                    platform::TRect{0, 0, w, h}, parent, nullptr);
  }
  int Count(uint32_t message) const {
    int n = 0;
    for (const TSeen& s : Seen()) n += s.Message == message;
    return n;
  }

  platform::THeadlessBackend* Backend = nullptr;
};

}  // namespace uitest
