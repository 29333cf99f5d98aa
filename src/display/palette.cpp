#include "display/palette.h"

#include <array>

#include "platform/sjis.h"

namespace zeph {
namespace {

struct TPaletteEntry {
  std::string_view tag_name;
  std::string_view display_name_utf8;
  std::uint32_t rgb;  // 0xRRGGBB as written in colour tables
};

constexpr std::array<TPaletteEntry, kPaletteSize> kPalette = {{
    {"White", "白", 0xFFFFFF},
    {"Black", "黒", 0x000000},
    {"Navy", "紺", 0x000080},
    {"Green", "緑", 0x008000},
    {"Red", "赤", 0xFF0000},
    {"Maroon", "茶", 0x800000},
    {"Purple", "暗紫", 0x800080},
    {"Orange", "オレンジ", 0xFF8000},
    {"Yellow", "黄", 0xFFFF00},
    {"Lime", "黄緑", 0x00FF00},
    {"Teal", "暗水", 0x008080},
    {"Aqua", "水", 0x00FFFF},
    {"Blue", "青", 0x0000FF},
    {"Fuchsia", "紫", 0xFF00FF},
    {"Gray", "灰", 0x808080},
    {"Silver", "銀", 0xC0C0C0},
}};

bool IsPaletteIndex(int index) { return index >= 0 && index < kPaletteSize; }

// Tag names are pure ASCII, so a name holding any byte of a double-byte
// character can never equal one; the fold below therefore never sees such
// bytes.
bool EqualsIgnoringAsciiCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (static_cast<unsigned char>(a[i]) >= 0x80) return false;
    if (AsciiLower(a[i]) != AsciiLower(b[i])) return false;
  }
  return true;
}

}  // namespace

std::string_view PaletteTagName(int index) {
  return IsPaletteIndex(index) ? kPalette[index].tag_name : std::string_view();
}

const std::string& PaletteDisplayName(int index) {
  static const std::string empty;
  return IsPaletteIndex(index) ? Sjis(kPalette[index].display_name_utf8) : empty;
}

std::uint32_t PaletteColor(int index) {
  if (!IsPaletteIndex(index)) return 0;
  return ColorFromRgb(kPalette[index].rgb);
}

int ColorIndexFromName(std::string_view name) {
  for (int i = 0; i < kPaletteSize; ++i)
    if (EqualsIgnoringAsciiCase(name, kPalette[i].tag_name)) return i;
  return kNoColor;
}

}  // namespace zeph
