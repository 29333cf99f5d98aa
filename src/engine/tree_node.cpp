#include "engine/tree_node.h"

#include <atomic>

namespace zeph {
namespace {

TNodeId NextNodeId() {
  static std::atomic<TNodeId> next{1};
  return next++;
}

}  // namespace

TTreeNode::TTreeNode(TLineBuilder& builder, TLogFileContext& log_files, TLogFileKind kind)
    : id_(NextNodeId()), log_(builder), log_file_(log_files, kind) {}

}  // namespace zeph
