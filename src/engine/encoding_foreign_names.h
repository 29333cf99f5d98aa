#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>

namespace zeph {

// Nicks and channel names a server sent in the other wire encoding than
// the unit's, with the bytes they came in. Decoded, such a name reads like
// any other, but the unit's encoding would write it back as a different
// name on the server: it is addressed by the server's own bytes instead.
class TForeignNames {
 public:
  // Enough for every name of a large channel list; the names seen longest
  // ago make room when it is full.
  static constexpr size_t kCapacity = 4096;

  // A name just received: `name` as decoded, `wire` the bytes it came in,
  // `foreign` whether it was read in the other encoding. A name that comes
  // in the unit's own encoding too is written in that encoding again, as a
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
