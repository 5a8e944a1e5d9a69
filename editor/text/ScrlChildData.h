// The object behind every document window: common data and the virtual operations in slot
// order that the frame and the common window procedure call.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "editor/text/ChildTypes.h"
#include "editor/text/Scroller.h"
#include "editor/text/TextTypes.h"
#include "platform/ui/Canvas.h"
#include "platform/ui/UiTypes.h"

class TScrlChildData {
 public:
  TScrlChildData() = default;
  virtual ~TScrlChildData() = default;
  TScrlChildData(const TScrlChildData&) = delete;
  TScrlChildData& operator=(const TScrlChildData&) = delete;

  // Slots 0..36.
  virtual bool Create(platform::TWindow window, const TChildCreateParams& params);
  virtual int32_t LoadFile();
  virtual int32_t Reload(bool readAgain);
  virtual int32_t Save(const std::string& fileName, bool selectionOnly, int32_t format,
                       bool makeBackup, bool checkWritable);
  virtual void SetReadOnly(bool on);
  virtual void SetCaret(int32_t column, int32_t line, bool screenColumn, bool extend);
  virtual void MoveCaretBy(int32_t columns, int32_t lines, bool extend);
  // key: VK_HOME or VK_END; scope 1 line, 2 page, 3 document.
  virtual void MoveCaretTo(uint32_t key, int32_t scope, bool extend);
  virtual void SetColors(platform::TColorRef text, platform::TColorRef mark,
                         platform::TBrush brush, bool repaint);
  // Null selects everything; mode 0 keeps the caret at the end, 1 and 2 as the text view says.
  virtual void SetSelection(const TTextRange* range, int32_t mode);
  virtual bool HasSelection();
  virtual bool CanUndo();
  virtual bool CanRedo();
  virtual bool CanCut();
  virtual bool CanCopy();
  virtual bool CanPaste();
  virtual bool CanDelete();
  virtual void Undo();
  virtual void Redo();
  virtual void Cut();
  virtual void Copy();
  virtual void Paste();
  virtual void Delete();
  virtual bool FileChangedOnDisk();
  virtual void Paint(platform::TCanvas& dc, const platform::TRect& update);
  virtual void PaintLine(platform::TCanvas& dc, int32_t x, int32_t line, int32_t y);
  virtual void SizeChanged(int32_t width, int32_t height);
  virtual void SetModified(bool on);
  virtual void SetFont(platform::TFont font, bool repaint);
  virtual platform::TSize GetCaretSize();
  virtual void ShowCaret(bool on);
  virtual platform::TPoint GetCaretPixelPos();
  virtual TTextPos PixelToPos(int32_t x, int32_t y);
  // 0 handled, 1 not.
  virtual int32_t KeyDown(uint32_t key, bool shift, bool ctrl);
  virtual int32_t KeyChar(uint8_t character);
  virtual void DoubleClick(int32_t x, int32_t y);
  virtual bool GetLineText(int32_t line, std::string& text);

  // Repaints and tells the frame (105) when the value changes.
  void SetDosMode(bool on);
  // Repaints when the value changes.
  void SetShowSpecial(bool on);
  // Sends wm_ChildNotify with a zero-filled record to the frame; the frame's answer.
  intptr_t NotifyFrame(uint32_t code, int32_t value1 = 0, int32_t value2 = 0,
                       const void* data = nullptr);

  uint8_t ConstructionFailed = 0;
  platform::TWindow Window = 0;
  platform::TWindow FrameWindow = 0;
  platform::TWindow MdiClient = 0;
  uint8_t Kind = wkNone;
  std::string FileName;
  platform::TFont Font = 0;
  uint8_t FixedPitch = 1;
  platform::TColorRef TextColor = 0;
  platform::TColorRef MarkColor = 0;
  platform::TBrush Background = 0;
  int32_t CharWidth = 8;
  int32_t CharHeight = 16;
  TTextPos Caret;
  uint8_t CaretWanted = 1;
  std::unique_ptr<TScroller> Scroller;
  int32_t MarginWidth = 0;
  uint8_t Modified = 0;
  uint8_t Overwrite = 0;
  uint8_t ReadOnly = 0;
  uint8_t DosMode = 0;
  uint8_t ShowSpecial = 0;
  TTextRange Selection;
  uint8_t AltKeySeen = 0;
  uint8_t IgnoreNextMouseMove = 0;

  // State of a mouse drag (the common window procedure's).
  uint8_t DragTimerRunning = 0;
  uint8_t DragTimerTicked = 0;

 private:
  int32_t ScrollKey(uint32_t key, bool ctrl);
};

// Creates an object of kind T for wm_CreateChildObject (lParam: the TCreateStruct of
// WM_CREATE); errors set the construction-failed flag instead of escaping.
template <class T>
intptr_t CreateChildObject(platform::TWindow window, intptr_t createStruct) {
  auto* cs = reinterpret_cast<const platform::TCreateStruct*>(createStruct);
  if (!cs || !cs->CreateParams) return 0;
  T* object = nullptr;
  try {
    object = new T();
    if (!object->Create(window, *static_cast<const TChildCreateParams*>(cs->CreateParams))) {
      object->ConstructionFailed = 1;
    }
  } catch (...) {
    if (!object) return 0;
    object->ConstructionFailed = 1;
  }
  return reinterpret_cast<intptr_t>(static_cast<TScrlChildData*>(object));
}
