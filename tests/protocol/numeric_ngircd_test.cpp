// NAMES, WHO and WHOIS answers of a real IRC server into the member lists
// and the user information model.
#include <gtest/gtest.h>

#include "app/settings/preferences.h"
#include "display/message_format.h"
#include "engine/world.h"
#include "numeric_test_fixture.h"
#include "platform/poll_loop.h"
#include "protocol/protocol.h"
#include "support/irc_server.h"

namespace zeph {
namespace {

class NumericNgircdTest : public testing::Test {
 protected:
  TPollLoop loop_;
  TPreferences prefs_;
  TMessageFormat formats_;
  test::TIrcServer server_;
  test::TFakeWindowHost host_;
  std::unique_ptr<TWorld> world_;
  std::unique_ptr<TProtocol> protocol_;

  void SetUp() override {
    if (!server_.Start()) GTEST_SKIP() << server_.Error();
    prefs_.WhoTiming = 0;
    prefs_.LogRootDir.clear();
    world_ = std::make_unique<TWorld>(loop_, prefs_, formats_);
    protocol_ = std::make_unique<TProtocol>(*world_);
    protocol_->Numerics().Windows().SetHost(&host_);
    world_->protocol = protocol_.get();
    TWorldConfig tree;
    tree.units = {Entry("alice"), Entry("bob")};
    world_->LoadUnits(tree);
    world_->Attach();
    for (const auto& unit : world_->Units()) {
      unit->Connect();
      TChannel* room = unit->FindChannel("#room");
      ASSERT_TRUE(RunUntil([&] { return room->joined && room->names_complete; }))
          << unit->Name() << " did not join";
    }
  }
  void TearDown() override {
    if (world_) world_->protocol = nullptr;
    world_.reset();
  }

  TServerConfig Entry(const std::string& nick) {
    TServerConfig config = server_.UnitConfig(nick);
    TChannelConfig room = NewChannelConfig("#room", true);
    room.mode = "+nt";
    config.channels = {room};
    return config;
  }
  TUnit& Unit(const std::string& name) { return *world_->FindUnit(name); }
  TChannel& Room(const std::string& name) { return *Unit(name).FindChannel("#room"); }
  bool RunUntil(const std::function<bool()>& done) { return loop_.RunUntil(done, 10000); }
};

TEST_F(NumericNgircdTest, NamesWhoAndWhoisFillTheModels) {
  // The creator got operator status and its configured mode.
  TChannel& alice_room = Room("alice");
  EXPECT_TRUE(alice_room.op);
  ASSERT_TRUE(RunUntil([&] { return alice_room.mode.n && alice_room.mode.t; }));

  // The later joiner learns everyone from NAMES and their details from WHO.
  TChannel& bob_room = Room("bob");
  ASSERT_TRUE(RunUntil([&] { return bob_room.who_complete; }));
  EXPECT_FALSE(bob_room.op);
  EXPECT_EQ(bob_room.members.MemberCount(), 2);
  const TMember* alice = bob_room.members.FindMember("alice");
  ASSERT_NE(alice, nullptr);
  EXPECT_TRUE(alice->is_operator);
  EXPECT_NE(alice->user.find("alice"), std::string::npos);
  EXPECT_FALSE(alice->host.empty());
  EXPECT_EQ(alice->info1, "irc.test");
  EXPECT_EQ(alice->info2, "Test alice");

  Unit("bob").SendWhois("alice");
  ASSERT_TRUE(RunUntil([&] { return !host_.whois_shown.empty() && !Unit("bob").replies.whois_in_progress &&
                                    !host_.whois_shown[0]->Channels().empty(); }));
  const TWhoisModel& model = *host_.whois_shown[0];
  EXPECT_EQ(model.Nick(), "alice");
  EXPECT_EQ(model.Realname(), "Test alice");
  EXPECT_EQ(model.Server(), "irc.test");
  EXPECT_EQ(model.Channels(), std::vector<std::string>{"@#room"});
  EXPECT_FALSE(model.IdleText().empty());
}

}  // namespace
}  // namespace zeph
