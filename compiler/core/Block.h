// Block bookkeeping: where the block opened by a command ends.
#pragma once

#include <cstdint>
#include <vector>

#include "compiler/core/Markers.h"

class BlockHandle {
 public:
  // Marks a block that governs only the next command (no braces).
  static constexpr int32_t kNextCommandMark = 0x7FFF;

  BlockHandle(MarkerMemo& markers, DestinationData& output) : Markers_(markers), Output_(output) {}

  // Before a command is compiled; `pending` is the flag set by the "}" instruction.
  void BeforeCommand(bool& pending);
  void Open(bool& pending);
  void Close(bool& pending, TVelReporter& reporter);
  int32_t Depth() const { return Depth_; }

 private:
  void EndBlockHere() { Markers_.Define("", segCode, Output_.Position(), 0); }

  MarkerMemo& Markers_;
  DestinationData& Output_;
  int32_t Depth_ = 0;
  std::vector<int32_t> Stack_;  // brace depths of open blocks, or kNextCommandMark
};
