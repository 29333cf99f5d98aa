// Mode texts arrive from servers. Applying any of them must leave a record
// whose Diff to any other record, sent back as MODE texts, turns the one
// into the other.
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "engine/channel_mode.h"

using namespace zeph;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string_view input(reinterpret_cast<const char*>(data), size);
  size_t split = input.find('\n');
  std::string_view first = input.substr(0, split);
  std::string_view second = split == std::string_view::npos ? std::string_view() : input.substr(split + 1);

  TChannelMode from;
  from.Apply(first);
  TChannelMode to;
  to.Apply(second);
  if (from.limit < 0 || to.limit < 0) abort();
  to.q = from.q;  // not part of a Diff
  TModeChange change = from.Diff(to);
  from.Apply(change.first);
  from.Apply(change.second);
  if (!(from == to)) abort();

  TUserMode user;
  user.Apply(input);
  if (user.ToText().empty()) abort();
  return 0;
}
