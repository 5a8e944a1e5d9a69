// Messages collected while an action runs, shown as boxes once it ends. The same text
// is kept only once, so a failure reported on every retry of a wait shows up once.
#pragma once

#include <cstdint>
#include <mutex>
#include <string>
#include <string_view>
#include <vector>

namespace krlad {

struct TLoaderMessage {
  char Kind = 'E';  // 'E' error, 'W' warning
  uint32_t Id = 0;
  std::string Text;
};

class TMessageList {
 public:
  // Thread-safe: the window thread adds the cancel message while the worker runs.
  void Add(char kind, uint32_t id, std::string_view text);
  // The messages in order of arrival; the list is empty afterwards.
  std::vector<TLoaderMessage> Take();

 private:
  std::mutex Mutex_;
  std::vector<TLoaderMessage> Messages_;
};

}  // namespace krlad
