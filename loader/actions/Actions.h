// The loader's actions: one record per command-line argument that does something, and the
// table that gives each kind its frame, text, transfer mode and size hint.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "loader/link/Frames.h"

namespace krlad {

enum class TActionKind : uint8_t {
  LoadRecord,     // file or -D
  LoadTexts,      // -A
  LoadVelRecord,  // -I
  LoadRecipe,     // -R
  LoadDriver,     // -L
  ReadRecord,     // -*D
  ReadRecipe,     // -*R
  ReadDiagnostics,  // -*G
  ReadVideo,      // -*V
  ReadDriver,     // -*L
  ReadDriverSmall,  // -*l
  ReadMemory,     // -*S
  HwConfig,       // -CH
  VelInfo,        // -CI
  DeviceStatus,   // -CS
  DriverInfo,     // -CT
  DeleteVel,      // -CP
  SoftReset,      // -CR
  HardReset,      // -CRH
  CheckFile,      // -B: the file must exist; nothing is transferred
};

// Size hint of a read whose total nobody knows in advance.
constexpr int32_t kNoSizeHint = 0;

// What stays the same for every action of one kind.
struct TActionDef {
  TActionKind Kind;
  TCommandCode Frame;  // unused for -CRH, -CP (two frames) and -B
  uint32_t TextId;     // action text, "%s" filled with the file name
  bool FlashErase;     // shows "Flash wird gelöscht ..." before sending
  bool RecordMode;     // the file is sent packed from 128-byte records
  int32_t SizeHint;    // reads: the size the progress bar starts from
};

inline constexpr std::array kActionDefs{
    TActionDef{TActionKind::LoadRecord, cmdLoadRecord, 101, true, false, kNoSizeHint},
    TActionDef{TActionKind::LoadTexts, cmdLoadTexts, 111, false, false, kNoSizeHint},
    TActionDef{TActionKind::LoadVelRecord, cmdLoadVelRecord, 110, false, false, kNoSizeHint},
    TActionDef{TActionKind::LoadRecipe, cmdLoadRecipe, 109, false, true, kNoSizeHint},
    TActionDef{TActionKind::LoadDriver, cmdPrepareDriver, 102, true, false, kNoSizeHint},
    TActionDef{TActionKind::ReadRecord, cmdReadRecord, 106, false, false, -10},
    TActionDef{TActionKind::ReadRecipe, cmdReadRecipe, 108, false, false, -11},
    TActionDef{TActionKind::ReadDiagnostics, cmdReadDiagnostics, 112, false, false, 1000},
    TActionDef{TActionKind::ReadVideo, cmdReadVideo, 114, false, false, -12},
    TActionDef{TActionKind::ReadDriver, cmdReadDriver, 107, false, false, 96000},
    TActionDef{TActionKind::ReadDriverSmall, cmdReadDriver, 107, false, false, 24576},
    TActionDef{TActionKind::ReadMemory, cmdSync, 113, false, false, kNoSizeHint},
    TActionDef{TActionKind::HwConfig, cmdHwConfig, 118, false, false, kNoSizeHint},
    TActionDef{TActionKind::VelInfo, cmdVelInfo, 121, false, false, kNoSizeHint},
    TActionDef{TActionKind::DeviceStatus, cmdDeviceStatus, 119, false, false, kNoSizeHint},
    TActionDef{TActionKind::DriverInfo, cmdDriverInfo, 120, false, false, kNoSizeHint},
    TActionDef{TActionKind::DeleteVel, cmdDeleteVel, 117, false, false, kNoSizeHint},
    TActionDef{TActionKind::SoftReset, cmdSoftReset, 115, false, false, kNoSizeHint},
    TActionDef{TActionKind::HardReset, cmdSync, 116, false, false, kNoSizeHint},
    TActionDef{TActionKind::CheckFile, cmdSync, 0, false, false, kNoSizeHint},
};

constexpr bool ActionDefsInKindOrder() {
  for (size_t i = 0; i < kActionDefs.size(); ++i)
    if (static_cast<size_t>(kActionDefs[i].Kind) != i) return false;
  return true;
}
static_assert(ActionDefsInKindOrder(), "the action table must follow TActionKind");

constexpr const TActionDef& ActionDef(TActionKind kind) {
  return kActionDefs[static_cast<size_t>(kind)];
}

// One action as the command line names it.
struct TAction {
  TActionKind Kind = TActionKind::LoadRecord;
  std::string File;
  // Memory reads only: start address (24 bits) and length.
  uint32_t Address = 0;
  uint16_t Length = 0;
  std::string Argument;  // as written, for messages
};

}  // namespace krlad
