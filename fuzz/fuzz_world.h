#pragma once

// A world with the protocol handlers installed, made afresh for each
// input so that a failure replays from its input alone.
#include <memory>
#include <string_view>

#include "settings/preferences.h"
#include "display/message_format.h"
#include "engine/world.h"
#include "platform/poll_loop.h"
#include "protocol/protocol.h"

namespace zeph::fuzz {

struct TFuzzWorld {
  TPollLoop loop;
  TPreferences prefs;
  TMessageFormat formats;
  std::unique_ptr<TWorld> world;
  std::unique_ptr<TProtocol> protocol;

  TFuzzWorld() {
    prefs.LogRootDir.clear();
    world = std::make_unique<TWorld>(loop, prefs, formats);
    protocol = std::make_unique<TProtocol>(*world);
    world->protocol = protocol.get();
  }
  ~TFuzzWorld() {
    world->protocol = nullptr;
    world.reset();
  }
  // The unit of an entry named "fuzz" with the nick "me" and these channels.
  TUnit& AddUnit(std::vector<TChannelConfig> channels, int encoding = 0) {
    TServerConfig config;
    config.name = "fuzz";
    config.nick = "me";
    config.encoding = encoding;
    config.channels = std::move(channels);
    return *world->AddUnit(config);
  }
  // A server line as the connection parses it.
  static void Dispatch(TUnit& unit, std::string_view line) {
    TIrcMessage message;
    message.Parse(line);
    unit.Dispatch(message);
  }
};

}  // namespace zeph::fuzz
