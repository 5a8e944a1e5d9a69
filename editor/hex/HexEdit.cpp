// Editing in the hex window: keys and typing, the two modes with the temporary copy,
// inserting, deleting and replacing bytes, and undo.
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "editor/hex/HexChildData.h"
#include "platform/file/FileOps.h"
#include "platform/ui/MessageLoop.h"
#include "platform/ui/Paint.h"
#include "platform/ui/Window.h"

using namespace platform;

int32_t THexChildData::KeyDown(uint32_t key, bool shift, bool ctrl) {
  switch (key) {
    case VK_TAB:
      // Ctrl+Tab belongs to the window list.
      if (ctrl) return 1;
      if (ViewMode == hvHexAndChars) SetCaret(TabColumn(Caret.Column), Caret.Line, false, false);
      return 0;
    case VK_INSERT:
      if (shift || ctrl) return 1;
      if (!ToggleMode()) MessageBeep(0);
      return 0;
    case VK_DELETE:
      if (shift || ctrl) return 1;
      if (CanDelete()) {
        Delete();
      } else if (!NormalMode && !ReadOnly && CaretOffset() < FileSize()) {
        (void)DeleteBytes(CaretOffset(), 1);
      } else {
        MessageBeep(0);
      }
      return 0;
    default:
      return TScrlChildData::KeyDown(key, shift, ctrl);
  }
}

int32_t THexChildData::KeyChar(uint8_t character) {
  if (ReadOnly || !Cache.IsOpen() || FileSize() == 0) return 1;
  TColumnInfo info;
  if (!ColumnToByte(ViewMode, Caret.Column, &info)) return 1;
  uint8_t value = character;
  const int64_t offset = CaretOffset();
  if (info.HexPart) {
    uint8_t c = static_cast<uint8_t>(character >= 'a' && character <= 'z' ? character - 32 : character);
    int32_t digit = c >= '0' && c <= '9' ? c - '0' : c >= 'A' && c <= 'F' ? c - 'A' + 10 : -1;
    if (digit < 0) return 1;
    if (offset >= FileSize()) {
      MessageBeep(0);
      return 0;
    }
    uint8_t old = ByteAt(offset);
    value = static_cast<uint8_t>(info.Digit == 0 ? digit * 16 + (old & 0x0F) : (old & 0xF0) + digit);
  } else {
    if (character < 32) return 1;
    if (offset >= FileSize()) {
      MessageBeep(0);
      return 0;
    }
  }
  if (!NormalMode && !Cache.MutableData()) return 1;
  // A selection goes, its bytes stay.
  InvalidateSelection();
  SelStart = SelEnd = 0;
  Anchor = -1;
  if (NormalMode) {
    Changes.Set(offset, value);
  } else {
    Cache.MutableData()[offset] = value;
  }
  InvalidateBytes(offset, offset + 1);
  SetModified(true);
  MoveCaretBy(1, 0, false);
  return 0;
}

bool THexChildData::CanUndo() { return NormalMode ? !Changes.Empty() : Modified != 0; }

bool THexChildData::CanCut() { return !NormalMode && !ReadOnly && HasSelection(); }

bool THexChildData::CanDelete() { return CanCut(); }

void THexChildData::AfterStructureChange() {
  Search.Forget();
  UpdateRanges();
  ClampCaret();
  InvalidateRect(Window, nullptr);
}

bool THexChildData::OpenTemporaryCopy() {
  Cache.Close();
  struct stat st {};
  bool ready = false;
  bool denied = false;
  if (::lstat(TempName.c_str(), &st) == 0) {
    // A copy left by an earlier run is taken, but only a plain file of our own: never
    // through a link, never someone else's.
    ready = S_ISREG(st.st_mode) && st.st_uid == ::geteuid();
  } else {
    errno = 0;
    ready = CopyFile(FileName.c_str(), TempName.c_str(), true);
    denied = !ready && (errno == EACCES || errno == EPERM || errno == EROFS);
  }
  if (ready && Cache.Open(TempName) == fcOk && !Cache.ReadOnly()) {
    TempOwned = true;
    return true;
  }
  Cache.Close();
  if (OpenOwnFile() == fcOk && denied) Cache.SetReadOnly();
  return false;
}

bool THexChildData::ToggleMode() {
  if (ReadOnly || FileName.empty() || CacheReadOnly()) return false;
  bool dropCopy = false;
  if (Modified) {
    THexSaveQuestion question;
    intptr_t answer = NotifyFrame(cnHexAskSave, 0, 0, &question);
    if (answer < 0) return false;
    if (answer == 1) {
      if (SaveHere(question.Backup != 0) != 0) return false;
    } else {
      if (NormalMode) {
        Changes.Clear();
      } else {
        dropCopy = true;
      }
      SetModified(false);
    }
  }
  if (NormalMode) {
    if (!OpenTemporaryCopy()) {
      AfterStructureChange();
      return false;
    }
    NormalMode = false;
  } else {
    Cache.Close();
    if (dropCopy) {
      DeleteFile(TempName.c_str());
      TempOwned = false;
    }
    int32_t status = OpenOwnFile();
    NormalMode = true;
    if (status != fcOk) LoadStatus = status;
  }
  Overwrite = NormalMode ? 1 : 0;
  AfterStructureChange();
  if (GetCaretState().Owner == Window) {
    ShowCaret(false);
    ShowCaret(true);
  }
  NotifyFrame(cnHexModeChanged, NormalMode ? 0 : 1);
  NotifyCaret();
  return true;
}

bool THexChildData::InsertBytes(int64_t offset, int64_t count, uint8_t fill) {
  if (NormalMode || ReadOnly || CacheReadOnly() || count < 1) return false;
  const int64_t size = FileSize();
  if (offset < 0 || offset > size || count > kHexMaxFileSize - size) return false;
  if (Cache.Resize(size + count) != fcOk) {
    if (!Cache.IsOpen()) (void)Cache.Open(TempName);
    AfterStructureChange();
    return false;
  }
  uint8_t* data = Cache.MutableData();
  std::memmove(data + offset + count, data + offset, static_cast<size_t>(size - offset));
  std::memset(data + offset, fill, static_cast<size_t>(count));
  AfterStructureChange();
  GotoOffset(offset + count, false);
  SetModified(true);
  return true;
}

bool THexChildData::DeleteBytes(int64_t offset, int64_t count) {
  if (NormalMode || ReadOnly || CacheReadOnly()) return false;
  const int64_t size = FileSize();
  if (offset < 0 || offset >= size) return false;
  count = std::min(count, size - offset);
  if (count < 1) return false;
  uint8_t* data = Cache.MutableData();
  std::memmove(data + offset, data + offset + count, static_cast<size_t>(size - offset - count));
  if (Cache.Resize(size - count) != fcOk) {
    // The bytes moved already: the tail is doubled on disk; say so by reopening.
    if (!Cache.IsOpen()) (void)Cache.Open(TempName);
    AfterStructureChange();
    SetModified(true);
    return false;
  }
  InvalidateSelection();
  SelStart = SelEnd = 0;
  Anchor = -1;
  AfterStructureChange();
  GotoOffset(offset, false);
  SetModified(true);
  return true;
}

bool THexChildData::ReplaceRange(int64_t offset, int64_t n, std::string_view bytes) {
  if (ReadOnly || !Cache.IsOpen() || n < 0 || offset < 0) return false;
  const auto m = static_cast<int64_t>(bytes.size());
  const int64_t size = FileSize();
  if (NormalMode) {
    if (n != m || offset + n > size) return false;
    for (int64_t i = 0; i < m; ++i) Changes.Set(offset + i, static_cast<uint8_t>(bytes[static_cast<size_t>(i)]));
    InvalidateBytes(offset, offset + m);
    if (m > 0) SetModified(true);
    return true;
  }
  if (CacheReadOnly() || offset > size) return false;
  n = std::min(n, size - offset);
  if (m > n && !InsertBytes(offset, m - n, 0)) return false;
  if (n > m && !DeleteBytes(offset, n - m)) return false;
  if (m > 0) std::memcpy(Cache.MutableData() + offset, bytes.data(), static_cast<size_t>(m));
  InvalidateBytes(offset, offset + m);
  SetModified(true);
  return true;
}

void THexChildData::Undo() {
  if (NormalMode) {
    int64_t removed = 0;
    if (!Changes.RemoveLast(&removed)) return;
    InvalidateBytes(removed, removed + 1);
    // A run of typed bytes goes in one step.
    while (Changes.LastOffset() == removed - 1 && Changes.RemoveLast(&removed)) {
      InvalidateBytes(removed, removed + 1);
    }
    GotoOffset(removed, false);
    if (Changes.Empty()) SetModified(false);
    return;
  }
  if (!Modified) return;
  ReopenAfterUndo();
}

void THexChildData::ReopenAfterUndo() {
  // Extended mode forgets all changes: a fresh copy of the file.
  Cache.Close();
  DeleteFile(TempName.c_str());
  bool reopened = CopyFile(FileName.c_str(), TempName.c_str(), true) && Cache.Open(TempName) == fcOk;
  if (!reopened) {
    // No copy: back to the file itself in normal mode.
    Cache.Close();
    DeleteFile(TempName.c_str());
    TempOwned = false;
    NormalMode = true;
    Overwrite = 1;
    (void)OpenOwnFile();
    NotifyFrame(cnHexModeChanged, 0);
  }
  InvalidateSelection();
  SelStart = SelEnd = 0;
  Anchor = -1;
  const int64_t before = CaretOffset();
  AfterStructureChange();
  if (before > FileSize()) {
    MessageBeep(0);
    GotoOffset(FileSize(), false);
  }
  SetModified(false);
  NotifyCaret();
}

void THexChildData::Cut() {
  if (!CanCut()) return;
  Copy();
  (void)DeleteBytes(SelStart, SelEnd - SelStart);
}

void THexChildData::Delete() {
  if (!CanDelete()) return;
  (void)DeleteBytes(SelStart, SelEnd - SelStart);
}
