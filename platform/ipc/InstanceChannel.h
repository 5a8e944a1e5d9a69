// The single-instance channel of a program, private to the user: a named shared-memory
// block that carries one request, and a local socket in the user's runtime directory on
// which the running instance listens and answers each request before the sender goes on.
#pragma once

#include <sys/types.h>

#include <atomic>
#include <cstdint>
#include <functional>
#include <string>
#include <thread>

namespace platform {

// The user's private runtime directory ($XDG_RUNTIME_DIR, else /tmp/<name>-<uid>, made
// with mode 0700 and refused when another user owns it); empty when none is usable.
std::string PrivateRuntimeDirectory(const std::string& programName);

// A named shared-memory block of the user (the user id is part of the name, mode 0600).
class TSharedBlock {
 public:
  TSharedBlock() = default;
  ~TSharedBlock() { Close(); }
  TSharedBlock(const TSharedBlock&) = delete;
  TSharedBlock& operator=(const TSharedBlock&) = delete;

  // The object name for a block name ("ZKEditXX.MMF" -> "/ZKEditXX.MMF.<uid>").
  static std::string ObjectName(const std::string& name);

  // Creates the block of `size` bytes, locked for as long as it is open. 0; 1 when a live
  // block of that name exists (another hand-over is running: nothing is done); -1 on
  // failure. A block left by a crashed writer (no lock on it) or not private to the user
  // is removed and made anew.
  int32_t Create(const std::string& name, size_t size);
  // Opens an existing block for reading; false when there is none or it is not ours.
  bool Open(const std::string& name, size_t size);
  bool Write(const void* data, size_t size);
  bool Read(void* data, size_t size) const;
  // Closes the handle; the creator also removes the name.
  void Close();

 private:
  int Fd_ = -1;
  size_t Size_ = 0;
  bool Creator_ = false;
  std::string Name_;
};

// The listening side: a socket "<dir>/<name>.sock" that only the user can reach. Requests
// are single bytes; each is answered with the byte the handler returns, on a thread of its
// own (the handler hands the work to the user-interface thread and waits for it).
class TInstanceServer {
 public:
  using THandler = std::function<uint8_t(uint8_t request)>;
  TInstanceServer() = default;
  ~TInstanceServer() { Stop(); }
  TInstanceServer(const TInstanceServer&) = delete;
  TInstanceServer& operator=(const TInstanceServer&) = delete;

  // 0 listening; 1 another live instance listens there already; -1 failure. A socket file
  // that nobody answers on (a crashed instance) is replaced.
  int32_t Start(const std::string& path, THandler handler);
  void Stop();
  const std::string& Path() const { return Path_; }

 private:
  void Run();
  int Fd_ = -1;
  int WakeFd_[2] = {-1, -1};
  std::string Path_;
  THandler Handler_;
  std::thread Thread_;
};

// Sends one request byte and waits (up to `timeoutMs`) for the answer; -1 when nobody
// answers or the listener is not the same user.
int32_t SendInstanceRequest(const std::string& path, uint8_t request, int32_t timeoutMs = 10000);

}  // namespace platform
