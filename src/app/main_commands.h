#pragma once

#include <string>

#include "engine/channel_mode.h"
#include "engine/world.h"

namespace zeph {

// The commands of the main window's menus that depend on the selection.
// What they are allowed to do, and what they do, lives here so that the
// window only shows it and tests can run it without a window.
enum class TMenuRule {
  kConnect,
  kDisconnect,  // or "cancel the reconnection"
  kQuitWithMessage,
  kForceDisconnect,
  kNick,
  kAway,
  kSetAwayMessage,
  kTalk,
  kList,
  kCopyServer,
  kDeleteServer,
  kAddChannel,
  kProtocol,
  kServerOperatorList,
  kServerProperty,
  kJoin,
  kQuickPart,
  kPart,  // or "close the talk / DCC chat"
  kMode,
  kTopic,
  kInvite,
  kModeList,  // +b, +e, +I, +R
  kMember,
  kResetMember,
  kDeleteChannel,
  kChannelOperatorList,
  kChannelProperty,
};

// How a menu item shows: enabled, ticked, and which of its texts.
enum class TItemText { kNormal, kCancelReconnect, kCloseTalk, kCloseDccChat };

struct TCommandState {
  bool enabled = false;
  bool checked = false;
  TItemText text = TItemText::kNormal;
  bool operator==(const TCommandState&) const = default;
};

TCommandState CommandState(const TWorld& world, TMenuRule command);

// The selection the commands act on, by id: a prompt may stay open while
// the unit or the channel goes away, and then the command does nothing.
struct TSelectionIds {
  TNodeId unit = kNoNode;
  TNodeId target = kNoNode;
};
TSelectionIds SelectedIds(const TWorld& world);
TUnit* UnitOf(const TWorld& world, TSelectionIds ids);
TChannel* TargetOf(const TWorld& world, TSelectionIds ids);

// The operations without a question to ask first.
void ConnectSelected(TWorld& world);
// Logged in: QUIT with the quit message; up otherwise: closed at once;
// down: a pending reconnection is cancelled.
void DisconnectSelected(TWorld& world);
void ForceDisconnectSelected(TWorld& world);
// Back when away, else away with the last message of this unit or its
// configured one.
void ToggleAway(TWorld& world);
// The away text a prompt offers: the last one used here, else the
// configured one, expanded.
std::string AwayTextOf(TUnit& unit);
void JoinSelected(TWorld& world);
void QuickPartSelected(TWorld& world);
void ResetMembersOfSelected(TWorld& world);
// Copies the selected entry under a free name; the tree is saved.
TUnit* CopySelectedServer(TWorld& world);

// The mode dialog's answer: the MODE lines that turn the mode it showed
// into the edited one, so that a change someone made while it was open is
// not undone; nothing when they are equal, or when the channel was left or
// closed meanwhile.
void SendModeChange(TWorld& world, TSelectionIds ids, const TChannelMode& shown, const TChannelMode& edited);
// A CTCP ACTION to the channel, talk or DCC chat the prompt was opened on;
// nothing when it went away meanwhile.
void SendActionTo(TWorld& world, TSelectionIds ids, const std::string& text);

}  // namespace zeph
