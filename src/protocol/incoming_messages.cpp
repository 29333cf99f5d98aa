#include "protocol/incoming_messages.h"

namespace zeph {

bool TIncomingMessages::OnPrivmsg(TUnit& unit, TIrcMessage& message) { return false; }

bool TIncomingMessages::OnNotice(TUnit& unit, TIrcMessage& message) { return false; }

}  // namespace zeph
