#include "platform/memory/GlobalMemory.h"

#include <cstdlib>
#include <cstring>
#include <new>

namespace platform {
namespace {

class TMemoryBlock final : public THandleObject {
 public:
  TMemoryBlock(void* data, size_t size) : Data(data), Size(size) {}
  ~TMemoryBlock() override { std::free(Data); }
  THandleKind Kind() const override { return THandleKind::Memory; }

  void* Data;
  size_t Size;
  uint32_t Locks = 0;
};

TMemoryBlock* Block(THandle handle) {
  return static_cast<TMemoryBlock*>(LookupHandle(handle, THandleKind::Memory));
}

}  // namespace

THandle GlobalAlloc(uint32_t flags, size_t bytes) {
  // malloc(0) may return null; a block always has an address.
  void* data =
      (flags & GMEM_ZEROINIT) ? std::calloc(bytes ? bytes : 1, 1) : std::malloc(bytes ? bytes : 1);
  if (!data) return 0;
  TMemoryBlock* raw = new (std::nothrow) TMemoryBlock(data, bytes);
  if (!raw) {
    std::free(data);
    return 0;
  }
  return AddHandle(std::unique_ptr<THandleObject>(raw));
}

void* GlobalLock(THandle block) {
  TMemoryBlock* b = Block(block);
  if (!b) return nullptr;
  ++b->Locks;
  return b->Data;
}

bool GlobalUnlock(THandle block) {
  TMemoryBlock* b = Block(block);
  if (!b || b->Locks == 0) return false;
  return --b->Locks > 0;
}

size_t GlobalSize(THandle block) {
  TMemoryBlock* b = Block(block);
  return b ? b->Size : 0;
}

THandle GlobalFree(THandle block) {
  return RemoveHandle(Block(block) ? block : 0) ? 0 : block;
}

}  // namespace platform
