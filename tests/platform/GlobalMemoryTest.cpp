#include "platform/memory/GlobalMemory.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

using namespace platform;

TEST(GlobalMemoryTest, BlockLifecycle) {
  uint32_t live = LiveHandleCount();
  THandle h = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, 100);
  ASSERT_NE(h, 0u);
  EXPECT_EQ(LiveHandleCount(), live + 1);
  EXPECT_EQ(GlobalSize(h), 100u);
  char* p = static_cast<char*>(GlobalLock(h));
  ASSERT_NE(p, nullptr);
  for (int i = 0; i < 100; ++i)
    ASSERT_EQ(p[i], 0);
  std::strcpy(p, "text");
  // Locks nest; the address stays the same.
  EXPECT_EQ(GlobalLock(h), p);
  EXPECT_TRUE(GlobalUnlock(h));
  EXPECT_FALSE(GlobalUnlock(h));
  EXPECT_FALSE(GlobalUnlock(h));
  EXPECT_STREQ(static_cast<char*>(GlobalLock(h)), "text");
  GlobalUnlock(h);
  EXPECT_EQ(GlobalFree(h), 0u);
  EXPECT_EQ(LiveHandleCount(), live);
}

TEST(GlobalMemoryTest, StaleAndForeignHandlesAreRefused) {
  THandle h = GlobalAlloc(GMEM_MOVEABLE, 8);
  ASSERT_EQ(GlobalFree(h), 0u);
  EXPECT_EQ(GlobalLock(h), nullptr);
  EXPECT_EQ(GlobalSize(h), 0u);
  EXPECT_EQ(GlobalFree(h), h);
  // A new block may reuse the slot but not the handle.
  THandle again = GlobalAlloc(GMEM_MOVEABLE, 8);
  EXPECT_NE(again, h);
  EXPECT_EQ(GlobalLock(h), nullptr);
  EXPECT_EQ(GlobalFree(again), 0u);
  EXPECT_EQ(GlobalLock(0), nullptr);
  EXPECT_EQ(GlobalLock(0x12345678), nullptr);
}

TEST(GlobalMemoryTest, ZeroSizedBlockHasAnAddress) {
  THandle h = GlobalAlloc(GMEM_MOVEABLE, 0);
  ASSERT_NE(h, 0u);
  EXPECT_NE(GlobalLock(h), nullptr);
  EXPECT_EQ(GlobalSize(h), 0u);
  GlobalUnlock(h);
  GlobalFree(h);
}

}  // namespace
