#pragma once

#include <string>

#include "display/link_key.h"

// The paste confirmation's "送信": the unit and the target are looked up by
// id when it is pressed, so a paste whose target closed meanwhile sends
// nothing.
namespace zeph {

class TWorld;
struct TPreferences;

struct TPasteTarget {
  TNodeId unit = kNoNode;
  TNodeId channel = kNoNode;
};

// Sends the text line by line (notices when as_notice); false when the text
// is empty, the target is gone or nothing could be sent.
bool SendConfirmedPaste(TWorld& world, TPasteTarget target, const std::string& text, bool as_notice);

// The dialog closed: its quote mark and notice box are kept for the next
// time. False when neither changed (nothing to save).
bool KeepPasteChoices(TPreferences& preferences, const std::string& mark, bool as_notice);

}  // namespace zeph
