#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

#include "settings/preferences.h"  // kUserGroupCount, shared with the user groups
#include "display/message_format.h"
#include "display/palette.h"

// The look of the logs, the server tree, the member lists and the input
// line: what view.ini and every theme hold, followed in the same file by
// the message formats. Values are kept exactly as read, even out of range,
// so a file is written back as it came; they are held to sane values only
// when realised for drawing (see view_realise.h).
namespace zeph {

class TIniFile;
class TIniWriter;

inline constexpr int kLineCategoryCount = 20;
inline constexpr int kNickClassCount = 7;  // 0 others, 1 the user himself, 2..6 user groups 1..5

// One font setting, stored as the keys <prefix>Family, Size, Charset,
// Color and Style.
struct TFontSpec {
  std::string family;             // Family: Shift_JIS face name; empty lets the platform choose
  int charset = 128;              // Charset: platform character set, 128 Shift_JIS
  int size = 100;                 // Size: tenths of a point
  bool normal = false;            // "N" of Style: kept and written back, changes nothing
  bool bold = false;              // "B"
  bool italic = false;            // "I"
  bool underline = false;         // "U"
  std::uint32_t color = 0x101010; // Color: 0x00BBGGRR

  bool operator==(const TFontSpec&) const = default;
};

// Sets each style flag of the font exactly when its letter ("N", "B", "U",
// "I") occurs in a Style value; anything else in it is ignored, and lower
// case is not recognised.
void SetFontStyle(std::string_view letters, TFontSpec* font);

// One log background: sections ChannelLogBack and AllLogBack.
struct TBackground {
  std::uint32_t color = 0xFFFFFF;  // BackColor
  std::string image_file;          // BackImageFile: bare file name in a theme image folder; empty for none
  int style = 0;                   // BackStyle: placement code (background.h)

  bool operator==(const TBackground&) const = default;
};

// A text colour on a back colour: <prefix>Text and <prefix>Back.
struct TColorPair {
  std::uint32_t text = 0x101010;
  std::uint32_t back = 0xFFFFFF;

  bool operator==(const TColorPair&) const = default;
};

struct TViewSettings {
  TViewSettings() { ResetViewSettings(); }

  // Every field but the formats to the default theme. The "N" flags of
  // the fonts stay as they are.
  void ResetViewSettings();
  // The default theme and the default formats.
  void ResetAll();

  // Reads the view sections (`view`) and section Format (`read_formats`)
  // of a view.ini or theme file; a key the file lacks keeps its field,
  // except that a font without its Style key reads as a plain font. False,
  // and nothing changed, when the file cannot be read.
  bool LoadViewSettings(const std::filesystem::path& path, bool view, bool read_formats);
  // Writes the whole file (view sections, then Format) in place of the old
  // one, creating its folder. False when it could not be written.
  bool SaveViewSettings(const std::filesystem::path& path) const;

  // The same on a loaded file and on a writer.
  void ReadViewSettings(TIniFile& ini, bool view, bool read_formats);
  void WriteViewSettings(TIniWriter& writer) const;

  std::array<TFontSpec, kLineCategoryCount> line_fonts;  // LogText: LineFont.%02d.
  std::array<TFontSpec, kNickClassCount> nick_fonts;     // NickFont.%02d.
  TFontSpec time_font;                                   // TimeFont.
  TFontSpec channel_font;                                // ChannelFont.: the place piece
  TFontSpec url_font;                                    // URLFont.
  TFontSpec hostname_font;                               // HostnameFont.
  TFontSpec keyword_font;                                // KeywordFont.
  int shadow_kind = 0;               // ShadowKind: 0 none, 1 drop shadow, 2 outline, 3 filled
  std::uint32_t shadow_color = 0;    // ShadowColor
  bool use_url_font = false;         // UseURLFont: else URLs take the line font, underlined
  bool use_hostname_font = false;    // UseHostnameFont
  std::uint32_t select_text_color = 0;  // SelectTextColor
  std::uint32_t select_back_color = 0;  // SelectBackColor
  std::uint32_t hilight_back_color = 0; // HilightBackColor: search-highlight matches
  TBackground channel_log_back;      // unit, channel, talk and DCC chat logs
  TBackground all_log_back;          // the console
  TFontSpec list_font;               // List: Font.
  TColorPair list_selected;          // SelectedColor.
  TColorPair list_self;              // SelfColor.
  std::array<TColorPair, kUserGroupCount> list_groups;  // GroupColor.%02d.
  std::uint32_t list_back_color = 0; // BackColor
  TFontSpec tree_font;               // Tree: Font.
  TColorPair tree_selected;          // SelectedColor.
  TColorPair tree_keyword;           // KeywordColor.
  TColorPair tree_new_talk;          // NewTalkColor.
  TColorPair tree_update;            // UpdateColor.: unread lines
  std::uint32_t tree_back_color = 0; // BackColor
  TFontSpec edit_font;               // Edit: Font.
  std::uint32_t edit_back_color = 0; // BackColor
  TMessageFormat formats;            // section Format
};

}  // namespace zeph
