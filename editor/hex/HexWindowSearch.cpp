// The search operations of hex windows.
#include "editor/hex/HexWindowSearch.h"

#include <algorithm>
#include <string>

#include "editor/find/WindowSearch.h"
#include "editor/hex/FastFind.h"
#include "editor/hex/HexChildData.h"
#include "editor/search/SearchEngine.h"
#include "editor/search/SearchEscapes.h"
#include "platform/ui/Paint.h"
#include "platform/ui/Window.h"

using namespace platform;

namespace {

bool HexSearch(TWindow window, TFindState& state, bool select, TFindPosition* position) {
  THexChildData* d = HexChild(window);
  if (!d || !d->Cache.IsOpen()) return false;
  TSearchRequest& r = state.Request;
  const int64_t size = d->FileSize();
  bool backward = false;
  int64_t start = 0;
  if (r.FirstSearch) {
    r.FirstSearch = false;
    r.ReverseOnce = false;
    d->Search.Forget();
    if (!TakeOverRequest(state, state.Request.HexInput)) return false;
    backward = state.Engine.Backward;
    if (r.SelectionOnly) {
      // The block in offsets; the replace loop moves its end with each replacement.
      r.BlockStartLine = r.BlockEndLine = 0;
      r.BlockStartColumn = static_cast<int32_t>(d->SelStart);
      r.BlockEndColumn = static_cast<int32_t>(d->SelEnd);
    }
    if (r.FromCursor) {
      start = std::min(d->CaretOffset(), size) - (backward ? 1 : 0);
    } else if (r.SelectionOnly) {
      start = backward ? r.BlockEndColumn - 1 : r.BlockStartColumn;
    } else {
      start = backward ? size - 1 : 0;
    }
  } else {
    backward = state.Engine.Backward;
    if (r.ReverseOnce && !state.Engine.RegularExpression) backward = !backward;
    r.ReverseOnce = false;
    if (position) {
      start = position->Column;
    } else if (d->HasSelection()) {
      // From the hit shown: turning round does not find it again.
      start = backward ? d->SelStart - 1 : d->SelEnd;
    } else {
      start = std::min(d->CaretOffset(), size) - (backward ? 1 : 0);
    }
  }
  int64_t low = 0, high = size;
  if (r.SelectionOnly) {
    low = std::clamp<int64_t>(r.BlockStartColumn, 0, size);
    high = std::clamp<int64_t>(r.BlockEndColumn, low, size);
  }
  // The file's bytes as they are on disk: pending changes of normal mode do not count.
  const auto* data = reinterpret_cast<const char*>(d->Cache.Data());
  TSearchMatch hit;
  bool found = false;
  std::string exact;
  if (r.HexInput) {
    uint8_t bytes[kSearchTextMax];
    int32_t n = ParseHexInput(r.SearchText, bytes, kSearchTextMax);
    if (n <= 0) return false;
    exact.assign(reinterpret_cast<const char*>(bytes), static_cast<size_t>(n));
  } else if (PlainSearchIsExact(state.Engine.SearchText, state.Engine.CaseSensitive, state.Engine.WholeWords,
                                state.Engine.RegularExpression)) {
    exact = state.Engine.SearchText;
  }
  if (!exact.empty() && !backward) {
    // Forward exact searches take the filtered scan: large files go at memory speed.
    d->Search.Forget();
    int64_t at = FastFindForward(data, std::max(start, low), high, exact);
    found = at >= 0;
    if (found) hit = TSearchMatch{static_cast<int32_t>(at), static_cast<int32_t>(exact.size())};
  } else if (r.HexInput) {
    found = d->Search.FindBytes(data, size, exact, backward, start, &hit, low, high);
  } else {
    TEngineRequest engine = state.Engine;
    engine.Backward = backward;
    found = d->Search.Find(data, size, engine, start, &hit, low, high, state.RegExp);
  }
  if (!found) return false;
  if (select) {
    const TCursorKind old = SetCursor(TCursorKind::Wait);
    const int32_t before = d->Scroller->PosY;
    d->SelectBytes(hit.Offset, hit.Offset + hit.Length);
    const int32_t moved = d->Scroller->PosY - before;
    // A hit that moved the view gets room ahead: a third of a page further on.
    if (moved != 0) {
      const int32_t third = std::max(d->Scroller->PageStepY / 3, 1);
      d->Scroller->ScrollBy(0, moved > 0 ? third : -third);
      TPoint p = d->GetCaretPixelPos();
      SetCaretPos(p.X, p.Y);
    }
    SetCursor(old);
  }
  if (position) *position = TFindPosition{0, hit.Offset, hit.Length};
  return true;
}

bool HexReplace(TWindow window, bool, bool, std::string_view replacement, const TFindPosition& position) {
  THexChildData* d = HexChild(window);
  return d && d->ReplaceRange(position.Column, position.Length, replacement);
}

void HexPlaceCursor(TWindow window, const TFindPosition& position) {
  if (THexChildData* d = HexChild(window)) d->GotoOffset(position.Column, false);
}

void HexRefresh(TWindow window) { InvalidateRect(window, nullptr); }

int64_t HexSelectionLength(TWindow window) {
  THexChildData* d = HexChild(window);
  return d ? d->SelEnd - d->SelStart : 0;
}

}  // namespace

const TWindowSearchOps& HexWindowSearchOps() {
  static const TWindowSearchOps ops{HexSearch, HexReplace, HexPlaceCursor, HexRefresh, HexSelectionLength};
  return ops;
}

void RegisterHexWindowSearch() { RegisterWindowSearch(wkHex, HexWindowSearchOps()); }
