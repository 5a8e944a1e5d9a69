// Symbol table operations used by the macros and the main loop.
#include "compiler/core/Markers.h"

#include <algorithm>

namespace {

constexpr int32_t kTombstone = -1;

// FNV-1a: names are short, so a simple byte loop beats a general-purpose hash.
uint32_t NameHash(std::string_view name) {
  uint32_t h = 2166136261u;
  for (const char c : name) h = (h ^ static_cast<uint8_t>(c)) * 16777619u;
  return h;
}

size_t PowerOfTwoAtLeast(size_t n) {
  size_t size = 16;
  while (size < n) size *= 2;
  return size;
}

}  // namespace

MarkerMemo::MarkerMemo(TVelReporter& reporter, DestinationData& output)
    : Reporter_(reporter), Output_(output), Names_(1, '\0') {}

void MarkerMemo::Reserve(size_t symbols, size_t references) {
  Symbols_.reserve(symbols);
  Ziele_.reserve(references);
  Names_.reserve(Names_.size() + symbols * 8);
  const size_t size = PowerOfTwoAtLeast(symbols * 2);
  if (size > Index_.size()) RebuildIndex(size);
}

std::string_view MarkerMemo::Name(int32_t index) const {
  const Marke& m = At(index);
  return std::string_view(Names_).substr(m.NameAt, m.NameLength);
}

uint32_t MarkerMemo::AddName(std::string_view name) {
  if (name.empty()) return 0;
  const auto at = static_cast<uint32_t>(Names_.size());
  Names_.append(name);
  Names_ += '\0';
  return at;
}

int64_t MarkerMemo::Slot(std::string_view name, uint32_t hash) const {
  if (Index_.empty()) return -1;
  const size_t mask = Index_.size() - 1;
  int64_t reusable = -1;
  for (size_t i = hash & mask;; i = (i + 1) & mask) {
    const int32_t entry = Index_[i];
    if (entry == 0) return reusable >= 0 ? reusable : static_cast<int64_t>(i);
    if (entry == kTombstone) {
      if (reusable < 0) reusable = static_cast<int64_t>(i);
      continue;
    }
    const Marke& m = Symbols_[static_cast<size_t>(entry - 1)];
    if (m.Hash == hash && Name(entry - 1) == name) return static_cast<int64_t>(i);
  }
}

void MarkerMemo::RebuildIndex(size_t size) {
  std::vector<int32_t> old = std::move(Index_);
  Index_.assign(size, 0);
  const size_t mask = size - 1;
  Used_ = 0;
  for (const int32_t entry : old) {
    if (entry <= 0) continue;
    size_t i = Symbols_[static_cast<size_t>(entry - 1)].Hash & mask;
    while (Index_[i] != 0) i = (i + 1) & mask;
    Index_[i] = entry;
    ++Used_;
  }
}

void MarkerMemo::SetIndex(std::string_view name, uint32_t hash, int32_t symbol) {
  if ((Used_ + 1) * 4 > Index_.size() * 3) RebuildIndex(std::max<size_t>(16, Index_.size() * 2));
  const auto slot = static_cast<size_t>(Slot(name, hash));
  if (Index_[slot] == 0) ++Used_;
  Index_[slot] = symbol + 1;
}

int32_t MarkerMemo::Find(std::string_view name) const {
  const int64_t slot = Slot(name, NameHash(name));
  if (slot < 0) return -1;
  const int32_t entry = Index_[static_cast<size_t>(slot)];
  return entry > 0 ? entry - 1 : -1;
}

int32_t MarkerMemo::NewestUndefinedAnonymous() const {
  for (auto it = Anonymous_.rbegin(); it != Anonymous_.rend(); ++it)
    if (Symbols_[static_cast<size_t>(*it)].Flags == 0) return *it;
  return -1;
}

int32_t MarkerMemo::Create(std::string_view name, uint8_t flags, int32_t address,
                           int32_t value) {
  const auto index = static_cast<int32_t>(Symbols_.size());
  const uint32_t hash = NameHash(name);
  Symbols_.push_back(Marke{AddName(name), static_cast<uint32_t>(name.size()), hash, flags,
                           address, value, kNoZiel});
  if (name.empty())
    Anonymous_.push_back(index);
  else
    SetIndex(name, hash, index);
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
  Marke& m = At(index);
  Ziele_.push_back(Ziel{kind, addend, position, m.Newest});
  m.Newest = static_cast<int32_t>(Ziele_.size() - 1);
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
  const uint32_t fromHash = NameHash(from);
  int32_t older = -1;
  for (int32_t i = index - 1; i >= 0; --i)
    if (Symbols_[static_cast<size_t>(i)].Hash == fromHash && Name(i) == from) {
      older = i;
      break;
    }
  Index_[static_cast<size_t>(Slot(from, fromHash))] = older >= 0 ? older + 1 : kTombstone;

  const uint32_t toHash = NameHash(to);
  Marke& m = At(index);
  m.NameAt = AddName(to);
  m.NameLength = static_cast<uint32_t>(to.size());
  m.Hash = toHash;
  const int32_t existing = Find(to);
  if (existing < index) SetIndex(to, toHash, index);
  return true;
}

int32_t MarkerMemo::LookUp(std::string_view name) const {
  const int32_t index = Find(name);
  return index < 0 ? 0 : At(index).Value;
}
