// The per-kind table of window search operations.
#include "editor/find/WindowSearch.h"

#include <array>
#include <cstring>
#include <string>

#include "editor/search/SearchEngine.h"
#include "editor/search/SearchEscapes.h"
#include "editor/text/ChildAccess.h"

namespace {

std::array<TWindowSearchOps, 256>& Table() {
  static std::array<TWindowSearchOps, 256> table{};
  return table;
}

}  // namespace

void RegisterWindowSearch(uint8_t kind, const TWindowSearchOps& ops) { Table()[kind] = ops; }

const TWindowSearchOps* WindowSearchOps(platform::TWindow window) {
  if (!window) return nullptr;
  const TWindowSearchOps& ops = Table()[ChildKind(window)];
  return ops.Search ? &ops : nullptr;
}

bool TakeOverRequest(TFindState& state, bool literal) {
  state.Engine = MakeEngineRequest(state.Request);
  state.RegExpError = false;
  if (literal || !state.Engine.RegularExpression) return true;
  std::string expanded;
  if (!ExpandRegExpEscapes(state.Request.SearchText, &expanded) ||
      expanded.size() > static_cast<size_t>(kSearchTextMax)) {
    state.RegExpError = true;
    return false;
  }
  std::memset(state.Engine.SearchText, 0, sizeof state.Engine.SearchText);
  std::memcpy(state.Engine.SearchText, expanded.data(), expanded.size());
  if (PrepareEngine(state.Engine, state.RegExp) != 0) {
    state.RegExpError = true;
    return false;
  }
  return true;
}
