#include "dcc/offer_reaction.h"

#include <gtest/gtest.h>

#include <deque>
#include <vector>

#include "settings/preferences.h"

namespace zeph {
namespace {

const TDccSend kOffer{"a.txt", 0x7F000001, 1100, 1000, 0};
const TOfferSender kStranger{};
const TOfferSender kSelf{true, -1};
const TOfferSender kGroup3{false, 2};

TEST(FileOfferReaction, TheReceiveActionAndTheSendersGroupDecide) {
  TPreferences prefs;
  prefs.AutoReceiveGroup3 = false;

  prefs.DCCReceiveAction = 0;
  EXPECT_FALSE(ReactToFileOffer(prefs, kOffer, kSelf).add);

  prefs.DCCReceiveAction = 1;
  TFileOfferReaction listed = ReactToFileOffer(prefs, kOffer, kSelf);
  EXPECT_TRUE(listed.add);
  EXPECT_FALSE(listed.start_at_once);

  prefs.DCCReceiveAction = 2;
  EXPECT_TRUE(ReactToFileOffer(prefs, kOffer, kSelf).start_at_once);
  EXPECT_TRUE(ReactToFileOffer(prefs, kOffer, kStranger).start_at_once);
  TFileOfferReaction held = ReactToFileOffer(prefs, kOffer, kGroup3);
  EXPECT_TRUE(held.add);
  EXPECT_FALSE(held.start_at_once);
  prefs.AutoReceiveNormal = false;
  EXPECT_FALSE(ReactToFileOffer(prefs, kOffer, kStranger).start_at_once);
  EXPECT_TRUE(ReactToFileOffer(prefs, kOffer, kSelf).start_at_once);
}

TEST(FileOfferReaction, OffersThatCannotBeTakenUpAreOnlyShown) {
  TPreferences prefs;
  prefs.DCCReceiveAction = 2;
  for (TDccSend offer : {TDccSend{"a", 0x7F000001, 1100, 0, 0}, TDccSend{"a", 0x7F000001, 1100, -1, 0},
                         TDccSend{"a", 0, 1100, 10, 0}, TDccSend{"a", 0xFFFFFFFF, 1100, 10, 0},
                         TDccSend{"a", 0x7F000001, 0, 10, 0}, TDccSend{"a", 0x7F000001, 65536, 10, 0}}) {
    EXPECT_EQ(ReactToFileOffer(prefs, offer, kSelf), TFileOfferReaction{}) << offer.address << ":" << offer.port;
  }
}

TEST(FileOfferReaction, TheWindowShowsItselfAsSet) {
  struct Case {
    bool view, minimize, blink, activate, auto_receive;
    TFileOfferReaction reaction;
  } cases[] = {
      {true, false, true, false, false, {true, false, true, false, false, true}},
      {true, true, true, false, true, {true, true, true, true, false, true}},
      {true, true, true, false, false, {true, false, true, false, false, true}},
      {true, true, true, true, true, {true, true, true, false, true, false}},
      {false, true, true, false, true, {true, true, false, false, false, true}},
      {false, false, false, false, false, {true, false, false, false, false, false}},
  };
  for (const Case& c : cases) {
    TPreferences prefs;
    prefs.DCCReceiveAction = c.auto_receive ? 2 : 1;
    prefs.ViewDialogOnReceive = c.view;
    prefs.MinimizeDialogOnAutoReceive = c.minimize;
    prefs.BlinkDialogOnReceive = c.blink;
    prefs.ActivateDialogOnReceive = c.activate;
    EXPECT_EQ(ReactToFileOffer(prefs, kOffer, kStranger), c.reaction)
        << c.view << c.minimize << c.blink << c.activate << c.auto_receive;
  }
}

TEST(ChatOfferReaction, TheChatActionAndTheDialogLimitDecide) {
  TDccChat offer{0x7F000001, 1196};
  TPreferences prefs;
  EXPECT_EQ(ReactToChatOffer(prefs, offer, 0), TChatOfferReaction::AskUser);
  EXPECT_EQ(ReactToChatOffer(prefs, offer, 2), TChatOfferReaction::AskUser);
  EXPECT_EQ(ReactToChatOffer(prefs, offer, 3), TChatOfferReaction::None);
  prefs.EnableMaxDCCChatRequestDialog = false;
  EXPECT_EQ(ReactToChatOffer(prefs, offer, 30), TChatOfferReaction::AskUser);
  prefs.DCCChatAction = 2;
  EXPECT_EQ(ReactToChatOffer(prefs, offer, 30), TChatOfferReaction::Connect);
  EXPECT_EQ(ReactToChatOffer(prefs, TDccChat{0, 1196}, 0), TChatOfferReaction::None);
  EXPECT_EQ(ReactToChatOffer(prefs, TDccChat{0x7F000001, 0}, 0), TChatOfferReaction::None);
  prefs.DCCChatAction = 0;
  EXPECT_EQ(ReactToChatOffer(prefs, offer, 0), TChatOfferReaction::None);
}

class OfferAdmissionTest : public ::testing::Test {
 protected:
  void Clear() {
    keys_.clear();
    states_.clear();
  }
  void List(const TOfferKey& key, TTransferState state, int copies = 1) {
    for (int i = 0; i < copies; ++i) keys_.push_back(key);
    states_.insert(states_.end(), copies, state);
  }
  TOfferAdmission Admit(const TOfferKey& offer) {
    std::vector<TListedReceive> listed;
    for (size_t i = 0; i < keys_.size(); ++i) listed.push_back({&keys_[i], states_[i]});
    return AdmitOffer(offer, listed);
  }

  std::deque<TOfferKey> keys_;
  std::vector<TTransferState> states_;
};

TEST_F(OfferAdmissionTest, ARepeatedOfferIsDroppedWhileItsEntryIsNotFinishedWith) {
  TOfferKey offer{1, "alice", "a.txt", 0x7F000001, 1100, 1000};
  EXPECT_EQ(Admit(offer), TOfferAdmission::Admit);
  for (TTransferState state : {TTransferState::Waiting, TTransferState::Queued, TTransferState::Opening,
                               TTransferState::Negotiating, TTransferState::Transferring}) {
    Clear();
    List(offer, state);
    EXPECT_EQ(Admit(offer), TOfferAdmission::Duplicate) << static_cast<int>(state);
    TOfferKey other_port = offer;
    other_port.port = 1101;
    EXPECT_EQ(Admit(other_port), TOfferAdmission::Admit);
    TOfferKey other_unit = offer;
    other_unit.unit = 2;
    EXPECT_EQ(Admit(other_unit), TOfferAdmission::Admit);
  }
  for (TTransferState state : {TTransferState::Failed, TTransferState::Stopped, TTransferState::Complete}) {
    Clear();
    List(offer, state);
    EXPECT_EQ(Admit(offer), TOfferAdmission::Admit) << static_cast<int>(state);
  }
}

TEST_F(OfferAdmissionTest, EachUnitHoldsAtMostAHundredWaitingEntries) {
  TOfferKey waiting{1, "flood", "x", 0x7F000001, 1100, 10};
  List(waiting, TTransferState::Waiting, 60);
  List(waiting, TTransferState::Queued, 39);
  List(waiting, TTransferState::Complete, 50);
  List(waiting, TTransferState::Transferring, 3);
  TOfferKey next{1, "flood", "y", 0x7F000001, 1100, 10};
  EXPECT_EQ(Admit(next), TOfferAdmission::Admit);
  List(waiting, TTransferState::Queued);
  EXPECT_EQ(Admit(next), TOfferAdmission::TooManyWaiting);
  next.unit = 2;
  EXPECT_EQ(Admit(next), TOfferAdmission::Admit);
}

}  // namespace
}  // namespace zeph
