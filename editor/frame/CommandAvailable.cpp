// The availability rules of the commands.
#include "editor/frame/CommandAvailable.h"

#include "editor/frame/CommandTable.h"
#include "editor/text/ChildAccess.h"
#include "editor/text/ChildWindowProc.h"
#include "editor/text/TextChildData.h"

bool CommandRule(const TCommandContext& c, uint16_t command) {
  const TCommandInfo* info = FindCommand(command);
  if (!info) return false;
  const bool any = c.Kind != 0;
  const bool text = c.Kind == 1, hex = c.Kind == 2, results = c.Kind == 3, compare = c.Kind == 4;
  const bool writable = !c.ReadOnly;
  const bool sel = text && c.HasSelection;
  switch (info->Rule) {
    case TAvail::Always: return true;
    case TAvail::Any: return any;
    case TAvail::AnyButCompare: return any && !compare;
    case TAvail::SaveRule: return (text || hex) && writable;
    case TAvail::Mail: return text && c.MailAvailable;
    case TAvail::CanUndo: return any && c.CanUndo;
    case TAvail::CanRedo: return any && c.CanRedo;
    case TAvail::CanCut: return any && c.CanCut;
    case TAvail::CanCopy: return any && c.CanCopy;
    case TAvail::CanPaste: return any && c.CanPaste;
    case TAvail::CanDelete: return any && c.CanDelete;
    case TAvail::SelectAll: return hex || ((text || results) && !c.ColumnBlockMode);
    case TAvail::ColumnBlock: return (text || results) && c.ColumnBlockSupported;
    case TAvail::Results: return results;
    case TAvail::TextWritable: return text && writable;
    case TAvail::SelWritable: return sel && writable;
    case TAvail::Hex: return hex;
    case TAvail::HexExtended: return hex && c.HexExtended;
    case TAvail::TextOrResults: return text || results;
    case TAvail::TabsToSpaces:
      return sel && writable && c.ColumnBlockSupported && !c.ColumnBlockMode;
    case TAvail::AnySelection: return any && c.HasSelection;
    case TAvail::FindNext: return any && !compare && c.SearchTextExists;
    case TAvail::Replace: return (text || hex) && writable && !c.ReplaceRunning;
    case TAvail::NoModeless: return !c.ModelessOpen;
    case TAvail::Compare: return compare;
    case TAvail::Text: return text;
    case TAvail::TextWithFile: return text && c.HasFileName;
    case TAvail::ReadOnlyToggle: return (text || hex) && !c.Modified && c.HasFileName;
    case TAvail::BookmarkSet:
      return (text || results) && command >= 250 && command <= 259 &&
             (c.BookmarksSet >> (command - 250) & 1) != 0;
  }
  return false;
}

bool CommandAvailable(const TCommandContext& context, uint16_t command) {
  const TCommandInfo* info = FindCommand(command);
  return info && info->Landed && CommandRule(context, command);
}

TCommandContext ReadCommandContext(platform::TWindow active) {
  TCommandContext c;
  if (!active) return c;
  c.Kind = ChildKind(active);
  c.ReadOnly = ChildReadOnly(active);
  c.Modified = ChildModified(active);
  c.HasFileName = !ChildFileName(active).empty();
  c.HasSelection = ChildHasSelection(active);
  c.CanUndo = ChildCanUndo(active);
  c.CanRedo = ChildCanRedo(active);
  c.CanCut = ChildCanCut(active);
  c.CanCopy = ChildCanCopy(active);
  c.CanPaste = ChildCanPaste(active);
  c.CanDelete = ChildCanDelete(active);
  c.ColumnBlockSupported = ChildFixedPitch(active);
  c.HexExtended = c.Kind == wkHex && !ChildOverwrite(active);
  if (auto* text = dynamic_cast<TTextChildData*>(GetChildData(active))) {
    for (int32_t n = 0; n < 10; ++n) {
      if (text->Bookmarks[static_cast<size_t>(n)].Line >= 0) c.BookmarksSet |= uint16_t(1u << n);
    }
  }
  return c;
}
