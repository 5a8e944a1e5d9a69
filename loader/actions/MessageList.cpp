// The loader's message list.
#include "loader/actions/MessageList.h"

namespace krlad {

void TMessageList::Add(char kind, uint32_t id, std::string_view text) {
  std::lock_guard lock(Mutex_);
  for (const TLoaderMessage& m : Messages_)
    if (m.Text == text) return;
  Messages_.push_back({kind, id, std::string(text)});
}

std::vector<TLoaderMessage> TMessageList::Take() {
  std::lock_guard lock(Mutex_);
  std::vector<TLoaderMessage> out;
  out.swap(Messages_);
  return out;
}

}  // namespace krlad
