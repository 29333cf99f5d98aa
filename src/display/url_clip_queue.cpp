#include "display/url_clip_queue.h"

#include <utility>

namespace zeph {

void TUrlClipQueue::Push(std::string_view url) {
  if (urls_.size() >= capacity_) urls_.pop_front();
  urls_.emplace_back(url);
}

std::optional<std::string> TUrlClipQueue::Pop() {
  if (urls_.empty()) return std::nullopt;
  std::string url = std::move(urls_.front());
  urls_.pop_front();
  return url;
}

}  // namespace zeph
