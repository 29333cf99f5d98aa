#include "settings/tree_file.h"

#include <unordered_set>

#include "settings/counted_list.h"
#include "settings/field_table.h"
#include "settings/password_code.h"

namespace zeph {
namespace {

// Files written before the passwords were scrambled hold them in plain
// text and have no PasswordVersion.
constexpr int kPasswordVersion = 1;
// The world's rule for a name that is taken: up to 100 underscores, then
// the unit is left out.
constexpr int kMaxNameRetries = 100;

// The keys around the password, in the order of the file.
constexpr TField<TServerConfig> kAddressFields[] = {
    {"Name", &TServerConfig::name},
    {"Hostname", &TServerConfig::hostname},
    {"Port", &TServerConfig::port},
};

constexpr TField<TServerConfig> kUnitFields[] = {
    {"Nick", &TServerConfig::nick},
    {"Username", &TServerConfig::username},
    {"Realname", &TServerConfig::realname},
    {"PartMessage", &TServerConfig::part_message},
    {"QuitMessage", &TServerConfig::quit_message},
    {"AwayMessage", &TServerConfig::away_message},
    {"UserInfo", &TServerConfig::user_info},
    {"AutoConnect", &TServerConfig::auto_connect},
    {"Update", &TServerConfig::update},
    {"Console", &TServerConfig::console},
    {"Keyword", &TServerConfig::keyword},
    {"Invisible", &TServerConfig::invisible},
    {"AutoAway", &TServerConfig::auto_away},
    {"EnableNickLen", &TServerConfig::enable_nick_len},
    {"NickLen", &TServerConfig::nick_len},
    {"Encoding", &TServerConfig::encoding},
    {"MacroHeaderWidth", &TServerConfig::macro_header_width},
    {"EnableSocks", &TServerConfig::enable_socks},
    {"SocksHostname", &TServerConfig::socks_hostname},
    {"SocksPort", &TServerConfig::socks_port},
    {"SocksVersion", &TServerConfig::socks_version},
    {"EnableSocksAuth", &TServerConfig::enable_socks_auth},
    {"SocksUsername", &TServerConfig::socks_username},
    {"SocksPassword", &TServerConfig::socks_password},
};

constexpr TField<TChannelConfig> kChannelFields[] = {
    {"Name", &TChannelConfig::name},
    {"Password", &TChannelConfig::password},
    {"Mode", &TChannelConfig::mode},
    {"Topic", &TChannelConfig::topic},
    {"AutoJoin", &TChannelConfig::auto_join},
    {"Update", &TChannelConfig::update},
    {"Console", &TChannelConfig::console},
    {"Keyword", &TChannelConfig::keyword},
};

TListKeys MaskList(std::string_view prefix, std::string_view name) {
  return TListKeys::Named(std::string(prefix) + std::string(name), ".Mask");
}

const TListKeys kMacroFiles = TListKeys::Named("MacroFile", "");
const TListKeys kChannels = TListKeys::Named("Channel", ".");
const TListKeys kUnits = TListKeys::Named("Unit", "");


// An old file's password is plain text and counts as enabled when set.
void ReadPassword(const TIniFile& ini, TServerConfig* unit) {
  int version = ini.ReadInteger("PasswordVersion", 0);
  std::string stored = ini.ReadString("Password", "");
  if (version == kPasswordVersion) {
    unit->password = DecodePassword(stored);
    unit->enable_password = ini.ReadBool("EnablePassword", false);
  } else {
    unit->password = std::move(stored);
    unit->enable_password = !unit->password.empty();
  }
}

TChannelConfig ReadChannel(const TIniFile& ini, const std::string& prefix) {
  TChannelConfig channel;
  ReadFields<TChannelConfig>(ini, kChannelFields, prefix, &channel);
  channel.auto_op_masks = ReadTextList(ini, MaskList(prefix, "AutoOp"));
  return channel;
}

// Every index below Unit.Count up to the last section there gives a unit,
// with all defaults when its section is missing; channels are never
// dropped, even unnamed ones.
TServerConfig ReadUnit(const TIniFile& ini) {
  TServerConfig unit;
  ReadFields<TServerConfig>(ini, kAddressFields, "", &unit);
  ReadFields<TServerConfig>(ini, kUnitFields, "", &unit);
  ReadPassword(ini, &unit);
  unit.auto_op_masks = ReadTextList(ini, MaskList("", "AutoOp"));
  unit.macro_files = ReadTextList(ini, kMacroFiles);
  int channels = CountedKeys(ini, kChannels);
  for (int j = 0; j < channels; ++j) unit.channels.push_back(ReadChannel(ini, kChannels.EntryKey(j)));
  return unit;
}

void MakeUnitNamesUnique(std::vector<TServerConfig>* units) {
  std::unordered_set<std::string> taken;
  std::vector<TServerConfig> kept;
  for (TServerConfig& unit : *units) {
    for (int retry = 0; taken.contains(unit.name) && retry < kMaxNameRetries; ++retry) unit.name += '_';
    if (taken.insert(unit.name).second) kept.push_back(std::move(unit));
  }
  *units = std::move(kept);
}

void WriteChannel(TIniWriter& writer, const TChannelConfig& channel, const std::string& prefix) {
  WriteFields<TChannelConfig>(writer, kChannelFields, prefix, channel);
  WriteTextList(writer, MaskList(prefix, "AutoOp"), channel.auto_op_masks);
}

void WriteUnit(TIniWriter& writer, const TServerConfig& unit) {
  WriteFields<TServerConfig>(writer, kAddressFields, "", unit);
  writer.WriteBool("EnablePassword", unit.enable_password);
  writer.WriteInteger("PasswordVersion", kPasswordVersion);
  writer.WriteString("Password", EncodePassword(unit.password));
  WriteFields<TServerConfig>(writer, kUnitFields, "", unit);
  WriteTextList(writer, MaskList("", "AutoOp"), unit.auto_op_masks);
  WriteTextList(writer, kMacroFiles, unit.macro_files);
  writer.WriteInteger(kChannels.count, static_cast<int>(unit.channels.size()));
  for (size_t j = 0; j < unit.channels.size(); ++j)
    WriteChannel(writer, unit.channels[j], kChannels.EntryKey(static_cast<int>(j)));
}

}  // namespace

void ReadWorldConfig(TIniFile& ini, TWorldConfig* world) {
  *world = TWorldConfig{};
  ini.SetSection("World");
  world->auto_op_masks = ReadTextList(ini, MaskList("", "AutoOp"));
  world->ignore_masks = ReadTextList(ini, MaskList("", "Ignore"));
  int units = CountedSections(ini, kUnits);
  for (int i = 0; i < units; ++i) {
    ini.SetSection(kUnits.EntryKey(i));
    world->units.push_back(ReadUnit(ini));
  }
  MakeUnitNamesUnique(&world->units);
}

void WriteWorldConfig(TIniWriter& writer, const TWorldConfig& world) {
  writer.WriteSection("World");
  WriteTextList(writer, MaskList("", "AutoOp"), world.auto_op_masks);
  WriteTextList(writer, MaskList("", "Ignore"), world.ignore_masks);
  writer.WriteInteger(kUnits.count, static_cast<int>(world.units.size()));
  for (size_t i = 0; i < world.units.size(); ++i) {
    writer.WriteSection(kUnits.EntryKey(static_cast<int>(i)));
    WriteUnit(writer, world.units[i]);
  }
}

bool LoadTree(const std::filesystem::path& path, TWorldConfig* world) {
  TIniFile ini;
  bool loaded = ini.Load(path);
  ReadWorldConfig(ini, world);
  return loaded;
}

bool SaveTree(const std::filesystem::path& path, const TWorldConfig& world) {
  return SaveIniFile(path, TFilePrivacy::OwnerOnly, [&](TIniWriter& writer) { WriteWorldConfig(writer, world); });
}

}  // namespace zeph
