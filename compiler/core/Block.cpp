// Block ends are anonymous symbols defined when the governed part is over.
#include "compiler/core/Block.h"

void BlockHandle::BeforeCommand(bool& pending) {
  if (pending) {
    Stack_.push_back(kNextCommandMark);
    pending = false;
    return;
  }
  // A braceless block inside a braceless block ends at the same command as the inner one.
  while (!Stack_.empty() && Stack_.back() == kNextCommandMark) {
    Stack_.pop_back();
    EndBlockHere();
  }
}

void BlockHandle::Open(bool& pending) {
  ++Depth_;
  if (pending) {
    Stack_.push_back(Depth_);
    pending = false;
  }
}

void BlockHandle::Close(bool& pending, TVelReporter& reporter) {
  const int32_t before = Depth_--;
  if (pending) {
    reporter.ReportAtLine(msgBlockEnd);
    return;
  }
  if (Stack_.empty()) return;
  if (Stack_.back() == before) {
    Stack_.pop_back();
    EndBlockHere();
  }
}
