// Shared memory and the local socket of the single-instance hand-over.
#include "platform/ipc/InstanceChannel.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/mman.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>

namespace platform {

namespace {

bool PrivateToUs(int fd, mode_t type) {
  struct stat st;
  return ::fstat(fd, &st) == 0 && (st.st_mode & S_IFMT) == type && st.st_uid == ::getuid() &&
         (st.st_mode & 077) == 0;
}

bool FillAddress(const std::string& path, sockaddr_un& address) {
  std::memset(&address, 0, sizeof address);
  address.sun_family = AF_UNIX;
  if (path.empty() || path.size() >= sizeof address.sun_path) return false;
  std::memcpy(address.sun_path, path.c_str(), path.size());
  return true;
}

bool PeerIsUs(int fd) {
  ucred cred{};
  socklen_t length = sizeof cred;
  return ::getsockopt(fd, SOL_SOCKET, SO_PEERCRED, &cred, &length) == 0 && cred.uid == ::getuid();
}

int Connect(const std::string& path) {
  sockaddr_un address;
  if (!FillAddress(path, address)) return -1;
  int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
  if (fd < 0) return -1;
  if (::connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) {
    ::close(fd);
    return -1;
  }
  return fd;
}

}  // namespace

std::string PrivateRuntimeDirectory(const std::string& programName) {
  const char* runtime = std::getenv("XDG_RUNTIME_DIR");
  std::string dir;
  if (runtime && *runtime == '/') {
    dir = runtime;
  } else {
    dir = "/tmp/" + programName + "-" + std::to_string(::getuid());
    if (::mkdir(dir.c_str(), 0700) != 0 && errno != EEXIST) return {};
  }
  int fd = ::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
  if (fd < 0) return {};
  bool ok = PrivateToUs(fd, S_IFDIR);
  ::close(fd);
  return ok ? dir : std::string();
}

std::string TSharedBlock::ObjectName(const std::string& name) {
  return "/" + name + "." + std::to_string(::getuid());
}

int32_t TSharedBlock::Create(const std::string& name, size_t size) {
  Close();
  std::string object = ObjectName(name);
  for (int attempt = 0; attempt < 2; ++attempt) {
    int fd = ::shm_open(object.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (fd >= 0) {
      if (::flock(fd, LOCK_EX | LOCK_NB) != 0 || ::ftruncate(fd, static_cast<off_t>(size)) != 0) {
        ::close(fd);
        ::shm_unlink(object.c_str());
        return -1;
      }
      Fd_ = fd;
      Size_ = size;
      Creator_ = true;
      Name_ = object;
      return 0;
    }
    if (errno != EEXIST) return -1;
    int old = ::shm_open(object.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW, 0);
    if (old >= 0) {
      bool live = PrivateToUs(old, S_IFREG) && ::flock(old, LOCK_SH | LOCK_NB) != 0 && errno == EWOULDBLOCK;
      ::close(old);
      if (live) return 1;
    }
    // Left by a crashed writer, or not ours to trust: replaced.
    ::shm_unlink(object.c_str());
  }
  return -1;
}

bool TSharedBlock::Open(const std::string& name, size_t size) {
  Close();
  std::string object = ObjectName(name);
  int fd = ::shm_open(object.c_str(), O_RDWR | O_CLOEXEC | O_NOFOLLOW, 0);
  if (fd < 0) return false;
  struct stat st;
  if (!PrivateToUs(fd, S_IFREG) || ::fstat(fd, &st) != 0 || static_cast<size_t>(st.st_size) < size) {
    ::close(fd);
    return false;
  }
  Fd_ = fd;
  Size_ = size;
  Name_ = object;
  return true;
}

bool TSharedBlock::Write(const void* data, size_t size) {
  if (Fd_ < 0 || size > Size_) return false;
  void* map = ::mmap(nullptr, Size_, PROT_READ | PROT_WRITE, MAP_SHARED, Fd_, 0);
  if (map == MAP_FAILED) return false;
  std::memcpy(map, data, size);
  ::munmap(map, Size_);
  return true;
}

bool TSharedBlock::Read(void* data, size_t size) const {
  if (Fd_ < 0 || size > Size_) return false;
  void* map = ::mmap(nullptr, Size_, PROT_READ, MAP_SHARED, Fd_, 0);
  if (map == MAP_FAILED) return false;
  std::memcpy(data, map, size);
  ::munmap(map, Size_);
  return true;
}

void TSharedBlock::Close() {
  if (Fd_ >= 0) {
    if (Creator_) ::shm_unlink(Name_.c_str());
    ::close(Fd_);
  }
  Fd_ = -1;
  Creator_ = false;
  Name_.clear();
}

int32_t TInstanceServer::Start(const std::string& path, THandler handler) {
  Stop();
  sockaddr_un address;
  if (!FillAddress(path, address)) return -1;
  for (int attempt = 0; attempt < 2; ++attempt) {
    int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0) return -1;
    // Created private: no other user may connect, whatever the directory allows.
    mode_t old = ::umask(077);
    int bound = ::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address);
    ::umask(old);
    if (bound == 0 && ::listen(fd, 8) == 0) {
      Fd_ = fd;
      break;
    }
    int error = errno;
    ::close(fd);
    if (error != EADDRINUSE) return -1;
    int probe = Connect(path);
    if (probe >= 0) {
      ::close(probe);
      return 1;
    }
    struct stat st;
    // Only a socket of ours is replaced; anything else at that name is left alone.
    if (::lstat(path.c_str(), &st) != 0 || !S_ISSOCK(st.st_mode) || st.st_uid != ::getuid()) return -1;
    ::unlink(path.c_str());
  }
  if (Fd_ < 0) return -1;
  if (::pipe2(WakeFd_, O_CLOEXEC) != 0) {
    ::close(Fd_);
    Fd_ = -1;
    return -1;
  }
  Path_ = path;
  Handler_ = std::move(handler);
  Thread_ = std::thread([this] { Run(); });
  return 0;
}

void TInstanceServer::Run() {
  for (;;) {
    pollfd fds[2] = {{Fd_, POLLIN, 0}, {WakeFd_[0], POLLIN, 0}};
    if (::poll(fds, 2, -1) < 0) {
      if (errno == EINTR) continue;
      return;
    }
    if (fds[1].revents) return;
    if (!(fds[0].revents & POLLIN)) continue;
    int client = ::accept4(Fd_, nullptr, nullptr, SOCK_CLOEXEC);
    if (client < 0) continue;
    uint8_t request = 0;
    pollfd in{client, POLLIN, 0};
    if (PeerIsUs(client) && ::poll(&in, 1, 2000) == 1 && ::read(client, &request, 1) == 1) {
      uint8_t answer = Handler_ ? Handler_(request) : 0;
      (void)!::write(client, &answer, 1);
    }
    ::close(client);
  }
}

void TInstanceServer::Stop() {
  if (Thread_.joinable()) {
    uint8_t b = 0;
    (void)!::write(WakeFd_[1], &b, 1);
    Thread_.join();
  }
  if (Fd_ >= 0) {
    ::close(Fd_);
    ::unlink(Path_.c_str());
  }
  for (int& fd : WakeFd_) {
    if (fd >= 0) ::close(fd);
    fd = -1;
  }
  Fd_ = -1;
}

int32_t SendInstanceRequest(const std::string& path, uint8_t request, int32_t timeoutMs) {
  int fd = Connect(path);
  if (fd < 0) return -1;
  int32_t result = -1;
  uint8_t answer = 0;
  pollfd in{fd, POLLIN, 0};
  if (PeerIsUs(fd) && ::write(fd, &request, 1) == 1 && ::poll(&in, 1, timeoutMs) == 1 &&
      ::read(fd, &answer, 1) == 1) {
    result = answer;
  }
  ::close(fd);
  return result;
}

}  // namespace platform
