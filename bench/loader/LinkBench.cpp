// Block transfer throughput over a paced simulated line, as a share of the line's limit.
#include <benchmark/benchmark.h>
#include <stdlib.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <random>
#include <string>
#include <vector>

#include "loader/link/Link.h"
#include "platform/file/File.h"
#include "platform/serial/TermiosPort.h"
#include "tools/termsim/TermSim.h"

namespace {

class TNullStatus final : public krlad::TLinkStatus {
 public:
  void SetText(krlad::TStatusField, std::string_view) override {}
  void ProgressStart(int32_t) override {}
  void ProgressStep(int32_t) override {}
  void ProgressHide() override {}
  void Message(char, uint32_t id, std::string_view) override { LastError = id; }
  uint32_t LastError = 0;
};

// Sends `bytes` as a data record at 38400 baud; the simulator takes as long as a real line.
void BM_SendRecordPaced(benchmark::State& state) {
  const size_t size = static_cast<size_t>(state.range(0));
  char path[] = "/tmp/zk-link-bench-XXXXXX";
  int fd = mkstemp(path);
  if (fd < 0) {
    state.SkipWithError("no scratch file");
    return;
  }
  std::vector<uint8_t> data(size);
  std::mt19937 random(1);
  for (auto& b : data) b = static_cast<uint8_t>(random());
  if (write(fd, data.data(), data.size()) != static_cast<ssize_t>(data.size())) {
    state.SkipWithError("cannot write scratch file");
    return;
  }
  close(fd);

  termsim::TTermSimConfig config;
  config.Pace = true;
  termsim::TTermSim sim(config);
  if (!sim.Start()) {
    state.SkipWithError(sim.Error().c_str());
    return;
  }
  setenv("ZK_COM5", sim.PortName().c_str(), 1);
  platform::TTermiosPort port;
  TNullStatus status;
  krlad::TLink link(port, status);
  if (link.Connect(5, 0, 0) != 0) {
    state.SkipWithError("no connection to the simulator");
    return;
  }
  const int32_t file = platform::FileOpen(path, platform::TFileAccess::ReadOnly);
  double seconds = 0;
  for (auto _ : state) {
    if (link.Transact(krlad::cmdLoadRecord, false) != 0) {
      state.SkipWithError("load command not acknowledged");
      break;
    }
    // Timed from the first block on: the start handshake is not part of the stream.
    auto start = std::chrono::steady_clock::now();
    if (link.SendFile(file, false) != 0) {
      state.SkipWithError("transfer failed");
      break;
    }
    double elapsed = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    state.SetIterationTime(elapsed);
    seconds += elapsed;
  }
  (void)platform::FileClose(file);
  unlink(path);
  const double lineLimit = 38400.0 / 11.0;  // bytes per second: start, 8 data, 2 stop bits
  const double rate = static_cast<double>(size) * static_cast<double>(state.iterations()) / seconds;
  state.counters["payload_Bps"] = rate;
  state.counters["share_of_line"] = rate / lineLimit;
  state.SetBytesProcessed(static_cast<int64_t>(size) * state.iterations());
}

}  // namespace

BENCHMARK(BM_SendRecordPaced)->Arg(256 * 1024)->Iterations(1)->UseManualTime()->Unit(benchmark::kSecond);
BENCHMARK(BM_SendRecordPaced)->Arg(16 * 1024)->Iterations(1)->UseManualTime()->Unit(benchmark::kSecond);

BENCHMARK_MAIN();
