#include "dcc/receive_transfer.h"

#include <algorithm>

#include "dcc/offer_rules.h"
#include "dcc/received_file_name.h"
#include "net/resolver.h"
#include "platform/net.h"
#include "platform/sjis.h"

namespace zeph {
namespace fs = std::filesystem;
namespace {

constexpr int64_t kReadPiece = 65536;

std::string DottedAddress(uint32_t wire_address) {
  return net::TNetAddress::FromIpv4(NetworkAddress(wire_address)).ToText();
}

}  // namespace

TReceiveTransfer::TReceiveTransfer(TTransferHost& host, uint64_t id, uint64_t unit, std::string nick,
                                   const TDccSend& offer, fs::path folder)
    : TTransfer(host, TTransferKind::Receive, id, unit, std::move(nick)),
      protocol_(offer.protocol),
      offered_name_(CleanReceivedName(offer.file_name)),
      folder_(std::move(folder)),
      address_(offer.address),
      port_(offer.port) {
  size_ = offer.size;
}

TReceiveTransfer::~TReceiveTransfer() { Shut(); }

std::optional<int> TReceiveTransfer::ResumeSecondsLeft() const {
  if (state_ != TTransferState::Negotiating) return std::nullopt;
  return resume_wait_.SecondsLeft(host_.Preferences());
}

void TReceiveTransfer::Start() {
  Shut();
  resume_ = false;
  position_ = 0;
  error_.clear();
  Connect();
}

void TReceiveTransfer::Connect() {
  SetState(TTransferState::Opening);
  socket_ = std::make_unique<TSocket>(host_.Loop());
  socket_->SetListener(this);
  socket_->SetHost(DottedAddress(address_));
  socket_->SetPort(port_);
  socket_->Connect();  // a dotted address connects or fails before this returns
}

bool TReceiveTransfer::StartResume(bool fail_without_candidate) {
  std::vector<TResumeCandidate> found = FindResumeCandidates(folder_, offered_name_);
  std::erase_if(found, [this](const TResumeCandidate& candidate) {
    return host_.IsFileInUse(folder_ / candidate.disk_name, id_);
  });
  std::optional<TResumeCandidate> chosen = ChooseResumeCandidate(found, size_);
  if (!chosen) {
    if (fail_without_candidate) Fail(Sjis(kNoResumeCandidateText));
    return false;
  }
  Shut();
  error_.clear();
  file_path_ = folder_ / chosen->disk_name;
  position_ = chosen->size;
  resume_ = false;
  resume_wait_ = TResumeWait();
  SetState(TTransferState::Negotiating);
  timer_.Start(1000);
  host_.SendToPeer(unit_, nick_, ResumeRequest(port_, chosen->size));
  return true;
}

bool TReceiveTransfer::Accept(int64_t position) {
  if (state_ != TTransferState::Negotiating) return false;
  std::error_code error;
  uintmax_t partial = fs::file_size(file_path_, error);
  if (error || !IsValidAcceptPosition(position, static_cast<int64_t>(partial))) return false;
  timer_.Stop();
  position_ = position;
  resume_ = true;
  Connect();
  return true;
}

void TReceiveTransfer::SetFolder(fs::path folder) {
  folder_ = std::move(folder);
  Changed();
}

void TReceiveTransfer::SetFileName(fs::path folder, std::string_view name) {
  folder_ = std::move(folder);
  offered_name_ = CleanReceivedName(name);
  Changed();
}

void TReceiveTransfer::Shut() {
  CloseSocket();
  file_.Close(position_);
}

void TReceiveTransfer::CloseSocket() {
  acks_.clear();
  if (!socket_) return;
  socket_->SetListener(nullptr);
  // A socket may be shut from inside its own report: free it later.
  std::shared_ptr<TSocket> retired(socket_.release());
  retired->Close();
  host_.Loop().Post([retired] {});
}

void TReceiveTransfer::Tick() {
  if (state_ == TTransferState::Transferring) {
    PushSpeedSample();
    Changed();
  } else if (state_ == TTransferState::Negotiating) {
    if (resume_wait_.Tick(host_.Preferences())) {
      Start();
    } else {
      Changed();
    }
  } else {
    timer_.Stop();
  }
}

bool TReceiveTransfer::OpenFile() {
  if (resume_) {
    if (file_.OpenExisting(file_path_, position_)) return true;
    Fail(Sjis(kCannotOpenPartialText));
    return false;
  }
  position_ = 0;
  if (file_.Create(folder_, offered_name_)) {
    file_path_ = file_.Path();
    return true;
  }
  Fail(Sjis(kCannotCreateFileText));
  return false;
}

void TReceiveTransfer::OnSocketConnected(TStreamSocket&) {
  if (!OpenFile()) return;
  SetState(TTransferState::Transferring);
  if (position_ >= size_) Finish();
}

void TReceiveTransfer::OnSocketData(TStreamSocket&) {
  if (state_ == TTransferState::Transferring) Receive();
}

void TReceiveTransfer::Receive() {
  TByteBuffer& buffer = socket_->ReceiveBuffer();
  bool arrived = false;
  while (buffer.Length() > 0 && position_ < size_) {
    int64_t piece = std::min<int64_t>({kReadPiece, size_ - position_, buffer.Length()});
    if (!file_.Write(buffer.Data(), static_cast<size_t>(piece), position_)) {
      Fail(Sjis(kCannotWriteText));
      return;
    }
    buffer.Consume(static_cast<int>(piece));
    Moved(piece);
    arrived = true;
  }
  if (!arrived) return;
  if (protocol_ < kDccExtendedProtocol) Acknowledge();
  if (position_ >= size_) {
    Finish();
  } else {
    Changed();
  }
}

void TReceiveTransfer::Acknowledge() {
  TAck ack = EncodeAck(position_);
  acks_.resize(acks_.size() % kAckBytes);
  acks_.append(reinterpret_cast<const char*>(ack.data()), ack.size());
  FlushAcks();
}

void TReceiveTransfer::FlushAcks() {
  if (acks_.empty() || !socket_) return;
  int sent = socket_->Send(acks_.data(), static_cast<int>(acks_.size()));
  acks_.erase(0, static_cast<size_t>(sent));
  if (acks_.empty() && state_ == TTransferState::Complete) CloseSocket();
}

void TReceiveTransfer::OnSocketWritable(TStreamSocket&) { FlushAcks(); }

// The socket closes once it has taken the last acknowledgement; it sends
// what it took before it closes.
void TReceiveTransfer::Finish() {
  timer_.Stop();
  file_.Close(position_);
  if (acks_.empty()) CloseSocket();
  std::optional<fs::path> final_path = MoveToFinalName(file_path_, folder_, offered_name_);
  if (!final_path) {
    Fail(Sjis(kCannotRenameText));
    return;
  }
  file_path_ = *final_path;
  Complete();
}

void TReceiveTransfer::OnSocketClosed(TStreamSocket&) {
  if (state_ == TTransferState::Complete) {
    CloseSocket();
  } else {
    Fail(Sjis(kDisconnectedText));
  }
}

void TReceiveTransfer::OnSocketError(TStreamSocket&, int, const std::string& text) {
  if (state_ == TTransferState::Complete) {
    CloseSocket();
  } else {
    Fail(text);
  }
}

}  // namespace zeph
