// Arbitrary server lines through a logged-in unit's dispatcher, with the
// protocol handlers installed: every handler, print and model update meets
// hostile input. Each line is parsed as the connection would parse it.
#include <cstdint>
#include <memory>
#include <string>

#include "app/settings/preferences.h"
#include "display/message_format.h"
#include "engine/byte_buffer.h"
#include "engine/world.h"
#include "platform/poll_loop.h"
#include "protocol/protocol.h"
#include "offline.h"

using namespace zeph;

namespace {

struct TFixture {
  TPollLoop loop;
  TPreferences prefs;
  TMessageFormat formats;
  std::unique_ptr<TWorld> world;
  std::unique_ptr<TProtocol> protocol;

  TFixture() {
    prefs.LogRootDir.clear();
    world = std::make_unique<TWorld>(loop, prefs, formats);
    protocol = std::make_unique<TProtocol>(*world);
    world->protocol = protocol.get();
  }
  // A fresh unit for each input, so no state leaks between runs.
  TUnit& NewUnit(int encoding) {
    TWorldConfig tree;
    TServerConfig config;
    config.name = "fuzz";
    config.nick = "me";
    config.encoding = encoding;
    config.channels = {NewChannelConfig("#c", true), NewChannelConfig("%jp", true), NewChannelConfig("!safe", true)};
    tree.units = {config};
    world = std::make_unique<TWorld>(loop, prefs, formats);
    protocol = std::make_unique<TProtocol>(*world);
    world->protocol = protocol.get();
    world->LoadUnits(tree);
    return *world->Units().front();
  }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static TFixture fixture;
  if (size == 0) return 0;
  TUnit& unit = fixture.NewUnit(data[0] & 1);
  TIrcMessage welcome;
  welcome.Parse(":irc.test 001 me :Welcome");
  unit.Dispatch(welcome);
  for (const char* join : {":me!u@h JOIN :#c", ":me!u@h JOIN :#jp:*.jp", ":me!u@h JOIN :!ABCDEsafe"}) {
    TIrcMessage m;
    m.Parse(join);
    unit.Dispatch(m);
  }
  TByteBuffer buffer;
  buffer.Append(reinterpret_cast<const char*>(data) + 1, static_cast<int>(size - 1));
  buffer.Append("\n", 1);
  TIrcMessage message;
  for (;;) {
    int before = buffer.Length();
    std::string line = buffer.ReadLine();
    if (buffer.Length() == before) break;
    if (line.empty()) continue;
    message.Parse(line);
    unit.Dispatch(message);
    fixture.loop.Advance(1000);
  }
  return 0;
}
