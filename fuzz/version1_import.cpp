// Any bytes as the general and the profile file of a version-1
// configuration: every renumbered choice lands on a value the program
// knows, counts as large as 2^31 cost nothing, server names stay unique,
// macro files are bare names, and the result can be written.
#include <cstdint>
#include <cstdlib>
#include <set>
#include <string>
#include <string_view>

#include "app/version1_general.h"
#include "app/version1_profile.h"
#include "display/version1_view.h"
#include "settings/ini_file.h"
#include "settings/ini_writer.h"
#include "settings/preference_file.h"
#include "settings/tree_file.h"

using namespace zeph;

namespace {

void Check(bool condition) {
  if (!condition) abort();
}

bool Within(int value, int low, int high) { return value >= low && value <= high; }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  TIniFile ini(true);
  ini.LoadText(std::string_view(reinterpret_cast<const char*>(data), size));
  TPreferences prefs;
  TWindowLayout layout;
  TVersion1User user = ReadVersion1General(ini, &prefs, &layout);
  Check(Within(prefs.KanaEncodingMethod, 0, 3) && Within(prefs.NickPolicy, 0, 3));
  Check(Within(prefs.IPResolveMethod, 0, 3) && Within(prefs.URLOpenMethod, 0, 2));
  Check(Within(prefs.DCCReceiveAction, 0, 2) && Within(prefs.InviteAction, 1, 2));
  Check(Within(prefs.WhoTiming, 1, 2));

  TWorldConfig world;
  ReadVersion1Profiles(ini, user, &world);
  std::set<std::string> names;
  for (const TServerConfig& unit : world.units) {
    Check(names.insert(unit.name).second);
    for (const std::string& file : unit.macro_files) Check(!file.empty() && file == Version1ImageName(file));
  }

  TIniWriter writer;
  WritePreferences(writer, prefs);
  WriteWorldConfig(writer, world);
  WriteWindowLayout(writer, layout);
  return 0;
}
