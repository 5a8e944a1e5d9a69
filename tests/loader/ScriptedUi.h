// A loader user interface for tests: records texts, boxes and questions, answers the
// questions from a script and runs the worker on a thread of its own.
#pragma once

#include <deque>
#include <functional>
#include <map>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "loader/actions/LoaderUi.h"

class TScriptedUi final : public krlad::TLoaderUi {
 public:
  struct TBox {
    krlad::TBoxKind Kind;
    std::string Text;
  };

  void SetText(krlad::TStatusField field, std::string_view text) override {
    std::lock_guard lock(Mutex_);
    Texts_.push_back({field, std::string(text)});
  }
  void ProgressStart(int32_t) override {}
  void ProgressStep(int32_t n) override {
    std::lock_guard lock(Mutex_);
    Steps_ = n;
  }
  void ProgressHide() override {}

  int32_t ShowBox(krlad::TBoxKind kind, std::string_view text) override {
    std::lock_guard lock(Mutex_);
    Boxes_.push_back({kind, std::string(text)});
    if (kind != krlad::TBoxKind::Question) return krlad::baOk;
    if (Answers_.empty()) return krlad::baOther;  // an unexpected question
    const int32_t answer = Answers_.front();
    Answers_.pop_front();
    return answer;
  }

  int32_t RunWorker(const std::function<int32_t()>& work) override {
    int32_t result = 0;
    std::thread worker([&] { result = work(); });
    worker.join();
    return result;
  }

  // Forgets what was shown, for the next run with the same interface.
  void Clear() {
    std::lock_guard lock(Mutex_);
    Texts_.clear();
    Boxes_.clear();
  }
  void Answer(int32_t answer) {
    std::lock_guard lock(Mutex_);
    Answers_.push_back(answer);
  }
  std::vector<TBox> Boxes() const {
    std::lock_guard lock(Mutex_);
    return Boxes_;
  }
  std::vector<std::string> Questions() const {
    std::vector<std::string> out;
    for (const TBox& b : Boxes())
      if (b.Kind == krlad::TBoxKind::Question) out.push_back(b.Text);
    return out;
  }
  std::vector<std::string> Errors() const {
    std::vector<std::string> out;
    for (const TBox& b : Boxes())
      if (b.Kind == krlad::TBoxKind::Error) out.push_back(b.Text);
    return out;
  }
  bool Showed(krlad::TStatusField field, std::string_view text) const {
    std::lock_guard lock(Mutex_);
    for (const auto& [f, t] : Texts_)
      if (f == field && t == text) return true;
    return false;
  }
  size_t TextCount() const {
    std::lock_guard lock(Mutex_);
    return Texts_.size();
  }
  int32_t Steps() const {
    std::lock_guard lock(Mutex_);
    return Steps_;
  }

 private:
  mutable std::mutex Mutex_;
  std::vector<std::pair<krlad::TStatusField, std::string>> Texts_;
  std::vector<TBox> Boxes_;
  std::deque<int32_t> Answers_;
  int32_t Steps_ = 0;
};
