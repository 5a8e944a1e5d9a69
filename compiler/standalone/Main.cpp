// velwcomp: compiles one VEL source into its data record ("ved") and message file ("err").
// Runs in batch mode: no dialogs, messages on standard error, exit status 1 on errors.
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "compiler/core/Charset.h"
#include "compiler/core/Compile.h"
#include "compiler/standalone/MessageFile.h"
#include "compiler/standalone/Options.h"
#include "platform/file/SettingsPath.h"

namespace {

std::string ReadAll(const std::string& name) {
  std::ifstream in(name, std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

}  // namespace

int main(int argc, char** argv) {
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
  ReadSourceOptions(ReadAll(source), options);
  const std::string record = ReplaceExtension(source, "ved");
  const std::string messageFile = ReplaceExtension(source, "err");
  const std::string definition = programDir + "/ZIRE.CFG";
  const std::string driver = options.Driver.value_or("");

  TMessageList messages;
  const int32_t result = VelCompile(source.c_str(), definition.c_str(), driver.c_str(), nullptr,
                                    DataMemoryBytes(options), nullptr, nullptr, record.c_str(),
                                    messages);
  if (!WriteMessageFile(messageFile, messages))
    std::fprintf(stderr, "velwcomp: %s\n", Cp1252ToUtf8(messageFile).c_str());
  const std::string text = Cp1252ToUtf8(FormatMessageFile(messages));
  std::fputs(text.c_str(), stderr);
  return result == kCompileOk ? 0 : 1;
}
