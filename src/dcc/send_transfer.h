#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "dcc/port_allocator.h"
#include "dcc/transfer.h"
#include "dcc/transfer_file.h"
#include "net/listen_socket.h"

// One sent file: it listens on a port of the file offer range, offers the
// file to the peer, and streams it to the one connection that comes, in
// pieces the socket takes as it drains and within the bandwidth of each
// second.
namespace zeph {

inline constexpr const char* kListenerStoppedText = "サーバが停止しました";

class TSendTransfer final : public TTransfer, private TListenSocketListener {
 public:
  TSendTransfer(TTransferHost& host, uint64_t id, uint64_t unit, std::string nick, std::filesystem::path path);
  ~TSendTransfer() override;

  const std::filesystem::path& Path() const { return path_; }
  // The path without its folders (UTF-8).
  std::string DisplayName() const { return path_.filename().string(); }
  // -1 before listening.
  int ListenPort() const { return listen_port_; }
  // Our address when the offer went out, network byte order.
  uint32_t OfferAddress() const { return offer_address_; }

  // "開始": opens the file, listens and offers.
  void Start();
  // The peer asks to go on from `position`; true when the file is
  // positioned there and an ACCEPT is due.
  bool Resume(int64_t position);
  // "ファイルの変更".
  void SetPath(std::filesystem::path path);

 private:
  void Shut() override;
  void Tick() override;

  void ListenOnNextPort();
  void Pump();
  void Finish();
  void CloseConnection();
  void RetireListener();
  bool IsConnection(int index) const { return index == 0 && connected_; }

  void OnListening(TListenSocket& socket) override;
  void OnListenClosed(TListenSocket& socket) override;
  void OnListenError(TListenSocket& socket, int kind, const std::string& text) override;
  void OnAccepted(TListenSocket& socket, int index) override;
  void OnClientData(TListenSocket& socket, int index) override;
  void OnClientWritable(TListenSocket& socket, int index) override;
  void OnClientClosed(TListenSocket& socket, int index) override;
  void OnClientError(TListenSocket& socket, int index, int kind, const std::string& text) override;

  std::filesystem::path path_;
  TSendFile file_;
  std::unique_ptr<TListenSocket> listener_;
  std::optional<TPortSearch> ports_;
  int listen_port_ = -1;
  // The port being tried could not be bound.
  bool port_busy_ = false;
  uint32_t offer_address_ = 0;
  // The accepted connection is the listener's client 0.
  bool connected_ = false;
  int linger_ms_ = 0;
  std::vector<char> piece_;
};

}  // namespace zeph
