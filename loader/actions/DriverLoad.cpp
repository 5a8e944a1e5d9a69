// Loading a driver: power-cycle path for a device without driver, the identification
// compare that skips a driver already in the device, and the bootloader name checks.
#include <cstring>

#include "loader/actions/Handshake.h"
#include "loader/actions/LoaderRun.h"
#include "loader/actions/TextIds.h"
#include "platform/file/File.h"
#include "platform/file/FileOps.h"

namespace krlad {
namespace {

constexpr uint32_t kHardResetMs = 4000;
constexpr uint32_t kRawIdFirstMs = 100;
constexpr uint32_t kRawIdByteMs = 100;
constexpr uint32_t kAfterPrepareMs = 350;
constexpr uint32_t kBeforePrepareAgainMs = 4000;
constexpr uint32_t kAfterPrepareAgainMs = 400;
constexpr uint32_t kBootloaderByteMs = 10;

}  // namespace

TActionResult TLoaderRun::ConnectForDriver(const TAction& action) {
  Show(sfAction, FormatText(idsActDriver, action.File.c_str()));
  const TActionResult connected = Connect(cfSingleIdTry);
  if (connected != TActionResult::Failed || Ui_.Cancelled()) return connected;

  // No answer: a device without driver talks only to us after a power cycle.
  Show(sfAction, FormatText(idsActDriverNoDriver, action.File.c_str()));
  Show(sfStatus, LoadResString(idsPowerCycle));
  Port_.SetDtr(true);
  const bool waited = Wait(kHardResetMs);
  Port_.SetDtr(false);
  if (!waited) return TActionResult::Failed;
  const int32_t result = Link_.WaitForDevice(Settings_.Port);
  if (result < 0) return TActionResult::End;
  return result == 0 ? TActionResult::Ok : TActionResult::Failed;
}

// The raw reply to the driver information frame: 02 and up to 127 bytes more, zero-filled.
// False when the device sent no identification at all.
bool TLoaderRun::DeviceDriverId(TDriverId& id) {
  id.fill(0);
  (void)Link_.Transact(cmdDriverInfo, false);
  const int32_t first = Port_.ReadByte(kRawIdFirstMs);
  if (first != STX) return false;
  id[0] = STX;
  return Port_.Read(id.data() + 1, static_cast<int32_t>(id.size() - 1), kRawIdByteMs) >= 0;
}

TActionResult TLoaderRun::PrepareDriverAgain() {
  if (!Wait(kBeforePrepareAgainMs)) return TActionResult::Failed;
  if (Link_.Transact(cmdPrepareDriver, false) != 0) return TActionResult::Failed;
  return Wait(kAfterPrepareAgainMs) ? TActionResult::Ok : TActionResult::Failed;
}

TActionResult TLoaderRun::LoadDriver(const TAction& action) {
  const std::string& name = action.File;
  if (!platform::FileExists(name.c_str())) {
    Report(idsErrFileMissing, name);
    return TActionResult::End;
  }
  if (TActionResult r = ConnectForDriver(action); r != TActionResult::Ok) return r;

  TDriverId deviceId{};
  const bool deviceHasId = DeviceDriverId(deviceId);
  const int32_t file = platform::FileOpen(name.c_str(), platform::TFileAccess::ReadOnly);
  if (file < 0) {
    Report(idsErrFileOpen, name);
    return TActionResult::End;
  }
  TDriverId fileId{};
  const bool fileHasId = ReadDriverId(file, IsKrtFile(name), fileId);
  std::string required;
  const bool hasName = ReadBootloaderName(file, required);
  (void)platform::FileClose(file);
  // Only a real identification on both sides may skip the transfer.
  if (deviceHasId && fileHasId && deviceId == fileId) return TActionResult::Ok;
  if (Ui_.Cancelled()) return TActionResult::Failed;

  if (Link_.Transact(cmdPrepareDriver, false) != 0) return TActionResult::Failed;
  if (!Wait(kAfterPrepareMs)) return TActionResult::Failed;

  if (!hasName || required.compare(0, kMakerTag.size(), kMakerTag) != 0) {
    if (!Ask(FormatText(idsErrNoBootloader, name.c_str()))) return TActionResult::End;
    if (TActionResult r = PrepareDriverAgain(); r != TActionResult::Ok) return r;
  }

  std::string connected(kBootloaderNameSize, '\0');
  const int32_t got = Port_.Read(reinterpret_cast<uint8_t*>(connected.data()),
                                 static_cast<int32_t>(connected.size()), kBootloaderByteMs);
  if (got < 0) return TActionResult::Failed;
  connected.resize(static_cast<size_t>(got));
  if (!hasName || connected != required) {
    const std::string wanted = NameText(required);
    const std::string have = NameText(connected);
    if (!Ask(FormatText(idsErrWrongBootloader, wanted.c_str(), have.c_str())))
      return TActionResult::End;
    if (TActionResult r = PrepareDriverAgain(); r != TActionResult::Ok) return r;
  }

  Show(sfStatus, LoadResString(idsFlashErase));
  if (TActionResult r = SendText(kDriverHandshake); r != TActionResult::Ok) return r;
  return SendFileBlocks(name, false);
}

}  // namespace krlad
