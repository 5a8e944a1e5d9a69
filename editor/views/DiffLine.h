// The line records of the file compare and the file record that holds them in order.
#pragma once

#include <cstdint>
#include <string>

#include "editor/text/TextLines.h"
#include "editor/views/DiffLinePool.h"

enum TDiffLineFlags : uint32_t {
  dlfOwnAllocation = 1,  // not from a pool block
  dlfHashed = 2,         // Hash is valid
  dlfChanged = 4,        // shown inverted
  dlfSeparator = 8,      // a row standing for left-out common lines
};

// One source line (or a separator row). Lines of a file are doubly linked in file order.
struct TDiffLine {
  uint32_t Flags;
  uint32_t Hash;       // valid with dlfHashed
  const char* Text;    // zero-terminated, "" for an empty line; owned by the file
  int32_t Length;      // of Text
  int32_t Index;       // 0-based line index (for a separator: the line before)
  TDiffLine* Partner;  // the equal line of the other file; null while unmatched
  TDiffLine* Prev;
  TDiffLine* Next;
  TDiffPoolBlock* Owner;  // the pool block, null with dlfOwnAllocation

  bool Changed() const { return (Flags & dlfChanged) != 0; }
  bool Separator() const { return (Flags & dlfSeparator) != 0; }
};

// A line record from the pool; null when none could be made.
TDiffLine* NewDiffLine(TDiffLinePool& pool, const char* text, int32_t length, int32_t index);
void FreeDiffLine(TDiffLinePool& pool, TDiffLine* line);

// One compared file: its name, its loaded lines and a record for every line.
class TDiffFile {
 public:
  explicit TDiffFile(TDiffLinePool& pool) : Pool_(pool) {}
  ~TDiffFile() { Clear(); }
  TDiffFile(const TDiffFile&) = delete;
  TDiffFile& operator=(const TDiffFile&) = delete;

  // Reads the file (any line end) and makes the line records: 0, -40 when the file
  // cannot be read as text, -41 when a record cannot be made, -42 without memory.
  [[nodiscard]] int32_t Load(const std::string& name);
  // Drops records and lines; the name stays.
  void Clear();
  void SetName(const std::string& name) { Name_ = name; }
  // Forgets every match and hash (the options may have changed).
  void ResetMatches();

  const std::string& Name() const { return Name_; }
  TDiffLine* First() const { return First_; }
  TDiffLine* Last() const { return Last_; }
  int32_t Count() const { return Count_; }
  const TTextLines& Lines() const { return Lines_; }

 private:
  TDiffLinePool& Pool_;
  std::string Name_;
  TTextLines Lines_;
  TDiffLine* First_ = nullptr;
  TDiffLine* Last_ = nullptr;
  int32_t Count_ = 0;
};
