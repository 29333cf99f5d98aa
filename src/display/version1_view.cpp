#include "display/version1_view.h"

#include <algorithm>
#include <climits>
#include <cstdio>
#include <iterator>

#include "settings/counted_list.h"
#include "settings/ini_file.h"
#include "settings/preferences.h"
#include "display/view_realise.h"
#include "platform/sjis.h"

namespace zeph {
namespace {

struct TNamedColor {
  std::string_view name;
  std::uint32_t rgb;
};

constexpr TNamedColor kNamedColors[] = {
    {"clAqua", 0x00FFFF},    {"clBlack", 0x000000},  {"clBlue", 0x0000FF},   {"clDkGray", 0xA9A9A9},
    {"clFuchsia", 0xFF00FF}, {"clGray", 0x808080},   {"clGreen", 0x008000},  {"clLime", 0x00FF00},
    {"clLtGray", 0xC0C0C0},  {"clMaroon", 0x800000}, {"clNavy", 0x000080},   {"clOlive", 0x808000},
    {"clPurple", 0x800080},  {"clRed", 0xFF0000},    {"clSilver", 0xC0C0C0}, {"clTeal", 0x008080},
    {"clWhite", 0xFFFFFF},   {"clYellow", 0xFFFF00},
};

constexpr std::uint32_t kWhiteRgb = 0xFFFFFF;
constexpr std::uint32_t kSelectionRgb = 0x4169E1;
constexpr std::uint32_t kDarkHilightRgb = 0x132F85;
constexpr std::uint32_t kPlainSelectionRgb = 0xE0E0E0;
constexpr int kVersion1Charset = 128;

void ReadColor(const TIniFile& ini, std::string_view key, std::uint32_t* color) {
  *color = Version1Color(ini, key, *color);
}

// Whole points as tenths, held to a size that can be drawn.
int TenthsOfPoint(int points) {
  long long tenths = static_cast<long long>(points) * 10;
  return RealisedFontSize(static_cast<int>(std::clamp<long long>(tenths, INT_MIN, INT_MAX)));
}

// A version-1 font section: the size is in whole points, a missing Style
// or Charset has a value of its own rather than keeping the current one.
void ReadFont(const TIniFile& ini, TFontSpec* font) {
  font->family = ini.ReadString("Name", font->family);
  font->size = TenthsOfPoint(ini.ReadInteger("Size", font->size / 10));
  font->color = Version1Color(ini, "Color", font->color);
  SetFontStyle(ini.ReadString("Style", ""), font);
  font->charset = ini.ReadInteger("Charset", kVersion1Charset);
  *font = RealisedFont(*font);
}

// One font section and what it sets: a whole font, or only the text colour
// of a colour pair.
struct TFontSection {
  const char* section;
  TFontSpec* font;
  std::uint32_t* color;
};

void ReadFontSections(TIniFile& ini, TViewSettings& s) {
  const TFontSection sections[] = {
      {"Font_Time", &s.time_font, nullptr},
      {"Font_PreNick", &s.nick_fonts[0], nullptr},
      {"Font_PreNick2", &s.nick_fonts[2], nullptr},
      {"Font_MyNick", &s.nick_fonts[1], nullptr},
      {"Font_PreChan", &s.channel_font, nullptr},
      {"Font_Keyword", &s.keyword_font, nullptr},
      {"Font_Text", &s.line_fonts[0], nullptr},
      {"Font_Notice", &s.line_fonts[1], nullptr},
      {"Font_Action", &s.line_fonts[2], nullptr},
      {"Font_Error", &s.line_fonts[14], nullptr},
      {"Font_Invite", &s.line_fonts[7], nullptr},
      {"Font_Join", &s.line_fonts[3], nullptr},
      {"Font_Kick", &s.line_fonts[6], nullptr},
      {"Font_Mode", &s.line_fonts[9], nullptr},
      {"Font_Nick", &s.line_fonts[8], nullptr},
      {"Font_Part", &s.line_fonts[4], nullptr},
      {"Font_Quit", &s.line_fonts[5], nullptr},
      {"Font_Topic", &s.line_fonts[10], nullptr},
      {"Font_System", &s.line_fonts[16], nullptr},
      {"Font_Reply", &s.line_fonts[15], nullptr},
      {"Font_Input", &s.edit_font, nullptr},
      {"Font_ChList", &s.tree_font, nullptr},
      {"Font_ChListUpdate", nullptr, &s.tree_update.text},
      {"Font_ChListActive", nullptr, &s.tree_selected.text},
      {"Font_ChListNewTalk", nullptr, &s.tree_new_talk.text},
      {"Font_ChListKeyword", nullptr, &s.tree_keyword.text},
      {"Font_MemList", &s.list_font, nullptr},
      {"Font_MemListSpecial", nullptr, &s.list_groups[0].text},
      {"Font_MemListMe", nullptr, &s.list_self.text},
      {"Font_MemListSel", nullptr, &s.list_selected.text},
      {"Font_Debug", &s.line_fonts[19], nullptr},
      {"Font_DCCSend", &s.line_fonts[12], nullptr},
      {"Font_DCCChat", &s.line_fonts[13], nullptr},
  };
  for (const TFontSection& section : sections) {
    ini.SetSection(section.section);
    if (section.font != nullptr) ReadFont(ini, section.font);
    else ReadColor(ini, "Color", section.color);
  }
}

// TextType: 1 filled, 2 drop shadow, 3 outline; anything else none.
int ShadowKindOf(int text_type) {
  switch (text_type) {
    case 1: return 3;
    case 2: return 1;
    case 3: return 2;
    default: return 0;
  }
}

void ReadLogBackground(const TIniFile& ini, TViewSettings& s) {
  s.shadow_kind = ShadowKindOf(ini.ReadInteger("TextType", 0));
}

void ReadBackColors(const TIniFile& ini, TViewSettings& s) {
  std::uint32_t log_back = s.channel_log_back.color;
  ReadColor(ini, "LogBkColor", &log_back);
  s.channel_log_back.color = log_back;
  s.all_log_back.color = log_back;
  ReadColor(ini, "LogBkColor", &s.shadow_color);
  ReadColor(ini, "InputBkColor", &s.edit_back_color);
  ReadColor(ini, "ChBkColor", &s.tree_back_color);
  ReadColor(ini, "ChBkUpdateColor", &s.tree_update.back);
  ReadColor(ini, "ChBkActiveColor", &s.tree_selected.back);
  ReadColor(ini, "ChBkNewTalkColor", &s.tree_new_talk.back);
  ReadColor(ini, "ChBkKeywordColor", &s.tree_keyword.back);
  ReadColor(ini, "MemBkColor", &s.list_back_color);
  ReadColor(ini, "MemBkSpecialColor", &s.list_groups[0].back);
  ReadColor(ini, "MemBkMeColor", &s.list_self.back);
  ReadColor(ini, "MemBkSelColor", &s.list_selected.back);
}

// DrawType 1..11 as a placement code of a background.
int BackStyleOf(int draw_type) {
  constexpr int kStyles[] = {100, 300, 200, 201, 202, 203, 204, 205, 207, 206, 208};
  return draw_type >= 1 && draw_type <= static_cast<int>(std::size(kStyles)) ? kStyles[draw_type - 1] : 0;
}

std::string IndexedKey(const char* name, int index) {
  char key[48];
  std::snprintf(key, sizeof key, "%s%d", name, index);
  return key;
}

TBackground* NamedBackground(std::string_view name, TViewSettings& s) {
  if (name == Sjis("チャンネルログ")) return &s.channel_log_back;
  if (name == Sjis("全チャンネルログ")) return &s.all_log_back;
  return nullptr;
}

void ReadImageFiles(const TIniFile& ini, TViewSettings& s) {
  TListKeys keys{.count = "Count", .prefix = "ChanName", .suffix = "", .plain_index = true};
  int count = CountedKeys(ini, keys);
  for (int i = 0; i < count; ++i) {
    TBackground* back = NamedBackground(ini.ReadString(IndexedKey("ChanName", i), ""), s);
    if (back == nullptr) continue;
    back->style = BackStyleOf(ini.ReadInteger(IndexedKey("DrawType", i), 0));
    back->image_file = Version1ImageName(ini.ReadString(IndexedKey("ImageFile", i), back->image_file));
  }
}

void ReadPreferences(TIniFile& ini, TPreferences& preferences) {
  ini.SetSection("LogBackground");
  preferences.LineLeading = ini.ReadInteger("LineMargin", preferences.LineLeading);
  ini.SetSection("Format");
  bool by_operator = ini.ReadInteger("SortWithOp", 1) != 0;
  bool by_group = ini.ReadInteger("SortWithMask", 1) != 0;
  preferences.MemberSortMethod = by_operator && by_group ? 4 : by_operator ? 1 : by_group ? 2 : 0;
  preferences.InvertLogAndList = ini.ReadInteger("InvertPanel", 0) != 0;
  preferences.InvertMemberAndTree = ini.ReadInteger("InvertList", 0) != 0;
}

// Version 1 had no fonts of its own for these: they follow its nearest ones.
void DeriveMissingSettings(TViewSettings& s) {
  s.line_fonts[17] = s.line_fonts[15];  // macro output as replies
  s.line_fonts[11] = s.line_fonts[15];  // CTCP as replies
  s.line_fonts[18] = s.line_fonts[19];  // protocol sent as received
  for (int i = 3; i < kNickClassCount; ++i) {
    std::uint32_t color = s.nick_fonts[i].color;
    s.nick_fonts[i] = s.nick_fonts[2];
    s.nick_fonts[i].color = color;
  }
  s.use_url_font = false;
  s.use_hostname_font = false;
}

// Nearer to black than to white.
bool IsDark(std::uint32_t color) {
  int red = static_cast<int>(color & 0xFF);
  int green = static_cast<int>((color >> 8) & 0xFF);
  int blue = static_cast<int>((color >> 16) & 0xFF);
  auto square = [](int value) { return value * value; };
  return square(red) + square(green) + square(blue) <
         square(255 - red) + square(255 - green) + square(255 - blue);
}

// Version 1 had no selection or highlight colours of its own: on a dark log
// they get ones that still show; on dark group backs the other groups turn
// their colours round; a plain grey selection becomes the usual one.
void FitColorsToBackgrounds(TViewSettings& s) {
  if (IsDark(s.channel_log_back.color)) {
    s.select_text_color = ColorFromRgb(kWhiteRgb);
    s.select_back_color = ColorFromRgb(kSelectionRgb);
    s.hilight_back_color = ColorFromRgb(kDarkHilightRgb);
  }
  if (IsDark(s.list_groups[0].back)) {
    for (int i = 1; i < kUserGroupCount; ++i) s.list_groups[i] = {s.list_groups[i].back, s.list_groups[0].back};
  }
  for (TColorPair* selected : {&s.list_selected, &s.tree_selected}) {
    if (selected->back == ColorFromRgb(kPlainSelectionRgb))
      *selected = {ColorFromRgb(kWhiteRgb), ColorFromRgb(kSelectionRgb)};
  }
}

}  // namespace

std::uint32_t Version1Color(const TIniFile& ini, std::string_view key, std::uint32_t current) {
  std::string text = ini.ReadString(key, "");
  if (text.empty()) return current;
  for (const TNamedColor& named : kNamedColors) {
    if (text == named.name) return ColorFromRgb(named.rgb);
  }
  return RealisedColor(ini.ReadHex(key, current));
}

std::string Version1ImageName(std::string_view name) {
  size_t start = 0;
  for (size_t pos = 0; pos < name.size(); pos += SjisCharLength(name, pos)) {
    char c = name[pos];
    if (SjisCharLength(name, pos) == 1 && (c == '\\' || c == '/' || c == ':')) start = pos + 1;
  }
  std::string bare(name.substr(start));
  return bare == "." || bare == ".." ? std::string() : bare;
}

void ReadVersion1View(TIniFile& ini, TViewSettings* settings, TPreferences* preferences) {
  TViewSettings& s = *settings;
  s.ResetViewSettings();
  ini.SetSection("LogBackground");
  ReadLogBackground(ini, s);
  ini.SetSection("BkColor");
  ReadBackColors(ini, s);
  ini.SetSection("ChImageFile");
  ReadImageFiles(ini, s);
  if (preferences != nullptr) ReadPreferences(ini, *preferences);
  ReadFontSections(ini, s);
  DeriveMissingSettings(s);
  FitColorsToBackgrounds(s);
}

}  // namespace zeph
