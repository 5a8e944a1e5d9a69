// The single pass over the source: tokens to labels, data lists, braces and command macros.
#include "compiler/core/Compile.h"

#include <algorithm>
#include <string>

#include "compiler/core/Block.h"
#include "compiler/core/Definition.h"
#include "compiler/core/Finish.h"
#include "compiler/core/Source.h"
#include "platform/file/FileOps.h"

std::string ReplaceExtension(const std::string& name, const char* extension) {
  const size_t slash = name.find_last_of("/\\");
  const size_t dot = name.rfind('.');
  const bool hasExtension = dot != std::string::npos && (slash == std::string::npos || dot > slash);
  return (hasExtension ? name.substr(0, dot) : name) + "." + extension;
}

std::string ReadDefinitionVersion(const char* definition) {
  TMessageList messages;
  TVelReporter reporter(messages);
  DestinationData output;
  MarkerMemo markers(reporter, output);
  DefinitionData definitions(reporter, markers, output);
  if (!definitions.Load(definition, nullptr)) return {};
  return definitions.ConfigVersionText();
}

namespace {

class TCompilation {
 public:
  TCompilation(TMessageList& messages, uint32_t dataMemory, TVelProgress progress, void* owner)
      : Reporter_(messages),
        Source_(Reporter_),
        Markers_(Reporter_, Output_),
        Definitions_(Reporter_, Markers_, Output_),
        Blocks_(Markers_, Output_),
        DataMemory_(dataMemory),
        Progress_(progress),
        Owner_(owner) {}

  int32_t Run(const char* source, const char* definition, const char* driver,
              const char* listing, const char* output);

 private:
  bool ReportProgress(bool done = false);
  void Command(const std::string& word);
  void DataList(bool afterName);
  void Label(const std::string& word);

  TVelReporter Reporter_;
  SourceData Source_;
  DestinationData Output_;
  MarkerMemo Markers_;
  DefinitionData Definitions_;
  BlockHandle Blocks_;
  uint32_t DataMemory_;
  TVelProgress Progress_;
  void* Owner_;
  size_t Filled_ = kMaxParameters;  // parameter slots that may hold a parameter
};

bool TCompilation::ReportProgress(bool done) {
  if (Progress_ == nullptr) return true;
  VELSTATUS status;
  const int32_t lines = Source_.LineCount();
  status.Percent = lines == 0 || done
                       ? 100
                       : static_cast<int32_t>(int64_t{Source_.Line()} * 100 / lines);
  if (status.Percent > 100) status.Percent = 100;
  status.DriverVersion = Definitions_.DriverVersionText().c_str();
  status.ConfigVersion = Definitions_.ConfigVersionText().c_str();
  status.Owner = Owner_;
  return Progress_(&status) == 0;
}

void TCompilation::Command(const std::string& word) {
  Blocks_.BeforeCommand(Definitions_.BlockPending);
  // Only the slots the last command filled can hold anything: macros merely mark parameters
  // as consumed.
  for (size_t slot = 0; slot < Filled_; ++slot) Definitions_.Parameters[slot].Clear();
  Filled_ = 0;
  bool ok = true;
  for (size_t slot = 0; slot < Definitions_.Parameters.size(); ++slot) {
    const int32_t delimiter = Source_.Next(lcParameters);
    if (delimiter == kEndOfFile || delimiter == kBadDelimiter) {
      ok = false;
      break;
    }
    if (!Source_.Token().empty()) {
      Filled_ = slot + 1;
      ParameterData& p = Definitions_.Parameters[slot];
      if (ParseParameterText(Source_.Token(), &p)) {
        p.Unconsumed = true;
      } else {
        p.Clear();
        Reporter_.ReportAtLine(msgParamSyntax);
        ok = false;
      }
    }
    if (delimiter == ')') break;
  }
  if (!ok || !Definitions_.RunCommandMacro(word)) return;
  for (size_t slot = 0; slot < Filled_; ++slot)
    if (const ParameterData& p = Definitions_.Parameters[slot]; p.Present() && p.Unconsumed) {
      Reporter_.ReportAtLine(msgParamCount);
      break;
    }
}

void TCompilation::DataList(bool afterName) {
  if (afterName) {
    (void)Source_.Next(lcIndex);
    return;
  }
  for (;;) {
    const int32_t delimiter = Source_.Next(lcDataList);
    const std::string& token = Source_.Token();
    uint32_t number = 0;
    bool written = true;
    if (!token.empty() && token[0] == '"')
      written = Output_.Write(token.data() + 1, token.size() - 1);
    else if (ParseVelNumber(token, &number))
      written = Output_.WriteNumber(number, 2);
    else if (delimiter != kEndOfFile && delimiter != kBadDelimiter)
      Reporter_.ReportAtLine(msgParamSyntax);
    if (!written) Reporter_.Report(msgWriteError, {Output_.Name()});
    if (delimiter != ',') return;
  }
}

void TCompilation::Label(const std::string& word) {
  if (word.empty()) {  // ":" alone would define the open block's end
    Reporter_.ReportAtLine(msgSyntax);
    return;
  }
  Markers_.Define(word, segCode, Output_.Position(), 0);
}

int32_t TCompilation::Run(const char* source, const char* definition, const char* driver,
                          const char* listing, const char* output) {
  if (source == nullptr || *source == '\0') {
    Reporter_.Report(msgNoSource);
    return kCompileFailed;
  }
  // A failed compile never leaves a record behind, not even one of an earlier run.
  const std::string outputName =
      output != nullptr && *output != '\0' ? std::string(output) : ReplaceExtension(source, "dat");
  auto fail = [&](uint32_t id, std::vector<std::string> args) {
    Reporter_.Report(id, std::move(args));
    platform::DeleteFile(outputName.c_str());
    return kCompileFailed;
  };
  // A source that cannot be read is the first thing to say: no other setting helps then.
  if (!Source_.Open(source)) return fail(msgOpenFailed, {source});
  // Labels, the hidden symbols of blocks and the macros' own symbols come to nearly one for
  // every two lines, references to a little more than one per line. Room that stays unused
  // costs address space only.
  const auto lines = std::min<size_t>(static_cast<size_t>(Source_.LineCount()), size_t{1} << 24);
  Markers_.Reserve(lines / 2 + 64, lines + lines / 4 + 64);
  if (definition == nullptr || *definition == '\0') return fail(msgNoConfig, {});
  if (driver == nullptr || *driver == '\0') return fail(msgNoDriver, {});
  if (const uint32_t status = Output_.Create(outputName); status != 0) {
    Reporter_.Report(status, {outputName});
    Output_.Discard();
    return kCompileFailed;
  }
  // A record is mostly smaller than its source; untouched room costs address space only.
  const int64_t recordGuess = std::min<int64_t>(Source_.Size(), DestinationData::kMaxBytes);
  Output_.Reserve(static_cast<size_t>(recordGuess) + 4096);
  if (!Definitions_.Load(definition, driver)) {
    Output_.Discard();
    return kCompileFailed;
  }

  bool go = ReportProgress();
  while (go) {
    const int32_t delimiter = Source_.Next(lcTop);
    if (delimiter == kEndOfFile) break;
    const std::string word = Source_.Token();
    switch (delimiter) {
      case '(': Command(word); break;
      case ':': Label(word); break;
      case '[': DataList(!word.empty()); break;
      case '{': Blocks_.Open(Definitions_.BlockPending); break;
      case '}': Blocks_.Close(Definitions_.BlockPending, Reporter_); break;
      default: break;
    }
    go = ReportProgress();
  }
  // A source that could not be read to its end must not give a record of its beginning.
  if (Source_.ReadFailed()) Reporter_.Report(msgReadError, {source});
  if (Blocks_.Depth() != 0) Reporter_.Report(msgBlockBalance);
  const int32_t codeStart = Definitions_.ReadDriverEntry(8);
  const bool kept = FinishCompilation(Markers_, Output_, Reporter_, codeStart < 0 ? 0 : codeStart,
                                      DataMemory_, listing);
  (void)ReportProgress(true);  // the last token may stand before trailing blank lines
  return kept ? kCompileOk : kCompileFailed;
}

}  // namespace

int32_t VelCompile(const char* source, const char* definition, const char* driver,
                   const char* listing, uint32_t dataMemory, TVelProgress progress, void* owner,
                   const char* output, TMessageList& messages) {
  TCompilation compilation(messages, dataMemory, progress, owner);
  return compilation.Run(source, definition, driver, listing, output);
}
