// Reading the files of a global search, and screening them for a raw match, ahead of the
// search on worker threads; the search takes them strictly in list order.
#pragma once

#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "editor/search/RegExp.h"
#include "editor/search/SearchRequest.h"

struct TGrepLoadedFile {
  bool Readable = false;  // false: could not be opened or read, or is no regular file
  bool MayHit = false;    // the screen found a match (or could not rule one out)
  std::string Bytes;      // the content, kept only when MayHit
  int64_t Size = 0;       // as the open file showed them
  int64_t Modified = 0;   // seconds since 1970
};

// Reads one file whole and screens it: with `canScreen` a file without a match of the
// request in its raw bytes gets MayHit false. `regExp` is compiled for the request.
TGrepLoadedFile LoadForGrep(const std::string& path, const TEngineRequest& screen,
                            bool canScreen, const TRegExp& regExp);

class TGrepReadAhead {
 public:
  // Without threads every Take reads its file there and then.
  TGrepReadAhead(std::vector<std::string> paths, const TEngineRequest& screen, bool canScreen,
                 int32_t threads);
  ~TGrepReadAhead();
  TGrepReadAhead(const TGrepReadAhead&) = delete;
  TGrepReadAhead& operator=(const TGrepReadAhead&) = delete;

  // The file at `index`; indexes must be taken in increasing order. While a worker still
  // reads it, `waiting` runs every few hundredths of a second; when it answers false the
  // file is given up (returned unreadable).
  TGrepLoadedFile Take(size_t index, const std::function<bool()>& waiting = {});

 private:
  void Work();

  std::vector<std::string> Paths_;
  TEngineRequest Screen_;
  bool CanScreen_;
  TRegExp RegExp_;  // for the reads without threads

  std::mutex Mutex_;
  std::condition_variable Ready_;   // a slot was filled
  std::condition_variable Room_;    // the search took a file
  std::deque<TGrepLoadedFile> Slots_;  // files Base_ .. Base_ + size - 1
  std::deque<bool> Filled_;
  size_t Base_ = 0;      // the next file the search takes
  size_t Next_ = 0;      // the next file a worker reads
  size_t Window_ = 0;    // how far workers may read ahead of the search
  bool Stop_ = false;
  std::vector<std::thread> Workers_;
};
