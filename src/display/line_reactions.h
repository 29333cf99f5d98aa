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
  bool enable_keyword_sound = false;      // EnableKeywordSound
  std::string keyword_sound_file;         // KeywordSoundFile
  bool record_url_in_my_message = false;    // RecordUrlInMyMessage
  bool ignore_url_in_console_reply = true;  // IgnoreURLInConsoleReply
  bool auto_clip_url = false;             // AutoClipUrl

  bool operator==(const TLineReactionSettings&) const = default;
};

// The log a line was added to, as the print operation knows it.
struct TLineOrigin {
  TNodeId unit = kNoNode;
  TNodeId channel = kNoNode;     // kNoNode: the unit log
  bool keyword_switch = true;     // the target's Keyword switch
  std::string_view current_nick;  // the unit's current nick
  // For channel lines: the unit-and-channel prefix that history entries
  // carry as their place piece, so that they show where they came from.
  std::string_view history_place;
};

// What happens after a line was added to a unit log or a channel log: a
// keyword hit marks the tree, blinks the title, plays the keyword sound and
// enters the keyword history; URLs enter the URL history and, when asked,
// the clipboard queue.
class TLineReactions {
 public:
  TLineReactions(const TKeywordMatcher& keywords, TDisplayNotifier& notifier, TLineHistory& keyword_history,
                 TLineHistory& url_history, TUrlClipQueue& clip_queue);

  void SetSettings(const TLineReactionSettings& settings) { settings_ = settings; }
  const TLineReactionSettings& Settings() const { return settings_; }

  // line is what the log built from source.
  void AfterLineAdded(const TLineOrigin& origin, const TLogLineSource& source, const TLogLine& line);

 private:
  void OnKeywordHit(const TLineOrigin& origin, const TLogLineSource& source, const TLogLine& line);
  void OnUrlsSeen(const TLineOrigin& origin, const TLogLineSource& source, const TLogLine& line);
  bool IsOwnLine(const TLineOrigin& origin, const TLogLine& line) const;
  const TLogLineSource& HistoryEntry(const TLineOrigin& origin, const TLogLineSource& source, const TLogLine& line);

  const TKeywordMatcher& keywords_;
  TDisplayNotifier& notifier_;
  TLineHistory& keyword_history_;
  TLineHistory& url_history_;
  TUrlClipQueue& clip_queue_;
  TLineReactionSettings settings_;
  TLogLineSource entry_;  // the last history entry; its buffers serve the next
};

}  // namespace zeph
