// Arbitrary numeric replies, during registration or after it, with the
// reply windows open: nick retries under every policy and nick length, the
// member lists, and the WHOIS, channel list and mask list models meet
// hostile parameters. The first byte picks the setting; each further line is
// one server line. What the unit sends must be clean lines on the wire,
// and the views of every member list must follow the list; each input gets
// a world of its own.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "engine/irc_text.h"
#include "fuzz_world.h"
#include "member_mirror.h"
#include "offline.h"
#include "wire_tap.h"

using namespace zeph;

namespace {

// Shows every model it is given and answers the nick question at once.
class TAnsweringHost : public TReplyWindowHost {
 public:
  void ShowWhoisDialog(TUnit&, TWhoisModel&) override {}
  void ShowChannelList(TUnit&, TChannelListModel&) override {}
  void ShowMaskList(TUnit&, TChannel&, TMaskListModel&) override {}
  void AskNick(TUnit&, const TNickQuestion& question, TNickAnswerCallback answer) override {
    TNickAnswer reply;
    reply.ok = !question.nick.empty();
    reply.nick = question.nick + "_";
    reply.away = !question.away;
    answer(reply);
  }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  std::uint8_t setting = data[0];
  TAnsweringHost host;  // outlives the world that shows it models
  fuzz::TFuzzWorld fixture;
  fixture.protocol->Numerics().Windows().SetHost(&host);
  fixture.prefs.NickPolicy = setting & 3;
  fixture.prefs.LimitWhoisDialog = (setting & 4) != 0;
  fixture.prefs.WhoisDialogMax = 1;
  fixture.prefs.WhoTiming = (setting >> 3) & 3;
  TUnit& unit = fixture.AddUnit({NewChannelConfig("#c", true), NewChannelConfig("!safe", true)});
  unit.Config().enable_nick_len = (setting & 0x20) != 0;
  unit.Config().nick_len = (setting & 0x40) ? -3 : 1;
  fuzz::TWireTap& tap = fuzz::TWireTap::Instance();
  if (!tap.Connect(unit, fixture.loop)) abort();
  {
    fuzz::TMemberMirrors mirrors(unit);
    if (setting & 0x80) {  // registered, with the windows open
      for (const char* line : {":irc.test 001 me :Welcome", ":me!u@h JOIN :#c", ":me!u@h JOIN :!ABCDEsafe"})
        fixture.Dispatch(unit, line);
      TReplyWindows& windows = fixture.protocol->Numerics().Windows();
      windows.OpenChannelList(unit);
      windows.OpenMaskList(unit, *unit.FindChannel("#c"), TMaskListKind::Ban);
      windows.OpenMaskList(unit, *unit.FindChannel("!safe"), TMaskListKind::Reop);
    }
    mirrors.Step();
    std::string input(reinterpret_cast<const char*>(data) + 1, size - 1);
    while (!input.empty()) {
      std::string line = SplitLine(input);
      if (line.empty()) continue;
      fixture.Dispatch(unit, line);
      mirrors.Step();
    }
  }
  tap.CheckAndClose();
  unit.Shutdown(true);
  return 0;
}
