#include "macro/macro_engine.h"

#include <utility>

#include "macro/macro_actions.h"
#include "macro/macro_match.h"
#include "macro/macro_substitutions.h"

namespace zeph {

TMacroEngine::TMacroEngine(TMacroHost& host, std::filesystem::path macro_folder, std::filesystem::path data_folder)
    : host_(host), macro_folder_(std::move(macro_folder)), data_folder_(std::move(data_folder)) {}

TMacroContext TMacroEngine::Context() const {
  TMacroContext context{event_, host_, data_folder_, clock()};
  context.random = random;
  return context;
}

void TMacroEngine::LoadMacroFiles() {
  auto files = std::make_shared<std::vector<TMacroFile>>();
  // A copy: dropping a binding changes the unit's list.
  for (const std::string& name : host_.MacroFileNames()) {
    TMacroFile file;
    switch (LoadMacroFile(macro_folder_, name, &file)) {
      case TMacroFileLoad::Loaded: files->push_back(std::move(file)); break;
      case TMacroFileLoad::Missing: host_.RemoveMacroFile(name); break;
      // Only a file that is gone loses its binding; one we could not read
      // this time is tried again after the next change.
      case TMacroFileLoad::Unreadable: break;
    }
  }
  files_ = std::move(files);
  loaded_ = true;
}

void TMacroEngine::UnloadMacroFiles() {
  files_.reset();
  loaded_ = false;
}

bool TMacroEngine::OfferEvent(const TIrcMessage& message, std::string_view my_nick) {
  if (host_.MacroFileNames().empty()) return false;
  if (!loaded_) LoadMacroFiles();
  std::shared_ptr<const std::vector<TMacroFile>> files = files_;
  if (!files || files->empty()) return false;
  TMacroEvent outer = std::exchange(event_, MakeMacroEvent(message, my_nick));
  bool ran = RunMatchingItems(*files);
  event_ = std::move(outer);
  return ran;
}

bool TMacroEngine::RunMatchingItems(const std::vector<TMacroFile>& files) {
  bool ran = false;
  const TMacroContext context = Context();
  for (const TMacroFile& file : files) {
    for (const TMacroItem& item : file.items) {
      if (!MatchItem(item, context)) continue;
      RunMacroItem(item, false, context, host_);
      ran = true;
      if (item.stop) break;
    }
  }
  return ran;
}

void TMacroEngine::RunMenuItem(const TMacroItem& item, TMacroEvent event) {
  TMacroEvent outer = std::exchange(event_, std::move(event));
  RunMacroItem(item, true, Context(), host_);
  event_ = std::move(outer);
}

std::string TMacroEngine::ExpandText(std::string_view text, std::string_view my_nick) {
  TMacroEvent outer = std::exchange(event_, TMacroEvent{});
  event_.my_nick = my_nick;
  std::string expanded = ExpandSubstitutions(text, false, Context());
  event_ = std::move(outer);
  return expanded;
}

}  // namespace zeph
