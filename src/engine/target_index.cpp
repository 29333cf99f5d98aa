#include "engine/target_index.h"

#include <algorithm>

#include "engine/channel.h"
#include "engine/channel_name.h"

namespace zeph {
namespace {

const TTargetIndex::TTargets kNone;

// Node ids grow with every target made, so they are the creation order.
void InsertInOrder(TTargetIndex::TTargets& targets, TChannel* target) {
  auto later = std::upper_bound(targets.begin(), targets.end(), target,
                                [](const TChannel* a, const TChannel* b) { return a->Id() < b->Id(); });
  targets.insert(later, target);
}

void EraseFrom(std::unordered_map<std::string, TTargetIndex::TTargets>& map, const std::string& key,
               const TChannel* target) {
  auto found = map.find(key);
  if (found == map.end()) return;
  std::erase(found->second, target);
  if (found->second.empty()) map.erase(found);
}

const TTargetIndex::TTargets& Lookup(const std::unordered_map<std::string, TTargetIndex::TTargets>& map,
                                     const std::string& key) {
  auto found = map.find(key);
  return found == map.end() ? kNone : found->second;
}

}  // namespace

void TTargetIndex::Add(const TWireEncoding& wire, TChannel& target) {
  UseEncoding(wire);
  TEntry& entry = entries_[target.Id()];
  entry.target = &target;
  Insert(entry);
}

void TTargetIndex::Remove(TChannel& target) {
  auto found = entries_.find(target.Id());
  if (found == entries_.end()) return;
  Erase(found->second);
  entries_.erase(found);
}

void TTargetIndex::Rekey(const TWireEncoding& wire, TChannel& target) {
  UseEncoding(wire);
  auto found = entries_.find(target.Id());
  if (found == entries_.end()) return;
  Erase(found->second);
  Insert(found->second);
}

const TTargetIndex::TTargets& TTargetIndex::Named(const TWireEncoding& wire, std::string_view name) {
  UseEncoding(wire);
  return Lookup(by_name_, WireFold(wire, name));
}

const TTargetIndex::TTargets& TTargetIndex::WithWireName(const TWireEncoding& wire, std::string_view name) {
  UseEncoding(wire);
  return Lookup(by_wire_, WireFold(wire, name));
}

TChannel* TTargetIndex::ById(TNodeId id) const {
  auto found = entries_.find(id);
  return found == entries_.end() ? nullptr : found->second.target;
}

void TTargetIndex::UseEncoding(const TWireEncoding& wire) {
  if (wire == encoding_) return;
  encoding_ = wire;
  by_name_.clear();
  by_wire_.clear();
  for (auto& [id, entry] : entries_) Insert(entry);
}

void TTargetIndex::Insert(TEntry& entry) {
  entry.name_key = WireFold(encoding_, entry.target->Name());
  entry.wire_key = WireFold(encoding_, entry.target->WireName());
  InsertInOrder(by_name_[entry.name_key], entry.target);
  InsertInOrder(by_wire_[entry.wire_key], entry.target);
}

void TTargetIndex::Erase(const TEntry& entry) {
  EraseFrom(by_name_, entry.name_key, entry.target);
  EraseFrom(by_wire_, entry.wire_key, entry.target);
}

}  // namespace zeph
