// The macro machine: copies literal bytes and executes the instructions between them.
#include "compiler/core/Definition.h"

#include <cctype>
#include <charconv>
#include <cstring>

#include "compiler/core/CommandTable.h"
#include "platform/charset/Charset.h"

namespace {

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
  TMacroArguments args(step);
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

  int64_t target = 0;  // the 3-byte address behind the instruction text, once read
  ParameterData& cur = Parameters[static_cast<size_t>(Current_)];

  switch (code) {
    case mcP: {
      const int32_t n = Expression(args, 0);
      if (!ReadTarget(step, &target)) return false;
      ParameterData* p = PresentParameter(n);
      if (p == nullptr) {
        Reporter_.ReportAtLine(msgParamCount);
        return false;
      }
      p->Unconsumed = false;
      return Call(n, target);
    }
    case mcS: {
      const int32_t size = SizeOf(args.Next());
      const int32_t a = Expression(args, 0);
      cur.Unconsumed = false;
      if (cur.IsConstant()) return true;
      return ReferenceSymbol(cur.Name, size, a);
    }
    case mcO: {
      const int32_t size = SizeOf(args.Next());
      const int32_t a = Expression(args, 0);
      const int64_t value = int64_t{cur.Offset} * (cur.IsConstant() ? 1 : 2) + a;
      cur.Unconsumed = false;
      return WriteValue(value, size);
    }
    case mcA: {
      const int32_t size = SizeOf(args.Next());
      const int32_t s = Expression(args, 0);
      cur.Unconsumed = false;
      if (cur.IsConstant()) return MacroError();
      const uint32_t part = s < 0 || s > 31 ? 0 : cur.Bit >> s;
      return ReferenceSymbol(cur.Name, size, static_cast<int32_t>(2 * cur.Offset + part));
    }
    case mcB: {
      const int32_t size = SizeOf(args.Next());
      const int32_t shift = Expression(args, 0);
      const int32_t orValue = Expression(args, 0);
      const int32_t mask = Expression(args, 255);
      cur.Unconsumed = false;
      if (cur.IsConstant() || cur.Kind != pkBit) return MacroError();
      const uint32_t bits = cur.Bit & static_cast<uint32_t>(mask);
      const uint32_t shifted = shift < 0 || shift > 31 ? 0 : bits << shift;
      return WriteValue(shifted | static_cast<uint32_t>(orValue), size);
    }
    case mcVar: {
      const int32_t size = SizeOf(args.Next());
      return WriteValue(Expression(args, 0), size);
    }
    case mcBlock: {
      // A second "}" of the same command refers to the same block end; otherwise every block
      // gets its own end symbol, so that nested blocks end in the right order.
      if (!Markers_.Reference("", 3, 0, !BlockPending)) return WriteError();
      BlockPending = true;
      return true;
    }
    case mcJ: {
      const int32_t size = SizeOf(args.Next());
      const int32_t n = Expression(args, 0);
      ParameterData* p = PresentParameter(n);
      if (p == nullptr) {
        Reporter_.ReportAtLine(msgParamCount);
        return false;
      }
      if (p->Kind != pkName) return true;
      p->Unconsumed = false;
      return ReferenceSymbol(p->Name, size, 0);
    }
    case mcM: {
      const int32_t size = SizeOf(args.Next());
      const std::string name = LocalName(args);
      return ReferenceSymbol(name, size, Expression(args, 0));
    }
    case mcMD: {
      const int32_t size = SizeOf(args.Next());
      return ReferenceSymbol(LocalName(args), size | zkMayStayUndefined, 0);
    }
    case mcSMDollar:
    case mcSMODollar: {
      const std::string name = LocalName(args);
      uint8_t segment = SegmentOf(args.Next());
      if (code == mcSMODollar) segment |= mfRedefinable;
      Markers_.Define(name, segment, Output_.Position(), 0);
      return true;
    }
    case mcI:
      if (!ReadTarget(step, &target)) return false;
      return Call(Current_, target);
    case mcEZ: {
      const int32_t size = SizeOf(args.Next());
      return WriteValue(Reporter_.Line + 1, size);
    }
    case mcJR: {
      const int32_t size = SizeOf(args.Next());
      return ReferenceSymbol(LocalName(args), size | zkRelative, 0);
    }
    case mcSM: {
      const std::string name = LocalName(args);
      const uint8_t segment = SegmentOf(args.Next());
      Markers_.Define(name, segment, Expression(args, 0), 0);
      return true;
    }
    case mcSMA: {
      const std::string name = LocalName(args);
      const uint8_t segment = SegmentOf(args.Next());
      const int32_t n = Expression(args, 0);
      Markers_.Define(name, segment | mfPlaceAtEnd, 0, static_cast<int32_t>(2u * static_cast<uint32_t>(n)));
      return true;
    }
    case mcSMS: {
      const std::string name(args.Next());
      const int32_t n = Expression(args, 1);
      if (Markers_.Find(name) >= 0)
        Markers_.SetValue(name, static_cast<int32_t>(2u * static_cast<uint32_t>(n) + 2u));
      return true;
    }
    case mcGMSW: {
      const int32_t size = SizeOf(args.Next());
      return ReferenceSymbol(args.Next(), size | zkHalfValue, 0);
    }
    case mcGMS: {
      const int32_t size = SizeOf(args.Next());
      return ReferenceSymbol(args.Next(), size | zkValue, 0);
    }
    case mcSVar: {
      const std::string_view var = args.Next();
      const int32_t v = Expression(args, 0);
      if (var.empty() || var[0] != 'V') return true;
      const int32_t n = ParseMacroNumber(var.substr(1));
      if (n >= 0 && n < kVariableCount) Variables[static_cast<size_t>(n)] = v;
      return true;
    }
    case mcSPF:
      Filter.Set(args.Next());
      return true;
    case mcSPP: {
      const int32_t n = Expression(args, 0);
      if (n < 0 || n >= kMaxParameters) return MacroError();
      Current_ = n;
      Parameters[static_cast<size_t>(n)].Unconsumed = false;
      return true;
    }
    case mcG:
      if (!ReadTarget(step, &target)) return false;
      return Jump(target);
    case mcGPar:
    case mcNPar: {
      const std::string_view form = args.Next();
      if (!ReadTarget(step, &target)) return false;
      cur.Unconsumed = false;
      const bool match = cur.FormFits(form) && Filter.Passes(cur.Form());
      return match == (code == mcGPar) ? Jump(target) : true;
    }
    case mcGCmd:
    case mcNCmd: {
      const std::string_view name = args.Next();
      if (!ReadTarget(step, &target)) return false;
      const bool equal = platform::EqualNoCaseAscii(CommandName_, name);
      if (code == mcGCmd) return equal ? Jump(target) : true;
      return CommandName_.empty() || !equal ? Jump(target) : true;
    }
    case mcError: {
      const int32_t n = Expression(args, 0);
      Reporter_.ReportAtLine(static_cast<uint32_t>(100 + int64_t{n}));
      return true;
    }
    case mcTLW:
    case mcTLB: {
      const auto lo = static_cast<uint32_t>(Expression(args, 0));
      const auto hi = static_cast<uint32_t>(Expression(args, -1));
      cur.Unconsumed = false;
      const uint32_t v = code == mcTLW ? cur.Offset : cur.Bit;
      if (v < lo || v > hi) Reporter_.ReportAtLine(code == mcTLW ? msgOffsetRange : msgBitRange);
      return true;
    }
    case mcGVar: {
      const int32_t v = Expression(args, 0);
      if (!ReadTarget(step, &target)) return false;
      cur.Unconsumed = false;
      return v != 0 ? Jump(target) : true;
    }
    case mcTPar:
      cur.Unconsumed = false;
      if (!Filter.Passes(cur.Form())) Reporter_.ReportAtLine(msgParamCombination);
      return true;
    case mcTLD: {
      const int32_t v = Expression(args, 0);
      const int32_t lo = Expression(args, 0);
      const int32_t hi = Expression(args, 0x7FFFFFFF);
      if (v < lo || v > hi) Reporter_.ReportAtLine(msgAddressRange);
      return true;
    }
    case mcRM:
      Markers_.Reset(LocalName(args));
      return true;
    case mcRNMX: {
      const std::string a = LocalName(args);
      const std::string b = LocalName(args);
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
      return Output_.Write(DriverVersion_.c_str(), DriverVersion_.size() + 1) ? true : WriteError();
    case mcNone:
      break;
  }
  return MacroError();
}

int32_t DefinitionData::Expression(TMacroArguments& args, int32_t fallback) {
  const TMacroArgument& word = args.NextArgument();
  if (word.Text.empty()) return fallback;
  return word.Constant ? word.Value : EvaluateExpression(word.Text, *this);
}

std::string DefinitionData::LocalName(TMacroArguments& args) const {
  std::string name(args.Next());
  if (!name.empty() && name[0] == '_') {
    char digits[16];
    const auto result = std::to_chars(digits, digits + sizeof digits, Invocation_);
    name += '_';
    name.append(digits, result.ptr);
  }
  return name;
}

bool DefinitionData::MacroError() {
  Reporter_.Report(msgBadMacro);
  return false;
}

bool DefinitionData::WriteError() {
  Reporter_.Report(msgWriteError, {Output_.Name()});
  return false;
}

bool DefinitionData::ReadTarget(const TMacroStep& step, int64_t* target) {
  if (step.Target < 0) {
    Reporter_.Report(msgReadError, {Name_});
    return false;
  }
  Pos_ += 3;
  *target = int64_t{step.Target} - LoadBase_;
  return true;
}

bool DefinitionData::Jump(int64_t target) {
  if (target < kDefinitionHeaderSize || target >= Image_.Size()) return MacroError();
  Pos_ = target;
  return true;
}

bool DefinitionData::Call(int32_t parameter, int64_t target) {
  if (Stack_.size() >= kMaxCallDepth) return MacroError();
  Stack_.push_back(ParametercodeStackData{Pos_, Current_, Invocation_});
  Invocation_ = ++InvocationCount_;
  Current_ = parameter;
  return Jump(target);
}

bool DefinitionData::ReferenceSymbol(std::string_view name, int32_t kind, int32_t addend) {
  return Markers_.Reference(name, static_cast<uint8_t>(kind), addend) ? true : WriteError();
}

bool DefinitionData::WriteValue(int64_t value, int32_t width) {
  return Output_.WriteNumber(value, width) ? true : WriteError();
}

ParameterData* DefinitionData::PresentParameter(int32_t n) {
  if (n < 0 || n >= kMaxParameters) return nullptr;
  ParameterData& p = Parameters[static_cast<size_t>(n)];
  return p.Present() ? &p : nullptr;
}
