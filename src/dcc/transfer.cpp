#include "dcc/transfer.h"

#include "platform/sjis.h"

namespace zeph {
namespace {

constexpr int kTickMs = 1000;

}  // namespace

TTransfer::TTransfer(TTransferHost& host, TTransferKind kind, uint64_t id, uint64_t unit, std::string nick)
    : host_(host), kind_(kind), id_(id), unit_(unit), nick_(std::move(nick)), timer_(host.Loop(), [this] { Tick(); }) {}

void TTransfer::RenamePeer(std::string nick) {
  nick_ = std::move(nick);
  Changed();
}

void TTransfer::Queue() { SetState(TTransferState::Queued); }

void TTransfer::Stop() {
  Shut();
  timer_.Stop();
  SetState(TTransferState::Stopped);
}

void TTransfer::SetState(TTransferState state) {
  state_ = state;
  if (state == TTransferState::Transferring) {
    ResetCounters();
    timer_.Start(kTickMs);
  }
  Changed();
}

void TTransfer::Fail(const std::string& text) {
  Shut();
  timer_.Stop();
  error_ = text;
  state_ = TTransferState::Failed;
  Changed();
  host_.TransferEnded(kind_, id_);
}

void TTransfer::Complete() {
  state_ = TTransferState::Complete;
  Changed();
  host_.TransferEnded(kind_, id_);
}

void TTransfer::Changed() { host_.TransferChanged(kind_, id_); }

void TTransfer::Moved(int64_t bytes) {
  position_ += bytes;
  tick_.Sent(bytes);
}

int64_t TTransfer::PushSpeedSample() {
  int64_t bytes = tick_.EndTick();
  speed_.Push(bytes);
  return bytes;
}

void TTransfer::ResetCounters() {
  tick_.EndTick();
  speed_ = TSpeedSamples();
}

}  // namespace zeph
