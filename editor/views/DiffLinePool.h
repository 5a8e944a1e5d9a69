// The shared pool that line records of the file compare come from: fixed blocks of
// global memory, each released with its last record, guarded by one lock.
#pragma once

#include <cstddef>
#include <cstdint>
#include <mutex>

#include "platform/core/HandleTable.h"

// The head of a pool block, at the start of the block's memory.
struct TDiffPoolBlock {
  platform::THandle Memory;  // the block's global memory handle
  uint32_t LiveRecords;
  uint32_t UsedSize;  // bytes in use from the start of the block, header included
};
static_assert(sizeof(TDiffPoolBlock) == 12);

// Where failures of the pool are written (the debugger output of the original system).
using TDiffDebugOutput = void (*)(const char* text);
// Sets the receiver of the pool's failure texts; null restores the default (stderr).
void SetDiffDebugOutput(TDiffDebugOutput output);

class TDiffLinePool {
 public:
  static constexpr size_t kBlockSize = 25012;
  // A record that would make the used size reach this starts a new block.
  static constexpr size_t kBlockLimit = 25002;
  // Records keep the alignment of pointers; the header's 12 bytes are padded to it.
  static constexpr size_t kRecordAlign = alignof(void*) > 4 ? alignof(void*) : 4;
  static constexpr size_t kFirstRecord =
      (sizeof(TDiffPoolBlock) + kRecordAlign - 1) / kRecordAlign * kRecordAlign;

  // The block memory calls; tests replace them to make the pool fail.
  struct TBlockMemory {
    platform::THandle (*Alloc)(uint32_t flags, size_t bytes);
    void* (*Lock)(platform::THandle block);
    bool (*Unlock)(platform::THandle block);
    platform::THandle (*Free)(platform::THandle block);
  };
  static TBlockMemory GlobalBlockMemory();

  explicit TDiffLinePool(TBlockMemory memory = GlobalBlockMemory());
  ~TDiffLinePool();
  TDiffLinePool(const TDiffLinePool&) = delete;
  TDiffLinePool& operator=(const TDiffLinePool&) = delete;

  // The pool all compare windows share.
  static TDiffLinePool& Shared();

  // Room for a record of `size` bytes, aligned for pointers. `*owner` receives the
  // block, or null when the record is too large for a block and was allocated on its
  // own. Null when no memory could be had (a block failure is written to the debug
  // output).
  void* Allocate(size_t size, TDiffPoolBlock** owner);
  // Gives a record back; its block is released with its last record.
  void Release(void* record, TDiffPoolBlock* owner);

  // Blocks currently held (for tests).
  size_t BlockCount() const;

 private:
  TDiffPoolBlock* NewBlock();
  void FreeBlock(TDiffPoolBlock* block);

  TBlockMemory Memory_;
  mutable std::mutex Lock_;
  TDiffPoolBlock* Current_ = nullptr;  // the block new records go into
  size_t Blocks_ = 0;
};
