// Any bytes as a view.ini or theme file: what is read is written, and what
// is written reads back to the same file; the realised style holds every
// value to something drawable, and each background style places a picture
// without overflow.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "settings/ini_file.h"
#include "settings/ini_writer.h"
#include "display/background.h"
#include "display/log_style.h"
#include "display/view_realise.h"
#include "display/view_settings.h"

using namespace zeph;

namespace {

std::string Written(const TViewSettings& settings) {
  TIniWriter writer;
  settings.WriteViewSettings(writer);
  return writer.Text();
}

TViewSettings Read(std::string_view bytes) {
  TIniFile ini;
  ini.LoadText(bytes);
  TViewSettings settings;
  settings.ReadViewSettings(ini, true, true);
  return settings;
}

void CheckRealised(const TViewSettings& settings) {
  TLogStyle style(settings);
  for (int slot = 0; slot < TLogStyle::kFontSlotCount; ++slot) {
    const TFontSpec& font = style.Font(slot);
    if (font.size < kMinFontSize || font.size > kMaxFontSize) abort();
    if (font.color > 0xFFFFFF || font.charset < 0 || font.charset > 255) abort();
    if (font.family.size() > kMaxFaceNameBytes) abort();
  }
  if (style.shadow_kind < 0 || style.shadow_kind > 3 || style.shadow_color > 0xFFFFFF) abort();
  for (const TBackground* back : {&settings.channel_log_back, &settings.all_log_back}) {
    PlaceBackground(back->style, 1000, 700, 8000, 8000);
    PlaceBackground(back->style, 1000, 700, static_cast<int>(kMaxPicturePixels), 1);
    PlaceBackground(back->style, 0, 0, 1, static_cast<int>(kMaxPicturePixels));
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string_view bytes(reinterpret_cast<const char*>(data), size);
  TViewSettings settings = Read(bytes);
  CheckRealised(settings);
  const std::string written = Written(settings);
  if (Written(Read(written)) != written) abort();
  return 0;
}
