// The job record that the editor hands to the print library, the line callback behind a
// handle, the entry table and the message the preview posts: the contract of both sides.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string_view>

#include "platform/core/HandleTable.h"

// The library's file, next to the program.
inline constexpr std::string_view kPrintLibraryFile = "ZKPrint.DLL";
// Registered by name on both sides; the preview posts it to the job's owner window.
inline constexpr std::string_view kPreviewWantPrintMessage = "wm_ZKPreviewWantPrint";

// Page placeholders inside header and footer.
inline constexpr std::string_view kPagePlaceholder = "\x01\x01";
inline constexpr std::string_view kTotalPlaceholder = "\x02\x02";

inline constexpr int32_t kToTheEnd = 2147483647;
inline constexpr size_t kDocumentNameMax = 260;
inline constexpr size_t kHeaderMax = 150;

// Stores a pointer to the zero-terminated text of `line` (null for an empty line) in `text`
// and answers non-zero, or answers 0 when the line lies beyond the document. The text stays
// valid until the next call.
using TPrintLineProc = int32_t (*)(uint32_t context, int32_t line, int32_t measuring,
                                   const char** text);

#pragma pack(push, 1)
struct TPrintJob {
  uint32_t OwnerWindow;
  char DocumentName[kDocumentNameMax + 1];
  char Header[kHeaderMax + 1];
  char Footer[kHeaderMax + 1];
  uint8_t HeaderAlign;  // 0 centred, 1 left, 2 right
  uint8_t FooterAlign;
  uint8_t Reserved1[3];
  int32_t MarginLeft;  // hundredths of a centimetre from the paper edge
  int32_t MarginTop;
  int32_t MarginRight;
  int32_t MarginBottom;
  int32_t TabSize;
  uint8_t BreakLines;
  uint8_t LineNumbers;
  uint8_t Reserved2[2];
  int32_t FirstPage;  // 1-based
  int32_t LastPage;   // kToTheEnd: to the end
  int32_t FirstLine;  // 0-based; page 1 starts here
  int32_t LastLine;   // kToTheEnd: to the end
  uint32_t Font;
  uint32_t PrinterSettings;
  uint32_t PrinterNames;
  uint32_t DeviceContext;  // not used by the library
  uint32_t LineCallback;   // handle of a TPrintLineCallback
  uint32_t CallbackContext;
  uint8_t Preview;
  uint8_t Reserved3[3];
  int32_t PageCount;  // -1: not known
  int32_t LineCount;
};
#pragma pack(pop)

static_assert(sizeof(TPrintJob) == 648);
static_assert(offsetof(TPrintJob, OwnerWindow) == 0);
static_assert(offsetof(TPrintJob, DocumentName) == 4);
static_assert(offsetof(TPrintJob, Header) == 265);
static_assert(offsetof(TPrintJob, Footer) == 416);
static_assert(offsetof(TPrintJob, HeaderAlign) == 567);
static_assert(offsetof(TPrintJob, FooterAlign) == 568);
static_assert(offsetof(TPrintJob, Reserved1) == 569);
static_assert(offsetof(TPrintJob, MarginLeft) == 572);
static_assert(offsetof(TPrintJob, MarginTop) == 576);
static_assert(offsetof(TPrintJob, MarginRight) == 580);
static_assert(offsetof(TPrintJob, MarginBottom) == 584);
static_assert(offsetof(TPrintJob, TabSize) == 588);
static_assert(offsetof(TPrintJob, BreakLines) == 592);
static_assert(offsetof(TPrintJob, LineNumbers) == 593);
static_assert(offsetof(TPrintJob, Reserved2) == 594);
static_assert(offsetof(TPrintJob, FirstPage) == 596);
static_assert(offsetof(TPrintJob, LastPage) == 600);
static_assert(offsetof(TPrintJob, FirstLine) == 604);
static_assert(offsetof(TPrintJob, LastLine) == 608);
static_assert(offsetof(TPrintJob, Font) == 612);
static_assert(offsetof(TPrintJob, PrinterSettings) == 616);
static_assert(offsetof(TPrintJob, PrinterNames) == 620);
static_assert(offsetof(TPrintJob, DeviceContext) == 624);
static_assert(offsetof(TPrintJob, LineCallback) == 628);
static_assert(offsetof(TPrintJob, CallbackContext) == 632);
static_assert(offsetof(TPrintJob, Preview) == 636);
static_assert(offsetof(TPrintJob, Reserved3) == 637);
static_assert(offsetof(TPrintJob, PageCount) == 640);
static_assert(offsetof(TPrintJob, LineCount) == 644);

// The entries of the library: entry n of the table is ordinal n.
using TPrintEntry = int32_t (*)(TPrintJob* job);
struct TPrintEntryTable {
  uint32_t Count;          // entries that follow (2)
  TPrintEntry Entries[3];  // [0] unused, [1] zkp_Print, [2] zkp_PrintPreview
};
// The one exported symbol of the library.
inline constexpr const char* kPrintEntryTableSymbol = "ZKPrintEntries";

// The line callback as a handle-table object, so the 32-bit field of the job can name it.
class TPrintLineCallback final : public platform::THandleObject {
 public:
  explicit TPrintLineCallback(TPrintLineProc proc) : Proc(proc) {}
  platform::THandleKind Kind() const override { return platform::THandleKind::Other; }
  TPrintLineProc Proc;
};

// 0 when the table is full.
inline platform::THandle RegisterPrintLineCallback(TPrintLineProc proc) {
  return platform::AddHandle(std::make_unique<TPrintLineCallback>(proc));
}

// Null for 0, a stale handle or a handle of something else.
inline TPrintLineProc LookupPrintLineCallback(platform::THandle handle) {
  auto* object = dynamic_cast<TPrintLineCallback*>(
      platform::LookupHandle(handle, platform::THandleKind::Other));
  return object ? object->Proc : nullptr;
}
