// The window "Meldungen" and the line numbers of its entries.
#include "compiler/plugin/ErrorView.h"

#include <cstdio>

#include "compiler/core/Charset.h"
#include "platform/ui/Controls.h"
#include "platform/ui/ListBox.h"
#include "platform/ui/Mdi.h"
#include "platform/ui/MessageLoop.h"
#include "platform/ui/Window.h"
#include "resources/velcomp/Strings.h"

using namespace platform;

namespace {

constexpr std::string_view kViewClass = "VELMeldungen";
constexpr int32_t idcMessageList = 100;
constexpr size_t kEntryMax = 511;

}  // namespace

int32_t EntryLineNumber(std::string_view entry) {
  static constexpr std::string_view kMark = "[Zeile:";
  const size_t at = entry.find(kMark);
  if (at == std::string_view::npos) return 0;
  const size_t start = at + kMark.size();
  const size_t end = entry.find(']', start);
  if (end == std::string_view::npos) return 0;
  std::string_view digits = entry.substr(start, end - start);
  while (!digits.empty() && digits.front() == ' ') digits.remove_prefix(1);
  if (digits.empty()) return 0;
  int64_t value = 0;
  for (char c : digits) {
    if (c < '0' || c > '9') return 0;
    value = value * 10 + (c - '0');
    if (value > INT32_MAX) return 0;
  }
  return static_cast<int32_t>(value);
}

bool ReadMessageLines(const std::string& path, std::vector<std::string>& lines) {
  lines.clear();
  std::FILE* f = std::fopen(path.c_str(), "rb");
  if (f == nullptr) return false;
  std::string line;
  bool open = false;  // a line has begun and not yet ended
  auto finish = [&] {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.size() > kEntryMax) line.resize(kEntryMax);
    lines.push_back(Cp1252ToUtf8(line));
    line.clear();
    open = false;
  };
  int c;
  while ((c = std::fgetc(f)) != EOF) {
    if (c == '\n') {
      finish();
    } else {
      line += static_cast<char>(c);
      open = true;
    }
  }
  if (open) finish();
  std::fclose(f);
  return true;
}

TErrorView::~TErrorView() { Close(); }

void TErrorView::Close() {
  if (Window_ != 0 && IsWindow(Window_)) {
    const TWindow window = Window_;
    if (Mdi_) {
      SendMessage(GetParent(window), WM_MDIDESTROY, window, 0);
    } else {
      DestroyWindow(window);
    }
  }
  Window_ = 0;
  List_ = 0;
}

bool TErrorView::Create(velhost::THostWindow& host) {
  if (Window_ != 0 && IsWindow(Window_)) return true;
  if (!FindWindowClass(kViewClass)) {
    TWindowClass cls;
    cls.Name = std::string(kViewClass);
    cls.Proc = Proc;
    cls.Background = COLOR_WINDOW + 1;
    if (!RegisterWindowClass(cls)) return false;
  }
  const std::string caption(LoadVelString(vsVelComp, vcMessagesCaption));
  const TWindow client = host.MdiClient();
  Mdi_ = client != 0;
  if (Mdi_) {
    TMdiCreateStruct cs;
    cs.ClassName = kViewClass;
    cs.Title = caption;
    cs.Params = this;
    Window_ = static_cast<TWindow>(
        SendMessage(client, WM_MDICREATE, 0, reinterpret_cast<intptr_t>(&cs)));
  } else {
    Window_ = CreateWindowEx(0, kViewClass, caption, WS_VISIBLE,
                             {60, 60, 560, 300}, host.MainWindow(), this);
  }
  return Window_ != 0;
}

void TErrorView::ShowFile(velhost::THostWindow& host, const std::string& messageFile) {
  std::vector<std::string> lines;
  if (!ReadMessageLines(messageFile, lines)) {
    Close();
    return;
  }
  if (!Create(host) || List_ == 0) return;
  SendMessage(List_, LB_RESETCONTENT, 0, 0);
  for (const std::string& line : lines) {
    SendMessage(List_, LB_ADDSTRING, 0, reinterpret_cast<intptr_t>(line.c_str()));
  }
  ShowWindow(Window_, true);
}

void TErrorView::Choose(int32_t index) {
  if (List_ == 0 || index < 0) return;
  std::string text;
  if (SendMessage(List_, LB_GETTEXT, static_cast<uintptr_t>(index),
                  reinterpret_cast<intptr_t>(&text)) == LB_ERR) {
    return;
  }
  const int32_t line = EntryLineNumber(text);
  if (line > 0 && OnChoose_) OnChoose_(line);
}

void TErrorView::Layout() {
  if (List_ == 0) return;
  const TRect client = GetClientRect(Window_);
  MoveWindow(List_, client);
}

intptr_t TErrorView::Proc(TWindow window, uint32_t message, uintptr_t wParam, intptr_t lParam) {
  if (message == WM_CREATE) {
    auto* cs = reinterpret_cast<const TCreateStruct*>(lParam);
    auto* self = static_cast<TErrorView*>(const_cast<void*>(cs->CreateParams));
    SetWindowExtra(window, 0, reinterpret_cast<intptr_t>(self));
    self->Window_ = window;
    self->List_ = CreateControl(kListBoxClass, "",
                                WS_VISIBLE | WS_VSCROLL | WS_BORDER | LBS_NOTIFY | WS_TABSTOP,
                                GetClientRect(window), window, idcMessageList);
    return 0;
  }
  auto* self = reinterpret_cast<TErrorView*>(GetWindowExtra(window, 0));
  const bool mdi = self != nullptr && self->Mdi_;
  auto defProc = [&] {
    return mdi ? DefMdiChildProc(window, message, wParam, lParam)
               : DefWindowProc(window, message, wParam, lParam);
  };
  if (self == nullptr) return defProc();
  switch (message) {
    case WM_SIZE:
      self->Layout();
      break;
    case WM_COMMAND:
      if (LoWord(wParam) == static_cast<uint32_t>(idcMessageList) &&
          HiWord(wParam) == LBN_DBLCLK) {
        self->Choose(static_cast<int32_t>(SendMessage(self->List_, LB_GETCURSEL, 0, 0)));
        return 0;
      }
      break;
    case WM_NCDESTROY:
      SetWindowExtra(window, 0, 0);
      self->Window_ = 0;
      self->List_ = 0;
      break;
    default:
      break;
  }
  return defProc();
}
