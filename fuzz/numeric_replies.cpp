// Arbitrary numeric replies, during registration or after it, with the
// reply windows open: nick retries under every policy and nick length, the
// member lists, and the WHOIS, channel list and mask list models meet
// hostile parameters. The first byte picks the setting; each further line is
// one server line. What the unit sends must be clean lines on the wire,
// and the views of every member list must follow the list; each input gets
// a world of its own.
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>

#include "app/settings/preferences.h"
#include "display/message_format.h"
#include "engine/irc_text.h"
#include "engine/world.h"
#include "platform/poll_loop.h"
#include "protocol/protocol.h"
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

struct TFixture {
  TPollLoop loop;
  TPreferences prefs;
  TMessageFormat formats;
  TAnsweringHost host;
  std::unique_ptr<TWorld> world;
  std::unique_ptr<TProtocol> protocol;

  explicit TFixture(std::uint8_t setting) {
    prefs.LogRootDir.clear();
    prefs.NickPolicy = setting & 3;
    prefs.LimitWhoisDialog = (setting & 4) != 0;
    prefs.WhoisDialogMax = 1;
    prefs.WhoTiming = (setting >> 3) & 3;
    TServerConfig config;
    config.name = "fuzz";
    config.nick = "me";
    config.enable_nick_len = (setting & 0x20) != 0;
    config.nick_len = (setting & 0x40) ? -3 : 1;
    config.channels = {NewChannelConfig("#c", true), NewChannelConfig("!safe", true)};
    TWorldConfig tree;
    tree.units = {config};
    world = std::make_unique<TWorld>(loop, prefs, formats);
    protocol = std::make_unique<TProtocol>(*world);
    protocol->Numerics().Windows().SetHost(&host);
    world->protocol = protocol.get();
    world->LoadUnits(tree);
  }
  ~TFixture() {
    world->protocol = nullptr;
    world.reset();
  }
  TUnit& Unit() { return *world->Units().front(); }
};

void Dispatch(TUnit& unit, const std::string& line) {
  TIrcMessage message;
  message.Parse(line);
  unit.Dispatch(message);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  TFixture fixture(data[0]);
  TUnit& unit = fixture.Unit();
  fuzz::TWireTap& tap = fuzz::TWireTap::Instance();
  if (!tap.Connect(unit, fixture.loop)) abort();
  {
    fuzz::TMemberMirrors mirrors(unit);
    bool registered = (data[0] & 0x80) != 0;
    if (registered) {
      Dispatch(unit, ":irc.test 001 me :Welcome");
      Dispatch(unit, ":me!u@h JOIN :#c");
      Dispatch(unit, ":me!u@h JOIN :!ABCDEsafe");
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
      Dispatch(unit, line);
      mirrors.Step();
    }
  }
  tap.CheckAndClose();
  unit.Shutdown(true);
  return 0;
}
