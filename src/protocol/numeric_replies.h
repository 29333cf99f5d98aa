#pragma once

#include <string>

namespace zeph {

class TChannel;
class TUnit;
class TWorld;
struct TIrcMessage;

// What the unit does with the server's numeric replies.
class TNumericReplies {
 public:
  explicit TNumericReplies(TWorld& world) : world_(world) {}

  void Handle(TUnit& unit, TIrcMessage& message);
  void OnNickChanged(TUnit& unit, const std::string& old_nick, const std::string& new_nick);
  void OnUnitShutdown(TUnit& unit);
  void OnMaskListChange(TUnit& unit, TChannel& channel, char list, bool add, const std::string& mask);

 private:
  TWorld& world_;
};

}  // namespace zeph
