// Reading and screening the files of a global search, in order or ahead on threads.
#include "editor/grep/GrepReadAhead.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cctype>
#include <cstdint>
#include <cstring>
#include <memory>
#include <new>

#include "editor/search/SearchEngine.h"

namespace {

// A read buffer that only grows, one per thread: most files are read, screened and
// dropped, so their bytes are never copied or cleared.
struct TReadBuffer {
  std::unique_ptr<char[]> Data;
  size_t Capacity = 0;
  bool Reserve(size_t bytes) {
    if (bytes <= Capacity) return true;
    const size_t want = std::max(bytes, Capacity * 2);
    std::unique_ptr<char[]> grown(new (std::nothrow) char[want]);
    if (!grown) return false;
    if (Capacity) std::memcpy(grown.get(), Data.get(), Capacity);
    Data = std::move(grown);
    Capacity = want;
    return true;
  }
};

// The whole content of a regular file into `buffer`; -1 when it cannot be opened or read.
// A file that grows or shrinks while it is read yields what was there.
int64_t ReadRegularFile(const std::string& path, TReadBuffer& buffer, TGrepLoadedFile& file) {
  // Non-blocking, so that a pipe put in the file's place cannot hang the search.
  const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
  if (fd < 0) return -1;
  struct stat st {};
  int64_t have = -1;
  if (fstat(fd, &st) == 0 && S_ISREG(st.st_mode)) {
    file.Size = st.st_size;
    file.Modified = st.st_mtim.tv_sec;
    have = 0;
    size_t want = static_cast<size_t>(st.st_size) + 1;
    for (;;) {
      if (!buffer.Reserve(want)) {
        have = -1;
        break;
      }
      const ssize_t n = read(fd, buffer.Data.get() + have, buffer.Capacity - static_cast<size_t>(have));
      if (n < 0) {
        have = -1;
        break;
      }
      if (n == 0) break;
      have += n;
      // The file grew: read on, up to what the search can take.
      if (static_cast<size_t>(have) == buffer.Capacity) {
        if (have > INT32_MAX) break;
        want = buffer.Capacity + 65536;
      }
    }
  }
  close(fd);
  return have;
}

// The letters and digits every match of a regular expression starts with ("Ziel" of
// "Ziel[a-z]+e"); empty when the expression starts otherwise. A letter that a "*" or "-"
// may drop does not count.
std::string LiteralPrefix(const char* pattern) {
  std::string prefix;
  size_t i = 0;
  while (pattern[i] && std::isalnum(static_cast<unsigned char>(pattern[i])) &&
         static_cast<unsigned char>(pattern[i]) < 0x80)
    prefix += pattern[i++];
  if (!prefix.empty() && (pattern[i] == '*' || pattern[i] == '-')) prefix.pop_back();
  return prefix;
}

// Whether the expression matches anywhere: tried only where its literal start occurs.
bool MatchesFromPrefix(const char* data, int32_t size, const std::string& prefix,
                       bool caseSensitive, const TRegExp& regExp) {
  const std::string_view text(data, static_cast<size_t>(size));
  int32_t from = 0;
  int32_t at = 0;
  while (caseSensitive ? FindPlainForward(text, prefix, from, &at)
                       : FindFoldedForward(text, prefix, from, &at)) {
    if (regExp.Match(data, size, at) >= 0) return true;
    from = at + 1;
  }
  return false;
}

}  // namespace

TGrepLoadedFile LoadForGrep(const std::string& path, const TEngineRequest& screen,
                            bool canScreen, const TRegExp& regExp) {
  thread_local TReadBuffer buffer;
  TGrepLoadedFile file;
  const int64_t size = ReadRegularFile(path, buffer, file);
  if (size < 0) return file;
  file.Readable = true;
  file.MayHit = true;
  if (canScreen && size <= INT32_MAX) {
    const std::string prefix = screen.RegularExpression ? LiteralPrefix(screen.SearchText) : "";
    TSearchMatch match;
    file.MayHit = prefix.size() >= 2
                      ? MatchesFromPrefix(buffer.Data.get(), static_cast<int32_t>(size), prefix,
                                          screen.CaseSensitive, regExp)
                      : SearchText(buffer.Data.get(), static_cast<int32_t>(size), screen, 0,
                                   &match, regExp);
  }
  if (file.MayHit) file.Bytes.assign(buffer.Data.get(), static_cast<size_t>(size));
  return file;
}

TGrepReadAhead::TGrepReadAhead(std::vector<std::string> paths, const TEngineRequest& screen,
                               bool canScreen, int32_t threads)
    : Paths_(std::move(paths)), Screen_(screen), CanScreen_(canScreen) {
  (void)PrepareEngine(Screen_, RegExp_);
  if (threads <= 0 || Paths_.size() < 2) return;
  Window_ = static_cast<size_t>(threads) * 8 + 8;
  Slots_.resize(Window_);
  Filled_.resize(Window_, false);
  for (int32_t i = 0; i < threads; ++i) Workers_.emplace_back([this] { Work(); });
}

TGrepReadAhead::~TGrepReadAhead() {
  {
    std::lock_guard<std::mutex> lock(Mutex_);
    Stop_ = true;
  }
  Room_.notify_all();
  for (std::thread& t : Workers_) t.join();
}

void TGrepReadAhead::Work() {
  TRegExp regExp;  // a matcher is used by one thread at a time
  (void)PrepareEngine(Screen_, regExp);
  std::unique_lock<std::mutex> lock(Mutex_);
  for (;;) {
    Room_.wait(lock, [this] { return Stop_ || Next_ >= Paths_.size() || Next_ < Base_ + Window_; });
    if (Stop_ || Next_ >= Paths_.size()) return;
    const size_t index = Next_++;
    lock.unlock();
    TGrepLoadedFile file = LoadForGrep(Paths_[index], Screen_, CanScreen_, regExp);
    lock.lock();
    if (index < Base_) continue;  // the search has gone past it
    Slots_[index - Base_] = std::move(file);
    Filled_[index - Base_] = true;
    Ready_.notify_all();
  }
}

TGrepLoadedFile TGrepReadAhead::Take(size_t index, const std::function<bool()>& waiting) {
  if (Workers_.empty()) {
    if (index >= Paths_.size()) return {};
    return LoadForGrep(Paths_[index], Screen_, CanScreen_, RegExp_);
  }
  std::unique_lock<std::mutex> lock(Mutex_);
  if (index >= Paths_.size() || index < Base_) return {};
  auto advance = [this] {
    Slots_.pop_front();
    Filled_.pop_front();
    Slots_.emplace_back();
    Filled_.push_back(false);
    ++Base_;
  };
  while (Base_ < index) advance();
  // Workers that skipped ahead of a passed-over index must still be able to reach it.
  if (Next_ < Base_) Next_ = Base_;
  Room_.notify_all();
  // A huge file may keep a worker busy: the user interface stays alive meanwhile.
  while (!Ready_.wait_for(lock, std::chrono::milliseconds(30), [this] { return Filled_.front(); })) {
    if (!waiting) continue;
    lock.unlock();
    const bool goOn = waiting();
    lock.lock();
    if (!goOn) {
      advance();
      Room_.notify_all();
      return {};
    }
  }
  TGrepLoadedFile file = std::move(Slots_.front());
  advance();
  Room_.notify_all();
  return file;
}
