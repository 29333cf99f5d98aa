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
                               TLineHistory& keywordHistory, TLineHistory& urlHistory, TUrlClipQueue& clipQueue)
    : keywords_(keywords),
      notifier_(notifier),
      keywordHistory_(keywordHistory),
      urlHistory_(urlHistory),
      clipQueue_(clipQueue) {}

void TLineReactions::AfterLineAdded(const TLineOrigin& origin, const TLogLineSource& source, const TLogLine& line) {
  if (line.keywordHit) OnKeywordHit(origin, source, line);
  if (!line.urls.empty()) OnUrlsSeen(origin, source, line);
}

void TLineReactions::OnKeywordHit(const TLineOrigin& origin, const TLogLineSource& source, const TLogLine& line) {
  if (!origin.keywordSwitch) return;
  notifier_.SetKeywordMark(origin.unit, origin.channel);
  if (keywords_.Settings().blinkTitle && !notifier_.IsMainWindowActive()) notifier_.BlinkTitle();
  if (settings_.enableKeywordSound) notifier_.PlaySound(origin.unit, settings_.keywordSoundFile);
  keywordHistory_.Add(HistoryEntry(origin, source, line));
}

void TLineReactions::OnUrlsSeen(const TLineOrigin& origin, const TLogLineSource& source, const TLogLine& line) {
  if (IsOwnLine(origin, line) && !settings_.recordUrlInMyMessage) return;
  if (origin.channel == kNoNode && line.category == kReplyCategory && settings_.ignoreUrlInConsoleReply) return;
  urlHistory_.Add(HistoryEntry(origin, source, line));
  if (settings_.autoClipUrl && IsMessageCategory(line.category)) {
    std::string_view text = line.text;
    for (const TTextRange& url : line.urls) clipQueue_.Push(text.substr(url.start, url.Length()));
  }
}

bool TLineReactions::IsOwnLine(const TLineOrigin& origin, const TLogLine& line) const {
  return line.nickClass == 1 || (!line.nick.empty() && line.nick == origin.currentNick);
}

// A copy of the line that leads back to it; channel lines name their unit
// and channel in the place piece.
TLogLineSource TLineReactions::HistoryEntry(const TLineOrigin& origin, const TLogLineSource& source,
                                            const TLogLine& line) {
  TLogLineSource entry = source;
  if (origin.channel != kNoNode) entry.place = origin.historyPlace;
  entry.linkKey = TLinkKey::ForLine(origin.unit, origin.channel, line.serial);
  entry.unit = origin.unit;
  entry.channel = origin.channel;
  return entry;
}

}  // namespace zeph
