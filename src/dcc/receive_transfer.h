#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>

#include "dcc/dcc_message.h"
#include "dcc/resume_candidates.h"
#include "dcc/transfer.h"
#include "dcc/transfer_file.h"
#include "net/socket.h"

// One received file: it connects to the address and port of an offer,
// writes what arrives under a temporary name and acknowledges it, and
// moves the file to its final name once complete. It may resume a partial
// file when the sender agrees.
namespace zeph {

inline constexpr const char* kCannotOpenPartialText = "ファイルを開けません";
inline constexpr const char* kCannotWriteText = "ファイルに書き込めません";
inline constexpr const char* kCannotRenameText = "ファイル名を変更できません";

class TReceiveTransfer final : public TTransfer, private TSocketListener {
 public:
  // `offer` as received (its name is cleaned here); `folder` the receive
  // folder for the sender.
  TReceiveTransfer(TTransferHost& host, uint64_t id, uint64_t unit, std::string nick, const TDccSend& offer,
                   std::filesystem::path folder);
  ~TReceiveTransfer() override;

  int Protocol() const { return protocol_; }
  // The offered name, cleaned to one name (internal text).
  const std::string& OfferedName() const { return offered_name_; }
  // The file on disk: the temporary name while receiving, the final one
  // once complete; empty before the first start.
  const std::filesystem::path& FilePath() const { return file_path_; }
  const std::filesystem::path& Folder() const { return folder_; }
  uint32_t Address() const { return address_; }  // host byte order
  int Port() const { return port_; }
  bool IsResuming() const { return resume_; }
  // The seconds left in state 5 before a normal receive starts.
  std::optional<int> ResumeSecondsLeft() const;

  // "開始": connects and writes a fresh temporary file.
  void Start();
  // "レジューム": asks the sender to go on from the largest partial file.
  // False, with the entry failed, when none qualifies; with
  // `fail_without_candidate` off it stays as it was instead.
  bool StartResume(bool fail_without_candidate = true);
  // The sender's ACCEPT for our request; false when it does not fit.
  bool Accept(int64_t position);
  // "ディレクトリ名の変更" and "ファイル名の変更".
  void SetFolder(std::filesystem::path folder);
  void SetFileName(std::filesystem::path folder, std::string_view name);

 private:
  void Shut() override;
  void Tick() override;

  void Connect();
  void CloseSocket();
  bool OpenFile();
  void Receive();
  void Acknowledge();
  void FlushAcks();
  void Finish();

  void OnSocketConnected(TStreamSocket& socket) override;
  void OnSocketData(TStreamSocket& socket) override;
  void OnSocketWritable(TStreamSocket& socket) override;
  void OnSocketClosed(TStreamSocket& socket) override;
  void OnSocketError(TStreamSocket& socket, int kind, const std::string& text) override;

  int protocol_;
  std::string offered_name_;
  std::filesystem::path folder_;
  std::filesystem::path file_path_;
  uint32_t address_;
  int port_;
  bool resume_ = false;
  TResumeWait resume_wait_;
  TReceiveFile file_;
  std::unique_ptr<TSocket> socket_;
  // Acknowledgement bytes the socket has not taken yet: at most the rest
  // of one begun and the latest whole one, older ones being useless.
  std::string acks_;
};

}  // namespace zeph
