// Device replies to command frames: acknowledge, answer frame and identification texts.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "loader/link/Link.h"
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

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::vector<int> script(data, data + size);
  {
    termsim::TScriptedPort port(script);
    TQuietStatus status;
    krlad::TLink link(port, status);
    if (link.OpenAtSpeed(1, krlad::kSpeed38400) != 0) __builtin_trap();
    if (link.Transact(krlad::cmdDeviceStatus, true) == 0 && link.Answer().size() > krlad::kMaxAnswer - 3)
      __builtin_trap();
  }
  {
    termsim::TScriptedPort port(script);
    TQuietStatus status;
    krlad::TLink link(port, status);
    if (link.OpenAtSpeed(1, krlad::kSpeed38400) != 0) __builtin_trap();
    (void)link.QueryIdentification(false, false);
  }
  // The same bytes as frames the simulator parses.
  uint32_t address = 0;
  uint16_t length = 0;
  if (size >= krlad::kMemoryRequestSize &&
      krlad::ParseMemoryReadRequest(std::span(data, krlad::kMemoryRequestSize), &address, &length) &&
      krlad::MakeMemoryReadRequest(address, length) !=
          *reinterpret_cast<const krlad::TMemoryRequest*>(data))
    __builtin_trap();
  if (size >= 6) (void)krlad::IsCommandFrame(std::span(data, 6));
  return 0;
}
