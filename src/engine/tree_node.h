#pragma once

#include <memory>
#include <vector>

#include "display/line_store.h"
#include "display/link_key.h"
#include "display/log_file.h"

namespace zeph {

// The switches of a tree entry: whether its lines set the update mark and
// alerts, are copied to the console, and are checked for keywords.
struct TNodeSwitches {
  bool update = true;
  bool console = true;
  bool keyword = true;
};

// What the server tree shows for a unit or one of its targets: its log and
// its marks, under an id that names it for the life of the process. Lines,
// histories and console copies refer to nodes by this id, never by pointer,
// so a line that outlives its node leads nowhere. Its log goes to a daily
// file when the preferences say so.
class TTreeNode {
 public:
  TTreeNode(TLineBuilder& builder, TLogFileContext& log_files, TLogFileKind kind, TNodeSwitches switches);
  virtual ~TTreeNode() = default;
  TTreeNode(const TTreeNode&) = delete;
  TTreeNode& operator=(const TTreeNode&) = delete;

  TNodeId Id() const { return id_; }
  TLineStore& Log() { return log_; }
  const TLineStore& Log() const { return log_; }
  TLogFile& LogFile() { return log_file_; }
  const TLogFile& LogFile() const { return log_file_; }

  // The marks the tree shows in colour; selecting the node clears them.
  // Each change is announced to the node's observers.
  bool KeywordMark() const { return keyword_mark_; }
  bool NewTalkMark() const { return new_talk_mark_; }
  bool UpdateMark() const { return update_mark_; }
  void SetKeywordMark() { SetMarks(true, new_talk_mark_, update_mark_); }
  void SetNewTalkMark() { SetMarks(keyword_mark_, true, update_mark_); }
  void SetUpdateMark() { SetMarks(keyword_mark_, new_talk_mark_, true); }
  void ClearMarks() { SetMarks(false, false, false); }

  // The entry's switches, which the tree shows; each change is announced.
  bool UpdateSwitch() const { return switches_.update; }
  bool ConsoleSwitch() const { return switches_.console; }
  bool KeywordSwitch() const { return switches_.keyword; }
  void SetUpdateSwitch(bool on) { SetSwitch(switches_.update, on); }
  void SetConsoleSwitch(bool on) { SetSwitch(switches_.console, on); }
  void SetKeywordSwitch(bool on) { SetSwitch(switches_.keyword, on); }

 protected:
  // Name, marks, state or member count changed: the tree and the title
  // follow.
  virtual void Changed() = 0;

 private:
  void SetMarks(bool keyword, bool new_talk, bool update);
  void SetSwitch(bool& which, bool on);

  const TNodeId id_;
  bool keyword_mark_ = false;
  bool new_talk_mark_ = false;
  bool update_mark_ = false;
  TNodeSwitches switches_;
  TLineStore log_;
  TLogFile log_file_;
};

// Swaps a node with its neighbour one place up (-1) or down (1) in the
// list its parent keeps in tree order; false when there is none.
template <class Node>
bool MoveOneStep(std::vector<std::unique_ptr<Node>>& nodes, const Node* node, int step) {
  for (size_t i = 0; i < nodes.size(); ++i) {
    if (nodes[i].get() != node) continue;
    const size_t other = i + static_cast<size_t>(step);  // wraps past the ends and fails the test below
    if (other >= nodes.size()) return false;
    std::swap(nodes[i], nodes[other]);
    return true;
  }
  return false;
}

}  // namespace zeph
