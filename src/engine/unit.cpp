#include "engine/unit.h"

#include "settings/preferences.h"
#include "net/byte_buffer.h"
#include "engine/mode_letters.h"
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

TUnit::TUnit(TWorld& world, TServerConfig config)
    : TTreeNode(world.LineBuilder(), world.LogFiles(), TLogFileKind::Unit),
      world_(world),
      config_(std::move(config)),
      connection_(world.Loop()),
      who_queue_([this](const std::string& channel) { SendCommand("WHO", channel, std::string(), 2, 0); },
                 [this] { return Prefs().WhoTiming; }),
      rejoins_([this](const std::vector<TJoinEntry>& list) { JoinChannels(list); },
               [this] {
                 return TRejoinManager::TSettings{Prefs().Error437RejoinInterval, Prefs().Error437RejoinCount};
               }),
      local_resolver_(world.Loop()) {
  connection_.SetOwner(this);
  local_resolver_.SetListener(this);
  current_nick_ = base_nick = requested_nick = registration_nick = previous_base_nick = config_.nick;
  LogFile().SetUnitName(config_.name);
  // The targets are the truth about channels from here on; the tree is
  // written back from them.
  std::vector<TChannelConfig> channels = std::move(config_.channels);
  config_.channels.clear();
  for (const TChannelConfig& channel : channels) AddChannel(channel);
}

TUnit::~TUnit() {
  closing_ = true;
  connection_.SetOwner(nullptr);
  connection_.Close();
}

const TPreferences& TUnit::Prefs() const { return world_.Preferences(); }

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
  current_nick_ = base_nick = registration_nick = requested_nick = config_.nick;
  if (config_.auto_away) {
    away_message = ExpandVariables(config_.away_message);
  }
  user_mode.a = config_.auto_away;
  auto_reconnect = Prefs().Reconnect;
  reconnect_attempts = 0;
  reconnect_countdown = 0;
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
    PrintSystem(StringPrintf(Sjis("%s:%dへ再接続を試みます(%d回目)"), host.c_str(), config_.port, reconnect_attempts));
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
  world_.NodeChanged(*this);
  session_encoding_ = zeph::SessionEncoding(config_.encoding);
  PrintSystem(Sjis("接続しました"));
  if (login_timeout_enabled_) login_countdown_ = Prefs().RetryOnHaltTime;
  if (!Prefs().RestoreNickAndAwayOnReconnect) registration_nick = config_.nick;
  // Retries of a nick in use start again from the nick registered, however
  // far the last session's retries went.
  current_nick_ = base_nick = requested_nick = registration_nick;
  nick_retry_count = 0;
  nick_number = 0;
  if (config_.enable_password && !config_.password.empty()) SendCommand("PASS", std::string(), config_.password, 0, 0);
  SendCommand("NICK", std::string(), registration_nick, 0, 0);
  SendCommand("USER", std::string(),
              StringPrintf("%s %d * :%s", config_.username.c_str(), config_.invisible ? 8 : 0,
                           config_.realname.c_str()),
              0, 0);
}

void TUnit::OnLoggedIn(const TIrcMessage& message) {
  if (state_ == TUnitState::LoggedIn) return;
  state_ = TUnitState::LoggedIn;
  reconnect_attempts = 0;
  server_name_ = message.prefix;
  current_nick_ = message.Param(0);
  nick_retry_count = 0;
  safe_joins_.clear();
  PrintSystem(Sjis("ログインしました"));

  if (Prefs().RestoreNickAndAwayOnReconnect && user_mode.a) {
    SendAway(away_message);
  } else if (config_.auto_away) {
    SendAway(ExpandVariables(config_.away_message));
  } else {
    away_message.clear();
  }
  user_mode = TUserMode();

  for (const auto& target : channels_) {
    if (!target->IsTalk()) continue;
    target->joined = true;
    PrintSystem(Sjis("トークを開始します"), target.get());
    target->members.AddMember(TMember{current_nick_}, false);
  }
  int joined = AutoJoinAtLogin();
  world_.NodeChanged(*this);
  who_queue_.LoginWait(joined);
  StartOwnAddressLookup();
  if (Prefs().ExpandTreeOnLogOn && world_.view) world_.view->ExpandNode(*this);
  PlayEventSound(Prefs().EnableLogInSound, Prefs().LogInSoundFile);
}

// --- Our own address ---------------------------------------------------------

void TUnit::StartOwnAddressLookup() {
  own_address = TResolver::kNone;
  own_address_join_host.clear();
  own_address_ctcp_host.clear();
  switch (Prefs().IPResolveMethod) {
    case 0: local_resolver_.ResolveLocalHost(); break;
    case 2: SendCtcpQuery(current_nick_, "GETADDRESS"); break;
    case 3: ResolveOwnAddress(Prefs().IPAddress); break;
    default: break;  // 1: the echo of our first JOIN tells
  }
}

void TUnit::ResolveOwnAddress(const std::string& host) {
  own_address = TResolver::kNone;
  if (host.empty()) return;
  local_resolver_.SetHost(host);
  local_resolver_.Resolve();
}

void TUnit::OnResolved(TResolver& resolver) { own_address = resolver.Address(); }

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
  nick_retry_count = 0;
  quit_pending_ = false;
  quit_countdown_ = 0;
  seconds_since_ping_ = 0;
  replies = TReplyState();
  world_.NodeChanged(*this);

  std::string text = Sjis(by_user ? "切断しました" : timed_out ? "時間切れのため切断しました" : "切断されました");
  PrintSystem(text);
  if (previous == TUnitState::LoggedIn) {
    rejoin_pending_ = true;
    rejoin_list_.clear();
    for (const auto& target : channels_) {
      if (target->IsChannel() && target->joined) rejoin_list_.emplace_back(target->WireName(), target->key);
    }
  }
  for (const auto& target : channels_) {
    if (!target->joined || target->IsDccChat()) continue;
    PrintSystem(text, target.get());
    target->Deactivate();
    world_.NodeChanged(*this, target.get());
  }
  if (by_user) {
    auto_reconnect = false;
  } else if (auto_reconnect) {
    reconnect_countdown = Prefs().ReconnectTime;
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
  if (world_.protocol) world_.protocol->OnUnitShutdown(*this);
  for (const auto& target : channels_) target->closing = true;
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
  if (!auto_reconnect) return;
  if (reconnect_countdown > 0 && --reconnect_countdown > 0) return;
  ++reconnect_attempts;
  if (Prefs().ReconnectCount > 0 && reconnect_attempts >= Prefs().ReconnectCount) auto_reconnect = false;
  DoConnect(false);
}

void TUnit::CancelReconnect() {
  if (state_ != TUnitState::Idle || !auto_reconnect || reconnect_countdown < 1) return;
  auto_reconnect = false;
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
    channel.update = Prefs().TalkUpdate;
    channel.console = Prefs().TalkAllLog;
    channel.keyword = Prefs().TalkKeyword;
  } else if (channel.IsDccChat()) {
    channel.update = Prefs().DCCChatUpdate;
    channel.console = Prefs().DCCChatAllLog;
    channel.keyword = Prefs().DCCChatKeyword;
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
  if (closing_ || world_.view == nullptr || !world_.view->IsProtocolLogOpen(*this)) return;
  world_.view->AddProtocolLine(*this, sent, Decode(wire_line));
}

void TUnit::Dispatch(TIrcMessage& m) {
  ProtocolLog(false, m.raw);
  DecodeReceived(m);

  bool keyword = false;
  if (m.numeric > 0) {
    // The welcome, or the end or absence of the message of the day when a
    // server sends no welcome, completes the login before the reply shows.
    if (m.numeric == 1 || m.numeric == 376 || m.numeric == 422) OnLoggedIn(m);
    if (world_.protocol) world_.protocol->OnNumeric(*this, m);
  } else {
    const std::string& c = m.command;
    if (c == "PRIVMSG") {
      if (world_.protocol) keyword = world_.protocol->OnPrivmsg(*this, m);
    } else if (c == "JOIN") {
      OnJoin(m);
    } else if (c == "QUIT") {
      OnQuit(m);
    } else if (c == "PART") {
      OnPart(m);
    } else if (c == "MODE") {
      OnMode(m);
    } else if (c == "NICK") {
      OnNick(m);
    } else if (c == "PING") {
      OnPing(m);
    } else if (c == "TOPIC") {
      OnTopic(m);
    } else if (c == "NOTICE") {
      if (world_.protocol) keyword = world_.protocol->OnNotice(*this, m);
    } else if (c == "KICK") {
      OnKick(m);
    } else if (c == "INVITE") {
      OnInvite(m);
    } else if (c == "ERROR") {
      OnError(m);
    } else if (c == "WALLOPS") {
      OnWallops(m);
    } else if (c == "KILL") {
      OnKill(m);
    }
  }
  RaiseMacroEvents(m, keyword);
}

void TUnit::RaiseMacroEvent(const TIrcMessage& event) {
  if (world_.macros_stopped || world_.macros == nullptr) return;
  world_.macros->OnMessageEvent(*this, event);
}

std::string TUnit::ExpandVariables(const std::string& text) {
  return world_.macros ? world_.macros->ExpandVariables(*this, text) : text;
}

void TUnit::RaiseMacroEvents(const TIrcMessage& message, bool keyword) {
  if (world_.macros_stopped || world_.macros == nullptr) return;
  RaiseMacroEvent(message);
  if (keyword) {
    TIrcMessage event = message;
    event.command = "KEYWORD";
    RaiseMacroEvent(event);
  }
  if (message.command != "MODE") return;
  // Operator and voice changes are events of their own, one per nick.
  std::string modes = message.JoinParams(1);
  for (const TModeLetter& mode : ModeLetters(modes, TModeWords::kAll)) {
    if (mode.letter != 'o' && mode.letter != 'v') continue;
    TIrcMessage event = message;
    event.params = {message.Param(0), std::string(mode.argument)};
    event.command = mode.letter == 'o' ? (mode.plus ? "OP" : "DEOP") : (mode.plus ? "VOICE" : "DEVOICE");
    RaiseMacroEvent(event);
  }
}

void TUnit::PlayEventSound(bool enabled, const std::string& file) {
  if (enabled && world_.view) world_.view->PlaySound(file);
}

}  // namespace zeph
