#pragma once

#include <functional>
#include <string>
#include <vector>

#include "net/stream_socket.h"

namespace zeph::test {

// Records what a socket reports as short texts ("connected", "data",
// "error 3 <text>") and lets a test act inside a report.
class TSocketRecorder : public TSocketListener {
 public:
  std::vector<std::string> events;
  std::vector<std::string> lines;  // lines read inside each data report
  int error_kind = -1;
  std::string error_text;
  std::function<void(const std::string& event, TStreamSocket& socket)> on_event;

  bool Saw(const std::string& event) const;

  void OnSocketConnected(TStreamSocket& s) override { Record("connected", s); }
  void OnSocketClosed(TStreamSocket& s) override { Record("closed", s); }
  void OnSocketResolved(TStreamSocket& s) override { Record("resolved", s); }
  void OnSocketData(TStreamSocket& s) override;
  void OnSocketWritable(TStreamSocket& s) override { Record("writable", s); }
  void OnSocketError(TStreamSocket& s, int kind, const std::string& text) override;

 private:
  void Record(const std::string& event, TStreamSocket& socket);
};

}  // namespace zeph::test
