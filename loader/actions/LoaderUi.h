// What the loader needs of its user interface: the status fields and progress of the
// link, message and question boxes, and the thread arrangement. The console and the
// status window implement it; only the cancel flag is shared between their thread and
// the worker.
#pragma once

#include <cstdint>
#include <functional>
#include <string_view>

#include "loader/LoaderBoxes.h"
#include "loader/actions/MessageList.h"
#include "loader/link/LinkStatus.h"

namespace krlad {

// Caption of a box of this kind, from the string table.
std::string_view BoxCaption(TBoxKind kind);

class TLoaderUi : public TLinkStatus {
 public:
  // Collected; the runner shows them as boxes when the action ends.
  void Message(char kind, uint32_t id, std::string_view text) final { Messages_.Add(kind, id, text); }
  TMessageList& Messages() { return Messages_; }

  // Shows a box and waits for the answer: baOk for errors and warnings, baYes or baNo
  // for questions (baOther when the box could not be answered).
  [[nodiscard]] virtual int32_t ShowBox(TBoxKind kind, std::string_view text) = 0;

  // Runs `work` on one worker thread while this thread serves the user (painting,
  // "Abbruch", closing); returns what `work` returned.
  [[nodiscard]] virtual int32_t RunWorker(const std::function<int32_t()>& work) = 0;

  // "Abbruch" or closing while the worker runs: report 1002 and raise the cancel flag.
  void UserCancel();

 private:
  TMessageList Messages_;
};

}  // namespace krlad
