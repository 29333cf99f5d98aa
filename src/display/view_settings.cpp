#include "display/view_settings.h"

#include <string_view>

#include "settings/ini_file.h"
#include "settings/ini_writer.h"
#include "display/view_settings_layout.h"
#include "platform/files.h"
#include "platform/sjis.h"

namespace zeph {
namespace {

struct TCategoryLook {
  std::uint32_t rgb;
  bool bold;
};

// Privmsg, Notice, Action, Join, Part, Quit, Kick, Invite, Nick, Mode,
// Topic, CTCP, DCC Send, DCC Chat, error, replies, system, macro output,
// protocol sent, protocol received.
constexpr TCategoryLook kCategoryLooks[kLineCategoryCount] = {
    {0x101010, false}, {0x808080, false}, {0x108010, false}, {0x35811F, false}, {0x843C26, false},
    {0x843C26, false}, {0x843C26, false}, {0x3437A7, true},  {0x51828C, false}, {0x51828C, false},
    {0x51828C, false}, {0x008080, false}, {0x3437A7, true},  {0x3437A7, true},  {0xB02424, true},
    {0x108080, false}, {0x666131, false}, {0x108080, false}, {0x808080, false}, {0x101010, false},
};

constexpr std::uint32_t kNickRgb[kNickClassCount] = {0x10109F, 0x666666, 0x6060FF, 0x40B0CF,
                                                     0x40B040, 0xCF40CF, 0xB0B040};
constexpr std::uint32_t kGroupBackRgb[kUserGroupCount] = {0xC0C0FF, 0xC0E0FF, 0xC0E0C0, 0xFFC0FF, 0xE0E0C0};

constexpr std::uint32_t kDefaultTextRgb = 0x101010;
constexpr std::uint32_t kWhiteRgb = 0xFFFFFF;
constexpr std::uint32_t kSelectionRgb = 0x4169E1;

// The "N" flag is the user's and survives a reset.
void ResetFont(TFontSpec* font, std::uint32_t rgb, bool bold = false, bool underline = false) {
  font->family = Sjis("ＭＳ Ｐゴシック");
  font->charset = 128;
  font->size = 100;
  font->bold = bold;
  font->italic = false;
  font->underline = underline;
  font->color = ColorFromRgb(rgb);
}

TColorPair Pair(std::uint32_t text_rgb, std::uint32_t back_rgb) {
  return {ColorFromRgb(text_rgb), ColorFromRgb(back_rgb)};
}

// A missing Style key reads as this and gives a plain font.
constexpr std::string_view kStyleUnset = "***DEFAULT***";

void ReadStyle(std::string_view style, TFontSpec* font) { SetFontStyle(style == kStyleUnset ? "" : style, font); }

std::string StyleText(const TFontSpec& font) {
  std::string style;
  if (font.normal) style += 'N';
  if (font.bold) style += 'B';
  if (font.underline) style += 'U';
  if (font.italic) style += 'I';
  return style;
}

// Reads each key over the field's current value, so a missing key keeps it.
class TViewReader {
 public:
  explicit TViewReader(TIniFile& ini) : ini_(ini) {}

  void Section(std::string_view name) { ini_.SetSection(name); }
  void Hex(const std::string& key, std::uint32_t& value) { value = ini_.ReadHex(key, value); }
  void Integer(const std::string& key, int& value) { value = ini_.ReadInteger(key, value); }
  void Bool(const std::string& key, bool& value) { value = ini_.ReadBool(key, value); }
  void String(const std::string& key, std::string& value) { value = ini_.ReadString(key, value); }
  void Font(const std::string& prefix, TFontSpec& font) {
    String(prefix + "Family", font.family);
    Integer(prefix + "Size", font.size);
    Integer(prefix + "Charset", font.charset);
    Hex(prefix + "Color", font.color);
    ReadStyle(ini_.ReadString(prefix + "Style", kStyleUnset), &font);
  }

 private:
  TIniFile& ini_;
};

class TViewWriter {
 public:
  explicit TViewWriter(TIniWriter& writer) : writer_(writer) {}

  void Section(std::string_view name) { writer_.WriteSection(name); }
  void Hex(const std::string& key, std::uint32_t value) { writer_.WriteHex(key, value); }
  void Integer(const std::string& key, int value) { writer_.WriteInteger(key, value); }
  void Bool(const std::string& key, bool value) { writer_.WriteBool(key, value); }
  void String(const std::string& key, const std::string& value) { writer_.WriteString(key, value); }
  void Font(const std::string& prefix, const TFontSpec& font) {
    String(prefix + "Family", font.family);
    Integer(prefix + "Size", font.size);
    Integer(prefix + "Charset", font.charset);
    Hex(prefix + "Color", font.color);
    String(prefix + "Style", StyleText(font));
  }

 private:
  TIniWriter& writer_;
};

}  // namespace

void SetFontStyle(std::string_view letters, TFontSpec* font) {
  auto has = [&](char letter) { return letters.find(letter) != std::string_view::npos; };
  font->normal = has('N');
  font->bold = has('B');
  font->underline = has('U');
  font->italic = has('I');
}

void TViewSettings::ResetViewSettings() {
  for (int i = 0; i < kLineCategoryCount; ++i)
    ResetFont(&line_fonts[i], kCategoryLooks[i].rgb, kCategoryLooks[i].bold);
  for (int i = 0; i < kNickClassCount; ++i) ResetFont(&nick_fonts[i], kNickRgb[i]);
  ResetFont(&time_font, 0x6F4E3C);
  ResetFont(&channel_font, 0x101080);
  ResetFont(&url_font, 0x1010E0, false, true);
  ResetFont(&hostname_font, 0x1010E0, false, true);
  ResetFont(&keyword_font, 0xFF1493, true);
  shadow_kind = 0;
  shadow_color = ColorFromRgb(0xC0C0C0);
  use_url_font = false;
  use_hostname_font = false;
  select_text_color = ColorFromRgb(kWhiteRgb);
  select_back_color = ColorFromRgb(kSelectionRgb);
  hilight_back_color = ColorFromRgb(0xA0FFB0);
  channel_log_back = TBackground{ColorFromRgb(kWhiteRgb), "", 0};
  all_log_back = TBackground{ColorFromRgb(kWhiteRgb), "", 0};

  ResetFont(&list_font, kDefaultTextRgb);
  list_selected = Pair(kWhiteRgb, kSelectionRgb);
  list_self = Pair(kDefaultTextRgb, 0xFFC0C0);
  for (int i = 0; i < kUserGroupCount; ++i) list_groups[i] = Pair(kDefaultTextRgb, kGroupBackRgb[i]);
  list_back_color = ColorFromRgb(kWhiteRgb);

  ResetFont(&tree_font, kDefaultTextRgb);
  tree_selected = Pair(kWhiteRgb, kSelectionRgb);
  tree_keyword = Pair(kDefaultTextRgb, 0xFFC0FF);
  tree_new_talk = Pair(kDefaultTextRgb, 0xFFC0C0);
  tree_update = Pair(kDefaultTextRgb, 0xD0D0D0);
  tree_back_color = ColorFromRgb(kWhiteRgb);

  ResetFont(&edit_font, kDefaultTextRgb);
  edit_back_color = ColorFromRgb(kWhiteRgb);
}

void TViewSettings::ResetAll() {
  ResetViewSettings();
  formats.SetDefaults();
}

void TViewSettings::ReadViewSettings(TIniFile& ini, bool view, bool read_formats) {
  if (view) {
    TViewReader reader(ini);
    view_layout::ViewLayout(reader, *this);
  }
  if (read_formats) formats.Load(ini);
}

void TViewSettings::WriteViewSettings(TIniWriter& writer) const {
  TViewWriter view_writer(writer);
  view_layout::ViewLayout(view_writer, *this);
  formats.Save(writer);
}

bool TViewSettings::LoadViewSettings(const std::filesystem::path& path, bool view, bool read_formats) {
  TIniFile ini;
  if (!ini.Load(path)) return false;
  ReadViewSettings(ini, view, read_formats);
  return true;
}

bool TViewSettings::SaveViewSettings(const std::filesystem::path& path) const {
  return SaveIniFile(path, TFilePrivacy::Shared, [this](TIniWriter& writer) { WriteViewSettings(writer); });
}

}  // namespace zeph
