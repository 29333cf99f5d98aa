#pragma once

#include <optional>

// The listening ports of DCC offers. File offers and chat offers each take
// ports from their own range of the preferences, through one cursor per
// range that all units share, so successive offers move through the range.
namespace zeph {

struct TPreferences;

// Said when every port of a range is busy.
inline constexpr const char* kNoFreePortText = "空きポートがありません";

struct TPortRange {
  int start = 0;
  int end = 0;
};
// DCCReceivePortStart…DCCReceivePortEnd and DCCChatPortStart…DCCChatPortEnd.
TPortRange FileOfferPorts(const TPreferences& preferences);
TPortRange ChatOfferPorts(const TPreferences& preferences);

class TPortAllocator {
 public:
  // The port after the last one handed out, back to the start once past
  // the end; nothing when the range is empty. A range reaching outside
  // 1..65535 is held to it, so no offer ever names port 0 or listens on
  // whatever port the system picks.
  std::optional<int> Next(const TPortRange& range);

 private:
  int cursor_ = 0;
};

// The ports one offer tries in turn: a port that cannot be bound gives way
// to the next, until the allocator comes back to the first port tried.
class TPortSearch {
 public:
  TPortSearch(TPortAllocator& allocator, const TPortRange& range) : allocator_(allocator), range_(range) {}

  // The port to try now; nothing when the range is used up (report
  // kNoFreePortText).
  std::optional<int> Next();

 private:
  TPortAllocator& allocator_;
  TPortRange range_;
  std::optional<int> first_;
};

}  // namespace zeph
