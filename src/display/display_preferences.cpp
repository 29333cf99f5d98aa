#include "display/display_preferences.h"

#include "settings/preferences.h"

namespace zeph {

TKeywordSettings KeywordSettingsFrom(const TPreferences& preferences) {
  TKeywordSettings settings;
  settings.blinkTitle = preferences.BlinkTitleOnKeyword;
  settings.wholeLine = preferences.WholeLine;
  settings.matchCase = preferences.Case;
  settings.ignoreUrl = preferences.IgnoreURL;
  settings.ignoreNotice = preferences.IgnoreNotice;
  settings.enableGroup = {preferences.EnableGroup1, preferences.EnableGroup2, preferences.EnableGroup3,
                          preferences.EnableGroup4, preferences.EnableGroup5};
  settings.enableNormal = preferences.EnableNormal;
  settings.like = preferences.like_keywords;
  settings.dislike = preferences.dislike_keywords;
  return settings;
}

TLineReactionSettings LineReactionSettingsFrom(const TPreferences& preferences) {
  TLineReactionSettings settings;
  settings.enableKeywordSound = preferences.EnableKeywordSound;
  settings.keywordSoundFile = preferences.KeywordSoundFile;
  settings.recordUrlInMyMessage = preferences.RecordUrlInMyMessage;
  settings.ignoreUrlInConsoleReply = preferences.IgnoreURLInConsoleReply;
  settings.autoClipUrl = preferences.AutoClipUrl;
  return settings;
}

}  // namespace zeph
