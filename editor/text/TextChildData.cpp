// The text view's object: creation, fonts and tab stops, the gutter, bookmarks, copy and save.
#include "editor/text/TextChildData.h"

#include <algorithm>

#include "editor/text/ChildWindowProc.h"
#include "editor/text/TabColumns.h"
#include "editor/text/TextClipboard.h"
#include "editor/text/TextFile.h"
#include "platform/file/File.h"
#include "platform/file/FileOps.h"
#include "platform/ui/Clipboard.h"
#include "platform/ui/Paint.h"
#include "platform/ui/Window.h"

using namespace platform;

namespace {

// The backup of a file: the same name with the extension ".bak".
std::string BackupName(const std::string& name) {
  size_t slash = name.find_last_of('/');
  size_t dot = name.find_last_of('.');
  if (dot != std::string::npos && (slash == std::string::npos || dot > slash)) {
    return name.substr(0, dot) + ".bak";
  }
  return name + ".bak";
}

// The wait cursor for the lifetime of a long step.
class TWaitCursor {
 public:
  TWaitCursor() : Old_(platform::SetCursor(TCursorKind::Wait)) {}
  ~TWaitCursor() { platform::SetCursor(Old_); }
  TWaitCursor(const TWaitCursor&) = delete;
  TWaitCursor& operator=(const TWaitCursor&) = delete;

 private:
  TCursorKind Old_;
};

}  // namespace

bool TTextChildData::Create(TWindow window, const TChildCreateParams& params) {
  TabWidth = params.TabWidth > 0 ? params.TabWidth : 8;
  IndividualTabs = params.IndividualTabs && params.TabStops && params.TabStopCount > 0;
  if (IndividualTabs) {
    TabStops.assign(params.TabStops, params.TabStops + params.TabStopCount);
    TabStopCount = params.TabStopCount;
  }
  FreeCaret = params.FreeCaret != 0;
  ColumnBlock = params.ColumnBlock != 0;
  LineNumbers = params.LineNumbers != 0;
  LoadMode = NormalizeLineEndMode(params.LineEndMode);
  ClipLongLines = params.ClipLongLines != 0;
  Bookmarks.fill(TBookmark{});
  if (Lines.Count() == 0 && !Lines.AddCopy({})) return false;
  if (!TScrlChildData::Create(window, params)) return false;
  UpdateTabStops();
  Scroller->MarginWidth = GutterWidth();
  Scroller->MarginScrollsVertically = LineNumbers;
  UpdateRanges(false);
  return true;
}

void TTextChildData::SetFont(TFont font, bool repaint) {
  TScrlChildData::SetFont(font, false);
  UpdateTabStops();
  if (Scroller) Scroller->MarginWidth = GutterWidth();
  if (repaint) {
    TRect client = GetClientRect(Window);
    SizeChanged(client.Width(), client.Height());
    InvalidateRect(Window, nullptr);
    if (GetFocus() == Window) {
      ShowCaret(false);
      ShowCaret(true);
    }
  }
}

void TTextChildData::UpdateTabStops() {
  if (!IndividualTabs) {
    TabStops.assign(1, CharWidth * TabWidth);
    TabStopCount = 1;
  }
  Lines.TabSize = TabWidth;
}

int32_t TTextChildData::GutterWidth() {
  if (!LineNumbers) return MarginWidth;
  if (FixedPitch) return CharWidth * 6 + 18;
  if (GutterCacheWidth_ != CharWidth) {
    GutterCache_ = static_cast<int32_t>(Measure().RunWidth("999999")) + 18;
    GutterCacheWidth_ = CharWidth;
  }
  return GutterCache_;
}

bool TTextChildData::CaretBeyondEnd() { return ColumnBlockActive() || FreeCaret; }
void TTextChildData::SetColumnBlock(bool on) { ColumnBlock = on; }
bool TTextChildData::ColumnBlockActive() { return ColumnBlock && FixedPitch; }

void TTextChildData::ToggleBookmark(int32_t number, bool setOnly) {
  if (number < 0 || number >= kBookmarkCount) return;
  TBookmark& b = Bookmarks[static_cast<size_t>(number)];
  int32_t oldLine = b.Line;
  if (b.IsSet() && !setOnly) {
    b = TBookmark{};
  } else {
    b = TBookmark{Caret.Line, Caret.Column};
  }
  // Only the mark strip at the gutter's right edge changes.
  int32_t gutter = GutterWidth();
  for (int32_t line : {oldLine, b.Line}) {
    if (line < Scroller->PosY || line > Scroller->PosY + VisibleLineCount()) continue;
    int32_t y = (line - Scroller->PosY) * CharHeight;
    TRect strip{std::max(gutter - 10, 0), y, gutter, y + CharHeight};
    InvalidateRect(Window, &strip);
  }
}

bool TTextChildData::GotoBookmark(int32_t number) {
  if (number < 0 || number >= kBookmarkCount) return false;
  const TBookmark& b = Bookmarks[static_cast<size_t>(number)];
  if (!b.IsSet()) return false;
  SetCaret(b.Column, b.Line, false, false);
  return true;
}

std::string TTextChildData::SelectionText() {
  if (!HasSelection()) return {};
  return PlainTextOfRange(Lines, Selection, ColumnBlockActive(), Caret.Line, Caret.Column);
}

void TTextChildData::Copy() { (void)CopySelection(); }

bool TTextChildData::CopySelection() {
  if (!HasSelection()) return false;
  std::string bytes = SelectionText();
  if (bytes.empty()) return false;
  // A clipboard that cannot be opened or set keeps nothing of ours.
  return PutClipboardText(Window, bytes, DosMode != 0);
}

int32_t TTextChildData::Save(const std::string& fileName, bool selectionOnly, int32_t format,
                             bool makeBackup, bool checkWritable) {
  std::string name = fileName.empty() ? FileName : fileName;
  if (name.empty()) return tfsCannotCreate;
  if (checkWritable && FileExists(name.c_str())) {
    int32_t h = FileOpen(name.c_str(), TFileAccess::ReadWrite);
    if (h < 0) return tfsWriteError;
    FileClose(h);
  }
  if (selectionOnly) {
    if (!HasSelection()) return 0;
    TWaitCursor wait;
    TTextRange range = Selection;
    return SaveTextFile(name.c_str(), Lines, &range, ColumnBlockActive(), Caret.Line,
                        Caret.Column, format);
  }
  if (makeBackup && FileExists(name.c_str())) {
    std::string backup = BackupName(name);
    // A document named like its own backup keeps its only copy.
    if (backup != name) {
      if (FileExists(backup.c_str())) DeleteFile(backup.c_str());
      if (!RenameFile(name.c_str(), backup.c_str())) MessageBeep(0);
    }
  }
  TWaitCursor wait;
  return SaveTextFile(name.c_str(), Lines, nullptr, false, 0, 0, format);
}

bool TTextChildData::GetLineText(int32_t line, std::string& text) {
  if (line < 0 || line >= Lines.Count()) return false;
  text.assign(Lines.Text(line));
  return true;
}

TLineMeasure TTextChildData::Measure() const {
  const TFontInfo* info = GetFontInfo(Font ? Font : GetStockFont());
  return TLineMeasure(info, std::span<const int32_t>(TabStops.data(), TabStops.size()),
                      CharWidth);
}

int64_t TTextChildData::LineX(int32_t line, int32_t column) const {
  return Measure().XOf(Lines.Text(line), column);
}

int32_t TTextChildData::ScreenColumn(int32_t line, int32_t column) const {
  return IndexToColumn(Lines.At(line), column, TabWidth);
}

void TTextChildData::WidenRangeX(int32_t columns) {
  if (Scroller && columns > Scroller->RangeX) Scroller->SetRange(columns, Scroller->RangeY);
}

void TTextChildData::UpdateRanges(bool measureLongest) {
  if (!Scroller) return;
  int32_t rangeX = Scroller->RangeX;
  if (measureLongest) {
    rangeX = 1;
    for (int32_t i = 0; i < Lines.Count(); ++i) {
      rangeX = std::max(rangeX, ScreenColumn(i, Lines.Length(i)));
    }
  }
  Scroller->SetRange(rangeX, std::max(Lines.Count() - 1, 0));
}

int32_t TTextChildData::VisibleLineCount() const {
  TRect client = GetClientRect(Window);
  return (client.Height() + CharHeight - 1) / std::max(CharHeight, 1);
}

void TTextChildData::InvalidateLines(int32_t first, int32_t last) {
  TRect client = GetClientRect(Window);
  int32_t top = (first - Scroller->PosY) * CharHeight;
  int32_t bottom = last < 0 ? client.Bottom : (last - Scroller->PosY + 1) * CharHeight;
  top = std::max(top, 0);
  bottom = std::min(bottom, client.Bottom);
  if (bottom <= top) return;
  TRect r{0, top, client.Right, bottom};
  InvalidateRect(Window, &r);
}

intptr_t TextChildProc(TWindow window, uint32_t message, uintptr_t wParam, intptr_t lParam) {
  if (message == wm_CreateChildObject) return CreateChildObject<TTextChildData>(window, lParam);
  return ChildWindowProc(window, message, wParam, lParam);
}
