#include "engine/tree_node.h"

#include <atomic>

namespace zeph {
namespace {

TNodeId NextNodeId() {
  static std::atomic<TNodeId> next{1};
  return next++;
}

}  // namespace

TTreeNode::TTreeNode(TLineBuilder& builder, TLogFileContext& log_files, TLogFileKind kind, TNodeSwitches switches)
    : id_(NextNodeId()), switches_(switches), log_(builder), log_file_(log_files, kind) {}

void TTreeNode::SetMarks(bool keyword, bool new_talk, bool update) {
  if (keyword == keyword_mark_ && new_talk == new_talk_mark_ && update == update_mark_) return;
  keyword_mark_ = keyword;
  new_talk_mark_ = new_talk;
  update_mark_ = update;
  Changed();
}

void TTreeNode::SetSwitch(bool& which, bool on) {
  if (which == on) return;
  which = on;
  Changed();
}

}  // namespace zeph
