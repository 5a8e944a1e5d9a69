// Reads arbitrary bytes as a VEL source from a file in small chunks and compares every
// token, delimiter, line and message with reading the same text whole: chunk ends, also one
// between the CR and LF of a line end, must not show in what the lexer sees. The first byte
// chooses the chunk size, the second the order of lexer contexts.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "compiler/core/Reporter.h"
#include "compiler/core/Source.h"
#include "fuzz/FuzzScratch.h"

namespace {

// Every token with its delimiter and line, then the messages and the line count.
std::string Lex(SourceData& source, TMessageList& list, uint8_t seed) {
  std::string out;
  for (int32_t i = 0; i < 200000; ++i) {
    const int32_t delimiter = source.Next((seed + i * 7) % 4);
    out += source.Token() + "|" + std::to_string(delimiter) + "@" +
           std::to_string(source.Line()) + "\n";
    if (delimiter == kEndOfFile || delimiter == kBadDelimiter) break;
  }
  for (const auto& message : list.Items()) out += message.Text + "\n";
  return out + std::to_string(source.LineCount());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 2) return 0;
  const size_t chunk = 1 + data[0] % 64;
  const uint8_t seed = data[1];
  static const std::string file = FuzzScratchFile("chunks.vel");
  FuzzWriteFile(file, data + 2, size - 2);

  TMessageList wholeList;
  TVelReporter wholeReporter{wholeList};
  SourceData whole{wholeReporter};
  whole.Assign(std::string(reinterpret_cast<const char*>(data + 2), size - 2));

  TMessageList chunkedList;
  TVelReporter chunkedReporter{chunkedList};
  SourceData chunked{chunkedReporter};
  if (!chunked.Open(file.c_str(), chunk)) std::abort();
  if (Lex(whole, wholeList, seed) != Lex(chunked, chunkedList, seed)) std::abort();
  if (chunked.ReadFailed()) std::abort();
  return 0;
}
