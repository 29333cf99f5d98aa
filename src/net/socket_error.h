#pragma once

#include <string>

namespace zeph {

// The operation a socket failure is reported under.
enum TSocketErrorKind {
  kSocketErrorCreate = 0,
  kSocketErrorResolve = 1,
  kSocketErrorSelect = 2,
  kSocketErrorConnect = 3,
  kSocketErrorClose = 4,
  kSocketErrorReceive = 5,
  kSocketErrorSend = 6,
  kSocketErrorAccept = 7,
  kSocketErrorBind = 8,
  kSocketErrorListen = 9,
  kSocketErrorOption = 10,
  kSocketErrorProxy = 11,
};

// The Japanese text of a failure: the code's own text when it has one,
// otherwise the kind's. Shift_JIS.
std::string SocketErrorText(int kind, int code);

// Codes that only mean "not now": connect, receive and send leave the
// operation to the next event instead of failing.
bool IsTransientSocketError(int code);

}  // namespace zeph
