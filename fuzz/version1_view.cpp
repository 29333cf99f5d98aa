// Any bytes as a version-1 theme or view file: the view and format readers
// leave every value drawable as it is converted (sizes, colours, character
// sets, shadow kinds, placements, bare picture names, a member order that
// exists), convert every time letter pair, and what they give is written
// to view.ini and reads back the same.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "settings/ini_file.h"
#include "settings/ini_writer.h"
#include "settings/preferences.h"
#include "display/version1_format.h"
#include "display/version1_view.h"
#include "display/view_realise.h"
#include "display/view_settings_layout.h"
#include "platform/sjis.h"

using namespace zeph;

namespace {

void Check(bool condition) {
  if (!condition) abort();
}

bool IsPlacement(int style) {
  return style == 0 || style == 100 || (style >= 200 && style <= 208) || style == 300;
}

// A walk over every stored field that checks it is already drawable.
struct TDrawableCheck {
  void Section(std::string_view) {}
  void Font(const std::string&, const TFontSpec& font) {
    Check(font.size >= kMinFontSize && font.size <= kMaxFontSize);
    Check(font.color <= 0xFFFFFF && font.charset >= 0 && font.charset <= 255);
    Check(font.family.size() <= kMaxFaceNameBytes);
  }
  void Hex(const std::string&, std::uint32_t color) { Check(color <= 0xFFFFFF); }
  void Integer(const std::string& key, int value) {
    if (key == "ShadowKind") Check(value >= 0 && value <= 3);
    if (key == "BackStyle") Check(IsPlacement(value));
  }
  void Bool(const std::string&, bool) {}
  void String(const std::string& key, const std::string& value) {
    if (key == "BackImageFile") Check(value == Version1ImageName(value));
  }
};

// Whether `pair` starts a character of the text.
bool HasPair(std::string_view text, std::string_view pair) {
  for (size_t pos = 0; pos < text.size(); pos += SjisCharLength(text, pos))
    if (text.substr(pos).starts_with(pair)) return true;
  return false;
}

std::string Written(const TViewSettings& settings) {
  TIniWriter writer;
  settings.WriteViewSettings(writer);
  return writer.Text();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  TIniFile ini(true);
  ini.LoadText(std::string_view(reinterpret_cast<const char*>(data), size));
  TViewSettings settings;
  TPreferences preferences;
  ReadVersion1View(ini, &settings, &preferences);
  ReadVersion1Format(ini, &settings.formats);

  TDrawableCheck check;
  view_layout::ViewLayout(check, static_cast<const TViewSettings&>(settings));
  Check(!settings.use_url_font && !settings.use_hostname_font);
  const int sort = preferences.MemberSortMethod;
  Check(sort == 0 || sort == 1 || sort == 2 || sort == 4);

  const std::string& time = settings.formats.time;
  Check(!HasPair(time, "hh") && !HasPair(time, "nn") && !HasPair(time, "ss"));
  Check(!HasPair(settings.formats.FindKind(TMessageKind::UserMode)->format, "%c"));
  settings.formats.FormatTime(0);

  const std::string written = Written(settings);
  TIniFile saved;
  saved.LoadText(written);
  TViewSettings reread;
  reread.ReadViewSettings(saved, true, true);
  Check(Written(reread) == written);
  return 0;
}
