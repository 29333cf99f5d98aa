#pragma once

#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "display/link_key.h"
#include "engine/encoding.h"

namespace zeph {

class TChannel;

// A unit's targets by name, by wire name and by id, found in constant time
// however many talks strangers open. Names are keyed by their WireFold
// form, which depends on the wire encoding: a look-up with another encoding
// than the keys were made with makes them again. Targets sharing a key are
// kept in creation order, and the first of them is the one a name finds.
class TTargetIndex {
 public:
  using TTargets = std::vector<TChannel*>;

  void Add(const TWireEncoding& wire, TChannel& target);
  void Remove(TChannel& target);
  // After the target's name or wire name changed.
  void Rekey(const TWireEncoding& wire, TChannel& target);

  // The targets whose name, or whose wire name, is the given one on the
  // server; empty when none is.
  const TTargets& Named(const TWireEncoding& wire, std::string_view name);
  const TTargets& WithWireName(const TWireEncoding& wire, std::string_view name);
  TChannel* ById(TNodeId id) const;

 private:
  struct TEntry {
    TChannel* target;
    std::string name_key;
    std::string wire_key;
  };

  void UseEncoding(const TWireEncoding& wire);
  void Insert(TEntry& entry);
  void Erase(const TEntry& entry);

  TWireEncoding encoding_;  // the keys were made with this
  std::unordered_map<TNodeId, TEntry> entries_;
  std::unordered_map<std::string, TTargets> by_name_;
  std::unordered_map<std::string, TTargets> by_wire_;
};

}  // namespace zeph
