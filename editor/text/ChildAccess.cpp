// Access to document objects through their windows.
#include "editor/text/ChildAccess.h"

#include "editor/text/ChildWindowProc.h"
#include "platform/ui/Window.h"

using namespace platform;

namespace {

template <class F>
void With(TWindow window, F f) {
  if (TScrlChildData* d = GetChildData(window)) f(*d);
}

template <class R, class F>
R Ask(TWindow window, R none, F f) {
  TScrlChildData* d = GetChildData(window);
  return d ? f(*d) : none;
}

}  // namespace

uint8_t ChildKind(TWindow window) {
  return Ask<uint8_t>(window, wkNone, [](TScrlChildData& d) { return d.Kind; });
}

std::string ChildFileName(TWindow window) {
  return Ask<std::string>(window, {}, [](TScrlChildData& d) { return d.FileName; });
}

std::string ChildWindowText(TWindow window) {
  if (!GetChildData(window)) return {};
  std::string text = GetWindowText(window);
  if (text.size() > kChildWindowTextMax) text.resize(kChildWindowTextMax);
  return text;
}

int32_t ChildLoad(TWindow window) {
  return Ask<int32_t>(window, 0, [](TScrlChildData& d) { return d.LoadFile(); });
}

int32_t ChildReload(TWindow window, bool readAgain) {
  return Ask<int32_t>(window, 0, [&](TScrlChildData& d) { return d.Reload(readAgain); });
}

int32_t ChildSave(TWindow window, const std::string& fileName, int32_t format,
                  bool makeBackup) {
  return Ask<int32_t>(window, 0, [&](TScrlChildData& d) {
    return d.Save(fileName, false, format, makeBackup, true);
  });
}

int32_t ChildSaveSelection(TWindow window, const std::string& fileName, int32_t format) {
  return Ask<int32_t>(window, 0, [&](TScrlChildData& d) {
    return d.Save(fileName, true, format, false, true);
  });
}

void ChildSetReadOnly(TWindow window, bool on) {
  With(window, [&](TScrlChildData& d) { d.SetReadOnly(on); });
}

void ChildGoto(TWindow window, int32_t line, int32_t column, bool extend) {
  With(window, [&](TScrlChildData& d) {
    d.SetCaret(column, line, false, extend);
    TScroller& s = *d.Scroller;
    int32_t target = d.Caret.Line;
    // The page shows lines PosY .. PosY + PageStepY; keep the target off its last two.
    int32_t bottom = s.PosY + s.PageStepY;
    if (target >= s.PosY && target >= bottom - 1 && target <= bottom) {
      s.ScrollTo(s.PosX, target - s.PageStepY + 3);
    }
  });
}

void ChildGotoStart(TWindow window) {
  With(window, [](TScrlChildData& d) { d.MoveCaretTo(VK_HOME, 3, false); });
}

void ChildGotoEnd(TWindow window) {
  With(window, [](TScrlChildData& d) { d.MoveCaretTo(VK_END, 3, false); });
}

void ChildSelectAll(TWindow window) {
  With(window, [](TScrlChildData& d) { d.SetSelection(nullptr, 0); });
}

#define ZK_CHILD_QUERY(Name, Call)                                                      \
  bool Name(TWindow window) {                                                           \
    return Ask<bool>(window, false, [](TScrlChildData& d) { return d.Call(); });        \
  }
#define ZK_CHILD_ACTION(Name, Call) \
  void Name(TWindow window) { With(window, [](TScrlChildData& d) { d.Call(); }); }

ZK_CHILD_QUERY(ChildHasSelection, HasSelection)
ZK_CHILD_QUERY(ChildCanUndo, CanUndo)
ZK_CHILD_QUERY(ChildCanRedo, CanRedo)
ZK_CHILD_QUERY(ChildCanCut, CanCut)
ZK_CHILD_QUERY(ChildCanCopy, CanCopy)
ZK_CHILD_QUERY(ChildCanPaste, CanPaste)
ZK_CHILD_QUERY(ChildCanDelete, CanDelete)
ZK_CHILD_QUERY(ChildFileChangedOnDisk, FileChangedOnDisk)
ZK_CHILD_ACTION(ChildUndo, Undo)
ZK_CHILD_ACTION(ChildRedo, Redo)
ZK_CHILD_ACTION(ChildCut, Cut)
ZK_CHILD_ACTION(ChildCopy, Copy)
ZK_CHILD_ACTION(ChildPaste, Paste)
ZK_CHILD_ACTION(ChildDelete, Delete)

#undef ZK_CHILD_QUERY
#undef ZK_CHILD_ACTION

void ChildSetFont(TWindow window, TFont font) {
  With(window, [&](TScrlChildData& d) { d.SetFont(font, true); });
}

void ChildSetColors(TWindow window, TColorRef text, TColorRef mark, TBrush brush) {
  With(window, [&](TScrlChildData& d) { d.SetColors(text, mark, brush, true); });
}

TFont ChildGetFont(TWindow window) {
  return Ask<TFont>(window, 0, [](TScrlChildData& d) { return d.Font; });
}

void ChildSetShowSpecial(TWindow window, bool on) {
  With(window, [&](TScrlChildData& d) { d.SetShowSpecial(on); });
}

void ChildSetDosMode(TWindow window, bool on) {
  With(window, [&](TScrlChildData& d) { d.SetDosMode(on); });
}

bool ChildModified(TWindow window) {
  return Ask<bool>(window, false, [](TScrlChildData& d) { return d.Modified != 0; });
}
bool ChildOverwrite(TWindow window) {
  return Ask<bool>(window, false, [](TScrlChildData& d) { return d.Overwrite != 0; });
}
bool ChildReadOnly(TWindow window) {
  return Ask<bool>(window, false, [](TScrlChildData& d) { return d.ReadOnly != 0; });
}
bool ChildDosMode(TWindow window) {
  return Ask<bool>(window, false, [](TScrlChildData& d) { return d.DosMode != 0; });
}
bool ChildShowSpecial(TWindow window) {
  return Ask<bool>(window, false, [](TScrlChildData& d) { return d.ShowSpecial != 0; });
}
bool ChildFixedPitch(TWindow window) {
  return Ask<bool>(window, false, [](TScrlChildData& d) { return d.FixedPitch != 0; });
}

TLineTextCallback ChildLineCallback(TWindow window) {
  TLineTextCallback callback;
  callback.Object = GetChildData(window);
  if (callback.Object) {
    callback.Fetch = [](TScrlChildData* object, int32_t line, std::string& text) {
      return object->GetLineText(line, text);
    };
  }
  return callback;
}
