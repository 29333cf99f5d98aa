#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

#include "dcc/dcc_message.h"

// What a peer's offer, resume request or answer must satisfy before we act
// on it. An offer that fails is still shown to the user, but nothing
// connects to it and nothing is written for it.
namespace zeph {

enum class TOfferFault {
  None,
  EmptySize,   // size 0 or below: there is nothing to receive
  BadAddress,  // 0.0.0.0 or 255.255.255.255 (an unknown own address)
  BadPort,     // outside 1..65535
};

// Host byte order, as on the wire. 127.0.0.1 is allowed: two clients on
// one machine use it.
bool IsUsableAddress(uint32_t wire_address);
bool IsUsablePort(int port);

TOfferFault CheckOffer(const TDccSend& offer);
TOfferFault CheckOffer(const TDccChat& offer);

// A peer asks to resume our send of `size` bytes: only from inside the
// file (0 <= position < size).
bool IsValidResumePosition(int64_t position, int64_t size);
// A peer accepts our resume request for a partial file of `partial_size`
// bytes: at most what we have (0 <= position <= partial_size).
bool IsValidAcceptPosition(int64_t position, int64_t partial_size);

// The acknowledgement a receiver sends for the bytes it holds: the low 32
// bits of the position in network byte order, as every client expects,
// also for files over 4 GiB.
inline constexpr size_t kAckBytes = 4;
using TAck = std::array<unsigned char, kAckBytes>;
TAck EncodeAck(int64_t position);
// The value of an acknowledgement read in network byte order.
uint32_t DecodeAck(const TAck& ack);

// The acknowledgements arriving at a sender, which may come cut anywhere.
// Only the last whole one counts.
class TAckReader {
 public:
  void Feed(std::string_view bytes);
  // The last whole acknowledgement, as its bytes came.
  std::optional<TAck> Last() const;
  // Whether the last acknowledgement reports all `size` bytes received,
  // modulo 2^32; read in either byte order, since some clients write it
  // in their own.
  bool Confirms(int64_t size) const;

 private:
  TAck partial_{};
  size_t partial_length_ = 0;
  std::optional<TAck> last_;
};

}  // namespace zeph
