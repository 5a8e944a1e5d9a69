// The loader's user interface on a terminal: status texts as lines, progress on one line
// when the output is a terminal, boxes as lines on the error stream and questions
// answered on standard input. Used without a display and with -K.
#pragma once

#include <cstdio>
#include <mutex>
#include <string>

#include "loader/actions/LoaderUi.h"

namespace krlad {

class TConsoleUi final : public TLoaderUi {
 public:
  // `out` takes status texts, `err` boxes and questions, `in` the answers.
  TConsoleUi(std::FILE* out, std::FILE* err, std::FILE* in);

  // With -Y nobody is expected at the terminal: every question is answered No.
  void SetRefuseQuestions(bool refuse) { RefuseQuestions_ = refuse; }

  void SetText(TStatusField field, std::string_view text) override;
  void ProgressStart(int32_t total) override;
  void ProgressStep(int32_t n) override;
  void ProgressHide() override;
  [[nodiscard]] int32_t ShowBox(TBoxKind kind, std::string_view text) override;
  // The calling thread waits for the worker and turns an interrupt (Ctrl+C) or a
  // termination request into a cancel.
  [[nodiscard]] int32_t RunWorker(const std::function<int32_t()>& work) override;

 private:
  void EndProgressLine();
  bool ReadLine(std::string& line);

  std::FILE* Out_;
  std::FILE* Err_;
  std::FILE* In_;
  bool OutIsTerminal_ = false;
  std::mutex Mutex_;
  int32_t Total_ = 1;  // invariant: > 0, it divides
  int32_t Percent_ = -1;
  bool ProgressLine_ = false;
  bool CaptionShown_ = false;
  bool RefuseQuestions_ = false;  // a progress line is open and must be ended first
};

// A yes/no answer typed by the user: baYes, baNo, or baOther when it is neither.
int32_t ParseAnswer(std::string_view line);

// A text of the string table for the terminal: carriage returns become line ends.
std::string ConsoleText(std::string_view text);

}  // namespace krlad
