// Chunked reading of sources and the CR LF to LF conversion.
#include "compiler/core/SourceText.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

#include "platform/file/File.h"

namespace {

int32_t CountLineFeeds(const char* data, size_t size) {
  int32_t count = 0;
  const char* const end = data + size;
  for (const char* at = data;
       (at = static_cast<const char*>(std::memchr(at, '\n', static_cast<size_t>(end - at)))) !=
       nullptr;
       ++at)
    ++count;
  return count;
}

}  // namespace

size_t JoinLineEnds(char* data, size_t size, bool more, bool* heldCr) {
  // Runs between CRs move down as blocks.
  size_t out = 0;
  size_t in = 0;
  while (in < size) {
    const void* found = std::memchr(data + in, '\r', size - in);
    const size_t cr = found ? static_cast<size_t>(static_cast<const char*>(found) - data) : size;
    if (out != in) std::memmove(data + out, data + in, cr - in);
    out += cr - in;
    in = cr;
    if (in >= size) break;
    if (in + 1 < size && data[in + 1] == '\n') {
      ++in;  // the CR of a CR LF is dropped
      continue;
    }
    data[out++] = '\r';
    ++in;
  }
  // Only a CR that ends the input ends the output in CR.
  if (more && out > 0 && data[out - 1] == '\r') {
    --out;
    *heldCr = true;
  }
  return out;
}

void TSourceText::Close() {
  if (Handle_ >= 0) platform::FileClose(Handle_);
  Handle_ = -1;
}

void TSourceText::Assign(std::string text) {
  Close();
  bool held = false;
  text.resize(JoinLineEnds(text.data(), text.size(), false, &held));
  LineFeeds_ = CountLineFeeds(text.data(), text.size());
  Size_ = static_cast<int64_t>(text.size());
  Buffer_ = std::move(text);
  Pos = 0;
  End = Buffer_.size();
  HeldCr_ = false;
  ReadFailed_ = false;
}

bool TSourceText::Open(const char* name, size_t chunkSize) {
  Close();
  Buffer_.clear();
  Pos = End = 0;
  HeldCr_ = false;
  ReadFailed_ = false;
  LineFeeds_ = 0;
  Size_ = 0;
  ChunkSize_ = chunkSize == 0 ? 1 : std::min(chunkSize, kChunkSize * 64);
  if (name == nullptr || *name == '\0') return false;
  const int32_t handle = platform::FileOpen(name, platform::TFileAccess::ReadOnly);
  if (handle < 0) return false;
  // The first pass finds an unreadable file before anything is compiled, and the number of
  // lines that progress and table sizes go by.
  Buffer_.resize(ChunkSize_ + 1);
  int32_t got = 0;
  while ((got = platform::FileRead(handle, Buffer_.data(), static_cast<int32_t>(ChunkSize_))) > 0) {
    // Saturates: progress and table sizes only estimate from it.
    const int64_t total =
        int64_t{LineFeeds_} + CountLineFeeds(Buffer_.data(), static_cast<size_t>(got));
    LineFeeds_ = static_cast<int32_t>(std::min<int64_t>(total, INT32_MAX));
    Size_ += got;
  }
  if (got < 0 || platform::FileSeek(handle, 0, 0) != 0) {
    platform::FileClose(handle);
    return false;
  }
  Handle_ = handle;
  return true;
}

bool TSourceText::ReadMore(size_t count) {
  while (End - Pos < count)
    if (!ReadChunk()) return End - Pos >= count;
  return true;
}

bool TSourceText::ReadChunk() {
  if (Handle_ < 0) return false;
  if (Pos > 0) {  // the bytes ahead move to the front
    std::memmove(Buffer_.data(), Buffer_.data() + Pos, End - Pos);
    End -= Pos;
    Pos = 0;
  }
  if (Buffer_.size() < End + ChunkSize_ + 1) Buffer_.resize(End + ChunkSize_ + 1);
  const size_t start = End;
  if (HeldCr_) {
    Buffer_[End++] = '\r';
    HeldCr_ = false;
  }
  const int32_t got =
      platform::FileRead(Handle_, Buffer_.data() + End, static_cast<int32_t>(ChunkSize_));
  if (got <= 0) {
    ReadFailed_ = got < 0;
    Close();
    return End > start;  // a held CR ends the text as it is
  }
  End = start + JoinLineEnds(Buffer_.data() + start, End + static_cast<size_t>(got) - start, true,
                             &HeldCr_);
  return true;
}
