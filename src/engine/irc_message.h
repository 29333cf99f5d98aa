#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace zeph {

// One received line, parsed. The unit replaces prefix, nick, user, host and
// the parameters by their decoded internal text before dispatch.
struct TIrcMessage {
  static constexpr int kMaxMiddleParams = 15;

  std::string raw;
  std::string prefix;
  std::string nick;
  std::string user;
  std::string host;
  std::string command;  // upper-cased; a numeric keeps its digits as received
  int numeric = 0;      // 0 for a command word
  std::vector<std::string> params;

  void Parse(std::string_view line);
  // The empty text when the index is out of range; handlers rely on this.
  const std::string& Param(int index) const;
  int ParamCount() const { return static_cast<int>(params.size()); }
  // Parameters from `from` on, joined by one blank.
  std::string JoinParams(int from) const;
};

// Lines the client sends on its own, in answer to the server or to other
// users. A hostile peer can ask for answers faster than the flood limits
// let them out, so the connection bounds them instead of queueing them.
enum class TAutomatic {
  kNo,      // the user's commands and the session's own steps
  kAnswer,  // CTCP replies, auto-op, keep-alive: a few wait, more are refused
  kPong,    // the answer to a PING: only the newest one waits
};

// One outgoing command on its way to the wire.
struct TOutgoingMessage {
  static constexpr size_t kMaxLine = 510;  // without CR LF
  static constexpr int kMaxPenalty = 10;

  std::string command;
  std::string middle;    // parameters already joined by single blanks
  std::string trailing;  // carries its ":" where the grammar needs one
  int penalty = 2;
  TAutomatic automatic = TAutomatic::kNo;
  bool composed = false;
  std::string line;  // the wire line with CR LF

  // Builds the line once: cut at 510 bytes, CR LF appended, penalty fixed.
  void Compose();
};

}  // namespace zeph
