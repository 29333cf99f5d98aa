#pragma once

#include <string>

// What tells the user that a message arrived besides its line: the tree
// marks, the title flash, sounds and the tray balloon.
namespace zeph {

class TChannel;
class TTreeNode;
class TUnit;

// The unread mark of a channel or talk, or of the unit when target is null,
// when its Update switch is on; and, with FlashTitleOnUpdate, the title
// flashes while the program is in the background.
void MarkUpdated(TUnit& unit, TChannel* target);

// A talk opened by a message waits for the user's look.
void MarkNewTalk(TUnit& unit, TChannel& talk);

// Plays a sound file when enabled, unless the unit is closing or we are away
// with MuteOnAway.
void PlayMessageSound(TUnit& unit, bool enabled, const std::string& file);

// Whether a message shows the tray balloon, as EnableBaloon,
// ShowBalloonOnInactive and BalloonFollowsAllLog allow; console_switch is
// that of the log the line went to. Asked first, so that a message builds
// its heading only for a balloon that shows.
bool ShowsMessageBalloon(TUnit& unit, bool console_switch);
void ShowMessageBalloon(TUnit& unit, const std::string& heading, const std::string& text);

}  // namespace zeph
