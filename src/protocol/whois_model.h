#pragma once

#include <string>
#include <vector>

#include "display/link_key.h"

// What the user information dialog shows about one nick: the WHOIS answer
// as it arrives. The dialog is a view of this model.
namespace zeph {

class TWhoisModel;
class TUnit;

class TWhoisObserver {
 public:
  virtual ~TWhoisObserver() = default;
  // Any field changed.
  virtual void OnWhoisChanged(const TWhoisModel& model) = 0;
  // Show the dialog, bring it to the front and focus it.
  virtual void OnWhoisRaise(const TWhoisModel& model) = 0;
  // The model goes away (its unit closes, or a renamed user takes its
  // place): the dialog closes without calling back.
  virtual void OnWhoisClosed(const TWhoisModel& model) = 0;
};

class TWhoisModel {
 public:
  TWhoisModel(TNodeId unit, std::string nick) : unit_(unit), nick_(std::move(nick)) {}

  TNodeId Unit() const { return unit_; }
  void SetObserver(TWhoisObserver* observer) { observer_ = observer; }

  const std::string& Nick() const { return nick_; }
  // The nick field: the nick, marked when the user is an IRC operator.
  std::string NickField() const;
  std::string Caption() const;
  // "server / info".
  std::string ServerField() const;
  const std::string& User() const { return user_; }
  const std::string& Host() const { return host_; }
  const std::string& Realname() const { return realname_; }
  const std::string& Server() const { return server_; }
  const std::string& ServerInfo() const { return server_info_; }
  const std::string& AwayMessage() const { return away_message_; }
  const std::string& IdleText() const { return idle_text_; }
  const std::string& SignOnText() const { return sign_on_text_; }
  bool IsOperator() const { return operator_; }
  const std::vector<std::string>& Channels() const { return channels_; }
  // The entry the channel list shows selected: the first; -1 when empty.
  int SelectedChannel() const { return channels_.empty() ? -1 : 0; }

  void SetNick(std::string nick);
  // A new answer begins: channels, server, away and idle are emptied.
  void Reset();
  void SetUser(std::string user, std::string host, std::string realname);
  void SetServer(std::string server, std::string info);
  void SetAwayMessage(std::string message);
  void SetIdle(std::string idle, std::string sign_on);
  void MarkOperator();
  void AddChannel(std::string channel);
  void Raise();
  // Told by the registry just before the model is destroyed.
  void NotifyClosed();

 private:
  void Changed();

  TNodeId unit_;
  TWhoisObserver* observer_ = nullptr;
  std::string nick_;
  std::string user_;
  std::string host_;
  std::string realname_;
  std::string server_;
  std::string server_info_;
  std::string away_message_;
  std::string idle_text_;
  std::string sign_on_text_;
  bool operator_ = false;
  std::vector<std::string> channels_;
};

// The channel a channel-list entry names: a leading "@" or "+" (the
// user's status there) is not part of the name.
std::string WhoisChannelName(const std::string& entry);

// The dialog's requests to its unit.
// "更新": ask again.
void RequestWhoisAgain(TUnit& unit, const TWhoisModel& model);
// "入る": join the selected channel with no key.
void JoinWhoisChannel(TUnit& unit, const TWhoisModel& model, int index);
// "トーク": the talk with the user, opened if need be and selected.
void OpenWhoisTalk(TUnit& unit, const TWhoisModel& model);

}  // namespace zeph
