// The regular expressions of the searches: a byte-oriented dialect of single-character
// items compiled into at most 256 bytes of code and run by a backtracking matcher.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string_view>
#include <vector>

// Instructions of the compiled code.
enum TRegExpCode : uint8_t {
  rxEnd = 0,         // end of the code, always behind rxItemEnd
  rxChar = 1,        // operand: the byte (folded when compiled case-insensitive)
  rxLineStart = 2,   // "^"
  rxLineEnd = 3,     // "$"
  rxAny = 4,         // "." or "?"
  rxClass = 5,       // "[...]": length byte (itself + members), members
  rxNotClass = 6,    // "[^...]"
  rxStar = 7,        // item, rxItemEnd: zero or more times
  rxPlus = 8,        // item, rxItemEnd: one or more times
  rxOptional = 9,    // item, rxItemEnd: zero or one time, never given back
  rxLetter = 10,     // ":a"
  rxDigit = 11,      // ":d"
  rxAlnum = 12,      // ":n"
  rxBlank = 13,      // ": " (blank or tab)
  rxRange = 14,      // class member: low, high (inclusive)
  rxItemEnd = 15     // end of a repeated item and of the pattern
};

// Compile results; every one of them means "Fehlerhafter regulärer Ausdruck!".
enum : int32_t {
  reOk = 0,
  reBadRepeat = -1,        // "*", "+" or "-" at the start, after an anchor or a repetition
  reBadNamedSet = -2,      // ":" followed by anything but a, d, n or a blank
  reColonAtEnd = -3,
  reBackslashAtEnd = -4,   // inside a class
  reOpenClass = -5,        // no closing "]"
  reClassTooLong = -6,
  reEmptyClass = -7,
  reTooLong = -10          // more than 256 bytes of code
};

struct TRegExpMatch {
  int32_t Offset = 0;
  int32_t Length = 0;
};

// One compiled pattern and its matcher. The program has one (ProgramRegExp); tests and
// long-running searches may hold their own. Used on one thread at a time.
class TRegExp {
 public:
  static constexpr size_t kCodeSize = 256;

  TRegExp();
  ~TRegExp();
  TRegExp(const TRegExp&) = delete;
  TRegExp& operator=(const TRegExp&) = delete;

  // Compiles a pattern, replacing the previous one; a failure leaves no usable pattern.
  // The string_view form takes the pattern with an explicit length, so an escaped zero
  // byte stays a literal instead of ending the pattern.
  [[nodiscard]] int32_t Compile(const char* pattern, bool caseInsensitive);
  [[nodiscard]] int32_t Compile(std::string_view pattern, bool caseInsensitive);

  bool IsCompiled() const { return Compiled_; }
  bool CaseInsensitive() const { return CaseInsensitive_; }
  const uint8_t* Code() const { return Code_.data(); }
  size_t CodeLength() const { return CodeLength_; }

  // The text is `length` bytes from `text`; a negative length means up to the first zero
  // byte. Offset 0 of the text is a line start. Both return nothing without a pattern.
  //
  // Match: the position after a match that starts at `position`, or -1.
  int32_t Match(const char* text, int32_t length, int32_t position) const;
  // The leftmost match at or after `start` (the end of the text is tried too, so "$"
  // finds it); the longest at that place that lets the rest of the pattern match.
  [[nodiscard]] bool FindForward(const char* text, int32_t length, int32_t start,
                                 TRegExpMatch* match) const;

 private:
  void Begin(const char* text, int32_t length) const;
  int32_t Run(int32_t position, size_t pc) const;
  int32_t Loop(int32_t position, size_t pc) const;
  bool MatchItem(int32_t position, size_t pc) const;
  size_t ItemSize(size_t pc) const;
  bool AtLineStart(int32_t position) const;
  bool AtLineEnd(int32_t position) const;
  // Numbers the repetitions of the code for the table of failed places.
  void IndexLoops();
  bool Failed(size_t pc, int32_t position) const;
  void MarkFailed(size_t pc, int32_t position) const;

  std::array<uint8_t, kCodeSize> Code_{};
  size_t CodeLength_ = 0;
  bool Compiled_ = false;
  bool CaseInsensitive_ = false;
  // The number of each "*" and "+" of the code by its place (kNoLoop elsewhere).
  static constexpr uint8_t kNoLoop = 0xFF;
  std::array<uint8_t, kCodeSize> LoopIndex_{};
  size_t LoopCount_ = 0;

  // The text of the running match.
  mutable const uint8_t* Text_ = nullptr;
  mutable int32_t End_ = 0;
  // Places where a repetition is known to fail in the running text: a bit per repetition
  // and text position. The result of a place depends only on the text, and a repetition
  // that failed from a place fails from every later place of the same run of its item, so
  // with every place decided at most once per repetition a search takes time in proportion
  // to text length times pattern length (patterns like "a*a*a*a*b" included). Only the
  // words set in a search are cleared for the next one. Without memory for the table the
  // matcher goes on without it (slow on such patterns, results the same).
  mutable std::vector<uint64_t> Failed_;
  mutable std::vector<size_t> Dirty_;
  mutable int64_t Stride_ = 0;
  mutable bool TableOff_ = false;
};

// The program-wide compiled pattern that the interactive searches share.
TRegExp& ProgramRegExp();
