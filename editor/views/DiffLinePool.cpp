#include "editor/views/DiffLinePool.h"

#include <atomic>
#include <cstdio>
#include <cstdlib>

#include "platform/memory/GlobalMemory.h"

namespace {

void WriteToStderr(const char* text) {
  std::fputs(text, stderr);
}

std::atomic<TDiffDebugOutput> gDebugOutput{&WriteToStderr};

void DebugOutput(const char* text) {
  gDebugOutput.load()(text);
}

size_t RoundUp(size_t size) {
  return (size + TDiffLinePool::kRecordAlign - 1) / TDiffLinePool::kRecordAlign *
         TDiffLinePool::kRecordAlign;
}

}  // namespace

void SetDiffDebugOutput(TDiffDebugOutput output) {
  gDebugOutput.store(output ? output : &WriteToStderr);
}

TDiffLinePool::TBlockMemory TDiffLinePool::GlobalBlockMemory() {
  return TBlockMemory{&platform::GlobalAlloc, &platform::GlobalLock, &platform::GlobalUnlock,
                      &platform::GlobalFree};
}

TDiffLinePool::TDiffLinePool(TBlockMemory memory) : Memory_(memory) {}

TDiffLinePool::~TDiffLinePool() {
  // Records still out keep their block alive; only an idle current block is ours to drop.
  std::lock_guard<std::mutex> guard(Lock_);
  if (Current_ && Current_->LiveRecords == 0) FreeBlock(Current_);
  Current_ = nullptr;
}

TDiffLinePool& TDiffLinePool::Shared() {
  static TDiffLinePool pool;
  return pool;
}

TDiffPoolBlock* TDiffLinePool::NewBlock() {
  platform::THandle memory = Memory_.Alloc(platform::GMEM_MOVEABLE, kBlockSize);
  if (!memory) {
    DebugOutput("GlobalAlloc failed!\r\n");
    return nullptr;
  }
  void* base = Memory_.Lock(memory);
  if (!base) {
    DebugOutput("GlobalLock failed!\r\n");
    Memory_.Free(memory);
    return nullptr;
  }
  auto* block = static_cast<TDiffPoolBlock*>(base);
  block->Memory = memory;
  block->LiveRecords = 0;
  block->UsedSize = kFirstRecord;
  ++Blocks_;
  return block;
}

void TDiffLinePool::FreeBlock(TDiffPoolBlock* block) {
  platform::THandle memory = block->Memory;
  Memory_.Unlock(memory);
  Memory_.Free(memory);
  --Blocks_;
}

void* TDiffLinePool::Allocate(size_t size, TDiffPoolBlock** owner) {
  const size_t rounded = RoundUp(size ? size : 1);
  *owner = nullptr;
  if (kFirstRecord + rounded >= kBlockLimit) return std::malloc(rounded);

  std::lock_guard<std::mutex> guard(Lock_);
  if (Current_ && Current_->UsedSize + rounded >= kBlockLimit) {
    // The full block lives on until its last record goes.
    if (Current_->LiveRecords == 0) FreeBlock(Current_);
    Current_ = nullptr;
  }
  if (!Current_) {
    Current_ = NewBlock();
    if (!Current_) return nullptr;
  }
  char* record = reinterpret_cast<char*>(Current_) + Current_->UsedSize;
  Current_->UsedSize += static_cast<uint32_t>(rounded);
  ++Current_->LiveRecords;
  *owner = Current_;
  return record;
}

void TDiffLinePool::Release(void* record, TDiffPoolBlock* owner) {
  if (!record) return;
  if (!owner) {
    std::free(record);
    return;
  }
  std::lock_guard<std::mutex> guard(Lock_);
  if (--owner->LiveRecords != 0) return;
  if (owner == Current_) Current_ = nullptr;
  FreeBlock(owner);
}

size_t TDiffLinePool::BlockCount() const {
  std::lock_guard<std::mutex> guard(Lock_);
  return Blocks_;
}
