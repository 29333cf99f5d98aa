#include "app/keyboard_navigation.h"

#include "app/node_walk.h"
#include "engine/channel.h"
#include "engine/unit.h"
#include "engine/world.h"

namespace zeph {

namespace {
bool IsActive(const TChannel& target) { return target.IsJoined(); }

std::function<bool(const TWalkNode&)> MatcherOf(const TWorld& world, TWalkKind kind) {
  return [&world, kind](const TWalkNode& node) {
    TUnit* unit = world.FindUnitById(node.unit);
    TChannel* target = node.IsUnit() || !unit ? nullptr : unit->FindById(node.channel);
    switch (kind) {
      case TWalkKind::AnyNode: return true;
      case TWalkKind::ActiveTarget: return target && IsActive(*target);
      case TWalkKind::Unit: return node.IsUnit();
      case TWalkKind::LoggedInUnit: return node.IsUnit() && unit && unit->IsLoggedIn();
      case TWalkKind::Unread: return target ? target->UpdateMark() : unit && unit->UpdateMark();
    }
    return false;
  };
}

bool IsUnitWalk(TWalkKind kind) { return kind == TWalkKind::Unit || kind == TWalkKind::LoggedInUnit; }
}  // namespace

bool SelectByWalk(TWorld& world, const TIsExpanded& is_expanded, TWalkKind kind, int step) {
  const std::vector<TWalkNode> nodes = WalkNodes(world, is_expanded);
  TUnit* selected_unit = world.SelectedUnit();
  TChannel* selected_target = world.SelectedTarget();
  int start = -1;
  if (selected_unit) {
    // A unit walk goes from the current unit's node.
    const TNodeId channel = selected_target && !IsUnitWalk(kind) ? selected_target->Id() : kNoNode;
    start = IndexOfNode(nodes, selected_unit->Id(), channel);
  }
  const int found = WalkFrom(nodes, start, step, MatcherOf(world, kind));
  if (found < 0) return false;
  const TWalkNode& node = nodes[static_cast<size_t>(found)];
  TUnit* unit = world.FindUnitById(node.unit);
  TChannel* target = node.IsUnit() ? nullptr : unit->FindById(node.channel);
  if (IsUnitWalk(kind) && is_expanded(unit->Id())) target = unit->FindById(unit->RememberedChannel());
  if (unit == selected_unit && target == selected_target) return false;
  world.Select(unit, target);
  return true;
}

bool SelectTargetNumber(TWorld& world, int number) {
  TUnit* unit = world.SelectedUnit();
  if (!unit) return false;
  if (number == 0) {
    world.Select(unit, nullptr);
    return true;
  }
  const auto& targets = unit->Channels();
  if (number < 1 || number > static_cast<int>(targets.size())) return false;
  world.Select(unit, targets[static_cast<size_t>(number - 1)].get());
  return true;
}

bool MoveSelectedNode(TWorld& world, int step) {
  TUnit* unit = world.SelectedUnit();
  return unit && world.MoveNode(*unit, world.SelectedTarget(), step);
}

TTreeExpansion DoubleClickNode(TUnit& unit, TChannel* target) {
  const TPreferences& prefs = unit.World().Preferences();
  if (target) {
    const std::string& wire = target->WireName().empty() ? target->Name() : target->WireName();
    if (IsActive(*target) && prefs.PartOnDoubleClick && target->IsChannel() && unit.IsLoggedIn()) {
      unit.SendPart(wire, unit.ExpandVariables(unit.Config().part_message));
      return TTreeExpansion::None;
    }
    if (!IsActive(*target) && prefs.JoinOnDoubleClick && target->IsChannel() && unit.IsLoggedIn()) {
      unit.SendJoin(wire, target->Key());
      return TTreeExpansion::None;
    }
    return TTreeExpansion::ScrollToEnd;
  }
  const bool connected = unit.State() != TUnitState::Idle;
  if (connected && prefs.DisconnectOnDoubleClick) {
    unit.SendQuit(unit.ExpandVariables(unit.Config().quit_message));
    return TTreeExpansion::Collapse;
  }
  if (!connected && prefs.ConnectOnDoubleClick) {
    unit.Connect();
    return TTreeExpansion::Expand;
  }
  return TTreeExpansion::Toggle;
}

bool CanTakeMultiLinePaste(const TUnit* unit, const TChannel* target) {
  if (!unit || !target) return false;
  if (target->IsDccChat()) return target->IsJoined();
  return unit->IsLoggedIn() && IsActive(*target);
}

}  // namespace zeph
