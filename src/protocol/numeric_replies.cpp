#include "protocol/numeric_replies.h"

namespace zeph {

void TNumericReplies::Handle(TUnit& unit, TIrcMessage& message) {}

void TNumericReplies::OnNickChanged(TUnit& unit, const std::string& old_nick, const std::string& new_nick) {}

void TNumericReplies::OnUnitShutdown(TUnit& unit) {}

void TNumericReplies::OnMaskListChange(TUnit& unit, TChannel& channel, char list, bool add, const std::string& mask) {}

}  // namespace zeph
