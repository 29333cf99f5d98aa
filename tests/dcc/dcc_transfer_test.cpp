// Receives and sends between two managers over real loopback sockets, and
// against a scripted peer where the bytes on the wire matter.
#include <gtest/gtest.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>

#include "dcc/dcc_manager.h"
#include "dcc/offer_rules.h"
#include "dcc/received_file_name.h"
#include "dcc_support.h"
#include "platform/sjis.h"
#include "support/temp_dir.h"

namespace zeph {
namespace {
namespace fs = std::filesystem;
using test::kDccUnit;
using test::Pattern;
using test::ReadFile;
using test::WriteFile;

constexpr uint32_t kLoopback = 0x7F000001;  // host byte order, as offered
constexpr auto kReceive = TTransferKind::Receive;
constexpr auto kSend = TTransferKind::Send;

class DccTransferTest : public ::testing::Test {
 protected:
  DccTransferTest()
      : port_(test::FreeLoopbackPort()),
        alice_(loop_, dir_.Path() / "alice", port_),
        bob_(loop_, dir_.Path() / "bob", port_ + 50) {
    test::Pair(loop_, alice_, "alice", bob_, "bob");
  }

  // Alice offers a file of `bytes` to bob.
  uint64_t Offer(const std::string& name, const std::string& bytes) {
    fs::path path = dir_.Path() / "out" / name;
    WriteFile(path, bytes);
    uint64_t id = alice_.manager.AddSend(kDccUnit, "bob", path);
    alice_.manager.Start(kSend, std::vector<uint64_t>{id});
    return id;
  }

  const TReceiveTransfer& BobsReceive(size_t row = 0) { return bob_.manager.Receive(row); }
  const TSendTransfer& AlicesSend(size_t row = 0) { return alice_.manager.Send(row); }
  bool BothDone() {
    return bob_.manager.Count(kReceive) > 0 && BobsReceive().State() == TTransferState::Complete &&
           AlicesSend().State() == TTransferState::Complete;
  }
  // An offer from a scripted peer straight to bob.
  std::optional<uint64_t> OfferFromPeer(int port, int64_t size, int protocol = 0, std::string name = "a.txt") {
    return bob_.manager.OnFileOffer(kDccUnit, "peer", TDccSend{std::move(name), kLoopback, port, size, protocol}, {});
  }

  test::TTempDir dir_;
  TPollLoop loop_;
  int port_;
  test::TDccSide alice_;
  test::TDccSide bob_;
};

TEST_F(DccTransferTest, AFileArrivesWholeUnderItsOfferedName) {
  std::string bytes = Pattern(300000);
  Offer("a b.txt", bytes);
  ASSERT_TRUE(loop_.RunUntil([&] { return BothDone(); }));
  EXPECT_EQ(ReadFile(dir_.Path() / "bob" / "a_b.txt"), bytes);
  EXPECT_EQ(BobsReceive().FilePath(), dir_.Path() / "bob" / "a_b.txt");
  EXPECT_FALSE(fs::exists(dir_.Path() / "bob" / "_incomplete_a_b.txt"));
  ASSERT_EQ(bob_.link.reports.size(), 1u);
  EXPECT_TRUE(bob_.link.reports[0].complete);
  EXPECT_EQ(bob_.link.reports[0].file_name, "a_b.txt");
  EXPECT_EQ(bob_.link.reports[0].nick, "alice");
  EXPECT_EQ(bob_.link.reports[0].size, 300000);
  ASSERT_EQ(alice_.link.reports.size(), 1u);
  EXPECT_TRUE(alice_.link.reports[0].complete);
  EXPECT_EQ(alice_.link.sent[0], "DCC SEND a_b.txt 2130706433 " + std::to_string(AlicesSend().ListenPort()) + " 300000");
}

TEST_F(DccTransferTest, TheExtendedOfferKeepsTheExactNameAndSendsNoAcknowledgements) {
  alice_.prefs.ExtendedDCCProtocol = true;
  std::string bytes = Pattern(70000);
  Offer("a b.txt", bytes);
  ASSERT_TRUE(loop_.RunUntil([&] { return BothDone(); }));
  EXPECT_EQ(BobsReceive().Protocol(), 2);
  EXPECT_EQ(ReadFile(dir_.Path() / "bob" / "a b.txt"), bytes);
}

// Partial files of 500 and 900 bytes of a 1000-byte offer: the receive
// asks to go on at 900, the sender agrees, and the file completes.
TEST_F(DccTransferTest, AResumeGoesOnFromTheLargestPartialFile) {
  std::string bytes = Pattern(1000);
  WriteFile(dir_.Path() / "bob" / "_incomplete_a.txt", bytes.substr(0, 500));
  WriteFile(dir_.Path() / "bob" / "_incomplete_a_00.txt", bytes.substr(0, 900));
  bob_.prefs.AutoResume = true;
  Offer("a.txt", bytes);
  ASSERT_TRUE(loop_.RunUntil([&] { return BothDone(); }));
  int port = AlicesSend().ListenPort();
  EXPECT_EQ(bob_.link.sent, std::vector<std::string>{"DCC RESUME file.ext " + std::to_string(port) + " 900"});
  EXPECT_EQ(alice_.link.sent.back(), "DCC ACCEPT file.ext " + std::to_string(port) + " 900");
  EXPECT_EQ(ReadFile(dir_.Path() / "bob" / "a.txt"), bytes);
  EXPECT_EQ(ReadFile(dir_.Path() / "bob" / "_incomplete_a.txt"), bytes.substr(0, 500));
  EXPECT_FALSE(fs::exists(dir_.Path() / "bob" / "_incomplete_a_00.txt"));
}

TEST_F(DccTransferTest, AResumeWithoutAPartialFileBelowTheSizeFails) {
  bob_.prefs.DCCReceiveAction = 1;
  WriteFile(dir_.Path() / "bob" / "_incomplete_a.txt", Pattern(1000));
  std::optional<uint64_t> id = OfferFromPeer(1234, 1000);
  ASSERT_TRUE(id);
  bob_.manager.Resume(std::vector<uint64_t>{*id});
  EXPECT_EQ(BobsReceive().State(), TTransferState::Failed);
  EXPECT_EQ(BobsReceive().ErrorText(), Sjis(kNoResumeCandidateText));
  EXPECT_TRUE(bob_.link.sent.empty());
}

TEST_F(DccTransferTest, AnUnansweredResumeStartsANormalReceiveAfterTheWait) {
  test::TLoopbackPeer peer(loop_);
  bob_.prefs.DCCReceiveAction = 1;
  bob_.prefs.ReceiveOnResumeFailTime = 10;
  WriteFile(dir_.Path() / "bob" / "_incomplete_a.txt", "12345");
  std::optional<uint64_t> id = OfferFromPeer(peer.Port(), 10);
  bob_.manager.Resume(std::vector<uint64_t>{*id});
  ASSERT_EQ(BobsReceive().State(), TTransferState::Negotiating);
  loop_.Advance(9000);
  EXPECT_EQ(BobsReceive().State(), TTransferState::Negotiating);
  EXPECT_EQ(BobsReceive().ResumeSecondsLeft(), 1);
  loop_.Advance(1000);
  ASSERT_TRUE(peer.WaitForClient());
  peer.Send("0123456789");
  ASSERT_TRUE(loop_.RunUntil([&] { return BobsReceive().State() == TTransferState::Complete; }));
  EXPECT_EQ(ReadFile(dir_.Path() / "bob" / "a.txt"), "0123456789");
  EXPECT_EQ(ReadFile(dir_.Path() / "bob" / "_incomplete_a.txt"), "12345");
}

TEST_F(DccTransferTest, AResumeRequestIsAnsweredOnlyForAWaitingSendAndAPositionInsideTheFile) {
  Offer("a.txt", Pattern(1000));
  alice_.link.deliver = nullptr;  // bob never hears of it
  ASSERT_EQ(AlicesSend().State(), TTransferState::Negotiating);
  int port = AlicesSend().ListenPort();
  EXPECT_FALSE(alice_.manager.OnResumeRequest(kDccUnit, "bob", {"file.ext", port, 1000}));
  EXPECT_FALSE(alice_.manager.OnResumeRequest(kDccUnit, "bob", {"file.ext", port, -1}));
  EXPECT_FALSE(alice_.manager.OnResumeRequest(kDccUnit, "Bob", {"file.ext", port, 10}));
  EXPECT_FALSE(alice_.manager.OnResumeRequest(kDccUnit, "bob", {"file.ext", port + 1, 10}));
  EXPECT_EQ(alice_.link.sent.size(), 1u);
  EXPECT_EQ(AlicesSend().State(), TTransferState::Negotiating);
  EXPECT_TRUE(alice_.manager.OnResumeRequest(kDccUnit, "bob", {"x", port, 10}));
  EXPECT_EQ(alice_.link.sent.back(), "DCC ACCEPT x " + std::to_string(port) + " 10");
  EXPECT_EQ(AlicesSend().Position(), 10);
}

TEST_F(DccTransferTest, AnAcceptBeyondThePartialFileIsIgnored) {
  bob_.prefs.DCCReceiveAction = 1;
  WriteFile(dir_.Path() / "bob" / "_incomplete_a.txt", "12345");
  std::optional<uint64_t> id = OfferFromPeer(1234, 10);
  bob_.manager.Resume(std::vector<uint64_t>{*id});
  EXPECT_FALSE(bob_.manager.OnAccept(kDccUnit, "peer", {"file.ext", 1234, 6}));
  EXPECT_FALSE(bob_.manager.OnAccept(kDccUnit, "peer", {"file.ext", 1235, 5}));
  EXPECT_FALSE(bob_.manager.OnAccept(kDccUnit, "other", {"file.ext", 1234, 5}));
  EXPECT_EQ(BobsReceive().State(), TTransferState::Negotiating);
  bob_.manager.RenamePeer(kDccUnit, "peer", "peer2");
  EXPECT_TRUE(bob_.manager.OnAccept(kDccUnit, "peer2", {"file.ext", 1234, 5}));
  EXPECT_EQ(BobsReceive().State(), TTransferState::Opening);
}

// What a receive writes back: a 4-byte acknowledgement of its position
// after the data of each read, in network byte order, and none at all in
// the extended protocol.
TEST_F(DccTransferTest, AcknowledgementsFollowTheProtocol) {
  for (int protocol : {0, 2}) {
    SCOPED_TRACE(protocol);
    test::TLoopbackPeer peer(loop_);
    OfferFromPeer(peer.Port(), 3000, protocol, "p" + std::to_string(protocol));
    ASSERT_TRUE(peer.WaitForClient());
    peer.Send(std::string(1000, 'x'));
    ASSERT_TRUE(peer.Sync());
    peer.Send(std::string(2000, 'y'));
    const TReceiveTransfer& receive = BobsReceive(bob_.manager.Count(kReceive) - 1);
    ASSERT_TRUE(loop_.RunUntil([&] { return receive.State() == TTransferState::Complete; }));
    ASSERT_TRUE(loop_.RunUntil([&] { return protocol == 2 || peer.Received().size() >= 8; }));
    if (protocol == 2) {
      EXPECT_TRUE(peer.Sync());
      EXPECT_EQ(peer.Received(), "");
    } else {
      std::string acks = peer.Received();
      EXPECT_EQ(acks.substr(0, 4), std::string("\0\0\x03\xE8", 4));
      EXPECT_EQ(acks.substr(acks.size() - 4), std::string("\0\0\x0B\xB8", 4));
    }
  }
}

// Past 4 GiB positions stay whole while the acknowledgements carry their
// low 32 bits. The partial file is sparse, so nothing big is written.
TEST_F(DccTransferTest, AReceivePastFourGibibytesAcknowledgesModuloTwoToTheThirtyTwo) {
  constexpr int64_t kFourGib = int64_t{1} << 32;
  test::TLoopbackPeer peer(loop_);
  bob_.prefs.DCCReceiveAction = 1;
  fs::path partial = dir_.Path() / "bob" / "_incomplete_big.bin";
  WriteFile(partial, "");
  fs::resize_file(partial, kFourGib - 10);
  uint64_t id = *OfferFromPeer(peer.Port(), kFourGib + 10, 0, "big.bin");
  bob_.manager.Resume(std::vector<uint64_t>{id});
  EXPECT_EQ(bob_.link.sent.back(), "DCC RESUME file.ext " + std::to_string(peer.Port()) + " 4294967286");
  ASSERT_TRUE(bob_.manager.OnAccept(kDccUnit, "peer", {"file.ext", peer.Port(), kFourGib - 10}));
  ASSERT_TRUE(peer.WaitForClient());
  peer.Send(std::string(20, 'b'));
  ASSERT_TRUE(loop_.RunUntil([&] { return BobsReceive().State() == TTransferState::Complete; }));
  ASSERT_TRUE(loop_.RunUntil([&] { return peer.Received().size() >= 4; }));
  EXPECT_EQ(peer.Received().substr(peer.Received().size() - 4), std::string("\0\0\0\x0A", 4));
  EXPECT_EQ(fs::file_size(dir_.Path() / "bob" / "big.bin"), static_cast<uintmax_t>(kFourGib + 10));
  EXPECT_EQ(bob_.link.reports.back().size, kFourGib + 10);
}

TEST_F(DccTransferTest, APeerThatGoesAwayFailsTheReceiveAndKeepsWhatCame) {
  for (int sent : {10, 0}) {
    SCOPED_TRACE(sent);
    test::TLoopbackPeer peer(loop_);
    OfferFromPeer(peer.Port(), 100, 0, "gone" + std::to_string(sent) + ".txt");
    ASSERT_TRUE(peer.WaitForClient());
    peer.Send(std::string(static_cast<size_t>(sent), 'z'));
    peer.Sync();
    peer.CloseClient();
    const TReceiveTransfer& receive = BobsReceive(bob_.manager.Count(kReceive) - 1);
    ASSERT_TRUE(loop_.RunUntil([&] { return receive.State() == TTransferState::Failed; }));
    EXPECT_EQ(receive.ErrorText(), Sjis(kDisconnectedText));
    fs::path partial = dir_.Path() / "bob" / ("_incomplete_gone" + std::to_string(sent) + ".txt");
    EXPECT_EQ(fs::exists(partial), sent > 0);
    if (sent > 0) {
      EXPECT_EQ(fs::file_size(partial), 10u);
    }
    const TTransferReport& report = bob_.link.reports.back();
    EXPECT_FALSE(report.complete);
    EXPECT_EQ(report.position, sent);
    EXPECT_EQ(report.percent, sent);
    EXPECT_EQ(report.address, "127.0.0.1");
    EXPECT_EQ(report.port, peer.Port());
  }
}

TEST_F(DccTransferTest, ARefusedConnectionFailsWithTheSocketsText) {
  OfferFromPeer(test::FreeLoopbackPort(), 100);
  ASSERT_TRUE(loop_.RunUntil([&] { return BobsReceive().State() == TTransferState::Failed; }));
  EXPECT_FALSE(BobsReceive().ErrorText().empty());
  EXPECT_EQ(bob_.link.reports.size(), 1u);
}

TEST_F(DccTransferTest, UnusableOffersAreNeverListedAndRepeatsAreDropped) {
  struct Case {
    uint32_t address;
    int port;
    int64_t size;
  } refused[] = {{0, 1100, 10}, {0xFFFFFFFF, 1100, 10}, {kLoopback, 0, 10}, {kLoopback, 70000, 10},
                 {kLoopback, 1100, 0}, {kLoopback, 1100, -5}};
  bob_.prefs.DCCReceiveAction = 1;
  for (const Case& c : refused) {
    EXPECT_FALSE(bob_.manager.OnFileOffer(kDccUnit, "peer", TDccSend{"a", c.address, c.port, c.size, 0}, {}))
        << c.address << " " << c.port << " " << c.size;
  }
  EXPECT_TRUE(OfferFromPeer(1100, 10));
  EXPECT_FALSE(OfferFromPeer(1100, 10));
  EXPECT_TRUE(OfferFromPeer(1101, 10));
  EXPECT_EQ(bob_.manager.Count(kReceive), 2u);
  for (int port = 2000; bob_.manager.Count(kReceive) < kMaxWaitingReceivesPerUnit; ++port) OfferFromPeer(port, 10);
  EXPECT_FALSE(OfferFromPeer(3999, 10));
}

// Names and nicks from peers never reach outside the receive folder.
TEST_F(DccTransferTest, HostileNamesStayInsideTheReceiveFolder) {
  bob_.prefs.ReceiveInNickFolder = true;
  struct Case {
    std::string nick;
    std::string name;
    fs::path expected;
  } cases[] = {
      {"..", "../../evil.txt", "_/_._.._evil.txt"},
      {"a/b", "/etc/passwd", "a_b/_etc_passwd"},
      {".hidden", "..", "_hidden/_"},
      {"n", ".bashrc", "n/_bashrc"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    test::TLoopbackPeer peer(loop_);
    ASSERT_TRUE(bob_.manager.OnFileOffer(kDccUnit, c.nick, TDccSend{c.name, kLoopback, peer.Port(), 3, 0}, {}));
    ASSERT_TRUE(peer.WaitForClient());
    peer.Send("abc");
    const TReceiveTransfer& receive = BobsReceive(bob_.manager.Count(kReceive) - 1);
    ASSERT_TRUE(loop_.RunUntil([&] { return receive.State() == TTransferState::Complete; }));
    EXPECT_EQ(receive.FilePath(), dir_.Path() / "bob" / c.expected);
    EXPECT_EQ(ReadFile(dir_.Path() / "bob" / c.expected), "abc");
  }
}

TEST_F(DccTransferTest, ACompletedFileNeverReplacesOneOfTheSameName) {
  WriteFile(dir_.Path() / "bob" / "a.txt", "mine");
  WriteFile(dir_.Path() / "bob" / "_incomplete_a.txt", "other");
  std::string bytes = Pattern(5000);
  Offer("a.txt", bytes);
  ASSERT_TRUE(loop_.RunUntil([&] { return BothDone(); }));
  EXPECT_EQ(ReadFile(dir_.Path() / "bob" / "a.txt"), "mine");
  EXPECT_EQ(ReadFile(dir_.Path() / "bob" / "a_00.txt"), bytes);
  EXPECT_EQ(ReadFile(dir_.Path() / "bob" / "_incomplete_a.txt"), "other");
}

// With 10 KB a second, each tick lets 10240 bytes go and no more.
TEST_F(DccTransferTest, TheBandwidthLimitHoldsPerTick) {
  alice_.prefs.EnableMaxOutgoingBandwidth = true;
  alice_.prefs.MaxOutgoingBandwidth = 10;
  std::string bytes = Pattern(35000);
  Offer("a.txt", bytes);
  ASSERT_TRUE(loop_.RunUntil([&] { return AlicesSend().State() == TTransferState::Transferring; }));
  for (int64_t expected : {10240, 20480, 30720}) {
    ASSERT_TRUE(loop_.RunUntil([&] { return bob_.manager.Count(kReceive) > 0 && BobsReceive().Position() == expected; }))
        << AlicesSend().Position() << " " << (bob_.manager.Count(kReceive) ? BobsReceive().Position() : -1);
    loop_.RunOnce(50);
    EXPECT_EQ(AlicesSend().Position(), expected);
    loop_.Advance(1000);
  }
  ASSERT_TRUE(loop_.RunUntil([&] { return BothDone(); }));
  EXPECT_EQ(ReadFile(dir_.Path() / "bob" / "a.txt"), bytes);
  EXPECT_DOUBLE_EQ(AlicesSend().BytesPerSecond(), 10240.0);
}

// A peer that stops reading holds the send back: what the socket does not
// take stays in the file, and the send goes on once the peer reads again.
TEST_F(DccTransferTest, ASendGoesNoFasterThanThePeerReads) {
  constexpr int64_t kSize = 64 << 20;
  fs::path path = dir_.Path() / "out" / "big.bin";
  WriteFile(path, "");
  fs::resize_file(path, kSize);
  alice_.link.deliver = nullptr;
  uint64_t id = alice_.manager.AddSend(kDccUnit, "bob", path);
  alice_.manager.Start(kSend, std::vector<uint64_t>{id});
  int fd = socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in at{};
  at.sin_family = AF_INET;
  at.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  at.sin_port = htons(static_cast<uint16_t>(AlicesSend().ListenPort()));
  ASSERT_EQ(connect(fd, reinterpret_cast<sockaddr*>(&at), sizeof at), 0);
  ASSERT_TRUE(loop_.RunUntil([&] { return AlicesSend().State() == TTransferState::Transferring; }));
  for (int i = 0; i < 20; ++i) loop_.RunOnce(5);
  EXPECT_GT(AlicesSend().Position(), 0);
  EXPECT_LT(AlicesSend().Position(), kSize / 4);
  // Once connected, a resume request is too late.
  int64_t position = AlicesSend().Position();
  EXPECT_FALSE(alice_.manager.OnResumeRequest(kDccUnit, "bob", {"file.ext", AlicesSend().ListenPort(), 10}));
  EXPECT_EQ(AlicesSend().Position(), position);
  int64_t read_total = 0;
  std::vector<char> buffer(1 << 20);
  auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
  while (read_total < kSize && std::chrono::steady_clock::now() < deadline) {
    loop_.RunOnce(0);
    ssize_t n = recv(fd, buffer.data(), buffer.size(), MSG_DONTWAIT);
    if (n > 0) read_total += n;
    if (n == 0) break;
  }
  close(fd);
  EXPECT_EQ(read_total, kSize);
  EXPECT_EQ(AlicesSend().State(), TTransferState::Complete);
}

TEST_F(DccTransferTest, ASendWithEveryPortBusyFails) {
  std::vector<std::unique_ptr<test::TLoopbackPeer>> holders;
  // Two ports next to each other, both taken.
  int first = 0;
  for (int attempt = 0; attempt < 20 && first == 0; ++attempt) {
    holders.clear();
    holders.push_back(std::make_unique<test::TLoopbackPeer>(loop_));
    int port = holders[0]->Port();
    int fd = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in at{};
    at.sin_family = AF_INET;
    at.sin_port = htons(static_cast<uint16_t>(port + 1));
    if (bind(fd, reinterpret_cast<sockaddr*>(&at), sizeof at) == 0 && listen(fd, 1) == 0) {
      first = port;
      holders.clear();
      close(fd);
    } else {
      close(fd);
    }
  }
  ASSERT_NE(first, 0);
  int fds[2];
  for (int i = 0; i < 2; ++i) {
    fds[i] = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in at{};
    at.sin_family = AF_INET;
    at.sin_port = htons(static_cast<uint16_t>(first + i));
    ASSERT_EQ(bind(fds[i], reinterpret_cast<sockaddr*>(&at), sizeof at), 0);
    listen(fds[i], 1);
  }
  alice_.prefs.DCCReceivePortStart = first;
  alice_.prefs.DCCReceivePortEnd = first + 1;
  Offer("a.txt", "abc");
  EXPECT_EQ(AlicesSend().State(), TTransferState::Failed);
  EXPECT_EQ(AlicesSend().ErrorText(), Sjis(kNoFreePortText));
  EXPECT_TRUE(alice_.link.sent.empty());
  close(fds[0]);
  close(fds[1]);
}

TEST_F(DccTransferTest, QueuedReceivesWaitForAFreeSlot) {
  bob_.prefs.MaxDCCReceiveConnection = 1;
  test::TLoopbackPeer first(loop_);
  test::TLoopbackPeer second(loop_);
  OfferFromPeer(first.Port(), 3, 0, "1.txt");
  OfferFromPeer(second.Port(), 3, 0, "2.txt");
  EXPECT_EQ(BobsReceive(0).State(), TTransferState::Opening);
  EXPECT_EQ(BobsReceive(1).State(), TTransferState::Queued);
  ASSERT_TRUE(first.WaitForClient());
  first.Send("abc");
  ASSERT_TRUE(loop_.RunUntil([&] { return BobsReceive(0).State() == TTransferState::Complete; }));
  EXPECT_EQ(BobsReceive(1).State(), TTransferState::Opening);
  EXPECT_TRUE(second.WaitForClient());
}

TEST_F(DccTransferTest, StoppingClosesTheSocketAndTheOperationsKeepToTheirStates) {
  test::TLoopbackPeer peer(loop_);
  bob_.prefs.DCCReceiveAction = 1;
  uint64_t id = *OfferFromPeer(peer.Port(), 100);
  std::vector<uint64_t> ids{id};
  bob_.manager.Stop(kReceive, ids);  // waiting: nothing to stop
  EXPECT_EQ(BobsReceive().State(), TTransferState::Waiting);
  bob_.manager.Start(kReceive, ids);
  ASSERT_TRUE(peer.WaitForClient());
  peer.Send("12345");
  ASSERT_TRUE(loop_.RunUntil([&] { return BobsReceive().Position() == 5; }));
  bob_.manager.Remove(kReceive, ids);  // active: stays
  EXPECT_EQ(bob_.manager.Count(kReceive), 1u);
  bob_.manager.Stop(kReceive, ids);
  EXPECT_EQ(BobsReceive().State(), TTransferState::Stopped);
  EXPECT_TRUE(peer.Sync());
  EXPECT_FALSE(peer.HasClient());
  EXPECT_EQ(ReadFile(dir_.Path() / "bob" / "_incomplete_a.txt"), "12345");
  bob_.manager.ClearFinished(kReceive);
  EXPECT_EQ(bob_.manager.Count(kReceive), 0u);
  EXPECT_TRUE(bob_.link.reports.empty());
}

TEST_F(DccTransferTest, ReportsAreDroppedOnceTheUnitIsGone) {
  bob_.link.has_unit = false;
  OfferFromPeer(test::FreeLoopbackPort(), 100);
  ASSERT_TRUE(loop_.RunUntil([&] { return BobsReceive().State() == TTransferState::Failed; }));
  EXPECT_TRUE(bob_.link.reports.empty());
}

}  // namespace
}  // namespace zeph
