#include "dcc/offer_rules.h"

namespace zeph {
namespace {

constexpr uint32_t kNoAddress = 0;
constexpr uint32_t kAllBits = 0xFFFFFFFF;

uint32_t LowBits(int64_t value) { return static_cast<uint32_t>(static_cast<uint64_t>(value)); }

uint32_t BigEndian(const TAck& ack) {
  return static_cast<uint32_t>(ack[0]) << 24 | static_cast<uint32_t>(ack[1]) << 16 |
         static_cast<uint32_t>(ack[2]) << 8 | static_cast<uint32_t>(ack[3]);
}

uint32_t LittleEndian(const TAck& ack) {
  return static_cast<uint32_t>(ack[3]) << 24 | static_cast<uint32_t>(ack[2]) << 16 |
         static_cast<uint32_t>(ack[1]) << 8 | static_cast<uint32_t>(ack[0]);
}

TOfferFault CheckEndpoint(uint32_t address, int port) {
  if (!IsUsableAddress(address)) return TOfferFault::BadAddress;
  if (!IsUsablePort(port)) return TOfferFault::BadPort;
  return TOfferFault::None;
}

}  // namespace

bool IsUsableAddress(uint32_t wire_address) { return wire_address != kNoAddress && wire_address != kAllBits; }
bool IsUsablePort(int port) { return port >= 1 && port <= 65535; }

TOfferFault CheckOffer(const TDccSend& offer) {
  TOfferFault fault = CheckEndpoint(offer.address, offer.port);
  if (fault == TOfferFault::None && offer.size <= 0) return TOfferFault::EmptySize;
  return fault;
}

TOfferFault CheckOffer(const TDccChat& offer) { return CheckEndpoint(offer.address, offer.port); }

bool IsValidResumePosition(int64_t position, int64_t size) { return position >= 0 && position < size; }
bool IsValidAcceptPosition(int64_t position, int64_t partial_size) {
  return position >= 0 && position <= partial_size;
}

TAck EncodeAck(int64_t position) {
  uint32_t value = LowBits(position);
  return {static_cast<unsigned char>(value >> 24), static_cast<unsigned char>(value >> 16),
          static_cast<unsigned char>(value >> 8), static_cast<unsigned char>(value)};
}

uint32_t DecodeAck(const TAck& ack) { return BigEndian(ack); }

void TAckReader::Feed(std::string_view bytes) {
  for (char byte : bytes) {
    partial_[partial_length_++] = static_cast<unsigned char>(byte);
    if (partial_length_ == kAckBytes) {
      last_ = partial_;
      partial_length_ = 0;
    }
  }
}

std::optional<TAck> TAckReader::Last() const { return last_; }

bool TAckReader::Confirms(int64_t size) const {
  if (!last_) return false;
  uint32_t expected = LowBits(size);
  return BigEndian(*last_) == expected || LittleEndian(*last_) == expected;
}

}  // namespace zeph
