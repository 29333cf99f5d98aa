#pragma once

#include <memory>
#include <string>
#include <vector>

#include "engine/world_hooks.h"
#include "protocol/protocol.h"
#include "support/session_fixture.h"

namespace zeph::test {

// The main window as far as incoming messages reach it.
class TRecordingView : public TWorldView {
 public:
  std::vector<std::string> sounds;
  std::vector<std::string> balloons;  // heading, "|", text
  int flashes = 0;
  bool background = false;

  void PlaySound(const std::string& file) override { sounds.push_back(file); }
  void ShowBalloon(const std::string& title, const std::string& text) override {
    balloons.push_back(title + "|" + text);
  }
  void FlashTitle() override { ++flashes; }
  bool IsInBackground() const override { return background; }
};

// Records the DCC queries handed on.
class TDccRecorder : public TDccHooks {
 public:
  std::vector<std::string> queries;  // sender, " ", argument
  void RenamePeer(TUnit&, const std::string&, const std::string&) override {}
  bool OnDccQuery(TUnit&, const TIrcMessage& message, const std::string& argument) override {
    queries.push_back(message.nick + " " + argument);
    return true;
  }
};

// A logged-in session with the protocol handlers installed.
class IncomingTest : public SessionTest {
 protected:
  ~IncomingTest() override { world_.reset(); }

  void OnWorldCreated() override {
    protocol_ = std::make_unique<TProtocol>(*world_);
    world_->SetProtocol(protocol_.get());
    world_->SetView(&view_);
    world_->SetDcc(&dcc_);
  }

  // The text of the unit log's last line.
  std::string LastUnitLine() const {
    const TLineStore& log = unit_->Log();
    return log.Count() ? log.At(log.Count() - 1).text : std::string();
  }
  // The line as the unit log shows it with the default formats.
  std::string UnitLine(const std::string& body) const { return kTimePiece + body; }

  std::unique_ptr<TProtocol> protocol_;
  TRecordingView view_;
  TDccRecorder dcc_;
};

}  // namespace zeph::test
