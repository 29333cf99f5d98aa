// Arbitrary server lines through a logged-in unit's dispatcher, with the
// protocol handlers installed: every handler, print and model update meets
// hostile input. Each line is parsed as the connection would parse it.
// Whatever the unit sends in answer must be clean lines on the wire, and
// the views of every member list must follow the list line by line. Each
// input gets a world of its own, so a failure replays from its input alone.
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>

#include "app/settings/preferences.h"
#include "display/message_format.h"
#include "engine/byte_buffer.h"
#include "engine/world.h"
#include "platform/poll_loop.h"
#include "protocol/protocol.h"
#include "member_mirror.h"
#include "offline.h"
#include "wire_tap.h"

using namespace zeph;

namespace {

struct TFixture {
  TPollLoop loop;
  TPreferences prefs;
  TMessageFormat formats;
  std::unique_ptr<TWorld> world;
  std::unique_ptr<TProtocol> protocol;

  explicit TFixture(int encoding) {
    prefs.LogRootDir.clear();
    world = std::make_unique<TWorld>(loop, prefs, formats);
    protocol = std::make_unique<TProtocol>(*world);
    world->protocol = protocol.get();
    TServerConfig config;
    config.name = "fuzz";
    config.nick = "me";
    config.encoding = encoding;
    config.channels = {NewChannelConfig("#c", true), NewChannelConfig("%jp", true), NewChannelConfig("!safe", true)};
    TWorldConfig tree;
    tree.units = {config};
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
  TFixture fixture(data[0] & 1);
  TUnit& unit = fixture.Unit();
  fuzz::TWireTap& tap = fuzz::TWireTap::Instance();
  if (!tap.Connect(unit, fixture.loop)) abort();
  {
    fuzz::TMemberMirrors mirrors(unit);
    Dispatch(unit, ":irc.test 001 me :Welcome");
    for (const char* join : {":me!u@h JOIN :#c", ":me!u@h JOIN :#jp:*.jp", ":me!u@h JOIN :!ABCDEsafe"})
      Dispatch(unit, join);
    mirrors.Step();
    TByteBuffer buffer;
    buffer.Append(reinterpret_cast<const char*>(data) + 1, static_cast<int>(size - 1));
    buffer.Append("\n", 1);
    for (;;) {
      int before = buffer.Length();
      std::string line = buffer.ReadLine();
      if (buffer.Length() == before) break;
      if (line.empty()) continue;
      Dispatch(unit, line);
      mirrors.Step();
      fixture.loop.Advance(1000);
    }
    mirrors.Step();
  }
  tap.CheckAndClose();
  return 0;
}
