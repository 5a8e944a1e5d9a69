// Inserts arbitrary bytes as a file into an editor window at a small chunk size and checks
// that the document holds exactly those bytes split at CR LF, and that one undo removes them.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "editor/text/ChildClasses.h"
#include "editor/text/ChildWindowProc.h"
#include "editor/text/EditChildData.h"
#include "fuzz/FuzzScratch.h"
#include "platform/ui/HeadlessBackend.h"
#include "platform/ui/UiSystem.h"
#include "platform/ui/Window.h"

namespace {

platform::TWindow EditWindow() {
  static platform::TWindow window = [] {
    platform::InitUi(std::make_unique<platform::THeadlessBackend>());
    if (!RegisterChildClass(wkEdit, EditChildProc)) std::abort();
    TChildCreateParams params{};
    params.Kind = wkEdit;
    params.FileName = "";
    params.TabWidth = 8;
    return platform::CreateWindowEx(0, "ZKEditEditWin", "fuzz", platform::WS_VISIBLE,
                                    {0, 0, 300, 200}, 0, &params);
  }();
  return window;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 1) return 0;
  auto* d = dynamic_cast<TEditChildData*>(GetChildData(EditWindow()));
  if (!d) std::abort();
  const int32_t chunk = 2 + data[0] % 16;
  static const std::string in = FuzzScratchFile("insert.txt");
  FuzzWriteFile(in, data + 1, size - 1);
  const std::string bytes(reinterpret_cast<const char*>(data + 1), size - 1);

  d->Lines.Empty();
  d->Lines.AddCopy("<>");
  d->SetCaret(1, 0, false, false);
  int32_t status = d->InsertFile(in.c_str(), chunk);
  std::string joined;
  for (int32_t i = 0; i < d->Lines.Count(); ++i) {
    if (i) joined += "\r\n";
    joined += d->Lines.Text(i);
  }
  if (status == 0) {
    // Lines never hold NUL; every other byte lands where it stood.
    if (joined != "<" + bytes + ">") std::abort();
  } else if (status == -6) {
    if (bytes.find('\0') == std::string::npos) std::abort();
  } else if (status != 1000) {
    std::abort();
  }
  if (d->Editor->CanUndo()) d->Undo();
  if (d->Lines.Count() != 1 || d->Lines.Text(0) != "<>") std::abort();
  return 0;
}
