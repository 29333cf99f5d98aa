#include "display/log_style.h"

#include <gtest/gtest.h>

#include <string>

#include "settings/ini_file.h"
#include "settings/ini_writer.h"
#include "display/palette.h"
#include "display/view_realise.h"
#include "platform/sjis.h"

namespace zeph {
namespace {

using E = TLogElement;
using S = TLogStyle;

std::string Written(const TViewSettings& settings) {
  TIniWriter writer;
  settings.WriteViewSettings(writer);
  return writer.Text();
}

TViewSettings Read(const std::string& text) {
  TIniFile ini;
  ini.LoadText(text);
  TViewSettings settings;
  settings.ReadViewSettings(ini, true, true);
  return settings;
}

TEST(LogStyleTest, OutOfRangeValuesAreHeldWhenRealisedAndWrittenBackUnchanged) {
  const std::string file =
      "[LogText]\r\n"
      "LineFont.00.Size=0\r\nLineFont.00.Color=ff123456\r\nLineFont.00.Charset=999\r\nLineFont.00.Style=\r\n"
      "LineFont.01.Size=-40\r\nLineFont.01.Style=\r\n"
      "LineFont.02.Size=2147483647\r\nLineFont.02.Style=\r\n"
      "LineFont.03.Size=5\r\nLineFont.03.Style=\r\n"
      "ShadowKind=7\r\nShadowColor=a0c0c0c0\r\nSelectBackColor=ffffffff\r\n"
      "[ChannelLogBack]\r\nBackColor=80ffffff\r\nBackStyle=150\r\n";
  const TViewSettings settings = Read(file);
  const TLogStyle style(settings);

  EXPECT_EQ(style.Font(S::kLineSlot + 0).size, 100);  // nothing sensible: the default 10 pt
  EXPECT_EQ(style.Font(S::kLineSlot + 0).color, 0x123456u);
  EXPECT_EQ(style.Font(S::kLineSlot + 0).charset, kDefaultCharset);
  EXPECT_EQ(style.Font(S::kLineSlot + 1).size, 100);
  EXPECT_EQ(style.Font(S::kLineSlot + 2).size, kMaxFontSize);
  EXPECT_EQ(style.Font(S::kLineSlot + 3).size, kMinFontSize);
  EXPECT_EQ(style.shadow_kind, 0);
  EXPECT_EQ(style.shadow_color, 0xC0C0C0u);
  EXPECT_EQ(style.select_back_color, 0xFFFFFFu);
  EXPECT_EQ(RealisedViewSettings(settings).channel_log_back.color, 0xFFFFFFu);

  // The stored values are the file's: a save writes them back as they were.
  const std::string written = Written(settings);
  for (const char* line : {"LineFont.00.Size=0", "LineFont.00.Color=ff123456", "LineFont.00.Charset=999",
                           "LineFont.01.Size=-40", "LineFont.02.Size=2147483647", "ShadowKind=7",
                           "ShadowColor=a0c0c0c0", "SelectBackColor=ffffffff", "BackColor=80ffffff", "BackStyle=150"})
    EXPECT_NE(written.find(std::string("\r\n") + line + "\r\n"), std::string::npos) << line;
  EXPECT_EQ(Written(Read(written)), written);
}

TEST(LogStyleTest, FontSizesBecomePixelsThroughTheScreenResolution) {
  struct TCase {
    int size, dpi, pixels;
  };
  for (const TCase& c : {TCase{100, 96, 13}, TCase{105, 96, 14}, TCase{90, 96, 12}, TCase{100, 120, 17},
                         TCase{100, 144, 20}, TCase{0, 96, 13}, TCase{10, 72, 1}, TCase{100, 0, 1},
                         TCase{1000000, 96, 267}})
    EXPECT_EQ(FontPixelHeight(c.size, c.dpi), c.pixels) << c.size << " at " << c.dpi;
}

TEST(LogStyleTest, FaceNamesAreCutAt31BytesWithoutSplittingACharacter) {
  TFontSpec font;
  font.family = std::string(30, 'a') + Sjis("表");  // the character would straddle byte 31
  EXPECT_EQ(RealisedFont(font).family, std::string(30, 'a'));
  font.family = std::string(29, 'a') + Sjis("表") + "b";
  EXPECT_EQ(RealisedFont(font).family, font.family.substr(0, 31));
  font.family = Sjis("ＭＳ Ｐゴシック");
  EXPECT_EQ(RealisedFont(font).family, font.family);
}

struct TRunCase {
  const char* name;
  E element;
  bool bold = false;
  bool underline = false;
  bool use_url_font = false;
  bool whole_line = false;
  int slot = 0;
};

TEST(LogStyleTest, EachRunGetsTheFontOfItsElementAndDecoration) {
  constexpr int kCategory = 4;  // Part
  constexpr int kNickClass = 3;
  const int line = S::kLineSlot + kCategory;
  const int derived = S::kDerivedSlot + 3 * kCategory;  // bold, underlined, both
  const TRunCase cases[] = {
      {"plain text", E::Text, false, false, false, false, line},
      {"bold text", E::Text, true, false, false, false, derived},
      {"underlined text", E::Text, false, true, false, false, derived + 1},
      {"bold underlined text", E::Text, true, true, false, false, derived + 2},
      {"time", E::Time, true, false, false, false, S::kTimeSlot},
      {"nick", E::Nick, false, false, false, false, S::kNickSlot + kNickClass},
      {"place", E::Place, false, false, false, false, S::kPlaceSlot},
      {"keyword", E::Keyword, true, false, false, false, S::kKeywordSlot},
      {"url in the line font", E::Url, false, false, false, false, derived + 1},
      {"bold url in the line font", E::Url, true, false, false, false, derived + 2},
      {"url in its own font", E::Url, true, false, true, false, S::kUrlSlot},
      {"address in the line font", E::Address, false, false, true, false, derived + 1},
      {"whole line: text", E::Text, true, false, false, true, S::kKeywordSlot},
      {"whole line: url even with its own font", E::Url, false, false, true, true, S::kKeywordUnderlinedSlot},
      {"whole line: address", E::Address, false, false, false, true, S::kKeywordUnderlinedSlot},
      {"whole line: nick keeps its font", E::Nick, false, false, false, true, S::kNickSlot + kNickClass},
      {"whole line: time keeps its font", E::Time, false, false, false, true, S::kTimeSlot},
  };
  TLogLine log_line;
  log_line.category = kCategory;
  log_line.nick_class = kNickClass;
  for (const TRunCase& c : cases) {
    TViewSettings settings;
    settings.use_url_font = c.use_url_font;
    settings.use_hostname_font = false;
    TLogStyle style(settings, c.whole_line);
    log_line.keyword_hit = true;
    TLogRun run;
    run.element = c.element;
    run.decoration.bold = c.bold;
    run.decoration.underline = c.underline;
    TRunFont font = style.FontForRun(log_line, run, false);
    EXPECT_EQ(font.slot, c.slot) << c.name;
    EXPECT_EQ(font.color, style.Font(c.slot).color) << c.name;
  }
}

TEST(LogStyleTest, DerivedFontsKeepWhatTheLineFontAlreadyHas) {
  TViewSettings settings;
  settings.line_fonts[7].bold = true;  // Invite is bold
  settings.line_fonts[7].italic = true;
  TLogStyle style(settings);
  const TFontSpec& underlined = style.Font(S::kDerivedSlot + 3 * 7 + 1);
  EXPECT_TRUE(underlined.bold && underlined.underline && underlined.italic);
  EXPECT_EQ(underlined.color, settings.line_fonts[7].color);
  EXPECT_TRUE(style.Font(S::kKeywordUnderlinedSlot).underline);
  EXPECT_TRUE(style.Font(S::kKeywordUnderlinedSlot).bold);
}

TEST(LogStyleTest, ColoursComeFromTheShadowTheDecorationOrTheFont) {
  TViewSettings settings;
  settings.shadow_color = 0x0102FF03;  // the high byte is dropped
  TLogStyle style(settings);
  TLogLine line;
  line.category = 14;
  TLogRun run;
  EXPECT_EQ(style.FontForRun(line, run, false).color, ColorFromRgb(0xB02424));
  run.decoration.has_fore = 1;
  run.decoration.fore = 4;
  EXPECT_EQ(style.FontForRun(line, run, false).color, PaletteColor(4));
  EXPECT_EQ(style.FontForRun(line, run, true).color, 0x02FF03u);
}

TEST(LogStyleTest, CategoryAndNickClassOutOfRangeDrawLikeTheFirst) {
  TLogStyle style;
  TLogLine line;
  line.category = 20;
  line.nick_class = -1;
  TLogRun run;
  EXPECT_EQ(style.FontForRun(line, run, false).slot, S::kLineSlot);
  run.element = E::Nick;
  EXPECT_EQ(style.FontForRun(line, run, false).slot, S::kNickSlot);
  EXPECT_EQ(style.Font(S::kFontSlotCount).size, style.Font(S::kLineSlot).size);
}

}  // namespace
}  // namespace zeph
