// Two units of one program on a real IRC server hand each other files and
// talk over DCC: the offers, RESUME and ACCEPT travel as CTCP through the
// server, the data over loopback between the two.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "dcc/dcc_service.h"
#include "engine/irc_message.h"
#include "platform/cp932.h"
#include "platform/sjis.h"
#include "protocol/command_line.h"
#include "support/loopback_peer.h"
#include "support/ngircd_world.h"
#include "support/temp_dir.h"

namespace zeph {
namespace {
namespace fs = std::filesystem;

std::string Pattern(size_t size) {
  std::string bytes(size, '\0');
  for (size_t i = 0; i < size; ++i) bytes[i] = static_cast<char>((i * 7 + i / 251) & 0xFF);
  return bytes;
}

void WriteFile(const fs::path& path, const std::string& bytes) {
  fs::create_directories(path.parent_path());
  std::ofstream(path, std::ios::binary) << bytes;
}

std::string ReadFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

bool Contains(const TLineStore& log, const std::string& part) {
  for (size_t i = 0; i < log.Count(); ++i) {
    if (log.At(i).text.find(part) != std::string::npos) return true;
  }
  return false;
}

// The chat events the macros are offered.
class TMacroRecorder final : public TMacroHooks {
 public:
  void OnMessageEvent(TUnit& unit, const TIrcMessage& event) override {
    if (event.command == "DCCCHATMESSAGE") events.push_back(event);
  }
  std::vector<TIrcMessage> events;
};

class DccNgircdTest : public test::NgircdWorldTest {
 protected:
  void SetUp() override {
    int port = test::FreeLoopbackPort();
    prefs_.IPResolveMethod = 3;
    prefs_.IPAddress = "127.0.0.1";
    prefs_.DCCRootDir = (dir_.Path() / "in").string() + "/";
    prefs_.ReceiveInNickFolder = false;
    prefs_.DCCReceiveAction = 2;
    prefs_.AutoReceiveNormal = true;
    prefs_.InstantSend = true;
    prefs_.DCCReceivePortStart = port;
    prefs_.DCCReceivePortEnd = port + 20;
    prefs_.DCCChatPortStart = port + 21;
    prefs_.DCCChatPortEnd = port + 40;
    StartUnits({Entry("alice", kEncodingUtf8), Entry("bob", kEncodingIso2022Jp)});
    ASSERT_TRUE(RunUntil([&] { return Unit("alice").OwnAddress() != TResolver::kNone; }));
  }
  ~DccNgircdTest() override {
    if (world_) world_->SetDcc(nullptr);
    dcc_.reset();
  }
  void OnWorldCreated() override {
    dcc_ = std::make_unique<TDccService>(*world_);
    world_->SetDcc(dcc_.get());
    world_->SetMacros(&macros_);
  }
  TServerConfig Entry(const std::string& nick, int encoding) const {
    TServerConfig config = NgircdWorldTest::Entry(nick);
    config.encoding = encoding;
    return config;
  }
  TDccManager& Manager() { return dcc_->Manager(); }
  // Alice offers bob a file of these bytes.
  fs::path OfferToBob(const std::string& name, const std::string& bytes) {
    fs::path path = dir_.Path() / "out" / name;
    WriteFile(path, bytes);
    EXPECT_TRUE(dcc_->OfferFile(Unit("alice"), "bob", path));
    return path;
  }
  bool Done(TTransferKind kind, size_t row = 0) {
    if (Manager().Count(kind) <= row) return false;
    TTransferState state = kind == TTransferKind::Receive ? Manager().Receive(row).State()
                                                          : Manager().Send(row).State();
    return state == TTransferState::Complete || state == TTransferState::Failed;
  }
  fs::path Incoming() const { return dir_.Path() / "in"; }
  // Runs the loop, letting a second pass now and then, so that the flood
  // budget of each connection comes back as it would with a real clock.
  bool Await(const std::function<bool()>& done) {
    for (int i = 0; i < 100; ++i) {
      if (loop_.RunUntil(done, 100)) return true;
      loop_.Advance(1000);
    }
    return false;
  }

  test::TTempDir dir_;
  TMacroRecorder macros_;
  std::unique_ptr<TDccService> dcc_;
};

TEST_F(DccNgircdTest, AFileWithAJapaneseNameCrossesBetweenEncodings) {
  prefs_.ExtendedDCCProtocol = true;
  std::string bytes = Pattern(200000);
  std::string name = cp932::ToUtf8(Sjis("日本語 の.txt"));  // UTF-8, as the disk names it
  OfferToBob(name, bytes);
  ASSERT_TRUE(Await([&] { return Done(TTransferKind::Receive) && Done(TTransferKind::Send); }));
  EXPECT_EQ(Manager().Receive(0).State(), TTransferState::Complete) << Manager().Receive(0).ErrorText();
  EXPECT_EQ(ReadFile(Incoming() / name), bytes);
  // The offer, the start and the end are in the units' logs.
  EXPECT_TRUE(Contains(Unit("bob").Log(), Sjis("日本語 の.txt")));
  EXPECT_EQ(Manager().Receive(0).Nick(), "alice");
  EXPECT_TRUE(Contains(Unit("bob").Log(), Sjis("受信完了 日本語 の.txt from alice")));
  EXPECT_TRUE(Contains(Unit("alice").Log(), Sjis("送信完了 日本語 の.txt to bob")));
}

TEST_F(DccNgircdTest, ResumeGoesOnFromTheLongestPartialFile) {
  prefs_.AutoResume = true;
  std::string bytes = Pattern(1000);
  WriteFile(Incoming() / "_incomplete_r.txt", bytes.substr(0, 500));
  WriteFile(Incoming() / "_incomplete_r_00.txt", bytes.substr(0, 900));
  OfferToBob("r.txt", bytes);
  ASSERT_TRUE(Await([&] { return Done(TTransferKind::Receive) && Done(TTransferKind::Send); }));
  EXPECT_EQ(Manager().Receive(0).State(), TTransferState::Complete) << Manager().Receive(0).ErrorText();
  EXPECT_EQ(ReadFile(Incoming() / "r.txt"), bytes);
  // The 500-byte file was not the one taken up.
  EXPECT_EQ(fs::file_size(Incoming() / "_incomplete_r.txt"), 500u);
  EXPECT_FALSE(fs::exists(Incoming() / "_incomplete_r_00.txt"));
  EXPECT_TRUE(Contains(Unit("alice").Log(), "900"));  // the RESUME line
}

TEST_F(DccNgircdTest, ANickChangeFollowsTheWaitingEntriesOnBothSides) {
  prefs_.DCCReceiveAction = 1;  // listed, waiting for the user
  OfferToBob("w.txt", Pattern(100));
  ASSERT_TRUE(Await([&] { return Manager().Count(TTransferKind::Receive) == 1; }));
  EXPECT_EQ(Manager().Receive(0).State(), TTransferState::Waiting);

  Unit("alice").SendNick("alicia", false);
  Unit("bob").SendNick("bobby", false);
  ASSERT_TRUE(Await([&] {
    return Manager().Receive(0).Nick() == "alicia" && Manager().Send(0).Nick() == "bobby";
  }));
  // The renamed entries still match: bob starts, and the file arrives.
  uint64_t id = Manager().Receive(0).Id();
  Manager().Start(TTransferKind::Receive, std::span<const uint64_t>(&id, 1));
  ASSERT_TRUE(Await([&] { return Done(TTransferKind::Receive); }));
  EXPECT_EQ(ReadFile(Incoming() / "w.txt"), Pattern(100));
}

TEST_F(DccNgircdTest, AChatCarriesLinesBothWaysUntilOneSideCloses) {
  prefs_.DCCChatAction = 2;
  prefs_.DCCChatAdaptiveEncodingSelection = true;
  TChannel* mine = dcc_->OfferChat(Unit("alice"), "bob");
  ASSERT_NE(mine, nullptr);
  EXPECT_EQ(mine->Name(), "=bob");
  TChannel* theirs = nullptr;
  ASSERT_TRUE(Await([&] {
    theirs = Unit("bob").FindChannel("=alice");
    return theirs && dcc_->Chats().State(*theirs) == TChatState::Connected &&
           dcc_->Chats().State(*mine) == TChatState::Connected;
  }));
  EXPECT_TRUE(theirs->IsDccChat());
  EXPECT_TRUE(Contains(mine->Log(), Sjis("接続しました")));

  ASSERT_TRUE(SubmitInput(Unit("alice"), mine, Sjis("こんにちは"), false, false, true));
  ASSERT_TRUE(Await([&] { return Contains(theirs->Log(), Sjis("こんにちは")); }));
  ASSERT_EQ(macros_.events.size(), 1u);
  EXPECT_EQ(macros_.events[0].nick, "alice");
  EXPECT_EQ(macros_.events[0].params, (std::vector<std::string>{"=alice", Sjis("こんにちは")}));
  EXPECT_TRUE(Contains(mine->Log(), Sjis("こんにちは")));  // the own line

  ASSERT_TRUE(SubmitInput(Unit("bob"), theirs, Sjis("やあ"), false, false, true));
  ASSERT_TRUE(Await([&] { return Contains(mine->Log(), Sjis("やあ")); }));

  world_->CloseTarget(Unit("bob"), *theirs);
  ASSERT_TRUE(Await([&] { return dcc_->Chats().State(*mine) == TChatState::Disconnected; }));
  EXPECT_TRUE(Contains(mine->Log(), Sjis("切断されました")));
  EXPECT_FALSE(SubmitInput(Unit("alice"), mine, "unsent", false, false, true));
}

}  // namespace
}  // namespace zeph
