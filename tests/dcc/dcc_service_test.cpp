// DCC queries as a unit receives them from its server: what is printed and
// sounded, what goes back through the unit, and chats as talks.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "dcc/dcc_service.h"
#include "protocol/command_line.h"
#include "platform/sjis.h"
#include "support/session_fixture.h"
#include "support/temp_dir.h"

namespace zeph {
namespace {

class TSoundRecorder final : public TSoundOutput {
 public:
  void PlaySound(const std::string& file) override { played.push_back(file); }
  std::vector<std::string> played;
};

bool AnyFileHolds(const std::filesystem::path& root, const std::string& text) {
  for (const auto& entry : std::filesystem::recursive_directory_iterator(root)) {
    if (!entry.is_regular_file()) continue;
    std::ifstream in(entry.path(), std::ios::binary);
    std::string contents((std::istreambuf_iterator<char>(in)), {});
    if (contents.find(text) != std::string::npos) return true;
  }
  return false;
}

class DccServiceTest : public test::SessionTest {
 protected:
  ~DccServiceTest() override {
    if (world_) world_->SetDcc(nullptr);
    dcc_.reset();
  }
  void OnWorldCreated() override {
    dcc_ = std::make_unique<TDccService>(*world_);
    world_->SetDcc(dcc_.get());
    world_->SetSoundOutput(&sounds_);
  }
  void Query(const std::string& text) { Receive(":peer!u@h.example PRIVMSG me :\x01" + text + "\x01"); }
  TDccManager& Manager() { return dcc_->Manager(); }

  std::unique_ptr<TDccService> dcc_;
  TSoundRecorder sounds_;
};

TEST_F(DccServiceTest, OffersArePrintedAndSoundedAndOnlyUsableOnesListed) {
  prefs_.DCCReceiveAction = 1;
  prefs_.EnableDCCReceiveSound = true;
  prefs_.DCCReceiveSoundFile = "offer.wav";
  LogIn();
  Query("DCC SEND a_b.txt 3232235521 1100 10 2 :a b.txt");
  EXPECT_TRUE(Contains(unit_->Log(), "*DCC(SEND) from peer : a b.txt 192.168.0.1:1100 10"));
  EXPECT_EQ(sounds_.played, std::vector<std::string>{"offer.wav"});
  ASSERT_EQ(Manager().Count(TTransferKind::Receive), 1u);
  EXPECT_EQ(Manager().Receive(0).OfferedName(), "a b.txt");
  EXPECT_EQ(Manager().Receive(0).State(), TTransferState::Waiting);

  // Shown, never listed: no size, a refused address.
  Query("DCC SEND empty.txt 3232235521 1101 0");
  Query("DCC SEND far.txt 4294967295 1102 10");
  EXPECT_TRUE(Contains(unit_->Log(), "empty.txt"));
  EXPECT_TRUE(Contains(unit_->Log(), "far.txt"));
  EXPECT_EQ(Manager().Count(TTransferKind::Receive), 1u);

  // A command we do not know is shown with its word.
  Query("DCC XMIT x 1 2");
  EXPECT_TRUE(Contains(unit_->Log(), "DCC XMIT"));
}

TEST_F(DccServiceTest, OwnOffersAndAcceptsGoOutThroughTheUnit) {
  prefs_.InstantSend = true;
  prefs_.DCCReceivePortStart = test::FreeLoopbackPort();
  prefs_.DCCReceivePortEnd = prefs_.DCCReceivePortStart + 20;
  LogIn();
  Sent();
  test::TTempDir dir;
  std::string path = dir.File("f.txt");
  std::ofstream(path) << std::string(1000, 'z');
  ASSERT_TRUE(dcc_->OfferFile(*unit_, "peer", path));
  int port = Manager().Send(0).ListenPort();
  Settle();
  // Our address is not known yet: it goes out as all bits set.
  std::string offer = "PRIVMSG peer :\x01" "DCC SEND f.txt 4294967295 " + std::to_string(port) + " 1000\x01";
  EXPECT_EQ(Sent(), std::vector<std::string>{offer});

  // Only a position inside the file gets an answer, with the peer's word.
  Query("DCC RESUME file.ext " + std::to_string(port) + " 1000");
  Settle();
  EXPECT_TRUE(Sent().empty());
  EXPECT_TRUE(Contains(unit_->Log(), "*DCC(RESUME) from peer : port=" + std::to_string(port) + " size=1000"));
  Query("DCC RESUME x.y " + std::to_string(port) + " 500");
  Settle();
  EXPECT_EQ(Sent(), std::vector<std::string>{"PRIVMSG peer :\x01" "DCC ACCEPT x.y " + std::to_string(port) +
                                             " 500\x01"});
}

TEST_F(DccServiceTest, ChatLinesArePrintedSoundedAndOfferedToTheMacros) {
  prefs_.DCCChatAction = 2;
  prefs_.EnableDCCChatMessageSound = true;
  prefs_.DCCChatMessageSoundFile = "chat.wav";
  prefs_.EnableKeywordSound = true;
  prefs_.KeywordSoundFile = "keyword.wav";
  prefs_.like_keywords = {"alarm"};
  test::TTempDir logs;
  prefs_.EnableDCCChatLog = true;
  prefs_.LogRootDir = logs.File("");
  LogIn();
  world_->ApplyPreferences();
  test::TLoopbackPeer peer(loop_);
  Query("DCC CHAT chat 2130706433 " + std::to_string(peer.Port()));
  TChannel* chat = unit_->FindChannel("=peer");
  ASSERT_NE(chat, nullptr);
  ASSERT_TRUE(peer.WaitForClient());
  ASSERT_TRUE(loop_.RunUntil([&] { return dcc_->Chats().State(*chat) == TChatState::Connected; }));
  EXPECT_TRUE(Contains(chat->Log(), "127.0.0.1:" + std::to_string(peer.Port())));

  peer.Send("hello there\r\n");
  ASSERT_TRUE(loop_.RunUntil([&] { return Contains(chat->Log(), "hello there"); }));
  EXPECT_EQ(sounds_.played, std::vector<std::string>{"chat.wav"});
  EXPECT_EQ(macros_.events.back(), "DCCCHATMESSAGE =peer hello there");
  Tick(2);
  EXPECT_TRUE(AnyFileHolds(logs.Path(), "hello there"));
  // A keyword sounds as a keyword, not as a chat line.
  sounds_.played.clear();
  peer.Send("alarm!\n");
  ASSERT_TRUE(loop_.RunUntil([&] { return Contains(chat->Log(), "alarm!"); }));
  EXPECT_EQ(sounds_.played, std::vector<std::string>{"keyword.wav"});

  // An action typed into the chat goes out as plain text.
  ASSERT_TRUE(SubmitInput(*unit_, chat, "waves", false, true, true));
  ASSERT_TRUE(peer.WaitFor("waves\n"));
  EXPECT_EQ(peer.Received(), "waves\n");
  EXPECT_EQ(chat->Log().At(chat->Log().Count() - 1).category, KindCategory(TMessageKind::Action));

  // A second chat with the same peer gets a name of its own.
  Query("DCC CHAT chat 2130706433 " + std::to_string(peer.Port()));
  EXPECT_NE(unit_->FindChannel("=peer0"), nullptr);

  // Closing the talk closes the connection.
  world_->CloseTarget(*unit_, *chat);
  EXPECT_TRUE(peer.Sync());
}

}  // namespace
}  // namespace zeph
