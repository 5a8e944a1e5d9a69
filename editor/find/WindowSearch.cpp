// The per-kind table of window search operations.
#include "editor/find/WindowSearch.h"

#include <array>

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
