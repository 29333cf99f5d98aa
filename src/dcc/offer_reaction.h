#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "dcc/dcc_message.h"
#include "dcc/transfer_state.h"

// What becomes of an offer that arrives: whether it is listed, started at
// once, how the DCC window reacts, and what keeps a flood of offers out.
// The desktop program and the headless one decide alike.
namespace zeph {

struct TPreferences;

// Who sent an offer, as the user groups sort people.
struct TOfferSender {
  bool self = false;     // our own nick or a "Self" mask
  int group_index = -1;  // 0-4 for user groups 1-5; -1 for anyone else
};

struct TFileOfferReaction {
  bool add = false;            // a receive entry is added
  bool start_at_once = false;  // queued and started by the start pass
  bool show_window = false;
  bool show_minimised = false;  // with show_window
  // When the DCC window is open: bring it to the front, else flash its
  // title unless it is the active window.
  bool activate_window = false;
  bool blink_window = false;

  bool operator==(const TFileOfferReaction&) const = default;
};

// DCCReceiveAction 0 lists nothing; 1 lists the offer; 2 also starts it
// when the sender's group has its AutoReceive switch on. An offer that
// fails CheckOffer (no size, an unusable address or port) is only shown.
TFileOfferReaction ReactToFileOffer(const TPreferences& preferences, const TDccSend& offer,
                                    const TOfferSender& sender);

enum class TChatOfferReaction {
  None,     // shown only
  AskUser,  // the request dialog "DCCチャット要求"
  Connect,  // the chat starts at once
};

// DCCChatAction 0, 1 or 2; the dialog only while fewer request dialogs
// than MaxDCCChatRequestDialog are open (when that limit is on). An offer
// with an unusable address or port is only shown.
TChatOfferReaction ReactToChatOffer(const TPreferences& preferences, const TDccChat& offer,
                                    int open_request_dialogs);

// A receive entry as far as offers are told apart.
struct TOfferKey {
  uint64_t unit = 0;  // the unit's node id
  std::string nick;   // compared byte for byte
  std::string file_name;
  uint32_t address = 0;
  int port = 0;
  int64_t size = 0;

  bool operator==(const TOfferKey&) const = default;
};

struct TListedReceive {
  const TOfferKey* key = nullptr;
  TTransferState state = TTransferState::Waiting;
};

// Entries of one unit waiting for the user or for a slot (states 0 and 3)
// beyond which further offers from that unit are dropped.
inline constexpr int kMaxWaitingReceivesPerUnit = 100;

enum class TOfferAdmission {
  Admit,
  Duplicate,       // the same offer is still listed and not finished with
  TooManyWaiting,  // the unit already has kMaxWaitingReceivesPerUnit waiting
};

// Whether an offer that is to be added gets an entry next to the listed
// ones. An offer repeated after its entry failed, stopped or completed is
// a new one.
TOfferAdmission AdmitOffer(const TOfferKey& offer, std::span<const TListedReceive> receives);

}  // namespace zeph
