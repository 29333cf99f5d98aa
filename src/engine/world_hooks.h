#pragma once

#include <string>

#include "display/link_key.h"

// What the engine asks of the program around it, one narrow interface per
// concern. The world holds one of each; a missing one is a do-nothing
// object (headless runs have no window, engine tests no protocol handlers),
// so no caller checks for absence.
namespace zeph {

class TChannel;
class TUnit;
struct TIrcMessage;

// The server tree and the log views of the main window.
class TTreeView {
 public:
  virtual ~TTreeView() = default;
  virtual void NodeAdded(TUnit& unit, TChannel* target) {}
  virtual void NodeRemoved(TUnit& unit, TChannel* target) {}
  // The node moved one place up (-1) or down (1) among its siblings.
  virtual void NodeMoved(TUnit& unit, TChannel* target, int step) {}
  // Name, marks, state or member count of a node changed.
  virtual void NodeChanged(TUnit& unit, TChannel* target) {}
  // The selection moved: show the node's log and member list.
  virtual void ShowNode(TUnit& unit, TChannel* target) {}
  virtual void ExpandNode(TUnit& unit) {}
  // Units or targets changed their order.
  virtual void TreeReordered() {}
  // Whether the node's log view is scrolled away from its last line.
  virtual bool IsScrolledAway(TNodeId node) const { return false; }
};

// The title bar, the main window's activation and the tray.
class TTitleView {
 public:
  virtual ~TTitleView() = default;
  virtual void SetTitle(const std::string& title) {}
  // From deactivation or minimising of the main window until it is back.
  virtual bool IsInBackground() const { return false; }
  virtual bool IsMainWindowActive() const { return false; }
  virtual void BlinkTitle() {}
  // The tray balloon and the taskbar flash of the main window.
  virtual void ShowBalloon(const std::string& title, const std::string& text) {}
  virtual void FlashTitle() {}
};

class TSoundOutput {
 public:
  virtual ~TSoundOutput() = default;
  virtual void PlaySound(const std::string& file) {}
};

class TClipboard {
 public:
  virtual ~TClipboard() = default;
  virtual void PutOnClipboard(const std::string& text) {}
};

// The protocol log window of a unit shows its raw traffic; lines are
// decoded for it only while it is open.
class TProtocolLog {
 public:
  virtual ~TProtocolLog() = default;
  virtual bool IsProtocolLogOpen(const TUnit& unit) const { return false; }
  virtual void AddProtocolLine(TUnit& unit, bool sent, const std::string& line) {}
};

// What the engine asks the user directly.
class TUserPrompts {
 public:
  virtual ~TUserPrompts() = default;
  // Held at start-up, it keeps the automatic connections from starting.
  virtual bool IsCtrlHeld() const { return false; }
  // An invitation to ask the user about (InviteAction 1); the prompt
  // applies the dialog limits.
  virtual void ShowInvitation(TUnit& unit, const std::string& nick, const std::string& channel) {}
};

// The main window answers every concern of the view at once.
class TWorldView : public TTreeView,
                   public TTitleView,
                   public TSoundOutput,
                   public TClipboard,
                   public TProtocolLog,
                   public TUserPrompts {};

// The handlers of received messages that live above the engine.
class TProtocolHandler {
 public:
  virtual ~TProtocolHandler() = default;
  // Every received message, decoded, after the unit kept its session state.
  virtual void OnReceived(TUnit& unit, TIrcMessage& message) {}
  // The unit is going away: close its windows.
  virtual void OnUnitShutdown(TUnit& unit) {}
};

// The macro engine as the engine sees it.
class TMacroHooks {
 public:
  virtual ~TMacroHooks() = default;
  // A received message, or an event derived from one (KEYWORD, OP, ...),
  // offered to the unit's macros with the current nick.
  virtual void OnMessageEvent(TUnit& unit, const TIrcMessage& event) {}
  // Expands the macro variables of a configured text (away and quit
  // messages); without macros the text stays as it is.
  virtual std::string ExpandVariables(TUnit& unit, const std::string& text) { return text; }
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
  virtual void RenamePeer(TUnit& unit, const std::string& old_nick, const std::string& new_nick) {}
  // A CTCP DCC query; argument is the text after the word DCC. False when
  // nothing takes DCC queries: the query is then shown like any other.
  virtual bool OnDccQuery(TUnit& unit, const TIrcMessage& message, const std::string& argument) { return false; }
  // A line typed for a DCC chat; false when the chat is not connected.
  virtual bool SendChatLine(TUnit& unit, TChannel& chat, const std::string& text) { return false; }
  // A DCC chat talk is being closed: its connection goes with it.
  virtual void ChatClosing(TUnit& unit, TChannel& chat) {}
};

}  // namespace zeph
