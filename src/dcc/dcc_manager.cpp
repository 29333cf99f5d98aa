#include "dcc/dcc_manager.h"

#include <algorithm>

#include "dcc/received_file_name.h"
#include "platform/cp932.h"
#include "platform/net.h"
#include "settings/preferences.h"

namespace zeph {
namespace fs = std::filesystem;
namespace {

constexpr int kTickMs = 1000;

bool IsFinished(TTransferState state) {
  return state == TTransferState::Failed || state == TTransferState::Stopped || state == TTransferState::Complete;
}

bool InStates(TTransferState state, std::initializer_list<TTransferState> states) {
  return std::find(states.begin(), states.end(), state) != states.end();
}

template <typename T>
std::optional<size_t> FindRow(const std::vector<std::unique_ptr<T>>& list, uint64_t id) {
  for (size_t row = 0; row < list.size(); ++row) {
    if (list[row]->Id() == id) return row;
  }
  return std::nullopt;
}

TOfferKey KeyOf(const TReceiveTransfer& receive) {
  return {receive.Unit(), receive.Nick(), receive.OfferedName(), receive.Address(), receive.Port(), receive.Size()};
}

std::string FileNameOf(const TTransfer& transfer) {
  if (transfer.Kind() == TTransferKind::Send)
    return cp932::FromUtf8(static_cast<const TSendTransfer&>(transfer).DisplayName());
  const auto& receive = static_cast<const TReceiveTransfer&>(transfer);
  if (receive.FilePath().empty()) return receive.OfferedName();
  return cp932::FromUtf8(receive.FilePath().filename().string());
}

}  // namespace

TDccManager::TDccManager(IEventLoop& loop, const TPreferences& preferences, TDccPeerLink& link)
    : loop_(loop), preferences_(preferences), link_(link), timer_(loop, [this] { Tick(); }) {}

TDccManager::~TDccManager() {
  observers_.clear();
  receives_.clear();
  sends_.clear();
}

void TDccManager::AddObserver(TDccObserver* observer) { observers_.push_back(observer); }

void TDccManager::RemoveObserver(TDccObserver* observer) { std::erase(observers_, observer); }

template <typename Notice>
void TDccManager::Notify(Notice notice) {
  // An observer may remove itself while told.
  std::vector<TDccObserver*> observers = observers_;
  for (TDccObserver* observer : observers) {
    if (std::find(observers_.begin(), observers_.end(), observer) != observers_.end()) notice(*observer);
  }
}

void TDccManager::OnQuery(uint64_t unit, const std::string& nick, const TDccQuery& query,
                          const TOfferSender& sender) {
  if (const auto* send = std::get_if<TDccSend>(&query)) {
    OnFileOffer(unit, nick, *send, sender);
  } else if (const auto* resume = std::get_if<TDccResume>(&query)) {
    OnResumeRequest(unit, nick, *resume);
  } else if (const auto* accept = std::get_if<TDccAccept>(&query)) {
    OnAccept(unit, nick, *accept);
  }
}

std::optional<uint64_t> TDccManager::OnFileOffer(uint64_t unit, const std::string& nick, const TDccSend& offer,
                                                 const TOfferSender& sender) {
  TFileOfferReaction reaction = ReactToFileOffer(preferences_, offer, sender);
  if (!reaction.add) return std::nullopt;
  std::vector<TOfferKey> keys;
  keys.reserve(receives_.size());
  std::vector<TListedReceive> listed;
  listed.reserve(receives_.size());
  for (const auto& receive : receives_) {
    keys.push_back(KeyOf(*receive));
    listed.push_back({&keys.back(), receive->State()});
  }
  TOfferKey key{unit, nick, CleanReceivedName(offer.file_name), offer.address, offer.port, offer.size};
  if (AdmitOffer(key, listed) != TOfferAdmission::Admit) return std::nullopt;
  uint64_t id = AddReceive(unit, nick, offer, ReceiveFolder(preferences_, nick), reaction.start_at_once);
  Notify([&](TDccObserver& o) { o.WindowRequested(reaction); });
  return id;
}

bool TDccManager::OnResumeRequest(uint64_t unit, const std::string& nick, const TDccResume& request) {
  for (const auto& send : sends_) {
    if (send->Unit() != unit || send->Nick() != nick || send->ListenPort() != request.port) continue;
    if (!send->Resume(request.position)) return false;
    SendToPeer(unit, nick, AcceptReply(request));
    return true;
  }
  return false;
}

bool TDccManager::OnAccept(uint64_t unit, const std::string& nick, const TDccAccept& accept) {
  for (const auto& receive : receives_) {
    if (receive->Unit() != unit || receive->Nick() != nick || receive->Port() != accept.port ||
        receive->State() != TTransferState::Negotiating)
      continue;
    if (receive->Accept(accept.position)) {
      EnsureTicking();
      return true;
    }
  }
  return false;
}

void TDccManager::RenamePeer(uint64_t unit, const std::string& old_nick, const std::string& new_nick) {
  for (const auto& receive : receives_) {
    TTransferState state = receive->State();
    if (receive->Unit() == unit && receive->Nick() == old_nick && state != TTransferState::Complete &&
        state != TTransferState::Stopped)
      receive->RenamePeer(new_nick);
  }
  for (const auto& send : sends_) {
    if (send->Unit() == unit && send->Nick() == old_nick && send->State() != TTransferState::Complete)
      send->RenamePeer(new_nick);
  }
}

uint64_t TDccManager::AddReceive(uint64_t unit, const std::string& nick, const TDccSend& offer, fs::path folder,
                                 bool start_at_once) {
  uint64_t id = next_id_++;
  receives_.push_back(std::make_unique<TReceiveTransfer>(Host(), id, unit, nick, offer, std::move(folder)));
  Notify([&](TDccObserver& o) { o.TransferAdded(TTransferKind::Receive, receives_.size() - 1); });
  EnsureTicking();
  if (start_at_once) {
    receives_.back()->Queue();
    ReceiveStartPass();
  }
  return id;
}

uint64_t TDccManager::AddSend(uint64_t unit, const std::string& nick, fs::path path) {
  uint64_t id = next_id_++;
  sends_.push_back(std::make_unique<TSendTransfer>(Host(), id, unit, nick, std::move(path)));
  Notify([&](TDccObserver& o) { o.TransferAdded(TTransferKind::Send, sends_.size() - 1); });
  EnsureTicking();
  if (preferences_.InstantSend) {
    sends_.back()->Queue();
    SendStartPass();
  }
  if (preferences_.ViewDialogOnSend) {
    TFileOfferReaction show;
    show.show_window = true;
    Notify([&](TDccObserver& o) { o.WindowRequested(show); });
  }
  return id;
}

void TDccManager::StartReceive(TReceiveTransfer& receive) {
  receive.Start();
  EnsureTicking();
}

void TDccManager::StartSend(TSendTransfer& send) {
  send.Start();
  EnsureTicking();
}

void TDccManager::Start(TTransferKind kind, std::span<const uint64_t> ids) {
  using S = TTransferState;
  for (uint64_t id : ids) {
    if (TReceiveTransfer* receive = kind == TTransferKind::Receive ? FindReceive(id) : nullptr) {
      if (InStates(receive->State(), {S::Waiting, S::Failed, S::Queued, S::Negotiating})) StartReceive(*receive);
    } else if (TSendTransfer* send = kind == TTransferKind::Send ? FindSend(id) : nullptr) {
      if (InStates(send->State(), {S::Waiting, S::Failed, S::Stopped, S::Queued})) StartSend(*send);
    }
  }
}

void TDccManager::Queue(TTransferKind kind, std::span<const uint64_t> ids) {
  using S = TTransferState;
  for (uint64_t id : ids) {
    TTransfer* transfer = Find(kind, id);
    if (transfer == nullptr) continue;
    bool allowed = kind == TTransferKind::Receive ? InStates(transfer->State(), {S::Waiting, S::Failed})
                                                  : InStates(transfer->State(), {S::Waiting, S::Failed, S::Stopped});
    if (allowed) transfer->Queue();
  }
}

void TDccManager::Resume(std::span<const uint64_t> ids) {
  using S = TTransferState;
  for (uint64_t id : ids) {
    TReceiveTransfer* receive = FindReceive(id);
    if (receive == nullptr || !InStates(receive->State(), {S::Waiting, S::Failed, S::Queued})) continue;
    if (receive->StartResume()) EnsureTicking();
  }
}

void TDccManager::Stop(TTransferKind kind, std::span<const uint64_t> ids) {
  for (uint64_t id : ids) {
    TTransfer* transfer = Find(kind, id);
    if (transfer != nullptr && (transfer->State() == TTransferState::Queued || IsActive(transfer->State())))
      transfer->Stop();
  }
}

void TDccManager::Remove(TTransferKind kind, std::span<const uint64_t> ids) {
  using S = TTransferState;
  for (uint64_t id : ids) {
    std::optional<size_t> row = RowOf(kind, id);
    if (!row) continue;
    TTransferState state = Find(kind, id)->State();
    if (InStates(state, {S::Waiting, S::Failed, S::Stopped, S::Queued, S::Complete})) RemoveRow(kind, *row);
  }
}

void TDccManager::ClearFinished(TTransferKind kind) {
  for (size_t row = Count(kind); row-- > 0;) {
    TTransferState state = kind == TTransferKind::Receive ? receives_[row]->State() : sends_[row]->State();
    if (IsFinished(state)) RemoveRow(kind, row);
  }
}

void TDccManager::RemoveRow(TTransferKind kind, size_t row) {
  Notify([&](TDccObserver& o) { o.TransferRemoving(kind, row); });
  // The entry may be the one whose report is running: free it later.
  std::shared_ptr<TTransfer> retired;
  if (kind == TTransferKind::Receive) {
    retired.reset(receives_[row].release());
    receives_.erase(receives_.begin() + static_cast<ptrdiff_t>(row));
  } else {
    retired.reset(sends_[row].release());
    sends_.erase(sends_.begin() + static_cast<ptrdiff_t>(row));
  }
  loop_.Post([retired] {});
  Notify([&](TDccObserver& o) { o.TransferRemoved(kind, row); });
}

void TDccManager::SetReceiveFolder(uint64_t id, fs::path folder) {
  using S = TTransferState;
  TReceiveTransfer* receive = FindReceive(id);
  if (receive != nullptr && InStates(receive->State(), {S::Waiting, S::Failed, S::Queued}))
    receive->SetFolder(std::move(folder));
}

void TDccManager::SetReceiveFileName(uint64_t id, fs::path folder, std::string_view name) {
  using S = TTransferState;
  TReceiveTransfer* receive = FindReceive(id);
  if (receive != nullptr && InStates(receive->State(), {S::Waiting, S::Failed, S::Queued}))
    receive->SetFileName(std::move(folder), name);
}

void TDccManager::SetSendPath(uint64_t id, fs::path path) {
  using S = TTransferState;
  TSendTransfer* send = FindSend(id);
  if (send != nullptr && InStates(send->State(), {S::Waiting, S::Failed, S::Stopped, S::Queued}))
    send->SetPath(std::move(path));
}

size_t TDccManager::Count(TTransferKind kind) const {
  return kind == TTransferKind::Receive ? receives_.size() : sends_.size();
}

std::optional<size_t> TDccManager::RowOf(TTransferKind kind, uint64_t id) const {
  return kind == TTransferKind::Receive ? FindRow(receives_, id) : FindRow(sends_, id);
}

int TDccManager::TransferringCount(TTransferKind kind) const {
  auto transferring = [](const auto& entry) { return entry->State() == TTransferState::Transferring; };
  if (kind == TTransferKind::Receive) return static_cast<int>(std::count_if(receives_.begin(), receives_.end(), transferring));
  return static_cast<int>(std::count_if(sends_.begin(), sends_.end(), transferring));
}

TReceiveTransfer* TDccManager::FindReceive(uint64_t id) {
  std::optional<size_t> row = FindRow(receives_, id);
  return row ? receives_[*row].get() : nullptr;
}

TSendTransfer* TDccManager::FindSend(uint64_t id) {
  std::optional<size_t> row = FindRow(sends_, id);
  return row ? sends_[*row].get() : nullptr;
}

TTransfer* TDccManager::Find(TTransferKind kind, uint64_t id) {
  if (kind == TTransferKind::Receive) return FindReceive(id);
  return FindSend(id);
}

int TDccManager::FreeSlots(TTransferKind kind) const {
  bool limited = kind == TTransferKind::Receive ? preferences_.EnableMaxDCCReceiveConnection
                                                : preferences_.EnableMaxDCCSendConnection;
  if (!limited) return INT32_MAX;
  int limit = kind == TTransferKind::Receive ? preferences_.MaxDCCReceiveConnection : preferences_.MaxDCCSendConnection;
  auto active = [](const auto& entry) { return IsActive(entry->State()); };
  long busy = kind == TTransferKind::Receive ? std::count_if(receives_.begin(), receives_.end(), active)
                                             : std::count_if(sends_.begin(), sends_.end(), active);
  return limit - static_cast<int>(busy);
}

// Starting may end an entry at once and run a pass again inside, so the
// pass goes by ids, which outlive rows, and counts the free slots anew
// before each start.
template <typename T, typename StartOne>
void TDccManager::StartPass(TTransferKind kind, const std::vector<std::unique_ptr<T>>& list, StartOne start) {
  std::vector<uint64_t> queued;
  for (const auto& entry : list) {
    if (entry->State() == TTransferState::Queued) queued.push_back(entry->Id());
  }
  for (uint64_t id : queued) {
    if (FreeSlots(kind) <= 0) break;
    std::optional<size_t> row = FindRow(list, id);
    if (row && list[*row]->State() == TTransferState::Queued) start(*list[*row]);
  }
}

void TDccManager::ReceiveStartPass() {
  StartPass(TTransferKind::Receive, receives_, [this](TReceiveTransfer& receive) {
    if (preferences_.AutoResume && receive.StartResume(false)) {
      EnsureTicking();
    } else {
      StartReceive(receive);
    }
  });
}

void TDccManager::SendStartPass() {
  StartPass(TTransferKind::Send, sends_, [this](TSendTransfer& send) { StartSend(send); });
}

void TDccManager::EnsureTicking() {
  if (!timer_.IsActive()) timer_.Start(kTickMs);
}

void TDccManager::Tick() {
  ReceiveStartPass();
  SendStartPass();
  auto active = [](const auto& entry) { return IsActive(entry->State()); };
  if (std::none_of(receives_.begin(), receives_.end(), active) && std::none_of(sends_.begin(), sends_.end(), active))
    timer_.Stop();
}

void TDccManager::SendToPeer(uint64_t unit, const std::string& nick, const TDccQuery& query) {
  if (link_.HasUnit(unit)) link_.SendCtcpQuery(unit, nick, DccQueryText(query));
}

uint32_t TDccManager::OwnAddress(uint64_t unit) const { return link_.OwnAddress(unit); }

bool TDccManager::IsFileInUse(const fs::path& file, uint64_t asking) const {
  return std::any_of(receives_.begin(), receives_.end(), [&](const auto& receive) {
    return receive->Id() != asking && IsActive(receive->State()) && receive->FilePath() == file;
  });
}

void TDccManager::TransferChanged(TTransferKind kind, uint64_t id) {
  std::optional<size_t> row = RowOf(kind, id);
  if (!row) return;
  Notify([&](TDccObserver& o) { o.TransferChanged(kind, *row); });
}

void TDccManager::TransferEnded(TTransferKind kind, uint64_t id) {
  if (kind == TTransferKind::Receive) {
    ReceiveStartPass();
  } else {
    SendStartPass();
  }
  TTransfer* transfer = Find(kind, id);
  if (transfer == nullptr) return;
  bool complete = transfer->State() == TTransferState::Complete;
  Report(*transfer);
  if (complete && preferences_.CloseDialogOnEndTransfer && AllComplete())
    Notify([](TDccObserver& o) { o.CloseRequested(); });
}

void TDccManager::Report(const TTransfer& transfer) {
  if (!link_.HasUnit(transfer.Unit())) return;
  TTransferReport report;
  report.kind = transfer.Kind();
  report.complete = transfer.State() == TTransferState::Complete;
  report.unit = transfer.Unit();
  report.file_name = FileNameOf(transfer);
  report.nick = transfer.Nick();
  report.size = transfer.Size();
  report.position = transfer.Position();
  if (transfer.Size() > 0)
    report.percent = static_cast<int>(static_cast<double>(transfer.Position()) * 100.0 / static_cast<double>(transfer.Size()));
  if (!report.complete) {
    report.error = transfer.ErrorText();
    if (transfer.Kind() == TTransferKind::Receive) {
      const auto& receive = static_cast<const TReceiveTransfer&>(transfer);
      report.address = net::TNetAddress::FromIpv4(NetworkAddress(receive.Address())).ToText();
      report.port = receive.Port();
    }
  }
  link_.ReportTransfer(report);
}

bool TDccManager::AllComplete() const {
  auto complete = [](const auto& entry) { return entry->State() == TTransferState::Complete; };
  return std::all_of(receives_.begin(), receives_.end(), complete) && std::all_of(sends_.begin(), sends_.end(), complete);
}

}  // namespace zeph
