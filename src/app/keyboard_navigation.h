#pragma once

#include <functional>

#include "display/link_key.h"

// What the navigation keys and the tree's double click do to the world,
// without a window: the main window maps keys to these.
namespace zeph {

class TChannel;
class TUnit;
class TWorld;

// Which tree nodes show their targets.
using TIsExpanded = std::function<bool(TNodeId unit)>;

enum class TWalkKind {
  AnyNode,       // Alt+Up/Down, the tree's Up/Down
  ActiveTarget,  // a joined channel or an open talk (Ctrl+Tab, Alt+[ ])
  Unit,          // Alt+Left/Right
  LoggedInUnit,  // Ctrl+Left/Right
  Unread,        // a node with the update mark (Ctrl+Space)
};

// Selects the next (step 1) or previous (-1) node of the kind from the
// selection. A unit found by a unit walk gives way to its remembered
// channel when it is expanded and the channel still exists. False when
// nothing changed.
bool SelectByWalk(TWorld& world, const TIsExpanded& is_expanded, TWalkKind kind, int step);

// Ctrl+0 to Ctrl+9 and Ctrl+Alt+0 to 9: 0 is the current unit's own node,
// n its n-th target. False when there is no such target.
bool SelectTargetNumber(TWorld& world, int number);

// Ctrl+Alt+Up/Down: the selected node one place among its siblings, unless
// the tree is sorted.
bool MoveSelectedNode(TWorld& world, int step);

// What the tree does with a node after a double click.
enum class TTreeExpansion { None, Expand, Collapse, Toggle, ScrollToEnd };
TTreeExpansion DoubleClickNode(TUnit& unit, TChannel* target);

// An active channel or talk of a logged-in unit, or a connected DCC chat:
// where a paste of several lines asks first.
bool CanTakeMultiLinePaste(const TUnit* unit, const TChannel* target);

}  // namespace zeph
