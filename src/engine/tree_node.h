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
  bool keyword_mark = false;
  bool new_talk_mark = false;
  bool update_mark = false;
  void ClearMarks() { keyword_mark = new_talk_mark = update_mark = false; }

 private:
  const TNodeId id_;
  TLineStore log_;
  TLogFile log_file_;
};

}  // namespace zeph
