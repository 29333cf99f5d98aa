#pragma once

#include <string>

#include "display/link_key.h"

// What the engine asks of the program around it. The world holds one of
// each; every one may be absent (headless runs have no view, engine tests
// no protocol handlers), and the engine then does without.
namespace zeph {

class TChannel;
class TUnit;
struct TIrcMessage;

// The main window as the world sees it: the tree, the log views and the
// title bar.
class TWorldView {
 public:
  virtual ~TWorldView() = default;
  virtual void NodeAdded(TUnit& unit, TChannel* target) {}
  virtual void NodeRemoved(TUnit& unit, TChannel* target) {}
  // Name, marks, state or member count of a node changed.
  virtual void NodeChanged(TUnit& unit, TChannel* target) {}
  // The selection moved: show the node's log and member list.
  virtual void ShowNode(TUnit& unit, TChannel* target) {}
  virtual void ExpandNode(TUnit& unit) {}
  virtual void SetTitle(const std::string& title) {}
  // Whether the node's log view is scrolled away from its last line.
  virtual bool IsScrolledAway(TNodeId node) const { return false; }
  // From deactivation or minimising of the main window until it is back.
  virtual bool IsInBackground() const { return false; }
  virtual bool IsMainWindowActive() const { return false; }
  virtual void BlinkTitle() {}
  virtual bool IsCtrlHeld() const { return false; }
  virtual void PutOnClipboard(const std::string& text) {}
  virtual void PlaySound(const std::string& file) {}
  // An invitation to ask the user about (InviteAction 1); the view applies
  // the dialog limits.
  virtual void ShowInvitation(TUnit& unit, const std::string& nick, const std::string& channel) {}
  // The tray balloon and the taskbar flash of the main window.
  virtual void ShowBalloon(const std::string& title, const std::string& text) {}
  virtual void FlashTitle() {}
  // The protocol log window of a unit shows its raw traffic; lines are
  // decoded for it only while it is open.
  virtual bool IsProtocolLogOpen(const TUnit& unit) const { return false; }
  virtual void AddProtocolLine(TUnit& unit, bool sent, const std::string& line) {}
};

// The handlers of received messages that live above the engine: numeric
// replies, CTCP, ordinary messages and talks.
class TProtocolHandler {
 public:
  virtual ~TProtocolHandler() = default;
  virtual void OnNumeric(TUnit& unit, TIrcMessage& message) = 0;
  // Each returns whether the message hit a keyword.
  virtual bool OnPrivmsg(TUnit& unit, TIrcMessage& message) = 0;
  virtual bool OnNotice(TUnit& unit, TIrcMessage& message) = 0;
  // A nick changed on the unit's server; windows about it follow.
  virtual void OnNickChanged(TUnit& unit, const std::string& old_nick, const std::string& new_nick) {}
  // The unit is going away: close its windows.
  virtual void OnUnitShutdown(TUnit& unit) {}
  // A MODE change of a mask list ('b' ban, 'e' exception, 'I' invitation,
  // 'R' reop) reached a channel; an open list window follows it.
  virtual void OnMaskListChange(TUnit& unit, TChannel& channel, char list, bool add, const std::string& mask) {}
};

// The macro engine as the engine sees it.
class TMacroHooks {
 public:
  virtual ~TMacroHooks() = default;
  // A received message, or an event derived from one (KEYWORD, OP, ...),
  // offered to the unit's macros with the current nick.
  virtual void OnMessageEvent(TUnit& unit, const TIrcMessage& event) = 0;
  // Expands the macro variables of a configured text (away and quit
  // messages).
  virtual std::string ExpandVariables(TUnit& unit, const std::string& text) = 0;
  // An event the program raises itself (the user's own messages, DCC chat
  // lines, ...): the command names it, the parameters follow.
  virtual void OnProgramEvent(TUnit& unit, const TIrcMessage& event) {}
  // A command line with a command the program does not know; true when a
  // macro took it, so nothing is sent.
  virtual bool OnUnknownCommand(TUnit& unit, const std::string& command, const std::string& target,
                                const std::string& rest) {
    return false;
  }
};

// DCC as the engine and the protocol handlers see it.
class TDccHooks {
 public:
  virtual ~TDccHooks() = default;
  // A peer of the unit's transfers changed its nick.
  virtual void RenamePeer(TUnit& unit, const std::string& old_nick, const std::string& new_nick) = 0;
  // A CTCP DCC query; argument is the text after the word DCC.
  virtual void OnDccQuery(TUnit& unit, const TIrcMessage& message, const std::string& argument) {}
  // A line typed for a DCC chat; false when the chat is not connected.
  virtual bool SendChatLine(TUnit& unit, TChannel& chat, const std::string& text) { return false; }
};

}  // namespace zeph
