#pragma once

#include "display/line_store.h"
#include "display/link_key.h"
#include "display/log_file.h"

namespace zeph {

// What the server tree shows for a unit or one of its targets: its log and
// its marks, under an id that names it for the life of the process. Lines,
// histories and console copies refer to nodes by this id, never by pointer,
// so a line that outlives its node leads nowhere. Its log goes to a daily
// file when the preferences say so.
class TTreeNode {
 public:
  TTreeNode(TLineBuilder& builder, TLogFileContext& log_files, TLogFileKind kind);
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

 protected:
  // Name, marks, state or member count changed: the tree and the title
  // follow.
  virtual void Changed() = 0;

 private:
  void SetMarks(bool keyword, bool new_talk, bool update);

  const TNodeId id_;
  bool keyword_mark_ = false;
  bool new_talk_mark_ = false;
  bool update_mark_ = false;
  TLineStore log_;
  TLogFile log_file_;
};

}  // namespace zeph
