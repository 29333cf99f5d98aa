#include "display/display_preferences.h"

#include "settings/preferences.h"

namespace zeph {

TKeywordSettings KeywordSettingsFrom(const TPreferences& preferences) {
  TKeywordSettings settings;
  settings.blink_title = preferences.BlinkTitleOnKeyword;
  settings.whole_line = preferences.WholeLine;
  settings.match_case = preferences.Case;
  settings.ignore_url = preferences.IgnoreURL;
  settings.ignore_notice = preferences.IgnoreNotice;
  settings.enable_group = {preferences.EnableGroup1, preferences.EnableGroup2, preferences.EnableGroup3,
                          preferences.EnableGroup4, preferences.EnableGroup5};
  settings.enable_normal = preferences.EnableNormal;
  settings.like = preferences.like_keywords;
  settings.dislike = preferences.dislike_keywords;
  return settings;
}

TLineReactionSettings LineReactionSettingsFrom(const TPreferences& preferences) {
  TLineReactionSettings settings;
  settings.enable_keyword_sound = preferences.EnableKeywordSound;
  settings.keyword_sound_file = preferences.KeywordSoundFile;
  settings.record_url_in_my_message = preferences.RecordUrlInMyMessage;
  settings.ignore_url_in_console_reply = preferences.IgnoreURLInConsoleReply;
  settings.auto_clip_url = preferences.AutoClipUrl;
  return settings;
}

}  // namespace zeph
