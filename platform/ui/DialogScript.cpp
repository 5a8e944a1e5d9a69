// Queued answers of the common dialogs, kept with the session, and scripted input.
#include "platform/ui/DialogScript.h"

#include <memory>

#include "platform/ui/CodePages.h"
#include "platform/ui/ControlState.h"
#include "platform/ui/Input.h"
#include "platform/ui/UiState.h"
#include "platform/ui/Window.h"

namespace platform {

namespace ui_detail {

struct TDialogScriptState {
  std::deque<std::function<bool(TFileDialog&)>> File;
  std::deque<std::function<bool(TFolderDialog&)>> Folder;
  std::deque<std::function<bool(TFontDialog&)>> Font;
  std::deque<std::function<bool(TColorDialog&)>> Color;
  std::vector<TFileDialog> ShownFiles;
  std::vector<TFontDialog> ShownFonts;
};

namespace {

TDialogScriptState* Script() {
  TUiState* s = State();
  if (!s) return nullptr;
  if (!s->DialogScript) s->DialogScript = std::make_shared<TDialogScriptState>();
  return s->DialogScript.get();
}

template <typename T>
int32_t Answer(std::deque<std::function<bool(T&)>>& queue, T& dialog) {
  if (queue.empty()) return 0;
  auto answer = std::move(queue.front());
  queue.pop_front();
  return answer(dialog) ? 1 : 0;
}

}  // namespace

int32_t ScriptedFileAnswer(TFileDialog& dialog, const std::function<bool(TFileDialog&)>& check) {
  TDialogScriptState* s = Script();
  if (!s) return 0;
  s->ShownFiles.push_back(dialog);
  while (!s->File.empty()) {
    TFileDialog attempt = dialog;
    if (Answer(s->File, attempt) == 0) return 0;
    if (check(attempt)) {
      dialog = std::move(attempt);
      return 1;
    }
  }
  return 0;
}

int32_t ScriptedFolderAnswer(TFolderDialog& dialog) {
  TDialogScriptState* s = Script();
  return s ? Answer(s->Folder, dialog) : 0;
}

int32_t ScriptedFontAnswer(TFontDialog& dialog) {
  TDialogScriptState* s = Script();
  if (!s) return 0;
  s->ShownFonts.push_back(dialog);
  return Answer(s->Font, dialog);
}

int32_t ScriptedColorAnswer(TColorDialog& dialog) {
  TDialogScriptState* s = Script();
  return s ? Answer(s->Color, dialog) : 0;
}

}  // namespace ui_detail

using namespace ui_detail;

void QueueFileAnswer(std::function<bool(TFileDialog&)> answer) {
  if (TDialogScriptState* s = Script()) s->File.push_back(std::move(answer));
}
void QueueFolderAnswer(std::function<bool(TFolderDialog&)> answer) {
  if (TDialogScriptState* s = Script()) s->Folder.push_back(std::move(answer));
}
void QueueFontAnswer(std::function<bool(TFontDialog&)> answer) {
  if (TDialogScriptState* s = Script()) s->Font.push_back(std::move(answer));
}
void QueueColorAnswer(std::function<bool(TColorDialog&)> answer) {
  if (TDialogScriptState* s = Script()) s->Color.push_back(std::move(answer));
}

const std::vector<TFileDialog>& ShownFileDialogs() {
  static const std::vector<TFileDialog> kNone;
  TDialogScriptState* s = Script();
  return s ? s->ShownFiles : kNone;
}

const std::vector<TFontDialog>& ShownFontDialogs() {
  static const std::vector<TFontDialog> kNone;
  TDialogScriptState* s = Script();
  return s ? s->ShownFonts : kNone;
}

void ScriptType(std::string_view text) {
  for (char32_t ch : ctl_detail::DecodeUtf8(text)) {
    int32_t byte = UnicodeToCp1252(ch);
    if (byte >= 0) InputChar(static_cast<uint8_t>(byte));
  }
}

void ScriptKey(uint32_t virtualKey, bool shift, bool control) {
  if (shift) InputKey(VK_SHIFT, true);
  if (control) InputKey(VK_CONTROL, true);
  InputKey(virtualKey, true);
  InputKey(virtualKey, false);
  if (control) InputKey(VK_CONTROL, false);
  if (shift) InputKey(VK_SHIFT, false);
}

void ScriptAltKey(char letter) {
  InputKey(VK_MENU, true);
  InputChar(static_cast<uint8_t>(letter));
  InputKey(VK_MENU, false);
}

void ScriptClick(TWindow window, TPoint client, bool doubleClick) {
  InputMouse(window, WM_LBUTTONDOWN, client);
  InputMouse(window, WM_LBUTTONUP, client);
  if (doubleClick) {
    InputMouse(window, WM_LBUTTONDBLCLK, client);
    InputMouse(window, WM_LBUTTONUP, client);
  }
}

bool TScriptSteps::Step() {
  if (Steps_.empty()) return false;
  auto step = std::move(Steps_.front());
  Steps_.pop_front();
  step();
  return true;
}

}  // namespace platform
