#include "settings/server_config.h"

namespace zeph {

TChannelConfig NewChannelConfig(std::string name, bool auto_join) {
  TChannelConfig channel;
  channel.name = std::move(name);
  channel.mode = "+sn";
  channel.auto_join = auto_join;
  return channel;
}

}  // namespace zeph
