#include "engine/unit.h"

#include "settings/preferences.h"
#include "net/byte_buffer.h"
#include "engine/channel_name.h"
#include "engine/world.h"
#include "platform/sjis.h"
#include "platform/string_printf.h"

namespace zeph {
namespace {

// The configured host may carry a comment: «irc.example.net (ExampleNet)».
std::string HostOf(const std::string& hostname) {
  return hostname.substr(0, hostname.find_first_of(" (),"));
}

}  // namespace

namespace {

TNodeSwitches SwitchesOf(const TPreferences& prefs) {
  return TNodeSwitches{prefs.ServerUpdate, prefs.ServerAllLog, prefs.ServerKeyword};
}

}  // namespace

TUnit::TUnit(TWorld& world, TServerConfig config)
    : TTreeNode(world.LineBuilder(), world.LogFiles(), TLogFileKind::Unit, SwitchesOf(world.Preferences())),
      world_(world),
      config_(std::move(config)),
      connection_(world.Loop()),
      who_queue_([this](const std::string& channel) { SendCommand("WHO", channel, std::string(), 2, 0); },
                 [this] { return Prefs().WhoTiming; }),
      rejoins_([this](const std::vector<TJoinEntry>& list) { JoinChannels(list); },
               [this] {
                 return TRejoinManager::TSettings{Prefs().Error437RejoinInterval, Prefs().Error437RejoinCount};
               }),
      local_resolver_(world.Loop()),
      nick_retries_(config_.nick) {
  connection_.SetOwner(this);
  local_resolver_.SetListener(this);
  current_nick_ = registration_nick_ = config_.nick;
  LogFile().SetUnitName(config_.name);
  // The targets are the truth about channels from here on; the tree is
  // written back from them.
  std::vector<TChannelConfig> channels = std::move(config_.channels);
  config_.channels.clear();
  for (const TChannelConfig& channel : channels) AddChannel(channel);
  built_ = true;
}

TUnit::~TUnit() {
  closing_ = true;
  connection_.SetOwner(nullptr);
  connection_.Close();
}

const TPreferences& TUnit::Prefs() const { return world_.Preferences(); }

void TUnit::Changed() { world_.NodeChanged(*this); }

void TUnit::FollowSwitchPreferences() {
  TNodeSwitches switches = SwitchesOf(Prefs());
  SetUpdateSwitch(switches.update);
  SetConsoleSwitch(switches.console);
  SetKeywordSwitch(switches.keyword);
}

void TUnit::Rename(const std::string& name) {
  config_.name = name;
  LogFile().SetUnitName(name);
  LogFile().CheckPath();
  for (const auto& target : channels_) {
    target->LogFile().SetUnitName(name);
    target->LogFile().CheckPath();
  }
  Changed();
}

void TUnit::SetCurrentNick(std::string nick) {
  current_nick_ = std::move(nick);
  Changed();
}

void TUnit::ChangeOwnNick(const std::string& nick) {
  current_nick_ = nick;
  nick_retry_count_ = 0;
  // A retry or a nick the server forced on us is not the user's choice.
  if (SameName(Wire(), nick, user_nick_request_)) registration_nick_ = nick;
  Changed();
}

void TUnit::ApplyUserMode(const std::string& modes) {
  user_mode_.Apply(modes);
  Changed();
}

void TUnit::SetUserMode(const std::string& modes) {
  user_mode_ = TUserMode();
  user_mode_.Apply(modes);
  Changed();
}

void TUnit::SetAway(bool away) {
  user_mode_.a = away;
  Changed();
}

TWireEncoding TUnit::Wire() const {
  return TWireEncoding{session_encoding_, Prefs().KanaEncodingMethod, &foreign_names_};
}

void TUnit::SendCommand(const std::string& command, const std::string& middle, const std::string& trailing,
                        int penalty, int priority, TAutomatic automatic) {
  TOutgoingMessage message;
  message.command = command;
  message.middle = Wire().EncodeParams(middle);
  message.trailing = Encode(trailing);
  message.penalty = penalty;
  message.automatic = automatic;
  connection_.Enqueue(message, priority);
}

// --- Connecting ------------------------------------------------------------

void TUnit::Connect() {
  if (connection_.IsConnected()) return;
  delayed_connect_ = false;
  current_nick_ = registration_nick_ = config_.nick;
  nick_retries_.StartFrom(config_.nick);
  if (config_.auto_away) {
    away_message_ = ExpandVariables(config_.away_message);
  }
  user_mode_.a = config_.auto_away;
  auto_reconnect_ = Prefs().Reconnect;
  reconnect_attempts_ = 0;
  reconnect_countdown_ = 0;
  login_timeout_enabled_ = Prefs().RetryOnHalt;
  rejoin_pending_ = false;
  rejoin_list_.clear();
  DoConnect(true);
}

void TUnit::ConnectAfter(int seconds) {
  if (seconds <= 0) {
    Connect();
    return;
  }
  delayed_connect_ = true;
  delayed_connect_seconds_ = seconds;
}

void TUnit::DoConnect(bool first) {
  delayed_connect_ = false;
  std::string host = HostOf(config_.hostname);
  if (first) {
    PrintSystem(StringPrintf(Sjis("%s:%dへ接続を試みます"), host.c_str(), config_.port));
  } else {
    PrintSystem(StringPrintf(Sjis("%s:%dへ再接続を試みます(%d回目)"), host.c_str(), config_.port, reconnect_attempts_));
  }
  state_ = TUnitState::Connecting;
  TProxySocket& socket = connection_.Socket();
  socket.enable_socks = config_.enable_socks;
  socket.socks_version = config_.socks_version;
  socket.socks_hostname = config_.socks_hostname;
  socket.socks_port = config_.socks_port;
  socket.enable_socks_auth = config_.enable_socks_auth;
  socket.username = config_.socks_version == 4 ? config_.username : config_.socks_username;
  socket.password = config_.socks_password;
  socket.SetTarget(host, config_.port);
  connection_.Connect();
}

void TUnit::OnConnected() {
  line_drop_told_ = false;
  Register();
}

void TUnit::Register() {
  state_ = TUnitState::Connected;
  Changed();
  session_encoding_ = zeph::SessionEncoding(config_.encoding);
  PrintSystem(Sjis("接続しました"));
  if (login_timeout_enabled_) login_countdown_ = Prefs().RetryOnHaltTime;
  if (!Prefs().RestoreNickAndAwayOnReconnect) registration_nick_ = config_.nick;
  // Retries of a nick in use start again from the nick registered, however
  // far the last session's retries went.
  current_nick_ = registration_nick_;
  nick_retries_.StartFrom(registration_nick_);
  nick_retry_count_ = 0;
  if (config_.enable_password && !config_.password.empty()) SendCommand("PASS", std::string(), config_.password, 0, 0);
  SendCommand("NICK", std::string(), registration_nick_, 0, 0);
  SendCommand("USER", std::string(),
              StringPrintf("%s %d * :%s", config_.username.c_str(), config_.invisible ? 8 : 0,
                           config_.realname.c_str()),
              0, 0);
}

void TUnit::OnLoggedIn(const TIrcMessage& message) {
  if (state_ == TUnitState::LoggedIn) return;
  state_ = TUnitState::LoggedIn;
  reconnect_attempts_ = 0;
  server_name_ = message.prefix;
  current_nick_ = message.Param(0);
  nick_retry_count_ = 0;
  safe_joins_.clear();
  PrintSystem(Sjis("ログインしました"));

  if (Prefs().RestoreNickAndAwayOnReconnect && user_mode_.a) {
    SendAway(away_message_);
  } else if (config_.auto_away) {
    SendAway(ExpandVariables(config_.away_message));
  } else {
    away_message_.clear();
  }
  user_mode_ = TUserMode();

  for (const auto& target : channels_) {
    if (!target->IsTalk()) continue;
    target->Reopen();
    PrintSystem(Sjis("トークを開始します"), target.get());
    target->AddMember(TMember{current_nick_}, false);
  }
  int joined = AutoJoinAtLogin();
  Changed();
  who_queue_.LoginWait(joined);
  StartOwnAddressLookup();
  if (Prefs().ExpandTreeOnLogOn) world_.Tree().ExpandNode(*this);
  PlayEventSound(Prefs().EnableLogInSound, Prefs().LogInSoundFile);
}

// --- Our own address ---------------------------------------------------------

void TUnit::StartOwnAddressLookup() {
  own_address_ = TResolver::kNone;
  own_address_join_host_.clear();
  own_address_ctcp_host_.clear();
  switch (Prefs().IPResolveMethod) {
    case 0: local_resolver_.ResolveLocalHost(); break;
    case 2: SendCtcpQuery(current_nick_, "GETADDRESS"); break;
    case 3: ResolveOwnAddress(Prefs().IPAddress); break;
    default: break;  // 1: the echo of our first JOIN tells
  }
}

void TUnit::ResolveOwnAddress(const std::string& host) {
  own_address_ = TResolver::kNone;
  if (host.empty()) return;
  local_resolver_.SetHost(host);
  local_resolver_.Resolve();
}

void TUnit::NoteOwnAddress(const std::string& user, const std::string& host) {
  own_user_ = user;
  own_host_ = host;
  if (!own_address_join_host_.empty()) return;
  own_address_join_host_ = host;
  if (Prefs().IPResolveMethod == 1 && !host.empty()) ResolveOwnAddress(host);
}

void TUnit::NoteQueriedAddress(const std::string& user, const std::string& host) {
  own_user_ = user;
  own_host_ = host;
  own_address_ctcp_host_ = host;
  if (Prefs().IPResolveMethod == 2) ResolveOwnAddress(host);
}

void TUnit::OnResolved(TResolver& resolver) { own_address_ = resolver.Address(); }

// --- Losing the connection ---------------------------------------------------

void TUnit::Disconnect(bool by_user, bool timed_out) {
  if (by_user) delayed_connect_ = false;
  if (connection_.IsConnected() || state_ == TUnitState::Connecting) connection_.Close();
  OnDisconnected(by_user, timed_out);
}

void TUnit::OnClosed() { OnDisconnected(false, false); }

void TUnit::OnError(const std::string& text) {
  PrintToUnit(TMessageKind::Error, std::string(), text);
  OnDisconnected(false, false);
}

void TUnit::OnDisconnected(bool by_user, bool timed_out) {
  TUnitState previous = state_;
  state_ = TUnitState::Idle;
  server_name_.clear();
  nick_retry_count_ = 0;
  quit_pending_ = false;
  quit_countdown_ = 0;
  seconds_since_ping_ = 0;
  replies_ = TSessionReplies();
  // Decided before the notice, so that the tree and the commands see the
  // pending reconnection together with the lost connection.
  if (by_user) {
    auto_reconnect_ = false;
  } else if (auto_reconnect_) {
    reconnect_countdown_ = Prefs().ReconnectTime;
  }
  Changed();

  std::string text = Sjis(by_user ? "切断しました" : timed_out ? "時間切れのため切断しました" : "切断されました");
  PrintSystem(text);
  if (previous == TUnitState::LoggedIn) {
    rejoin_pending_ = true;
    rejoin_list_.clear();
    for (const auto& target : channels_) {
      if (target->IsChannel() && target->IsJoined()) rejoin_list_.emplace_back(target->WireName(), target->Key());
    }
  }
  for (const auto& target : channels_) {
    if (!target->IsJoined() || target->IsDccChat()) continue;
    PrintSystem(text, target.get());
    target->Deactivate();
  }
  who_queue_.Clear();
  rejoins_.Clear();
  PlayEventSound(Prefs().EnableDisconnectSound, Prefs().DisconnectSoundFile);
}

void TUnit::Shutdown(bool force) {
  closing_ = true;
  if (force || state_ != TUnitState::LoggedIn) {
    Disconnect(true, false);
  } else {
    connection_.DropPending();
    SendQuit(ExpandVariables(config_.quit_message));
  }
  world_.Protocol().OnUnitShutdown(*this);
  for (const auto& target : channels_) target->SetClosing();
}

// --- Once a second -------------------------------------------------------------

void TUnit::OnTick() {
  switch (state_) {
    case TUnitState::Idle:
      ReconnectStep();
      DelayedConnectStep();
      break;
    case TUnitState::Connected: LoginTimeoutStep(); break;
    case TUnitState::LoggedIn:
      who_queue_.Step(true);
      if (Prefs().RejoinOnError437) rejoins_.Tick();
      break;
    default: break;
  }
  if (quit_pending_ && --quit_countdown_ < 0) Disconnect(true, false);
  if (state_ == TUnitState::LoggedIn && Prefs().EnableAutoPong) KeepAliveStep();
  for (size_t i = 0; i < channels_.size(); ++i) ChannelTick(*channels_[i]);
}

void TUnit::DelayedConnectStep() {
  if (!delayed_connect_ || delayed_connect_seconds_ <= 0) return;
  if (--delayed_connect_seconds_ == 0) {
    delayed_connect_ = false;
    Connect();
  }
}

void TUnit::ReconnectStep() {
  if (!auto_reconnect_) return;
  if (reconnect_countdown_ > 0 && --reconnect_countdown_ > 0) return;
  ++reconnect_attempts_;
  if (Prefs().ReconnectCount > 0 && reconnect_attempts_ >= Prefs().ReconnectCount) auto_reconnect_ = false;
  DoConnect(false);
}

void TUnit::CancelReconnect() {
  if (state_ != TUnitState::Idle || !auto_reconnect_ || reconnect_countdown_ < 1) return;
  auto_reconnect_ = false;
  Changed();
  PrintSystem(Sjis("再接続をキャンセルしました"));
}

void TUnit::LoginTimeoutStep() {
  if (!login_timeout_enabled_) return;
  if (login_countdown_ > 0) --login_countdown_;
  if (login_countdown_ <= 0) Disconnect(false, true);
}

// Reaching or passing the setting fires: lowering AutoPongTime below a
// running count must not silence the keep-alive for good.
void TUnit::KeepAliveStep() {
  int period = Prefs().AutoPongTime;
  if (period <= 0) return;
  if (++seconds_since_ping_ < period) return;
  SendCommand("PONG", std::string(), ":" + server_name_, 2, 1, TAutomatic::kAnswer);
  seconds_since_ping_ = 0;
}

void TUnit::ChannelTick(TChannel& channel) {
  OpQueueTick(channel, true);
  if (channel.IsTalk()) {
    channel.SetUpdateSwitch(Prefs().TalkUpdate);
    channel.SetConsoleSwitch(Prefs().TalkAllLog);
    channel.SetKeywordSwitch(Prefs().TalkKeyword);
  } else if (channel.IsDccChat()) {
    channel.SetUpdateSwitch(Prefs().DCCChatUpdate);
    channel.SetConsoleSwitch(Prefs().DCCChatAllLog);
    channel.SetKeywordSwitch(Prefs().DCCChatKeyword);
  }
}

// --- What the server sends -------------------------------------------------------

void TUnit::OnMessage(TIrcMessage& message) { Dispatch(message); }

// Once per connection: a server that keeps sending such lines must not
// flood the log with the news.
void TUnit::OnLineDropped() {
  if (line_drop_told_) return;
  line_drop_told_ = true;
  PrintSystem(StringPrintf(Sjis("%dバイトを超える行を受信したため破棄しました"),
                           static_cast<int>(TByteBuffer::kMaxLine)));
}

void TUnit::OnSent(TOutgoingMessage& message) {
  std::string_view line = message.line;
  if (line.size() >= 2 && line.substr(line.size() - 2) == "\r\n") line.remove_suffix(2);
  ProtocolLog(true, line);
}

void TUnit::ProtocolLog(bool sent, std::string_view wire_line) {
  TProtocolLog& log = world_.ProtocolLog();
  if (closing_ || !log.IsProtocolLogOpen(*this)) return;
  log.AddProtocolLine(*this, sent, Decode(wire_line));
}

void TUnit::Dispatch(TIrcMessage& m) {
  ProtocolLog(false, m.raw);
  DecodeReceived(m);
  // The welcome, or the end or absence of the message of the day when a
  // server sends no welcome, completes the login before the reply shows.
  if (m.numeric == 1 || m.numeric == 376 || m.numeric == 422) OnLoggedIn(m);
  world_.Protocol().OnReceived(*this, m);
}

void TUnit::AnswerPing(const std::string& server) {
  seconds_since_ping_ = 0;
  SendCommand("PONG", std::string(), ":" + server, 2, 1, TAutomatic::kPong);
}

void TUnit::RaiseMacroEvent(const TIrcMessage& event) {
  if (!world_.macros_stopped) world_.Macros().OnMessageEvent(*this, event);
}

std::string TUnit::ExpandVariables(const std::string& text) { return world_.Macros().ExpandVariables(*this, text); }

void TUnit::PlayEventSound(bool enabled, const std::string& file) {
  if (enabled && !(Prefs().MuteOnAway && IsAway())) world_.Sound().PlaySound(file);
}

}  // namespace zeph
