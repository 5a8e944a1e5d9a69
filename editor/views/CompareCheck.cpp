#include "editor/views/CompareCheck.h"

#include "editor/views/DiffLineCompare.h"

namespace {

bool Fail(std::string* why, std::string text) {
  if (why) *why = std::move(text);
  return false;
}

bool CheckPane(const TCompareEngine& engine, int pane, std::string* why) {
  const TDiffRows& rows = engine.Rows();
  const TDiffFile& file = engine.File(pane);
  const bool all = !rows.OnlyDifferences();
  TDiffLine* expected = file.First();  // the next line the pane must show
  for (TDiffLine* line : rows.Pane(pane)) {
    if (!line || line->Separator()) continue;
    if (all) {
      if (line != expected)
        return Fail(why, "pane " + std::to_string(pane) + ": line " + std::to_string(line->Index) +
                             " out of order or repeated");
      expected = expected->Next;
      continue;
    }
    // Lines left out must not be changed ones.
    for (; expected && expected != line; expected = expected->Next)
      if (expected->Changed())
        return Fail(why, "pane " + std::to_string(pane) + ": changed line " +
                             std::to_string(expected->Index) + " left out");
    if (!expected) return Fail(why, "pane " + std::to_string(pane) + ": lines out of order");
    expected = expected->Next;
  }
  if (all && expected)
    return Fail(why, "pane " + std::to_string(pane) + ": line " + std::to_string(expected->Index) +
                         " missing");
  return true;
}

}  // namespace

bool CheckCompare(const TCompareEngine& engine, std::string* why) {
  const TDiffRows& rows = engine.Rows();
  const TDiffOptions& options = engine.Options();
  if (rows.Pane(0).size() != rows.Pane(1).size()) return Fail(why, "panes differ in length");
  if (!CheckPane(engine, 0, why) || !CheckPane(engine, 1, why)) return false;
  for (int pane = 0; pane < 2; ++pane) {
    for (TDiffLine* line = engine.File(pane).First(); line; line = line->Next) {
      TDiffLine* partner = line->Partner;
      if (!partner) continue;
      if (partner->Partner != line) return Fail(why, "partners not mutual");
      if (!DiffTextsEqual(line->Text, line->Length, partner->Text, partner->Length, options))
        return Fail(why, "unequal partners at line " + std::to_string(line->Index));
    }
  }
  int32_t differences = 0;
  for (int32_t row = 0; row < rows.RowCount(); ++row) {
    const TDiffLine* a = rows.At(0, row);
    const TDiffLine* b = rows.At(1, row);
    differences += rows.IsDifferenceRow(row);
    // An unchanged line that takes part in matching sits opposite its partner.
    if (a && !a->Separator() && !a->Changed() && !IsIgnoredLine(*a, options) && a->Partner != b)
      return Fail(why, "row " + std::to_string(row) + ": unchanged line without its partner");
    if (b && !b->Separator() && !b->Changed() && !IsIgnoredLine(*b, options) && b->Partner != a)
      return Fail(why, "row " + std::to_string(row) + ": unchanged line without its partner");
  }
  if (differences != rows.DifferenceRows()) return Fail(why, "difference count is wrong");
  return true;
}
