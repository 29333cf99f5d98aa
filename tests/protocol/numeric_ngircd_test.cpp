// NAMES, WHO and WHOIS answers of a real IRC server into the member lists
// and the user information model.
#include <gtest/gtest.h>

#include "numeric_test_fixture.h"
#include "protocol/protocol.h"
#include "support/ngircd_world.h"

namespace zeph {
namespace {

class NumericNgircdTest : public test::NgircdWorldTest {
 protected:
  test::TFakeWindowHost host_;
  std::unique_ptr<TProtocol> protocol_;

  void SetUp() override {
    prefs_.WhoTiming = 0;
    StartUnits({Entry("alice"), Entry("bob")});
  }
  void TearDown() override {
    if (world_) world_->SetProtocol(nullptr);
    world_.reset();
  }
  void OnWorldCreated() override {
    protocol_ = std::make_unique<TProtocol>(*world_);
    protocol_->Numerics().Windows().SetHost(&host_);
    world_->SetProtocol(protocol_.get());
  }
  bool Ready(const TChannel& room) const override { return room.IsJoined() && room.NamesComplete(); }
  TServerConfig Entry(const std::string& nick) const {
    TServerConfig config = NgircdWorldTest::Entry(nick);
    config.channels[0].mode = "+nt";
    return config;
  }
};

TEST_F(NumericNgircdTest, NamesWhoAndWhoisFillTheModels) {
  // The creator got operator status and its configured mode.
  TChannel& alice_room = Room("alice");
  EXPECT_TRUE(alice_room.IsOperator());
  ASSERT_TRUE(RunUntil([&] { return alice_room.Mode().n && alice_room.Mode().t; }));

  // The later joiner learns everyone from NAMES and their details from WHO.
  TChannel& bob_room = Room("bob");
  ASSERT_TRUE(RunUntil([&] { return bob_room.WhoComplete(); }));
  EXPECT_FALSE(bob_room.IsOperator());
  EXPECT_EQ(bob_room.Members().MemberCount(), 2);
  const TMember* alice = bob_room.Members().FindMember("alice");
  ASSERT_NE(alice, nullptr);
  EXPECT_TRUE(alice->is_operator);
  EXPECT_NE(alice->user.find("alice"), std::string::npos);
  EXPECT_FALSE(alice->host.empty());
  EXPECT_EQ(alice->info1, "irc.test");
  EXPECT_EQ(alice->info2, "Test alice");

  Unit("bob").SendWhois("alice");
  ASSERT_TRUE(RunUntil([&] { return !host_.whois_shown.empty() && !Unit("bob").Replies().InWhois() &&
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
