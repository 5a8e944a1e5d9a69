// velwcomp with a display: the port dialog, the compile under the status dialog, the
// message file, then the editor after any message or the loader after the transfer question.
#pragma once

#include <cstdint>
#include <string>

#include "compiler/standalone/FrontEnd.h"

struct TVelwcompJob {
  std::string ProgramDir;  // where krladwin32 is
  std::string Editor;      // the -E program, default zkedit32.exe beside velwcomp
  std::string MessageFile;
  std::string SettingsPath;
  TCompileJob Compile;
  TProgramStarter Start = RealProgramStarter();
};

// Runs the dialogs on the window layer already set up; the exit code of the program:
// 0 closed without compiling or compiled without errors, 1 errors or cancelled.
int32_t RunVelwcompDialogs(const TVelwcompJob& job);
