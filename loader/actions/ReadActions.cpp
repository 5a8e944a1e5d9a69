// Reading a file from the device: data record, recipe, diagnostics, video memory, driver
// and memory.
#include "loader/actions/LoaderRun.h"
#include "loader/actions/TextIds.h"
#include "platform/file/File.h"
#include "platform/file/FileOps.h"

namespace krlad {

TActionResult TLoaderRun::ReadFile(const TAction& action) {
  const TActionDef& def = ActionDef(action.Kind);
  const bool memory = action.Kind == TActionKind::ReadMemory;
  if (platform::FileExists(action.File.c_str()) &&
      !Ask(FormatText(idsErrReplaceFile, action.File.c_str())))
    return TActionResult::End;
  Show(sfAction, FormatText(def.TextId, action.File.c_str()));
  if (TActionResult r = Connect(0); r != TActionResult::Ok) return r;
  int32_t sent = 0;
  if (memory) {
    const TMemoryRequest request = MakeMemoryReadRequest(action.Address, action.Length);
    sent = Link_.Transact(request, false);
  } else {
    sent = Link_.Transact(def.Frame, false);
  }
  if (sent != 0 || !Wait(300)) return TActionResult::Failed;

  const int32_t file = platform::FileCreate(action.File.c_str());
  if (file < 0) {
    Report(idsErrFileOpen, action.File);
    return TActionResult::End;
  }
  int32_t result = Link_.ReceiveFile(file, memory ? int32_t{action.Length} : def.SizeHint);
  // Blocks come in whole 128 bytes; a memory read keeps just the bytes asked for.
  if (result == 0 && memory && platform::FileSize(file) > action.Length &&
      !platform::FileTruncate(file, action.Length))
    result = 1;
  if (platform::FileClose(file) != 0) result = 1;
  return result == 0 ? TActionResult::Ok : TActionResult::Failed;
}

}  // namespace krlad
