// The loader's user interface in its status window "KRLADWIN": the worker's texts,
// progress and boxes go to the window; "Abbruch" or closing raises the run's cancel flag.
#pragma once

#include "loader/actions/LoaderUi.h"
#include "loader/window/StatusWindow.h"

namespace krlad {

class TWindowUi final : public TLoaderUi {
 public:
  explicit TWindowUi(TStatusWindow& window) : Window_(window) {}

  void SetText(TStatusField field, std::string_view text) override {
    (void)Window_.SetText(static_cast<int32_t>(field), text);
  }
  void ProgressStart(int32_t total) override { Window_.ProgressStart(total); }
  void ProgressStep(int32_t n) override { Window_.ProgressStep(n); }
  void ProgressHide() override { Window_.ProgressHide(); }

  [[nodiscard]] int32_t ShowBox(TBoxKind kind, std::string_view text) override {
    return Window_.ShowBox(kind, text);
  }

  // -1 when the window could not be made (nothing has run then).
  [[nodiscard]] int32_t RunWorker(const std::function<int32_t()>& work) override {
    // The window's own flag is not the one the port polls: pass the cancel on, with 1002
    // shown by the run like every other message.
    Window_.SetCancelHandler([this] { UserCancel(); });
    return Window_.Run(work);
  }

 private:
  TStatusWindow& Window_;
};

static_assert(int32_t{baYes} == baYes && int32_t{baNo} == baNo && int32_t{baOk} == baOk &&
              int32_t{baOther} == baOther);

}  // namespace krlad
