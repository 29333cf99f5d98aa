#include "display/view_settings.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "settings/ini_file.h"
#include "settings/ini_writer.h"
#include "support/settings_test_files.h"
#include "platform/sjis.h"
#include "support/temp_dir.h"

namespace zeph {
namespace {

namespace fs = std::filesystem;
using test::ReadBytes;
using test::WindowsText;
using test::WriteBytes;

// The view sections of a view.ini as the Windows client writes them, with
// Japanese face names (ソ and 表 end in the backslash byte 0x5C), a "N"
// flag, a background picture and colours of every kind.
const char* const kWindowsView =
    "[LogText]\n\n"
    "LineFont.00.Family=メイリオ\nLineFont.00.Size=105\nLineFont.00.Charset=128\nLineFont.00.Color=101010\nLineFont.00.Style=N\n"
    "LineFont.01.Family=ＭＳ Ｐゴシック\nLineFont.01.Size=100\nLineFont.01.Charset=128\nLineFont.01.Color=808080\nLineFont.01.Style=\n"
    "LineFont.02.Family=ＭＳ Ｐゴシック\nLineFont.02.Size=100\nLineFont.02.Charset=128\nLineFont.02.Color=108010\nLineFont.02.Style=I\n"
    "LineFont.03.Family=ＭＳ Ｐゴシック\nLineFont.03.Size=100\nLineFont.03.Charset=128\nLineFont.03.Color=1f8135\nLineFont.03.Style=\n"
    "LineFont.04.Family=ＭＳ Ｐゴシック\nLineFont.04.Size=100\nLineFont.04.Charset=128\nLineFont.04.Color=263c84\nLineFont.04.Style=\n"
    "LineFont.05.Family=ＭＳ Ｐゴシック\nLineFont.05.Size=100\nLineFont.05.Charset=128\nLineFont.05.Color=263c84\nLineFont.05.Style=\n"
    "LineFont.06.Family=ＭＳ Ｐゴシック\nLineFont.06.Size=100\nLineFont.06.Charset=128\nLineFont.06.Color=263c84\nLineFont.06.Style=\n"
    "LineFont.07.Family=ＭＳ Ｐゴシック\nLineFont.07.Size=100\nLineFont.07.Charset=128\nLineFont.07.Color=a73734\nLineFont.07.Style=B\n"
    "LineFont.08.Family=ＭＳ Ｐゴシック\nLineFont.08.Size=100\nLineFont.08.Charset=128\nLineFont.08.Color=8c8251\nLineFont.08.Style=\n"
    "LineFont.09.Family=ＭＳ Ｐゴシック\nLineFont.09.Size=100\nLineFont.09.Charset=128\nLineFont.09.Color=8c8251\nLineFont.09.Style=\n"
    "LineFont.10.Family=ＭＳ Ｐゴシック\nLineFont.10.Size=100\nLineFont.10.Charset=128\nLineFont.10.Color=8c8251\nLineFont.10.Style=\n"
    "LineFont.11.Family=ＭＳ Ｐゴシック\nLineFont.11.Size=100\nLineFont.11.Charset=128\nLineFont.11.Color=808000\nLineFont.11.Style=\n"
    "LineFont.12.Family=ＭＳ Ｐゴシック\nLineFont.12.Size=100\nLineFont.12.Charset=128\nLineFont.12.Color=a73734\nLineFont.12.Style=B\n"
    "LineFont.13.Family=ＭＳ Ｐゴシック\nLineFont.13.Size=100\nLineFont.13.Charset=128\nLineFont.13.Color=a73734\nLineFont.13.Style=B\n"
    "LineFont.14.Family=ＭＳ Ｐゴシック\nLineFont.14.Size=100\nLineFont.14.Charset=128\nLineFont.14.Color=2424b0\nLineFont.14.Style=BU\n"
    "LineFont.15.Family=ＭＳ Ｐゴシック\nLineFont.15.Size=100\nLineFont.15.Charset=128\nLineFont.15.Color=808010\nLineFont.15.Style=\n"
    "LineFont.16.Family=ＭＳ Ｐゴシック\nLineFont.16.Size=100\nLineFont.16.Charset=128\nLineFont.16.Color=316166\nLineFont.16.Style=\n"
    "LineFont.17.Family=ＭＳ Ｐゴシック\nLineFont.17.Size=100\nLineFont.17.Charset=128\nLineFont.17.Color=808010\nLineFont.17.Style=\n"
    "LineFont.18.Family=Courier New\nLineFont.18.Size=90\nLineFont.18.Charset=0\nLineFont.18.Color=808080\nLineFont.18.Style=\n"
    "LineFont.19.Family=Courier New\nLineFont.19.Size=90\nLineFont.19.Charset=0\nLineFont.19.Color=101010\nLineFont.19.Style=\n"
    "NickFont.00.Family=ソフト表示\nNickFont.00.Size=100\nNickFont.00.Charset=128\nNickFont.00.Color=9f1010\nNickFont.00.Style=B\n"
    "NickFont.01.Family=ＭＳ Ｐゴシック\nNickFont.01.Size=100\nNickFont.01.Charset=128\nNickFont.01.Color=666666\nNickFont.01.Style=\n"
    "NickFont.02.Family=ＭＳ Ｐゴシック\nNickFont.02.Size=100\nNickFont.02.Charset=128\nNickFont.02.Color=ff6060\nNickFont.02.Style=\n"
    "NickFont.03.Family=ＭＳ Ｐゴシック\nNickFont.03.Size=100\nNickFont.03.Charset=128\nNickFont.03.Color=cfb040\nNickFont.03.Style=\n"
    "NickFont.04.Family=ＭＳ Ｐゴシック\nNickFont.04.Size=100\nNickFont.04.Charset=128\nNickFont.04.Color=40b040\nNickFont.04.Style=\n"
    "NickFont.05.Family=ＭＳ Ｐゴシック\nNickFont.05.Size=100\nNickFont.05.Charset=128\nNickFont.05.Color=cf40cf\nNickFont.05.Style=\n"
    "NickFont.06.Family=ＭＳ Ｐゴシック\nNickFont.06.Size=100\nNickFont.06.Charset=128\nNickFont.06.Color=40b0b0\nNickFont.06.Style=\n"
    "TimeFont.Family=ＭＳ ゴシック\nTimeFont.Size=90\nTimeFont.Charset=128\nTimeFont.Color=3c4e6f\nTimeFont.Style=\n"
    "ChannelFont.Family=ＭＳ Ｐゴシック\nChannelFont.Size=100\nChannelFont.Charset=128\nChannelFont.Color=801010\nChannelFont.Style=\n"
    "URLFont.Family=ＭＳ Ｐゴシック\nURLFont.Size=100\nURLFont.Charset=128\nURLFont.Color=e01010\nURLFont.Style=U\n"
    "HostnameFont.Family=ＭＳ Ｐゴシック\nHostnameFont.Size=100\nHostnameFont.Charset=128\nHostnameFont.Color=e01010\nHostnameFont.Style=U\n"
    "KeywordFont.Family=ＭＳ Ｐゴシック\nKeywordFont.Size=120\nKeywordFont.Charset=128\nKeywordFont.Color=9314ff\nKeywordFont.Style=BUI\n"
    "ShadowColor=c0c0c0\nShadowKind=2\nUseURLFont=true\nUseHostnameFont=false\n"
    "SelectTextColor=ffffff\nSelectBackColor=e16941\nHilightBackColor=b0ffa0\n"
    "\n[ChannelLogBack]\n\n"
    "BackColor=f0f8ff\nBackImageFile=桜.jpg\nBackStyle=305\n"
    "\n[AllLogBack]\n\n"
    "BackColor=ffffff\nBackImageFile=\nBackStyle=0\n"
    "\n[List]\n\n"
    "Font.Family=ＭＳ Ｐゴシック\nFont.Size=90\nFont.Charset=128\nFont.Color=101010\nFont.Style=\n"
    "SelectedColor.Text=ffffff\nSelectedColor.Back=e16941\nSelfColor.Text=101010\nSelfColor.Back=c0c0ff\n"
    "GroupColor.00.Text=101010\nGroupColor.00.Back=ffc0c0\nGroupColor.01.Text=101010\nGroupColor.01.Back=ffe0c0\n"
    "GroupColor.02.Text=101010\nGroupColor.02.Back=c0e0c0\nGroupColor.03.Text=101010\nGroupColor.03.Back=ffc0ff\n"
    "GroupColor.04.Text=101010\nGroupColor.04.Back=c0e0e0\n"
    "BackColor=ffffff\n"
    "\n[Tree]\n\n"
    "Font.Family=ＭＳ Ｐゴシック\nFont.Size=90\nFont.Charset=128\nFont.Color=101010\nFont.Style=\n"
    "SelectedColor.Text=ffffff\nSelectedColor.Back=e16941\nKeywordColor.Text=101010\nKeywordColor.Back=ffc0ff\n"
    "NewTalkColor.Text=101010\nNewTalkColor.Back=c0c0ff\nUpdateColor.Text=101010\nUpdateColor.Back=d0d0d0\n"
    "BackColor=ffffff\n"
    "\n[Edit]\n\n"
    "Font.Family=ＭＳ 明朝\nFont.Size=110\nFont.Charset=128\nFont.Color=101010\nFont.Style=\n"
    "BackColor=e0ffff\n"
    "\n";

// Section Format as the message formats write it, with one format changed
// as a user would.
std::string FormatSection() {
  TMessageFormat formats;
  formats.time = Sjis("[%H時%M分] ");
  TIniWriter writer;
  formats.Save(writer);
  return writer.Text();
}

std::string Written(const TViewSettings& settings) {
  TIniWriter writer;
  settings.WriteViewSettings(writer);
  return writer.Text();
}

// Whether the written text holds `line` as a whole line.
bool HasLine(const std::string& text, std::string_view line) {
  return text.find("\r\n" + std::string(line) + "\r\n") != std::string::npos;
}

TEST(ViewSettingsTest, DefaultViewIniReadsBackAndSavesToTheSameBytes) {
  test::TTempDir dir;
  fs::path path = dir.Path() / "users" / "default" / "config" / "view.ini";
  TViewSettings defaults;
  ASSERT_TRUE(defaults.SaveViewSettings(path));  // creates the missing folders
  const std::string bytes = ReadBytes(path);

  // The default theme as stored: colours in platform order, style letters.
  const std::string face = Sjis("ＭＳ Ｐゴシック");
  for (std::string_view line : {"LineFont.00.Family=" + face, std::string("LineFont.00.Size=100"),
                                std::string("LineFont.00.Charset=128"), std::string("LineFont.03.Color=1f8135"),
                                std::string("LineFont.07.Style=B"), std::string("NickFont.00.Color=9f1010"),
                                std::string("URLFont.Style=U"), std::string("KeywordFont.Color=9314ff"),
                                std::string("ShadowColor=c0c0c0"), std::string("SelectBackColor=e16941"),
                                std::string("HilightBackColor=b0ffa0"), std::string("GroupColor.04.Back=c0e0e0"),
                                std::string("UpdateColor.Back=d0d0d0"), std::string("EnableTime=true")})
    EXPECT_TRUE(HasLine(bytes, line)) << line;
  EXPECT_EQ(bytes.rfind("[LogText]\r\n\r\nLineFont.00.Family=", 0), 0u);

  TViewSettings read;
  read.line_fonts[3].color = 0x123456;
  read.formats.time = "x";
  ASSERT_TRUE(read.LoadViewSettings(path, true, true));
  ASSERT_TRUE(read.SaveViewSettings(path));
  EXPECT_EQ(ReadBytes(path), bytes);
}

TEST(ViewSettingsTest, WindowsViewIniLoadsUnchangedAndSavesToTheSameBytes) {
  test::TTempDir dir;
  fs::path path = dir.Path() / "view.ini";
  const std::string bytes = WindowsText(kWindowsView) + FormatSection();
  WriteBytes(path, bytes);

  TViewSettings settings;
  ASSERT_TRUE(settings.LoadViewSettings(path, true, true));
  const TFontSpec& privmsg = settings.line_fonts[0];
  EXPECT_EQ(privmsg.family, Sjis("メイリオ"));
  EXPECT_EQ(privmsg.size, 105);
  EXPECT_TRUE(privmsg.normal);
  EXPECT_FALSE(privmsg.bold);
  EXPECT_EQ(settings.nick_fonts[0].family, Sjis("ソフト表示"));
  EXPECT_EQ(settings.line_fonts[18].charset, 0);
  EXPECT_EQ(settings.line_fonts[3].color, ColorFromRgb(0x35811F));
  EXPECT_TRUE(settings.keyword_font.bold && settings.keyword_font.underline && settings.keyword_font.italic);
  EXPECT_EQ(settings.shadow_kind, 2);
  EXPECT_TRUE(settings.use_url_font);
  EXPECT_EQ(settings.channel_log_back, (TBackground{ColorFromRgb(0xFFF8F0), Sjis("桜.jpg"), 305}));
  EXPECT_EQ(settings.list_groups[1], (TColorPair{ColorFromRgb(0x101010), ColorFromRgb(0xC0E0FF)}));
  EXPECT_EQ(settings.tree_new_talk.back, ColorFromRgb(0xFFC0C0));
  EXPECT_EQ(settings.edit_font.family, Sjis("ＭＳ 明朝"));
  EXPECT_EQ(settings.edit_back_color, ColorFromRgb(0xFFFFE0));
  EXPECT_EQ(settings.formats.time, Sjis("[%H時%M分] "));

  ASSERT_TRUE(settings.SaveViewSettings(path));
  EXPECT_EQ(ReadBytes(path), bytes);
}

// A font without a Style key reads as a plain font.
void ClearStyles(TViewSettings* settings) {
  std::vector<TFontSpec*> fonts = {&settings->time_font,    &settings->channel_font, &settings->url_font,
                                   &settings->hostname_font, &settings->keyword_font, &settings->list_font,
                                   &settings->tree_font,     &settings->edit_font};
  for (TFontSpec& font : settings->line_fonts) fonts.push_back(&font);
  for (TFontSpec& font : settings->nick_fonts) fonts.push_back(&font);
  for (TFontSpec* font : fonts) font->normal = font->bold = font->underline = font->italic = false;
}

TEST(ViewSettingsTest, MissingKeysKeepTheCurrentValuesButMissingStylesArePlain) {
  test::TTempDir dir;
  fs::path path = dir.Path() / "view.ini";
  WriteBytes(path, "[LogText]\r\nLineFont.03.Color=0000ff\r\n");
  TViewSettings settings;
  settings.channel_log_back.image_file = "kept.bmp";
  settings.formats.time = "kept";
  ASSERT_TRUE(settings.LoadViewSettings(path, true, true));
  EXPECT_EQ(settings.line_fonts[3].color, ColorFromRgb(0xFF0000));  // Join lines turn red
  EXPECT_FALSE(settings.keyword_font.bold);

  TViewSettings expected;
  expected.line_fonts[3].color = ColorFromRgb(0xFF0000);
  expected.channel_log_back.image_file = "kept.bmp";
  expected.formats.time = "kept";
  ClearStyles(&expected);
  EXPECT_EQ(Written(settings), Written(expected));
}

TEST(ViewSettingsTest, StyleLettersSetTheFlags) {
  struct TCase {
    const char* line;  // the Style line, or none
    bool normal, bold, underline, italic;
    const char* written;
  };
  const TCase cases[] = {
      {"", false, false, false, false, ""},
      {"TimeFont.Style=\r\n", false, false, false, false, ""},
      {"TimeFont.Style=ub\r\n", false, false, false, false, ""},  // lower case is not recognised
      {"TimeFont.Style=IB\r\n", false, true, false, true, "BI"},
      {"TimeFont.Style=xNxUx\r\n", true, false, true, false, "NU"},
      {"TimeFont.Style=***DEFAULT***\r\n", false, false, false, false, ""},
  };
  for (const TCase& c : cases) {
    TIniFile ini;
    ini.LoadText(std::string("[LogText]\r\n") + c.line);
    TViewSettings settings;
    settings.time_font = {"", 128, 100, true, true, true, true, 0};
    settings.ReadViewSettings(ini, true, false);
    const TFontSpec& font = settings.time_font;
    EXPECT_EQ(font.normal, c.normal) << c.line;
    EXPECT_EQ(font.bold, c.bold) << c.line;
    EXPECT_EQ(font.underline, c.underline) << c.line;
    EXPECT_EQ(font.italic, c.italic) << c.line;
    EXPECT_TRUE(HasLine(Written(settings), std::string("TimeFont.Style=") + c.written)) << c.line;
  }
}

TEST(ViewSettingsTest, ViewAndFormatsLoadSeparately) {
  test::TTempDir dir;
  fs::path path = dir.Path() / "view.ini";
  WriteBytes(path, "[LogText]\r\nShadowKind=3\r\n[Format]\r\nTime=%H \r\n");
  TViewSettings view_only;
  ASSERT_TRUE(view_only.LoadViewSettings(path, true, false));
  EXPECT_EQ(view_only.shadow_kind, 3);
  EXPECT_EQ(view_only.formats.time, TMessageFormat().time);

  TViewSettings formats_only;
  ASSERT_TRUE(formats_only.LoadViewSettings(path, false, true));
  EXPECT_EQ(formats_only.shadow_kind, 0);
  EXPECT_EQ(formats_only.formats.time, "%H ");
}

TEST(ViewSettingsTest, UnreadableOrUnwritableFilesChangeNothing) {
  test::TTempDir dir;
  TViewSettings settings;
  settings.shadow_kind = 2;
  EXPECT_FALSE(settings.LoadViewSettings(dir.Path() / "missing.ini", true, true));
  EXPECT_EQ(settings.shadow_kind, 2);

  WriteBytes(dir.Path() / "file", "x");
  EXPECT_FALSE(settings.SaveViewSettings(dir.Path() / "file" / "view.ini"));  // no folder can be made there
  EXPECT_EQ(ReadBytes(dir.Path() / "file"), "x");
}

TEST(ViewSettingsTest, ResetKeepsTheNormalFlagsAndResetAllRestoresTheFormats) {
  TViewSettings settings;
  settings.line_fonts[5] = {"Arial", 0, 300, true, true, true, true, 0x123456};
  settings.formats.time = "x";
  settings.ResetViewSettings();
  EXPECT_EQ(settings.line_fonts[5], (TFontSpec{Sjis("ＭＳ Ｐゴシック"), 128, 100, true, false, false, false,
                                               ColorFromRgb(0x843C26)}));
  EXPECT_EQ(settings.formats.time, "x");
  settings.ResetAll();
  EXPECT_EQ(settings.formats.time, TMessageFormat().time);
}

}  // namespace
}  // namespace zeph
