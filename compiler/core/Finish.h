// The end of a compilation: placing, relocating, the area symbols, the listing, resolving
// every reference and writing (or removing) the record.
#pragma once

#include <cstdint>

#include "compiler/core/Destination.h"
#include "compiler/core/Markers.h"
#include "compiler/core/Reporter.h"

// codeStart is driver entry 8. Returns true when the record was written.
bool FinishCompilation(MarkerMemo& markers, DestinationData& output, TVelReporter& reporter,
                       int32_t codeStart, uint32_t dataMemory, const char* listingName);

// Writes the symbol and reference listing; false when the file cannot be written.
bool WriteListing(const MarkerMemo& markers, const char* name);
