#include "dcc/port_allocator.h"

#include <algorithm>

#include "settings/preferences.h"

namespace zeph {
namespace {

constexpr int kFirstPort = 1;
constexpr int kLastPort = 65535;

}  // namespace

TPortRange FileOfferPorts(const TPreferences& preferences) {
  return {preferences.DCCReceivePortStart, preferences.DCCReceivePortEnd};
}

TPortRange ChatOfferPorts(const TPreferences& preferences) {
  return {preferences.DCCChatPortStart, preferences.DCCChatPortEnd};
}

std::optional<int> TPortAllocator::Next(const TPortRange& range) {
  int start = std::max(range.start, kFirstPort);
  int end = std::min(range.end, kLastPort);
  if (end < start) return std::nullopt;
  // The cursor stays inside 0..65535, so this never overflows.
  ++cursor_;
  if (cursor_ < start || cursor_ > end) cursor_ = start;
  return cursor_;
}

std::optional<int> TPortSearch::Next() {
  std::optional<int> port = allocator_.Next(range_);
  if (!port || port == first_) return std::nullopt;
  if (!first_) first_ = port;
  return port;
}

}  // namespace zeph
