// Received bytes in arbitrary chunks through the line framing and the
// message parser; the parsed fields go back out through Compose, which must
// never let a CR, LF or NUL through.
#include <cstdint>
#include <cstdlib>

#include "net/byte_buffer.h"
#include "engine/irc_message.h"

using namespace zeph;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  const char* bytes = reinterpret_cast<const char*>(data) + 1;
  size_t rest = size - 1;
  size_t chunk = 1 + data[0] % 64;
  TByteBuffer buffer;
  TIrcMessage message;
  while (rest > 0) {
    int n = static_cast<int>(rest < chunk ? rest : chunk);
    buffer.Append(bytes, n);
    bytes += n;
    rest -= static_cast<size_t>(n);
    for (;;) {
      int before = buffer.Length();
      std::string_view line = buffer.ReadLine();
      if (buffer.Length() == before) break;
      if (line.size() > TByteBuffer::kMaxLine) abort();
      message.Parse(line);
      if (message.ParamCount() > TIrcMessage::kMaxMiddleParams + 1) abort();
      TOutgoingMessage out;
      out.command = message.command;
      out.middle = message.JoinParams(0);
      out.trailing = ":" + message.Param(message.ParamCount() - 1);
      out.Compose();
      if (out.line.size() > TOutgoingMessage::kMaxLine + 2) abort();
      if (out.line.find_first_of(std::string("\r\n\0", 3)) != out.line.size() - 2) abort();
    }
  }
  return 0;
}
