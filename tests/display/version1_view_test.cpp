#include "display/version1_view.h"

#include <gtest/gtest.h>

#include <climits>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "settings/ini_file.h"
#include "settings/ini_writer.h"
#include "settings/preferences.h"
#include "support/settings_test_files.h"
#include "display/version1_theme.h"
#include "display/view_realise.h"
#include "platform/sjis.h"
#include "support/temp_dir.h"

namespace zeph {
namespace {

namespace fs = std::filesystem;
using test::ReadBytes;
using test::WindowsText;
using test::WriteBytes;

// The view sections of a version-1 view file: quoted values, named and
// hexadecimal colours, a full path and a name of another log among the
// pictures, and only some of the font sections.
const char* const kVersion1View =
    "[LogBackground]\n"
    "TextType=\"2\"\n"
    "LineMargin=\"3\"\n"
    "[BkColor]\n"
    "LogBkColor=\"clNavy\"\n"
    "InputBkColor=\"f0f0f0\"\n"
    "ChBkColor=\"clSilver\"\n"
    "ChBkUpdateColor=\"c0c0c0\"\n"
    "ChBkActiveColor=\"E0E0E0\"\n"
    "ChBkNewTalkColor=\"clYellow\"\n"
    "ChBkKeywordColor=\"\"\n"
    "MemBkColor=\"clWhite\"\n"
    "MemBkSpecialColor=\"clMaroon\"\n"
    "MemBkMeColor=\"ffc0c0\"\n"
    "MemBkSelColor=\"e0e0e0\"\n"
    "[ChImageFile]\n"
    "Count=\"3\"\n"
    "ChanName0=\"全チャンネルログ\"\n"
    "DrawType0=\"9\"\n"
    "ImageFile0=\"C:\\Zephlora1\\Image\\夜景.jpg\"\n"
    "ChanName1=\"サーバログ\"\n"
    "DrawType1=\"1\"\n"
    "ImageFile1=\"skip.jpg\"\n"
    "ChanName2=\"チャンネルログ\"\n"
    "DrawType2=\"2\"\n"
    "ImageFile2=\"表紙.bmp\"\n"
    "[Format]\n"
    "SortWithOp=\"1\"\n"
    "SortWithMask=\"0\"\n"
    "InvertPanel=\"1\"\n"
    "InvertList=\"0\"\n"
    "[Font_Time]\n"
    "Name=\"ＭＳ ゴシック\"\n"
    "Size=\"9\"\n"
    "Color=\"clGray\"\n"
    "Style=\"\"\n"
    "Charset=\"128\"\n"
    "[Font_PreNick]\n"
    "Name=\"メイリオ\"\n"
    "Size=\"10\"\n"
    "Color=\"9f1010\"\n"
    "Style=\"B\"\n"
    "[Font_PreNick2]\n"
    "Name=\"ＭＳ Ｐゴシック\"\n"
    "Size=\"11\"\n"
    "Color=\"clPurple\"\n"
    "Style=\"BI\"\n"
    "Charset=\"1\"\n"
    "[Font_Reply]\n"
    "Name=\"Arial\"\n"
    "Size=\"8\"\n"
    "Color=\"808000\"\n"
    "Style=\"U\"\n"
    "Charset=\"0\"\n"
    "[Font_Debug]\n"
    "Name=\"Courier New\"\n"
    "Size=\"9\"\n"
    "Color=\"clBlack\"\n"
    "Charset=\"0\"\n"
    "[Font_Input]\n"
    "Size=\"12\"\n"
    "[Font_ChListActive]\n"
    "Color=\"clWhite\"\n"
    "[Font_MemListSpecial]\n"
    "Color=\"clWhite\"\n"
    "[Font_MemListSel]\n"
    "Color=\"clRed\"\n";

std::vector<std::string> WrittenLines(const TViewSettings& settings) {
  TIniWriter writer;
  settings.WriteViewSettings(writer);
  std::vector<std::string> lines;
  std::istringstream in(writer.Text());
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

// Compares two settings through the lines they are written as, so a
// mismatch names its key.
void ExpectSameSettings(const TViewSettings& actual, const TViewSettings& expected) {
  std::vector<std::string> got = WrittenLines(actual);
  std::vector<std::string> want = WrittenLines(expected);
  ASSERT_EQ(got.size(), want.size());
  for (size_t i = 0; i < got.size(); ++i) EXPECT_EQ(got[i], want[i]) << "line " << i;
}

TViewSettings ReadView(const std::string& utf8, TPreferences* preferences = nullptr) {
  TIniFile ini(true);
  ini.LoadText(WindowsText(utf8));
  TViewSettings settings;
  settings.shadow_kind = 2;  // anything the reader does not set falls back to the default theme
  settings.list_back_color = 0x123456;
  ReadVersion1View(ini, &settings, preferences);
  return settings;
}

// What a version-1 file without any key gives: the default theme, except
// that every font version 1 has a section for is plain (a missing Style
// clears it), and the fonts it lacked follow their nearest ones.
TViewSettings EmptyVersion1File() {
  TViewSettings s;
  for (int plain : {7, 12, 13, 14}) s.line_fonts[plain].bold = false;
  s.keyword_font.bold = false;
  s.line_fonts[11].color = ColorFromRgb(0x108080);  // CTCP and macro output as replies
  s.line_fonts[18].color = ColorFromRgb(0x101010);  // protocol sent as received
  return s;
}

TFontSpec Font(const char* utf8_family, int size, std::uint32_t rgb, int charset = 128) {
  TFontSpec font;
  font.family = Sjis(utf8_family);
  font.size = size;
  font.color = ColorFromRgb(rgb);
  font.charset = charset;
  return font;
}

TEST(Version1ViewTest, EmptyFileGivesTheDefaultThemeWithPlainFonts) {
  ExpectSameSettings(ReadView(""), EmptyVersion1File());
  // URL and host-name fonts have no version-1 section and keep their underline.
  EXPECT_TRUE(ReadView("").url_font.underline);
}

TEST(Version1ViewTest, ViewFileFillsTheSettingsAndPreferences) {
  test::TTempDir dir;
  fs::path path = dir.Path() / "user-view.ini";
  WriteBytes(path, WindowsText(kVersion1View));
  TViewSettings settings;
  settings.formats.time = "kept ";
  TPreferences preferences;
  ASSERT_TRUE(LoadVersion1Theme(path, true, false, &settings, &preferences));

  TViewSettings expected = EmptyVersion1File();
  expected.formats.time = "kept ";
  expected.shadow_kind = 1;
  const std::uint32_t navy = ColorFromRgb(0x000080);
  expected.channel_log_back = {navy, Sjis("表紙.bmp"), 300};
  expected.all_log_back = {navy, Sjis("夜景.jpg"), 207};
  expected.shadow_color = navy;
  expected.hilight_back_color = ColorFromRgb(0x132F85);  // on a dark log
  expected.edit_back_color = 0xf0f0f0;
  expected.tree_back_color = ColorFromRgb(0xC0C0C0);
  expected.tree_update.back = 0xc0c0c0;
  expected.tree_selected = {ColorFromRgb(0xFFFFFF), ColorFromRgb(0x4169E1)};  // was white on #E0E0E0
  expected.tree_new_talk.back = ColorFromRgb(0xFFFF00);
  expected.list_back_color = ColorFromRgb(0xFFFFFF);
  const std::uint32_t maroon = ColorFromRgb(0x800000);
  expected.list_groups[0] = {ColorFromRgb(0xFFFFFF), maroon};
  const std::uint32_t group_backs[] = {0xC0E0FF, 0xC0E0C0, 0xFFC0FF, 0xE0E0C0};
  for (int i = 1; i < kUserGroupCount; ++i) expected.list_groups[i] = {ColorFromRgb(group_backs[i - 1]), maroon};
  expected.list_self.back = 0xffc0c0;
  expected.list_selected = {ColorFromRgb(0xFFFFFF), ColorFromRgb(0x4169E1)};  // was red on #E0E0E0

  expected.time_font = Font("ＭＳ ゴシック", 90, 0x808080);
  expected.nick_fonts[0] = Font("メイリオ", 100, 0x10109F);  // stored 9f1010
  expected.nick_fonts[0].bold = true;
  expected.nick_fonts[2] = Font("ＭＳ Ｐゴシック", 110, 0x800080, 1);
  expected.nick_fonts[2].bold = expected.nick_fonts[2].italic = true;
  const std::uint32_t group_nicks[] = {0x40B0CF, 0x40B040, 0xCF40CF, 0xB0B040};
  for (int i = 3; i < kNickClassCount; ++i) {
    expected.nick_fonts[i] = expected.nick_fonts[2];
    expected.nick_fonts[i].color = ColorFromRgb(group_nicks[i - 3]);
  }
  expected.line_fonts[15] = Font("Arial", 80, 0x008080, 0);  // stored 808000
  expected.line_fonts[15].underline = true;
  expected.line_fonts[11] = expected.line_fonts[17] = expected.line_fonts[15];
  expected.line_fonts[19] = Font("Courier New", 90, 0x000000, 0);
  expected.line_fonts[18] = expected.line_fonts[19];
  expected.edit_font.size = 120;
  ExpectSameSettings(settings, expected);

  EXPECT_EQ(preferences.LineLeading, 3);
  EXPECT_EQ(preferences.MemberSortMethod, 1);
  EXPECT_TRUE(preferences.InvertLogAndList);
  EXPECT_FALSE(preferences.InvertMemberAndTree);

  // Saved as view.ini, in the stored colour order and in Shift_JIS.
  ASSERT_TRUE(settings.SaveViewSettings(dir.Path() / "view.ini"));
  const std::string saved = ReadBytes(dir.Path() / "view.ini");
  for (const std::string& part :
       {"[AllLogBack]\r\n\r\nBackColor=800000\r\nBackImageFile=" + Sjis("夜景.jpg") + "\r\nBackStyle=207\r\n",
        std::string("LineFont.15.Family=Arial\r\nLineFont.15.Size=80\r\nLineFont.15.Charset=0\r\n"
                    "LineFont.15.Color=808000\r\nLineFont.15.Style=U\r\n"),
        std::string("NickFont.02.Color=800080\r\nNickFont.02.Style=BI\r\n")})
    EXPECT_NE(saved.find(part), std::string::npos) << part;
}

TEST(Version1ViewTest, PreferencesFollowTheFormatSwitches) {
  struct TCase {
    const char* file;
    int sort;
    bool invert_panel, invert_list;
    int leading;
  } cases[] = {
      {"", 4, false, false, 7},  // the switches' own defaults; LineMargin keeps the preference
      {"[Format]\nSortWithOp=1\nSortWithMask=1\n", 4, false, false, 7},
      {"[Format]\nSortWithOp=1\nSortWithMask=0\n", 1, false, false, 7},
      {"[Format]\nSortWithOp=0\nSortWithMask=5\n", 2, false, false, 7},
      {"[Format]\nSortWithOp=0\nSortWithMask=0\nInvertPanel=-1\nInvertList=2\n", 0, true, true, 7},
      {"[LogBackground]\nLineMargin=0\n", 4, false, false, 0},
  };
  for (const TCase& c : cases) {
    TPreferences preferences;
    preferences.LineLeading = 7;
    preferences.MemberSortMethod = 3;
    preferences.InvertLogAndList = preferences.InvertMemberAndTree = true;
    ReadView(c.file, &preferences);
    EXPECT_EQ(preferences.MemberSortMethod, c.sort) << c.file;
    EXPECT_EQ(preferences.InvertLogAndList, c.invert_panel) << c.file;
    EXPECT_EQ(preferences.InvertMemberAndTree, c.invert_list) << c.file;
    EXPECT_EQ(preferences.LineLeading, c.leading) << c.file;
  }
}

TEST(Version1ViewTest, LogBlackOnlyGivesADarkTheme) {
  TViewSettings settings = ReadView("[BkColor]\nLogBkColor=clBlack\n");
  EXPECT_EQ(settings.channel_log_back.color, 0u);
  EXPECT_EQ(settings.all_log_back.color, 0u);
  EXPECT_EQ(settings.shadow_color, 0u);
  EXPECT_EQ(settings.select_text_color, ColorFromRgb(0xFFFFFF));
  EXPECT_EQ(settings.select_back_color, ColorFromRgb(0x4169E1));
  EXPECT_EQ(settings.hilight_back_color, ColorFromRgb(0x132F85));
  EXPECT_EQ(settings.line_fonts[14].color, ColorFromRgb(0xB02424));
  EXPECT_FALSE(settings.line_fonts[14].bold);

  // A light log keeps the default selection and highlight.
  TViewSettings light = ReadView("[BkColor]\nLogBkColor=clSilver\n");
  EXPECT_EQ(light.hilight_back_color, ColorFromRgb(0xA0FFB0));
}

TEST(Version1ViewTest, ColoursAreNamedOrHexadecimal) {
  struct TCase {
    const char* value;  // nullptr: no key
    std::uint32_t color;
  } cases[] = {
      {"clAqua", ColorFromRgb(0x00FFFF)},  {"\"clDkGray\"", ColorFromRgb(0xA9A9A9)},
      {"clFuchsia", ColorFromRgb(0xFF00FF)}, {"clGreen", ColorFromRgb(0x008000)},
      {"clLime", ColorFromRgb(0x00FF00)},  {"clLtGray", ColorFromRgb(0xC0C0C0)},
      {"clOlive", ColorFromRgb(0x808000)}, {"clTeal", ColorFromRgb(0x008080)},
      {"clBlue", ColorFromRgb(0x0000FF)},  {"clRed", ColorFromRgb(0xFF0000)},
      {"0000ff", 0x0000ff},                {"0x00FF00", 0x00ff00},
      {" 12", 0x12},                       {"zz", 0},  // no digits
      {"ff123456", 0x123456},               // the high byte means nothing on screen
      {"clred", 0xc},                       // names are case-sensitive: read as hexadecimal
      {"", 0xABCDEF},                       {"\"\"", 0xABCDEF},
      {nullptr, 0xABCDEF},
  };
  for (const TCase& c : cases) {
    TIniFile ini(true);
    if (c.value != nullptr) ini.LoadText(std::string("Color=") + c.value + "\r\n");
    EXPECT_EQ(Version1Color(ini, "Color", 0xABCDEF), c.color) << (c.value ? c.value : "(none)");
  }
}

TEST(Version1ViewTest, FontSectionsConvertEachKey) {
  TViewSettings settings =
      ReadView("[Font_Join]\nSize=9\nStyle=BI\n[Font_Part]\nName=Tahoma\nStyle=NUbi\nCharset=0\n");
  const TFontSpec& join = settings.line_fonts[3];
  EXPECT_EQ(join.family, Sjis("ＭＳ Ｐゴシック"));  // missing: unchanged
  EXPECT_EQ(join.size, 90);
  EXPECT_EQ(join.color, ColorFromRgb(0x35811F));
  EXPECT_EQ(join.charset, 128);
  EXPECT_TRUE(join.bold && join.italic);
  EXPECT_FALSE(join.underline || join.normal);
  const TFontSpec& part = settings.line_fonts[4];
  EXPECT_EQ(part.family, "Tahoma");
  EXPECT_EQ(part.size, 100);
  EXPECT_EQ(part.charset, 0);
  EXPECT_TRUE(part.normal && part.underline);
  EXPECT_FALSE(part.bold || part.italic);  // lower case is not recognised
}

// Each section sets its own setting, and only it.
TEST(Version1ViewTest, EachFontSectionSetsItsSetting) {
  struct TCase {
    const char* section;
    TFontSpec TViewSettings::*font;
    int line;  // index of lineFonts or nickFonts, with `font` null
    bool nick;
  } cases[] = {
      {"Font_Time", &TViewSettings::time_font, 0, false},
      {"Font_PreChan", &TViewSettings::channel_font, 0, false},
      {"Font_Keyword", &TViewSettings::keyword_font, 0, false},
      {"Font_Input", &TViewSettings::edit_font, 0, false},
      {"Font_ChList", &TViewSettings::tree_font, 0, false},
      {"Font_MemList", &TViewSettings::list_font, 0, false},
      {"Font_PreNick", nullptr, 0, true},
      {"Font_MyNick", nullptr, 1, true},
      {"Font_Text", nullptr, 0, false},
      {"Font_Notice", nullptr, 1, false},
      {"Font_Action", nullptr, 2, false},
      {"Font_Join", nullptr, 3, false},
      {"Font_Part", nullptr, 4, false},
      {"Font_Quit", nullptr, 5, false},
      {"Font_Kick", nullptr, 6, false},
      {"Font_Invite", nullptr, 7, false},
      {"Font_Nick", nullptr, 8, false},
      {"Font_Mode", nullptr, 9, false},
      {"Font_Topic", nullptr, 10, false},
      {"Font_DCCSend", nullptr, 12, false},
      {"Font_DCCChat", nullptr, 13, false},
      {"Font_Error", nullptr, 14, false},
      {"Font_System", nullptr, 16, false},
  };
  for (const TCase& c : cases) {
    TViewSettings settings = ReadView(std::string("[") + c.section + "]\nName=Marked\nSize=20\n");
    TViewSettings expected = EmptyVersion1File();
    TFontSpec& font = c.font ? expected.*c.font : c.nick ? expected.nick_fonts[c.line] : expected.line_fonts[c.line];
    font.family = "Marked";
    font.size = 200;
    SCOPED_TRACE(c.section);
    ExpectSameSettings(settings, expected);
  }

  // Colour-only sections set a text colour and nothing else of the font.
  TViewSettings colors = ReadView(
      "[Font_ChListUpdate]\nName=x\nColor=000001\n[Font_ChListNewTalk]\nColor=000002\n"
      "[Font_ChListKeyword]\nColor=000003\n[Font_MemListMe]\nSize=30\nColor=000004\n");
  TViewSettings expected = EmptyVersion1File();
  expected.tree_update.text = 1;
  expected.tree_new_talk.text = 2;
  expected.tree_keyword.text = 3;
  expected.list_self.text = 4;
  ExpectSameSettings(colors, expected);
}

TEST(Version1ViewTest, DrawTypesPlaceThePicture) {
  const int styles[][2] = {{1, 100}, {2, 300}, {3, 200}, {4, 201},  {5, 202},  {6, 203}, {7, 204},
                           {8, 205}, {9, 207}, {10, 206}, {11, 208}, {0, 0},   {12, 0},  {-1, 0}};
  for (const auto& [draw_type, style] : styles) {
    TViewSettings settings = ReadView("[ChImageFile]\nCount=1\nChanName0=全チャンネルログ\nDrawType0=" +
                                      std::to_string(draw_type) + "\nImageFile0=a.jpg\n");
    EXPECT_EQ(settings.all_log_back.style, style) << draw_type;
    EXPECT_EQ(settings.all_log_back.image_file, "a.jpg");
    EXPECT_EQ(settings.channel_log_back, TViewSettings().channel_log_back);
  }
}

TEST(Version1ViewTest, TextTypesGiveShadowKinds) {
  const int kinds[][2] = {{1, 3}, {2, 1}, {3, 2}, {0, 0}, {4, 0}, {-2, 0}};
  for (const auto& [text_type, kind] : kinds)
    EXPECT_EQ(ReadView("[LogBackground]\nTextType=" + std::to_string(text_type) + "\n").shadow_kind, kind)
        << text_type;
}

TEST(Version1ViewTest, PictureNamesAreBareFileNames) {
  const char* const cases[][2] = {
      {"a.jpg", "a.jpg"},
      {"C:\\Zephlora1\\Image\\a.jpg", "a.jpg"},
      {"C:a.jpg", "a.jpg"},
      {"../../../etc/passwd", "passwd"},
      {"..\\..\\secret.bmp", "secret.bmp"},
      {"image\\..", ""},
      {"..", ""},
      {".", ""},
      {"folder/", ""},
      {"表.jpg", "表.jpg"},  // 表 ends in the backslash byte
      {"画像\\表.jpg", "表.jpg"},
  };
  for (const auto& [name, bare] : cases) EXPECT_EQ(Version1ImageName(Sjis(name)), Sjis(bare)) << name;
}

TEST(Version1ViewTest, OutOfRangeNumbersAreHeld) {
  TViewSettings settings = ReadView(
      "[Font_Text]\nSize=214748365\n[Font_Notice]\nSize=0\n[Font_Action]\nSize=-5\n"
      "[Font_Join]\nSize=2147483647\nCharset=300\n[Font_Part]\nSize=-2147483648\n"
      "[Font_Quit]\nColor=ff0000ff\n[BkColor]\nMemBkColor=ffffffffff\n"
      "[ChImageFile]\nCount=2147483648\nChanName0=チャンネルログ\nDrawType0=2147483648\nImageFile0=a.bmp\n");
  EXPECT_EQ(settings.line_fonts[0].size, kMaxFontSize);
  EXPECT_EQ(settings.line_fonts[1].size, kDefaultFontSize);
  EXPECT_EQ(settings.line_fonts[2].size, kDefaultFontSize);
  EXPECT_EQ(settings.line_fonts[3].size, kMaxFontSize);
  EXPECT_EQ(settings.line_fonts[3].charset, kDefaultCharset);
  EXPECT_EQ(settings.line_fonts[4].size, kDefaultFontSize);
  EXPECT_EQ(settings.line_fonts[5].color, 0x0000ffu);
  EXPECT_EQ(settings.list_back_color, 0xFFFFFFu);
  EXPECT_EQ(settings.channel_log_back.image_file, "a.bmp");
  EXPECT_EQ(settings.channel_log_back.style, 0);
}

TEST(Version1ViewTest, UnreadableFilesChangeNothing) {
  test::TTempDir dir;
  TViewSettings settings;
  settings.shadow_kind = 2;
  settings.formats.time = "kept ";
  EXPECT_FALSE(LoadVersion1Theme(dir.Path() / "missing.lvf", true, true, &settings));
  EXPECT_FALSE(LoadVersion1Theme(dir.Path(), true, true, &settings));
  EXPECT_EQ(settings.shadow_kind, 2);
  EXPECT_EQ(settings.formats.time, "kept ");
}

}  // namespace
}  // namespace zeph
