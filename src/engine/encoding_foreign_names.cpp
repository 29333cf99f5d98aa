#include "engine/encoding_foreign_names.h"

#include <algorithm>
#include <vector>

#include "engine/channel_name.h"

namespace zeph {
namespace {

constexpr unsigned char kEsc = 0x1B;
constexpr unsigned char kShiftOut = 0x0E;
constexpr unsigned char kShiftIn = 0x0F;

bool HasEightBit(std::string_view text) {
  return std::any_of(text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) >= 0x80; });
}

// Sent back as they came, the bytes must stay one name: a blank or comma
// would split them into more parameters or targets (an invitation to
// «#a,0» must not make a JOIN leave every channel), a leading colon would
// swallow the rest of the line. ISO-2022-JP needs ESC, SO and SI.
bool StaysOneName(std::string_view wire) {
  if (wire.empty() || wire.front() == ':') return false;
  return std::all_of(wire.begin(), wire.end(), [](char ch) {
    auto c = static_cast<unsigned char>(ch);
    if (c == kEsc || c == kShiftOut || c == kShiftIn) return true;
    return c > 0x20 && c != ',' && c != 0x7F;
  });
}

}  // namespace

void TForeignNames::Note(std::string_view name, std::string_view wire, bool foreign) {
  if (!HasEightBit(name)) return;
  if (!foreign) {
    if (!names_.empty()) names_.erase(IrcUpper(name));
    return;
  }
  if (!StaysOneName(wire)) return;
  std::string key = IrcUpper(name);
  if (names_.size() >= kCapacity && !names_.contains(key)) DropOldestQuarter();
  names_[std::move(key)] = TEntry{std::string(wire), ++clock_};
}

const std::string* TForeignNames::Find(std::string_view name) const {
  if (names_.empty()) return nullptr;
  auto found = names_.find(IrcUpper(name));
  return found == names_.end() ? nullptr : &found->second.wire;
}

// A quarter at a time, so that a server flooding new names costs a
// constant amount of work per name.
void TForeignNames::DropOldestQuarter() {
  std::vector<uint64_t> seen;
  seen.reserve(names_.size());
  for (const auto& [key, entry] : names_) seen.push_back(entry.seen);
  auto cut = seen.begin() + static_cast<std::ptrdiff_t>(seen.size() / 4);
  std::nth_element(seen.begin(), cut, seen.end());
  uint64_t last_dropped = *cut;
  std::erase_if(names_, [&](const auto& item) { return item.second.seen <= last_dropped; });
}

}  // namespace zeph
