#pragma once

#include <string>
#include <vector>

namespace zeph::test {

// A server program a test starts on loopback and stops again. Its output
// goes to a log file for the failure message.
class TChildProcess {
 public:
  TChildProcess() = default;
  ~TChildProcess() { Stop(); }
  TChildProcess(const TChildProcess&) = delete;
  TChildProcess& operator=(const TChildProcess&) = delete;

  bool Start(const std::vector<std::string>& argv, const std::string& log_file);
  // SIGTERM, then SIGKILL after a grace period.
  void Stop();
  bool Running() const { return pid_ > 0; }
  // SIGTERM, then waits for the exit; the exit status, or -1 when the
  // process had to be killed after timeout_ms.
  int Terminate(int timeout_ms);

 private:
  int pid_ = -1;
};

// Polls until something accepts TCP connections on 127.0.0.1:port.
bool WaitForLoopbackPort(int port, int timeout_ms = 5000);

// The full path of a program, or "" when it is not installed.
std::string FindProgram(const std::string& name);

}  // namespace zeph::test
