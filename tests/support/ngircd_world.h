#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "settings/preferences.h"
#include "display/message_format.h"
#include "engine/world.h"
#include "platform/poll_loop.h"
#include "protocol/protocol.h"
#include "support/irc_server.h"

namespace zeph::test {

// Units of one world on a real IRC server, each in "#room".
class NgircdWorldTest : public testing::Test {
 protected:
  ~NgircdWorldTest() override;

  TPollLoop loop_;
  TPreferences prefs_;
  TMessageFormat formats_;
  TIrcServer server_;
  std::unique_ptr<TWorld> world_;
  std::unique_ptr<TProtocol> handlers_;  // received commands are handled as the program does

  // A server entry for the nick that joins "#room" at login.
  TServerConfig Entry(const std::string& nick) const;
  // Starts the server and a world of these entries; the units log in one
  // after the other, each once the one before is ready in "#room", so
  // that the earlier ones see the later ones join. Skips (or fails where
  // every test must run) when the server cannot start.
  void StartUnits(const std::vector<TServerConfig>& entries);
  // Called when the world exists, before its units are built.
  virtual void OnWorldCreated() {}
  // Whether a unit is far enough in "#room" for the next one to come.
  virtual bool Ready(const TChannel& room) const { return room.IsJoined(); }

  TUnit& Unit(const std::string& name) { return *world_->FindUnit(name); }
  TChannel& Room(const std::string& name) { return *Unit(name).FindChannel("#room"); }
  // A deadline, not a wait: ngircd holds back a busy client about a second
  // per command, and a loaded machine stretches that further.
  bool RunUntil(const std::function<bool()>& done) { return loop_.RunUntil(done, 30000); }
};

}  // namespace zeph::test
