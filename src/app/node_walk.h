#pragma once

#include <functional>
#include <vector>

#include "display/link_key.h"

// Walking the server tree from the keyboard: the nodes in the tree's
// visible order and the searches the navigation keys run over them.
namespace zeph {

class TWorld;

struct TWalkNode {
  TNodeId unit = kNoNode;
  TNodeId channel = kNoNode;  // kNoNode: the unit's own node
  bool hidden = false;        // under a collapsed unit
  bool IsUnit() const { return channel == kNoNode; }
};

// Every unit in tree order, each followed by its targets. is_expanded tells
// which units show their targets.
std::vector<TWalkNode> WalkNodes(const TWorld& world, const std::function<bool(TNodeId unit)>& is_expanded);

// The next (step 1) or previous (step -1) node from start that matches,
// skipping hidden nodes. The walk wraps once: forward to the first node,
// backward to the last; coming back to start finds nothing. start -1 (no
// selection) begins before the first node going forward, after the last
// going backward. -1 when none matches.
int WalkFrom(const std::vector<TWalkNode>& nodes, int start, int step,
             const std::function<bool(const TWalkNode&)>& matches);

// Where a node sits in the list; -1 when it is not there.
int IndexOfNode(const std::vector<TWalkNode>& nodes, TNodeId unit, TNodeId channel);

}  // namespace zeph
