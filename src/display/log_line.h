#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "display/decoration.h"
#include "display/link_key.h"
#include "display/text_range.h"

// One line of a log: what a print operation hands over, and the line built
// from it with its runs of decorated, classified text.
namespace zeph {

enum class TLogElement : std::uint8_t { Text = 0, Time = 1, Nick = 2, Place = 3, Url = 4, Address = 5, Keyword = 6 };

// Line categories (fonts of the view) whose lines are matched against the
// keywords: Privmsg, Notice and Action.
inline bool IsMessageCategory(int category) { return category >= 0 && category <= 2; }

// The link key of a console copy of a line from the unit log (channel
// kNoNode) or from a channel: it leads back to that log. Quits and nick
// changes concern no single place, so their copies lead nowhere.
inline TLinkKey ConsoleCopyKey(TNodeId unit, TNodeId channel, int category) {
  constexpr int kQuitCategory = 5;
  constexpr int kNickCategory = 8;
  if (category == kQuitCategory || category == kNickCategory) return {};
  return TLinkKey::ForTarget(unit, channel);
}

// The record a print operation builds.
struct TLogLineSource {
  std::string time;       // time piece, may be empty
  std::string place;      // place piece, may be empty
  std::string nick_piece;  // nick prefix, may be empty
  std::string body;       // message text with IRC control bytes
  int category = 0;       // font category 0..19
  int nick_class = 0;      // 0 other users, 1 the user himself, 2..6 user groups 1..5
  std::string nick;       // the sender's plain nick, empty when none
  TLinkKey link_key;       // where the line came from; empty for lines of own logs
  std::uint64_t serial = 0;
  TNodeId unit = kNoNode;     // source unit, kNoNode when the line has none
  TNodeId channel = kNoNode;  // source channel, talk or DCC chat; kNoNode for unit log lines
};

// A stretch of text drawn alike. The runs of a line cover its text from 0 to
// its end without gaps or overlaps; the line's prefix pieces (time, place,
// nick) are the runs of those elements at its start.
struct TLogRun {
  size_t start = 0;
  size_t end = 0;
  TLogElement element = TLogElement::Text;
  TDecoration decoration;

  bool operator==(const TLogRun&) const = default;
};

// A built line with everything a view needs to draw it. The store keeps
// its lines packed and hands them out as values of this type; the layout a
// view computes for a line is the view's, kept apart from it.
struct TLogLine {
  std::string text;  // time + place + nick piece + plain body (control bytes removed, tabs expanded)
  size_t prefix_length = 0;
  std::vector<TLogRun> runs;
  std::vector<TTextRange> urls;       // positions in text
  std::vector<TTextRange> addresses;  // positions in text
  bool keyword_hit = false;
  int category = 0;
  int nick_class = 0;
  std::string nick;
  TLinkKey link_key;
  std::uint64_t serial = 0;
  TNodeId unit = kNoNode;
  TNodeId channel = kNoNode;

  // The element of the run holding pos; Text when no run does.
  TLogElement ElementAt(size_t pos) const;
  // The URL (or address) whose range holds pos; empty when none does.
  std::string_view UrlAt(size_t pos) const;
  std::string_view AddressAt(size_t pos) const;

  bool operator==(const TLogLine&) const = default;
};

}  // namespace zeph
