#include "editor/text/TextFile.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <new>

#include "editor/text/BufferedTextWrite.h"
#include "editor/text/LineSplitter.h"
#include "editor/text/RangePieces.h"
#include "editor/text/TextLimits.h"
#include "platform/file/File.h"
#include "platform/file/SafeFileWriter.h"

namespace {

// Closes the handle on every way out.
struct TFileCloser {
  int32_t Handle;
  ~TFileCloser() {
    if (Handle >= 0) platform::FileClose(Handle);
  }
};

int32_t MapSplitStatus(int32_t status) {
  switch (status) {
    case splitLineTooLong:
      return tfsNotText;
    case splitTooManyLineEnds:
      return tfsTooManyLines;
    case splitNoMemory:
      return tfsNoMemory;
    default:
      return tfsOk;
  }
}

int32_t LoadChunks(int32_t file, TTextLines& lines, platform::TMessageSink* notify,
                   uint32_t notifyMessage, int32_t mode, bool convertNuls,
                   TSplitCounters& counters) {
  const int32_t bufferSize = TextReadBufferSize();
  const int32_t lineLimit = TextLineLimit();
  std::unique_ptr<char[]> readBuffer(new (std::nothrow) char[static_cast<size_t>(bufferSize) + 1]);
  if (!readBuffer) return tfsNoMemory;
  int64_t fileSize = std::max<int64_t>(platform::FileSize(file), 0);

  int64_t offset = 0;
  bool firstChunk = true;
  for (;;) {
    // Read straight into the store's region when it has room for a whole chunk; else
    // into the read buffer, and copy what was read into a region of the right size.
    size_t room = 0;
    char* chunk = lines.RegionRoom(&room);
    if (room < static_cast<size_t>(bufferSize) + 1) chunk = readBuffer.get();
    int32_t n = platform::FileRead(file, chunk, bufferSize, offset);
    if (n < 0) return tfsReadError;
    const bool full = n == bufferSize;
    // A CR LF pair is never split between two chunks: the CR is read again.
    if (full && chunk[n - 1] == '\r' && (mode == lemCrLf || mode == lemAny)) --n;
    chunk[n] = '\0';
    if (chunk == readBuffer.get()) {
      size_t expected = static_cast<size_t>(std::max<int64_t>(fileSize - offset, n)) + 1;
      char* region = lines.ReserveRegion(static_cast<size_t>(n) + 1, expected);
      if (!region) return tfsNoMemory;
      std::memcpy(region, chunk, static_cast<size_t>(n) + 1);
      chunk = region;
    }
    if (convertNuls) {
      for (char* p = chunk; (p = static_cast<char*>(std::memchr(p, 0, chunk + n - p))) != nullptr;)
        *p++ = ' ';
    } else if (std::memchr(chunk, 0, static_cast<size_t>(n))) {
      return tfsNotText;
    }

    size_t remainderStart = 0, remainderLength = 0;
    int32_t status = SplitLines(
        chunk, static_cast<size_t>(n), mode, lineLimit, counters,
        [&lines](char* start, size_t length, char* lineEnd) {
          *lineEnd = '\0';
          return lines.AddRegionLine(length ? start : nullptr);
        },
        &remainderStart, &remainderLength);
    if (status != splitOk) return MapSplitStatus(status);
    lines.CommitRegion(remainderStart);
    offset += static_cast<int64_t>(remainderStart);

    if (firstChunk && notify) notify->SendMsg(notifyMessage, 0, 0);
    firstChunk = false;
    if (!full) {
      // The last chunk: its unterminated rest becomes the last line (empty when the
      // file ends with a line end).
      if (remainderLength > 0) {
        lines.CommitRegion(remainderLength + 1);
        if (!lines.AddRegionLine(chunk + remainderStart)) return tfsNoMemory;
      } else if (!lines.AddRegionLine(nullptr)) {
        return tfsNoMemory;
      }
      return tfsOk;
    }
    // The partial line at the end of a full chunk is read again with the next chunk.
  }
}

}  // namespace

int32_t LoadTextFile(const char* fileName, TTextLines& lines, platform::TMessageSink* notify,
                     uint32_t notifyMessage, int32_t mode, bool convertNuls, int32_t* longestLine,
                     int32_t* lineEndCount, int32_t* lineEndKinds) {
  mode = NormalizeLineEndMode(mode);
  lines.Empty();
  TFileCloser file{platform::FileOpen(fileName, platform::TFileAccess::ReadOnly)};
  if (file.Handle < 0) return tfsCannotOpen;

  TSplitCounters counters;
  int32_t status;
  try {
    status = LoadChunks(file.Handle, lines, notify, notifyMessage, mode, convertNuls, counters);
  } catch (const std::bad_alloc&) {
    status = tfsNoMemory;
  }
  lines.EndRegionFill();
  if (status != tfsOk) {
    lines.Empty();
    return status;
  }
  if (notify && counters.LineEnds < 100) notify->SendMsg(notifyMessage, 0, 0);
  if (longestLine) *longestLine = counters.Longest;
  if (lineEndCount) *lineEndCount = counters.LineEnds;
  if (lineEndKinds) *lineEndKinds = counters.Kinds;
  return tfsOk;
}

int32_t SaveTextFile(const char* fileName, const TTextLines& lines, const TTextRange* range,
                     bool columnMode, int32_t caretLine, int32_t caretColumn, int32_t format,
                     std::string* keptCopy) {
  if (keptCopy) keptCopy->clear();
  platform::TSafeFileWriter target;
  if (target.Open(fileName) != 0) return tfsCannotCreate;

  TTextRange whole;
  if (!range) {
    int32_t last = std::max(lines.Count() - 1, 0);
    whole = MakeTextRange(0, 0, last, lines.Length(last));
    range = &whole;
    columnMode = false;
  }

  TBufferedTextWrite writer(target.Handle(), format);
  if (writer.Error() != 0) return writer.Error();

  TRangeWalk walk;
  const char* piece;
  int32_t length;
  if (FirstRangePiece(walk, lines, *range, columnMode, caretLine, caretColumn, &piece, &length)) {
    // Line ends go between pieces: the last piece gets none, so loading the written
    // file gives back the same lines.
    for (;;) {
      const char* nextPiece;
      int32_t nextLength;
      bool more = NextRangePiece(walk, &nextPiece, &nextLength);
      if (writer.WriteLine(piece, length, more) != 0) break;
      if (!more) break;
      piece = nextPiece;
      length = nextLength;
    }
  }
  if (writer.Flush() != 0) return tfsWriteError;
  const int32_t status = target.Commit() == 0 ? tfsOk : tfsWriteError;
  if (keptCopy) *keptCopy = target.KeptCopy();
  return status;
}
