#include "support/session_fixture.h"

namespace zeph::test {

void TMacroRecorder::OnMessageEvent(TUnit&, const TIrcMessage& event) {
  std::string text = event.command;
  for (const std::string& p : event.params) text += " " + p;
  events.push_back(text);
}

SessionTest::SessionTest() {
  config_.name = "test";
  config_.hostname = "127.0.0.1";
  config_.port = server_.Port();
  config_.nick = "me";
  config_.username = "uname";
  config_.realname = "Full Name";
  prefs_.LogRootDir.clear();
  loop_.SetWallTimeMs(1'700'000'000'000);
}

SessionTest::~SessionTest() { world_.reset(); }

void SessionTest::Start() {
  world_ = std::make_unique<TWorld>(loop_, prefs_, formats_);
  world_->SetMacros(&macros_);
  handlers_ = std::make_unique<TProtocol>(*world_);
  world_->SetProtocol(handlers_.get());
  world_->Random = [] { return 0.0; };
  OnWorldCreated();
  TWorldConfig tree;
  tree.units.push_back(config_);
  world_->LoadUnits(tree);
  world_->Attach();
  unit_ = world_->Units().front().get();
  unit_->Connect();
  ASSERT_TRUE(server_.WaitFor("USER "));
  Settle();
}

void SessionTest::LogIn() {
  Start();
  Receive(":irc.test 001 me :Welcome");
  ASSERT_TRUE(unit_->IsLoggedIn());
}

void SessionTest::Receive(const std::string& lines) {
  std::string wire;
  std::string rest = lines;
  size_t pos;
  while ((pos = rest.find('\n')) != std::string::npos) {
    wire += rest.substr(0, pos) + "\r\n";
    rest.erase(0, pos + 1);
  }
  if (!rest.empty()) wire += rest + "\r\n";
  server_.Send(wire);
  Settle();
}

std::vector<std::string> SessionTest::Sent() {
  Settle();
  std::vector<std::string> lines;
  const std::string& all = server_.Received();
  size_t pos;
  while ((pos = all.find("\r\n", sent_offset_)) != std::string::npos) {
    lines.push_back(all.substr(sent_offset_, pos - sent_offset_));
    sent_offset_ = pos + 2;
  }
  return lines;
}

void SessionTest::Tick(int seconds) {
  for (int i = 0; i < seconds; ++i) {
    loop_.Advance(1000);
    Settle();
  }
}

void SessionTest::Settle() {
  EXPECT_TRUE(server_.Sync()) << "the unit and the scripted server did not settle";
}

std::vector<std::string> SessionTest::Texts(const TLineStore& log) {
  std::vector<std::string> texts;
  for (size_t i = 0; i < log.Count(); ++i) texts.push_back(log.At(i).text);
  return texts;
}

bool SessionTest::Contains(const TLineStore& log, const std::string& part) {
  for (size_t i = 0; i < log.Count(); ++i) {
    if (log.At(i).text.find(part) != std::string::npos) return true;
  }
  return false;
}

}  // namespace zeph::test
