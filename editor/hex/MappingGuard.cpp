// The bus-error handler behind GuardMappedRange.
#include "editor/hex/MappingGuard.h"

#include <signal.h>
#include <sys/mman.h>
#include <unistd.h>

#include <mutex>

namespace {

constexpr int32_t kSlots = 256;

struct TGuardSlot {
  std::atomic<uintptr_t> Start{0};
  std::atomic<uintptr_t> End{0};
  std::atomic<std::atomic<int32_t>*> Flag{nullptr};
};

TGuardSlot Slots[kSlots];
struct sigaction Previous {};
uintptr_t PageSize = 4096;
std::once_flag Installed;

void OnBusError(int signal, siginfo_t* info, void* context) {
  auto address = reinterpret_cast<uintptr_t>(info ? info->si_addr : nullptr);
  for (TGuardSlot& slot : Slots) {
    uintptr_t start = slot.Start.load(std::memory_order_acquire);
    uintptr_t end = slot.End.load(std::memory_order_acquire);
    if (start == 0 || address < start || address >= end) continue;
    // The missing page reads as zeros from now on; the file itself is not touched.
    void* page = reinterpret_cast<void*>(address & ~(PageSize - 1));
    if (mmap(page, PageSize, PROT_READ | PROT_WRITE, MAP_FIXED | MAP_PRIVATE | MAP_ANONYMOUS, -1,
             0) == MAP_FAILED) {
      break;
    }
    if (std::atomic<int32_t>* flag = slot.Flag.load(std::memory_order_acquire)) {
      flag->store(1, std::memory_order_relaxed);
    }
    return;
  }
  // Not ours: the previous handler, or the default action when the access is repeated.
  if ((Previous.sa_flags & SA_SIGINFO) && Previous.sa_sigaction) {
    Previous.sa_sigaction(signal, info, context);
    return;
  }
  if (Previous.sa_handler != SIG_DFL && Previous.sa_handler != SIG_IGN && Previous.sa_handler) {
    Previous.sa_handler(signal);
    return;
  }
  struct sigaction fallback {};
  fallback.sa_handler = SIG_DFL;
  sigemptyset(&fallback.sa_mask);
  sigaction(SIGBUS, &fallback, nullptr);
}

void Install() {
  long size = sysconf(_SC_PAGESIZE);
  if (size > 0) PageSize = static_cast<uintptr_t>(size);
  struct sigaction action {};
  action.sa_sigaction = OnBusError;
  action.sa_flags = SA_SIGINFO | SA_ONSTACK;
  sigemptyset(&action.sa_mask);
  sigaction(SIGBUS, &action, &Previous);
}

}  // namespace

int32_t GuardMappedRange(const void* start, size_t length, std::atomic<int32_t>* faulted) {
  if (!start || length == 0) return -1;
  std::call_once(Installed, Install);
  auto begin = reinterpret_cast<uintptr_t>(start);
  for (int32_t i = 0; i < kSlots; ++i) {
    uintptr_t expected = 0;
    // Claimed with a placeholder end first, so the handler never sees a half-made slot.
    if (!Slots[i].Start.compare_exchange_strong(expected, 1, std::memory_order_acq_rel)) continue;
    Slots[i].Flag.store(faulted, std::memory_order_release);
    Slots[i].End.store(begin + length, std::memory_order_release);
    Slots[i].Start.store(begin, std::memory_order_release);
    return i;
  }
  return -1;
}

void ReleaseMappedRange(int32_t slot) {
  if (slot < 0 || slot >= kSlots) return;
  Slots[slot].End.store(0, std::memory_order_release);
  Slots[slot].Flag.store(nullptr, std::memory_order_release);
  Slots[slot].Start.store(0, std::memory_order_release);
}
