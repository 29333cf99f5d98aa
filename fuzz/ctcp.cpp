// CTCP frames and PING stamps come from any user on the network, and so do
// the prefixes and targets of the messages that carry them. Recognition must
// yield a well-formed frame, a round trip must be a well-formed time, and a
// session must take any PRIVMSG or NOTICE without harm and answer only in
// clean lines on the wire. Each input gets a session of its own.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "fuzz_world.h"
#include "platform/sjis.h"
#include "protocol/ctcp_frame.h"
#include "protocol/ctcp_texts.h"
#include "offline.h"
#include "wire_tap.h"

using namespace zeph;

namespace {

void CheckFrame(std::string_view text) {
  std::optional<TCtcpFrame> frame = ParseCtcpFrame(text);
  if (frame.has_value() != (!text.empty() && text.front() == kCtcpDelimiter)) abort();
  if (!frame) return;
  if (frame->command.size() + frame->argument.size() >= text.size()) abort();
  if (frame->command.find_first_of(" \x01") != std::string::npos) abort();
  if (frame->argument.find(kCtcpDelimiter) != std::string::npos) abort();
  if (!frame->argument.empty() && frame->argument.front() == ' ') abort();
  const std::string& command = frame->command;
  for (size_t pos = 0; pos < command.size(); pos += SjisCharLength(command, pos)) {
    if (SjisCharLength(command, pos) == 1 && command[pos] >= 'a' && command[pos] <= 'z') abort();
  }
}

void CheckRoundTrip(std::string_view text) {
  for (std::int64_t now : {std::int64_t{0}, std::int64_t{123456}, (std::int64_t{1} << 32) + 7}) {
    std::optional<std::string> shown = CtcpPingRoundTrip(text, now);
    if (!shown) continue;
    size_t dot = shown->find('.');
    if (dot == std::string::npos || dot == 0 || shown->substr(dot + 3) != " sec") abort();
    if (std::stoull(shown->substr(0, dot)) > (std::uint64_t{1} << 32) / 1000) abort();
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string_view input(reinterpret_cast<const char*>(data), size);
  CheckFrame(input);
  CheckRoundTrip(input);

  fuzz::TFuzzWorld fixture;
  fixture.prefs.EnableCtcpSequenceLimit = false;
  fixture.prefs.IgnoreNoticeOnTalk = false;
  fixture.prefs.like_keywords = {"a"};
  fixture.world->ApplyPreferences();
  fixture.world->ignore_masks = {"*!*@ignored*"};
  TUnit& unit = fixture.AddUnit({NewChannelConfig("#c", false)});
  fuzz::TWireTap& tap = fuzz::TWireTap::Instance();
  if (!tap.Connect(unit, fixture.loop)) abort();
  fixture.Dispatch(unit, ":irc.test 001 me :Welcome");
  // Handled as a PRIVMSG and as a NOTICE, whatever its command.
  TIrcMessage message;
  message.Parse(input);
  TIrcMessage copy = message;
  fixture.protocol->Incoming().OnPrivmsg(unit, message);
  fixture.protocol->Incoming().OnNotice(unit, copy);
  fixture.loop.Advance(30000);  // the flood budget lets the answers out
  tap.CheckAndClose();
  return 0;
}
