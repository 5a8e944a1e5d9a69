// Finishing steps in their fixed order.
#include "compiler/core/Finish.h"

#include <array>
#include <limits>

namespace {

constexpr int32_t kNoAddress = 0xFFFFFF;

int32_t Wrap(int64_t v) { return static_cast<int32_t>(static_cast<uint32_t>(v)); }

void Place(MarkerMemo& markers) {
  std::array<int64_t, 16> end{};
  std::array<bool, 16> seen{};
  for (int32_t i = 0; i < markers.Count(); ++i) {
    const Marke& m = markers.At(i);
    if (m.Flags & mfPlaceAtEnd) continue;
    const size_t seg = m.Flags & mfSegmentMask;
    const int64_t top = int64_t{m.Address} + m.Value;
    if (!seen[seg] || top > end[seg]) end[seg] = top;
    seen[seg] = true;
  }
  for (int32_t i = 0; i < markers.Count(); ++i) {  // oldest first
    Marke& m = markers.At(i);
    if (!(m.Flags & mfPlaceAtEnd)) continue;
    const size_t seg = m.Flags & mfSegmentMask;
    m.Address = Wrap(end[seg]);
    end[seg] += m.Value;
  }
}

int32_t LowestFixed(const MarkerMemo& markers, uint8_t segment) {
  int32_t lowest = std::numeric_limits<int32_t>::max();
  bool found = false;
  for (int32_t i = 0; i < markers.Count(); ++i) {
    const Marke& m = markers.At(i);
    if ((m.Flags & mfPlaceAtEnd) || (m.Flags & mfSegmentMask) != segment) continue;
    if (!found || m.Address < lowest) lowest = m.Address;
    found = true;
  }
  return found ? lowest : kNoAddress;
}

void Resolve(MarkerMemo& markers, DestinationData& output, TVelReporter& reporter,
             int32_t codeBase) {
  for (int32_t i = markers.Count() - 1; i >= 0; --i) {
    const Marke& m = markers.At(i);
    for (int32_t at = m.Newest; at != kNoZiel; at = markers.ZielAt(at).Older) {
      const Ziel* z = &markers.ZielAt(at);
      if (m.Flags == 0 && !(z->Kind & zkMayStayUndefined)) {
        if (m.NameLength == 0)
          reporter.Report(msgOpenBlock);
        else
          reporter.Report(msgNoValue, {std::string(markers.Name(i))});
        continue;
      }
      const int32_t width = z->Kind & zkWidthMask;
      int64_t value = 0;
      if (z->Kind & zkValue)
        value = m.Value;
      else if (z->Kind & zkHalfValue)
        value = m.Value / 2;
      else if (z->Kind & zkRelative)
        value = int64_t{m.Address} - (int64_t{codeBase} + z->Position + width);
      else
        value = int64_t{m.Address} + z->Addend;
      output.Patch(z->Position, value, width);
    }
  }
}

}  // namespace

bool FinishCompilation(MarkerMemo& markers, DestinationData& output, TVelReporter& reporter,
                       int32_t codeStart, uint32_t dataMemory, const char* listingName) {
  Place(markers);
  for (int32_t i = 0; i < markers.Count(); ++i) {
    Marke& m = markers.At(i);
    if ((m.Flags & mfSegmentMask) == segCode) m.Address = Wrap(int64_t{m.Address} + codeStart);
  }
  if (markers.Find("DATASEGMENT") >= 0)
    markers.SetValue("DATASEGMENT", static_cast<int32_t>(dataMemory));

  const int32_t code = LowestFixed(markers, segCode);
  const int32_t used = output.Position();
  markers.Define("CODESEGMENT", segAbsolute, code, 65536);
  markers.Define("VEL_CODESEGMENT", segAbsolute, code, used);
  markers.Define("C_CODESEGMENT", segAbsolute, Wrap(int64_t{code} + used), 65536 - used);
  int64_t need = 0;
  for (int32_t i = 0; i < markers.Count(); ++i)
    if ((markers.At(i).Flags & mfSegmentMask) == segData) need += markers.At(i).Value;
  if (int64_t{dataMemory} < need)
    reporter.Report(msgTooLittleRam, {std::to_string((need + 1023) / 1024)});
  const int32_t data = LowestFixed(markers, segData);
  markers.Define("VEL_DATASEGMENT", segAbsolute, data, Wrap(need));
  markers.Define("C_DATASEGMENT", segAbsolute, Wrap(int64_t{data} + need),
                 Wrap(int64_t{dataMemory} - need));

  if (listingName != nullptr && *listingName != '\0') (void)WriteListing(markers, listingName);

  Resolve(markers, output, reporter, code);

  if (reporter.ErrorCount() > 0) {
    output.Discard();
    return false;
  }
  if (!output.Finish()) {
    reporter.Report(msgWriteError, {output.Name()});
    output.Discard();
    return false;
  }
  return true;
}
