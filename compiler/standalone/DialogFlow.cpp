// The dialog flow of velwcomp.
#include "compiler/standalone/DialogFlow.h"

#include "compiler/core/Charset.h"
#include "compiler/core/Compile.h"
#include "compiler/standalone/MessageFile.h"
#include "compiler/standalone/PortDialog.h"
#include "platform/ui/MessageBox.h"
#include "resources/velcomp/Strings.h"

int32_t RunVelwcompDialogs(const TVelwcompJob& job) {
  TCompilerSettings settings = LoadCompilerSettings(job.SettingsPath);
  int32_t exitCode = 0;
  auto compile = [&](platform::TWindow dialog, TPortChoice choice) {
    // The port is stored before the compile, whatever its outcome.
    (void)SaveCompilerSettings(job.SettingsPath, settings);
    TMessageList messages;
    const TCompileOutcome outcome = CompileWithStatus(dialog, job.Compile, messages);
    exitCode = outcome.Result == kCompileOk && !outcome.Cancelled ? 0 : 1;
    const bool written = WriteMessageFile(job.MessageFile, messages);
    if (!written) {
      // Otherwise the editor would show an old or no message file as if it were this run's.
      (void)platform::MessageBox(
          dialog, Cp1252ToUtf8(FormatVelText(vsVelComp + vcNotWritten, {job.MessageFile})),
          LoadVelString(vsVelComp, vcBoxCaption), platform::MB_OK | platform::MB_ICONSTOP);
    }
    if (!messages.Items().empty()) {
      // Any message, warnings too: the user reads them in the editor, and nothing is sent.
      if (written) (void)StartOrReport(dialog, job.Start, EditorCommandLine(job.Editor, job.MessageFile));
      return;
    }
    if (outcome.Cancelled || outcome.Result != kCompileOk || choice != pcCompileTransfer) return;
    (void)AskAndTransfer(dialog, job.Start, true, job.ProgramDir, settings.ComPort,
                         job.Compile.Record);
  };
  (void)VELCompilerDialog::Run(0, settings, compile);
  return exitCode;
}
