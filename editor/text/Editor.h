// The editing engine of one editor window: every change of a document goes through it.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>
#include <vector>

#include "editor/text/TextLines.h"
#include "editor/text/TextTypes.h"
#include "editor/text/UndoStack.h"
#include "platform/core/MessageSink.h"
#include "platform/core/Messages.h"

// Sent to the window before (wParam 1) and after (wParam 0) line lParam changes.
constexpr uint32_t wm_LineChange = platform::WM_USER + 150;
// Sent before and after bookmark wParam (0..9) moves or is removed; lParam 0.
constexpr uint32_t wm_BookmarkChange = platform::WM_USER + 160;

struct TBookmark {
  int32_t Line = -1;  // (-1, -1) = not set
  int32_t Column = -1;
  bool IsSet() const { return Line >= 0; }
  friend bool operator==(const TBookmark&, const TBookmark&) = default;
};
constexpr int32_t kBookmarkCount = 10;
using TBookmarks = std::array<TBookmark, kBookmarkCount>;

// The program-wide switch that decides whether operations record undo entries, notify
// the window and move bookmarks. Compound operations switch it off around the basic
// operations they use and record one entry of their own.
bool UndoRecording();
void SetUndoRecording(bool on);

// Switches recording off for its lifetime and on again afterwards (not back to what it
// was: compound operations never nest).
class TRecordingOff {
 public:
  TRecordingOff() { SetUndoRecording(false); }
  ~TRecordingOff() { SetUndoRecording(true); }
  TRecordingOff(const TRecordingOff&) = delete;
  TRecordingOff& operator=(const TRecordingOff&) = delete;
};

// What an undo or redo did, for the window to place the caret and repaint.
struct TUndoResult {
  int32_t FirstLine = 0;    // smallest line changed (2,147,483,647 when none)
  int32_t FirstColumn = 0;  // its column, at most the line's length
  bool SeveralLines = false;
  int32_t CaretColumn = 0;
  int32_t CaretLine = 0;
};

class TEditor {
 public:
  // Neither the window, the bookmarks nor the lines are owned.
  TEditor(platform::TMessageSink* window, TBookmarks* bookmarks, TTextLines* lines);
  TEditor(const TEditor&) = delete;
  TEditor& operator=(const TEditor&) = delete;

  // Each returns the new length of the line, or -1 (nothing changed) for a line that
  // does not exist or exhausted memory. `group` becomes the entry's Linked flag.

  // The text holds no line end; a column beyond the line's end is reached with spaces.
  int32_t InsertText(int32_t line, int32_t column, bool group, std::string_view text);
  int32_t InsertChar(int32_t line, int32_t column, bool group, char ch);
  // Deletes up to `count` characters at the column (clipped to the line's end).
  int32_t DeleteText(int32_t line, int32_t column, bool caretStays, bool group, int32_t count);
  int32_t DeleteChar(int32_t line, int32_t column, bool caretStays, bool group);
  // Replaces up to `count` characters at the column by the text.
  int32_t ReplaceText(int32_t line, int32_t column, bool group, std::string_view text,
                      int32_t count);
  int32_t OverwriteChar(int32_t line, int32_t column, bool group, char ch);

  // Inserts text whose lines are separated by CR LF. Returns the longest resulting line
  // length, or a negative code: -1 a line too long, -2 too many line ends, -3 memory
  // (nothing changed), or -1 for a line that does not exist.
  int32_t InsertBlock(int32_t line, int32_t column, int32_t* endLine, int32_t* endColumn,
                      bool group, bool columnMode, std::string_view text);
  // Deletes a range (a column block in column mode, processed from the caret's side).
  // Returns the longest resulting line length, or -1.
  int32_t DeleteRange(int32_t caretLine, int32_t caretColumn, bool caretAtStart, bool group,
                      bool columnMode, const TTextRange& range);
  // Removes blanks and TABs at the end of every line; records nothing. True when a line
  // changed.
  bool RemoveTrailingBlanks();

  bool CanUndo() const { return !Undo_.IsEmpty(); }
  bool CanRedo() const { return !Redo_.IsEmpty(); }
  // False when an inverse operation failed: what was applied before stays applied.
  bool Undo(TUndoResult* result);
  bool Redo(TUndoResult* result);

  const TUndoStack& UndoStack() const { return Undo_; }
  const TUndoStack& RedoStack() const { return Redo_; }
  TTextLines& Lines() { return *Lines_; }

 private:
  bool ApplyStack(TUndoStack& stack, TUndoResult* result);
  void Record(uint8_t kind, int32_t startLine, int32_t startColumn, int32_t endLine,
              int32_t endColumn, std::string_view text, bool columnMode, bool linked);
  void NotifyLine(int32_t line, bool before);
  void PutLine(int32_t line, TLineText text);
  void MoveBookmark(int32_t index, int32_t line, int32_t column);
  void BookmarksInserted(int32_t firstLine, int32_t firstColumn, int32_t lastLine,
                         int32_t lastColumn);
  void BookmarksDeleted(int32_t firstLine, int32_t firstColumn, int32_t lastLine,
                        int32_t lastColumn);
  int32_t InsertColumnBlock(int32_t line, int32_t column, bool group,
                            const std::vector<std::string_view>& parts);
  int32_t InsertLineBlock(int32_t line, int32_t column, bool group, bool columnMode,
                          const std::vector<std::string_view>& parts);
  int32_t DeleteColumnBlock(int32_t caretLine, int32_t caretColumn, bool caretAtStart, bool group,
                            const TTextRange& range);
  int32_t DeleteLines(bool caretAtStart, bool group, const TTextRange& range);

  platform::TMessageSink* Window_;
  TBookmarks* Bookmarks_;
  TTextLines* Lines_;
  TUndoStack Undo_;
  TUndoStack Redo_;
  TUndoStack* Target_;
  bool Undoing_ = false;
  bool Redoing_ = false;
};
