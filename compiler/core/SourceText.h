// The text of a VEL source, read from its file in chunks, so that a big source never sits in
// memory whole; CR LF pairs become LF as the chunks come in.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

class TSourceText {
 public:
  static constexpr size_t kChunkSize = size_t{256} << 10;

  TSourceText() = default;
  ~TSourceText() { Close(); }
  TSourceText(const TSourceText&) = delete;
  TSourceText& operator=(const TSourceText&) = delete;

  // Opens a file and counts its line feeds in a first pass. False when it cannot be opened
  // or read. `chunkSize` (at least 1) is the most read at once.
  [[nodiscard]] bool Open(const char* name, size_t chunkSize = kChunkSize);
  // The whole text at once.
  void Assign(std::string text);

  // Line feeds of the text (up to INT32_MAX), and the bytes of the file or assigned text.
  int32_t LineFeeds() const { return LineFeeds_; }
  int64_t Size() const { return Size_; }
  // True when a read failed after the first pass: the text ended early.
  bool ReadFailed() const { return ReadFailed_; }

  // The window: Data()[Pos .. End) is text not yet passed over.
  const char* Data() const { return Buffer_.data(); }
  size_t Pos = 0;
  size_t End = 0;
  // Reads on until at least `count` bytes lie ahead in the window; false when the text ends
  // before. Moves the window (Pos changes, the bytes ahead stay).
  bool Need(size_t count) { return End - Pos >= count || ReadMore(count); }

 private:
  bool ReadMore(size_t count);
  // One more chunk into the window; false when the file is at its end or unreadable.
  bool ReadChunk();
  void Close();

  std::string Buffer_;
  int32_t Handle_ = -1;  // the file being read; -1 once all of it is in the window
  size_t ChunkSize_ = kChunkSize;
  bool HeldCr_ = false;  // the last chunk ended in CR: it waits for what follows it
  bool ReadFailed_ = false;
  int32_t LineFeeds_ = 0;
  int64_t Size_ = 0;
};

// Turns CR LF into LF in place and returns the new size. With `more` the text goes on in a
// later piece: a CR at its end is left out and `heldCr` set (the caller puts it back in front
// of the next piece).
size_t JoinLineEnds(char* data, size_t size, bool more, bool* heldCr);
