#include "app/version1_profile.h"

#include <algorithm>
#include <string>

#include "app/version1_keys.h"
#include "display/version1_view.h"
#include "settings/ini_file.h"
#include "settings/password_code.h"

namespace zeph {

namespace {

std::string Indexed(std::string_view prefix, int index) { return std::string(prefix) + std::to_string(index); }

bool NameTaken(const TWorldConfig& world, std::string_view name) {
  return std::any_of(world.units.begin(), world.units.end(), [&](const TServerConfig& u) { return u.name == name; });
}

std::string ChannelMode(const TVersion1User& user, std::string_view channel) {
  for (const auto& [name, mode] : user.channel_modes)
    if (name == channel) return mode;
  return "+sn";
}

void ApplyUser(const TVersion1User& user, TServerConfig* unit) {
  unit->username = user.username;
  unit->realname = user.realname;
  unit->part_message = user.part_message;
  unit->quit_message = user.quit_message;
  unit->away_message = user.away_message;
  unit->user_info = user.user_info;
  unit->invisible = user.user_mode.find('i') != std::string::npos;
}

// One profile's section; its macro files were copied into the macro
// folder, so only their bare names are kept.
void ReadProfileSection(TIniFile& ini, const TVersion1User& user, TServerConfig* unit) {
  unit->hostname = ini.ReadString("Server", "");
  unit->port = ini.ReadInteger("Port", 6667);
  std::string password = ini.ReadString("Password", "");
  unit->password = ini.ReadInteger("PasswordVersion", 0) >= 1 ? DecodePassword(password) : password;
  unit->enable_password = !unit->password.empty();
  unit->nick = ini.ReadString("Nick", "");
  unit->enable_nick_len = ini.ReadBool("ExtendedServer", false);
  unit->nick_len = ini.ReadInteger("ExtendedNickLen", 9);
  if (auto macros = ReadVersion1List(ini, "MacroFilesCount", "MacroFiles"))
    for (const std::string& file : *macros)
      if (std::string bare = Version1ImageName(file); !bare.empty()) unit->macro_files.push_back(bare);
  if (auto channels = ReadVersion1List(ini, "AutoJoinChCount", "AutoJoinChItem"))
    for (std::string& channel : *channels) {
      TChannelConfig config = NewChannelConfig(channel, true);
      config.mode = ChannelMode(user, channel);
      unit->channels.push_back(std::move(config));
    }
  ApplyUser(user, unit);
}

}  // namespace

void ReadVersion1Profiles(TIniFile& ini, const TVersion1User& user, TWorldConfig* world) {
  ini.SetSection("Root");
  int count = BoundedVersion1Count(ini, "ProfileCount");
  for (int i = 0; i < count; ++i) {
    ini.SetSection("Root");
    std::string name = ini.ReadString(Indexed("Name", i), "");
    if (name.empty()) continue;
    TServerConfig unit;
    unit.auto_connect = ini.ReadBool(Indexed("AutoConnect", i), false);
    ini.SetSection(name);
    ReadProfileSection(ini, user, &unit);
    while (NameTaken(*world, name)) name += "_";
    unit.name = name;
    world->units.push_back(std::move(unit));
  }
}

}  // namespace zeph
