#include "dcc/send_transfer.h"

#include "dcc/offer_rules.h"
#include "net/socket_error.h"
#include "platform/cp932.h"
#include "platform/sjis.h"
#include "settings/preferences.h"

namespace zeph {
namespace fs = std::filesystem;
namespace {

constexpr int kTickMs = 1000;
// How long a finished send keeps its connection open, so that the peer
// reads the last bytes and closes first.
constexpr int kLingerMs = 10000;
constexpr int kDiscardPiece = 1024;

}  // namespace

TSendTransfer::TSendTransfer(TTransferHost& host, uint64_t id, uint64_t unit, std::string nick, fs::path path)
    : TTransfer(host, TTransferKind::Send, id, unit, std::move(nick)), path_(std::move(path)) {
  std::error_code error;
  uintmax_t size = fs::file_size(path_, error);
  if (!error) size_ = static_cast<int64_t>(size);
}

TSendTransfer::~TSendTransfer() { Shut(); }

void TSendTransfer::Start() {
  Shut();
  position_ = 0;
  error_.clear();
  ResetCounters();
  if (!file_.Open(path_)) {
    Fail(Sjis(kCannotCreateFileText));
    return;
  }
  size_ = file_.Size();
  SetState(TTransferState::Opening);
  ports_.emplace(host_.FileOfferPorts(), FileOfferPorts(host_.Preferences()));
  ListenOnNextPort();
}

void TSendTransfer::ListenOnNextPort() {
  for (;;) {
    std::optional<int> port = ports_->Next();
    if (!port) {
      Fail(Sjis(kNoFreePortText));
      return;
    }
    RetireListener();
    listener_ = std::make_unique<TListenSocket>(host_.Loop());
    listener_->SetListener(this);
    listener_->SetPort(*port);
    port_busy_ = false;
    listener_->Listen();  // reports before it returns
    if (!port_busy_) return;
  }
}

void TSendTransfer::OnListenError(TListenSocket&, int kind, const std::string& text) {
  if (state_ == TTransferState::Opening && kind == kSocketErrorBind) {
    port_busy_ = true;
  } else if (state_ == TTransferState::Opening || state_ == TTransferState::Negotiating) {
    Fail(text);
  }
}

void TSendTransfer::OnListening(TListenSocket& socket) {
  listen_port_ = socket.Port();
  offer_address_ = host_.OwnAddress(unit_);
  SetState(TTransferState::Negotiating);
  bool extended = host_.Preferences().ExtendedDCCProtocol;
  host_.SendToPeer(unit_, nick_,
                   FileOffer(cp932::FromUtf8(DisplayName()), offer_address_, listen_port_, size_, extended));
}

bool TSendTransfer::Resume(int64_t position) {
  if (state_ != TTransferState::Negotiating || !IsValidResumePosition(position, size_)) return false;
  position_ = position;
  Changed();
  return true;
}

void TSendTransfer::SetPath(fs::path path) {
  path_ = std::move(path);
  std::error_code error;
  uintmax_t size = fs::file_size(path_, error);
  size_ = error ? 0 : static_cast<int64_t>(size);
  Changed();
}

void TSendTransfer::OnAccepted(TListenSocket& socket, int index) {
  if (connected_ || index != 0) {
    socket.RemoveClient(index);
    return;
  }
  connected_ = true;
  socket.Close();
  TSendPace pace = TSendPace::From(host_.Preferences());
  piece_.resize(static_cast<size_t>(pace.piece_bytes));
  SetState(TTransferState::Transferring);
  Pump();
}

void TSendTransfer::Pump() {
  if (state_ != TTransferState::Transferring) return;
  TSendPace pace = TSendPace::From(host_.Preferences());
  if (piece_.size() < static_cast<size_t>(pace.piece_bytes)) piece_.resize(static_cast<size_t>(pace.piece_bytes));
  int64_t moved = 0;
  for (;;) {
    int64_t piece = tick_.NextPiece(pace, size_ - position_);
    if (piece < 1) break;
    long read = file_.Read(piece_.data(), static_cast<size_t>(piece), position_);
    if (read <= 0) {
      Fail(Sjis(kCannotCreateFileText));
      return;
    }
    // The socket may fail inside Send; it reports on a later turn.
    int sent = listener_->Send(0, piece_.data(), static_cast<int>(read));
    if (sent <= 0) break;
    Moved(sent);
    moved += sent;
    if (sent < read) break;  // the rest is read again when the socket drains
  }
  if (position_ >= size_) {
    Finish();
  } else if (moved > 0) {
    Changed();
  }
}

void TSendTransfer::Finish() {
  file_.Close();
  linger_ms_ = 0;
  Complete();
}

void TSendTransfer::Tick() {
  if (state_ == TTransferState::Transferring) {
    Pump();
    if (state_ == TTransferState::Transferring) {
      PushSpeedSample();
      Changed();
      Pump();  // the new second's budget goes at once, not a tick late
    }
  } else if (state_ == TTransferState::Complete && connected_) {
    linger_ms_ += kTickMs;
    if (linger_ms_ > kLingerMs) {
      timer_.Stop();
      CloseConnection();
    }
  } else {
    timer_.Stop();
  }
}

void TSendTransfer::OnClientData(TListenSocket& socket, int index) {
  if (!IsConnection(index)) return;
  // The acknowledgements tell nothing we act on.
  char discard[kDiscardPiece];
  while (socket.Length(index) > 0) socket.Read(index, discard, sizeof discard);
}

void TSendTransfer::OnClientWritable(TListenSocket&, int index) {
  if (IsConnection(index)) Pump();
}

void TSendTransfer::OnClientClosed(TListenSocket&, int index) {
  if (!IsConnection(index)) return;
  if (state_ == TTransferState::Complete) {
    timer_.Stop();
    CloseConnection();
  } else {
    Fail(Sjis(kDisconnectedText));
  }
}

void TSendTransfer::OnClientError(TListenSocket&, int index, int, const std::string& text) {
  if (!IsConnection(index)) return;
  if (state_ == TTransferState::Complete) {
    timer_.Stop();
    CloseConnection();
  } else {
    Fail(text);
  }
}

void TSendTransfer::OnListenClosed(TListenSocket&) {
  if (state_ == TTransferState::Negotiating) Fail(Sjis(kListenerStoppedText));
}

void TSendTransfer::CloseConnection() {
  connected_ = false;
  RetireListener();
}

void TSendTransfer::RetireListener() {
  if (!listener_) return;
  // The listener may be inside a report of its own: free it later.
  std::shared_ptr<TListenSocket> retired(listener_.release());
  retired->SetListener(nullptr);
  retired->Close();
  if (retired->ClientCount() > 0) retired->RemoveClient(0);
  host_.Loop().Post([retired] {});
}

void TSendTransfer::Shut() {
  CloseConnection();
  file_.Close();
}

}  // namespace zeph
