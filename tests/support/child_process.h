#pragma once

#include <functional>
#include <string>
#include <vector>

namespace zeph::test {

// A program a test starts (a server on loopback, the headless client) and
// stops again. It runs in a process group of its own, which is stopped as a
// whole; it is killed when the test process dies, so that neither a crash
// nor a timeout leaves it running. Its output goes to a log file for the
// failure message.
class TChildProcess {
 public:
  TChildProcess() = default;
  ~TChildProcess() { Stop(); }
  TChildProcess(const TChildProcess&) = delete;
  TChildProcess& operator=(const TChildProcess&) = delete;

  // `prepare` runs in the child just before the program replaces it; the
  // program does not start when it returns false.
  bool Start(const std::vector<std::string>& argv, const std::string& log_file,
             const std::function<bool()>& prepare = {});
  // Starts a server that listens on 127.0.0.1 at a port of its own: the
  // command is made for a free port, and the start counts only when it is
  // this process that listens there; when another program took the port
  // first, the next one is tried. The port is stored in *port.
  bool StartListening(const std::function<std::vector<std::string>(int port)>& command, const std::string& log_file,
                      int* port, const std::function<bool()>& prepare = {});
  // SIGTERM to the whole group, SIGKILL after a grace period; returns
  // when no process of the group is left.
  void Stop();
  bool Running() const { return pid_ > 0; }
  // What the program wrote to its log file so far.
  std::string Output() const;
  // Sends a signal to the program's group and waits for the program's
  // exit: its exit status, 128 + the signal that killed it, or -1 when it
  // had to be killed after timeout_ms.
  int Signal(int signal, int timeout_ms);

 private:
  // Whether a process of the group holds a socket that listens on
  // 127.0.0.1:port.
  bool Listens(int port) const;
  // Until the program listens on the port (true), or exits, or times out.
  bool WaitUntilListening(int port, int timeout_ms);
  // Reaps the group's processes; false when some are still there after
  // timeout_ms.
  bool ReapGroup(int timeout_ms);

  int pid_ = -1;
  std::string log_file_;
};

// The full path of a program, or "" when it is not installed.
std::string FindProgram(const std::string& name);

}  // namespace zeph::test
