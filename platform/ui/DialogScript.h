// Scripted users of dialogs: answers of the common dialogs for back ends without native ones
// (the headless back end of the tests), and user actions on controls that go through the
// same input paths as keys and mice.
#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <string_view>
#include <vector>

#include "platform/ui/CommonDialogs.h"
#include "platform/ui/UiTypes.h"

namespace platform {

// The next common dialog of the kind is answered by the function, which sees the request as
// the dialog shows it and changes it as the user would (Files, FilterIndex, Checked, Format,
// Font, Color, Path); its result says whether the user confirmed. Without a queued answer
// the dialog is cancelled. A file answer the layer cannot take (a file that must exist but
// does not) makes the dialog take the next answer, as the user would try again.
void QueueFileAnswer(std::function<bool(TFileDialog&)> answer);
void QueueFolderAnswer(std::function<bool(TFolderDialog&)> answer);
void QueueFontAnswer(std::function<bool(TFontDialog&)> answer);
void QueueColorAnswer(std::function<bool(TColorDialog&)> answer);
// File dialogs shown so far in this session, as requested.
const std::vector<TFileDialog>& ShownFileDialogs();
const std::vector<TFontDialog>& ShownFontDialogs();

// User actions, posted as input: they take effect when the loop runs.
// Types UTF-8 text into the focus (characters the Windows code page lacks are skipped).
void ScriptType(std::string_view text);
// A key press with modifiers.
void ScriptKey(uint32_t virtualKey, bool shift = false, bool control = false);
// Alt together with a letter (a mnemonic).
void ScriptAltKey(char letter);
// A click at a client point of a window.
void ScriptClick(TWindow window, TPoint client, bool doubleClick = false);

// Steps run one at a time whenever a loop would wait (the headless back end's idle script),
// so a modal dialog can be driven from the test that opened it.
class TScriptSteps {
 public:
  TScriptSteps& Then(std::function<void()> step) {
    Steps_.push_back(std::move(step));
    return *this;
  }
  // Runs the next step; false when none is left.
  bool Step();
  bool Done() const { return Steps_.empty(); }

 private:
  std::deque<std::function<void()>> Steps_;
};

namespace ui_detail {
// For CommonDialogs.cpp: the scripted answer when the back end has no dialog of its own.
int32_t ScriptedFileAnswer(TFileDialog& dialog, const std::function<bool(TFileDialog&)>& check);
int32_t ScriptedFolderAnswer(TFolderDialog& dialog);
int32_t ScriptedFontAnswer(TFontDialog& dialog);
int32_t ScriptedColorAnswer(TColorDialog& dialog);
}  // namespace ui_detail

}  // namespace platform
