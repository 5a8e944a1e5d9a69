// The editor window's object: creation, its file on disk (load, reload, save, lock, changes),
// read-only, undo and redo, the clipboard commands and the engine's notifications.
#include "editor/text/EditChildData.h"

#include <algorithm>
#include <optional>

#include "editor/text/ChildWindowProc.h"
#include "editor/text/RangePieces.h"
#include "editor/text/TabColumns.h"
#include "editor/text/TextClipboard.h"
#include "editor/text/TextFile.h"
#include "platform/file/FileOps.h"
#include "platform/ui/Clipboard.h"
#include "platform/ui/MessageLoop.h"
#include "platform/ui/Paint.h"
#include "platform/ui/Window.h"

using namespace platform;

namespace {
// Lines below a change whose colouring start state is compared.
constexpr int32_t kStateLinesMax = 200;
}  // namespace

TEditChildData::TEditChildData() = default;

TEditChildData::~TEditChildData() { CloseLock(); }

bool TEditChildData::Create(TWindow window, const TChildCreateParams& params) {
  if (!TTextChildData::Create(window, params)) return false;
  DragDrop = params.DragDrop != 0;
  KeepLocked = params.KeepLocked != 0;
  AutoIndent = params.AutoIndent != 0;
  TypingReplacesSelection = params.TypingReplacesSelection != 0;
  TrimOnSave = params.RemoveTrailingBlanks != 0;
  TabsAsSpaces = params.TabInsertsSpaces != 0;
  WordWrap = params.WordWrap != 0;
  WrapWin = params.WrapAtWindowEdge != 0;
  WrapCol = params.WrapColumn > 0 ? params.WrapColumn : 72;
  ConvertNuls = params.NulAsSpace != 0;
  Editor = std::make_unique<TEditor>(static_cast<TMessageSink*>(this), &Bookmarks, &Lines);
  Scroller->ProportionalThumb = 1;
  BookmarkMarks = 1;
  if (!LineNumbers) Scroller->MarginScrollsVertically = 1;
  if (ConvertNuls) ReadOnly = 1;
  if (params.SyntaxColoring) {
    SetSyntaxColoring(static_cast<const TSyntaxColorInfo*>(params.SyntaxColoring));
  }
  if (DragDrop && !ReadOnly) SetDropTarget(true);
  if (!FileName.empty()) (void)RecordFileState();  // a new file has nothing to record yet
  return true;
}

intptr_t TEditChildData::SendMsg(uint32_t message, uintptr_t wParam, intptr_t lParam) {
  // The engine's notifications arrive on every keystroke: handled here without a detour.
  if (message == wm_LineChange) {
    LineChanging(static_cast<int32_t>(lParam), wParam != 0);
    return 0;
  }
  if (message == wm_BookmarkChange) {
    BookmarkChanging(static_cast<int32_t>(wParam));
    return 0;
  }
  return SendMessage(Window, message, wParam, lParam);
}

void TEditChildData::LineChanging(int32_t line, bool before) {
  if (before) {
    CountBefore_ = Lines.Count();
    SavedStates_.clear();
    if (Coloring) {
      int32_t last = std::min({Scroller->PosY + VisibleLineCount(), Lines.Count() - 1,
                               line + kStateLinesMax});
      for (int32_t l = line + 1; l <= last; ++l) SavedStates_.push_back(Coloring->LineStartState(l));
    }
    return;
  }
  if (Coloring) Coloring->LineChanged(line);
  if (Lines.Count() != CountBefore_) {
    InvalidateLines(line, -1);
    return;
  }
  InvalidateLines(line, line);
  if (!Coloring) return;
  // A change that opens or closes a comment recolours the lines below it.
  for (size_t k = 0; k < SavedStates_.size(); ++k) {
    int32_t l = line + 1 + static_cast<int32_t>(k);
    if (l >= Lines.Count()) break;
    if (Coloring->LineStartState(l) != SavedStates_[k]) InvalidateLines(l, l);
  }
}

void TEditChildData::BookmarkChanging(int32_t number) {
  if (number < 0 || number >= kBookmarkCount) return;
  int32_t line = Bookmarks[static_cast<size_t>(number)].Line;
  if (line < 0) return;
  int32_t gutter = GutterWidth();
  int32_t y = (line - Scroller->PosY) * CharHeight;
  TRect strip{std::max(gutter - 10, 0), y, gutter, y + CharHeight};
  if (y + CharHeight > 0) InvalidateRect(Window, &strip);
}

// ---------------------------------------------------------------------------------------
// The file on disk

void TEditChildData::CloseLock() {
  if (LockHandle >= 0) FileClose(LockHandle);
  LockHandle = -1;
}

bool TEditChildData::RecordFileState() {
  FileRecorded = 0;
  int32_t h = FileOpen(FileName.c_str(), TFileAccess::ReadOnly);
  if (h < 0) return false;
  int64_t size = platform::FileSize(h);
  TFileTime time;
  bool ok = size >= 0 && FileGetTime(h, &time);
  FileClose(h);
  if (!ok) return false;
  FileSize = size;
  FileDate = time;
  FileRecorded = 1;
  if (KeepLocked && LockHandle != -2) {
    if (LockHandle < 0) LockHandle = FileOpen(FileName.c_str(), TFileAccess::ReadWrite, TFileShare::DenyWrite);
    if (LockHandle < 0) {
      KeepLocked = 0;
      LockHandle = -1;
    }
  }
  return true;
}

bool TEditChildData::SetKeepLocked(bool on) {
  KeepLocked = on;
  if (!on) {
    CloseLock();
    return true;
  }
  if (LockHandle >= 0 || FileName.empty()) return true;
  LockHandle = FileOpen(FileName.c_str(), TFileAccess::ReadWrite, TFileShare::DenyWrite);
  if (LockHandle < 0) {
    KeepLocked = 0;
    LockHandle = -1;
    return false;
  }
  return true;
}

bool TEditChildData::FileChangedOnDisk() {
  if (!FileRecorded) return false;
  TFileInfo info;
  // A file deleted behind our back counts as changed: saving must not go unnoticed.
  if (!GetFileInfo(FileName.c_str(), &info)) return true;
  return info.Size != FileSize || !(info.Time == FileDate);
}

int32_t TEditChildData::LoadFile() {
  if (FileName.empty()) return 0;
  TCursorKind oldCursor = platform::SetCursor(TCursorKind::Wait);
  if (KeepLocked) CloseLock();
  int32_t longest = 0, lineEnds = 0, kinds = 0;
  int32_t status;
  if (Coloring) Coloring->LineChanged(0);
  // A fresh window loads in place and paints its first screen early; a document with text
  // (a reload) keeps that text until the new one is complete, so a failure loses nothing.
  const bool fresh = Lines.Count() <= 1 && Lines.Length(0) == 0 && !Editor->CanUndo();
  if (fresh) {
    status = LoadTextFile(FileName.c_str(), Lines, static_cast<TMessageSink*>(this),
                          wm_FileLoaded, LoadMode, ConvertNuls, &longest, &lineEnds, &kinds);
    if (Lines.Count() == 0) (void)Lines.AddCopy({});
  } else {
    TTextLines loaded;
    status = LoadTextFile(FileName.c_str(), loaded, nullptr, 0, LoadMode, ConvertNuls, &longest,
                          &lineEnds, &kinds);
    if (status == 0) Lines = std::move(loaded);
  }
  if (status != 0 && !fresh) {
    if (KeepLocked) (void)SetKeepLocked(true);
    platform::SetCursor(oldCursor);
    return status;
  }
  // Undo entries and bookmarks of the old text mean nothing in the new one.
  Editor = std::make_unique<TEditor>(static_cast<TMessageSink*>(this), &Bookmarks, &Lines);
  Bookmarks.fill(TBookmark{});
  if (Coloring) Coloring->LineChanged(0);
  Caret.Line = std::min(Caret.Line, Lines.Count() - 1);
  Caret.Column = std::min(Caret.Column, Lines.Length(Caret.Line));
  CollapseSelection();
  if (status == 0) {
    FoundLineEnds = kinds;
    if (!RecordFileState()) status = tfsCannotOpen;
    WidenRangeX(longest);
  }
  UpdateRanges(false);
  InvalidateRect(Window, nullptr);
  platform::SetCursor(oldCursor);
  return status;
}

int32_t TEditChildData::Reload(bool readAgain) {
  if (!readAgain) return RecordFileState() ? 0 : tfsCannotOpen;
  int32_t status = LoadFile();
  if (status == 0) SetModified(false);
  return status;
}

int32_t TEditChildData::Save(const std::string& fileName, bool selectionOnly, int32_t format,
                             bool makeBackup, bool checkWritable) {
  const bool own = fileName.empty() || fileName == FileName;
  if (ReadOnly && own) return tfsWriteError;
  if (selectionOnly) {
    return TTextChildData::Save(fileName, true, format, false, checkWritable);
  }
  // Somebody else's newer text is never overwritten without the user's word.
  if (own && !OverwriteChangedFile && FileChangedOnDisk()) return kSaveChangedOnDisk;
  const bool wasLocked = KeepLocked && LockHandle >= 0;
  if (KeepLocked) CloseLock();
  const std::string target = own ? FileName : fileName;
  if (checkWritable && FileExists(target.c_str())) {
    int32_t h = FileOpen(target.c_str(), TFileAccess::ReadWrite);
    if (h < 0) {
      if (wasLocked) (void)SetKeepLocked(true);
      return tfsWriteError;
    }
    FileClose(h);
  }
  if (!own) {
    FileName = target;
    SetWindowText(Window, Modified ? target + "  *" : target);
  }
  if (TrimOnSave && Editor->RemoveTrailingBlanks()) {
    if (ShowSpecial) InvalidateRect(Window, nullptr);
    int32_t len = Lines.Length(Caret.Line);
    if (Caret.Column > len) SetCaret(len, Caret.Line, false, false);
  }
  int32_t status = TTextChildData::Save(target, false, format, makeBackup, false);
  if (status == 0) {
    OverwriteChangedFile = 0;
    (void)RecordFileState();
    SetModified(false);
  } else if (wasLocked) {
    (void)SetKeepLocked(true);
  }
  return status;
}

void TEditChildData::SetReadOnly(bool on) {
  if (on == (ReadOnly != 0)) return;
  ReadOnly = on;
  SetModified(false);
  if (DragDrop) SetDropTarget(!on);
}

// ---------------------------------------------------------------------------------------
// Undo, redo and the clipboard

bool TEditChildData::CanUndo() { return !ReadOnly && Editor->CanUndo(); }
bool TEditChildData::CanRedo() { return !ReadOnly && Editor->CanRedo(); }
bool TEditChildData::CanCut() { return !ReadOnly && HasSelection(); }
bool TEditChildData::CanDelete() { return !ReadOnly && HasSelection(); }

bool TEditChildData::CanPaste() {
  return !ReadOnly && (IsClipboardFormatAvailable(CF_TEXT) || IsClipboardFormatAvailable(CF_OEMTEXT));
}

void TEditChildData::Undo() {
  if (ReadOnly || !Editor->CanUndo()) return;
  TUndoResult r;
  if (!Editor->Undo(&r)) MessageBeep(0);
  if (r.FirstLine == INT32_MAX) return;
  RemoveSelection(true);
  InvalidateLines(r.FirstLine, r.SeveralLines ? -1 : r.FirstLine);
  WidenRangeX(ScreenColumn(r.CaretLine, Lines.Length(r.CaretLine)));
  UpdateRanges(false);
  SetCaret(r.CaretColumn, r.CaretLine, false, false);
  SetModified(true);
}

void TEditChildData::Redo() {
  if (ReadOnly || !Editor->CanRedo()) return;
  TUndoResult r;
  if (!Editor->Redo(&r)) MessageBeep(0);
  if (r.FirstLine == INT32_MAX) return;
  RemoveSelection(true);
  InvalidateLines(r.FirstLine, r.SeveralLines ? -1 : r.FirstLine);
  WidenRangeX(ScreenColumn(r.CaretLine, Lines.Length(r.CaretLine)));
  UpdateRanges(false);
  SetCaret(r.CaretColumn, r.CaretLine, false, false);
  SetModified(true);
}

void TEditChildData::Cut() {
  if (ReadOnly || !HasSelection()) return;
  // Text the clipboard did not take stays in the document.
  if (!CopySelection()) {
    MessageBeep(0);
    return;
  }
  Delete();
}

void TEditChildData::Paste() {
  if (ReadOnly) return;
  std::optional<std::string> text = TakeClipboardText(Window, DosMode != 0);
  if (!text) return;
  InsertTextAtCaret(*text);
}

void TEditChildData::Delete() {
  if (ReadOnly || !HasSelection()) return;
  DeleteSelection(false);
  AfterEdit(Caret.Line, true);
}

void TEditChildData::InsertTextAtCaret(std::string_view text) {
  if (ReadOnly) return;
  bool linked = PrepareTyping();
  if (text.empty()) {
    if (linked) AfterEdit(Caret.Line, true);
    return;
  }
  int32_t endLine = Caret.Line, endColumn = Caret.Column;
  int32_t r = Editor->InsertBlock(Caret.Line, Caret.Column, &endLine, &endColumn, linked,
                                  ColumnBlockActive(), text);
  if (r < 0) {
    MessageBeep(0);
    return;
  }
  WidenRangeX(r);
  SetCaret(endColumn, endLine, false, false);
  AfterEdit(Caret.Line, true);
}

bool TEditChildData::ReplaceAt(int32_t line, int32_t column, int32_t count,
                               std::string_view text, bool moveCaret) {
  if (ReadOnly) return false;
  int32_t r = Editor->ReplaceText(line, column, false, text, count);
  if (r < 0) return false;
  WidenRangeX(r);
  if (moveCaret) SetCaret(column + static_cast<int32_t>(text.size()), line, false, false);
  AfterEdit(line, false);
  return true;
}

// ---------------------------------------------------------------------------------------
// Helpers of every edit

bool TEditChildData::PrepareTyping() {
  if (ReadOnly || !HasSelection()) return false;
  if (TypingReplacesSelection) {
    DeleteSelection(false);
    return true;
  }
  RemoveSelection(true);
  return false;
}

void TEditChildData::DeleteSelection(bool group) {
  const TTextRange r = Selection;
  const bool column = ColumnBlockActive();
  const bool atStart = Caret.Line == r.StartLine && Caret.Column == r.StartColumn;
  int32_t left = 0, right = 0;
  if (column) ColumnBlockEdges(Lines, r, Caret.Line, Caret.Column, &left, &right);
  if (Editor->DeleteRange(Caret.Line, Caret.Column, atStart, group, column, r) < 0) {
    MessageBeep(0);
    return;
  }
  TTextPos target{r.StartColumn, r.StartLine};
  if (column) target.Column = ColumnToIndexBefore(Lines.At(r.StartLine), left, TabWidth);
  Caret = target;
  CollapseSelection();
  NotifyFrame(cnSelectionChanged, 0);
  InvalidateLines(r.StartLine, r.StartLine == r.EndLine || column ? r.EndLine : -1);
  SetCaret(target.Column, target.Line, false, false);
}

void TEditChildData::AfterEdit(int32_t, bool) {
  UpdateRanges(false);
  SetModified(true);
}

void TEditChildData::SetSyntaxColoring(const TSyntaxColorInfo* info) {
  Coloring.reset();
  ColorInfo.reset();
  if (info) {
    ColorInfo = std::make_unique<TSyntaxColorInfo>(*info);
    Coloring = std::make_unique<TSyntaxColoring>(Lines, *ColorInfo);
  }
  if (Window) InvalidateRect(Window, nullptr);
}

intptr_t EditChildProc(TWindow window, uint32_t message, uintptr_t wParam, intptr_t lParam) {
  if (message == wm_CreateChildObject) return CreateChildObject<TEditChildData>(window, lParam);
  if (message == WM_LBUTTONDOWN || message == WM_RBUTTONDOWN) {
    // A press inside the selection starts a drag instead of placing the caret.
    auto* d = dynamic_cast<TEditChildData*>(GetChildData(window));
    if (d && d->DragStarting(LParamX(lParam), LParamY(lParam))) {
      d->StartDrag();
      return 0;
    }
  }
  if (message == wm_LineChange || message == wm_BookmarkChange) {
    auto* d = dynamic_cast<TEditChildData*>(GetChildData(window));
    if (!d) return 0;
    if (message == wm_LineChange) {
      d->LineChanging(static_cast<int32_t>(lParam), wParam != 0);
    } else {
      d->BookmarkChanging(static_cast<int32_t>(wParam));
    }
    return 0;
  }
  return ChildWindowProc(window, message, wParam, lParam);
}
