// The VEL source and its lexer: one token per call, in one of four contexts.
#pragma once

#include <cstdint>
#include <string>

#include "compiler/core/Parameter.h"
#include "compiler/core/Reporter.h"
#include "compiler/core/SourceText.h"

// Lexer contexts.
constexpr int32_t lcTop = 0;        // commands, labels, lists, braces
constexpr int32_t lcParameters = 1; // inside "( )"
constexpr int32_t lcIndex = 2;      // inside "[ ]" after a name
constexpr int32_t lcDataList = 3;   // inside "[ ]" of a data list

constexpr int32_t kEndOfFile = -1;
constexpr int32_t kBadDelimiter = 0;

class SourceData {
 public:
  explicit SourceData(TVelReporter& reporter) : Reporter_(reporter) {}

  // Opens the file (CR LF pairs count as one line feed: the file is text); false when it
  // cannot be opened or read. The text is read in chunks of at most `chunkSize` bytes.
  [[nodiscard]] bool Open(const char* name, size_t chunkSize = TSourceText::kChunkSize);
  void Assign(std::string text);
  // Bytes of the source, for estimates: the file's size, or the assigned text's.
  int64_t Size() const { return Text_.Size(); }
  // Number of line feeds in the file.
  int32_t LineCount() const { return Text_.LineFeeds(); }
  // Line of the last token character read, from 0.
  int32_t Line() const { return Reporter_.Line; }
  // True when the file could not be read to its end (the tokens stop early).
  bool ReadFailed() const { return Text_.ReadFailed(); }

  // Reads a token; returns its delimiter character, kBadDelimiter after a syntax error
  // (message 200), or kEndOfFile. A string token keeps its opening quote.
  int32_t Next(int32_t context);
  const std::string& Token() const { return Token_; }

 private:
  int Peek() {
    return Text_.Need(1) ? static_cast<unsigned char>(Text_.Data()[Text_.Pos]) : -1;
  }
  void Advance();
  void SkipSpace();
  void SkipComment();
  bool ReadString();
  bool ReadWord(int32_t context);

  TVelReporter& Reporter_;
  TSourceText Text_;
  int32_t PosLine_ = 0;  // line of the read position
  std::string Token_;
};

// A number of a parameter or data list: starts with a digit or "+", trailing "h" hex or "b"
// binary, below 65536, nothing else behind it.
bool ParseVelNumber(std::string_view text, uint32_t* value);

// Parses one parameter text (blanks removed) into name, kind, offset and bit. False for a
// malformed text (message 105 is the caller's).
bool ParseParameterText(std::string_view text, ParameterData* parameter);
