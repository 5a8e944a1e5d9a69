// One step of the macro machine read from the definition image: the literal bytes up to the
// next marker and the instruction behind it, decoded once per offset and kept.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "compiler/core/CommandTable.h"

// One word of an instruction's arguments. A word whose expression reads no term (no driver
// entry, parameter, symbol or variable) has the same value every time and keeps it.
struct TMacroArgument {
  std::string_view Text;
  bool Constant = false;
  int32_t Value = 0;
};

// No instruction reads more words than this; further words are never looked at.
constexpr size_t kMaxMacroArguments = 4;

struct TMacroStep {
  enum TEnd : uint8_t {
    seInstruction,  // a marker and a NUL-terminated instruction follow the literal bytes
    seImageEnd,     // the image ends before another marker
    seNoNul,        // the last instruction text has no NUL
  };
  TEnd End = seInstruction;
  bool Return = false;       // an empty instruction: return from a call or end the macro
  TMacroCode Code = mcNone;  // mcNone with Return false: an unknown word
  int64_t Run = 0;           // literal bytes before the marker
  // Steps counted while reading, and those counted up to the last check against the limit
  // (the literal search checks the limit once per candidate marker byte).
  int64_t CheckedSteps = 0;
  int64_t Steps = 0;
  int64_t Next = 0;           // offset behind the instruction's NUL
  int32_t Target = -1;        // the 3-byte address at Next, -1 when it lies outside the image
  std::array<TMacroArgument, kMaxMacroArguments> Arguments;  // the words behind the first
  uint8_t ArgumentCount = 0;
};

// The argument words of one step, read in order; "" once they are used up.
class TMacroArguments {
 public:
  explicit TMacroArguments(const TMacroStep& step) : Step_(step) {}
  const TMacroArgument& NextArgument() {
    static const TMacroArgument kNone;
    return Next_ < Step_.ArgumentCount ? Step_.Arguments[Next_++] : kNone;
  }
  std::string_view Next() { return NextArgument().Text; }

 private:
  const TMacroStep& Step_;
  uint8_t Next_ = 0;
};

// Reads the step at `offset` of `image` (which must outlive the result's Arguments).
TMacroStep ReadMacroStep(const std::string& image, std::string_view marker, int64_t offset);

// The steps of one image by offset; a step is read on its first use.
class TMacroSteps {
 public:
  // Forgets all steps; call whenever the image or the marker changes.
  void Reset(const std::string* image, std::string_view marker);
  // The step at `offset`; valid until the next call.
  const TMacroStep& At(int64_t offset) {
    if (offset >= 0 && static_cast<uint64_t>(offset) < Index_.size()) {
      const int32_t slot = Index_[static_cast<size_t>(offset)];
      if (slot != 0) return Steps_[static_cast<size_t>(slot) - 1];
    }
    return Read(offset);
  }

  // Images beyond this size (no real definition comes near) are read step by step every
  // time instead of growing an index four times their size.
  static constexpr size_t kMaxIndexedImage = size_t{4} << 20;

 private:
  const TMacroStep& Read(int64_t offset);

  const std::string* Image_ = nullptr;
  std::string Marker_;
  std::vector<int32_t> Index_;  // offset -> 1 + index into Steps_, 0 when not yet read
  std::vector<TMacroStep> Steps_;
  TMacroStep Scratch_;          // for an offset outside the image, or an oversized image
};
