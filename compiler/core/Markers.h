// Symbols (Marke) and their pending references (Ziel), newest first.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "compiler/core/Destination.h"
#include "compiler/core/Reporter.h"

// Flags byte of a symbol: low 4 bits the segment.
constexpr uint8_t mfSegmentMask = 0x0F;
constexpr uint8_t mfRedefinable = 16;
constexpr uint8_t mfPlaceAtEnd = 32;
constexpr uint8_t segCode = 1, segData = 2, segAbsolute = 3;

// Kind byte of a reference: low 4 bits the width.
constexpr uint8_t zkWidthMask = 0x0F;
constexpr uint8_t zkMayStayUndefined = 16;
constexpr uint8_t zkRelative = 32;
constexpr uint8_t zkHalfValue = 64;
constexpr uint8_t zkValue = 128;

constexpr int32_t kNoZiel = -1;

struct Ziel {
  uint8_t Kind = 0;
  int32_t Addend = 0;
  int32_t Position = 0;
  int32_t Older = kNoZiel;  // the next older reference to the same symbol
};

struct Marke {
  uint32_t NameAt = 0;      // in the name pool; length 0: an anonymous (block-end) symbol
  uint32_t NameLength = 0;
  uint32_t Hash = 0;        // of the name
  uint8_t Flags = 0;
  int32_t Address = 0;
  int32_t Value = 0;
  int32_t Newest = kNoZiel;  // newest reference, the head of the list through Ziel::Older
};

// The symbol table. Symbols are kept in creation order and walked backwards, which is the
// newest-first order of a list that grows at the front. Names live in one pool and an
// open-addressing index finds the newest symbol of a name; references live in one pool too,
// each symbol's linked newest first. A big source thus costs a few large arrays instead of a
// string, a vector and a hash node per symbol.
class MarkerMemo {
 public:
  MarkerMemo(TVelReporter& reporter, DestinationData& output);

  // Defines a symbol; an empty name means the newest undefined anonymous symbol.
  void Define(std::string_view name, uint8_t flags, int32_t address, int32_t value);
  // Writes a placeholder of the reference's width and links it to its symbol (created when
  // missing). With freshAnonymous an empty name always gets a new anonymous symbol.
  [[nodiscard]] bool Reference(std::string_view name, uint8_t kind, int32_t addend,
                               bool freshAnonymous = false);
  void SetValue(std::string_view name, int32_t value);
  void Reset(std::string_view name);
  // False when `from` does not exist.
  bool Rename(std::string_view from, std::string_view to);
  // A new symbol, even when the name exists (it then hides the older one).
  int32_t CreateSymbol(std::string_view name, uint8_t flags, int32_t address, int32_t value) {
    return Create(name, flags, address, value);
  }
  // Room for about `symbols` symbols and `references` references, so that a big source does
  // not regrow the tables.
  void Reserve(size_t symbols, size_t references);
  // The symbol's value, 0 when it does not exist.
  int32_t LookUp(std::string_view name) const;

  // Index of the newest symbol of that name, or -1.
  int32_t Find(std::string_view name) const;
  int32_t Count() const { return static_cast<int32_t>(Symbols_.size()); }
  const Marke& At(int32_t index) const { return Symbols_[static_cast<size_t>(index)]; }
  Marke& At(int32_t index) { return Symbols_[static_cast<size_t>(index)]; }
  // The symbol's name, NUL-terminated in the pool ("" for an anonymous symbol).
  std::string_view Name(int32_t index) const;
  const char* NameText(int32_t index) const { return Names_.data() + At(index).NameAt; }
  const Ziel& ZielAt(int32_t index) const { return Ziele_[static_cast<size_t>(index)]; }

 private:
  int32_t NewestUndefinedAnonymous() const;
  int32_t Create(std::string_view name, uint8_t flags, int32_t address, int32_t value);
  // The index slot holding `name`, or the slot where it would go (-1 only when the index is
  // empty).
  int64_t Slot(std::string_view name, uint32_t hash) const;
  void SetIndex(std::string_view name, uint32_t hash, int32_t symbol);
  // A new index of `size` slots (a power of two) holding the live entries.
  void RebuildIndex(size_t size);
  uint32_t AddName(std::string_view name);

  TVelReporter& Reporter_;
  DestinationData& Output_;
  std::vector<Marke> Symbols_;
  std::vector<Ziel> Ziele_;
  std::string Names_;  // every name followed by a NUL; starts with the empty name
  // Open addressing with linear probing: symbol index + 1, 0 empty, kTombstone removed.
  // invariant: Used_ (live and removed slots) stays below three quarters of the size.
  std::vector<int32_t> Index_;
  size_t Used_ = 0;
  std::vector<int32_t> Anonymous_;  // anonymous symbols, oldest first
};
