// The plug-in's window "Meldungen": a list of the message file's lines. Choosing an entry
// that carries "[Zeile:n]" reports line n, so that the source can be shown at that line.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "compiler/plugin/HostShapes.h"

// The number behind "[Zeile:" up to the next "]"; 0 when the entry has none or it is not a
// positive number.
int32_t EntryLineNumber(std::string_view entry);

// The lines of a message file for the list (Windows-1252 in, UTF-8 out), each cut to 511
// characters without its line end; false when the file cannot be opened.
bool ReadMessageLines(const std::string& path, std::vector<std::string>& lines);

class TErrorView {
 public:
  using TChoose = std::function<void(int32_t line)>;

  TErrorView() = default;
  ~TErrorView();
  TErrorView(const TErrorView&) = delete;
  TErrorView& operator=(const TErrorView&) = delete;

  void SetOnChoose(TChoose choose) { OnChoose_ = std::move(choose); }
  // Fills the window (made on first use, then reused) with the message file's lines; when
  // the file cannot be opened the window is closed instead.
  void ShowFile(velhost::THostWindow& host, const std::string& messageFile);
  void Close();

  platform::TWindow Window() const { return Window_; }
  platform::TWindow List() const { return List_; }
  // Acts as a double click on entry `index` of the list.
  void Choose(int32_t index);

 private:
  static intptr_t Proc(platform::TWindow window, uint32_t message, uintptr_t wParam,
                       intptr_t lParam);
  bool Create(velhost::THostWindow& host);
  void Layout();

  platform::TWindow Window_ = 0;
  platform::TWindow List_ = 0;
  bool Mdi_ = false;
  TChoose OnChoose_;
};
