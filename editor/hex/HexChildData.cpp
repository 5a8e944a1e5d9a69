// The hex window's object: creation, the file, bytes as shown, caret, selection and
// scrolling.
#include "editor/hex/HexChildData.h"

#include <sys/stat.h>

#include <algorithm>

#include "editor/text/ChildWindowProc.h"
#include "platform/file/FileOps.h"
#include "platform/ui/MessageLoop.h"
#include "platform/ui/Paint.h"
#include "platform/ui/Window.h"

using namespace platform;

std::string HexTemporaryName(const std::string& fileName) {
  size_t slash = fileName.rfind('/');
  size_t dot = fileName.rfind('.');
  size_t start = slash == std::string::npos ? 0 : slash + 1;
  // A leading dot names a hidden file, not an extension.
  if (dot == std::string::npos || dot <= start) return fileName + ".~ZK";
  return fileName.substr(0, dot) + ".~ZK";
}

std::string HexTooLargeMessage(const std::string& fileName) {
  return "Die Datei ist zu groß für den Hex-Editor:\n\n" + fileName +
         "\n\nEs können Dateien bis 2.147.483.647 Byte (2 GB) geöffnet werden.";
}

THexChildData* HexChild(TWindow window) {
  return dynamic_cast<THexChildData*>(GetChildData(window));
}

THexChildData::~THexChildData() {
  Cache.Close();
  // The working copy of extended mode goes with the window.
  if (TempOwned && !TempName.empty()) DeleteFile(TempName.c_str());
}

bool THexChildData::Create(TWindow window, const TChildCreateParams& params) {
  if (!TScrlChildData::Create(window, params)) return false;
  Kind = wkHex;
  NormalMode = true;
  Overwrite = 1;
  // For hex windows the frame passes the all-characters flag as ShowSpecial and the
  // characters-only view as ColumnBlock.
  AllChars = params.ShowSpecial != 0;
  ShowSpecial = AllChars;
  ViewMode = params.ColumnBlock ? hvCharsOnly : hvHexAndChars;
  TempName = FileName.empty() ? std::string() : HexTemporaryName(FileName);
  Caret = TTextPos{kHexFirstDigit, 0};
  Scroller->SetRange(kHexLineColumns - 1, 0);
  return true;
}

int32_t THexChildData::OpenOwnFile() {
  int32_t status = Cache.Open(FileName, ReadOnly != 0);
  ChangeReported = false;
  return status;
}

int32_t THexChildData::LoadFile() {
  if (FileName.empty()) {
    LoadStatus = 0;
  } else {
    LoadStatus = OpenOwnFile();
    if (LoadStatus == fcMemory) LoadStatus = fcCannotOpen;
  }
  UpdateRanges();
  NotifyCaret();
  return LoadStatus;
}

int32_t THexChildData::LineCount() const {
  return static_cast<int32_t>(FileSize() / PerLine() + 1);
}

void THexChildData::UpdateRanges() {
  if (Scroller) Scroller->SetRange(kHexLineColumns - 1, LineCount() - 1);
}

uint8_t THexChildData::ByteAt(int64_t offset) const {
  if (offset < 0 || offset >= FileSize()) return 0;
  uint8_t value = 0;
  if (NormalMode && Changes.Get(offset, &value)) return value;
  return Cache.Data()[offset];
}

std::string THexChildData::BytesAt(int64_t offset, int64_t count) const {
  const int64_t size = FileSize();
  if (offset < 0 || offset >= size || count <= 0) return {};
  count = std::min(count, size - offset);
  std::string bytes(reinterpret_cast<const char*>(Cache.Data() + offset), static_cast<size_t>(count));
  if (NormalMode && !Changes.Empty()) {
    const auto& records = Changes.Records();
    for (size_t i = Changes.LowerBound(offset); i < records.size() && records[i].Offset < offset + count; ++i) {
      bytes[static_cast<size_t>(records[i].Offset - offset)] = static_cast<char>(records[i].Value);
    }
  }
  return bytes;
}

int64_t THexChildData::CaretOffset() const {
  TColumnInfo info;
  if (!ColumnToByte(ViewMode, Caret.Column, &info)) info.Index = 0;
  return static_cast<int64_t>(Caret.Line) * PerLine() + info.Index;
}

int64_t THexChildData::StatusOffset() const {
  int64_t offset = CaretOffset();
  return offset < FileSize() ? offset : -1;
}

void THexChildData::NotifyCaret() {
  int64_t offset = StatusOffset();
  NotifyFrame(cnHexCaretMoved, static_cast<int32_t>(offset), offset >= 0 ? ByteAt(offset) : 0);
}

void THexChildData::ClampCaret() {
  Caret.Line = std::clamp(Caret.Line, 0, LineCount() - 1);
  TColumnInfo info;
  if (!ColumnToByte(ViewMode, Caret.Column, &info)) {
    Caret.Column = std::clamp(Caret.Column, static_cast<int32_t>(kHexFirstDigit),
                              ViewMode == hvCharsOnly ? kTextOnlyLastChar : kHexLastChar);
    if (!ColumnToByte(ViewMode, Caret.Column, nullptr)) ++Caret.Column;
  }
}

void THexChildData::ScrollToCaret() {
  int32_t posY = Scroller->PosY;
  if (Caret.Line < posY) {
    posY = Caret.Line;
  } else if (Caret.Line > posY + Scroller->PageStepY) {
    posY = Caret.Line - Scroller->PageStepY;
  }
  int32_t posX = Scroller->PosX;
  if (Caret.Column < posX) {
    posX = Caret.Column;
  } else if (Caret.Column >= posX + Scroller->PageStepX) {
    posX = Caret.Column - Scroller->PageStepX + 1;
  }
  if (posX != Scroller->PosX || posY != Scroller->PosY) Scroller->ScrollTo(posX, posY);
  if (GetCaretState().Owner == Window) {
    TPoint p = GetCaretPixelPos();
    SetCaretPos(p.X, p.Y);
  }
}

void THexChildData::SetCaret(int32_t column, int32_t line, bool, bool extend) {
  const int64_t before = CaretOffset();
  if (line < 0) line = Caret.Line;
  if (column < 0) column = Caret.Column;
  Caret = TTextPos{column, line};
  ClampCaret();
  const int64_t offset = CaretOffset();
  InvalidateSelection();
  if (extend) {
    if (Anchor < 0) Anchor = HasSelection() ? (before == SelStart ? SelEnd : SelStart) : before;
    SelStart = std::min(Anchor, offset);
    SelEnd = std::max(Anchor, offset);
  } else {
    Anchor = -1;
    SelStart = SelEnd = 0;
  }
  InvalidateSelection();
  ScrollToCaret();
  NotifyCaret();
}

void THexChildData::MoveCaretBy(int32_t columns, int32_t lines, bool extend) {
  int32_t column = Caret.Column;
  int32_t line = Caret.Line;
  if (columns != 0) {
    const int32_t direction = columns < 0 ? -1 : 1;
    for (int32_t n = std::abs(columns); n > 0; --n) {
      int32_t c = column, l = line;
      StepColumn(ViewMode, direction, &c, &l);
      // Never before the first or after the last line.
      if (l < 0 || l >= LineCount()) break;
      column = c;
      line = l;
    }
  }
  line = static_cast<int32_t>(std::clamp<int64_t>(static_cast<int64_t>(line) + lines, 0, LineCount() - 1));
  SetCaret(column, line, false, extend);
}

void THexChildData::MoveCaretTo(uint32_t key, int32_t scope, bool extend) {
  TColumnInfo info;
  if (!ColumnToByte(ViewMode, Caret.Column, &info)) info = TColumnInfo{};
  const bool hex = ViewMode == hvHexAndChars && info.HexPart;
  const int32_t first = ByteToColumn(ViewMode, 0, hex);
  const int32_t last = ByteToColumn(ViewMode, PerLine() - 1, hex) + (hex ? 1 : 0);
  int32_t line = Caret.Line;
  if (scope == 2) {
    line = key == VK_HOME ? Scroller->PosY : std::min(Scroller->PosY + Scroller->PageStepY, LineCount() - 1);
  } else if (scope == 3) {
    line = key == VK_HOME ? 0 : LineCount() - 1;
  }
  int32_t column = key == VK_HOME ? first : last;
  if (scope == 3 && key == VK_END) {
    // The end of the document is the append position behind the last byte.
    int64_t index = FileSize() % PerLine();
    column = ByteToColumn(ViewMode, static_cast<int32_t>(index), hex);
  }
  SetCaret(column, line, false, extend);
}

void THexChildData::GotoOffset(int64_t offset, bool extend) {
  offset = std::clamp<int64_t>(offset, 0, FileSize());
  TColumnInfo info;
  bool hexPart = ViewMode == hvHexAndChars && (!ColumnToByte(ViewMode, Caret.Column, &info) || info.HexPart);
  int32_t line = static_cast<int32_t>(offset / PerLine());
  int32_t column = ByteToColumn(ViewMode, static_cast<int32_t>(offset % PerLine()), hexPart);
  SetCaret(column, line, false, extend);
}

void THexChildData::SelectBytes(int64_t start, int64_t end) {
  const int64_t size = FileSize();
  start = std::clamp<int64_t>(start, 0, size);
  end = std::clamp<int64_t>(end, start, size);
  GotoOffset(end, false);
  InvalidateSelection();
  SelStart = start;
  SelEnd = end;
  Anchor = start;
  InvalidateSelection();
}

void THexChildData::SetSelection(const TTextRange* range, int32_t) {
  if (!range) {
    SelectBytes(0, FileSize());
    return;
  }
  SelectBytes(static_cast<int64_t>(range->StartLine) * PerLine() + range->StartColumn,
              static_cast<int64_t>(range->EndLine) * PerLine() + range->EndColumn);
}

void THexChildData::InvalidateBytes(int64_t from, int64_t to) {
  if (!Window || to <= from) return;
  TRect client = GetClientRect(Window);
  int64_t firstLine = from / PerLine() - Scroller->PosY;
  int64_t lastLine = (to - 1) / PerLine() - Scroller->PosY;
  if (lastLine < 0 || firstLine * CharHeight > client.Bottom) return;
  int64_t top = std::max<int64_t>(firstLine, 0) * CharHeight;
  int64_t bottom = std::min<int64_t>((lastLine + 1) * CharHeight, client.Bottom);
  TRect r{0, static_cast<int32_t>(top), client.Right, static_cast<int32_t>(bottom)};
  InvalidateRect(Window, &r);
}

void THexChildData::InvalidateSelection() {
  if (HasSelection()) InvalidateBytes(SelStart, SelEnd);
}

void THexChildData::SizeChanged(int32_t, int32_t) { UpdateRanges(); }

void THexChildData::SetFont(TFont font, bool repaint) { TScrlChildData::SetFont(font, repaint); }

void THexChildData::SetColors(TColorRef text, TColorRef mark, TBrush brush, bool repaint) {
  TScrlChildData::SetColors(text, mark, brush, repaint);
  AddressColor = MarkColor;
  // Changed bytes stand out: white on black on a light background, else black on grey.
  TColorRef back = brush ? BrushColor(brush) : GetSysColor(COLOR_WINDOW);
  int32_t sum = static_cast<int32_t>(back & 0xFF) + static_cast<int32_t>((back >> 8) & 0xFF) +
                static_cast<int32_t>((back >> 16) & 0xFF);
  if (sum > 381) {
    ChangedText = MakeRgb(255, 255, 255);
    ChangedBack = MakeRgb(0, 0, 0);
  } else {
    ChangedText = MakeRgb(0, 0, 0);
    ChangedBack = MakeRgb(192, 192, 192);
  }
}

TSize THexChildData::GetCaretSize() { return {FixedPitch ? CharWidth : 3, CharHeight}; }

TPoint THexChildData::GetCaretPixelPos() {
  int64_t x = static_cast<int64_t>(Caret.Column - Scroller->PosX) * CharWidth;
  int64_t y = static_cast<int64_t>(Caret.Line - Scroller->PosY) * CharHeight;
  auto clamp32 = [](int64_t v) { return static_cast<int32_t>(std::clamp<int64_t>(v, INT32_MIN / 2, INT32_MAX / 2)); };
  return {clamp32(x), clamp32(y)};
}

TTextPos THexChildData::PixelToPos(int32_t x, int32_t y) {
  int32_t row = y >= 0 ? y / CharHeight : -((-y + CharHeight - 1) / CharHeight);
  int32_t line = static_cast<int32_t>(std::clamp<int64_t>(static_cast<int64_t>(row) + Scroller->PosY, 0, LineCount() - 1));
  int32_t column = NearestColumn(ViewMode, x + Scroller->PosX * CharWidth, CharWidth);
  return {column, line};
}

bool THexChildData::FileChangedOnDisk() {
  if (!Cache.IsOpen() || ChangeReported) return false;
  bool changed = false;
  if (NormalMode) {
    changed = Cache.ChangedOnDisk();
  } else {
    // The working copy is ours; only a missing part of it counts.
    changed = Cache.Faulted();
  }
  return changed;
}

int32_t THexChildData::Reload(bool readAgain) {
  if (!readAgain) {
    ChangeReported = true;
    return 0;
  }
  Changes.Clear();
  if (!NormalMode) {
    Cache.Close();
    DeleteFile(TempName.c_str());
    NormalMode = true;
    Overwrite = 1;
  }
  int32_t status = OpenOwnFile();
  SelStart = SelEnd = 0;
  Anchor = -1;
  UpdateRanges();
  ClampCaret();
  SetModified(false);
  InvalidateRect(Window, nullptr);
  NotifyCaret();
  return status == fcOk ? 0 : -1;
}

void THexChildData::SetReadOnly(bool on) {
  ReadOnly = on;
  if (FileName.empty() || !NormalMode || Modified) return;
  // The cache follows: a writable open needs the file opened again.
  if (Cache.IsOpen() && on != Cache.ReadOnly()) (void)OpenOwnFile();
}

void THexChildData::SetViewMode(int32_t view) {
  if (view == ViewMode) return;
  int64_t offset = std::min(CaretOffset(), FileSize());
  ViewMode = view;
  UpdateRanges();
  InvalidateRect(Window, nullptr);
  int64_t start = SelStart, end = SelEnd;
  GotoOffset(offset, false);
  if (end > start) {
    SelStart = start;
    SelEnd = end;
  }
}

void THexChildData::SetAllChars(bool on) {
  if (on == AllChars) return;
  AllChars = on;
  ShowSpecial = on;
  InvalidateRect(Window, nullptr);
}

bool THexChildData::GetLineText(int32_t line, std::string& text) {
  if (line < 0 || line >= LineCount()) return false;
  int64_t offset = static_cast<int64_t>(line) * PerLine();
  text = FormatHexLine(offset, BytesAt(offset, PerLine()), ViewMode, AllChars);
  return true;
}

intptr_t HexChildProc(TWindow window, uint32_t message, uintptr_t wParam, intptr_t lParam) {
  if (message == wm_CreateChildObject) return CreateChildObject<THexChildData>(window, lParam);
  return ChildWindowProc(window, message, wParam, lParam);
}
