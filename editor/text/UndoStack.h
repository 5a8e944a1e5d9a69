// Undo entries and the stack that merges runs of typing into one entry.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

enum TUndoKind : uint8_t {
  ukInserted = 1,
  ukDeleted = 2,
  ukOverwritten = 3,
};

// The range means, by kind:
//  inserted:    Start = where the inserted text begins, End = where it ends;
//  deleted:     Start = where the deleted text began, End = where the caret stood;
//  overwritten: Start = where the new text begins, End = Start + its length.
struct TUndoEntry {
  uint8_t Kind = ukInserted;
  int32_t StartLine = 0;
  int32_t StartColumn = 0;
  int32_t EndLine = 0;
  int32_t EndColumn = 0;
  std::string Text;  // deleted: the deleted text (lines joined by CR LF); overwritten: the old text
  bool ColumnMode = false;
  bool Linked = false;  // undo goes on with the entry below: both belong to one user action
};

// The top is the newest entry. No size limit.
class TUndoStack {
 public:
  bool IsEmpty() const { return Entries_.empty(); }
  size_t Size() const { return Entries_.size(); }

  // Merges the entry into the top when it continues a run, else makes it the new top.
  // False only when memory is exhausted (the entry is then dropped).
  bool Push(std::unique_ptr<TUndoEntry> entry);
  // Takes the top out; null when empty.
  std::unique_ptr<TUndoEntry> Pop();
  // True when `entry` continued the top entry's run and was folded into it.
  bool Merge(const TUndoEntry& entry);
  void EmptyStack() { Entries_.clear(); }

  // 0 = top.
  const TUndoEntry* At(size_t fromTop) const;

 private:
  std::vector<std::unique_ptr<TUndoEntry>> Entries_;  // top at the back
};
