#pragma once

#include <cstdint>
#include <string>
#include <utility>

// Where a log line came from, so that activating a copy of it (in the
// console or a history) can lead back there. Units and channels are named by
// stable ids, never by pointers: a key whose unit or channel has gone since
// simply leads nowhere.
namespace zeph {

// A stable id of a unit or of a channel, talk or DCC chat, never reused while
// the program runs; 0 names nothing.
using TNodeId = std::uint64_t;
inline constexpr TNodeId kNoNode = 0;

enum class TLinkKind : std::uint8_t {
  None,    // lines of own logs, and console copies of nick changes and quits
  Target,  // a console copy: leads to the unit log or the channel
  Line,    // a history entry: leads to one line of the unit log or the channel
  Invite,  // an invitation: joins the channel named in channel_name
};

struct TLinkKey {
  TLinkKind kind = TLinkKind::None;
  TNodeId unit = kNoNode;
  TNodeId channel = kNoNode;  // kNoNode: the unit log
  std::uint64_t serial = 0;   // Line: the line's serial in its own log
  std::string channel_name;    // Invite: the channel to join

  static TLinkKey ForTarget(TNodeId unit, TNodeId channel) { return {TLinkKind::Target, unit, channel, 0, {}}; }
  static TLinkKey ForLine(TNodeId unit, TNodeId channel, std::uint64_t serial) {
    return {TLinkKind::Line, unit, channel, serial, {}};
  }
  static TLinkKey ForInvite(TNodeId unit, std::string channel_name) {
    return {TLinkKind::Invite, unit, kNoNode, 0, std::move(channel_name)};
  }

  bool IsEmpty() const { return kind == TLinkKind::None; }
  bool operator==(const TLinkKey&) const = default;
};

}  // namespace zeph
