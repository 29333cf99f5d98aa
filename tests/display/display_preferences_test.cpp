#include "display/display_preferences.h"

#include <gtest/gtest.h>

#include "settings/preferences.h"

namespace zeph {
namespace {

TEST(DisplayPreferences, DefaultsOfThePreferences) {
  TPreferences preferences;
  TKeywordSettings keywords = KeywordSettingsFrom(preferences);
  EXPECT_TRUE(keywords.blinkTitle);
  EXPECT_FALSE(keywords.wholeLine);
  EXPECT_FALSE(keywords.matchCase);
  EXPECT_TRUE(keywords.ignoreUrl);
  EXPECT_TRUE(keywords.ignoreNotice);
  EXPECT_EQ(keywords.enableGroup, (std::array<bool, 5>{true, true, true, true, true}));
  EXPECT_TRUE(keywords.enableNormal);
  EXPECT_TRUE(keywords.like.empty());
  EXPECT_TRUE(keywords.dislike.empty());

  TLineReactionSettings reactions = LineReactionSettingsFrom(preferences);
  EXPECT_FALSE(reactions.enableKeywordSound);
  EXPECT_EQ(reactions.keywordSoundFile, "");
  EXPECT_FALSE(reactions.recordUrlInMyMessage);
  EXPECT_TRUE(reactions.ignoreUrlInConsoleReply);
  EXPECT_FALSE(reactions.autoClipUrl);
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
  keywords.blinkTitle = false;
  keywords.wholeLine = true;
  keywords.matchCase = true;
  keywords.ignoreUrl = false;
  keywords.ignoreNotice = false;
  keywords.enableGroup[3] = false;
  keywords.enableNormal = false;
  keywords.like = {"a", "b"};
  keywords.dislike = {"c"};
  EXPECT_EQ(KeywordSettingsFrom(preferences), keywords);

  TLineReactionSettings reactions{true, "k.wav", true, false, true};
  EXPECT_EQ(LineReactionSettingsFrom(preferences), reactions);
}

}  // namespace
}  // namespace zeph
