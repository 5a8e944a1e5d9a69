// The hex editor window's object: a file shown byte by byte as offset, hex codes and
// characters (or characters only), edited in place through a change list (normal mode) or
// on a temporary copy that can also grow and shrink (extended mode).
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "editor/hex/Changes.h"
#include "editor/hex/FileCache.h"
#include "editor/hex/HexLayout.h"
#include "editor/search/BufferSearch.h"
#include "editor/text/ScrlChildData.h"

// Notifications of the hex window (wm_ChildNotify codes).
constexpr uint32_t cnHexCaretMoved = 401;  // Value1 offset (-1 past the end), Value2 byte
constexpr uint32_t cnHexModeChanged = 402;  // Value1 1 extended, 0 normal
constexpr uint32_t cnHexAskSave = 403;      // Data: THexSaveQuestion; answer 1, 0 or -1

// The record of code 403: the frame fills in the backup option when it answers yes.
struct THexSaveQuestion {
  uint8_t Backup = 0;
};

// Status of an open refused for its size (beyond kHexMaxFileSize).
constexpr int32_t kHexTooLarge = fcTooLarge;

class THexChildData : public TScrlChildData {
 public:
  THexChildData() = default;
  ~THexChildData() override;

  // Framework slots.
  bool Create(platform::TWindow window, const TChildCreateParams& params) override;
  int32_t LoadFile() override;
  int32_t Reload(bool readAgain) override;
  int32_t Save(const std::string& fileName, bool selectionOnly, int32_t format, bool makeBackup,
               bool checkWritable) override;
  void SetReadOnly(bool on) override;
  void SetCaret(int32_t column, int32_t line, bool screenColumn, bool extend) override;
  void MoveCaretBy(int32_t columns, int32_t lines, bool extend) override;
  void MoveCaretTo(uint32_t key, int32_t scope, bool extend) override;
  void SetColors(platform::TColorRef text, platform::TColorRef mark, platform::TBrush brush,
                 bool repaint) override;
  void SetSelection(const TTextRange* range, int32_t mode) override;
  bool HasSelection() override { return SelEnd > SelStart; }
  bool CanUndo() override;
  bool CanCut() override;
  bool CanCopy() override { return HasSelection(); }
  bool CanPaste() override;
  bool CanDelete() override;
  void Undo() override;
  void Cut() override;
  void Copy() override;
  void Paste() override;
  void Delete() override;
  bool FileChangedOnDisk() override;
  void Paint(platform::TCanvas& dc, const platform::TRect& update) override;
  void PaintLine(platform::TCanvas& dc, int32_t x, int32_t line, int32_t y) override;
  void SizeChanged(int32_t width, int32_t height) override;
  void SetFont(platform::TFont font, bool repaint) override;
  platform::TSize GetCaretSize() override;
  platform::TPoint GetCaretPixelPos() override;
  TTextPos PixelToPos(int32_t x, int32_t y) override;
  int32_t KeyDown(uint32_t key, bool shift, bool ctrl) override;
  int32_t KeyChar(uint8_t character) override;
  bool GetLineText(int32_t line, std::string& text) override;

  // The document.
  int64_t FileSize() const { return Cache.IsOpen() ? Cache.Size() : 0; }
  // The byte as shown: through the change list in normal mode.
  uint8_t ByteAt(int64_t offset) const;
  // Up to `count` bytes from `offset` as shown.
  std::string BytesAt(int64_t offset, int64_t count) const;
  int32_t PerLine() const { return BytesPerLine(ViewMode); }
  int32_t LineCount() const;
  // The byte offset under the caret (may be the size or beyond on the last line).
  int64_t CaretOffset() const;
  // The offset for the status bar and code 401: -1 when the caret is past the end.
  int64_t StatusOffset() const;
  bool Extended() const { return !NormalMode; }
  bool CacheReadOnly() const { return !Cache.IsOpen() || Cache.ReadOnly(); }

  // Caret on a byte (in the part the caret is in); extend grows the selection to it.
  void GotoOffset(int64_t offset, bool extend);
  // The selection as offsets [start, end).
  void SelectBytes(int64_t start, int64_t end);

  // Modes and views.
  // Switches normal <-> extended; false (nothing changed) when it is not allowed, was
  // cancelled, or the copy could not be made.
  bool ToggleMode();
  void SetViewMode(int32_t view);
  void SetAllChars(bool on);

  // Editing. Each false (with nothing changed) when it is not possible.
  // Extended mode: `count` bytes of `fill` at `offset` (at most the size).
  bool InsertBytes(int64_t offset, int64_t count, uint8_t fill);
  // Extended mode: up to `count` bytes from `offset`, cut at the end of the file.
  bool DeleteBytes(int64_t offset, int64_t count);
  // n bytes at `offset` become `bytes`: normal mode only for the same length, inside the
  // file; extended mode grows or shrinks first.
  bool ReplaceRange(int64_t offset, int64_t n, std::string_view bytes);

  // Saving: the selected block to a file of its own (0, -3, -10).
  int32_t SaveBlock(const std::string& fileName);
  int32_t SaveAs(const std::string& fileName);
  int32_t SaveHere(bool makeBackup);

  TFileCache Cache;
  TChanges Changes;
  std::string TempName;
  bool NormalMode = true;
  // The temporary copy was made or taken by this window (and goes when it closes).
  bool TempOwned = false;
  int32_t ViewMode = hvHexAndChars;
  bool AllChars = false;
  int64_t SelStart = 0;  // invariant: SelStart <= SelEnd
  int64_t SelEnd = 0;
  int64_t Anchor = -1;  // the fixed end of a selection being extended, -1 none
  platform::TColorRef AddressColor = 0;
  platform::TColorRef ChangedText = 0;
  platform::TColorRef ChangedBack = 0;
  int32_t LoadStatus = 0;
  // The file changed on disk and the user has been told (no second question for it).
  bool ChangeReported = false;
  // The search runs with the memory of its last hit.
  TBufferSearch Search;
  int64_t LastHit = -1;

 private:
  int32_t OpenOwnFile();
  void UpdateRanges();
  void NotifyCaret();
  void InvalidateBytes(int64_t from, int64_t to);
  void InvalidateSelection();
  void ScrollToCaret();
  void ClampCaret();
  void AfterStructureChange();
  bool OpenTemporaryCopy();
  void ReopenAfterUndo();
  int32_t CopyFileTo(const std::string& target) const;
  void SetTitle(const std::string& name);
  void DrawCells(platform::TCanvas& dc, int32_t x, int32_t y, std::string_view text,
                 int32_t firstColumn);
};

// The class procedure of "ZKEditHexWin".
intptr_t HexChildProc(platform::TWindow window, uint32_t message, uintptr_t wParam,
                      intptr_t lParam);

// The hex object of a window, null for other windows.
THexChildData* HexChild(platform::TWindow window);

// The temporary copy's name: the extension of `fileName` replaced by ".~ZK".
std::string HexTemporaryName(const std::string& fileName);
// The message for a file beyond the size limit.
std::string HexTooLargeMessage(const std::string& fileName);
