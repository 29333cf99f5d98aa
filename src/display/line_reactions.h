#pragma once

#include <string>
#include <string_view>

#include "display/link_key.h"
#include "display/log_line.h"

namespace zeph {

class TDisplayNotifier;
class TKeywordMatcher;
class TLineHistory;
class TUrlClipQueue;

// The preferences that decide what follows a keyword hit or a URL; filled
// from TPreferences.
struct TLineReactionSettings {
  bool enableKeywordSound = false;      // EnableKeywordSound
  std::string keywordSoundFile;         // KeywordSoundFile
  bool recordUrlInMyMessage = false;    // RecordUrlInMyMessage
  bool ignoreUrlInConsoleReply = true;  // IgnoreURLInConsoleReply
  bool autoClipUrl = false;             // AutoClipUrl

  bool operator==(const TLineReactionSettings&) const = default;
};

// The log a line was added to, as the print operation knows it.
struct TLineOrigin {
  TNodeId unit = kNoNode;
  TNodeId channel = kNoNode;     // kNoNode: the unit log
  bool keywordSwitch = true;     // the target's Keyword switch
  std::string_view currentNick;  // the unit's current nick
  // For channel lines: the unit-and-channel prefix that history entries
  // carry as their place piece, so that they show where they came from.
  std::string_view historyPlace;
};

// What happens after a line was added to a unit log or a channel log: a
// keyword hit marks the tree, blinks the title, plays the keyword sound and
// enters the keyword history; URLs enter the URL history and, when asked,
// the clipboard queue.
class TLineReactions {
 public:
  TLineReactions(const TKeywordMatcher& keywords, TDisplayNotifier& notifier, TLineHistory& keywordHistory,
                 TLineHistory& urlHistory, TUrlClipQueue& clipQueue);

  void SetSettings(const TLineReactionSettings& settings) { settings_ = settings; }
  const TLineReactionSettings& Settings() const { return settings_; }

  // line is what the log built from source.
  void AfterLineAdded(const TLineOrigin& origin, const TLogLineSource& source, const TLogLine& line);

 private:
  void OnKeywordHit(const TLineOrigin& origin, const TLogLineSource& source, const TLogLine& line);
  void OnUrlsSeen(const TLineOrigin& origin, const TLogLineSource& source, const TLogLine& line);
  bool IsOwnLine(const TLineOrigin& origin, const TLogLine& line) const;
  static TLogLineSource HistoryEntry(const TLineOrigin& origin, const TLogLineSource& source, const TLogLine& line);

  const TKeywordMatcher& keywords_;
  TDisplayNotifier& notifier_;
  TLineHistory& keywordHistory_;
  TLineHistory& urlHistory_;
  TUrlClipQueue& clipQueue_;
  TLineReactionSettings settings_;
};

}  // namespace zeph
