// Saving the hex window: under its own name (normal mode through the change list,
// extended mode by replacing the file with the working copy), under a new name, and the
// selected block to a file of its own.
#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "editor/hex/HexChildData.h"
#include "platform/file/FileOps.h"
#include "platform/ui/MessageLoop.h"
#include "platform/ui/Paint.h"
#include "platform/ui/Window.h"

using namespace platform;

namespace {

std::string BackupName(const std::string& fileName) {
  size_t slash = fileName.rfind('/');
  size_t dot = fileName.rfind('.');
  size_t start = slash == std::string::npos ? 0 : slash + 1;
  if (dot == std::string::npos || dot <= start) return fileName + ".bak";
  return fileName.substr(0, dot) + ".bak";
}

// Where the working copy is copied before it replaces the file, so that a failed copy
// leaves the file as it was.
std::string ReplacementName(const std::string& fileName) { return fileName + ".~zksave"; }

constexpr int64_t kBlockChunk = 1 << 20;

}  // namespace

int32_t THexChildData::Save(const std::string& fileName, bool selectionOnly, int32_t, bool makeBackup,
                            bool) {
  if (selectionOnly) return SaveBlock(fileName);
  if (fileName != FileName) return SaveAs(fileName);
  return SaveHere(makeBackup);
}

void THexChildData::SetTitle(const std::string& name) {
  SetWindowText(Window, Modified ? name + "  *" : name);
}

int32_t THexChildData::SaveHere(bool makeBackup) {
  if (!Modified) return 0;
  if (!Cache.IsOpen() || FileName.empty()) return -4;
  const std::string backup = BackupName(FileName);
  if (NormalMode) {
    if (Cache.ReadOnly()) return -4;
    // A file cut by another program has lost bytes the changes would go to: refuse, keep
    // the changes.
    if (Cache.Faulted() || Cache.ChangedOnDisk()) {
      struct stat st {};
      if (Cache.Faulted() || ::stat(FileName.c_str(), &st) != 0 || st.st_size != Cache.Size()) return -4;
    }
    if (makeBackup) {
      DeleteFile(backup.c_str());
      if (!CopyFile(FileName.c_str(), backup.c_str(), false)) MessageBeep(0);
    }
    uint8_t* data = Cache.MutableData();
    const int64_t size = Cache.Size();
    for (const TChangeRecord& r : Changes.Records()) {
      if (r.Offset < size) data[r.Offset] = r.Value;
    }
    if (!Cache.Flush()) return -4;
    Changes.Clear();
    struct stat st {};
    if (TempName.size() && ::lstat(TempName.c_str(), &st) == 0 && S_ISREG(st.st_mode) && st.st_uid == ::geteuid()) {
      DeleteFile(TempName.c_str());
      TempOwned = false;
    }
  } else {
    if (!Cache.Flush()) return -4;
    const std::string replacement = ReplacementName(FileName);
    if (!CopyFile(TempName.c_str(), replacement.c_str(), false)) return -4;
    bool backedUp = false;
    if (makeBackup) {
      DeleteFile(backup.c_str());
      // A hard link keeps the file under its name until the new content takes it over.
      backedUp = ::link(FileName.c_str(), backup.c_str()) == 0;
      if (!backedUp) MessageBeep(0);
    }
    if (::rename(replacement.c_str(), FileName.c_str()) != 0) {
      ::unlink(replacement.c_str());
      if (backedUp) ::unlink(backup.c_str());
      return -4;
    }
  }
  InvalidateRect(Window, nullptr);
  SetModified(false);
  SetTitle(FileName);
  return 0;
}

int32_t THexChildData::SaveAs(const std::string& fileName) {
  if (!Cache.IsOpen() || fileName.empty()) return -4;
  const std::string newTemp = HexTemporaryName(fileName);
  if (NormalMode) {
    Cache.Close();
    // The file as it is on disk; the pending changes follow through the save below.
    if (!CopyFile(FileName.c_str(), fileName.c_str(), false)) {
      (void)OpenOwnFile();
      return -4;
    }
  } else {
    if (!Cache.Flush()) return -4;
    Cache.Close();
    struct stat st {};
    if (newTemp != TempName && (::lstat(newTemp.c_str(), &st) == 0 || ::rename(TempName.c_str(), newTemp.c_str()) != 0)) {
      (void)Cache.Open(TempName);
      return -4;
    }
    TempName = newTemp;
    SetModified(true);
  }
  FileName = fileName;
  TempName = newTemp;
  ReadOnly = 0;
  struct stat st {};
  if (::stat(FileName.c_str(), &st) == 0) ::chmod(FileName.c_str(), (st.st_mode & 07777) | S_IWUSR);
  int32_t status = NormalMode ? OpenOwnFile() : Cache.Open(TempName);
  SetTitle(FileName);
  if (status != fcOk) return -4;
  InvalidateRect(Window, nullptr);
  return Modified ? SaveHere(false) : 0;
}

int32_t THexChildData::SaveBlock(const std::string& fileName) {
  if (!HasSelection() || fileName.empty()) return -3;
  const int64_t length = SelEnd - SelStart;
  int32_t handle = FileCreate(fileName.c_str());
  if (handle < 0) return -3;
  if (!FileTruncate(handle, length)) {
    FileClose(handle);
    return -10;
  }
  void* view = ::mmap(nullptr, static_cast<size_t>(length), PROT_READ | PROT_WRITE, MAP_SHARED, handle, 0);
  if (view == MAP_FAILED) {
    FileClose(handle);
    return -10;
  }
  auto* out = static_cast<uint8_t*>(view);
  for (int64_t done = 0; done < length; done += kBlockChunk) {
    std::string part = BytesAt(SelStart + done, std::min(kBlockChunk, length - done));
    std::memcpy(out + done, part.data(), part.size());
  }
  bool ok = ::msync(view, static_cast<size_t>(length), MS_SYNC) == 0;
  ::munmap(view, static_cast<size_t>(length));
  FileClose(handle);
  return ok ? 0 : -4;
}
