// velwcomp: compiles one VEL source into its data record ("ved") and message file ("err").
// With a display it shows its dialogs; with -B or without a display it runs in batch mode:
// no dialogs, messages on standard error, exit status 1 on errors.
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <exception>
#include <string>
#include <vector>

#include "compiler/core/Charset.h"
#include "compiler/core/Compile.h"
#include "compiler/core/FileImage.h"
#include "compiler/core/MessageList.h"
#include "compiler/standalone/MessageFile.h"
#include "compiler/standalone/Options.h"
#include "platform/file/FileOps.h"
#include "platform/file/SettingsPath.h"
#include "resources/velcomp/Strings.h"

#ifdef ZK_VELWCOMP_WINDOW
#include "compiler/standalone/CompilerSettings.h"
#include "compiler/standalone/DialogFlow.h"
#include "platform/qt/QtBackend.h"
#include "platform/ui/UiSystem.h"
#endif

namespace {

// The file's bytes; "" when it cannot be read (the compile then says why).
std::string ReadAll(const std::string& name) {
  std::string bytes;
  if (!ReadFileBytes(name.c_str(), bytes)) bytes.clear();
  return bytes;
}

// The status display on a terminal: driver and definition versions once, then the
// percentage on one line that is rewritten in place.
struct TStatusDisplay {
  int32_t Shown = -1;
};

int32_t ShowStatus(VELSTATUS* status) {
  auto* display = static_cast<TStatusDisplay*>(status->Owner);
  if (display->Shown < 0) {
    std::fputs(Cp1252ToUtf8(FormatVelText(1102, {status->DriverVersion})).c_str(), stderr);
    std::fputs(Cp1252ToUtf8(FormatVelText(1103, {status->ConfigVersion})).c_str(), stderr);
  }
  if (status->Percent != display->Shown) {
    display->Shown = status->Percent;
    std::fputs(Cp1252ToUtf8(FormatVelText(1101, {std::to_string(status->Percent)})).c_str(),
               stderr);
  }
  return 0;
}

[[maybe_unused]] bool HasDisplay() {
  for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) {
    const char* value = std::getenv(name);
    if (value && *value) return true;
  }
  return false;
}

int Run(int argc, char** argv) {
  const std::string programDir = platform::ProgramDirectory();
  TVelwcompOptions options = ParseArguments(std::vector<std::string>(argv + 1, argv + argc));
  if (options.Source.empty())
    options.Source = FirstNonOptionLine(ReadAll(programDir + "/velwcomp.cfg"));
  if (options.Source.empty()) {
    std::fprintf(stderr,
                 "Aufruf: velwcomp QUELLE[.vel] [-TTreiber] [-RkB] [-EEditor] [-B]\n");
    return 2;
  }
  const std::string source = ReplaceExtension(options.Source, "vel");
  // An unreadable source is for the compile to report.
  (void)ReadSourceOptionsOfFile(source, options);
  const std::string record = ReplaceExtension(source, "ved");
  const std::string messageFile = ReplaceExtension(source, "err");
  const std::string definition = programDir + "/ZIRE.CFG";
  const std::string driver = options.Driver.value_or("");

#ifdef ZK_VELWCOMP_WINDOW
  if (!options.Batch && HasDisplay()) {
    TVelwcompJob job;
    job.ProgramDir = programDir;
    job.Editor = options.Editor.value_or(programDir + "/zkedit32.exe");
    job.MessageFile = messageFile;
    job.SettingsPath = CompilerSettingsPath("velwcomp");
    job.Compile = {source, definition, driver, DataMemoryBytes(options), record};
    platform::InitUi(std::make_unique<platform::TQtBackend>());
    const int32_t code = RunVelwcompDialogs(job);
    platform::ShutdownUi();
    return code;
  }
#endif

  TMessageList messages;
  TStatusDisplay display;
  const bool terminal = isatty(STDERR_FILENO) != 0;
  const int32_t result = VelCompile(source.c_str(), definition.c_str(), driver.c_str(), nullptr,
                                    DataMemoryBytes(options), terminal ? ShowStatus : nullptr,
                                    &display, record.c_str(), messages);
  if (display.Shown >= 0) std::fputc('\n', stderr);
  if (!WriteMessageFile(messageFile, messages)) {
    const std::string text = FormatVelText(vsVelComp + vcNotWritten, {messageFile});
    std::fprintf(stderr, "velwcomp: %s\n", Cp1252ToUtf8(text).c_str());
  }
  const std::string text = Cp1252ToUtf8(FormatMessageFile(messages));
  std::fputs(text.c_str(), stderr);
  return result == kCompileOk ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
  // Failures are status codes everywhere below; anything thrown all the same (memory) ends
  // the run as a failed compile rather than an abort.
  try {
    return Run(argc, argv);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "velwcomp: %s\n", e.what());
  } catch (...) {
    std::fputs("velwcomp: ?\n", stderr);
  }
  return 1;
}
