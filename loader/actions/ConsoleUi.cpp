// The loader on a terminal.
#include "loader/actions/ConsoleUi.h"

#include "loader/actions/TextIds.h"
#include "loader/link/Link.h"

#include <poll.h>
#include <pthread.h>
#include <signal.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <thread>

namespace krlad {
namespace {

std::string_view FieldLabel(TStatusField field) {
  switch (field) {
    case sfAction: return "Aktion: ";
    case sfConnectedTo: return "Angeschlossen an: ";
    case sfPort: return "Schnittstelle: ";
    case sfSpeed: return "Geschwindigkeit: ";
    case sfStatus: break;
  }
  return "";
}

// Wakes the waiting thread once the worker is done.
constexpr int kWorkerDoneSignal = SIGUSR1;
constexpr int kAnswerPollMs = 100;
constexpr size_t kAnswerMax = 64;

}  // namespace

std::string ConsoleText(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r') {
      if (i + 1 < text.size() && text[i + 1] == '\n') continue;
      out += '\n';
    } else {
      out += text[i];
    }
  }
  while (!out.empty() && (out.back() == '\n' || out.back() == ' ')) out.pop_back();
  return out;
}

int32_t ParseAnswer(std::string_view line) {
  while (!line.empty() && std::isspace(static_cast<unsigned char>(line.back()))) line.remove_suffix(1);
  while (!line.empty() && std::isspace(static_cast<unsigned char>(line.front()))) line.remove_prefix(1);
  std::string word;
  for (char c : line) word += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  if (word == "j" || word == "ja" || word == "y" || word == "yes") return baYes;
  if (word == "n" || word == "nein" || word == "no") return baNo;
  return baOther;
}

TConsoleUi::TConsoleUi(std::FILE* out, std::FILE* err, std::FILE* in)
    : Out_(out), Err_(err), In_(in), OutIsTerminal_(::isatty(::fileno(out)) == 1) {}

void TConsoleUi::EndProgressLine() {
  if (!ProgressLine_) return;
  std::fputc('\n', Out_);
  ProgressLine_ = false;
}

void TConsoleUi::SetText(TStatusField field, std::string_view text) {
  std::lock_guard lock(Mutex_);
  EndProgressLine();
  if (!CaptionShown_) {
    // The window's caption, once the run has something to show.
    CaptionShown_ = true;
    std::fprintf(Out_, "%s\n", FormatText(idsCaption, kLoaderVersion).c_str());
  }
  std::string line(FieldLabel(field));
  line += ConsoleText(text);
  std::fprintf(Out_, "%s\n", line.c_str());
  std::fflush(Out_);
}

void TConsoleUi::ProgressStart(int32_t total) {
  std::lock_guard lock(Mutex_);
  Total_ = total > 0 ? total : 1;
  Percent_ = -1;
}

void TConsoleUi::ProgressStep(int32_t n) {
  std::lock_guard lock(Mutex_);
  const int32_t percent = static_cast<int32_t>(std::min<int64_t>(100, int64_t{n} * 100 / Total_));
  // Only a terminal gets the moving line; a log file would fill up with it.
  if (!OutIsTerminal_ || percent == Percent_) return;
  Percent_ = percent;
  std::fprintf(Out_, "\r%3d %%", static_cast<int>(percent));
  std::fflush(Out_);
  ProgressLine_ = true;
}

void TConsoleUi::ProgressHide() {
  std::lock_guard lock(Mutex_);
  EndProgressLine();
  Percent_ = -1;
}

// Unbuffered, so that a cancel is seen while the user has not answered yet.
bool TConsoleUi::ReadLine(std::string& line) {
  const int fd = ::fileno(In_);
  for (;;) {
    if (Cancelled()) return false;
    pollfd p{fd, POLLIN, 0};
    const int ready = ::poll(&p, 1, kAnswerPollMs);
    if (ready < 0 && errno != EINTR) return false;
    if (ready <= 0) continue;
    char c = 0;
    const ssize_t n = ::read(fd, &c, 1);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    if (c == '\n') return true;
    if (line.size() < kAnswerMax) line += c;
  }
}

int32_t TConsoleUi::ShowBox(TBoxKind kind, std::string_view text) {
  std::unique_lock lock(Mutex_);
  EndProgressLine();
  std::fflush(Out_);
  std::string caption(BoxCaption(kind));
  std::fprintf(Err_, "%s: %s\n", caption.c_str(), ConsoleText(text).c_str());
  if (kind != TBoxKind::Question) {
    std::fflush(Err_);
    return baOk;
  }
  if (RefuseQuestions_) {
    std::fputs("[j/n] n\n", Err_);
    std::fflush(Err_);
    return baNo;
  }
  for (;;) {
    std::fputs("[j/n] ", Err_);
    std::fflush(Err_);
    std::string line;
    if (!ReadLine(line)) {
      // Nobody to answer, or the user cancelled: the safe answer, which never
      // overwrites or repeats.
      std::fputc('\n', Err_);
      return baNo;
    }
    const int32_t answer = ParseAnswer(line);
    if (answer != baOther) return answer;
  }
}

int32_t TConsoleUi::RunWorker(const std::function<int32_t()>& work) {
  sigset_t signals;
  sigemptyset(&signals);
  sigaddset(&signals, SIGINT);
  sigaddset(&signals, SIGTERM);
  sigaddset(&signals, SIGHUP);
  sigaddset(&signals, kWorkerDoneSignal);
  sigset_t previous;
  pthread_sigmask(SIG_BLOCK, &signals, &previous);  // the worker inherits the mask

  const pthread_t waiter = pthread_self();
  int32_t result = 0;
  std::thread worker([&] {
    result = work();
    pthread_kill(waiter, kWorkerDoneSignal);
  });
  for (;;) {
    int signal = 0;
    if (sigwait(&signals, &signal) != 0) continue;
    if (signal == kWorkerDoneSignal) break;
    UserCancel();  // shown by the worker once its current wait has ended
  }
  worker.join();
  pthread_sigmask(SIG_SETMASK, &previous, nullptr);
  return result;
}

}  // namespace krlad
