#include "protocol/incoming_sender.h"

#include <algorithm>

#include "settings/preferences.h"
#include "engine/channel_name.h"
#include "engine/irc_message.h"
#include "engine/unit.h"

namespace zeph {
namespace {

bool IsOwnNickFolded(const TUnit& unit, std::string_view nick) { return SameName(unit.Wire(), nick, unit.Nick()); }

bool GroupWantsKeywords(const TPreferences& prefs, int index) {
  switch (index) {
    case 0: return prefs.EnableGroup1;
    case 1: return prefs.EnableGroup2;
    case 2: return prefs.EnableGroup3;
    case 3: return prefs.EnableGroup4;
    case 4: return prefs.EnableGroup5;
    default: return prefs.EnableNormal;
  }
}

bool HasAnyMask(const TUnit& unit) {
  const auto& groups = unit.UserGroups();
  return !unit.SelfMasks().empty() ||
         std::any_of(groups.begin(), groups.end(), [](const TUserGroup& group) { return !group.masks.empty(); });
}

}  // namespace

TIncoming NormaliseIncoming(const TUnit& unit, const TIrcMessage& message, TMessageKind kind, std::string text) {
  TIncoming in;
  in.kind = kind;
  in.nick = message.nick;
  in.user = message.user;
  in.host = message.host;
  in.target = message.Param(0);
  in.text = std::move(text);
  if (in.target == "*") in.nick.clear();
  // «NOTICE :text»: the only parameter is the text, and there is no target.
  if (kind != TMessageKind::Action && in.text.empty() && message.ParamCount() <= 1) {
    in.nick.clear();
    in.text = std::move(in.target);
    in.target.clear();
  }
  if (in.nick.empty() && !IsOwnNickFolded(unit, in.target)) {
    if (!in.target.empty()) in.text = in.target + " " + in.text;
    in.target.clear();
  }
  in.keyword_check = WantsKeywordCheck(unit, in);
  return in;
}

TMemberGroup ClassifySender(const TUnit& unit, std::string_view nick, std::string_view user,
                            std::string_view host) {
  if (!nick.empty() && IsOwnNickFolded(unit, nick)) return {kMemberGroupSelf, -1};
  // Most users set no masks; then the nick alone decides, and no member
  // record is built for each message received.
  if (!HasAnyMask(unit)) return nick == unit.CurrentNick() ? TMemberGroup{kMemberGroupSelf, -1} : TMemberGroup{};
  return ClassifyMember(TMember{std::string(nick), std::string(user), std::string(host)}, unit);
}

bool WantsKeywordCheck(const TUnit& unit, const TIncoming& message) {
  const TPreferences& prefs = unit.Prefs();
  if (message.kind == TMessageKind::Notice && prefs.IgnoreNotice) return false;
  TMemberGroup group = ClassifySender(unit, message.nick, message.user, message.host);
  if (group.group == kMemberGroupSelf) return false;
  return GroupWantsKeywords(prefs, group.group == kMemberGroupUser ? group.index : -1);
}

bool IsForTalk(const TUnit& unit, const TIncoming& message) {
  if (message.target.empty() || IsChannelName(message.target, kServerChannelPrefixes)) return false;
  if (!IsOwnNickFolded(unit, message.target)) return false;
  // A prefix that is only a name, without user and host, is a server's.
  return !message.nick.empty() && !(message.user.empty() && message.host.empty());
}

}  // namespace zeph
