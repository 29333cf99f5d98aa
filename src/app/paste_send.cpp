#include "app/paste_send.h"

#include "engine/channel.h"
#include "engine/unit.h"
#include "engine/world.h"
#include "protocol/command_line.h"
#include "settings/preferences.h"

namespace zeph {

bool SendConfirmedPaste(TWorld& world, TPasteTarget target, const std::string& text, bool as_notice) {
  if (text.empty()) return false;
  TUnit* unit = world.FindUnitById(target.unit);
  TChannel* channel = unit ? unit->FindById(target.channel) : nullptr;
  if (!channel) return false;
  return SendMultiLine(*unit, channel, text, as_notice);
}

bool KeepPasteChoices(TPreferences& preferences, const std::string& mark, bool as_notice) {
  if (preferences.ReferenceMark == mark && preferences.SendMultiLineByNotice == as_notice) return false;
  preferences.ReferenceMark = mark;
  preferences.SendMultiLineByNotice = as_notice;
  return true;
}

}  // namespace zeph
