#pragma once

#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "engine/world_hooks.h"
#include "macro/macro_engine.h"
#include "macro/macro_window.h"
#include "macro/popup_menu.h"
#include "platform/life_guard.h"
#include "platform/shell.h"

// The macros of every unit, installed on the world as its macro hooks:
// one engine per unit, the files bound to the servers, and what macro
// actions reach outside the engine (the window, the shell).
namespace zeph {

class TWorld;
class TUnitMacroHost;

struct TMacroFolders {
  std::filesystem::path macro;  // the .lmf files
  std::filesystem::path data;   // data files and plug-ins with relative names
  std::filesystem::path sound;  // sounds named without a folder
};

class TMacros final : public TMacroHooks {
 public:
  TMacros(TWorld& world, TMacroFolders folders);
  ~TMacros() override;

  const TMacroFolders& Folders() const { return folders_; }
  TWorld& World() const { return world_; }
  // The window and the shell actions use; null restores the do-nothing
  // window and the plain shell.
  void SetWindow(TMacroWindow* window) { window_ = window ? window : &no_window_; }
  void SetShell(TShell* shell) { shell_ = shell ? shell : &DefaultShell(); }
  TMacroWindow& Window() const { return *window_; }
  TShell& Shell() const { return *shell_; }

  // Runs the call once the current event has been handled, if the macros
  // and the unit are still there: for actions that may close windows,
  // units or channels.
  void RunAfterEvent(TUnit& unit, std::function<void(TMacros&, TUnit&)> call);

  // The engine of a unit, made on first use.
  TMacroEngine& EngineOf(TUnit& unit);

  // TMacroHooks
  void OnMessageEvent(TUnit& unit, const TIrcMessage& event) override;
  std::string ExpandVariables(TUnit& unit, const std::string& text) override;
  void OnProgramEvent(TUnit& unit, const TIrcMessage& event) override;
  bool OnUnknownCommand(TUnit& unit, const std::string& command, const std::string& target,
                        const std::string& rest) override;

  // The switch "全マクロを停止": no event reaches a macro while it is on.
  void SetStopped(bool stopped);
  bool IsStopped() const;

  // A popup-menu item chosen for the unit: its event holds only our nick.
  void RunPopupItem(TUnit& unit, const TPopupItem& item);
  // A popup-menu item chosen in a channel's member menu, for one of the
  // members: as if the member had spoken in the channel, so that %n, %l,
  // %h and %c name the member and the channel.
  void RunPopupItemForMember(TUnit& unit, const TPopupItem& item, const TChannel& channel, const std::string& nick);

  // --- Files and bindings ------------------------------------------------
  // Every engine reads its files again at its next event.
  void UnloadAll();
  // Binds a file to a server, or drops the binding; tree.ini is saved.
  void Bind(TUnit& unit, const std::string& name, bool bound);
  // Gives a file a new name on disk and in every binding. False when the
  // file could not be renamed (or the new name is taken or unusable).
  bool RenameFile(const std::string& name, const std::string& new_name);
  // Deletes a file and every binding of it.
  bool DeleteFile(const std::string& name);
  // A name not yet taken by a file: "_" appended while it is.
  std::string UniqueName(std::string name) const;
  // Every macro file of the folder, by name (internal text), sorted.
  std::vector<std::string> FileNames() const;
  // An empty file or a copy under a name made unique; the name it got, or
  // nothing when it could not be written.
  std::optional<std::string> CreateFile(const std::string& name);
  std::optional<std::string> CopyFile(const std::string& name, const std::string& new_name);

 private:
  struct TUnitMacros;
  TUnitMacros* Find(TUnit& unit);
  void ReplaceBindings(const std::string& name, const std::string* new_name);

  TWorld& world_;
  TMacroFolders folders_;
  TMacroWindow no_window_;
  TMacroWindow* window_ = &no_window_;
  TShell* shell_ = &DefaultShell();
  std::map<TNodeId, std::unique_ptr<TUnitMacros>> units_;
  TLifeGuard guard_;
};

}  // namespace zeph
