#include "app/main_commands.h"

#include "platform/string_printf.h"
#include "protocol/command_line.h"

namespace zeph {
namespace {

TCommandState Enabled(bool on) { return {on, false, TItemText::kNormal}; }

TCommandState UnitCommandState(const TUnit& unit, TMenuRule command) {
  bool up = unit.IsConnectionUp();
  bool logged_in = unit.IsLoggedIn();
  switch (command) {
    case TMenuRule::kConnect: return Enabled(!up);
    case TMenuRule::kDisconnect:
      if (!up && unit.IsReconnectPending()) return {true, false, TItemText::kCancelReconnect};
      return Enabled(up);
    case TMenuRule::kForceDisconnect: return Enabled(up || unit.IsReconnectPending());
    case TMenuRule::kQuitWithMessage:
    case TMenuRule::kSetAwayMessage:
    case TMenuRule::kList: return Enabled(logged_in);
    case TMenuRule::kAway: return {logged_in, logged_in && unit.IsAway(), TItemText::kNormal};
    case TMenuRule::kDeleteServer: return Enabled(!up);
    default: return Enabled(true);
  }
}

TCommandState TargetCommandState(const TUnit& unit, const TChannel* target, TMenuRule command) {
  if (!target) return {};
  bool logged_in = unit.IsLoggedIn();
  bool active_channel = logged_in && target->IsChannel() && target->IsJoined();
  switch (command) {
    case TMenuRule::kJoin: return Enabled(logged_in && !target->IsDccChat() && !target->IsJoined());
    case TMenuRule::kQuickPart: return Enabled(active_channel);
    case TMenuRule::kPart:
      if (target->IsTalk()) return {true, false, TItemText::kCloseTalk};
      if (target->IsDccChat()) return {true, false, TItemText::kCloseDccChat};
      return Enabled(active_channel);
    case TMenuRule::kMode:
    case TMenuRule::kTopic:
    case TMenuRule::kInvite:
    case TMenuRule::kModeList:
    case TMenuRule::kMember: return Enabled(active_channel);
    case TMenuRule::kResetMember: return Enabled(active_channel);
    case TMenuRule::kChannelOperatorList:
    case TMenuRule::kChannelProperty: return Enabled(target->IsChannel());
    default: return Enabled(true);
  }
}

bool IsTargetCommand(TMenuRule command) { return command >= TMenuRule::kJoin; }

}  // namespace

TCommandState CommandState(const TWorld& world, TMenuRule command) {
  const TUnit* unit = world.SelectedUnit();
  if (!unit) return {};
  if (IsTargetCommand(command)) return TargetCommandState(*unit, world.SelectedTarget(), command);
  return UnitCommandState(*unit, command);
}

TSelectionIds SelectedIds(const TWorld& world) {
  TSelectionIds ids;
  if (TUnit* unit = world.SelectedUnit()) ids.unit = unit->Id();
  if (TChannel* target = world.SelectedTarget()) ids.target = target->Id();
  return ids;
}

TUnit* UnitOf(const TWorld& world, TSelectionIds ids) { return world.FindUnitById(ids.unit); }

TChannel* TargetOf(const TWorld& world, TSelectionIds ids) {
  TUnit* unit = UnitOf(world, ids);
  return unit && ids.target != kNoNode ? unit->FindById(ids.target) : nullptr;
}

void ConnectSelected(TWorld& world) {
  TUnit* unit = world.SelectedUnit();
  if (unit && !unit->IsConnectionUp()) unit->Connect();
}

void DisconnectSelected(TWorld& world) {
  TUnit* unit = world.SelectedUnit();
  if (!unit) return;
  if (unit->IsLoggedIn()) {
    unit->SendQuit(unit->ExpandVariables(unit->Config().quit_message));
  } else if (unit->IsConnectionUp()) {
    unit->Disconnect(true, false);
  } else {
    unit->CancelReconnect();
  }
}

void ForceDisconnectSelected(TWorld& world) {
  TUnit* unit = world.SelectedUnit();
  if (!unit) return;
  if (unit->IsConnectionUp())
    unit->Disconnect(true, false);
  else
    unit->CancelReconnect();
}

std::string AwayTextOf(TUnit& unit) {
  if (!unit.AwayMessage().empty()) return unit.AwayMessage();
  return unit.ExpandVariables(unit.Config().away_message);
}

void ToggleAway(TWorld& world) {
  TUnit* unit = world.SelectedUnit();
  if (!unit || !unit->IsLoggedIn()) return;
  unit->SendAway(unit->IsAway() ? std::string() : AwayTextOf(*unit));
}

void JoinSelected(TWorld& world) {
  TUnit* unit = world.SelectedUnit();
  TChannel* target = world.SelectedTarget();
  if (!CommandState(world, TMenuRule::kJoin).enabled) return;
  if (target->IsTalk()) {
    target->Reopen();
    return;
  }
  unit->SendJoin(target->Name(), target->Key());
}

void QuickPartSelected(TWorld& world) {
  if (!CommandState(world, TMenuRule::kQuickPart).enabled) return;
  TUnit* unit = world.SelectedUnit();
  unit->SendPart(world.SelectedTarget()->Name(), unit->ExpandVariables(unit->Config().part_message));
}

void ResetMembersOfSelected(TWorld& world) {
  if (!CommandState(world, TMenuRule::kResetMember).enabled) return;
  TChannel* channel = world.SelectedTarget();
  channel->ResetMembers();
  world.SelectedUnit()->SendCommand("WHO", channel->WireName(), std::string(), 2, 0);
}

TUnit* CopySelectedServer(TWorld& world) {
  TUnit* unit = world.SelectedUnit();
  if (!unit) return nullptr;
  TServerConfig copy = unit->Config();
  std::string base = copy.name;
  for (int n = 2; world.FindUnit(copy.name); ++n) copy.name = StringPrintf("%s (%d)", base.c_str(), n);
  copy.channels.clear();
  for (const auto& target : unit->Channels())
    if (target->IsChannel()) copy.channels.push_back(target->ToConfig());
  TUnit* added = world.AddUnit(std::move(copy));
  world.SaveTree();
  return added;
}

void SendModeChange(TWorld& world, TSelectionIds ids, const TChannelMode& shown, const TChannelMode& edited) {
  TUnit* unit = UnitOf(world, ids);
  TChannel* channel = TargetOf(world, ids);
  if (!unit || !channel || !unit->IsLoggedIn() || !channel->IsChannel() || !channel->IsJoined()) return;
  TModeChange change = shown.Diff(edited);
  if (change.first.empty()) return;
  unit->SendMode(channel->WireName(), change.first);
  if (!change.second.empty()) unit->SendMode(channel->WireName(), change.second);
}

void SendActionTo(TWorld& world, TSelectionIds ids, const std::string& text) {
  TUnit* unit = UnitOf(world, ids);
  TChannel* target = TargetOf(world, ids);
  if (unit && target) SubmitInput(*unit, target, text, false, true, false);
}

}  // namespace zeph
