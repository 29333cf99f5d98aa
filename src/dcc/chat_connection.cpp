#include "dcc/chat_connection.h"

#include "net/socket_error.h"
#include "platform/net.h"
#include "platform/sjis.h"
#include "platform/string_printf.h"

namespace zeph {
namespace {

template <typename T>
void RetireLater(IEventLoop& loop, std::unique_ptr<T>& owned) {
  if (!owned) return;
  std::shared_ptr<T> retired(owned.release());
  retired->SetListener(nullptr);
  retired->Close();
  loop.Post([retired] {});
}

}  // namespace

TChatConnection::TChatConnection(IEventLoop& loop, TChatConnectionListener& listener)
    : loop_(loop), listener_(listener) {}

TChatConnection::~TChatConnection() {
  RetireLater(loop_, socket_);
  RetireLater(loop_, server_);
}

void TChatConnection::SetEncoding(bool adaptive, const TWireEncoding& unit) {
  adaptive_ = adaptive;
  unit_encoding_ = unit;
}

void TChatConnection::Notice(bool error, const std::string& text) { listener_.OnChatNotice(error, text); }

void TChatConnection::Offer(TPortAllocator& ports, const TPortRange& range, uint32_t own_address) {
  Close();
  TLifeGuard::TStamp stamp = guard_.Stamp();
  Notice(false, Sjis("サーバの準備を始めます"));
  if (!stamp.Holds()) return;
  TPortSearch search(ports, range);
  for (;;) {
    std::optional<int> port = search.Next();
    if (!port) {
      RetireLater(loop_, server_);
      Lost(true, Sjis(kNoFreePortText));
      return;
    }
    RetireLater(loop_, server_);
    server_ = std::make_unique<TListenSocket>(loop_);
    server_->SetListener(this);
    server_->SetPort(*port);
    port_busy_ = false;
    server_->Listen();  // reports failures before it returns
    if (!stamp.Holds()) return;
    if (server_ && server_->IsListening()) break;
    if (!port_busy_) return;  // another failure, already reported
  }
  state_ = TChatState::Listening;
  int port = server_->Port();
  Notice(false, Sjis("ポート") + std::to_string(port) + Sjis("を確保しました"));
  if (!stamp.Holds()) return;
  Notice(false, Sjis("チャットの要求を送信します"));
  if (!stamp.Holds()) return;
  listener_.OnChatOffer(ChatOffer(own_address, port));
}

void TChatConnection::Connect(uint32_t wire_address, int port) {
  Close();
  std::string host = net::TNetAddress::FromIpv4(NetworkAddress(wire_address)).ToText();
  TLifeGuard::TStamp stamp = guard_.Stamp();
  Notice(false, StringPrintf(Sjis("%s:%dへ接続を試みます").c_str(), host.c_str(), port));
  if (!stamp.Holds()) return;
  state_ = TChatState::Connecting;
  socket_ = std::make_unique<TSocket>(loop_);
  socket_->SetListener(this);
  socket_->SetHost(host);
  socket_->SetPort(port);
  socket_->Connect();
}

bool TChatConnection::SendLine(std::string_view text) {
  if (state_ != TChatState::Connected) return false;
  output_ += codec_.EncodeLine(text, adaptive_, unit_encoding_);
  Flush();
  return true;
}

void TChatConnection::Close() {
  RetireLater(loop_, socket_);
  RetireLater(loop_, server_);
  output_.clear();
  state_ = TChatState::Disconnected;
  guard_.Renew();
}

TSocket* TChatConnection::Stream() {
  if (socket_) return socket_.get();
  if (server_ && server_->ClientCount() > 0) return &server_->Client(0);
  return nullptr;
}

void TChatConnection::Flush() {
  TSocket* stream = Stream();
  if (stream == nullptr || output_.empty()) return;
  int sent = stream->Send(output_.data(), static_cast<int>(output_.size()));
  output_.erase(0, static_cast<size_t>(sent));
}

void TChatConnection::Connected() {
  state_ = TChatState::Connected;
  TLifeGuard::TStamp stamp = guard_.Stamp();
  Notice(false, Sjis("接続しました"));
  if (stamp.Holds()) listener_.OnChatConnected();
}

void TChatConnection::ReadLines(TStreamSocket& socket) {
  TLifeGuard::TStamp stamp = guard_.Stamp();
  for (;;) {
    int before = socket.Length();
    std::string_view line = socket.ReadLine();
    if (socket.Length() == before) return;
    // An overlong line is dropped whole: what was consumed is no line.
    if (socket.TakeDroppedLine() && line.empty()) continue;
    listener_.OnChatLine(codec_.DecodeLine(line, adaptive_, unit_encoding_));
    if (!stamp.Holds()) return;
  }
}

// The talk hears of the loss after the connection is gone, so it may
// offer or connect again from inside the notice.
void TChatConnection::Lost(bool error, const std::string& text) {
  Close();
  TLifeGuard::TStamp stamp = guard_.Stamp();
  Notice(error, text);
  if (stamp.Holds()) listener_.OnChatClosed();
}

void TChatConnection::OnSocketConnected(TStreamSocket&) { Connected(); }
void TChatConnection::OnSocketData(TStreamSocket& socket) { ReadLines(socket); }
void TChatConnection::OnSocketWritable(TStreamSocket&) { Flush(); }
void TChatConnection::OnSocketClosed(TStreamSocket&) { Lost(false, Sjis("切断されました")); }
void TChatConnection::OnSocketError(TStreamSocket&, int, const std::string& text) { Lost(true, text); }

void TChatConnection::OnListenError(TListenSocket&, int kind, const std::string& text) {
  if (state_ == TChatState::Disconnected && kind == kSocketErrorBind) {
    port_busy_ = true;
  } else if (state_ == TChatState::Disconnected || state_ == TChatState::Listening) {
    Lost(true, text);
  }
}

void TChatConnection::OnAccepted(TListenSocket& server, int index) {
  if (state_ != TChatState::Listening || index != 0) {
    server.RemoveClient(index);
    return;
  }
  server.Close();  // the accepted client stays
  Connected();
}

void TChatConnection::OnClientData(TListenSocket& server, int index) {
  if (index == 0) ReadLines(server.Client(0));
}
void TChatConnection::OnClientWritable(TListenSocket&, int index) {
  if (index == 0) Flush();
}
void TChatConnection::OnClientClosed(TListenSocket&, int index) {
  if (index == 0) Lost(false, Sjis("切断されました"));
}
void TChatConnection::OnClientError(TListenSocket&, int index, int, const std::string& text) {
  if (index == 0) Lost(true, text);
}

}  // namespace zeph
