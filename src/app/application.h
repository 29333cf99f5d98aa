#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/app_folders.h"
#include "app/import_report.h"
#include "settings/preferences.h"
#include "settings/server_config.h"
#include "settings/window_layout.h"
#include "display/message_format.h"
#include "dcc/dcc_service.h"
#include "display/theme_files.h"
#include "display/view_settings.h"
#include "engine/world.h"
#include "macro/macros.h"
#include "platform/event_loop.h"
#include "protocol/protocol.h"

namespace zeph {

// The application object: the profile's folders and settings, the one
// world with its units, and the order of start-up and shutdown. The main
// window, when there is one, attaches to the world as its view.
class TApplication {
 public:
  // How long the servers get to close their connections after our QUIT.
  static constexpr int kQuitWaitMs = 5000;

  TApplication(IEventLoop& loop, TAppFolders folders);
  ~TApplication();
  TApplication(const TApplication&) = delete;
  TApplication& operator=(const TApplication&) = delete;

  const TAppFolders& Folders() const { return folders_; }
  TPreferences& Preferences() { return preferences_; }
  TMessageFormat& Formats() { return formats_; }
  // The view sections of view.ini; the live formats are Formats().
  TViewSettings& ViewSettings() { return view_settings_; }
  TThemeFolders ThemeFolders() const {
    return {folders_.shared_theme, folders_.shared_theme_image, folders_.profile_theme, folders_.profile_theme_image};
  }
  TWorld& World() { return *world_; }
  // The program's one DCC manager and its chats; there once the world is.
  TDccService& Dcc() { return *dcc_; }
  TProtocol& Protocol() { return *protocol_; }
  // The macros of every unit; the main window installs itself and its
  // shell here.
  TMacros& Macros() { return *macros_; }

  std::filesystem::path TreeFile() const { return folders_.config / "tree.ini"; }
  std::filesystem::path PreferenceFile() const { return folders_.config / "preference.ini"; }
  std::filesystem::path ViewFile() const { return folders_.config / "view.ini"; }
  std::filesystem::path WindowFile() const { return folders_.config / "window.ini"; }
  std::filesystem::path ServerListFile() const { return folders_.config / "servers.txt"; }
  std::filesystem::path PopupMenuFile() const { return folders_.config / "popupmenu.lcf"; }
  // The log views' user menu; the default items when the file is missing.
  TPopupMenu& PopupMenu() { return popup_menu_; }

  TWindowLayout& WindowLayout() { return window_layout_; }
  // Writes window.ini once per run: a close request that comes back (the
  // timer and the last connection both) must not write it twice.
  bool SaveWindowLayoutOnce();
  // The profile was never set up and has no server: a first start.
  bool NeedsSetup() const { return !preferences_.Installed && tree_.units.empty(); }
  // The tree as loaded, for the first-start wizard to add its entry to.
  TWorldConfig& LoadedTree() { return tree_; }

  // window.ini first, then the others. Missing files leave the defaults. A tree.ini that is there but cannot
  // be used is reported on standard error and, once the world exists, in
  // the console; the tree stays empty and is never saved over that file.
  void LoadAllSettings();
  bool SaveAllSettings();
  // Takes over the version-1 settings of `source` on top of the loaded
  // ones, then loads every settings file again, so that what is built
  // afterwards (the world, the windows) starts from the imported settings.
  TImportReport ImportVersion1Settings(const std::filesystem::path& source);
  // After the settings dialog or a menu switch changed a preference.
  bool SavePreferences();
  // The message formats, in view.ini's Format section.
  bool SaveFormats();

  // Makes the world for the loaded settings; its units come with Start.
  void CreateWorld();
  // Builds the units from the loaded tree and starts the connections: those
  // named (internal text), or the AutoConnect entries, one every 3 seconds.
  void Start(const std::vector<std::string>& server_names);

  // Every unit shuts down, sending QUIT where logged in; `done` runs once
  // no server is left to close its connection, or after kQuitWaitMs. A
  // quick quit does not wait.
  void Shutdown(bool quick, std::function<void()> done);

 private:
  void LoadTreeFile();
  bool SaveTreeFile(const TWorldConfig& tree);
  bool AnyServerClosing() const;
  void CheckShutdown();
  void FinishShutdown();

  IEventLoop& loop_;
  TAppFolders folders_;
  TPreferences preferences_;
  TWorldConfig tree_;
  TWindowLayout window_layout_;
  bool units_loaded_ = false;  // the world holds the tree once Start built it
  bool window_layout_saved_ = false;
  std::string tree_trouble_;  // what is wrong with tree.ini, for the console
  TMessageFormat formats_;
  TPopupMenu popup_menu_;
  TViewSettings view_settings_;
  std::unique_ptr<TWorld> world_;
  std::unique_ptr<TProtocol> protocol_;
  std::unique_ptr<TDccService> dcc_;
  std::unique_ptr<TMacros> macros_;
  TTimer shutdown_timer_;
  int64_t shutdown_deadline_ = 0;
  bool shutting_down_ = false;
  std::function<void()> shutdown_done_;
};

}  // namespace zeph
