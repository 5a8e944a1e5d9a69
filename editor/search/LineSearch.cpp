// The line driver: runs the engine line by line from a position.
#include "editor/search/LineSearch.h"

#include <algorithm>

#include "editor/search/SearchEngine.h"

namespace {

bool Before(int32_t lineA, int32_t columnA, int32_t lineB, int32_t columnB) {
  return lineA < lineB || (lineA == lineB && columnA < columnB);
}

bool InsideBlock(const TSearchBlock& block, const TSearchHit& hit) {
  const TTextRange& r = block.Range;
  const int32_t end = hit.Column + hit.Length;
  if (block.ColumnBlock) {
    const int32_t left = std::min(r.StartColumn, r.EndColumn);
    const int32_t right = std::max(r.StartColumn, r.EndColumn);
    return hit.Column >= left && end <= right;
  }
  return !Before(hit.Line, hit.Column, r.StartLine, r.StartColumn) &&
         !Before(r.EndLine, r.EndColumn, hit.Line, end);
}

}  // namespace

TLineSearch& ProgramLineSearch() {
  static TLineSearch driver;
  return driver;
}

bool TLineSearch::Found(const TSearchHit& hit, TSearchHit* out) {
  Last_ = hit;
  HasLast_ = true;
  if (out) *out = hit;
  return true;
}

bool TLineSearch::NotFound() {
  HasLast_ = false;
  return false;
}

bool TLineSearch::Find(const TTextLines& lines, const TEngineRequest& request, TTextPos start,
                       TSearchHit* hit, const TRegExp& regExp) {
  if (request.Backward && !request.RegularExpression)
    return Backward(lines, request, start, hit, regExp);
  return Forward(lines, request, start, hit, regExp);
}

bool TLineSearch::Forward(const TTextLines& lines, const TEngineRequest& request,
                          TTextPos start, TSearchHit* hit, const TRegExp& regExp) {
  if (start.Line < 0) start = TTextPos{0, 0};
  if (start.Column < 0) start.Column = 0;
  // An empty match would be found again at the same place: step over it.
  if (HasLast_ && Last_.Length == 0 && start.Line == Last_.Line && start.Column == Last_.Column) {
    if (++start.Column > lines.Length(start.Line)) start = TTextPos{0, start.Line + 1};
  }
  for (int32_t line = start.Line; line < lines.Count(); ++line) {
    if (line != start.Line) BetweenLines();
    const int32_t column = line == start.Line ? start.Column : 0;
    const int32_t length = lines.Length(line);
    if (column > length) continue;
    const char* text = lines.At(line);
    TSearchMatch match;
    if (SearchText(text ? text : "", length, request, column, &match, regExp))
      return Found(TSearchHit{line, match.Offset, match.Length}, hit);
  }
  return NotFound();
}

bool TLineSearch::Backward(const TTextLines& lines, const TEngineRequest& request,
                           TTextPos start, TSearchHit* hit, const TRegExp& regExp) {
  if (lines.Count() == 0) return NotFound();
  if (start.Line >= lines.Count()) start = TTextPos{INT32_MAX, lines.Count() - 1};
  if (HasLast_ && start.Line == Last_.Line && start.Column == Last_.Column) --start.Column;
  // Before the start of the text there is nothing left to find.
  if (start.Line < 0 || (start.Line == 0 && start.Column < 0)) return NotFound();
  for (int32_t line = start.Line; line >= 0; --line) {
    if (line != start.Line) BetweenLines();
    const int32_t length = lines.Length(line);
    const int32_t column = line == start.Line ? std::min(start.Column, length - 1) : length - 1;
    if (column < 0) continue;
    const char* text = lines.At(line);
    TSearchMatch match;
    if (SearchText(text ? text : "", length, request, column, &match, regExp))
      return Found(TSearchHit{line, match.Offset, match.Length}, hit);
  }
  return NotFound();
}

bool TLineSearch::FindInBlock(const TTextLines& lines, const TEngineRequest& request,
                              const TSearchBlock& block, TTextPos start, TSearchHit* hit,
                              const TRegExp& regExp) {
  const bool backward = request.Backward && !request.RegularExpression;
  TSearchHit found;
  while (Find(lines, request, start, &found, regExp)) {
    if (found.Line < block.Range.StartLine || found.Line > block.Range.EndLine) break;
    if (InsideBlock(block, found)) {
      if (hit) *hit = found;
      return true;
    }
    // Past this one: the driver steps over an empty hit or, backward, to its left.
    start = backward ? TTextPos{found.Column, found.Line}
                     : TTextPos{found.Column + found.Length, found.Line};
  }
  return NotFound();
}

bool FirstSearchStart(const TTextLines& lines, const TSearchRequest& request, TTextPos cursor,
                      const TTextRange* selection, TTextPos* start) {
  const bool backward = request.Backward && !request.RegularExpression;
  if (request.SelectionOnly) {
    if (!selection) return false;
    *start = backward ? TTextPos{selection->EndColumn, selection->EndLine}
                      : TTextPos{selection->StartColumn, selection->StartLine};
    return true;
  }
  if (request.FromCursor) {
    *start = cursor;
    return true;
  }
  if (!backward) {
    *start = TTextPos{0, 0};
    return true;
  }
  const int32_t last = std::max(lines.Count() - 1, 0);
  *start = TTextPos{lines.Length(last) - 1, last};
  return true;
}
