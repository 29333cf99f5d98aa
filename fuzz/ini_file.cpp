// Any bytes as a settings file: the reader takes them line by line, the
// server tree and the preferences are read from them, and what was read
// must come back unchanged after a write and a second read (the writer
// drops NUL, so that check skips inputs that hold one).
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "settings/ini_file.h"
#include "settings/ini_writer.h"
#include "settings/preference_file.h"
#include "settings/tree_file.h"

using namespace zeph;

namespace {

void ReadQuoted(std::string_view bytes) {
  TIniFile ini(true);
  ini.LoadText(bytes);
  for (const char* section : {"", "World", "Unit.00"}) {
    ini.SetSection(section);
    ini.ReadString("Name", "");
    ini.ReadInteger("Port", 6667);
    ini.ReadBool("AutoConnect", false);
    ini.ReadHex("Color", 0);
  }
}

TIniFile Parsed(std::string_view bytes) {
  TIniFile ini;
  ini.LoadText(bytes);
  return ini;
}

void CheckTree(std::string_view bytes, bool exact) {
  TIniFile ini = Parsed(bytes);
  TWorldConfig world;
  ReadWorldConfig(ini, &world);
  TIniWriter writer;
  WriteWorldConfig(writer, world);
  TIniFile written = Parsed(writer.Text());
  TWorldConfig back;
  ReadWorldConfig(written, &back);
  if (exact && !(back == world)) abort();
}

void CheckPreferences(std::string_view bytes, bool exact) {
  static const TPreferences defaults = DefaultPreferences();
  TIniFile ini = Parsed(bytes);
  TPreferences prefs = defaults;
  ReadPreferences(ini, &prefs);
  TIniWriter writer;
  WritePreferences(writer, prefs);
  TIniFile written = Parsed(writer.Text());
  TPreferences back = defaults;
  ReadPreferences(written, &back);
  if (exact && !(back == prefs)) abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string_view bytes(reinterpret_cast<const char*>(data), size);
  bool exact = bytes.find('\0') == std::string_view::npos;
  ReadQuoted(bytes);
  CheckTree(bytes, exact);
  CheckPreferences(bytes, exact);
  return 0;
}
