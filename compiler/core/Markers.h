// Symbols (Marke) and their pending references (Ziel), newest first.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
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

struct Ziel {
  uint8_t Kind = 0;
  int32_t Addend = 0;
  int32_t Position = 0;
};

struct Marke {
  std::string Name;  // empty: an anonymous (block-end) symbol
  uint8_t Flags = 0;
  int32_t Address = 0;
  int32_t Value = 0;
  std::vector<Ziel> Ziele;  // oldest first; walked backwards for newest first
};

// Lets the name index be searched with a string_view.
struct TNameHash {
  using is_transparent = void;
  size_t operator()(std::string_view s) const { return std::hash<std::string_view>{}(s); }
};

// The symbol table. Symbols are kept in creation order and walked backwards, which is the
// newest-first order of a list that grows at the front; a name index makes look-ups cheap.
class MarkerMemo {
 public:
  MarkerMemo(TVelReporter& reporter, DestinationData& output)
      : Reporter_(reporter), Output_(output) {}

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
  // Room for about `symbols` symbols, so that a big source does not regrow the table.
  void Reserve(size_t symbols) {
    Symbols_.reserve(symbols);
    Index_.reserve(symbols);
  }
  // The symbol's value, 0 when it does not exist.
  int32_t LookUp(std::string_view name) const;

  // Index of the newest symbol of that name, or -1.
  int32_t Find(std::string_view name) const;
  int32_t Count() const { return static_cast<int32_t>(Symbols_.size()); }
  const Marke& At(int32_t index) const { return Symbols_[static_cast<size_t>(index)]; }
  Marke& At(int32_t index) { return Symbols_[static_cast<size_t>(index)]; }

 private:
  int32_t NewestUndefinedAnonymous() const;
  int32_t Create(std::string_view name, uint8_t flags, int32_t address, int32_t value);

  TVelReporter& Reporter_;
  DestinationData& Output_;
  std::vector<Marke> Symbols_;
  std::unordered_map<std::string, int32_t, TNameHash, std::equal_to<>> Index_;  // newest per name
  std::vector<int32_t> Anonymous_;                  // anonymous symbols, oldest first
};
