#include "editor/text/UndoStack.h"

#include <cstdlib>
#include <new>

bool TUndoStack::Merge(const TUndoEntry& e) {
  if (Entries_.empty()) return false;
  TUndoEntry& top = *Entries_.back();
  if (e.StartLine != e.EndLine || top.Kind != e.Kind || top.StartLine != top.EndLine ||
      top.StartLine != e.StartLine)
    return false;
  switch (e.Kind) {
    case ukInserted:
      if (e.EndColumn - e.StartColumn != 1 || e.StartColumn != top.EndColumn) return false;
      ++top.EndColumn;
      return true;
    case ukDeleted:
      if (e.Text.size() > 1 || std::abs(e.StartColumn - e.EndColumn) > 1) return false;
      if (e.StartColumn >= e.EndColumn) {  // forward delete: the caret stayed
        if (e.StartColumn != top.EndColumn) return false;
        top.Text += e.Text;
      } else {  // backspace
        if (e.EndColumn != top.StartColumn) return false;
        top.Text = e.Text + top.Text;
        top.StartColumn = e.StartColumn;
      }
      return true;
    case ukOverwritten:
      if (e.Text.size() > 1 || e.EndColumn - e.StartColumn != 1 || e.StartColumn != top.EndColumn)
        return false;
      top.Text += e.Text;
      ++top.EndColumn;
      return true;
    default:
      return false;
  }
}

bool TUndoStack::Push(std::unique_ptr<TUndoEntry> entry) {
  if (!entry) return false;
  try {
    if (Merge(*entry)) return true;
    Entries_.push_back(std::move(entry));
    return true;
  } catch (const std::bad_alloc&) {
    return false;
  }
}

std::unique_ptr<TUndoEntry> TUndoStack::Pop() {
  if (Entries_.empty()) return nullptr;
  std::unique_ptr<TUndoEntry> top = std::move(Entries_.back());
  Entries_.pop_back();
  return top;
}

const TUndoEntry* TUndoStack::At(size_t fromTop) const {
  if (fromTop >= Entries_.size()) return nullptr;
  return Entries_[Entries_.size() - 1 - fromTop].get();
}
