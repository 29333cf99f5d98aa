#include "engine/channel.h"

#include "engine/channel_name.h"
#include "engine/unit.h"
#include "engine/world.h"

namespace zeph {
namespace {

// A "!" channel's server name carries an id only our JOIN tells; «%x» is
// «#x:*.jp» on the server.
std::string InitialWireName(const std::string& name) {
  if (IsSafeChannel(name)) return std::string();
  return ExpandShortName(name);
}

TLogFileKind LogFileKindOf(TTargetKind kind) {
  switch (kind) {
    case TTargetKind::Talk: return TLogFileKind::Talk;
    case TTargetKind::DccChat: return TLogFileKind::DccChat;
    default: return TLogFileKind::Channel;
  }
}

}  // namespace

TChannel::TChannel(TUnit& unit, const TChannelConfig& config, TTargetKind kind)
    : TTreeNode(unit.World().LineBuilder(), unit.World().LogFiles(), LogFileKindOf(kind),
                TNodeSwitches{config.update, config.console, config.keyword}),
      name_(config.name),
      key_(config.password),
      mode_setting_(config.mode),
      topic_setting_(config.topic),
      auto_join_(config.auto_join),
      auto_op_masks_(config.auto_op_masks),
      unit_(unit),
      kind_(kind),
      wire_name_(kind == TTargetKind::Channel ? InitialWireName(config.name) : config.name),
      members_(&unit) {
  LogFile().SetUnitName(unit.Name());
  LogFile().SetTargetName(name_);
}

void TChannel::Changed() { unit_.World().NodeChanged(unit_, this); }

void TChannel::Activate() {
  mode_ = TChannelMode();
  topic_.clear();
  op_ = false;
  names_complete_ = false;
  who_complete_ = false;
  joined_ = true;
  Changed();
}

void TChannel::Reopen() {
  joined_ = true;
  Changed();
}

void TChannel::SetMode(TChannelMode mode) {
  mode_ = std::move(mode);
  Changed();
}

void TChannel::ApplyMode(const std::string& modes) {
  mode_.Apply(modes);
  Changed();
}

void TChannel::SetTopic(std::string topic) {
  topic_ = std::move(topic);
  Changed();
}

void TChannel::SetOperator(bool op) {
  op_ = op;
  Changed();
}

void TChannel::SetNamesComplete() {
  names_complete_ = true;
  Changed();
}

void TChannel::SetWhoComplete() {
  who_complete_ = true;
  Changed();
}

void TChannel::ResetMembers() {
  members_.ClearMembers();
  who_complete_ = false;
  Changed();
}

void TChannel::SetPartner(std::string nick) {
  partner_ = std::move(nick);
  LogFile().SetTargetName(partner_);
  Changed();
}

void TChannel::AddMember(const TMember& member, bool merge) {
  members_.AddMember(member, merge);
  Changed();
}

bool TChannel::UpdateMember(std::string_view nick, std::string_view user, std::string_view host) {
  return members_.UpdateMember(nick, user, host);
}

void TChannel::RemoveMember(std::string_view nick) {
  members_.RemoveMember(nick);
  Changed();
}

void TChannel::RenameMember(std::string_view old_nick, std::string_view new_nick) {
  members_.RenameMember(old_nick, new_nick);
  Changed();
}

void TChannel::SetMemberMode(std::string_view nick, char letter, bool value) {
  members_.SetMemberMode(nick, letter, value);
  Changed();
}

void TChannel::SetWireName(std::string wire_name) {
  wire_name_ = std::move(wire_name);
  unit_.TargetNamesChanged(*this);
}

void TChannel::Rename(const std::string& new_name) {
  name_ = new_name;
  SetWireName(new_name);
  Changed();
}

void TChannel::Deactivate() {
  if (IsSafeChannel(name_)) SetWireName(std::string());
  joined_ = false;
  auto_op_ = TAutoOpQueue();
  members_.ClearMembers();
  Changed();
}

void TChannel::ApplyConfig(const TChannelConfig& config) {
  key_ = config.password;
  mode_setting_ = config.mode;
  topic_setting_ = config.topic;
  auto_join_ = config.auto_join;
  auto_op_masks_ = config.auto_op_masks;
  stored_in_tree_ = true;
  SetUpdateSwitch(config.update);
  SetConsoleSwitch(config.console);
  SetKeywordSwitch(config.keyword);
  Changed();
}

TChannelConfig TChannel::ToConfig() const {
  TChannelConfig config;
  config.name = name_;
  config.password = key_;
  config.mode = mode_setting_;
  config.topic = topic_setting_;
  config.auto_join = auto_join_;
  config.update = UpdateSwitch();
  config.console = ConsoleSwitch();
  config.keyword = KeywordSwitch();
  config.auto_op_masks = auto_op_masks_;
  return config;
}

}  // namespace zeph
