#pragma once

#include <string>
#include <string_view>

namespace zeph {

class TStreamSocket;

// What a client socket reports, each with the reporting socket. Every
// failure and every close has already closed the socket when it arrives, so
// a listener may connect again, or destroy the socket, from inside it.
class TSocketListener {
 public:
  virtual ~TSocketListener() = default;
  virtual void OnSocketConnected(TStreamSocket& socket) {}
  virtual void OnSocketClosed(TStreamSocket& socket) {}
  virtual void OnSocketResolved(TStreamSocket& socket) {}
  virtual void OnSocketData(TStreamSocket& socket) {}
  virtual void OnSocketWritable(TStreamSocket& socket) {}
  virtual void OnSocketError(TStreamSocket& socket, int kind, const std::string& text) {}
};

// A connected byte stream as its owner reads and writes it: a plain TCP
// socket, or one tunnelled through a SOCKS proxy.
class TStreamSocket {
 public:
  virtual ~TStreamSocket() = default;
  virtual int Length() const = 0;
  virtual int Read(char* destination, int n) = 0;
  // The next line, valid until the socket next reads or is read
  // (TByteBuffer::ReadLine).
  virtual std::string_view ReadLine() = 0;
  // Whether ReadLine dropped a line too long to keep since the last call.
  virtual bool TakeDroppedLine() = 0;
  // The number of bytes the operating system accepted.
  virtual int Send(const char* bytes, int n) = 0;
};

}  // namespace zeph
