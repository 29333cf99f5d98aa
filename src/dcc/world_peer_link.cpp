#include "dcc/world_peer_link.h"

#include "settings/preferences.h"
#include "engine/world.h"
#include "net/resolver.h"
#include "protocol/incoming_alerts.h"

namespace zeph {
namespace {

struct TReportSound {
  bool enabled;
  const std::string& file;
};

TReportSound SoundOf(const TPreferences& p, const TTransferReport& r) {
  if (r.kind == TTransferKind::Receive) {
    return r.complete ? TReportSound{p.EnableDCCReceiveCompleteSound, p.DCCReceiveCompleteSoundFile}
                      : TReportSound{p.EnableDCCReceiveFailSound, p.DCCReceiveFailSoundFile};
  }
  return r.complete ? TReportSound{p.EnableDCCSendCompleteSound, p.DCCSendCompleteSoundFile}
                    : TReportSound{p.EnableDCCSendFailSound, p.DCCSendFailSoundFile};
}

}  // namespace

bool TWorldPeerLink::HasUnit(uint64_t unit) const { return world_.FindUnitById(unit) != nullptr; }

uint32_t TWorldPeerLink::OwnAddress(uint64_t unit) const {
  const TUnit* found = world_.FindUnitById(unit);
  return found ? found->OwnAddress() : TResolver::kNone;
}

void TWorldPeerLink::SendCtcpQuery(uint64_t unit, const std::string& nick, const std::string& text) {
  if (TUnit* found = world_.FindUnitById(unit)) found->SendCtcpQuery(nick, text);
}

void TWorldPeerLink::ReportTransfer(const TTransferReport& r) {
  TUnit* unit = world_.FindUnitById(r.unit);
  if (unit == nullptr) return;
  const TMessageFormat& formats = world_.Formats();
  TMessageKind kind;
  std::string text;
  if (r.kind == TTransferKind::Receive) {
    kind = r.complete ? TMessageKind::DCCReceiveComplete : TMessageKind::DCCReceiveFail;
    text = r.complete ? formats.FormatDCCReceiveComplete(r.nick, r.file_name, r.size)
                      : formats.FormatDCCReceiveFail(r.nick, r.file_name, r.address, r.port, r.size, r.position,
                                                     r.error);
  } else {
    kind = r.complete ? TMessageKind::DCCSendComplete : TMessageKind::DCCSendFail;
    text = r.complete ? formats.FormatDCCSendComplete(r.nick, r.file_name, r.size)
                      : formats.FormatDCCSendFail(r.nick, r.file_name, r.size, r.position, r.error);
  }
  unit->PrintToUnit(kind, r.nick, text);
  TReportSound sound = SoundOf(unit->Prefs(), r);
  PlayMessageSound(*unit, sound.enabled, sound.file);
}

}  // namespace zeph
