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
    : TTreeNode(unit.World().LineBuilder(), unit.World().LogFiles(), LogFileKindOf(kind)),
      name(config.name),
      key(config.password),
      mode_setting(config.mode),
      topic_setting(config.topic),
      auto_join(config.auto_join),
      update(config.update),
      console(config.console),
      keyword(config.keyword),
      auto_op_masks(config.auto_op_masks),
      members(&unit),
      unit_(unit),
      kind_(kind),
      wire_name_(kind == TTargetKind::Channel ? InitialWireName(config.name) : config.name) {
  LogFile().SetUnitName(unit.Name());
  LogFile().SetTargetName(name);
}

void TChannel::Activate() {
  mode = TChannelMode();
  topic.clear();
  op = false;
  names_complete = false;
  who_complete = false;
  joined = true;
}

void TChannel::SetWireName(std::string wire_name) {
  wire_name_ = std::move(wire_name);
  unit_.TargetNamesChanged(*this);
}

void TChannel::Rename(const std::string& new_name) {
  name = new_name;
  SetWireName(new_name);
}

void TChannel::Deactivate() {
  if (IsSafeChannel(name)) SetWireName(std::string());
  joined = false;
  auto_op = TAutoOpQueue();
  members.ClearMembers();
}

TChannelConfig TChannel::ToConfig() const {
  TChannelConfig config;
  config.name = name;
  config.password = key;
  config.mode = mode_setting;
  config.topic = topic_setting;
  config.auto_join = auto_join;
  config.update = update;
  config.console = console;
  config.keyword = keyword;
  config.auto_op_masks = auto_op_masks;
  return config;
}

}  // namespace zeph
