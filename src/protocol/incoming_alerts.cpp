#include "protocol/incoming_alerts.h"

#include "settings/preferences.h"
#include "engine/unit.h"
#include "engine/world.h"

namespace zeph {
namespace {

TTreeNode& NodeOf(TUnit& unit, TChannel* target) { return target ? static_cast<TTreeNode&>(*target) : unit; }


}  // namespace

void MarkUpdated(TUnit& unit, TChannel* target) {
  if (!(target ? target->UpdateSwitch() : unit.UpdateSwitch())) return;
  TWorld& world = unit.World();
  TTreeNode& node = NodeOf(unit, target);
  // The selected node is being read already.
  if (!world.IsSelected(node)) node.SetUpdateMark();
  TTitleView& title = world.TitleView();
  if (unit.Prefs().FlashTitleOnUpdate && title.IsInBackground()) title.FlashTitle();
}

void MarkNewTalk(TUnit& unit, TChannel& talk) {
  talk.SetNewTalkMark();
}

void PlayMessageSound(TUnit& unit, bool enabled, const std::string& file) {
  if (!enabled || unit.IsClosing()) return;
  if (unit.Prefs().MuteOnAway && unit.IsAway()) return;
  unit.World().Sound().PlaySound(file);
}

bool ShowsMessageBalloon(TUnit& unit, bool console_switch) {
  const TPreferences& prefs = unit.Prefs();
  if (!prefs.EnableBaloon) return false;
  if (prefs.ShowBalloonOnInactive && !unit.World().TitleView().IsInBackground()) return false;
  return !prefs.BalloonFollowsAllLog || console_switch;
}

void ShowMessageBalloon(TUnit& unit, const std::string& heading, const std::string& text) {
  unit.World().TitleView().ShowBalloon(heading, text);
}

}  // namespace zeph
