#include "display/display_preferences.h"

#include <gtest/gtest.h>

#include "settings/preferences.h"

namespace zeph {
namespace {

TEST(DisplayPreferences, DefaultsOfThePreferences) {
  TPreferences preferences;
  TKeywordSettings keywords = KeywordSettingsFrom(preferences);
  EXPECT_TRUE(keywords.blink_title);
  EXPECT_FALSE(keywords.whole_line);
  EXPECT_FALSE(keywords.match_case);
  EXPECT_TRUE(keywords.ignore_url);
  EXPECT_TRUE(keywords.ignore_notice);
  EXPECT_EQ(keywords.enable_group, (std::array<bool, 5>{true, true, true, true, true}));
  EXPECT_TRUE(keywords.enable_normal);
  EXPECT_TRUE(keywords.like.empty());
  EXPECT_TRUE(keywords.dislike.empty());

  TLineReactionSettings reactions = LineReactionSettingsFrom(preferences);
  EXPECT_FALSE(reactions.enable_keyword_sound);
  EXPECT_EQ(reactions.keyword_sound_file, "");
  EXPECT_FALSE(reactions.record_url_in_my_message);
  EXPECT_TRUE(reactions.ignore_url_in_console_reply);
  EXPECT_FALSE(reactions.auto_clip_url);
}

TEST(DisplayPreferences, EveryKeyReachesItsField) {
  TPreferences preferences;
  preferences.BlinkTitleOnKeyword = false;
  preferences.WholeLine = true;
  preferences.Case = true;
  preferences.IgnoreURL = false;
  preferences.IgnoreNotice = false;
  preferences.EnableGroup4 = false;
  preferences.EnableNormal = false;
  preferences.like_keywords = {"a", "b"};
  preferences.dislike_keywords = {"c"};
  preferences.EnableKeywordSound = true;
  preferences.KeywordSoundFile = "k.wav";
  preferences.RecordUrlInMyMessage = true;
  preferences.IgnoreURLInConsoleReply = false;
  preferences.AutoClipUrl = true;

  TKeywordSettings keywords;
  keywords.blink_title = false;
  keywords.whole_line = true;
  keywords.match_case = true;
  keywords.ignore_url = false;
  keywords.ignore_notice = false;
  keywords.enable_group[3] = false;
  keywords.enable_normal = false;
  keywords.like = {"a", "b"};
  keywords.dislike = {"c"};
  EXPECT_EQ(KeywordSettingsFrom(preferences), keywords);

  TLineReactionSettings reactions{true, "k.wav", true, false, true};
  EXPECT_EQ(LineReactionSettingsFrom(preferences), reactions);
}

}  // namespace
}  // namespace zeph
