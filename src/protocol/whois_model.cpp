#include "protocol/whois_model.h"

#include "engine/channel_name.h"
#include "engine/unit.h"
#include "engine/world.h"
#include "platform/sjis.h"

namespace zeph {

std::string TWhoisModel::NickField() const { return operator_ ? nick_ + " (IRC Operator)" : nick_; }

std::string TWhoisModel::Caption() const { return nick_ + Sjis(" のユーザ情報"); }

std::string TWhoisModel::ServerField() const { return server_ + " / " + server_info_; }

void TWhoisModel::SetNick(std::string nick) {
  nick_ = std::move(nick);
  Changed();
}

void TWhoisModel::Reset() {
  channels_.clear();
  server_.clear();
  server_info_.clear();
  away_message_.clear();
  idle_text_.clear();
  sign_on_text_.clear();
  Changed();
}

void TWhoisModel::SetUser(std::string user, std::string host, std::string realname) {
  user_ = std::move(user);
  host_ = std::move(host);
  realname_ = std::move(realname);
  Changed();
}

void TWhoisModel::SetServer(std::string server, std::string info) {
  server_ = std::move(server);
  server_info_ = std::move(info);
  Changed();
}

void TWhoisModel::SetAwayMessage(std::string message) {
  away_message_ = std::move(message);
  Changed();
}

void TWhoisModel::SetIdle(std::string idle, std::string sign_on) {
  idle_text_ = std::move(idle);
  sign_on_text_ = std::move(sign_on);
  Changed();
}

void TWhoisModel::MarkOperator() {
  operator_ = true;
  Changed();
}

void TWhoisModel::AddChannel(std::string channel) {
  channels_.push_back(std::move(channel));
  Changed();
}

void TWhoisModel::Raise() {
  if (observer_) observer_->OnWhoisRaise(*this);
}

void TWhoisModel::NotifyClosed() {
  if (observer_) observer_->OnWhoisClosed(*this);
  observer_ = nullptr;
}

void TWhoisModel::Changed() {
  if (observer_) observer_->OnWhoisChanged(*this);
}

std::string WhoisChannelName(const std::string& entry) {
  if (!entry.empty() && (entry.front() == '@' || entry.front() == '+')) return entry.substr(1);
  return entry;
}

void RequestWhoisAgain(TUnit& unit, const TWhoisModel& model) { unit.SendWhois(model.Nick()); }

void JoinWhoisChannel(TUnit& unit, const TWhoisModel& model, int index) {
  if (index < 0 || index >= static_cast<int>(model.Channels().size())) return;
  std::string name = WhoisChannelName(model.Channels()[static_cast<size_t>(index)]);
  // «#a,0» from a server would leave every channel.
  if (IsCleanName(name)) unit.SendJoin(name, std::string());
}

void OpenWhoisTalk(TUnit& unit, const TWhoisModel& model) {
  TChannel* talk = unit.FindChannel(model.Nick());
  if (talk == nullptr) talk = unit.OpenTalk(model.Nick(), model.User(), model.Host());
  unit.World().Select(&unit, talk);
}

}  // namespace zeph
