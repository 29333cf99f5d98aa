#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "dcc/dcc_message.h"
#include "dcc/offer_reaction.h"
#include "dcc/port_allocator.h"
#include "dcc/receive_transfer.h"
#include "dcc/send_transfer.h"
#include "dcc/transfer_host.h"
#include "platform/event_loop.h"

// The one DCC manager of the program: every receive and send of every
// unit, their start passes and limits, and the answers to the peers'
// RESUME and ACCEPT. It outlives the units: a transfer whose unit is gone
// goes on, only its messages and reports are dropped.
namespace zeph {

struct TPreferences;

// A transfer that completed or failed, for the line printed into its
// unit's log and the sound played. Texts are internal text.
struct TTransferReport {
  TTransferKind kind = TTransferKind::Receive;
  bool complete = false;
  uint64_t unit = 0;
  std::string file_name;
  std::string nick;
  int64_t size = 0;
  int64_t position = 0;
  int percent = 0;     // position × 100 / size
  std::string error;   // failures only
  std::string address; // failed receives: the peer's address, dotted
  int port = 0;        // failed receives
};

// The IRC side as the manager reaches it; the protocol layer implements
// it.
class TDccPeerLink {
 public:
  virtual ~TDccPeerLink() = default;
  virtual bool HasUnit(uint64_t unit) const = 0;
  // Network byte order; all bits set while unknown.
  virtual uint32_t OwnAddress(uint64_t unit) const = 0;
  // Sends `text` ("DCC SEND …") as a CTCP query to `nick`.
  virtual void SendCtcpQuery(uint64_t unit, const std::string& nick, const std::string& text) = 0;
  // Prints the completion or failure line and plays its sound; only for
  // units that still exist.
  virtual void ReportTransfer(const TTransferReport& report) {}
};

// The DCC window and anything else that shows the lists. Rows are
// positions in Receives() or Sends().
class TDccObserver {
 public:
  virtual ~TDccObserver() = default;
  virtual void TransferAdded(TTransferKind kind, size_t row) {}
  virtual void TransferRemoving(TTransferKind kind, size_t row) {}
  virtual void TransferRemoved(TTransferKind kind, size_t row) {}
  virtual void TransferChanged(TTransferKind kind, size_t row) {}
  // An offer arrived or a send was added: how the window reacts.
  virtual void WindowRequested(const TFileOfferReaction& request) {}
  // Every transfer is complete and CloseDialogOnEndTransfer is on.
  virtual void CloseRequested() {}
};

class TDccManager final : private TTransferHost {
 public:
  TDccManager(IEventLoop& loop, const TPreferences& preferences, TDccPeerLink& link);
  ~TDccManager() override;

  void AddObserver(TDccObserver* observer);
  void RemoveObserver(TDccObserver* observer);

  // A DCC query the protocol layer received from `nick` on `unit` and has
  // printed. Offers follow DCCReceiveAction and the sender's group; a
  // RESUME of a waiting send is answered with ACCEPT; an ACCEPT connects
  // the matching resuming receive. Chat offers are not the manager's.
  void OnQuery(uint64_t unit, const std::string& nick, const TDccQuery& query, const TOfferSender& sender);
  // A file offer; the new entry's id, or nothing when it is not listed
  // (DCCReceiveAction 0, an unusable offer, a duplicate, too many waiting).
  std::optional<uint64_t> OnFileOffer(uint64_t unit, const std::string& nick, const TDccSend& offer,
                                      const TOfferSender& sender);
  // True when an ACCEPT went back.
  bool OnResumeRequest(uint64_t unit, const std::string& nick, const TDccResume& request);
  // True when a resuming receive took it.
  bool OnAccept(uint64_t unit, const std::string& nick, const TDccAccept& accept);
  // A peer changed its nick, so later RESUME and ACCEPT still match.
  void RenamePeer(uint64_t unit, const std::string& old_nick, const std::string& new_nick);

  // A receive in state 0, or queued and started at once.
  uint64_t AddReceive(uint64_t unit, const std::string& nick, const TDccSend& offer,
                      std::filesystem::path folder, bool start_at_once);
  // A send in state 0, or queued and started at once with InstantSend.
  uint64_t AddSend(uint64_t unit, const std::string& nick, std::filesystem::path path);

  // The user's operations on the selected entries; each applies to the
  // entries in the states it allows and skips the rest.
  void Start(TTransferKind kind, std::span<const uint64_t> ids);
  void Queue(TTransferKind kind, std::span<const uint64_t> ids);
  void Resume(std::span<const uint64_t> ids);
  void Stop(TTransferKind kind, std::span<const uint64_t> ids);
  void Remove(TTransferKind kind, std::span<const uint64_t> ids);
  // Removes the entries in states 1, 2 and 7.
  void ClearFinished(TTransferKind kind);
  void SetReceiveFolder(uint64_t id, std::filesystem::path folder);
  void SetReceiveFileName(uint64_t id, std::filesystem::path folder, std::string_view name);
  void SetSendPath(uint64_t id, std::filesystem::path path);

  size_t Count(TTransferKind kind) const;
  const TReceiveTransfer& Receive(size_t row) const { return *receives_[row]; }
  const TSendTransfer& Send(size_t row) const { return *sends_[row]; }
  std::optional<size_t> RowOf(TTransferKind kind, uint64_t id) const;
  // Entries of a kind in state 6, for the window title " [受%d/送%d]".
  int TransferringCount(TTransferKind kind) const;
  bool IsTicking() const { return timer_.IsActive(); }

  TPortAllocator& ChatOfferPorts() { return chat_ports_; }

 private:
  IEventLoop& Loop() override { return loop_; }
  const TPreferences& Preferences() const override { return preferences_; }
  void SendToPeer(uint64_t unit, const std::string& nick, const TDccQuery& query) override;
  uint32_t OwnAddress(uint64_t unit) const override;
  TPortAllocator& FileOfferPorts() override { return file_ports_; }
  bool IsFileInUse(const std::filesystem::path& file, uint64_t asking) const override;
  void TransferChanged(TTransferKind kind, uint64_t id) override;
  void TransferEnded(TTransferKind kind, uint64_t id) override;

  TTransferHost& Host() { return *this; }
  TReceiveTransfer* FindReceive(uint64_t id);
  TSendTransfer* FindSend(uint64_t id);
  TTransfer* Find(TTransferKind kind, uint64_t id);
  void StartReceive(TReceiveTransfer& receive);
  void StartSend(TSendTransfer& send);
  template <typename T, typename StartOne>
  void StartPass(TTransferKind kind, const std::vector<std::unique_ptr<T>>& list, StartOne start);
  void ReceiveStartPass();
  void SendStartPass();
  int FreeSlots(TTransferKind kind) const;
  void Tick();
  void EnsureTicking();
  void Report(const TTransfer& transfer);
  bool AllComplete() const;
  void RemoveRow(TTransferKind kind, size_t row);
  template <typename Notice>
  void Notify(Notice notice);

  IEventLoop& loop_;
  const TPreferences& preferences_;
  TDccPeerLink& link_;
  std::vector<TDccObserver*> observers_;
  std::vector<std::unique_ptr<TReceiveTransfer>> receives_;
  std::vector<std::unique_ptr<TSendTransfer>> sends_;
  uint64_t next_id_ = 1;
  TPortAllocator file_ports_;
  TPortAllocator chat_ports_;
  TTimer timer_;
};

}  // namespace zeph
