#pragma once

#include "dcc/dcc_manager.h"

// The DCC manager's way to the peers: its messages go out as CTCP queries
// through the unit the transfer belongs to, in that unit's wire encoding,
// and the end of a transfer is printed into that unit's log.
namespace zeph {

class TWorld;

class TWorldPeerLink final : public TDccPeerLink {
 public:
  explicit TWorldPeerLink(TWorld& world) : world_(world) {}

  bool HasUnit(uint64_t unit) const override;
  uint32_t OwnAddress(uint64_t unit) const override;
  void SendCtcpQuery(uint64_t unit, const std::string& nick, const std::string& text) override;
  void ReportTransfer(const TTransferReport& report) override;

 private:
  TWorld& world_;
};

}  // namespace zeph
