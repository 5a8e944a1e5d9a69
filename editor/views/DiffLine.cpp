#include "editor/views/DiffLine.h"

#include <new>

#include "editor/text/TextFile.h"
#include "editor/views/CompareKeepAlive.h"
#include "editor/views/DiffTypes.h"

TDiffLine* NewDiffLine(TDiffLinePool& pool, const char* text, int32_t length, int32_t index) {
  TDiffPoolBlock* owner = nullptr;
  void* memory = pool.Allocate(sizeof(TDiffLine), &owner);
  if (!memory) return nullptr;
  auto* line = new (memory) TDiffLine{};
  line->Flags = owner ? 0u : static_cast<uint32_t>(dlfOwnAllocation);
  line->Text = text ? text : "";
  line->Length = text ? length : 0;
  line->Index = index;
  line->Owner = owner;
  return line;
}

void FreeDiffLine(TDiffLinePool& pool, TDiffLine* line) {
  if (!line) return;
  TDiffPoolBlock* owner = line->Owner;
  line->~TDiffLine();
  pool.Release(line, owner);
}

int32_t TDiffFile::Load(const std::string& name) {
  Clear();
  Name_ = name;
  int32_t status = LoadTextFile(name.c_str(), Lines_, nullptr, 0, lemAny, false, nullptr, nullptr);
  // Exhausted memory is not the file's fault; every other refusal is.
  if (status == tfsNoMemory) return csNoMemory;
  if (status != tfsOk) return csCannotRead;
  const int32_t count = Lines_.Count();
  for (int32_t i = 0; i < count; ++i) {
    CompareTick();
    std::string_view text = Lines_.Text(i);
    TDiffLine* line = NewDiffLine(Pool_, Lines_.At(i), static_cast<int32_t>(text.size()), i);
    if (!line) {
      Clear();
      return csNoLineRecord;
    }
    line->Prev = Last_;
    (Last_ ? Last_->Next : First_) = line;
    Last_ = line;
    ++Count_;
  }
  return csOk;
}

void TDiffFile::Clear() {
  for (TDiffLine* line = First_; line;) {
    TDiffLine* next = line->Next;
    FreeDiffLine(Pool_, line);
    line = next;
  }
  First_ = Last_ = nullptr;
  Count_ = 0;
  Lines_.Empty();
}

void TDiffFile::ResetMatches() {
  for (TDiffLine* line = First_; line; line = line->Next) {
    line->Partner = nullptr;
    line->Flags &= ~(dlfHashed | dlfChanged);
  }
}
