#include "app/node_walk.h"

#include "engine/channel.h"
#include "engine/unit.h"
#include "engine/world.h"

namespace zeph {

std::vector<TWalkNode> WalkNodes(const TWorld& world, const std::function<bool(TNodeId unit)>& is_expanded) {
  std::vector<TWalkNode> nodes;
  for (const auto& unit : world.Units()) {
    nodes.push_back({unit->Id(), kNoNode, false});
    const bool hidden = !is_expanded(unit->Id());
    for (const auto& target : unit->Channels()) nodes.push_back({unit->Id(), target->Id(), hidden});
  }
  return nodes;
}

int WalkFrom(const std::vector<TWalkNode>& nodes, int start, int step,
             const std::function<bool(const TWalkNode&)>& matches) {
  const int count = static_cast<int>(nodes.size());
  // Without a start every node is a candidate; with one, the start itself
  // never is: the walk ends when it comes back to it.
  const int steps = start < 0 ? count : count - 1;
  int index = start < 0 ? (step > 0 ? -1 : count) : start;
  for (int i = 0; i < steps; ++i) {
    index = ((index + step) % count + count) % count;
    const TWalkNode& node = nodes[static_cast<size_t>(index)];
    if (!node.hidden && matches(node)) return index;
  }
  return -1;
}

int IndexOfNode(const std::vector<TWalkNode>& nodes, TNodeId unit, TNodeId channel) {
  for (size_t i = 0; i < nodes.size(); ++i) {
    if (nodes[i].unit == unit && nodes[i].channel == channel) return static_cast<int>(i);
  }
  return -1;
}

}  // namespace zeph
