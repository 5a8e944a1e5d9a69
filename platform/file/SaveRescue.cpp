// Locked temporaries, stale-temporary removal and rescue copies of the safe writer.
#include "platform/file/SaveRescue.h"

#include <dirent.h>
#include <fcntl.h>
#include <pwd.h>
#include <stdlib.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <new>

#include "platform/file/File.h"
#include "platform/file/SafeFileWriter.h"

namespace platform {
namespace {

constexpr char kNoteSuffix[] = ".note";
constexpr char kNoteMagic[] = "ZKRESCUE";

bool EndsWith(const std::string& s, const char* suffix) {
  const size_t n = std::strlen(suffix);
  return s.size() >= n && s.compare(s.size() - n, n, suffix) == 0;
}

// "NAME.zkold-XXXXXX" or ".NAME.zktmp-XXXXXX": the marker, then six characters.
bool HasTempSuffix(const std::string& name, const char* marker) {
  const size_t at = name.rfind(marker);
  return at != std::string::npos && at > 0 && name.size() == at + std::strlen(marker) + 6;
}

bool WriteAll(int fd, const std::string& text) {
  return FileWrite(fd, text.data(), static_cast<int32_t>(text.size())) ==
         static_cast<int32_t>(text.size());
}

bool MakePrivateDirectory(const std::string& path) {
  if (::mkdir(path.c_str(), 0700) != 0 && errno != EEXIST) return false;
  struct stat st {};
  return ::lstat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode) && st.st_uid == ::geteuid();
}

// Opens a file of ours for a lock test; -1 when it is not a plain file of this user.
int OpenOwnFile(const std::string& path, struct stat* st) {
  int fd = ::open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return -1;
  if (::fstat(fd, st) != 0 || !S_ISREG(st->st_mode) || st->st_uid != ::geteuid()) {
    ::close(fd);
    return -1;
  }
  return fd;
}

// True while the path still names the file open as `fd`.
bool StillNames(const std::string& path, const struct stat& st) {
  struct stat now {};
  return ::lstat(path.c_str(), &now) == 0 && now.st_dev == st.st_dev && now.st_ino == st.st_ino;
}

// Reads a note: the target and the size of the complete copy; false for a torn note.
bool ReadNote(const std::string& notePath, std::string* target, int64_t* size) {
  int fd = ::open(notePath.c_str(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC);
  if (fd < 0) return false;
  char buffer[8192];
  const int32_t n = FileRead(fd, buffer, sizeof buffer - 1);
  ::close(fd);
  if (n <= 0) return false;
  const std::string text(buffer, static_cast<size_t>(n));
  // magic \n size \n target \n
  const size_t a = text.find('\n');
  const size_t b = a == std::string::npos ? a : text.find('\n', a + 1);
  if (b == std::string::npos || text.substr(0, a) != kNoteMagic || text.back() != '\n') return false;
  const std::string sizeText = text.substr(a + 1, b - a - 1);
  char* end = nullptr;
  const long long value = std::strtoll(sizeText.c_str(), &end, 10);
  if (sizeText.empty() || *end != '\0' || value < 0) return false;
  *size = value;
  *target = text.substr(b + 1, text.size() - b - 2);
  return !target->empty();
}

}  // namespace

TSafeWriteHooks& SafeWriteHooks() {
  static TSafeWriteHooks hooks;
  return hooks;
}

void SafeWriteStep() {
  if (SafeWriteHooks().Step) SafeWriteHooks().Step();
}

std::string RescueDirectory() {
  if (!SafeWriteHooks().RescueDirectory.empty()) return SafeWriteHooks().RescueDirectory;
  std::string base;
  if (const char* cache = std::getenv("XDG_CACHE_HOME"); cache && cache[0] == '/') {
    base = cache;
  } else if (const char* home = std::getenv("HOME"); home && home[0] == '/') {
    base = std::string(home) + "/.cache";
  } else if (const passwd* user = ::getpwuid(::geteuid()); user && user->pw_dir &&
             user->pw_dir[0] == '/') {
    base = std::string(user->pw_dir) + "/.cache";
  } else {
    return {};
  }
  return base + "/zkedit32/rescue";
}

void SyncDirectoryOf(const std::string& path) {
  std::string::size_type slash = path.rfind('/');
  std::string dir = slash == std::string::npos ? "." : slash == 0 ? "/" : path.substr(0, slash);
  int fd = ::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd >= 0) {
    ::fsync(fd);
    ::close(fd);
  }
}

int32_t CreateLockedTemp(std::string& path) {
  const std::string pattern = path;
  // A cleaner may take the lock between the create and our flock and remove the fresh
  // file; then its link count is 0 and we simply try again.
  for (int attempt = 0; attempt < 8; ++attempt) {
    path = pattern;
    int fd = ::mkostemp(path.data(), O_CLOEXEC);
    if (fd < 0) {
      path = pattern;
      return -1;
    }
    struct stat st {};
    if (::flock(fd, LOCK_EX | LOCK_NB) == 0 && ::fstat(fd, &st) == 0 && st.st_nlink > 0)
      return fd;
    ::close(fd);
  }
  path = pattern;
  errno = EEXIST;
  return -1;
}

void RemoveStaleTemps(const std::string& directory) {
  DIR* dir = ::opendir(directory.empty() ? "." : directory.c_str());
  if (!dir) return;
  const std::string prefix = directory.empty() ? "" : directory + "/";
  while (const dirent* entry = ::readdir(dir)) {
    const std::string name = entry->d_name;
    if (name[0] != '.' || !HasTempSuffix(name, ".zktmp-")) continue;
    const std::string path = prefix + name;
    struct stat st {};
    int fd = OpenOwnFile(path, &st);
    if (fd < 0) continue;
    // Our writers hold the lock until the temporary is renamed or removed.
    if (::flock(fd, LOCK_EX | LOCK_NB) == 0 && StillNames(path, st)) ::unlink(path.c_str());
    ::close(fd);
  }
  ::closedir(dir);
}

bool CopyContent(int32_t from, int32_t to, int64_t count) {
  const int32_t chunk = std::max(SafeWriteHooks().ChunkSize, 1);
  std::unique_ptr<char[]> buffer(new (std::nothrow) char[static_cast<size_t>(chunk)]);
  if (!buffer || FileSeek(to, 0, SEEK_SET) != 0) return false;
  for (int64_t done = 0; done < count;) {
    const auto want = static_cast<int32_t>(std::min<int64_t>(chunk, count - done));
    if (FileRead(from, buffer.get(), want, done) != want) return false;
    if (FileWrite(to, buffer.get(), want) != want) return false;
    done += want;
    SafeWriteStep();
  }
  return true;
}

bool TRescueCopy::Make(const std::string& target, int32_t source, int64_t size) {
  Close();
  const std::string dir = RescueDirectory();
  if (dir.empty()) return false;
  // The levels above the rescue directory are the user's own (their cache directory).
  const std::string::size_type slash = dir.rfind('/');
  if (slash != std::string::npos && slash > 0) {
    std::string parent = dir.substr(0, slash);
    const std::string::size_type up = parent.rfind('/');
    if (up != std::string::npos && up > 0) ::mkdir(parent.substr(0, up).c_str(), 0700);
    ::mkdir(parent.c_str(), 0700);
  }
  if (!MakePrivateDirectory(dir)) return false;
  const std::string::size_type baseAt = target.rfind('/');
  std::string path = dir + "/" + (baseAt == std::string::npos ? target : target.substr(baseAt + 1)) +
                     ".zkold-XXXXXX";
  Handle_ = CreateLockedTemp(path);
  if (Handle_ < 0) return false;
  Path_ = path;
  ::fchmod(Handle_, 0600);
  const std::string note = Path_ + kNoteSuffix;
  bool ok = CopyContent(source, Handle_, size) && FileFlushToDisk(Handle_);
  SafeWriteStep();
  if (ok) {
    int fd = ::open(note.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
    ok = fd >= 0;
    if (ok) {
      ok = WriteAll(fd, std::string(kNoteMagic) + "\n" + std::to_string(size) + "\n" + target +
                            "\n") &&
           FileFlushToDisk(fd);
      ::close(fd);
    }
  }
  if (ok) SyncDirectoryOf(note);
  if (!ok) Drop();
  return ok;
}

void TRescueCopy::Drop() {
  if (!Path_.empty()) {
    // The note goes first: a copy without a note is an incomplete one, removed later.
    ::unlink((Path_ + kNoteSuffix).c_str());
    ::unlink(Path_.c_str());
  }
  Path_.clear();
  Close();
}

void TRescueCopy::Close() {
  if (Handle_ >= 0) ::close(Handle_);
  Handle_ = -1;
}

std::vector<TInterruptedSave> FindInterruptedSaves() {
  std::vector<TInterruptedSave> found;
  const std::string directory = RescueDirectory();
  if (directory.empty()) return found;
  DIR* dir = ::opendir(directory.c_str());
  if (!dir) return found;
  std::vector<std::string> names;
  while (const dirent* entry = ::readdir(dir)) names.emplace_back(entry->d_name);
  ::closedir(dir);
  std::sort(names.begin(), names.end());
  for (const std::string& name : names) {
    const std::string path = directory + "/" + name;
    if (EndsWith(name, kNoteSuffix)) {
      // A note whose copy is gone tells nothing any more.
      const std::string copy = path.substr(0, path.size() - std::strlen(kNoteSuffix));
      struct stat st {};
      if (::lstat(copy.c_str(), &st) != 0 && errno == ENOENT) ::unlink(path.c_str());
      continue;
    }
    if (!HasTempSuffix(name, ".zkold-")) continue;
    struct stat st {};
    int fd = OpenOwnFile(path, &st);
    if (fd < 0) continue;
    if (::flock(fd, LOCK_EX | LOCK_NB) == 0 && StillNames(path, st)) {
      TInterruptedSave save{{}, path};
      int64_t size = -1;
      if (ReadNote(path + kNoteSuffix, &save.Target, &size) && size == st.st_size) {
        found.push_back(std::move(save));
      } else {
        // Killed while the copy was made: the target was never touched.
        ::unlink((path + kNoteSuffix).c_str());
        ::unlink(path.c_str());
      }
    }
    ::close(fd);
  }
  return found;
}

void DropInterruptedSave(const TInterruptedSave& save) {
  if (save.Copy.empty()) return;
  ::unlink((save.Copy + kNoteSuffix).c_str());
  ::unlink(save.Copy.c_str());
}

}  // namespace platform
