#include "engine/tree_node.h"

#include <atomic>

namespace zeph {
namespace {

TNodeId NextNodeId() {
  static std::atomic<TNodeId> next{1};
  return next++;
}

}  // namespace

TTreeNode::TTreeNode(TLineBuilder& builder) : id_(NextNodeId()), log_(builder) {}

}  // namespace zeph
