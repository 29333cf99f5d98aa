#pragma once

#include <set>
#include <string>
#include <string_view>

#include "engine/channel_name.h"

namespace zeph {

// What the reply and CTCP handlers note during one session: which answers
// that span several replies are under way, when we last answered a CTCP
// query, and the "!" channels we asked the server to create. The unit
// starts it afresh with each session.
class TSessionReplies {
 public:
  bool InWhois() const { return whois_; }
  void BeginWhois() { whois_ = true; }
  void EndWhois() { whois_ = false; }

  bool InWhowas() const { return whowas_; }
  void BeginWhowas() { whowas_ = true; }
  void EndWhowas() { whowas_ = false; }

  bool InList() const { return list_; }
  void BeginList() { list_ = true; }
  void EndList() { list_ = false; }

  // -1 while we have not answered any.
  long long LastCtcpAnswerMs() const { return last_ctcp_answer_ms_; }
  void NoteCtcpAnswer(long long now_ms) { last_ctcp_answer_ms_ = now_ms; }

  void NoteSafeCreateRequest(std::string_view name) { safe_creates_.insert(IrcUpper(name)); }
  // Whether we asked to create the channel; the request is forgotten.
  bool TakeSafeCreateRequest(std::string_view name) { return safe_creates_.erase(IrcUpper(name)) > 0; }

 private:
  bool whois_ = false;
  bool whowas_ = false;
  bool list_ = false;
  long long last_ctcp_answer_ms_ = -1;
  std::set<std::string> safe_creates_;  // IrcUpper-folded
};

}  // namespace zeph
