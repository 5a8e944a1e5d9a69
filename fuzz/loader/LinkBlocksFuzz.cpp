// Device bytes during a block transfer: received blocks, and replies to sent blocks.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <unistd.h>
#include <vector>

#include "loader/link/Link.h"
#include "platform/file/File.h"
#include "tools/termsim/ScriptedPort.h"

namespace {

class TQuietStatus final : public krlad::TLinkStatus {
 public:
  void SetText(krlad::TStatusField, std::string_view) override {}
  void ProgressStart(int32_t) override {}
  void ProgressStep(int32_t) override {}
  void ProgressHide() override {}
  void Message(char, uint32_t, std::string_view) override {}
};

// A small file to send, made once.
int32_t SendSource() {
  static int32_t file = [] {
    char path[] = "/tmp/zk-link-blocks-fuzz-XXXXXX";
    int fd = mkstemp(path);
    if (fd < 0) return -1;
    ::close(fd);
    int32_t f = platform::FileCreate(path);
    std::vector<uint8_t> bytes(300);
    for (size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<uint8_t>(i);
    if (f >= 0 && platform::FileWrite(f, bytes.data(), 300) != 300) f = -1;
    std::remove(path);  // the open handle keeps it
    return f;
  }();
  return file;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  constexpr int32_t kHints[] = {0, 1000, 96000, krlad::kHintDataRecord, krlad::kHintRecipe,
                                krlad::kHintVideo, -1, 0x7FFFFFFF};
  const uint8_t mode = data[0];
  termsim::TScriptedPort port(std::vector<int>(data + 1, data + size));
  TQuietStatus status;
  krlad::TLink link(port, status);
  if (link.OpenAtSpeed(1, krlad::kSpeed38400) != 0) __builtin_trap();
  if (mode & 0x80) {
    int32_t file = SendSource();
    if (file < 0) return 0;
    (void)link.SendFile(file, (mode & 1) != 0);
  } else {
    static int32_t sink = platform::FileOpen("/dev/null", platform::TFileAccess::ReadWrite);
    (void)link.ReceiveFile(sink, kHints[mode % 8]);
  }
  return 0;
}
