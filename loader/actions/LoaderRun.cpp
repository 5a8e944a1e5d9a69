// The run: passes over the command line, the retry loop and the shared steps of actions.
#include "loader/actions/LoaderRun.h"

#include <algorithm>
#include <cmath>

#include "platform/file/File.h"
#include "platform/file/FileOps.h"
#include "loader/actions/Handshake.h"
#include "loader/actions/RecordCheck.h"
#include "loader/actions/TextIds.h"
#include "resources/krladwin32/Strings.h"

namespace krlad {
namespace {

constexpr uint32_t kSentPollMs = 1;

}  // namespace

TLoaderRun::TLoaderRun(TLoaderUi& ui, platform::TComPort& port)
    : Ui_(ui), Port_(port), Link_(port, ui) {}

void TLoaderRun::SetTimeScaleForTests(double scale) {
  TimeScale_ = scale;
  Link_.SetTimeScaleForTests(scale);
}

bool TLoaderRun::Wait(uint32_t ms) {
  if (TimeScale_ != 1.0) ms = std::max<uint32_t>(1, static_cast<uint32_t>(std::lround(ms * TimeScale_)));
  return Port_.Wait(ms) == platform::kPortOk;
}

void TLoaderRun::Report(uint32_t id, const std::string& file) {
  Ui_.Message('E', id, FormatText(id, file.c_str()));
}

int32_t TLoaderRun::ShowMessages() {
  int32_t shown = 0;
  for (const TLoaderMessage& m : Ui_.Messages().Take()) {
    (void)Ui_.ShowBox(m.Kind == 'W' ? TBoxKind::Warning : TBoxKind::Error, m.Text);
    ++shown;
  }
  return shown;
}

int32_t TLoaderRun::Run(const std::vector<std::string>& args) {
  if (ParseSettings(args, Settings_) != TSettingsResult::Ok) {
    (void)Ui_.ShowBox(TBoxKind::Error, LoadResString(idsErrParams));
    return kExitParams;
  }
  int32_t exitCode = kExitOk;
  for (const std::string& arg : args) {
    TAction action;
    const TArgumentResult parsed = ParseArgument(arg, action);
    if (parsed == TArgumentResult::Setting) continue;
    if (Ui_.Cancelled()) break;
    if (parsed != TArgumentResult::Action) {
      (void)Ui_.ShowBox(TBoxKind::Error, LoadResString(idsErrParams));
      exitCode = kExitParams;
      break;
    }
    TActionResult result = TActionResult::Ok;
    for (;;) {
      result = Perform(action);
      const int32_t shown = ShowMessages();
      if (result != TActionResult::Failed || Ui_.Cancelled()) break;
      if (Settings_.NoRetry) {
        // Without the retry question the user must still learn why the run ended.
        if (shown == 0) (void)Ui_.ShowBox(TBoxKind::Error, LoadResString(idsErrNoReply));
        break;
      }
      if (!Ask(LoadResString(idsErrRetry))) break;
    }
    if (result != TActionResult::Ok) {
      exitCode = kExitFailed;
      break;
    }
  }
  ShowMessages();  // a cancel after the last action
  Link_.Close();
  if (Ui_.Cancelled()) return kExitCancelled;
  return exitCode;
}

TActionResult TLoaderRun::Perform(const TAction& action) {
  switch (action.Kind) {
    case TActionKind::LoadRecord:
    case TActionKind::LoadTexts:
    case TActionKind::LoadVelRecord:
    case TActionKind::LoadRecipe: return LoadFile(action);
    case TActionKind::LoadDriver: return LoadDriver(action);
    case TActionKind::ReadRecord:
    case TActionKind::ReadRecipe:
    case TActionKind::ReadDiagnostics:
    case TActionKind::ReadVideo:
    case TActionKind::ReadDriver:
    case TActionKind::ReadDriverSmall:
    case TActionKind::ReadMemory: return ReadFile(action);
    case TActionKind::HwConfig:
    case TActionKind::VelInfo:
    case TActionKind::DeviceStatus:
    case TActionKind::DriverInfo:
    case TActionKind::DeleteVel:
    case TActionKind::SoftReset:
    case TActionKind::HardReset: return Control(action);
    case TActionKind::CheckFile: return CheckFile(action);
  }
  return TActionResult::End;
}

TActionResult TLoaderRun::Connect(uint32_t flags) {
  const int32_t result = Link_.Connect(Settings_.Port, Settings_.SwitchOffMethod, flags);
  if (result < 0) return TActionResult::End;
  return result == 0 ? TActionResult::Ok : TActionResult::Failed;
}

TActionResult TLoaderRun::SendText(std::string_view bytes) {
  const auto count = static_cast<int32_t>(bytes.size());
  if (Port_.Write(reinterpret_cast<const uint8_t*>(bytes.data()), count) != count)
    return TActionResult::Failed;
  while (Port_.OutQueue() > 0)
    if (Port_.Wait(kSentPollMs) != platform::kPortOk) return TActionResult::Failed;
  return TActionResult::Ok;
}

TActionResult TLoaderRun::SendFileBlocks(const std::string& name, bool recordMode) {
  const int32_t file = platform::FileOpen(name.c_str(), platform::TFileAccess::ReadOnly);
  if (file < 0) {
    Report(idsErrFileOpen, name);
    return TActionResult::End;
  }
  const int32_t result = Link_.SendFile(file, recordMode);
  (void)platform::FileClose(file);
  return result == 0 ? TActionResult::Ok : TActionResult::Failed;
}

bool TLoaderRun::WriteFile(const std::string& name, std::string_view bytes) {
  const int32_t file = platform::FileCreate(name.c_str());
  bool ok = file >= 0 &&
            platform::FileWrite(file, bytes.data(), static_cast<int32_t>(bytes.size())) ==
                static_cast<int32_t>(bytes.size());
  if (file >= 0 && platform::FileClose(file) != 0) ok = false;
  if (!ok) Report(idsErrFileOpen, name);
  return ok;
}

// Load data record, texts, VEL record or recipe.
TActionResult TLoaderRun::LoadFile(const TAction& action) {
  const TActionDef& def = ActionDef(action.Kind);
  if (!platform::FileExists(action.File.c_str())) {
    Report(idsErrFileMissing, action.File);
    return TActionResult::End;
  }
  // Checked before the device hears of the load: an empty or damaged file would replace
  // what the device holds with nothing usable.
  if (TActionResult r = CheckLoadFile(action); r != TActionResult::Ok) return r;
  Show(sfAction, FormatText(def.TextId, action.File.c_str()));
  if (TActionResult r = Connect(0); r != TActionResult::Ok) return r;
  if (Link_.Transact(def.Frame, false) != 0) return TActionResult::Failed;
  if (!Wait(200)) return TActionResult::Failed;
  if (def.FlashErase) Show(sfStatus, LoadResString(idsFlashErase));
  if (TActionResult r = SendText(kDataHandshake); r != TActionResult::Ok) return r;
  return SendFileBlocks(action.File, def.RecordMode);
}

TActionResult TLoaderRun::CheckLoadFile(const TAction& action) {
  platform::TFileInfo info;
  if (!platform::GetFileInfo(action.File.c_str(), &info) ||
      (info.Attributes & platform::FILE_ATTRIBUTE_DIRECTORY)) {
    Report(idsErrFileOpen, action.File);
    return TActionResult::End;
  }
  if (info.Size == 0) {
    Report(idsErrEmptyFile, action.File);
    return TActionResult::End;
  }
  if (action.Kind != TActionKind::LoadVelRecord) return TActionResult::Ok;
  std::string bytes;
  if (platform::ReadWholeFile(action.File.c_str(), bytes) != 0) {
    Report(idsErrFileOpen, action.File);
    return TActionResult::End;
  }
  if (!IsVelRecord(bytes)) {
    Report(idsErrBadVelRecord, action.File);
    return TActionResult::End;
  }
  return TActionResult::Ok;
}

// -B: accepted for old command lines; it checks the file and transfers nothing, and the
// run then ends as after a failed action (a retry could not change anything).
TActionResult TLoaderRun::CheckFile(const TAction& action) {
  if (!platform::FileExists(action.File.c_str())) Report(idsErrFileMissing, action.File);
  return TActionResult::End;
}

}  // namespace krlad
