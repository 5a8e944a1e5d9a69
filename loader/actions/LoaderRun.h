// One run of the loader: both passes over the command line, then every action in order
// with the retry question after a failure. Runs on the worker thread.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "loader/actions/Actions.h"
#include "loader/actions/CommandLine.h"
#include "loader/actions/DriverFile.h"
#include "loader/actions/LoaderUi.h"
#include "loader/link/Link.h"
#include "platform/serial/ComPort.h"

namespace krlad {

// Exit codes of the program.
enum : int32_t {
  kExitOk = 0,         // every action succeeded (or there was none)
  kExitFailed = 1,     // an action failed and was not retried, or the run was ended
  kExitParams = 2,     // the command line was refused (message 1020)
  kExitCancelled = 3,  // the user cancelled
};

enum class TActionResult : uint8_t {
  Ok,
  Failed,  // may be retried
  End,     // ends the run without a retry question
};

// The text of the hardware configuration file for an answer that begins with "Cfg:" and
// holds at least six bytes.
std::string HwConfigText(std::span<const uint8_t> answer);

class TLoaderRun {
 public:
  TLoaderRun(TLoaderUi& ui, platform::TComPort& port);

  // Both passes and the actions; closes the port at the end. An exit code.
  [[nodiscard]] int32_t Run(const std::vector<std::string>& args);

  const TRunSettings& Settings() const { return Settings_; }

  // Tests shorten every wait of the actions and the link by this factor.
  void SetTimeScaleForTests(double scale);

 private:
  TActionResult Perform(const TAction& action);
  TActionResult LoadFile(const TAction& action);
  TActionResult LoadDriver(const TAction& action);
  TActionResult ReadFile(const TAction& action);
  TActionResult Control(const TAction& action);
  TActionResult CheckFile(const TAction& action);
  // A load's file must not be empty, and a VEL record must be complete and intact.
  TActionResult CheckLoadFile(const TAction& action);

  // Driver load steps.
  TActionResult ConnectForDriver(const TAction& action);
  bool DeviceDriverId(TDriverId& id);
  TActionResult PrepareDriverAgain();

  TActionResult Connect(uint32_t flags);
  TActionResult SendText(std::string_view bytes);
  TActionResult SendFileBlocks(const std::string& name, bool recordMode);
  bool WriteFile(const std::string& name, std::string_view bytes);
  [[nodiscard]] bool Wait(uint32_t ms);
  void Report(uint32_t id, const std::string& file);
  void Show(TStatusField field, std::string_view text) { Ui_.SetText(field, text); }
  bool Ask(std::string_view text) { return Ui_.ShowBox(TBoxKind::Question, text) == baYes; }
  // Shows the collected messages as boxes; how many there were.
  int32_t ShowMessages();

  TLoaderUi& Ui_;
  platform::TComPort& Port_;
  TLink Link_;
  TRunSettings Settings_;
  double TimeScale_ = 1.0;
};

}  // namespace krlad
