// The compare window's model side: creation, layout, scrolling, navigation, refresh and
// the two view toggles.
#include "editor/compare/DiffChildData.h"

#include <algorithm>
#include <cstring>

#include "editor/compare/CompareRun.h"
#include "editor/compare/DiffWindows.h"
#include "editor/text/TabColumns.h"
#include "platform/profile/ProfileFile.h"
#include "platform/ui/Fonts.h"
#include "platform/ui/Mdi.h"
#include "platform/ui/MessageBox.h"
#include "platform/ui/MessageLoop.h"
#include "platform/ui/Paint.h"
#include "platform/ui/Window.h"
#include "resources/zkedit32/Strings.h"

using namespace platform;

namespace {
constexpr char kDefaultsSection[] = "CompareView";
// Characters of a line that are drawn (and counted for the horizontal range).
constexpr int32_t kDrawnCharsMax = 2000;
constexpr uint32_t kKeyF5 = VK_F1 + 4;
}  // namespace

void ReadCompareDefaults(const TProfileFile* profile, TDiffExtraData& extra) {
  if (!profile) return;
  extra.Layout = profile->ReadInt(kDefaultsSection, "Layout", extra.Layout) == 1 ? dlAboveEachOther
                                                                                 : dlSideBySide;
  extra.OnlyDifferences = profile->ReadBool(kDefaultsSection, "OnlyDiffs", extra.OnlyDifferences != 0);
}

void StoreCompareDefaults(TProfileFile* profile, const TDiffExtraData& extra) {
  if (!profile) return;
  profile->WriteInt(kDefaultsSection, "Layout", extra.Layout);
  profile->WriteBool(kDefaultsSection, "OnlyDiffs", extra.OnlyDifferences != 0);
}

void ShowCompareFailure(TWindow owner, int32_t status, const std::string& fileName) {
  std::string text;
  if (status == csCannotRead) {
    text = "Kann Datei nicht öffnen/lesen:\n\n" + fileName +
           "\n\nHinweis: Es können nur Textdateien verglichen werden!";
  } else if (status == csNoLineRecord || status == csNoMemory) {
    text = "Es sind Speicherprobleme aufgetreten. Möglicherweise sind\ndie ausgewählten Dateien "
           "zu groß für den Dateivergleich!";
  } else {
    return;
  }
  const std::string caption = std::string(LoadResString(0)) + ": " + std::string(LoadResString(24));
  MessageBox(owner, text, caption, MB_OK | MB_ICONSTOP);
}

TDiffChildData::~TDiffChildData() {
  if (OwnedFont) DeleteFont(OwnedFont);
  if (OwnedBrush) DeleteBrush(OwnedBrush);
}

bool TDiffChildData::Create(TWindow window, const TChildCreateParams& params) {
  // Only a record made as a TDiffCreateParams points to itself; a plain one (a compare
  // window created the way text windows are) must not be read beyond its end.
  if (params.SyntaxColoring != &params) return false;
  const auto& create = reinterpret_cast<const TDiffCreateParams&>(params);
  if (!create.Extra || !create.Engine || !*create.Engine) return false;
  // All taken together first: whatever fails below, the object frees them, and a caller
  // still holding the engine knows that it still owns the font and the brush.
  OwnedFont = create.OwnedFont;
  OwnedBrush = create.OwnedBrush;
  Engine = std::move(*create.Engine);
  Extra = *create.Extra;
  Profile = create.Profile;
  if (!TScrlChildData::Create(window, params)) return false;
  TabSize = std::max(create.TabSize, 1);
  CaretWanted = 0;
  // The bars are set here (UpdateBars): a page of rows counts in their range.
  Scroller->ProportionalThumb = 0;
  Scroller->HasHorzBar = 0;
  Scroller->HasVertBar = 0;
  Scroller->AutoScrollOn = 0;
  for (int pane = 0; pane < 2; ++pane) {
    Panes[pane] = CreateDiffPane(window, this, pane);
    if (!Panes[pane]) return false;
  }
  CreateSplitter();
  if (!Splitter) return false;
  RowsChanged();
  return true;
}

void TDiffChildData::CreateSplitter() {
  if (Splitter) DestroyWindow(Splitter);
  Splitter = CreateDiffSplitter(Window, this, Extra.Layout);
  Relayout();
}

void TDiffChildData::SetFont(TFont font, bool repaint) {
  TScrlChildData::SetFont(font, false);
  TabWidthPixels = CharWidth * TabSize;
  if (Panes[0] && Engine) RowsChanged();
  if (repaint) InvalidateRect(Window, nullptr);
}

void TDiffChildData::RowsChanged() {
  const TDiffRows& rows = Engine->Rows();
  TabWidthPixels = CharWidth * TabSize;
  Gutter = DiffGutterWidth(std::max(rows.HighestLine(), 0), CharWidth, FixedPitch != 0);
  // The horizontal range in columns with the tabs expanded, as far as lines are drawn.
  int32_t widest = 0;
  for (int pane = 0; pane < 2; ++pane) {
    for (const TDiffLine* line : rows.Pane(pane)) {
      if (!line || line->Length == 0) continue;
      const int32_t length = std::min(line->Length, kDrawnCharsMax);
      // Without a tab the columns are the characters; most lines take this way.
      if (std::memchr(line->Text, '\t', static_cast<size_t>(length)) == nullptr) {
        widest = std::max(widest, length);
      } else {
        widest = std::max(widest, IndexToColumn(line->Text, length, TabSize));
      }
    }
  }
  WidestColumns = widest;
  Relayout();
  RepaintPanes();
}

void TDiffChildData::Relayout() {
  if (!Window) return;
  const TRect client = GetClientRect(Window);
  Places_ = DiffPlaces(Extra.Layout, client.Width(), client.Height(), SplitterPos);
  for (int pane = 0; pane < 2; ++pane) {
    if (Panes[pane]) MoveWindow(Panes[pane], Places_.Pane[pane]);
  }
  if (Splitter) MoveWindow(Splitter, Places_.Splitter);
  UpdateRanges();
  InvalidateRect(Window, nullptr);
}

void TDiffChildData::SizeChanged(int32_t, int32_t) { Relayout(); }

void TDiffChildData::SetSplitter(int32_t pos) {
  const TRect client = GetClientRect(Window);
  const int32_t size = Extra.Layout == dlSideBySide ? client.Width() : client.Height();
  const int32_t clamped = ClampSplitter(pos, size);
  if (clamped == Places_.SplitterPos && SplitterPos != kDiffNoSplitter) return;
  SplitterPos = clamped;
  Relayout();
  RepaintPanes();
}

void TDiffChildData::UpdateRanges() {
  // Both panes scroll together: the smaller one decides what a page is.
  int32_t rows = INT32_MAX, columns = INT32_MAX;
  for (const TRect& r : Places_.Pane) {
    rows = std::min(rows, r.Height() / std::max(CharHeight, 1));
    columns = std::min(columns, (r.Width() - Gutter) / std::max(CharWidth, 1));
  }
  PageRows_ = std::max(rows, 1);
  PageColumns_ = std::max(columns, 1);
  Scroller->PageStepY = std::max(PageRows_ - 1, 1);
  Scroller->PageStepX = std::max(PageColumns_ - 1, 1);
  // Any row can be the top row, so that every difference can be scrolled to the top.
  Scroller->RangeY = std::max(RowCount() - 1, 0);
  Scroller->RangeX = std::max(WidestColumns - PageColumns_ + 1, 0);
  UpdateBars();
  ScrollTo(Scroller->PosX, Scroller->PosY);
}

void TDiffChildData::UpdateBars() {
  const uint32_t style = GetWindowStyle(Window);
  auto set = [&](int32_t bar, int32_t range, int32_t page, int32_t pos) {
    // The range holds the last page, so that the largest position is reachable.
    const int64_t top = static_cast<int64_t>(range) + page - 1;
    if (top <= kScrollBarLimit) {
      SetScrollRange(Window, bar, 0, static_cast<int32_t>(top));
      SetScrollPage(Window, bar, page);
    } else {
      SetScrollRange(Window, bar, 0, kScrollBarLimit);
      SetScrollPage(Window, bar, 0);
    }
    SetScrollPos(Window, bar, TScroller::ToBar(pos, range));
  };
  if (style & WS_VSCROLL) set(SB_VERT, Scroller->RangeY, PageRows_, Scroller->PosY);
  if (style & WS_HSCROLL) set(SB_HORZ, Scroller->RangeX, PageColumns_, Scroller->PosX);
}

void TDiffChildData::RepaintPanes() {
  for (TWindow pane : Panes) {
    if (pane) InvalidateRect(pane, nullptr);
  }
}

void TDiffChildData::ScrollTo(int32_t x, int32_t y) {
  x = std::clamp(x, 0, Scroller->RangeX);
  y = std::clamp(y, 0, Scroller->RangeY);
  const int32_t dx = Scroller->PosX - x;
  const int32_t dy = Scroller->PosY - y;
  if (dx == 0 && dy == 0) return;
  Scroller->PosX = x;
  Scroller->PosY = y;
  UpdateBars();
  for (TWindow pane : Panes) {
    if (!pane) continue;
    if (dx == 0 && dy > -PageRows_ && dy < PageRows_) {
      ScrollWindow(pane, 0, dy * CharHeight, nullptr);
    } else {
      InvalidateRect(pane, nullptr);
    }
  }
}

void TDiffChildData::ScrollBar(bool vertical, uint32_t code, int32_t thumb) {
  int32_t x = Scroller->PosX, y = Scroller->PosY;
  int32_t& pos = vertical ? y : x;
  const int32_t page = vertical ? Scroller->PageStepY : Scroller->PageStepX;
  const int32_t range = vertical ? Scroller->RangeY : Scroller->RangeX;
  switch (code) {
    case SB_LINEUP: pos -= 1; break;
    case SB_LINEDOWN: pos += 1; break;
    case SB_PAGEUP: pos -= page; break;
    case SB_PAGEDOWN: pos += page; break;
    case SB_THUMBPOSITION:
    case SB_THUMBTRACK: pos = TScroller::FromBar(thumb, range); break;
    case SB_TOP: pos = 0; break;
    case SB_BOTTOM: pos = range; break;
    default: return;
  }
  ScrollTo(x, y);
}

int32_t TDiffChildData::RowAt(int32_t y) const {
  return Scroller->PosY + std::max(y, 0) / std::max(CharHeight, 1);
}

void TDiffChildData::NextDifference() {
  const int32_t row = Engine->Rows().NextDifference(Scroller->PosY);
  if (row < 0) {
    MessageBeep(0);
    return;
  }
  ScrollTo(Scroller->PosX, row);
}

void TDiffChildData::PreviousDifference() {
  const int32_t row = Engine->Rows().PreviousDifference(Scroller->PosY);
  if (row < 0) {
    MessageBeep(0);
    return;
  }
  ScrollTo(Scroller->PosX, row);
}

void TDiffChildData::GotoTopRow() { GotoRow(-1, Scroller->PosY); }

void TDiffChildData::GotoRow(int pane, int32_t row) {
  TGotoDiffParam request = Engine->GotoRequest(row, pane);
  request.Window = Window;
  NotifyFrame(static_cast<uint32_t>(cnGotoDiff), 0, 0, &request);
}

void TDiffChildData::ReportCount() {
  NotifyFrame(static_cast<uint32_t>(cnDiffCount), Engine->Rows().DifferenceRows());
}

void TDiffChildData::Fail(int32_t status) {
  const std::string name = Engine->FailedFile() == 1 ? Extra.SecondFile : Extra.FirstFile;
  ShowCompareFailure(FrameWindow, status, name);
  // Through the client, as a closed document window goes; the object is gone afterwards.
  SendMessage(MdiClient, WM_MDIDESTROY, static_cast<uintptr_t>(Window), 0);
}

bool TDiffChildData::Refresh() {
  if (Busy) {
    MessageBeep(0);
    return true;
  }
  auto fresh = std::make_unique<TCompareEngine>();
  Busy = true;
  CancelRequested = false;
  TCompareRunHooks hooks;
  hooks.GoOn = [this] { return !CancelRequested; };
  const int32_t status = RunComparison(*fresh, Extra, Window, hooks);
  Busy = false;
  if (CloseWhenDone) {
    // The user closed the window meanwhile: whatever came out, it goes now.
    PostMessage(Window, WM_CLOSE, 0, 0);
    CloseWhenDone = false;
    return true;
  }
  if (status == csCancelled) return true;  // the last result stays
  if (status != csOk) {
    // The message names the file of the new attempt.
    Engine = std::move(fresh);
    Fail(status);
    return false;
  }
  Engine = std::move(fresh);
  RowsChanged();
  ReportCount();
  return true;
}

void TDiffChildData::ToggleLayout() {
  Extra.Layout = Extra.Layout == dlSideBySide ? dlAboveEachOther : dlSideBySide;
  StoreCompareDefaults(Profile, Extra);
  // A position along the other edge means nothing: the centre again.
  SplitterPos = kDiffNoSplitter;
  CreateSplitter();
  RepaintPanes();
}

bool TDiffChildData::ToggleOnlyDifferences() {
  Extra.OnlyDifferences = Extra.OnlyDifferences ? 0 : 1;
  StoreCompareDefaults(Profile, Extra);
  const int32_t status = Engine->SetOnlyDifferences(Extra.OnlyDifferences != 0);
  if (status != csOk) {
    Fail(status);
    return false;
  }
  Scroller->PosY = 0;
  RowsChanged();
  UpdateBars();
  RepaintPanes();
  ReportCount();
  return true;
}

int32_t TDiffChildData::KeyDown(uint32_t key, bool shift, bool ctrl) {
  if (Busy) return 0;
  const int32_t x = Scroller->PosX, y = Scroller->PosY;
  switch (key) {
    case VK_TAB:
      if (shift) {
        PreviousDifference();
      } else {
        NextDifference();
      }
      return 0;
    case VK_RETURN:
      GotoTopRow();
      return 0;
    case kKeyF5:
      Refresh();
      return 0;
    case VK_HOME:
      ScrollTo(ctrl ? x : 0, ctrl ? 0 : y);
      return 0;
    case VK_END:
      ScrollTo(ctrl ? x : Scroller->RangeX, ctrl ? std::max(RowCount() - PageRows_, 0) : y);
      return 0;
    case VK_UP: ScrollTo(x, y - 1); return 0;
    case VK_DOWN: ScrollTo(x, y + 1); return 0;
    case VK_PRIOR: ScrollTo(x, y - Scroller->PageStepY); return 0;
    case VK_NEXT: ScrollTo(x, y + Scroller->PageStepY); return 0;
    case VK_LEFT: ScrollTo(x - 1, y); return 0;
    case VK_RIGHT: ScrollTo(x + 1, y); return 0;
    default:
      return 1;
  }
}
