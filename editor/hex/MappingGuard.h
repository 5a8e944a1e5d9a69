// Keeps a read of a mapped file that another program has cut from killing the editor:
// a bus error inside a registered range gets a zero page in place of the missing one and
// raises the range's flag; bus errors elsewhere take their usual course.
#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>

// Registers [start, start + length); -1 when every slot is taken (the range then stays
// unguarded). The flag must live until the range is released.
int32_t GuardMappedRange(const void* start, size_t length, std::atomic<int32_t>* faulted);
void ReleaseMappedRange(int32_t slot);
