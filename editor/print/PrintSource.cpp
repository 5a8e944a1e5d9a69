// Describing document windows for printing, and their lines for the library.
#include "editor/print/PrintSource.h"

#include <sys/stat.h>

#include <algorithm>
#include <array>
#include <climits>
#include <filesystem>

#include "editor/hex/HexChildData.h"
#include "editor/text/ChildAccess.h"
#include "editor/text/ChildWindowProc.h"
#include "editor/text/EditChildData.h"
#include "editor/text/TextChildData.h"

using namespace platform;

namespace {

std::array<TPrintDescriber, 5>& Describers() {
  static std::array<TPrintDescriber, 5> describers{};
  return describers;
}

// Text editor and hit list: lines of the line store; a selection counts from three lines on.
bool DescribeTextWindow(TScrlChildData& object, TPrintSource& source) {
  auto* text = dynamic_cast<TTextChildData*>(&object);
  if (!text) return false;
  source.LineCount = text->Lines.Count();
  source.TabSize = text->TabWidth;
  source.HasSelection = text->HasSelection();
  if (source.HasSelection) {
    const TTextRange& r = text->Selection;
    source.SelectionPreferred = r.EndLine - r.StartLine >= 2;
    source.SelectionFirst = r.StartLine;
    source.SelectionLast = r.EndLine;
    // A selection that ends at the start of a line does not print that line.
    if (r.EndColumn == 0 && !text->ColumnBlock && r.EndLine > r.StartLine) --source.SelectionLast;
  }
  if (auto* edit = dynamic_cast<TEditChildData*>(text); edit && edit->FileRecorded) {
    source.HasFileDate = true;
    source.FileDate = edit->FileDate;
  }
  return true;
}

// Hex editor: display lines of 16 (64 in the characters-only view) bytes; a selection counts
// above 16 bytes; the date is the file's on disk.
bool DescribeHexWindow(TScrlChildData& object, TPrintSource& source) {
  auto* hex = dynamic_cast<THexChildData*>(&object);
  if (!hex) return false;
  const int64_t perLine = std::max(hex->PerLine(), 1);
  source.LineCount = static_cast<int32_t>(std::min<int64_t>(hex->FileSize() / perLine, INT32_MAX));
  source.HasSelection = hex->SelEnd > hex->SelStart;
  if (source.HasSelection) {
    source.SelectionPreferred = hex->SelEnd - hex->SelStart > 16;
    source.SelectionFirst = static_cast<int32_t>(std::min<int64_t>(hex->SelStart / perLine, INT32_MAX));
    // The end is exclusive: a selection up to a line's start leaves that line out.
    source.SelectionLast = static_cast<int32_t>(std::min<int64_t>((hex->SelEnd - 1) / perLine, INT32_MAX));
  }
  struct stat info{};
  if (!source.FileName.empty() && ::stat(source.FileName.c_str(), &info) == 0) {
    source.HasFileDate = true;
    source.FileDate.Seconds = info.st_mtim.tv_sec;
    source.FileDate.Nanoseconds = static_cast<int32_t>(info.st_mtim.tv_nsec);
  }
  return true;
}

}  // namespace

void RegisterPrintDescriber(uint8_t kind, TPrintDescriber describer) {
  if (kind < Describers().size()) Describers()[kind] = describer;
}

bool DescribePrintSource(TWindow window, const std::string& title, TPrintSource& source) {
  TScrlChildData* object = GetChildData(window);
  if (!object) return false;
  source = TPrintSource{};
  source.Kind = object->Kind;
  if (source.Kind != wkEdit && source.Kind != wkHex && source.Kind != wkGrep) return false;
  source.FileName = source.Kind == wkGrep ? std::string() : object->FileName;
  if (source.Kind == wkGrep) {
    source.DocumentName = "Fundstellen globale Suche";
  } else {
    source.DocumentName = source.FileName.empty() ? title : source.FileName;
  }
  TPrintDescriber describer = Describers()[source.Kind];
  if (describer) return describer(*object, source);
  if (source.Kind == wkHex) return DescribeHexWindow(*object, source);
  return DescribeTextWindow(*object, source);
}

int32_t PrintLineOfWindow(uint32_t context, int32_t line, int32_t, const char** text) {
  static std::string buffer;
  TScrlChildData* object = GetChildData(context);
  if (!object || !text) return 0;
  buffer.clear();
  if (!object->GetLineText(line, buffer)) return 0;
  *text = buffer.empty() ? nullptr : buffer.c_str();
  return 1;
}

THandle PrintLineCallbackHandle() {
  static THandle handle = 0;
  if (handle == 0 || LookupPrintLineCallback(handle) == nullptr) {
    handle = RegisterPrintLineCallback(&PrintLineOfWindow);
  }
  return handle;
}
