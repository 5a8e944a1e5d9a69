// The pool of line records: placement in blocks, release with the last record, records
// too large for a block, and block failures.
#include "editor/views/DiffLinePool.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "platform/memory/GlobalMemory.h"

namespace {

std::string gDebugText;
void CaptureDebug(const char* text) {
  gDebugText += text;
}

int gAllocsLeft = 0;  // failing memory: allocations allowed before failure
platform::THandle CountedAlloc(uint32_t flags, size_t bytes) {
  if (gAllocsLeft <= 0) return 0;
  --gAllocsLeft;
  return platform::GlobalAlloc(flags, bytes);
}
void* FailingLock(platform::THandle) {
  return nullptr;
}

class DiffLinePoolTest : public ::testing::Test {
 protected:
  void SetUp() override {
    gDebugText.clear();
    SetDiffDebugOutput(&CaptureDebug);
    handlesBefore_ = platform::LiveHandleCount();
  }
  void TearDown() override {
    SetDiffDebugOutput(nullptr);
    EXPECT_EQ(platform::LiveHandleCount(), handlesBefore_);
  }
  uint32_t handlesBefore_ = 0;
};

TEST_F(DiffLinePoolTest, RecordsFollowEachOtherRoundedAndAligned) {
  TDiffLinePool pool;
  TDiffPoolBlock* o1 = nullptr;
  TDiffPoolBlock* o2 = nullptr;
  char* a = static_cast<char*>(pool.Allocate(5, &o1));
  char* b = static_cast<char*>(pool.Allocate(1, &o2));
  ASSERT_TRUE(a && b);
  EXPECT_EQ(o1, o2);
  EXPECT_EQ(a, reinterpret_cast<char*>(o1) + TDiffLinePool::kFirstRecord);
  EXPECT_EQ(b - a, static_cast<ptrdiff_t>(TDiffLinePool::kRecordAlign));
  EXPECT_EQ(reinterpret_cast<uintptr_t>(b) % alignof(void*), 0u);
  EXPECT_EQ(o1->LiveRecords, 2u);
  EXPECT_EQ(platform::GlobalSize(o1->Memory), TDiffLinePool::kBlockSize);
  pool.Release(a, o1);
  EXPECT_EQ(pool.BlockCount(), 1u);
  pool.Release(b, o2);
  EXPECT_EQ(pool.BlockCount(), 0u);  // released with its last record
}

TEST_F(DiffLinePoolTest, ANewBlockStartsBeforeTheLimitIsReached) {
  TDiffLinePool pool;
  const size_t size = 1000;
  std::vector<std::pair<void*, TDiffPoolBlock*>> records;
  // kFirstRecord + 24 * 1000 = 24016 stays below 25002; the 25th would reach it.
  for (int i = 0; i < 25; ++i) {
    TDiffPoolBlock* owner = nullptr;
    void* p = pool.Allocate(size, &owner);
    ASSERT_NE(p, nullptr);
    records.emplace_back(p, owner);
  }
  EXPECT_EQ(records[23].second, records[0].second);
  EXPECT_NE(records[24].second, records[0].second);
  EXPECT_EQ(pool.BlockCount(), 2u);
  // The full first block stays until its last record goes.
  for (int i = 0; i < 23; ++i)
    pool.Release(records[i].first, records[i].second);
  EXPECT_EQ(pool.BlockCount(), 2u);
  pool.Release(records[23].first, records[23].second);
  EXPECT_EQ(pool.BlockCount(), 1u);
  pool.Release(records[24].first, records[24].second);
  EXPECT_EQ(pool.BlockCount(), 0u);
}

TEST_F(DiffLinePoolTest, RecordsTooLargeForABlockAreAllocatedOnTheirOwn) {
  TDiffLinePool pool;
  TDiffPoolBlock* owner = reinterpret_cast<TDiffPoolBlock*>(1);
  void* p = pool.Allocate(TDiffLinePool::kBlockLimit, &owner);
  ASSERT_NE(p, nullptr);
  EXPECT_EQ(owner, nullptr);
  EXPECT_EQ(pool.BlockCount(), 0u);
  pool.Release(p, owner);
}

TEST_F(DiffLinePoolTest, BlockFailuresGoToTheDebugOutput) {
  {
    gAllocsLeft = 0;
    TDiffLinePool pool(
        {&CountedAlloc, &platform::GlobalLock, &platform::GlobalUnlock, &platform::GlobalFree});
    TDiffPoolBlock* owner = nullptr;
    EXPECT_EQ(pool.Allocate(16, &owner), nullptr);
    EXPECT_EQ(gDebugText, "GlobalAlloc failed!\r\n");
  }
  gDebugText.clear();
  {
    TDiffLinePool pool(
        {&platform::GlobalAlloc, &FailingLock, &platform::GlobalUnlock, &platform::GlobalFree});
    TDiffPoolBlock* owner = nullptr;
    EXPECT_EQ(pool.Allocate(16, &owner), nullptr);
    EXPECT_EQ(gDebugText, "GlobalLock failed!\r\n");
    EXPECT_EQ(pool.BlockCount(), 0u);  // the unlocked block was freed (TearDown counts)
  }
}

}  // namespace
