#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "settings/preferences.h"
#include "display/message_format.h"
#include "engine/world.h"
#include "platform/poll_loop.h"
#include "support/loopback_peer.h"

namespace zeph::test {

// Records what the macro engine would be offered.
class TMacroRecorder : public TMacroHooks {
 public:
  std::vector<std::string> events;  // command and parameters joined
  void OnMessageEvent(TUnit&, const TIrcMessage& event) override;
  std::string ExpandVariables(TUnit&, const std::string& text) override { return text; }
};

// A world with one unit connected to a scripted server on loopback, on a
// hand-driven clock. The server's side of the conversation is the test's.
class SessionTest : public testing::Test {
 protected:
  SessionTest();
  ~SessionTest() override;

  // The fixture's clock, 2023-11-14 22:13:20 UTC, in the default time
  // piece of a line (tests run in UTC).
  static constexpr const char* kTimePiece = "22:13 ";

  // The unit's tree entry, before Start builds it.
  TServerConfig config_;
  TPreferences prefs_;
  TMessageFormat formats_;
  TPollLoop loop_;
  TLoopbackPeer server_{loop_};
  TMacroRecorder macros_;
  std::unique_ptr<TWorld> world_;
  TUnit* unit_ = nullptr;

  // Builds the world and the unit and connects it; waits until the server
  // has the registration lines.
  void Start();
  // Called when the world exists, before its units are built: a place to
  // install protocol handlers and the like.
  virtual void OnWorldCreated() {}
  // Start, then the welcome: the unit is logged in as "me".
  void LogIn();
  // Sends server lines (each gets CR LF) and lets the unit handle them.
  void Receive(const std::string& lines);
  // Lines the server received since the last call, without CR LF.
  std::vector<std::string> Sent();
  // Advances the clock by whole seconds, a tick at a time.
  void Tick(int seconds = 1);
  // Until the unit has handled everything the server sent and the server
  // has everything the unit wrote.
  void Settle();
  // The text of every line of a log.
  static std::vector<std::string> Texts(const TLineStore& log);
  static bool Contains(const TLineStore& log, const std::string& part);

 private:
  size_t sent_offset_ = 0;
};

}  // namespace zeph::test
