#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "dcc/chat_codec.h"
#include "dcc/dcc_message.h"
#include "dcc/port_allocator.h"
#include "engine/encoding.h"
#include "net/listen_socket.h"
#include "net/socket.h"
#include "platform/life_guard.h"

// The connection of one DCC chat: this side either listens and offers, or
// connects to the peer's offer; then both sides exchange lines of text,
// each ended by LF, in the encoding the chat codec chooses.
namespace zeph {

// What the chat talk is told. Texts are internal text. The talk may
// destroy the connection from inside any of these.
class TChatConnectionListener {
 public:
  virtual ~TChatConnectionListener() = default;
  // A line for the talk's log: a system line, or an error line.
  virtual void OnChatNotice(bool error, const std::string& text) {}
  // Listening: the offer to send to the peer ("DCC CHAT chat …").
  virtual void OnChatOffer(const TDccChat& offer) {}
  virtual void OnChatConnected() {}
  virtual void OnChatLine(const std::string& text) {}
  // The connection is gone (closed by the peer, failed, or no port).
  virtual void OnChatClosed() {}
};

enum class TChatState { Disconnected, Listening, Connecting, Connected };

class TChatConnection final : private TSocketListener, private TListenSocketListener {
 public:
  TChatConnection(IEventLoop& loop, TChatConnectionListener& listener);
  ~TChatConnection() override;
  TChatConnection(const TChatConnection&) = delete;
  TChatConnection& operator=(const TChatConnection&) = delete;

  // How lines are read and written: DCCChatAdaptiveEncodingSelection and
  // the unit's encoding, as they are now.
  void SetEncoding(bool adaptive, const TWireEncoding& unit);

  // Listens on the first free port of `range` and offers it with
  // `own_address` (network byte order).
  void Offer(TPortAllocator& ports, const TPortRange& range, uint32_t own_address);
  // Connects to a peer's offer (address in host byte order, as offered).
  void Connect(uint32_t wire_address, int port);
  // Queues one line; false (nothing sent) unless connected.
  bool SendLine(std::string_view text);
  void Close();

  TChatState State() const { return state_; }
  TPeerEncoding PeerEncoding() const { return codec_.Peer(); }
  // Bytes queued that the socket has not taken yet.
  size_t PendingBytes() const { return output_.size(); }

 private:
  TSocket* Stream();
  void Connected();
  void ReadLines(TStreamSocket& socket);
  void Flush();
  void Lost(bool error, const std::string& text);
  void Notice(bool error, const std::string& text);

  void OnSocketConnected(TStreamSocket& socket) override;
  void OnSocketData(TStreamSocket& socket) override;
  void OnSocketWritable(TStreamSocket& socket) override;
  void OnSocketClosed(TStreamSocket& socket) override;
  void OnSocketError(TStreamSocket& socket, int kind, const std::string& text) override;
  void OnListenError(TListenSocket& socket, int kind, const std::string& text) override;
  void OnAccepted(TListenSocket& socket, int index) override;
  void OnClientData(TListenSocket& socket, int index) override;
  void OnClientWritable(TListenSocket& socket, int index) override;
  void OnClientClosed(TListenSocket& socket, int index) override;
  void OnClientError(TListenSocket& socket, int index, int kind, const std::string& text) override;

  IEventLoop& loop_;
  TChatConnectionListener& listener_;
  TChatState state_ = TChatState::Disconnected;
  bool adaptive_ = false;
  TWireEncoding unit_encoding_;
  TChatCodec codec_;
  // One of the two: the socket we connected, or the server whose first
  // accepted client is the connection.
  std::unique_ptr<TSocket> socket_;
  std::unique_ptr<TListenSocket> server_;
  bool port_busy_ = false;
  std::string output_;
  TLifeGuard guard_;
};

}  // namespace zeph
