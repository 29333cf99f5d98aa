#pragma once

#include <cstdint>
#include <string>

#include "dcc/send_pace.h"
#include "dcc/transfer_host.h"
#include "dcc/transfer_state.h"
#include "platform/event_loop.h"

// What receives and sends have in common: who the peer is, the state, how
// far the data has come and how fast it moves.
namespace zeph {

// Failure texts shared by both kinds (internal text once converted).
inline constexpr const char* kDisconnectedText = "切断されました";
inline constexpr const char* kCannotCreateFileText = "ファイルが開けません";

class TTransfer {
 public:
  TTransfer(TTransferHost& host, TTransferKind kind, uint64_t id, uint64_t unit, std::string nick);
  virtual ~TTransfer() = default;
  TTransfer(const TTransfer&) = delete;
  TTransfer& operator=(const TTransfer&) = delete;

  TTransferKind Kind() const { return kind_; }
  uint64_t Id() const { return id_; }
  uint64_t Unit() const { return unit_; }
  const std::string& Nick() const { return nick_; }
  TTransferState State() const { return state_; }
  // The failure text of state 1 (internal text).
  const std::string& ErrorText() const { return error_; }
  int64_t Size() const { return size_; }
  int64_t Position() const { return position_; }
  // The average of the last ten seconds while data flows.
  double BytesPerSecond() const { return speed_.BytesPerSecond(); }

  void RenamePeer(std::string nick);
  // "受信予約" / "送信予約": marks the transfer to be started by a start
  // pass.
  void Queue();
  // "中止": every socket and the file are closed.
  void Stop();

 protected:
  // Closes sockets and files; the state is set by the caller.
  virtual void Shut() = 0;
  virtual void Tick() = 0;

  void SetState(TTransferState state);
  // Ends in state 1 with `text` (internal text).
  void Fail(const std::string& text);
  // Ends in state 7.
  void Complete();
  void Changed();
  // Data moved: counted for the second's speed sample.
  void Moved(int64_t bytes);
  // Pushes the second's speed sample; returns its bytes.
  int64_t PushSpeedSample();
  void ResetCounters();

  TTransferHost& host_;
  const TTransferKind kind_;
  const uint64_t id_;
  const uint64_t unit_;
  std::string nick_;
  TTransferState state_ = TTransferState::Waiting;
  std::string error_;
  int64_t size_ = 0;
  int64_t position_ = 0;
  TTickBudget tick_;
  TSpeedSamples speed_;
  // The one-second timer of a running transfer.
  TTimer timer_;
};

}  // namespace zeph
