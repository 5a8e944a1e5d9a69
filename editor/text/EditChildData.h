// The text editor window: a text view whose document changes through an editing engine,
// with its file on disk, typing, word wrap and the block commands of the Edit menu.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "editor/search/SyntaxColorInfo.h"
#include "editor/search/SyntaxColoring.h"
#include "editor/text/Editor.h"
#include "editor/text/TextChildData.h"
#include "platform/core/MessageSink.h"
#include "platform/file/File.h"

// Notification codes of the editor window.
constexpr uint32_t cnInsertModeChanged = 302;  // Value1: 1 insert, 0 overwrite
constexpr uint32_t cnDropChoice = 310;         // answer 0 cancel, 1 copy, 2 move

// Result of Save when the window's own file changed on disk since it was loaded or saved:
// nothing was written; the frame asks the user and may save again with
// OverwriteChangedFile set.
constexpr int32_t kSaveChangedOnDisk = -11;
// Result of InsertFile when an insertion failed.
constexpr int32_t kInsertFileFailed = 1000;
constexpr int32_t kInsertFileChunk = 32000;

enum TCaseConversion : uint8_t { ccUpper, ccLower, ccToggle, ccCapitalize };

struct TSortOptions {
  bool Descending = false;
  bool CaseSensitive = false;
  bool ByMarkedColumns = false;
};

struct TFormatOptions {
  bool AtWindowEdge = false;  // else after Columns columns
  int32_t Columns = 72;
  bool MarkedLines = false;  // else the whole document
  bool JoinLines = false;
};

class TEditChildData : public TTextChildData, private platform::TMessageSink {
 public:
  TEditChildData();
  ~TEditChildData() override;

  bool Create(platform::TWindow window, const TChildCreateParams& params) override;
  int32_t LoadFile() override;
  int32_t Reload(bool readAgain) override;
  int32_t Save(const std::string& fileName, bool selectionOnly, int32_t format, bool makeBackup,
               bool checkWritable) override;
  void SetReadOnly(bool on) override;
  bool CanUndo() override;
  bool CanRedo() override;
  bool CanCut() override;
  bool CanPaste() override;
  bool CanDelete() override;
  void Undo() override;
  void Redo() override;
  void Cut() override;
  void Paste() override;
  void Delete() override;
  bool FileChangedOnDisk() override;
  void PaintLine(platform::TCanvas& dc, int32_t x, int32_t line, int32_t y) override;
  int32_t KeyDown(uint32_t key, bool shift, bool ctrl) override;
  int32_t KeyChar(uint8_t character) override;
  void PaintLineVisiblePart(platform::TCanvas& dc, int32_t line, int32_t y) override;

  // Commands of the Edit menu.
  void ShiftBlockRight();
  void ShiftBlockLeft();
  void ConvertCase(TCaseConversion kind);
  void ConvertCharset(bool toDos);
  void TabsToSpaces();
  void RemoveEmptyLines();
  void SortLines(const TSortOptions& options);
  void FormatText(const TFormatOptions& options);
  // Inserts text (lines separated by CR LF) at the caret like a paste.
  void InsertTextAtCaret(std::string_view text);
  // 0, -1 cannot open, -2 read error, -6 a NUL byte, -10 memory, 1000 insertion failed.
  int32_t InsertFile(const char* fileName, int32_t chunkSize = kInsertFileChunk);
  // Opens or closes the lock; false when the lock could not be taken.
  bool SetKeepLocked(bool on);
  // Null removes the colouring.
  void SetSyntaxColoring(const TSyntaxColorInfo* info);
  // Replaces `count` characters at (line, column); with moveCaret the caret goes behind.
  bool ReplaceAt(int32_t line, int32_t column, int32_t count, std::string_view text,
                 bool moveCaret);

  // The editor side of drag and drop. DragStarting: whether a press at (x, y) lies in the
  // selection, where a drag starts. DropText: the dropped text at (x, y); `choose` asks
  // the frame (code 310); `fromSelf` when this window is the drag source. Returns the
  // effect: 0 none, 1 copied, 2 moved (the source need not delete any more when the move
  // stayed in this window, which the result 3 says).
  bool DragStarting(int32_t x, int32_t y);
  int32_t DropText(int32_t x, int32_t y, std::string_view text, bool choose, bool move,
                   bool fromSelf);
  // The drag that this window started has ended with a move to another window.
  void DragEndedWithMove();
  // Drags the selection with copy and move allowed; returns the effect.
  uint32_t StartDrag();
  // Registers the window as a drop target (on) or revokes it.
  void SetDropTarget(bool on);
  // Where a drag over the window would put its text: the caret stands at the text position
  // under (x, y) until HideDropPoint puts it back to the document's caret.
  void ShowDropPoint(int32_t x, int32_t y);
  void HideDropPoint();

  // The engine's notifications (wm_LineChange, wm_BookmarkChange).
  void LineChanging(int32_t line, bool before);
  void BookmarkChanging(int32_t number);

  std::unique_ptr<TEditor> Editor;
  std::unique_ptr<TSyntaxColorInfo> ColorInfo;
  std::unique_ptr<TSyntaxColoring> Coloring;
  uint8_t KeepLocked = 0;
  int32_t LockHandle = -2;  // -2 never opened, -1 not open, else the handle
  platform::TFileTime FileDate;
  int64_t FileSize = 0;
  uint8_t FileRecorded = 0;  // date and size are known
  uint8_t TabsAsSpaces = 0;
  uint8_t AutoIndent = 0;
  uint8_t TypingReplacesSelection = 0;
  uint8_t TrimOnSave = 0;
  uint8_t WordWrap = 0;
  uint8_t WrapWin = 0;
  int32_t WrapCol = 72;
  uint8_t ConvertNuls = 0;
  uint8_t DragDrop = 0;
  uint8_t DropTargetRegistered = 0;
  uint8_t DragSourceActive = 0;
  uint8_t DropMoveDone = 0;  // a drag of ours was moved inside this window by the drop
  uint8_t DropPointShown = 0;  // the caret stands at DropPoint for a drag over the window
  TTextPos DropPoint;
  // Set by the frame after the user agreed to overwrite a file changed on disk.
  uint8_t OverwriteChangedFile = 0;

  // Helpers of the editor's files.
  // Deletes or removes the selection before typing; true when a deletion was recorded
  // (the following insertion is linked to it).
  bool PrepareTyping();
  void DeleteSelection(bool group);
  void TypeChar(uint8_t ch, bool linked);
  // The break limit of word wrap and formatting as a character index in `line`.
  int32_t BreakLimitIndex(int32_t line, int32_t columns, bool atWindowEdge);
  void AfterEdit(int32_t firstLine, bool severalLines);
  // Records the file's date and size (and locks again); false when they cannot be read.
  bool RecordFileState();
  void CloseLock();

 private:
  intptr_t SendMsg(uint32_t message, uintptr_t wParam, intptr_t lParam) override;
  void KeyEnter();
  void KeyBackspace(bool ctrl);
  void KeyDelete(bool ctrl);
  void ToggleInsert();
  void DeleteCaretLine();
  void DrawColored(platform::TCanvas& dc, int32_t x, int32_t origin, int32_t line, int32_t from,
                   int32_t to, int32_t y);
  void DrawSpecial(platform::TCanvas& dc, int32_t origin, int32_t line, int32_t from, int32_t to,
                   int32_t y);
  std::vector<uint8_t> SavedStates_;  // start states of the lines below a changing line
  int32_t CountBefore_ = 0;
};

// The class procedure of "ZKEditEditWin".
intptr_t EditChildProc(platform::TWindow window, uint32_t message, uintptr_t wParam,
                       intptr_t lParam);
