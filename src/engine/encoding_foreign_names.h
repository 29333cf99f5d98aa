#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>

namespace zeph {

// Nicks and channel names whose server bytes the unit's encoding would not
// write back (sent in the other wire encoding, or in a form of ours the
// encoder does not produce), with the bytes they came in. Decoded, such a
// name reads like any other, but encoded again it would be a different name
// on the server: it is addressed by the server's own bytes instead.
class TForeignNames {
 public:
  // Enough for every name of a large channel list; the names seen longest
  // ago make room when it is full.
  static constexpr size_t kCapacity = 4096;

  // A name just received: `name` as decoded, `wire` the bytes it came in,
  // `foreign` whether those bytes must be kept. A name that comes in bytes
  // the unit's encoding writes too is written in that encoding again, as a
  // user typing it would mean. Only names with a character beyond ASCII
  // are kept, and only bytes that stay one parameter in a command list.
  void Note(std::string_view name, std::string_view wire, bool foreign);
  // The server's bytes of a name kept here, null for any other name.
  // Compared as the server compares, case folded.
  const std::string* Find(std::string_view name) const;
  bool Empty() const { return names_.empty(); }

 private:
  struct TEntry {
    std::string wire;
    uint64_t seen = 0;
  };

  void DropOldestQuarter();

  std::unordered_map<std::string, TEntry> names_;  // by IrcUpper of the decoded name
  uint64_t clock_ = 0;
};

}  // namespace zeph
