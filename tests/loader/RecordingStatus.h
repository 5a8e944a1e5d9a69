// A status window for tests: records texts, progress and messages.
#pragma once

#include <map>
#include <mutex>
#include <string>
#include <vector>

#include "loader/link/LinkStatus.h"

class TRecordingStatus final : public krlad::TLinkStatus {
 public:
  struct TMessage {
    char Kind;
    uint32_t Id;
    std::string Text;
  };

  void SetText(krlad::TStatusField field, std::string_view text) override {
    std::lock_guard lock(Mutex_);
    Texts_[field] = std::string(text);
    History_.push_back(std::string(text));
  }
  void ProgressStart(int32_t total) override {
    std::lock_guard lock(Mutex_);
    Totals_.push_back(total);
    Position_ = 0;
    Shown_ = true;
  }
  void ProgressStep(int32_t n) override {
    std::lock_guard lock(Mutex_);
    Position_ = n;
  }
  void ProgressHide() override {
    std::lock_guard lock(Mutex_);
    Shown_ = false;
  }
  void Message(char kind, uint32_t id, std::string_view text) override {
    std::lock_guard lock(Mutex_);
    Messages_.push_back({kind, id, std::string(text)});
  }

  std::string Text(krlad::TStatusField field) const {
    std::lock_guard lock(Mutex_);
    auto at = Texts_.find(field);
    return at == Texts_.end() ? std::string() : at->second;
  }
  bool Showed(const std::string& text) const {
    std::lock_guard lock(Mutex_);
    for (const auto& t : History_)
      if (t == text) return true;
    return false;
  }
  std::vector<int32_t> Totals() const {
    std::lock_guard lock(Mutex_);
    return Totals_;
  }
  int32_t Position() const {
    std::lock_guard lock(Mutex_);
    return Position_;
  }
  bool ProgressShown() const {
    std::lock_guard lock(Mutex_);
    return Shown_;
  }
  std::vector<TMessage> Messages() const {
    std::lock_guard lock(Mutex_);
    return Messages_;
  }
  std::vector<uint32_t> MessageIds() const {
    std::lock_guard lock(Mutex_);
    std::vector<uint32_t> ids;
    for (const auto& m : Messages_) ids.push_back(m.Id);
    return ids;
  }

 private:
  mutable std::mutex Mutex_;
  std::map<krlad::TStatusField, std::string> Texts_;
  std::vector<std::string> History_;
  std::vector<int32_t> Totals_;
  int32_t Position_ = 0;
  bool Shown_ = false;
  std::vector<TMessage> Messages_;
};
