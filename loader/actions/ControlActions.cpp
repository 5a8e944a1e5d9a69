// Control actions: device queries written to files, VEL delete and the two resets.
#include <string>

#include "loader/actions/LoaderRun.h"
#include "loader/actions/TextIds.h"

namespace krlad {
namespace {

constexpr uint32_t kHardResetMs = 4000;
constexpr std::string_view kHwConfigHead{"Cfg:"};
constexpr size_t kHwCardByte = 4;
constexpr size_t kHwFlagsByte = 5;
constexpr uint8_t kHwClockRamBit = 0x80;
constexpr std::string_view kNoVel{"- no VEL -"};

std::string_view AnswerView(std::span<const uint8_t> answer) {
  return {reinterpret_cast<const char*>(answer.data()), answer.size()};
}

}  // namespace

// The text of the hardware configuration file for a "Cfg:" answer.
std::string HwConfigText(std::span<const uint8_t> answer) {
  std::string text(LoadResString(idsHwCard));
  text += LoadResString(idsHwCardFirst + answer[kHwCardByte]);
  text += '\r';
  if (!(answer[kHwFlagsByte] & kHwClockRamBit)) text += LoadResString(idsHwNone);
  text += LoadResString(idsHwClockRam);
  return text;
}

TActionResult TLoaderRun::Control(const TAction& action) {
  const TActionDef& def = ActionDef(action.Kind);
  if (action.Kind == TActionKind::HardReset) {
    if (!Port_.IsOpen() && Link_.OpenAtSpeed(Settings_.Port, kSpeed38400) != 0)
      return TActionResult::End;
  } else if (TActionResult r = Connect(0); r != TActionResult::Ok) {
    return r;
  }
  Show(sfAction, FormatText(def.TextId, action.File.c_str()));
  Show(sfStatus, LoadResString(idsCommand));

  switch (action.Kind) {
    case TActionKind::HwConfig: {
      if (Link_.Transact(cmdHwConfig, true) != 0) return TActionResult::Failed;
      const auto answer = Link_.Answer();
      if (answer.size() <= kHwFlagsByte || !AnswerView(answer).starts_with(kHwConfigHead))
        return TActionResult::Failed;
      return WriteFile(action.File, HwConfigText(answer)) ? TActionResult::Ok : TActionResult::End;
    }
    case TActionKind::VelInfo: {
      const bool answered = Link_.Transact(cmdVelInfo, true) == 0;
      if (Ui_.Cancelled()) return TActionResult::Failed;
      const std::string_view text = answered ? AnswerView(Link_.Answer()) : kNoVel;
      return WriteFile(action.File, text) ? TActionResult::Ok : TActionResult::End;
    }
    case TActionKind::DeviceStatus:
    case TActionKind::DriverInfo:
      if (Link_.Transact(def.Frame, true) != 0) return TActionResult::Failed;
      return WriteFile(action.File, AnswerView(Link_.Answer())) ? TActionResult::Ok
                                                                 : TActionResult::End;
    case TActionKind::DeleteVel:
      if (Link_.Transact(cmdDeleteVel, false) != 0) return TActionResult::Failed;
      return Link_.Transact(cmdSoftReset, false) == 0 ? TActionResult::Ok : TActionResult::Failed;
    case TActionKind::SoftReset:
      return Link_.Transact(cmdSoftReset, false) == 0 ? TActionResult::Ok : TActionResult::Failed;
    case TActionKind::HardReset: {
      Port_.SetDtr(true);
      const bool waited = Wait(kHardResetMs);
      Port_.SetDtr(false);
      return waited ? TActionResult::Ok : TActionResult::Failed;
    }
    default: break;
  }
  return TActionResult::End;
}

}  // namespace krlad
