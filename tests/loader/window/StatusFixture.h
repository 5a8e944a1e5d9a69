// A headless window layer per test for the status window.
#pragma once

#include <gtest/gtest.h>

#include <memory>

#include "platform/ui/HeadlessBackend.h"
#include "platform/ui/UiSystem.h"

namespace loadwintest {

class StatusTest : public ::testing::Test {
 protected:
  void SetUp() override {
    auto backend = std::make_unique<platform::THeadlessBackend>();
    Backend = backend.get();
    platform::InitUi(std::move(backend));
  }
  void TearDown() override { platform::ShutdownUi(); }

  platform::THeadlessBackend* Backend = nullptr;
};

}  // namespace loadwintest
