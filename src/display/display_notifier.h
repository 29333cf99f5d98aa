#pragma once

#include <string>

#include "display/link_key.h"

namespace zeph {

// What keyword hits reach outside the logs: the tree, the main window and
// the sound player. The world and the main window implement it.
class TDisplayNotifier {
 public:
  virtual ~TDisplayNotifier() = default;
  // Sets the keyword mark of the channel, or of the unit's own node when
  // channel is kNoNode, and redraws the tree.
  virtual void SetKeywordMark(TNodeId unit, TNodeId channel) = 0;
  virtual bool IsMainWindowActive() const = 0;
  virtual void BlinkTitle() = 0;
  // Plays a sound for an event of the unit; the player applies the mute
  // rules (MuteOnAway, a closing unit).
  virtual void PlaySound(TNodeId unit, const std::string& file) = 0;
};

}  // namespace zeph
