// Symbol table operations used by the macros and the main loop.
#include "compiler/core/Markers.h"

int32_t MarkerMemo::Find(std::string_view name) const {
  auto it = Index_.find(name);
  return it == Index_.end() ? -1 : it->second;
}

int32_t MarkerMemo::NewestUndefinedAnonymous() const {
  for (auto it = Anonymous_.rbegin(); it != Anonymous_.rend(); ++it)
    if (Symbols_[static_cast<size_t>(*it)].Flags == 0) return *it;
  return -1;
}

int32_t MarkerMemo::Create(std::string_view name, uint8_t flags, int32_t address,
                           int32_t value) {
  const auto index = static_cast<int32_t>(Symbols_.size());
  Symbols_.push_back(Marke{std::string(name), flags, address, value, {}});
  if (name.empty())
    Anonymous_.push_back(index);
  else
    Index_[std::string(name)] = index;
  return index;
}

void MarkerMemo::Define(std::string_view name, uint8_t flags, int32_t address, int32_t value) {
  const int32_t index = name.empty() ? NewestUndefinedAnonymous() : Find(name);
  if (index < 0) {
    if (name.empty())
      Reporter_.ReportAtLine(msgBlockEnd);
    else
      Create(name, flags, address, value);
    return;
  }
  Marke& m = At(index);
  if ((m.Flags & mfSegmentMask) != 0 && (m.Flags & mfRedefinable) == 0) {
    Reporter_.ReportAtLine(msgDefinedTwice);
    return;
  }
  if (flags != 0) {
    m.Address = address;
    m.Flags = flags;
    m.Value = static_cast<int32_t>(static_cast<uint32_t>(m.Value) + static_cast<uint32_t>(value));
  }
}

bool MarkerMemo::Reference(std::string_view name, uint8_t kind, int32_t addend,
                           bool freshAnonymous) {
  int32_t index = -1;
  if (name.empty())
    index = freshAnonymous ? -1 : NewestUndefinedAnonymous();
  else
    index = Find(name);
  if (index < 0) index = Create(name, 0, 0, 0);
  const int32_t position = Output_.Position();
  if (!Output_.WriteNumber(0, kind & zkWidthMask)) return false;
  At(index).Ziele.push_back(Ziel{kind, addend, position});
  return true;
}

void MarkerMemo::SetValue(std::string_view name, int32_t value) {
  const int32_t index = Find(name);
  if (index >= 0) At(index).Value = value;
}

void MarkerMemo::Reset(std::string_view name) {
  const int32_t index = name.empty() ? NewestUndefinedAnonymous() : Find(name);
  if (index < 0) return;
  Marke& m = At(index);
  m.Flags &= static_cast<uint8_t>(~mfSegmentMask);
  m.Address = 0;
  m.Value = 0;
}

bool MarkerMemo::Rename(std::string_view from, std::string_view to) {
  const int32_t index = Find(from);
  if (index < 0 || from.empty() || to.empty()) return false;
  // The next older symbol of the old name (if any) becomes the one found under it.
  Index_.erase(std::string(from));
  for (int32_t i = index - 1; i >= 0; --i)
    if (Symbols_[static_cast<size_t>(i)].Name == from) {
      Index_[std::string(from)] = i;
      break;
    }
  At(index).Name = std::string(to);
  auto [it, inserted] = Index_.try_emplace(std::string(to), index);
  if (!inserted && it->second < index) it->second = index;
  return true;
}

int32_t MarkerMemo::LookUp(std::string_view name) const {
  const int32_t index = Find(name);
  return index < 0 ? 0 : At(index).Value;
}
