// The macro machine: copies literal bytes and executes the instructions between them.
#include "compiler/core/Definition.h"

#include <cctype>
#include <charconv>
#include <cstring>

#include "compiler/core/CommandTable.h"
#include "platform/charset/Charset.h"

namespace {

// The argument words of one instruction, read in order; "" once they are used up.
class TArguments {
 public:
  explicit TArguments(const TMacroStep& step) : Step_(step) {}
  const TMacroArgument& NextArgument() {
    static const TMacroArgument kNone;
    return Next_ < Step_.ArgumentCount ? Step_.Arguments[Next_++] : kNone;
  }
  std::string_view Next() { return NextArgument().Text; }

 private:
  const TMacroStep& Step_;
  uint8_t Next_ = 0;
};

int32_t SizeOf(std::string_view word) {
  if (word.empty()) return 0;
  switch (word[0]) {
    case 'B': case 'b': return 1;
    case 'W': case 'w': return 2;
    case 'P': case 'p': return 3;
    case 'L': case 'l': return 4;
    default: return 0;
  }
}

uint8_t SegmentOf(std::string_view word) {
  if (word.empty()) return 0;
  switch (word[0]) {
    case 'C': case 'c': return 1;
    case 'D': case 'd': return 2;
    case 'E': case 'e': return 3;
    default: break;
  }
  if (std::isdigit(static_cast<unsigned char>(word[0])) || word[0] == '-' || word[0] == '+')
    return static_cast<uint8_t>(ParseMacroNumber(word) & 0x0F);
  return 0;
}


}  // namespace

bool DefinitionData::RunMacro(int64_t start) {
  Invocation_ = ++InvocationCount_;
  Pos_ = start;
  Steps_ = 0;
  Stack_.clear();
  const bool ok = Execute();
  Stack_.clear();
  return ok;
}

bool DefinitionData::Execute() {
  for (;;) {
    // The steps are taken from the image as they were read the first time; the counting is
    // that of reading them now.
    const TMacroStep& step = MacroSteps_.At(Pos_);
    if (Steps_ + step.CheckedSteps > StepLimit) {
      Reporter_.Report(msgBadMacro);
      return false;
    }
    Steps_ += step.Steps;
    // Literal bytes up to the marker, copied as one run.
    if (step.Run > 0 &&
        !Output_.Write(Image_.Bytes().data() + Pos_, static_cast<size_t>(step.Run))) {
      Reporter_.Report(msgWriteError, {Output_.Name()});
      return false;
    }
    if (step.End != TMacroStep::seInstruction) {
      Reporter_.Report(msgReadError, {Name_});
      return false;
    }
    Pos_ = step.Next;
    bool finished = false;
    if (!ExecuteInstruction(step, &finished)) return false;
    if (finished) return true;
  }
}

bool DefinitionData::ExecuteInstruction(const TMacroStep& step, bool* finished) {
  TArguments args(step);
  if (step.Return) {
    if (Stack_.empty()) {
      *finished = true;
      return true;
    }
    const ParametercodeStackData top = Stack_.back();
    Stack_.pop_back();
    Pos_ = top.ReturnOffset;
    Current_ = top.ParameterIndex;
    Invocation_ = top.Invocation;
    return true;
  }

  const TMacroCode code = step.Code;
  if (code == mcNone) {
    Reporter_.Report(msgBadMacro);
    return false;
  }

  auto macroError = [this]() {
    Reporter_.Report(msgBadMacro);
    return false;
  };
  auto writeError = [this]() {
    Reporter_.Report(msgWriteError, {Output_.Name()});
    return false;
  };
  auto expr = [&](int32_t fallback) {
    const TMacroArgument& w = args.NextArgument();
    if (w.Text.empty()) return fallback;
    return w.Constant ? w.Value : EvaluateExpression(w.Text, *this);
  };
  auto localName = [&]() {
    std::string name(args.Next());
    if (!name.empty() && name[0] == '_') {
      char digits[16];
      const auto result = std::to_chars(digits, digits + sizeof digits, Invocation_);
      name += '_';
      name.append(digits, result.ptr);
    }
    return name;
  };
  // The 3-byte address behind the instruction text.
  int64_t target = 0;
  auto readTarget = [&]() {
    const int32_t address = step.Target;
    if (address < 0) {
      Reporter_.Report(msgReadError, {Name_});
      return false;
    }
    Pos_ += 3;
    target = int64_t{address} - LoadBase_;
    return true;
  };
  auto jump = [&]() {
    if (target < kDefinitionHeaderSize || target >= Image_.Size()) return macroError();
    Pos_ = target;
    return true;
  };
  auto call = [&](int32_t parameter) {
    if (Stack_.size() >= kMaxCallDepth) return macroError();
    Stack_.push_back(ParametercodeStackData{Pos_, Current_, Invocation_});
    Invocation_ = ++InvocationCount_;
    Current_ = parameter;
    return jump();
  };
  auto reference = [&](std::string_view name, int32_t kind, int32_t addend) {
    return Markers_.Reference(name, static_cast<uint8_t>(kind), addend) ? true : writeError();
  };
  auto write = [&](int64_t value, int32_t width) {
    return Output_.WriteNumber(value, width) ? true : writeError();
  };
  ParameterData& cur = Parameters[static_cast<size_t>(Current_)];
  auto presentParameter = [&](int32_t n) -> ParameterData* {
    if (n < 0 || n >= kMaxParameters) return nullptr;
    ParameterData& p = Parameters[static_cast<size_t>(n)];
    return p.Present() ? &p : nullptr;
  };

  switch (code) {
    case mcP: {
      const int32_t n = expr(0);
      if (!readTarget()) return false;
      ParameterData* p = presentParameter(n);
      if (p == nullptr) {
        Reporter_.ReportAtLine(msgParamCount);
        return false;
      }
      p->Unconsumed = false;
      return call(n);
    }
    case mcS: {
      const int32_t size = SizeOf(args.Next());
      const int32_t a = expr(0);
      cur.Unconsumed = false;
      if (cur.IsConstant()) return true;
      return reference(cur.Name, size, a);
    }
    case mcO: {
      const int32_t size = SizeOf(args.Next());
      const int32_t a = expr(0);
      const int64_t value = int64_t{cur.Offset} * (cur.IsConstant() ? 1 : 2) + a;
      cur.Unconsumed = false;
      return write(value, size);
    }
    case mcA: {
      const int32_t size = SizeOf(args.Next());
      const int32_t s = expr(0);
      cur.Unconsumed = false;
      if (cur.IsConstant()) return macroError();
      const uint32_t part = s < 0 || s > 31 ? 0 : cur.Bit >> s;
      return reference(cur.Name, size, static_cast<int32_t>(2 * cur.Offset + part));
    }
    case mcB: {
      const int32_t size = SizeOf(args.Next());
      const int32_t shift = expr(0);
      const int32_t orValue = expr(0);
      const int32_t mask = expr(255);
      cur.Unconsumed = false;
      if (cur.IsConstant() || cur.Kind != pkBit) return macroError();
      const uint32_t bits = cur.Bit & static_cast<uint32_t>(mask);
      const uint32_t shifted = shift < 0 || shift > 31 ? 0 : bits << shift;
      return write(shifted | static_cast<uint32_t>(orValue), size);
    }
    case mcVar: {
      const int32_t size = SizeOf(args.Next());
      return write(expr(0), size);
    }
    case mcBlock: {
      // A second "}" of the same command refers to the same block end; otherwise every block
      // gets its own end symbol, so that nested blocks end in the right order.
      if (!Markers_.Reference("", 3, 0, !BlockPending)) return writeError();
      BlockPending = true;
      return true;
    }
    case mcJ: {
      const int32_t size = SizeOf(args.Next());
      const int32_t n = expr(0);
      ParameterData* p = presentParameter(n);
      if (p == nullptr) {
        Reporter_.ReportAtLine(msgParamCount);
        return false;
      }
      if (p->Kind != pkName) return true;
      p->Unconsumed = false;
      return reference(p->Name, size, 0);
    }
    case mcM: {
      const int32_t size = SizeOf(args.Next());
      const std::string name = localName();
      return reference(name, size, expr(0));
    }
    case mcMD: {
      const int32_t size = SizeOf(args.Next());
      return reference(localName(), size | zkMayStayUndefined, 0);
    }
    case mcSMDollar:
    case mcSMODollar: {
      const std::string name = localName();
      uint8_t segment = SegmentOf(args.Next());
      if (code == mcSMODollar) segment |= mfRedefinable;
      Markers_.Define(name, segment, Output_.Position(), 0);
      return true;
    }
    case mcI:
      if (!readTarget()) return false;
      return call(Current_);
    case mcEZ: {
      const int32_t size = SizeOf(args.Next());
      return write(Reporter_.Line + 1, size);
    }
    case mcJR: {
      const int32_t size = SizeOf(args.Next());
      return reference(localName(), size | zkRelative, 0);
    }
    case mcSM: {
      const std::string name = localName();
      const uint8_t segment = SegmentOf(args.Next());
      Markers_.Define(name, segment, expr(0), 0);
      return true;
    }
    case mcSMA: {
      const std::string name = localName();
      const uint8_t segment = SegmentOf(args.Next());
      const int32_t n = expr(0);
      Markers_.Define(name, segment | mfPlaceAtEnd, 0, static_cast<int32_t>(2u * static_cast<uint32_t>(n)));
      return true;
    }
    case mcSMS: {
      const std::string name(args.Next());
      const int32_t n = expr(1);
      if (Markers_.Find(name) >= 0)
        Markers_.SetValue(name, static_cast<int32_t>(2u * static_cast<uint32_t>(n) + 2u));
      return true;
    }
    case mcGMSW: {
      const int32_t size = SizeOf(args.Next());
      return reference(args.Next(), size | zkHalfValue, 0);
    }
    case mcGMS: {
      const int32_t size = SizeOf(args.Next());
      return reference(args.Next(), size | zkValue, 0);
    }
    case mcSVar: {
      const std::string_view var = args.Next();
      const int32_t v = expr(0);
      if (var.empty() || var[0] != 'V') return true;
      const int32_t n = ParseMacroNumber(var.substr(1));
      if (n >= 0 && n < kVariableCount) Variables[static_cast<size_t>(n)] = v;
      return true;
    }
    case mcSPF:
      Filter = std::string(args.Next());
      return true;
    case mcSPP: {
      const int32_t n = expr(0);
      if (n < 0 || n >= kMaxParameters) return macroError();
      Current_ = n;
      Parameters[static_cast<size_t>(n)].Unconsumed = false;
      return true;
    }
    case mcG:
      if (!readTarget()) return false;
      return jump();
    case mcGPar:
    case mcNPar: {
      const std::string_view form = args.Next();
      if (!readTarget()) return false;
      cur.Unconsumed = false;
      const bool match = MatchesPattern(cur.Form(), Filter, form);
      return match == (code == mcGPar) ? jump() : true;
    }
    case mcGCmd:
    case mcNCmd: {
      const std::string_view name = args.Next();
      if (!readTarget()) return false;
      const bool equal = platform::EqualNoCaseAscii(CommandName_, name);
      if (code == mcGCmd) return equal ? jump() : true;
      return CommandName_.empty() || !equal ? jump() : true;
    }
    case mcError: {
      const int32_t n = expr(0);
      Reporter_.ReportAtLine(static_cast<uint32_t>(100 + int64_t{n}));
      return true;
    }
    case mcTLW:
    case mcTLB: {
      const auto lo = static_cast<uint32_t>(expr(0));
      const auto hi = static_cast<uint32_t>(expr(-1));
      cur.Unconsumed = false;
      const uint32_t v = code == mcTLW ? cur.Offset : cur.Bit;
      if (v < lo || v > hi) Reporter_.ReportAtLine(code == mcTLW ? msgOffsetRange : msgBitRange);
      return true;
    }
    case mcGVar: {
      const int32_t v = expr(0);
      if (!readTarget()) return false;
      cur.Unconsumed = false;
      return v != 0 ? jump() : true;
    }
    case mcTPar:
      cur.Unconsumed = false;
      if (!PassesFilter(cur.Form(), Filter)) Reporter_.ReportAtLine(msgParamCombination);
      return true;
    case mcTLD: {
      const int32_t v = expr(0);
      const int32_t lo = expr(0);
      const int32_t hi = expr(0x7FFFFFFF);
      if (v < lo || v > hi) Reporter_.ReportAtLine(msgAddressRange);
      return true;
    }
    case mcRM:
      Markers_.Reset(localName());
      return true;
    case mcRNMX: {
      const std::string a = localName();
      const std::string b = localName();
      const int32_t index = Markers_.Find(a);
      if (index < 0 || a.empty() || b.empty()) {
        Reporter_.Report(msgInternal34);
        return true;
      }
      const Marke& old = Markers_.At(index);
      const uint8_t flags = old.Flags;
      const int32_t address = old.Address, value = old.Value;
      if (!Markers_.Rename(a, b)) return true;
      Markers_.CreateSymbol(a, flags, address, value);
      Markers_.Reset(b);
      return true;
    }
    case mcDriverVers:
      if (DriverVersion_.empty()) return true;
      return Output_.Write(DriverVersion_.c_str(), DriverVersion_.size() + 1) ? true : writeError();
    case mcNone:
      break;
  }
  return macroError();
}
