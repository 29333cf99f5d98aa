#include "support/ngircd_world.h"

#include "support/prerequisite.h"

namespace zeph::test {

NgircdWorldTest::~NgircdWorldTest() { world_.reset(); }

TServerConfig NgircdWorldTest::Entry(const std::string& nick) const {
  TServerConfig config = server_.UnitConfig(nick);
  config.channels = {NewChannelConfig("#room", true)};
  return config;
}

void NgircdWorldTest::StartUnits(const std::vector<TServerConfig>& entries) {
  if (!server_.Start()) ZEPH_SKIP_OR_FAIL(server_.Error());
  world_ = std::make_unique<TWorld>(loop_, prefs_, formats_);
  handlers_ = std::make_unique<TProtocol>(*world_);
  world_->SetProtocol(handlers_.get());
  OnWorldCreated();
  TWorldConfig tree;
  tree.units = entries;
  for (TServerConfig& unit : tree.units) unit.port = server_.Port();
  world_->LoadUnits(tree);
  world_->Attach();
  for (const auto& unit : world_->Units()) {
    unit->Connect();
    TChannel* room = unit->FindChannel("#room");
    ASSERT_TRUE(RunUntil([&] { return Ready(*room); }))
        << unit->Name() << " did not log in and join";
  }
}

}  // namespace zeph::test
