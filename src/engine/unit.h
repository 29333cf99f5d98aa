#pragma once

#include <memory>
#include <set>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

#include "settings/server_config.h"
#include "display/line_composition.h"
#include "display/message_kind.h"
#include "engine/channel.h"
#include "engine/channel_mode.h"
#include "engine/encoding.h"
#include "engine/encoding_foreign_names.h"
#include "engine/irc_connection.h"
#include "engine/nick_retries.h"
#include "engine/rejoin_manager.h"
#include "engine/session_replies.h"
#include "engine/target_index.h"
#include "net/resolver.h"
#include "engine/tree_node.h"
#include "engine/who_queue.h"

namespace zeph {

class TWorld;
struct TPreferences;

enum class TUnitState { Idle = 0, Connecting = 1, Connected = 2, LoggedIn = 3 };

// A channel name with the key to join it.
using TJoinEntry = std::pair<std::string, std::string>;

// One server entry and the IRC session that runs on it.
class TUnit final : public TTreeNode,
                    public TMemberGroupSource,
                    private TIrcConnectionListener,
                    private TResolverListener {
 public:
  // Ticks the server gets to close the connection after our QUIT.
  static constexpr int kQuitCountdown = 6;

  TUnit(TWorld& world, TServerConfig config);
  ~TUnit() override;

  TWorld& World() const { return world_; }
  const TPreferences& Prefs() const;
  TServerConfig& Config() { return config_; }
  const TServerConfig& Config() const { return config_; }
  const std::string& Name() const { return config_.name; }
  // A new name; the log files move to the files of the name.
  void Rename(const std::string& name);

  // The unit's switches are those of the preferences.
  void FollowSwitchPreferences();
  // On the first unit connected at start-up, its first joined channel gets
  // selected: once.
  void SelectFirstJoinedChannel() { select_first_channel_ = true; }
  bool TakeFirstChannelSelection() { return std::exchange(select_first_channel_, false); }

  // --- Session ---------------------------------------------------------
  TUnitState State() const { return state_; }
  bool IsLoggedIn() const { return state_ == TUnitState::LoggedIn; }
  bool IsClosing() const { return closing_; }
  // QUIT was sent and the server has not closed the connection yet.
  bool IsWaitingForQuit() const { return quit_pending_ && connection_.IsConnected(); }
  int SessionEncoding() const { return session_encoding_; }
  TWireEncoding Wire() const;
  std::string Decode(std::string_view wire) const { return Wire().Decode(wire); }
  std::string Encode(std::string_view text) const { return Wire().Encode(text); }

  const std::string& ServerName() const { return server_name_; }
  const std::string& Nick() const { return current_nick_; }
  void SetCurrentNick(std::string nick);
  // The server confirmed our nick change: the retries start again, and the
  // nick the user chose is the one a restoring reconnection registers.
  void ChangeOwnNick(const std::string& nick);
  // Whether a nick is ours: an exact comparison, as the server confirmed it.
  bool IsOwnNick(std::string_view nick) const { return nick == current_nick_; }
  // The nick the title and the first login use: current while logged in.
  const std::string& DisplayNick() const { return IsLoggedIn() ? current_nick_ : config_.nick; }

  // The state of nick-in-use retries, which the nick policy of the replies
  // keeps; a new session starts it again.
  TNickRetries& NickRetries() { return nick_retries_; }
  const TNickRetries& NickRetries() const { return nick_retries_; }
  // Our user modes; "a" is the away state, the one fact that sounds, talks
  // and the title follow.
  const TUserMode& UserMode() const { return user_mode_; }
  bool IsAway() const { return user_mode_.a; }
  // A MODE for our nick changes some modes; the mode reply states them all.
  void ApplyUserMode(const std::string& modes);
  void SetUserMode(const std::string& modes);
  void SetAway(bool away);
  const std::string& AwayMessage() const { return away_message_; }
  // What the reply and CTCP handlers note during a session; the unit
  // clears it with the session.
  TSessionReplies& Replies() { return replies_; }
  const TSessionReplies& Replies() const { return replies_; }

  // Our user and host as the server reports us.
  const std::string& OwnUser() const { return own_user_; }
  const std::string& OwnHost() const { return own_host_; }
  // Our IPv4 address for DCC offers, in network byte order; kNone while
  // unknown. It is resolved from a host chosen by IPResolveMethod: the host
  // of our own JOIN echo, or the one a GETADDRESS self-query reported.
  uint32_t OwnAddress() const { return own_address_; }
  const std::string& OwnAddressJoinHost() const { return own_address_join_host_; }
  const std::string& OwnAddressCtcpHost() const { return own_address_ctcp_host_; }
  // Resolves a host as our own address.
  void ResolveOwnAddress(const std::string& host);
  // Our own JOIN echo shows our address as the server sees it.
  void NoteOwnAddress(const std::string& user, const std::string& host);
  // So does the answer to a GETADDRESS query to ourselves.
  void NoteQueriedAddress(const std::string& user, const std::string& host);

  // Whether a lost connection is made again, after how many attempts.
  bool AutoReconnect() const { return auto_reconnect_; }
  void SetAutoReconnect(bool on) { auto_reconnect_ = on; }

  void Connect();
  void ConnectAfter(int seconds);
  void Disconnect(bool by_user, bool timed_out);
  void CancelReconnect();
  // Down, with a reconnection counting down.
  bool IsReconnectPending() const { return state_ == TUnitState::Idle && auto_reconnect_ && reconnect_countdown_ > 0; }
  // From the start of a connection until it is closed.
  bool IsConnectionUp() const { return state_ != TUnitState::Idle; }
  // Before the unit goes away: QUIT when logged in, then close everything.
  void Shutdown(bool force);
  void OnTick();
  // Run by the welcome-type replies (1, 376, 422); once per session.
  void OnLoggedIn(const TIrcMessage& message);
  // Handles one received message as the server sent it (texts still in the
  // wire encoding): decodes it, keeps the session state, and hands it to
  // the protocol handlers.
  void Dispatch(TIrcMessage& message);
  // The server asked whether we are alive: the keep-alive counts afresh
  // and the answer goes out at once.
  void AnswerPing(const std::string& server);

  // Every command the engine sends passes here: the texts are encoded for
  // the wire and the line queued with its flood penalty and priority. What
  // the client answers on its own says so, and is bounded.
  void SendCommand(const std::string& command, const std::string& middle, const std::string& trailing,
                   int penalty, int priority, TAutomatic automatic = TAutomatic::kNo);
  TIrcConnection& Connection() { return connection_; }

  // --- Targets ---------------------------------------------------------
  const std::vector<std::unique_ptr<TChannel>>& Channels() const { return channels_; }
  // Moves a target one place up (-1) or down (1) among the unit's targets;
  // false at either end.
  bool MoveTarget(const TChannel& target, int step);
  // The target last selected in this unit, for the unit walks of the keys.
  TNodeId RememberedChannel() const { return remembered_channel_; }
  // What was last selected in this unit: a target, or its console (null).
  TChannel* LastSelectedTarget() const { return FindById(last_selected_); }
  void RememberSelection(TNodeId target) {
    last_selected_ = target;
    if (target != kNoNode) remembered_channel_ = target;
  }
  TChannel* FindChannel(std::string_view name) const;
  TChannel* FindByWireName(std::string_view name) const;
  TChannel* FindTarget(std::string_view name) const;
  TChannel* FindById(TNodeId id) const;
  // The targets named come first, in that order.
  void ReorderTargets(const std::vector<TNodeId>& ids);
  // A new channel target from a tree entry; null when the name is taken.
  TChannel* AddChannel(const TChannelConfig& config);
  TChannel* OpenTalk(const std::string& nick, const std::string& user, const std::string& host);
  // A talk opened by someone writing to us. At most kMaxPeerTalks of them
  // exist at once, so a crowd of strangers cannot grow the tree without
  // end: beyond that it is null, and the first refusal says so once in the
  // unit log.
  static constexpr int kMaxPeerTalks = 100;
  TChannel* OpenPeerTalk(const std::string& nick, const std::string& user, const std::string& host);
  TChannel* OpenDccChat(const std::string& nick, const std::string& user, const std::string& host);
  // A channel our JOIN echo names and the tree does not know: kept in the
  // tree when its name can be stored and joined again as it is.
  TChannel& AdoptJoinedChannel(const std::string& wire_name, const std::string& display);
  // Parts a joined channel, ends a talk, and destroys the target.
  void CloseTarget(TChannel& target);
  // A target's name or wire name changed: the look-ups follow it.
  void TargetNamesChanged(TChannel& target);
  // Who the user is, for classifying members by user group.
  std::string_view CurrentNick() const override { return current_nick_; }
  const std::vector<std::string>& SelfMasks() const override;
  const std::array<TUserGroup, kUserGroupCount>& UserGroups() const override;
  // The "!" channels put into a JOIN and not yet joined (upper-cased).
  std::set<std::string>& SafeJoins() { return safe_joins_; }

  // --- Printing --------------------------------------------------------
  // Each returns whether the line hit a keyword.
  bool PrintToUnit(TMessageKind kind, const std::string& nick, const std::string& text,
                   const std::string& channel_name = std::string(), bool keyword_check = false);
  bool PrintToChannel(TChannel& target, TMessageKind kind, const std::string& nick, const std::string& text,
                      bool keyword_check = false);
  // The target's own log only, no console copy.
  bool PrintOwnLog(TChannel& target, TMessageKind kind, const std::string& nick, const std::string& text);
  void PrintToConsole(TMessageKind kind, const std::string& text, TChannel* target = nullptr);
  void PrintSystem(const std::string& text, TChannel* target = nullptr);
  // The unit log only, no console copy.
  bool PrintOwnLogOfUnit(TMessageKind kind, const std::string& nick, const std::string& text);
  // An invitation: activating the line joins the channel when it names one.
  void PrintInvitation(const std::string& nick, const std::string& text, const std::string& channel);

  // --- Outgoing commands ---------------------------------------------------
  enum class TMessageType { Privmsg, Notice, Action };
  void SendMessage(const std::string& target, const std::string& text, TMessageType type);
  void SendCtcpQuery(const std::string& target, const std::string& text);
  void SendCtcpReply(const std::string& target, const std::string& text,
                     TAutomatic automatic = TAutomatic::kNo);
  void SendJoin(const std::string& channels, const std::string& keys);
  void SendPart(const std::string& channel, const std::string& message);
  void SendMode(const std::string& target, const std::string& modes, TAutomatic automatic = TAutomatic::kNo);
  void SendNick(const std::string& nick, bool remember);
  void SendAway(const std::string& message);
  void SendQuit(const std::string& message);
  void SendKick(const std::string& channel, const std::string& nicks, const std::string& reason, int penalty);
  void SendTopic(const std::string& channel, const std::string& topic);
  void SendTopicQuery(const std::string& channel);
  void SendInvite(const std::string& nick, const std::string& channel);
  void SendWhois(const std::string& nick);
  void SendList(const std::string& argument);
  void SendNames(const std::string& channel);
  // Gives or takes "o" or "v" for many nicks: removals first, then
  // additions, three nicks per MODE line.
  void SendMassMode(const std::string& channel, char letter, const std::vector<std::string>& remove,
                    const std::vector<std::string>& add, TAutomatic automatic = TAutomatic::kNo);

  // --- Joining, member information, retries -------------------------------
  int AutoJoinAtLogin();
  void JoinChannels(const std::vector<TJoinEntry>& list);
  TWhoQueue& WhoQueue() { return who_queue_; }
  TRejoinManager& Rejoins() { return rejoins_; }

  // --- Auto-op and operator recovery ---------------------------------------
  void CheckAutoOp(TChannel& channel, const std::string& nick, const std::string& user, const std::string& host);
  void AutoOpPass(TChannel& channel);
  void PushToOpQueue(TChannel& channel, const std::string& nick);
  void OpQueueTick(TChannel& channel, bool counting);
  // After another user left: leave and re-create a channel we are alone in
  // without operator status.
  void RecoverOperator(TChannel& channel);

  // Offers an event to the unit's macros unless all macros are stopped.
  void RaiseMacroEvent(const TIrcMessage& event);
  // A configured text (away, quit, part message...) with the macro
  // variables expanded; as it is when there is no macro engine.
  std::string ExpandVariables(const std::string& text);
  void PlayEventSound(bool enabled, const std::string& file);

 private:
  void Changed() override;
  // TIrcConnectionListener
  void OnConnected() override;
  void OnClosed() override;
  void OnResolved() override {}
  void OnMessage(TIrcMessage& message) override;
  void OnSent(TOutgoingMessage& message) override;
  void OnError(const std::string& text) override;
  void OnLineDropped() override;
  // TResolverListener: our own address for DCC.
  void OnResolved(TResolver& resolver) override;
  void OnResolveFailed(TResolver& resolver) override {}

  void DoConnect(bool first);
  void Register();
  void OnDisconnected(bool by_user, bool timed_out);
  void ReconnectStep();
  void LoginTimeoutStep();
  void KeepAliveStep();
  void DelayedConnectStep();
  void StartOwnAddressLookup();
  void ChannelTick(TChannel& channel);
  TChannel& CreateTarget(const TChannelConfig& config, TTargetKind kind);
  void SendJoinBatch(const std::string& names, const std::string& keys);
  void ProtocolLog(bool sent, std::string_view wire_line);
  // Every text of a received message into internal text, each read in the
  // encoding its own bytes show; names that came in the other encoding are
  // remembered with their bytes.
  void DecodeReceived(TIrcMessage& m);
  std::string DecodeName(const TWireEncoding& wire, std::string_view name);
  std::string DecodeNickList(const TWireEncoding& wire, std::string_view list);
  void NoteName(const TWireEncoding& wire, std::string_view name, std::string_view raw, bool foreign);
  TLineRequest LineRequest(TLogKind log, TChannel* target, TMessageKind kind, const std::string& nick,
                           const std::string& channel_name) const;
  TLogLineSource ComposeSource(TLogKind log, TChannel* target, TMessageKind kind, const std::string& nick,
                               const std::string& text, const std::string& channel_name, const TLinkKey& link) const;
  // One line into the own log of the unit (target null) or of a target;
  // null when the kind's own-log flag is off. The line's source goes to
  // composed when given.
  const TLogLine* AddOwnLine(TChannel* target, TMessageKind kind, const std::string& nick, const std::string& text,
                             const std::string& channel_name, bool keyword_check, const TLinkKey& link,
                             TLogLineSource* composed = nullptr);
  // own: the source of the same event's own-log line, if there was one; the
  // copy is made from it.
  void AddConsoleLine(TChannel* target, TMessageKind kind, const std::string& nick, const std::string& text,
                      const std::string& channel_name, bool keyword_check, const TLinkKey& link,
                      TLogLineSource* own = nullptr);
  // The own-log line and, when the routing lets it through, its console copy.
  const TLogLine* PrintLines(TChannel* target, TMessageKind kind, const std::string& nick, const std::string& text,
                             const std::string& channel_name, bool keyword_check, const TLinkKey& link);
  // Whether lines of the node are copied to the console now.
  bool ConsoleCopyPasses(const TTreeNode& node, bool console_switch) const;
  int NickClass(const TChannel* target, const std::string& nick) const;

  TWorld& world_;
  TServerConfig config_;
  TIrcConnection connection_;
  std::vector<std::unique_ptr<TChannel>> channels_;
  // Look-ups of channels_; a look-up may make its keys again.
  mutable TTargetIndex target_index_;
  int peer_talks_ = 0;
  bool peer_talk_limit_told_ = false;
  TWhoQueue who_queue_;
  TRejoinManager rejoins_;
  TResolver local_resolver_;
  std::set<std::string> safe_joins_;
  bool built_ = false;  // targets made from here on are announced as they come

  TUnitState state_ = TUnitState::Idle;
  int session_encoding_ = 0;
  // Kept across sessions: a channel to rejoin keeps its server bytes.
  TForeignNames foreign_names_;
  // DecodeReceived's output buffer, traded with each field it decodes.
  std::string decoded_;
  std::string server_name_;
  std::string current_nick_;
  TNickRetries nick_retries_;
  TUserMode user_mode_;
  // Sent with NICK at registration: the configured nick, or with
  // RestoreNickAndAwayOnReconnect the last nick the user changed to.
  std::string registration_nick_;
  int nick_retry_count_ = 0;
  std::string away_message_;
  TSessionReplies replies_;
  std::string own_user_;
  std::string own_host_;
  uint32_t own_address_ = TResolver::kNone;
  std::string own_address_join_host_;
  std::string own_address_ctcp_host_;
  bool auto_reconnect_ = false;
  int reconnect_attempts_ = 0;
  int reconnect_countdown_ = 0;
  bool select_first_channel_ = false;
  TNodeId remembered_channel_ = kNoNode;
  TNodeId last_selected_ = kNoNode;
  std::string user_nick_request_;  // the nick change the user asked for last
  bool login_timeout_enabled_ = false;
  int login_countdown_ = 0;
  bool rejoin_pending_ = false;
  std::vector<TJoinEntry> rejoin_list_;
  bool closing_ = false;
  bool quit_pending_ = false;
  int quit_countdown_ = 0;
  int seconds_since_ping_ = 0;
  bool line_drop_told_ = false;  // this connection's overlong line was reported
  bool delayed_connect_ = false;
  int delayed_connect_seconds_ = 0;
};

}  // namespace zeph
