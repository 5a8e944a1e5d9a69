// Multiple-replace groups: named sets of search/replacement pairs with their options.
#pragma once

#include <string>
#include <vector>

#include "platform/profile/ProfileFile.h"

struct TMulRepPair {
  std::string Search;
  std::string Replace;
  bool operator==(const TMulRepPair&) const = default;
};

// One group.
struct TMulRepItems {
  static constexpr size_t kMaxPairs = 50;

  std::string Name;
  bool CaseSensitive = false;
  bool WholeWords = false;
  bool RegularExpression = false;
  std::vector<TMulRepPair> Pairs;

  bool operator==(const TMulRepItems&) const = default;
};

// All groups, in the order of the settings page.
struct TMulRepList {
  static constexpr size_t kMaxGroups = 20;
  std::vector<TMulRepItems> Groups;
};

// Section "MultiReplace": NAMEi, SRCHi, REPLi for i = 0..19.
TMulRepList ReadMulRepList(const platform::TProfileFile& file);
void WriteMulRepList(platform::TProfileFile& file, const TMulRepList& list);
