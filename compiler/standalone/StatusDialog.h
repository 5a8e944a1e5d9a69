// The status dialog "VEL Compilerstatus" shown while a compile runs on the window thread:
// the compiler's progress callback lets the dialog's messages run, updates the gauge, the
// counts and the info line, and asks the compile to stop once "Abbruch" was pressed.
#pragma once

#include <cstdint>

#include "compiler/core/Compile.h"
#include "compiler/core/MessageList.h"
#include "platform/ui/UiTypes.h"

class VELCompilerMld {
 public:
  // `messages` is the list the compile fills; its counts are shown.
  explicit VELCompilerMld(const TMessageList& messages) : Messages_(messages) {}
  ~VELCompilerMld();
  VELCompilerMld(const VELCompilerMld&) = delete;
  VELCompilerMld& operator=(const VELCompilerMld&) = delete;

  // False when the dialog could not be made (the compile then runs without it).
  bool Create(platform::TWindow owner);
  void Close();
  platform::TWindow Window() const { return Window_; }

  // The compiler's progress callback; VELSTATUS::Owner is this dialog.
  static int32_t Progress(VELSTATUS* status);
  bool Cancelled() const { return Cancelled_; }
  int32_t Percent() const { return Percent_; }

 private:
  static intptr_t Proc(platform::TWindow dialog, uint32_t message, uintptr_t wParam,
                       intptr_t lParam);
  int32_t Update(const VELSTATUS& status);

  const TMessageList& Messages_;
  platform::TWindow Window_ = 0;
  bool Cancelled_ = false;
  int32_t Percent_ = -1;
  int32_t Errors_ = -1;
  int32_t Warnings_ = -1;
  bool InfoShown_ = false;
};
