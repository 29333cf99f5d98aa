#include "macro/macros.h"

#include <algorithm>
#include <system_error>

#include "platform/cp932.h"

#include "engine/channel.h"
#include "engine/irc_message.h"
#include "engine/unit.h"
#include "engine/world.h"
#include "macro/unit_macro_host.h"

namespace zeph {

namespace fs = std::filesystem;

namespace {

TMacroItem MacroItemOf(const TPopupItem& item) {
  TMacroItem macro_item;
  macro_item.action = item.action;
  macro_item.target = item.target;
  macro_item.info = item.info;
  return macro_item;
}

}  // namespace

struct TMacros::TUnitMacros {
  TUnitMacros(TUnit& unit, TMacros& macros)
      : host(unit, macros), engine(host, macros.Folders().macro, macros.Folders().data) {}
  TUnitMacroHost host;
  TMacroEngine engine;
};

TMacros::TMacros(TWorld& world, TMacroFolders folders) : world_(world), folders_(std::move(folders)) {
  // Plug-ins are loaded by absolute path only, and data files are kept
  // inside this folder: it must not depend on the working folder.
  std::error_code error;
  folders_.data = fs::absolute(folders_.data, error);
}

TMacros::~TMacros() = default;

TMacros::TUnitMacros* TMacros::Find(TUnit& unit) {
  auto found = units_.find(unit.Id());
  return found == units_.end() ? nullptr : found->second.get();
}

TMacroEngine& TMacros::EngineOf(TUnit& unit) {
  if (TUnitMacros* macros = Find(unit)) return macros->engine;
  // Engines of units that are gone go with them.
  std::erase_if(units_, [this](const auto& entry) { return world_.FindUnitById(entry.first) == nullptr; });
  auto& made = units_[unit.Id()];
  made = std::make_unique<TUnitMacros>(unit, *this);
  return made->engine;
}

void TMacros::RunAfterEvent(TUnit& unit, std::function<void(TMacros&, TUnit&)> call) {
  TLifeGuard::TStamp stamp = guard_.Stamp();
  TNodeId unit_id = unit.Id();
  world_.Loop().Post([this, stamp, unit_id, call = std::move(call)] {
    if (!stamp.Alive()) return;
    if (TUnit* unit = world_.FindUnitById(unit_id)) call(*this, *unit);
  });
}

void TMacros::OnMessageEvent(TUnit& unit, const TIrcMessage& event) { EngineOf(unit).OfferEvent(event, unit.Nick()); }

std::string TMacros::ExpandVariables(TUnit& unit, const std::string& text) {
  return EngineOf(unit).ExpandText(text, unit.Nick());
}

void TMacros::OnProgramEvent(TUnit& unit, const TIrcMessage& event) {
  if (!IsStopped()) EngineOf(unit).OfferEvent(event, unit.Nick());
}

bool TMacros::OnUnknownCommand(TUnit& unit, const std::string& command, const std::string& target,
                               const std::string& rest) {
  TIrcMessage event;
  event.nick = unit.Nick();
  event.user = unit.OwnUser();
  event.host = unit.OwnHost();
  event.prefix = event.nick + "!" + event.user + "@" + event.host;
  event.command = command;
  if (!target.empty()) event.params.push_back(target);
  event.params.push_back(rest);
  return EngineOf(unit).OfferEvent(event, unit.Nick());
}

void TMacros::SetStopped(bool stopped) { world_.macros_stopped = stopped; }

bool TMacros::IsStopped() const { return world_.macros_stopped; }

void TMacros::RunPopupItem(TUnit& unit, const TPopupItem& item) {
  TMacroEvent event;
  event.my_nick = unit.Nick();
  EngineOf(unit).RunMenuItem(MacroItemOf(item), std::move(event));
}

void TMacros::RunPopupItemForMember(TUnit& unit, const TPopupItem& item, const TChannel& channel,
                                    const std::string& nick) {
  TMacroEvent event;
  event.my_nick = unit.Nick();
  event.nick = nick;
  // The member may have left while the menu was open: the nick still names
  // whom the user chose.
  if (const TMember* member = channel.Members().FindMember(nick)) {
    event.user = member->user;
    event.host = member->host;
  }
  event.prefix = nick + "!" + event.user + "@" + event.host;
  event.channel = channel.Name();
  EngineOf(unit).RunMenuItem(MacroItemOf(item), std::move(event));
}

void TMacros::UnloadAll() {
  for (auto& [id, macros] : units_) macros->engine.UnloadMacroFiles();
}

void TMacros::Bind(TUnit& unit, const std::string& name, bool bound) {
  std::vector<std::string>& names = unit.Config().macro_files;
  auto found = std::find(names.begin(), names.end(), name);
  if (bound == (found != names.end())) return;
  if (bound) {
    names.push_back(name);
  } else {
    names.erase(found);
  }
  UnloadAll();
  world_.RequestSaveTree();
}

void TMacros::ReplaceBindings(const std::string& name, const std::string* new_name) {
  bool changed = false;
  for (const auto& unit : world_.Units()) {
    std::vector<std::string>& names = unit->Config().macro_files;
    for (auto it = names.begin(); it != names.end();) {
      if (*it != name) {
        ++it;
      } else if (new_name) {
        *it++ = *new_name;
        changed = true;
      } else {
        it = names.erase(it);
        changed = true;
      }
    }
  }
  UnloadAll();
  if (changed) world_.RequestSaveTree();
}

bool TMacros::RenameFile(const std::string& name, const std::string& new_name) {
  std::optional<fs::path> from = MacroFilePath(folders_.macro, name);
  std::optional<fs::path> to = MacroFilePath(folders_.macro, new_name);
  std::error_code error;
  if (!from || !to || fs::exists(*to, error)) return false;
  fs::rename(*from, *to, error);
  if (error) return false;
  ReplaceBindings(name, &new_name);
  return true;
}

bool TMacros::DeleteFile(const std::string& name) {
  std::optional<fs::path> path = MacroFilePath(folders_.macro, name);
  std::error_code error;
  if (!path || !fs::remove(*path, error)) return false;
  ReplaceBindings(name, nullptr);
  return true;
}

std::string TMacros::UniqueName(std::string name) const {
  std::error_code error;
  for (std::optional<fs::path> path; (path = MacroFilePath(folders_.macro, name)) && fs::exists(*path, error);)
    name += '_';
  return name;
}

std::vector<std::string> TMacros::FileNames() const {
  std::vector<std::string> names;
  std::error_code error;
  for (const auto& entry : fs::directory_iterator(folders_.macro, error)) {
    if (entry.path().extension() != ".lmf" || !entry.is_regular_file(error)) continue;
    names.push_back(cp932::FromUtf8(entry.path().stem().string()));
  }
  std::sort(names.begin(), names.end());
  return names;
}

std::optional<std::string> TMacros::CreateFile(const std::string& name) {
  std::string unique = UniqueName(name);
  if (!SaveMacroFile(folders_.macro, TMacroFile{unique, {}})) return std::nullopt;
  return unique;
}

std::optional<std::string> TMacros::CopyFile(const std::string& name, const std::string& new_name) {
  TMacroFile file;
  if (LoadMacroFile(folders_.macro, name, &file) != TMacroFileLoad::Loaded) return std::nullopt;
  file.name = UniqueName(new_name);
  if (!SaveMacroFile(folders_.macro, file)) return std::nullopt;
  return file.name;
}

}  // namespace zeph
