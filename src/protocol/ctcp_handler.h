#pragma once

#include <optional>
#include <string>

namespace zeph {

class TUnit;
class TWorld;
struct TCtcpFrame;
struct TIrcMessage;

// Received CTCP queries (other than ACTION) and replies: which queries we
// answer and with what, the protection against query floods, and the lines
// that show them in the unit log.
class TCtcpHandler {
 public:
  // At most one query is answered in this time per unit, with
  // EnableCtcpSequenceLimit.
  static constexpr long long kSequenceLimitMs = 5000;

  explicit TCtcpHandler(TWorld& world) : world_(world) {}

  void OnQuery(TUnit& unit, const TIrcMessage& message, const TCtcpFrame& frame);
  void OnReply(TUnit& unit, const TIrcMessage& message, const TCtcpFrame& frame);

 private:
  // The echo of the GETADDRESS query we sent ourselves tells our address.
  void LearnOwnAddress(TUnit& unit, const TIrcMessage& message);
  bool Refuses(TUnit& unit) const;
  // What we send back for a served query; nothing for queries we only show.
  std::optional<std::string> AnswerTo(TUnit& unit, const TCtcpFrame& frame) const;
  std::string ReplyText(const TCtcpFrame& frame) const;
  void PrintQuery(TUnit& unit, const TIrcMessage& message, const std::string& command, bool refused);

  TWorld& world_;
};

}  // namespace zeph
