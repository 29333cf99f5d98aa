#pragma once

#include <cstdio>
#include <string>
#include <string_view>

#include "display/view_settings.h"

// The view sections of view.ini and the themes, in the file's order, as one
// walk over the fields: the reader, the writer and the realising copy all
// take this walk, so none of them can miss or reorder a field.
//
// `Io` has Section(name), Font(prefix, font), Hex(key, colour),
// Integer(key, value), Bool(key, value) and String(key, value); `Settings`
// is TViewSettings, or const TViewSettings for walks that only look.
namespace zeph::view_layout {

inline std::string Indexed(const char* name, size_t index) {
  char key[32];
  std::snprintf(key, sizeof key, "%s.%02zu.", name, index);
  return key;
}

template <typename Io, typename Pair>
void ColorPairKeys(Io& io, const std::string& prefix, Pair& pair) {
  io.Hex(prefix + "Text", pair.text);
  io.Hex(prefix + "Back", pair.back);
}

template <typename Io, typename Background>
void BackgroundKeys(Io& io, std::string_view section, Background& back) {
  io.Section(section);
  io.Hex("BackColor", back.color);
  io.String("BackImageFile", back.image_file);
  io.Integer("BackStyle", back.style);
}

// The view sections of the file, in their order: the reader and the writer
// walk this one list, so they cannot drift apart. `Settings` is
// TViewSettings for reading and const TViewSettings for writing.
template <typename Io, typename Settings>
void ViewLayout(Io& io, Settings& s) {
  io.Section("LogText");
  for (size_t i = 0; i < s.line_fonts.size(); ++i) io.Font(Indexed("LineFont", i), s.line_fonts[i]);
  for (size_t i = 0; i < s.nick_fonts.size(); ++i) io.Font(Indexed("NickFont", i), s.nick_fonts[i]);
  io.Font("TimeFont.", s.time_font);
  io.Font("ChannelFont.", s.channel_font);
  io.Font("URLFont.", s.url_font);
  io.Font("HostnameFont.", s.hostname_font);
  io.Font("KeywordFont.", s.keyword_font);
  io.Hex("ShadowColor", s.shadow_color);
  io.Integer("ShadowKind", s.shadow_kind);
  io.Bool("UseURLFont", s.use_url_font);
  io.Bool("UseHostnameFont", s.use_hostname_font);
  io.Hex("SelectTextColor", s.select_text_color);
  io.Hex("SelectBackColor", s.select_back_color);
  io.Hex("HilightBackColor", s.hilight_back_color);

  BackgroundKeys(io, "ChannelLogBack", s.channel_log_back);
  BackgroundKeys(io, "AllLogBack", s.all_log_back);

  io.Section("List");
  io.Font("Font.", s.list_font);
  ColorPairKeys(io, "SelectedColor.", s.list_selected);
  ColorPairKeys(io, "SelfColor.", s.list_self);
  for (size_t i = 0; i < s.list_groups.size(); ++i) ColorPairKeys(io, Indexed("GroupColor", i), s.list_groups[i]);
  io.Hex("BackColor", s.list_back_color);

  io.Section("Tree");
  io.Font("Font.", s.tree_font);
  ColorPairKeys(io, "SelectedColor.", s.tree_selected);
  ColorPairKeys(io, "KeywordColor.", s.tree_keyword);
  ColorPairKeys(io, "NewTalkColor.", s.tree_new_talk);
  ColorPairKeys(io, "UpdateColor.", s.tree_update);
  io.Hex("BackColor", s.tree_back_color);

  io.Section("Edit");
  io.Font("Font.", s.edit_font);
  io.Hex("BackColor", s.edit_back_color);
}

}  // namespace zeph::view_layout
