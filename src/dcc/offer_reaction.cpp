#include "dcc/offer_reaction.h"

#include "settings/preferences.h"
#include "dcc/offer_rules.h"

namespace zeph {
namespace {

constexpr int kReceiveNothing = 0;
constexpr int kReceiveAutomatically = 2;
constexpr int kChatDialog = 1;
constexpr int kChatStart = 2;

bool AutoReceives(const TPreferences& preferences, const TOfferSender& sender) {
  if (sender.self) return preferences.AutoReceiveSelf;
  switch (sender.group_index) {
    case 0: return preferences.AutoReceiveGroup1;
    case 1: return preferences.AutoReceiveGroup2;
    case 2: return preferences.AutoReceiveGroup3;
    case 3: return preferences.AutoReceiveGroup4;
    case 4: return preferences.AutoReceiveGroup5;
    default: return preferences.AutoReceiveNormal;
  }
}

bool IsDone(TTransferState state) {
  return state == TTransferState::Failed || state == TTransferState::Stopped || state == TTransferState::Complete;
}

bool IsWaiting(TTransferState state) { return state == TTransferState::Waiting || state == TTransferState::Queued; }

}  // namespace

TFileOfferReaction ReactToFileOffer(const TPreferences& preferences, const TDccSend& offer,
                                    const TOfferSender& sender) {
  TFileOfferReaction reaction;
  if (preferences.DCCReceiveAction == kReceiveNothing || CheckOffer(offer) != TOfferFault::None) return reaction;
  reaction.add = true;
  reaction.start_at_once =
      preferences.DCCReceiveAction == kReceiveAutomatically && AutoReceives(preferences, sender);
  reaction.show_window = preferences.ViewDialogOnReceive;
  reaction.show_minimised = preferences.ViewDialogOnReceive && preferences.MinimizeDialogOnAutoReceive &&
                            reaction.start_at_once && !preferences.ActivateDialogOnReceive;
  reaction.activate_window = preferences.ActivateDialogOnReceive;
  reaction.blink_window = !preferences.ActivateDialogOnReceive && preferences.BlinkDialogOnReceive;
  return reaction;
}

TChatOfferReaction ReactToChatOffer(const TPreferences& preferences, const TDccChat& offer,
                                    int open_request_dialogs) {
  if (CheckOffer(offer) != TOfferFault::None) return TChatOfferReaction::None;
  switch (preferences.DCCChatAction) {
    case kChatStart: return TChatOfferReaction::Connect;
    case kChatDialog:
      if (preferences.EnableMaxDCCChatRequestDialog && open_request_dialogs >= preferences.MaxDCCChatRequestDialog)
        return TChatOfferReaction::None;
      return TChatOfferReaction::AskUser;
    default: return TChatOfferReaction::None;
  }
}

TOfferAdmission AdmitOffer(const TOfferKey& offer, std::span<const TListedReceive> receives) {
  int waiting = 0;
  for (const TListedReceive& listed : receives) {
    if (listed.key->unit != offer.unit) continue;
    if (*listed.key == offer && !IsDone(listed.state)) return TOfferAdmission::Duplicate;
    if (IsWaiting(listed.state)) ++waiting;
  }
  return waiting >= kMaxWaitingReceivesPerUnit ? TOfferAdmission::TooManyWaiting : TOfferAdmission::Admit;
}

}  // namespace zeph
