// Compile, transfer question and program starts shared by velwcomp and the plug-in.
#include "compiler/standalone/FrontEnd.h"

#include <sys/stat.h>

#include <cerrno>

#include "compiler/core/Charset.h"
#include "compiler/core/Compile.h"
#include "compiler/standalone/StatusDialog.h"
#include "platform/process/CommandLine.h"
#include "platform/process/Process.h"
#include "platform/ui/MessageBox.h"
#include "resources/velcomp/Strings.h"

using namespace platform;

namespace {

std::string Text(uint32_t number, const std::vector<std::string>& args) {
  return Cp1252ToUtf8(FormatVelText(vsVelComp + number, args));
}

std::string Caption() { return std::string(LoadVelString(vsVelComp, vcBoxCaption)); }

}  // namespace

TProgramStarter RealProgramStarter() {
  return [](const std::string& commandLine, std::string* reason) {
    TStartedProgram started;
    const int32_t status = StartProgram(commandLine, &started);
    if (status == ssStarted) return true;
    if (reason) *reason = StartErrorReason(status == ssEmptyCommand ? ENOENT : started.Error);
    return false;
  };
}

bool StartOrReport(TWindow owner, const TProgramStarter& start, const std::string& commandLine) {
  std::string reason;
  if (start(commandLine, &reason)) return true;
  const std::vector<std::string> args = SplitCommandLine(commandLine);
  const std::string program = args.empty() ? commandLine : ResolveProgramName(args[0]);
  (void)MessageBox(owner, Text(vcStartFailed, {program, reason}), Caption(),
                   MB_OK | MB_ICONSTOP);
  return false;
}

uint32_t RecordKBytes(uint64_t bytes, bool atLeastOne) {
  const uint64_t kb = bytes / 1000;
  if (atLeastOne && kb == 0) return 1;
  return static_cast<uint32_t>(kb > UINT32_MAX ? UINT32_MAX : kb);
}

std::string LoaderCommandLine(const std::string& programDir, int32_t comPort,
                              const std::string& record) {
  return QuoteArgument(programDir + "/krladwin32.exe") + " -" + std::to_string(comPort + 1) +
         " " + QuoteArgument("-I" + record);
}

std::string EditorCommandLine(const std::string& editor, const std::string& file, int32_t line) {
  std::string out = QuoteArgument(editor);
  if (line > 0) out += " /L" + std::to_string(line);
  return out + " " + QuoteArgument(file);
}

TCompileOutcome CompileWithStatus(TWindow owner, const TCompileJob& job, TMessageList& messages) {
  VELCompilerMld dialog(messages);
  const bool shown = dialog.Create(owner);
  TCompileOutcome outcome;
  outcome.Result = VelCompile(job.Source.c_str(), job.Definition.c_str(), job.Driver.c_str(),
                              nullptr, job.DataMemory,
                              shown ? VELCompilerMld::Progress : nullptr,
                              shown ? &dialog : nullptr, job.Record.c_str(), messages);
  outcome.Cancelled = dialog.Cancelled();
  dialog.Close();
  return outcome;
}

bool AskAndTransfer(TWindow owner, const TProgramStarter& start, bool atLeastOneKByte,
                    const std::string& programDir, int32_t comPort, const std::string& record) {
  struct stat st {};
  if (::stat(record.c_str(), &st) != 0) return false;
  const uint32_t kb = RecordKBytes(static_cast<uint64_t>(st.st_size), atLeastOneKByte);
  if (MessageBox(owner, Text(vcTransferQuestion, {std::to_string(kb)}), Caption(),
                 MB_YESNO | MB_ICONQUESTION) != IDYES) {
    return false;
  }
  return StartOrReport(owner, start, LoaderCommandLine(programDir, comPort, record));
}
