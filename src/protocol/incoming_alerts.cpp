#include "protocol/incoming_alerts.h"

#include "settings/preferences.h"
#include "engine/unit.h"
#include "engine/world.h"

namespace zeph {
namespace {

TTreeNode& NodeOf(TUnit& unit, TChannel* target) { return target ? static_cast<TTreeNode&>(*target) : unit; }

bool IsInBackground(const TWorld& world) { return world.view && world.view->IsInBackground(); }

}  // namespace

void MarkUpdated(TUnit& unit, TChannel* target) {
  if (!(target ? target->update : unit.update)) return;
  TWorld& world = unit.World();
  TTreeNode& node = NodeOf(unit, target);
  // The selected node is being read already.
  if (!node.update_mark && !world.IsSelected(node)) {
    node.update_mark = true;
    world.NodeChanged(unit, target);
  }
  if (unit.Prefs().FlashTitleOnUpdate && IsInBackground(world)) world.view->FlashTitle();
}

void MarkNewTalk(TUnit& unit, TChannel& talk) {
  if (talk.new_talk_mark) return;
  talk.new_talk_mark = true;
  unit.World().NodeChanged(unit, &talk);
}

void PlayMessageSound(TUnit& unit, bool enabled, const std::string& file) {
  TWorld& world = unit.World();
  if (!enabled || unit.IsClosing() || world.view == nullptr) return;
  if (unit.Prefs().MuteOnAway && unit.IsAway()) return;
  world.view->PlaySound(file);
}

void ShowMessageBalloon(TUnit& unit, bool console_switch, const std::string& heading, const std::string& text) {
  const TPreferences& prefs = unit.Prefs();
  TWorld& world = unit.World();
  if (!prefs.EnableBaloon || world.view == nullptr) return;
  if (prefs.ShowBalloonOnInactive && !IsInBackground(world)) return;
  if (prefs.BalloonFollowsAllLog && !console_switch) return;
  world.view->ShowBalloon(heading, text);
}

}  // namespace zeph
