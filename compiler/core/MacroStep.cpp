// Reading macro steps. A command macro runs once per source command, so every instruction of
// a definition is read thousands of times; reading each once and keeping the result takes the
// searching for markers and the parsing of words out of the compile loop.
#include "compiler/core/MacroStep.h"

#include <cstring>

#include "compiler/core/Expression.h"

namespace {

bool IsArgumentSeparator(char c) { return c == ' ' || c == '\t' || c == ';'; }

// Terms that only note that they were read.
class TNoTerms : public TExpressionTerms {
 public:
  int32_t DriverEntry(int32_t) override { return Read(); }
  int32_t ParameterOffset(int32_t) override { return Read(); }
  int32_t SymbolValue(std::string_view) override { return Read(); }
  int32_t Variable(int32_t) override { return Read(); }
  bool Used = false;

 private:
  int32_t Read() {
    Used = true;
    return 0;
  }
};

void SplitArguments(std::string_view rest, TMacroStep& step) {
  while (step.ArgumentCount < kMaxMacroArguments) {
    size_t i = 0;
    while (i < rest.size() && IsArgumentSeparator(rest[i])) ++i;
    size_t end = i;
    while (end < rest.size() && !IsArgumentSeparator(rest[end])) ++end;
    if (end == i) return;
    TMacroArgument& word = step.Arguments[step.ArgumentCount++];
    word.Text = rest.substr(i, end - i);
    TNoTerms terms;
    word.Value = EvaluateExpression(word.Text, terms);
    word.Constant = !terms.Used;
    rest.remove_prefix(end);
  }
}

}  // namespace

TMacroStep ReadMacroStep(const std::string& image, std::string_view marker, int64_t offset) {
  TMacroStep step;
  const char* bytes = image.data();
  const auto size = static_cast<int64_t>(image.size());
  const auto markerLength = static_cast<int64_t>(marker.size());
  int64_t run = 0;
  int64_t steps = 0;
  for (;;) {
    // Every candidate marker byte and every literal byte counts as a step.
    step.CheckedSteps = ++steps;
    const int64_t from = offset + run;
    if (from + markerLength > size) {
      step.End = TMacroStep::seImageEnd;
      step.Run = run;
      step.Steps = steps;
      return step;
    }
    if (markerLength == 0) break;
    const auto* hit = static_cast<const char*>(std::memchr(
        bytes + from, marker[0], static_cast<size_t>(size - markerLength + 1 - from)));
    const int64_t at = hit != nullptr ? hit - bytes : size - markerLength + 1;
    steps += at - from;
    run = at - offset;
    if (hit != nullptr && std::memcmp(hit, marker.data(), marker.size()) == 0) break;
    if (hit != nullptr) ++run;
  }
  step.Run = run;
  step.Steps = steps;

  const int64_t text = offset + run + markerLength;
  const size_t nul = text < size ? image.find('\0', static_cast<size_t>(text)) : std::string::npos;
  if (nul == std::string::npos) {
    step.End = TMacroStep::seNoNul;
    return step;
  }
  const std::string_view instruction(bytes + text, nul - static_cast<size_t>(text));
  step.Next = static_cast<int64_t>(nul) + 1;
  if (step.Next + 3 <= size) {
    const auto* p = reinterpret_cast<const uint8_t*>(bytes + step.Next);
    step.Target = p[0] | (p[1] << 8) | (p[2] << 16);
  }
  size_t i = 0;
  while (i < instruction.size() && (instruction[i] == ' ' || instruction[i] == '\t')) ++i;
  size_t end = i;
  while (end < instruction.size() && instruction[end] != ' ' && instruction[end] != '\t' &&
         instruction[end] != ';')
    ++end;
  const std::string_view word = instruction.substr(i, end - i);
  step.Return = word.empty();
  step.Code = word.empty() ? mcNone : LookUpMacroWord(word);
  SplitArguments(instruction.substr(end), step);
  return step;
}

void TMacroSteps::Reset(const std::string* image, std::string_view marker) {
  Image_ = image;
  Marker_ = std::string(marker);
  Index_.clear();
  Steps_.clear();
}

const TMacroStep& TMacroSteps::Read(int64_t offset) {
  const int64_t size = Image_ != nullptr ? static_cast<int64_t>(Image_->size()) : -1;
  if (offset < 0 || offset > size) {
    // Nothing lies there: the image ends before any literal byte.
    Scratch_ = TMacroStep{};
    Scratch_.End = TMacroStep::seImageEnd;
    Scratch_.CheckedSteps = Scratch_.Steps = 1;
    return Scratch_;
  }
  const std::string& image = *Image_;
  if (image.size() > kMaxIndexedImage) {
    Scratch_ = ReadMacroStep(image, Marker_, offset);
    return Scratch_;
  }
  if (Index_.empty()) Index_.assign(image.size() + 1, 0);
  int32_t& slot = Index_[static_cast<size_t>(offset)];
  if (slot == 0) {
    Steps_.push_back(ReadMacroStep(image, Marker_, offset));
    slot = static_cast<int32_t>(Steps_.size());
  }
  return Steps_[static_cast<size_t>(slot) - 1];
}
