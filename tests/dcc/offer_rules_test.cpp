#include "dcc/offer_rules.h"

#include <gtest/gtest.h>

#include <string>

namespace zeph {
namespace {

constexpr uint32_t kLoopback = 0x7F000001;
constexpr int64_t kFourGiB = int64_t{1} << 32;

TEST(DccOfferRules, HostileOrEmptyOffersAreOnlyShown) {
  struct Case {
    uint32_t address;
    int port;
    int64_t size;
    TOfferFault fault;
  } cases[] = {
      {kLoopback, 1100, 1000, TOfferFault::None},
      {kLoopback, 1, 1, TOfferFault::None},
      {kLoopback, 65535, kFourGiB + 1, TOfferFault::None},
      {0, 1100, 1000, TOfferFault::BadAddress},
      {0xFFFFFFFF, 1100, 1000, TOfferFault::BadAddress},
      {kLoopback, 0, 1000, TOfferFault::BadPort},
      {kLoopback, 65536, 1000, TOfferFault::BadPort},
      {kLoopback, -1, 1000, TOfferFault::BadPort},
      {kLoopback, 1100, 0, TOfferFault::EmptySize},
      {kLoopback, 1100, -1, TOfferFault::EmptySize},
      {0, 0, 0, TOfferFault::BadAddress},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(CheckOffer(TDccSend{"a", c.address, c.port, c.size, 0}), c.fault)
        << c.address << ":" << c.port << " " << c.size;
  }
  EXPECT_EQ(CheckOffer(TDccChat{kLoopback, 1196}), TOfferFault::None);
  EXPECT_EQ(CheckOffer(TDccChat{0xFFFFFFFF, 1196}), TOfferFault::BadAddress);
  EXPECT_EQ(CheckOffer(TDccChat{kLoopback, 65536}), TOfferFault::BadPort);
}

TEST(DccOfferRules, PositionsMustLieInsideTheFile) {
  struct Case {
    int64_t position;
    int64_t size;
    bool resume;  // a peer may resume our send of `size` bytes there
    bool accept;  // a peer may accept our partial file of `size` bytes there
  } cases[] = {
      {0, 1000, true, true},
      {999, 1000, true, true},
      {1000, 1000, false, true},
      {1001, 1000, false, false},
      {-1, 1000, false, false},
      {0, 0, false, true},
      {kFourGiB + 5, kFourGiB + 6, true, true},
      {kFourGiB + 6, kFourGiB + 6, false, true},
      {INT64_MIN, INT64_MAX, false, false},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(IsValidResumePosition(c.position, c.size), c.resume) << c.position << "/" << c.size;
    EXPECT_EQ(IsValidAcceptPosition(c.position, c.size), c.accept) << c.position << "/" << c.size;
  }
}

TEST(DccAcknowledgements, CarryTheLow32BitsInNetworkByteOrder) {
  struct Case {
    int64_t position;
    TAck bytes;
  } cases[] = {
      {0, {0, 0, 0, 0}},
      {1000, {0, 0, 0x03, 0xE8}},
      {kFourGiB - 1, {0xFF, 0xFF, 0xFF, 0xFF}},
      {kFourGiB, {0, 0, 0, 0}},
      {kFourGiB + 0x01020304, {1, 2, 3, 4}},
      {5 * kFourGiB + 7, {0, 0, 0, 7}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(EncodeAck(c.position), c.bytes) << c.position;
    EXPECT_EQ(DecodeAck(c.bytes), static_cast<uint32_t>(c.position)) << c.position;
  }
}

TEST(DccAcknowledgements, TheSenderReadsTheLastWholeOneHoweverItIsCut) {
  TAckReader reader;
  EXPECT_FALSE(reader.Last());
  EXPECT_FALSE(reader.Confirms(0));

  TAck first = EncodeAck(1000);
  TAck second = EncodeAck(kFourGiB + 2000);
  std::string stream(first.begin(), first.end());
  stream.append(second.begin(), second.end());
  reader.Feed(stream.substr(0, 3));
  EXPECT_FALSE(reader.Last());
  reader.Feed(stream.substr(3, 3));
  EXPECT_EQ(reader.Last(), first);
  reader.Feed(stream.substr(6));
  EXPECT_EQ(reader.Last(), second);
  EXPECT_TRUE(reader.Confirms(kFourGiB + 2000));
  EXPECT_TRUE(reader.Confirms(2000));  // only 32 bits travel
  EXPECT_FALSE(reader.Confirms(kFourGiB + 2001));

  // Some clients write the value in their own byte order.
  TAckReader little;
  little.Feed(std::string("\xE8\x03\x00\x00", 4));
  EXPECT_TRUE(little.Confirms(1000));
}

}  // namespace
}  // namespace zeph
