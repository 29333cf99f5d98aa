#include "display/line_reactions.h"

#include "display/display_notifier.h"
#include "display/keyword_matcher.h"
#include "display/line_history.h"
#include "display/url_clip_queue.h"

namespace zeph {
namespace {

// The category of server replies and the other kinds shown like them.
constexpr int kReplyCategory = 15;

}  // namespace

TLineReactions::TLineReactions(const TKeywordMatcher& keywords, TDisplayNotifier& notifier,
                               TLineHistory& keyword_history, TLineHistory& url_history, TUrlClipQueue& clip_queue)
    : keywords_(keywords),
      notifier_(notifier),
      keyword_history_(keyword_history),
      url_history_(url_history),
      clip_queue_(clip_queue) {}

void TLineReactions::AfterLineAdded(const TLineOrigin& origin, const TLogLineSource& source, const TLogLine& line) {
  if (line.keyword_hit) OnKeywordHit(origin, source, line);
  if (!line.urls.empty()) OnUrlsSeen(origin, source, line);
}

void TLineReactions::OnKeywordHit(const TLineOrigin& origin, const TLogLineSource& source, const TLogLine& line) {
  if (!origin.keyword_switch) return;
  notifier_.SetKeywordMark(origin.unit, origin.channel);
  if (keywords_.Settings().blink_title && !notifier_.IsMainWindowActive()) notifier_.BlinkTitle();
  if (settings_.enable_keyword_sound) notifier_.PlaySound(origin.unit, settings_.keyword_sound_file);
  keyword_history_.Add(HistoryEntry(origin, source, line));
}

void TLineReactions::OnUrlsSeen(const TLineOrigin& origin, const TLogLineSource& source, const TLogLine& line) {
  if (IsOwnLine(origin, line) && !settings_.record_url_in_my_message) return;
  if (origin.channel == kNoNode && line.category == kReplyCategory && settings_.ignore_url_in_console_reply) return;
  url_history_.Add(HistoryEntry(origin, source, line));
  if (settings_.auto_clip_url && IsMessageCategory(line.category)) {
    std::string_view text = line.text;
    for (const TTextRange& url : line.urls) clip_queue_.Push(text.substr(url.start, url.Length()));
  }
}

bool TLineReactions::IsOwnLine(const TLineOrigin& origin, const TLogLine& line) const {
  return line.nick_class == 1 || (!line.nick.empty() && line.nick == origin.current_nick);
}

// A copy of the line that leads back to it; channel lines name their unit
// and channel in the place piece. The copy is made over the previous one,
// whose buffers mostly hold it without allocating.
const TLogLineSource& TLineReactions::HistoryEntry(const TLineOrigin& origin, const TLogLineSource& source,
                                                   const TLogLine& line) {
  entry_ = source;
  if (origin.channel != kNoNode) entry_.place = origin.history_place;
  entry_.link_key = TLinkKey::ForLine(origin.unit, origin.channel, line.serial);
  entry_.unit = origin.unit;
  entry_.channel = origin.channel;
  return entry_;
}

}  // namespace zeph
