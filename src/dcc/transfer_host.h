#pragma once

#include <cstdint>
#include <filesystem>
#include <string>

#include "dcc/dcc_message.h"
#include "dcc/transfer_state.h"

// What a transfer needs from the DCC manager that owns it.
namespace zeph {

class IEventLoop;
class TPortAllocator;
struct TPreferences;

class TTransferHost {
 public:
  virtual ~TTransferHost() = default;
  virtual IEventLoop& Loop() = 0;
  virtual const TPreferences& Preferences() const = 0;
  // Sends a DCC message to the peer on its unit; nothing when the unit is
  // gone.
  virtual void SendToPeer(uint64_t unit, const std::string& nick, const TDccQuery& query) = 0;
  // The unit's own address in network byte order (all bits set: unknown).
  virtual uint32_t OwnAddress(uint64_t unit) const = 0;
  // The program-wide cursor of the file offer ports.
  virtual TPortAllocator& FileOfferPorts() = 0;
  // Whether a receive other than `asking` holds this file open.
  virtual bool IsFileInUse(const std::filesystem::path& file, uint64_t asking) const = 0;

  // Anything shown of the transfer changed (state, position, names).
  virtual void TransferChanged(TTransferKind kind, uint64_t id) = 0;
  // The transfer completed or failed.
  virtual void TransferEnded(TTransferKind kind, uint64_t id) = 0;
};

}  // namespace zeph
