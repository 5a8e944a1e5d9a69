// Records and numbers between the frame and its document windows: the creation record,
// the notification record and codes, the framework's messages and the window kinds.
#pragma once

#include <cstddef>
#include <cstdint>

#include "platform/gfx/LogFont.h"
#include "platform/ui/UiTypes.h"

// Messages of the framework.
constexpr uint32_t wm_ChildNotify = platform::WM_USER + 101;        // 1125, to the frame
constexpr uint32_t wm_CreateChildObject = platform::WM_USER + 120;  // 1144, during WM_CREATE
constexpr uint32_t wm_FileLoaded = platform::WM_USER + 130;         // 1154, from the loader

// Codes of wm_ChildNotify (wParam); lParam points to a TChildNotify.
constexpr uint32_t cnDestroyed = 102;  // posted; lParam is the child's handle, no record
constexpr uint32_t cnActivated = 103;
constexpr uint32_t cnQueryClose = 104;  // answer 0 keeps the window open
constexpr uint32_t cnDosModeChanged = 105;
constexpr uint32_t cnRightButton = 106;
constexpr uint32_t cnModifiedChanged = 107;

// Window kinds.
constexpr uint8_t wkNone = 0;
constexpr uint8_t wkEdit = 1;
constexpr uint8_t wkHex = 2;
constexpr uint8_t wkGrep = 3;
constexpr uint8_t wkDiff = 4;

// Timer of the mouse drag and its period.
constexpr uintptr_t kDragTimerId = 100;
constexpr uint32_t kDragTimerPeriodMs = 4;

#pragma pack(push, 1)
// Filled by the frame, read once in WM_CREATE; pointers are borrowed for that call only.
struct TChildCreateParams {
  platform::TWindow FrameWindow;
  platform::TWindow MdiClient;
  uint8_t Kind;
  const char* FileName;
  platform::TFont Font;
  platform::TColorRef TextColor;  // 0xFFFFFFFF: the system window-text colour
  platform::TColorRef MarkColor;
  platform::TBrush Background;
  int32_t MarginWidth;
  uint8_t ReadOnly;
  uint8_t DosMode;
  uint8_t DragDrop;
  int32_t TabWidth;
  uint8_t IndividualTabs;
  const int32_t* TabStops;
  int32_t TabStopCount;
  uint8_t FreeCaret;
  uint8_t ColumnBlock;
  uint8_t LineNumbers;
  uint8_t LineEndMode;
  uint8_t KeepLocked;
  uint8_t AutoIndent;
  uint8_t TypingReplacesSelection;
  uint8_t RemoveTrailingBlanks;
  uint8_t TabInsertsSpaces;
  uint8_t WordWrap;
  uint8_t WrapAtWindowEdge;
  int32_t WrapColumn;
  uint8_t NulAsSpace;
  const void* SyntaxColoring;
  uint8_t ClipLongLines;
  uint8_t ShowSpecial;
};

// Zero-filled before use; fields a code does not use stay zero.
struct TChildNotify {
  platform::TWindow Child;
  uint8_t Kind;
  int32_t Value1;
  int32_t Value2;
  const void* Data;
};
#pragma pack(pop)

constexpr size_t kPtr = sizeof(void*);
static_assert(sizeof(TChildCreateParams) == 4 + 4 + 1 + kPtr + 4 * 5 + 3 + 4 + 1 + kPtr + 4 +
                                                11 + 4 + 1 + kPtr + 2);
static_assert(offsetof(TChildCreateParams, Kind) == 8);
static_assert(offsetof(TChildCreateParams, FileName) == 9);
static_assert(offsetof(TChildCreateParams, ReadOnly) == 9 + kPtr + 20);
static_assert(offsetof(TChildCreateParams, ShowSpecial) == sizeof(TChildCreateParams) - 1);
static_assert(sizeof(TChildNotify) == 4 + 1 + 4 + 4 + kPtr);
static_assert(offsetof(TChildNotify, Value1) == 5);
static_assert(offsetof(TChildNotify, Data) == 13);
