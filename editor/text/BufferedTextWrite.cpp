#include "editor/text/BufferedTextWrite.h"

#include <cstring>
#include <new>

#include "platform/file/File.h"

TBufferedTextWrite::TBufferedTextWrite(int32_t handle, int32_t format)
    : Handle_(handle), Format_(format) {
  Buffer_.reset(new (std::nothrow) char[kInitialCapacity]);
  if (Buffer_) {
    Capacity_ = kInitialCapacity;
  } else {
    Error_ = -10;
  }
}

int32_t TBufferedTextWrite::Flush() {
  if (Error_ != 0) return -4;
  if (Fill_ > 0 && platform::FileWrite(Handle_, Buffer_.get(), Fill_) != Fill_) {
    Error_ = -4;
    return -4;
  }
  Fill_ = 0;
  return 0;
}

int32_t TBufferedTextWrite::WriteLine(const char* text, int32_t length, bool appendLineEnd) {
  if (Error_ != 0) return -4;
  if (!text) {
    length = 0;
  } else if (length < 0) {
    length = static_cast<int32_t>(std::strlen(text));
  }
  int32_t endLength = !appendLineEnd ? 0 : Format_ == lefWindows ? 2 : 1;
  if (length > Capacity_) {
    if (Flush() != 0) return -4;
    // Room for the line and its line end.
    char* bigger = new (std::nothrow) char[static_cast<size_t>(length) + 100];
    if (!bigger) {
      Error_ = -10;
      return -4;
    }
    Buffer_.reset(bigger);
    Capacity_ = length + 100;
  }
  if (Fill_ + length + endLength > Capacity_ && Flush() != 0) return -4;
  char* out = Buffer_.get() + Fill_;
  if (length > 0) std::memcpy(out, text, static_cast<size_t>(length));
  out += length;
  if (appendLineEnd) {
    if (Format_ == lefWindows) {
      *out++ = '\r';
      *out++ = '\n';
    } else {
      *out++ = Format_ == lefUnix ? '\n' : '\r';
    }
  }
  Fill_ += length + endLength;
  return 0;
}
