// How the frame and the printing side reach a document window's object by its handle.
// Every function does nothing (or answers 0, false, empty) for a window without object.
#pragma once

#include <cstdint>
#include <string>

#include "editor/text/ScrlChildData.h"
#include "platform/ui/UiTypes.h"

constexpr size_t kChildWindowTextMax = 260;

uint8_t ChildKind(platform::TWindow window);
std::string ChildFileName(platform::TWindow window);
// The caption, at most 260 characters.
std::string ChildWindowText(platform::TWindow window);
int32_t ChildLoad(platform::TWindow window);
int32_t ChildReload(platform::TWindow window, bool readAgain);
// Saves with the writability check on.
int32_t ChildSave(platform::TWindow window, const std::string& fileName, int32_t format,
                  bool makeBackup);
int32_t ChildSaveSelection(platform::TWindow window, const std::string& fileName,
                           int32_t format);
void ChildSetReadOnly(platform::TWindow window, bool on);
// Puts the caret on (line, column) and keeps the line off the last two lines of the page.
void ChildGoto(platform::TWindow window, int32_t line, int32_t column, bool extend);
void ChildGotoStart(platform::TWindow window);
void ChildGotoEnd(platform::TWindow window);
void ChildSelectAll(platform::TWindow window);

bool ChildHasSelection(platform::TWindow window);
bool ChildCanUndo(platform::TWindow window);
bool ChildCanRedo(platform::TWindow window);
bool ChildCanCut(platform::TWindow window);
bool ChildCanCopy(platform::TWindow window);
bool ChildCanPaste(platform::TWindow window);
bool ChildCanDelete(platform::TWindow window);
void ChildUndo(platform::TWindow window);
void ChildRedo(platform::TWindow window);
void ChildCut(platform::TWindow window);
void ChildCopy(platform::TWindow window);
void ChildPaste(platform::TWindow window);
void ChildDelete(platform::TWindow window);
bool ChildFileChangedOnDisk(platform::TWindow window);

void ChildSetFont(platform::TWindow window, platform::TFont font);
void ChildSetColors(platform::TWindow window, platform::TColorRef text, platform::TColorRef mark,
                    platform::TBrush brush);
platform::TFont ChildGetFont(platform::TWindow window);
void ChildSetShowSpecial(platform::TWindow window, bool on);
void ChildSetDosMode(platform::TWindow window, bool on);
bool ChildModified(platform::TWindow window);
bool ChildOverwrite(platform::TWindow window);
bool ChildReadOnly(platform::TWindow window);
bool ChildDosMode(platform::TWindow window);
bool ChildShowSpecial(platform::TWindow window);
bool ChildFixedPitch(platform::TWindow window);

// The printing side pulls line texts through this pair.
struct TLineTextCallback {
  TScrlChildData* Object = nullptr;
  bool (*Fetch)(TScrlChildData* object, int32_t line, std::string& text) = nullptr;
  bool operator()(int32_t line, std::string& text) const {
    return Object && Fetch && Fetch(Object, line, text);
  }
};
TLineTextCallback ChildLineCallback(platform::TWindow window);
