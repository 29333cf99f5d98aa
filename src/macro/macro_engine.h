#pragma once

#include <filesystem>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "macro/macro_event.h"
#include "macro/macro_file.h"
#include "macro/macro_host.h"

// The macros of one unit: the files bound to it, read at the first event
// after they changed, and the items run for each event that matches them.
namespace zeph {

struct TIrcMessage;

class TMacroEngine {
 public:
  // macro_folder holds the .lmf files, data_folder the data files that
  // relative names in items mean.
  TMacroEngine(TMacroHost& host, std::filesystem::path macro_folder, std::filesystem::path data_folder);

  // Runs every item that matches the event; true when at least one ran.
  // Items of a file after one with its stop flag are skipped.
  bool OfferEvent(const TIrcMessage& message, std::string_view my_nick);
  // Runs a popup-menu item on the event the menu gives it: our nick, and
  // the member it was opened on if any.
  void RunMenuItem(const TMacroItem& item, TMacroEvent event);
  // A configured text (away, quit) with its $-substitutions replaced.
  std::string ExpandText(std::string_view text, std::string_view my_nick);

  // Reads the bound files again; a bound file that no longer exists loses
  // its binding.
  void LoadMacroFiles();
  // The files are read again at the next event.
  void UnloadMacroFiles();
  bool IsLoaded() const { return loaded_; }

  // The clock and the random source; tests replace them.
  std::function<std::time_t()> clock = [] { return std::time(nullptr); };
  std::function<int()> random = RandomUpTo32767;

 private:
  TMacroContext Context() const;
  bool RunMatchingItems(const std::vector<TMacroFile>& files);

  TMacroHost& host_;
  std::filesystem::path macro_folder_;
  std::filesystem::path data_folder_;
  // Shared with a running event, so that an action that makes the files be
  // read again never pulls the list from under it.
  std::shared_ptr<const std::vector<TMacroFile>> files_;
  bool loaded_ = false;
  TMacroEvent event_;
};

}  // namespace zeph
