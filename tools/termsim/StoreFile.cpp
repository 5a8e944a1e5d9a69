// The store directory may lie where others can write (/tmp): received files must never be
// written through a link they planted or into a directory they own.
#include "tools/termsim/StoreFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>

namespace termsim {
namespace {

bool Fail(std::string* why, const std::string& text) {
  if (why) *why = text;
  return false;
}

}  // namespace

bool StoreFileBytes(const std::string& directory, const std::string& name, std::string_view bytes,
                    std::string* why) {
  struct stat st {};
  if (::lstat(directory.c_str(), &st) != 0) {
    if (errno != ENOENT) return Fail(why, std::strerror(errno));
    // The levels above are ordinary directories; the store itself is the user's alone.
    const std::filesystem::path parent = std::filesystem::path(directory).parent_path();
    std::error_code ignored;
    if (!parent.empty()) std::filesystem::create_directories(parent, ignored);
    if (::mkdir(directory.c_str(), 0700) != 0 && errno != EEXIST)
      return Fail(why, std::strerror(errno));
    if (::lstat(directory.c_str(), &st) != 0) return Fail(why, std::strerror(errno));
  }
  if (!S_ISDIR(st.st_mode)) return Fail(why, "not a directory");
  if (st.st_uid != ::geteuid()) return Fail(why, "directory belongs to another user");

  const std::string path = directory + "/" + name;
  const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, 0600);
  if (fd < 0) return Fail(why, errno == ELOOP ? "a symbolic link is in the way" : std::strerror(errno));
  struct stat file {};
  bool ok = ::fstat(fd, &file) == 0;
  if (ok && (!S_ISREG(file.st_mode) || file.st_uid != ::geteuid() || file.st_nlink != 1)) {
    ::close(fd);
    return Fail(why, "not a plain file of ours");
  }
  ok = ok && ::ftruncate(fd, 0) == 0;
  for (size_t done = 0; ok && done < bytes.size();) {
    const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
    if (n < 0 && errno == EINTR) continue;
    ok = n > 0;
    if (ok) done += static_cast<size_t>(n);
  }
  const int error = errno;
  ok = ::close(fd) == 0 && ok;
  return ok ? true : Fail(why, std::strerror(error));
}

}  // namespace termsim
